#include "options/SerialDialogRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SerialDialogRulesTest, ListsShowTheirEntryOrFallBack) {
    struct Case {
        const CChoiceList& list;
        std::u16string_view setting;
        int shown;  // on opening
        int typed;  // what OK stores when the drop-down shows the setting as text
    };
    const Case cases[] = {
        {kBaudRateList, u"19200", 8, 8},       {kBaudRateList, u"4000", 6, -1},
        {kBaudRateList, u"", 6, -1},           {kBaudRateList, u"256000", 14, 14},
        {kBaudRateList, u"1920", 6, -1},       {kDataBitsList, u"7", 3, 3},
        {kDataBitsList, u"9", 4, -1},          {kParityList, u"even", 0, 0},
        {kParityList, u"SPACE", 4, 4},         {kParityList, u"E", 2, -1},
        {kStopBitsList, u"1.5", 1, 1},         {kStopBitsList, u"3", 0, -1},
        {kSerialInModeList, u"command", 1, 1}, {kSerialInModeList, u"Comm", 0, -1},
    };
    for (const Case& c : cases) {
        std::string text(c.setting.begin(), c.setting.end());
        EXPECT_EQ(ChoiceIndexFor(c.list, c.setting), c.shown) << text;
        EXPECT_EQ(ChoiceIndexTyped(c.list, c.setting), c.typed) << text;
    }
}

TEST(SerialDialogRulesTest, PortNumberReadAndFormed) {
    const std::pair<std::u16string_view, int> read[] = {
        {u"COM1:", 1}, {u"COM12:", 12}, {u"COM7", 7},  {u"COM 3:", 3}, {u"COM-2:", -2},
        {u"COM:", 1},  {u"LPT2:", 1},   {u"com4:", 1}, {u"COM0:", 0},
    };
    for (auto [text, n] : read) {
        EXPECT_EQ(ComPortNumber(text), n) << std::string(text.begin(), text.end());
    }
    const std::pair<unsigned, std::u16string_view> formed[] = {
        {0, u"COM1:"},   {1, u"COM1:"},    {12, u"COM12:"},          {99, u"COM99:"},
        {100, u"COM1:"}, {137, u"COM37:"}, {4294967295u, u"COM95:"},
    };
    for (auto [typed, text] : formed) EXPECT_EQ(ComPortText(typed), text) << typed;
}

TEST(SerialDialogRulesTest, FramingCodesAndReadIntervalAreCut) {
    const std::pair<unsigned, int> codes[] = {{200, 72}, {127, 127}, {128, 0}, {2, 2}, {999, 103}};
    for (auto [typed, stored] : codes) EXPECT_EQ(SevenBitCode(typed), stored) << typed;
    const std::pair<unsigned, uint32_t> intervals[] = {
        {50, 100}, {0, 100}, {100, 100}, {2500, 2500}, {10000, 10000}, {20000, 10000}};
    for (auto [typed, stored] : intervals) EXPECT_EQ(DialogReadInterval(typed), stored) << typed;
}

}  // namespace
