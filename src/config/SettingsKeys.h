#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CSettings;

// How a value is written, and so how the reader finds it: integers, booleans
// and plain text are the token after the key; quoted text, colours and lists
// are the rest of the line with the quotes dropped.
enum class ValueForm {
    Integer,
    TwoDigitInteger,
    Boolean,
    PlainText,
    QuotedText,
    Colour,
    List,
};

// One configuration key. Value texts are the file's 8-bit text.
struct CSettingsKey {
    std::string name;  // exact spelling and case as written
    ValueForm form;
    // The value taken when the key is missing, as the reader hands it to
    // parse (without quotes).
    std::string readerDefault;
    // The value as written after "key=", quotes included for quoted forms.
    std::function<std::string(const CSettings&)> format;
    // Stores the value, given as the reader extracts it. False for a boolean
    // word that is neither true nor false: the record is then unchanged and
    // the reader parses readerDefault instead.
    std::function<bool(CSettings&, std::string_view)> parse;
};

// The one list of configuration keys, in the order the file is written.
class CSettingsKeyTable {
public:
    static const std::vector<CSettingsKey>& Keys();

private:
    // A member, so that it may reach the values without public setters.
    static std::vector<CSettingsKey> Build();
};
