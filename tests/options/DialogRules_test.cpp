#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options/FontFamilyList.h"
#include "options/OptionsRules.h"
#include "options/SerialDialogRules.h"

namespace {

TEST(DialogRulesTest, ToolbarRadiosShowAndStoreTheSize) {
    const std::pair<int, int> shown[] = {{-1, 0}, {1, 2}, {2, 3}, {0, 1}, {5, 1}, {-2, 1}};
    for (auto [size, radio] : shown) EXPECT_EQ(ToolbarRadioFor(size), radio) << size;
    // The first checked one counts.
    EXPECT_EQ(ToolbarSizeFromRadios({false, true, true, false}), 0);
    EXPECT_EQ(ToolbarSizeFromRadios({true, false, false, true}), -1);
    EXPECT_EQ(ToolbarSizeFromRadios({false, false, false, false}), 0);
}

TEST(DialogRulesTest, TypedNumbersAndTextsAreCut) {
    EXPECT_EQ(DialogWaterMark(std::u16string(32, u'W')), std::u16string(31, u'W'));
    EXPECT_EQ(std::pair(DialogCellWidth(12), DialogCellWidth(-3)), std::pair(9, 0));
    EXPECT_EQ(std::pair(int(SevenBitCode(200)), int(DialogReadInterval(50))), std::pair(72, 100));
}

TEST(DialogRulesTest, FontFacesSortedOnceWhateverTheCase) {
    CFontFamilyList list;
    for (const char16_t* face : {u"Tahoma", u"arial", u"Courier New", u"Arial", u"COURIER NEW",
                                 u"@MS Gothic", u"Tahoma", u"\u00C9lan", u"\u00E9LAN"}) {
        list.Add(face);
    }
    EXPECT_EQ(list.Names(), (std::vector<std::u16string>{u"@MS Gothic", u"arial", u"Courier New",
                                                         u"Tahoma", u"\u00C9lan"}));
    const std::pair<const char16_t*, size_t> selections[] = {
        {u"courier new", 2}, {u"Tahoma", 3}, {u"No Such Face", 0}, {u"Courier", 0}};
    for (auto [name, index] : selections) EXPECT_EQ(list.SelectionFor(name), index);
    EXPECT_EQ(CFontFamilyList().SelectionFor(u"Arial"), 0u);
}

// On opening an unknown setting shows the list's fallback; OK keeps the
// setting (-1) when the text names no entry.
TEST(DialogRulesTest, SerialListsShowTheirEntryOrFallBack) {
    const std::tuple<const CChoiceList&, std::u16string_view, int, int> cases[] = {
        {kBaudRateList, u"256000", 14, 14}, {kBaudRateList, u"1920", 6, -1},
        {kBaudRateList, u"", 6, -1},        {kParityList, u"SPACE", 4, 4},
        {kParityList, u"E", 2, -1},         {kSerialInModeList, u"Comm", 0, -1}};
    for (const auto& [list, setting, shown, typed] : cases) {
        std::string text(setting.begin(), setting.end());
        EXPECT_EQ(ChoiceIndexFor(list, setting), shown) << text;
        EXPECT_EQ(ChoiceIndexTyped(list, setting), typed) << text;
    }
}

TEST(DialogRulesTest, PortNumberReadAndFormed) {
    const std::pair<std::u16string_view, int> read[] = {
        {u"COM12:", 12}, {u"COM7", 7},  {u"COM 3:", 3}, {u"COM-2:", -2},
        {u"COM:", 1},    {u"LPT2:", 1}, {u"com4:", 1},  {u"COM99999999999:", 99999999}};
    for (auto [text, n] : read) {
        EXPECT_EQ(ComPortNumber(text), n) << std::string(text.begin(), text.end());
    }
    const std::pair<unsigned, std::u16string_view> formed[] = {
        {0, u"COM1:"}, {100, u"COM1:"}, {137, u"COM37:"}, {4294967295u, u"COM95:"}};
    for (auto [typed, text] : formed) EXPECT_EQ(ComPortText(typed), text) << typed;
}

}  // namespace
