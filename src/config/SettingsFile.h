#pragma once

#include <string>
#include <string_view>

class CSettings;

// The configuration file, "Ravelin.ini" beside the program: key=value lines
// in the ANSI code page, CR LF, every key in a fixed order.
extern const char16_t kSettingsFileName[];

// The file's path for a program in folder.
std::u16string SettingsFilePath(const std::u16string& folder);

// Loads the file at the record's path; false, with the record untouched,
// when it cannot be opened or read whole.
bool ReadSettingsFile(CSettings& settings);
// Replaces the file with every key of the record in one step; false, with
// the old file as it was, when the new one cannot be written whole. The
// record keeps its values either way.
bool WriteSettingsFile(const CSettings& settings);

// The same on text: every key looked up on its own in the whole text.
void ReadSettingsText(CSettings& settings, std::string_view text);
std::string SettingsText(const CSettings& settings);

// The value the reader takes for a key of that form, or false when the text
// does not hold the key.
bool FindSettingsValue(std::string_view text, std::string_view key, bool restOfLine,
                       std::string& value);
