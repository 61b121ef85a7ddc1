#include "fields/FieldLook.h"

#include <gtest/gtest.h>

#include <tuple>

#include "config/Settings.h"
#include "config/SettingsFile.h"
#include "screen/Field.h"

namespace {

// Custom colours that differ from every built-in one.
constexpr char kCustomColours[] =
    "CustomColorMode=true\r\nForeGroundColor=010101\r\nBackGroundColor=FB0204\r\n"
    "InputForeGroundColor=030303\r\nInputBackGroundColor=040404\r\n"
    "FocusForeGroundColor=050505\r\nFocusBackGroundColor=060606\r\n"
    "SelectedForeGround=070707\r\nSelectedBackGroundColor=080808\r\n";

CField Field(uint8_t style, bool selected = false, bool blinkOn = false) {
    CField f;
    f.attrByte = style;
    f.selected = selected;
    f.blinkOn = blinkOn;
    return f;
}

TEST(FieldLook, EntryColoursByStateModeAndStyle) {
    CSettings plain(u""), custom(u"");
    ReadSettingsText(custom, kCustomColours);
    // Settings, field, focused, look.
    const std::tuple<const CSettings&, CField, bool, CEntryLook> cases[] = {
        {plain, Field(kNormalVideo), false, {0xFFFFFF, 0x000000, 0xC3B295}},
        {plain, Field(kNormalVideo), true, {0x9EF0FF, 0x000000, 0xC3B295}},
        {plain, Field(kNormalVideo, true), false, {0x33CCFF, 0x000000, 0x33CCFF}},
        {plain, Field(kNormalVideo, true), true, {0x9EF0FF, 0x000000, 0xC3B295}},
        {plain, Field(kReverseVideo), false, {0x000000, 0xFFFFFF, 0xC3B295}},
        {plain, Field(kBlinkVideo, false, false), false, {0x000000, 0xFFFFFF, 0xC3B295}},
        {plain, Field(kBlinkVideo, false, true), false, {0xFFFFFF, 0x000000, 0xC3B295}},
        {custom, Field(kNormalVideo), false, {0x040404, 0x030303, 0x030303}},
        {custom, Field(kNormalVideo), true, {0x060606, 0x050505, 0x030303}},
        {custom, Field(kNormalVideo, true), false, {0x080808, 0x070707, 0x33CCFF}},
        {custom, Field(kReverseVideo), true, {0x050505, 0x060606, 0x030303}}};
    auto parts = [](const CEntryLook& l) { return std::tuple(l.back, l.text, l.frame); };
    for (const auto& c : cases) {
        auto [settings, field, focused, look] = c;
        SetEntryColourSlots(field, settings);
        EXPECT_EQ(parts(EntryLook(field, settings, focused)), parts(look)) << "case " << &c - cases;
    }
}

TEST(FieldLook, FixedColoursAndDecoration) {
    CSettings plain(u""), custom(u""), underlined(u"");
    ReadSettingsText(custom, std::string(kCustomColours) + "UnderlineFixedTextMode=false\r\n");
    ReadSettingsText(underlined, std::string(kCustomColours) + "UnderlineFixedTextMode=true\r\n");
    const std::tuple<const CSettings&, CField, CFixedLook> cases[] = {
        {plain, Field(kNormalVideo), {0xC3B295, 0x000000, true, true, false}},
        {plain, Field(kBlinkVideo, false, false), {0xC3B295, 0xC3B295, true, true, false}},
        {plain, Field(kBlinkVideo, false, true), {0xC3B295, 0x000000, true, true, false}},
        {plain, Field(kReverseVideo), {0xFFFFFF, 0x000000, false, false, true}},
        {plain, Field(kNormalVideo, true), {0x33CCFF, 0x000000, false, true, false}},
        {plain, Field(kReverseVideo, true), {0x000000, 0x33CCFF, false, true, false}},
        {custom, Field(kNormalVideo), {0x0402FB, 0x010101, false, false, false}},
        {custom, Field(kBlinkVideo, false, true), {0x0402FB, 0x0402FB, false, false, false}},
        {custom, Field(kReverseVideo), {0x010101, 0x0402FB, false, false, false}},
        {custom, Field(kBlinkVideo, true, true), {0x070707, 0x080808, false, false, false}},
        {underlined, Field(kReverseVideo), {0x010101, 0x0402FB, false, true, false}}};
    auto parts = [](const CFixedLook& l) {
        return std::tuple(l.fill, l.text, l.cellEdge, l.underline, l.bevel);
    };
    for (const auto& c : cases) {
        auto [settings, field, look] = c;
        SetFixedColourSlots(field, settings);
        EXPECT_EQ(parts(FixedLook(field, settings)), parts(look)) << "case " << &c - cases;
    }
}

TEST(FieldLook, WatermarkColour) {
    CSettings plain(u""), custom(u"");
    EXPECT_EQ(WatermarkColour(plain), 0xC3B59Fu);
    ReadSettingsText(custom, kCustomColours);
    // Each channel 5 lighter; one that would pass 255 becomes 250.
    EXPECT_EQ(WatermarkColour(custom), 0x0907FAu);
}

}  // namespace
