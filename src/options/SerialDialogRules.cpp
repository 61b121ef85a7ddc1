#include "options/SerialDialogRules.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::u16string_view kBaudRates[] = {u"110",   u"300",   u"600",    u"1200",   u"2400",
                                              u"4800",  u"9600",  u"14400",  u"19200",  u"38400",
                                              u"56000", u"57600", u"115200", u"128000", u"256000"};
constexpr std::u16string_view kDataBits[] = {u"4", u"5", u"6", u"7", u"8"};
constexpr std::u16string_view kParities[] = {u"Even", u"Odd", u"None", u"Mark", u"Space"};
constexpr std::u16string_view kStopBits[] = {u"1", u"1.5", u"2"};
constexpr std::u16string_view kSerialInModes[] = {u"Field", u"Command"};

bool SameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

}  // namespace

const CChoiceList kBaudRateList = {kBaudRates, 6};
const CChoiceList kDataBitsList = {kDataBits, 4};
const CChoiceList kParityList = {kParities, 2};
const CChoiceList kStopBitsList = {kStopBits, 0};
const CChoiceList kSerialInModeList = {kSerialInModes, 0};

int ChoiceIndexTyped(const CChoiceList& list, std::u16string_view text) {
    auto found = std::find_if(list.entries.begin(), list.entries.end(),
                              [text](std::u16string_view e) { return SameIgnoringCase(e, text); });
    return found == list.entries.end() ? -1 : static_cast<int>(found - list.entries.begin());
}

int ChoiceIndexFor(const CChoiceList& list, std::u16string_view text) {
    int index = ChoiceIndexTyped(list, text);
    return index < 0 ? list.fallback : index;
}

int ComPortNumber(std::u16string_view portText) {
    // As a "COM%d:" scan reads it: spaces and a sign may come before the digits.
    constexpr std::u16string_view kCom = u"COM";
    constexpr int kLargest = 99999999;  // far beyond any port; keeps the sum in range
    if (portText.substr(0, kCom.size()) != kCom) return 1;
    size_t at = std::min(portText.find_first_not_of(u" \t", kCom.size()), portText.size());
    int sign = 1;
    if (at < portText.size() && (portText[at] == u'-' || portText[at] == u'+')) {
        sign = portText[at++] == u'-' ? -1 : 1;
    }
    auto digit = [&] {
        return at < portText.size() && portText[at] >= u'0' && portText[at] <= u'9';
    };
    if (!digit()) return 1;
    int n = 0;
    for (; digit(); ++at) n = std::min(n * 10 + (portText[at] - u'0'), kLargest);
    return sign * n;
}

std::u16string ComPortText(unsigned typed) {
    unsigned n = std::max(typed % 100, 1u);
    char text[8];
    std::snprintf(text, sizeof text, "COM%u:", n);
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

uint8_t SevenBitCode(unsigned typed) {
    return static_cast<uint8_t>(typed & 127);
}

uint32_t DialogReadInterval(unsigned typed) {
    return std::clamp(typed, 100u, 10000u);
}
