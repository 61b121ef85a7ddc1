#pragma once

#include <string>

// Whole-file reads and writes by UTF-16 path. The file is held without
// sharing while it is read or written, so no other program sees half of it.

// False when the file does not exist or cannot be opened.
bool ReadWholeFile(const std::u16string& path, std::string& bytes);
// Creates or replaces the file; false when it cannot be created or not
// every byte reached it.
bool WriteWholeFile(const std::u16string& path, const std::string& bytes);
// The folder of the running program, without a trailing separator, and the
// separator that joins a file name to it.
std::u16string ProgramFolder();
extern const char16_t kPathSeparator;
