#pragma once

#include <string>

// Whole-file reads and writes by UTF-16 path. A write puts the whole text in
// a file beside the old one, named as the file with kTemporaryFileSuffix
// added, and then replaces the old file with it in one step: whoever reads
// the file, also after a power cut, finds the old text or the new one, never
// a part. A temporary file that a cut left behind is replaced by the next write.
inline constexpr char16_t kTemporaryFileSuffix[] = u".tmp";

// False when the file does not exist, cannot be opened or not every byte of
// it could be read.
bool ReadWholeFile(const std::u16string& path, std::string& bytes);
// Whether a file or folder is there, readable or not.
bool FileExists(const std::u16string& path);
// Creates or replaces the file; false, with the old file as it was, when the
// text could not be written whole or could not take the old file's place.
bool WriteWholeFile(const std::u16string& path, const std::string& bytes);
// The folder of the running program, without a trailing separator, and the
// separator that joins a file name to it.
std::u16string ProgramFolder();
extern const char16_t kPathSeparator;
