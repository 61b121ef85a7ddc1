#include "headless/KeyNames.h"

#include <cctype>
#include <charconv>
#include <string>

namespace {

struct CNamedKey {
    const char* name;
    unsigned virtualKey;
    bool shift;
    char16_t character;
};

constexpr CNamedKey kNamedKeys[] = {
    {"enter", 0x0D, false, u'\r'}, {"tab", 0x09, false, u'\t'}, {"backtab", 0x09, true, u'\t'},
    {"up", 0x26, false, 0},        {"down", 0x28, false, 0},    {"left", 0x25, false, 0},
    {"right", 0x27, false, 0},     {"home", 0x24, false, 0},    {"end", 0x23, false, 0},
    {"backspace", 0x08, false, 8}, {"delete", 0x2E, false, 0},  {"space", 0x20, false, u' '},
};

constexpr unsigned kF1Key = 0x70;
constexpr unsigned kFirstDeviceKey = 0xF0;

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// The whole of text as a number from low to high.
bool NumberIn(std::string_view text, int low, int high, int& number) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() && number >= low &&
           number <= high;
}

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

}  // namespace

bool ParseKeyName(std::string_view name, CKeyPress& key, char16_t& character) {
    std::string lower = Lower(name);
    std::string_view rest = lower;
    key = {};
    character = 0;
    for (const CNamedKey& named : kNamedKeys) {
        if (rest != named.name) continue;
        key.virtualKey = named.virtualKey;
        key.shift = named.shift;
        character = named.character;
        return true;
    }
    int number = 0;
    if (StartsWith(rest, "device")) {
        if (!NumberIn(rest.substr(6), 240, 245, number)) return false;
        key.virtualKey = kFirstDeviceKey + static_cast<unsigned>(number - 240);
        return true;
    }
    if (StartsWith(rest, "shift+")) {
        key.shift = true;
        rest.remove_prefix(6);
    } else if (StartsWith(rest, "ctrl+")) {
        key.ctrl = true;
        rest.remove_prefix(5);
        if (NumberIn(rest, 0, 9, number)) {
            key.virtualKey = static_cast<unsigned>('0' + number);
            return true;
        }
    }
    if (!StartsWith(rest, "f") || !NumberIn(rest.substr(1), 1, 24, number)) return false;
    key.virtualKey = kF1Key + static_cast<unsigned>(number - 1);
    return true;
}
