#include "config/SettingsFile.h"

#include "config/Settings.h"
#include "config/SettingsKeys.h"
#include "platform/Files.h"

namespace {

bool IsSeparator(char c) {
    return c == '=' || c == '"' || c == '\t' || c == '\n' || c == '\r';
}

bool IsLineBreak(char c) {
    return c == '\t' || c == '\n' || c == '\r';
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// Whether the key's line ends before its value: the key was written with an
// empty value. from is the separator that ended the key. A rest-of-line value
// starts behind that one separator and skips tabs; any '=' or '"' after it
// belongs to the value.
bool EmptyValueFollows(std::string_view text, size_t from, bool restOfLine) {
    for (size_t i = from; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') return true;
        bool skipped = restOfLine ? i == from || text[i] == '\t' : IsSeparator(text[i]);
        if (!skipped) return false;
    }
    return false;
}

bool UsesRestOfLine(ValueForm form) {
    return form == ValueForm::QuotedText || form == ValueForm::Colour || form == ValueForm::List;
}

}  // namespace

const char16_t kSettingsFileName[] = u"Ravelin.ini";

std::u16string SettingsFilePath(const std::u16string& folder) {
    return folder + kPathSeparator + kSettingsFileName;
}

bool FindSettingsValue(std::string_view text, std::string_view key, bool restOfLine,
                       std::string& value) {
    size_t at = 0;
    // Only a token before the first '=' of its line is a key: a value that
    // holds a key's name, such as a watermark text, must not stand in for
    // that key's own line further down.
    bool keyPart = true;
    while (at < text.size()) {
        for (; at < text.size() && IsSeparator(text[at]); ++at) {
            if (text[at] == '=') keyPart = false;
            if (text[at] == '\n' || text[at] == '\r') keyPart = true;
        }
        size_t start = at;
        while (at < text.size() && !IsSeparator(text[at])) ++at;
        if (start == at || !keyPart || !SameLetters(text.substr(start, at - start), key)) {
            continue;
        }

        if (EmptyValueFollows(text, at, restOfLine)) {
            value.clear();
            return true;
        }
        if (restOfLine) {
            size_t from = at + 1;
            while (from < text.size() && IsLineBreak(text[from])) ++from;
            size_t to = from;
            while (to < text.size() && !IsLineBreak(text[to])) ++to;
            std::string_view rest = from < text.size() ? text.substr(from, to - from) : "";
            while (!rest.empty() && rest.front() == '"') rest.remove_prefix(1);
            value.assign(rest.substr(0, rest.find('"')));
            return true;
        }
        size_t from = at;
        while (from < text.size() && IsSeparator(text[from])) ++from;
        size_t to = from;
        while (to < text.size() && !IsSeparator(text[to])) ++to;
        if (from == to) continue;  // no token follows: no match
        value.assign(text.substr(from, to - from));
        return true;
    }
    return false;
}

void ReadSettingsText(CSettings& settings, std::string_view text) {
    std::string value;
    for (const CSettingsKey& key : CSettingsKeyTable::Keys()) {
        bool found = FindSettingsValue(text, key.name, UsesRestOfLine(key.form), value);
        // Empty numbers and words say nothing: the key keeps its default.
        if (found && value.empty() && !UsesRestOfLine(key.form) &&
            key.form != ValueForm::PlainText) {
            found = false;
        }
        if (!found || !key.parse(settings, value)) key.parse(settings, key.readerDefault);
    }
}

std::string SettingsText(const CSettings& settings) {
    std::string text;
    for (const CSettingsKey& key : CSettingsKeyTable::Keys()) {
        text += key.name;
        text += '=';
        text += key.format(settings);
        text += "\r\n";
    }
    return text;
}

bool ReadSettingsFile(CSettings& settings) {
    std::string bytes;
    if (!ReadWholeFile(settings.FilePath(), bytes)) return false;
    // The text ends at its first NUL, like the C string it was read into.
    ReadSettingsText(settings, std::string_view(bytes).substr(0, bytes.find('\0')));
    return true;
}

bool WriteSettingsFile(const CSettings& settings) {
    return WriteWholeFile(settings.FilePath(), SettingsText(settings));
}
