// How fields look: the colours of entry and fixed fields, and the controls.
#include "fields/FieldLook.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "config/Settings.h"
#include "config/SettingsFile.h"
#include "fields/BoxControl.h"
#include "fields/ControlPaint.h"
#include "fields/Drawing.h"
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

TEST(FieldLook, ColoursByStateModeAndStyle) {
    CSettings plain(u""), custom(u""), underlined(u"");
    ReadSettingsText(custom, std::string(kCustomColours) + "UnderlineFixedTextMode=false\r\n");
    ReadSettingsText(underlined, std::string(kCustomColours) + "UnderlineFixedTextMode=true\r\n");
    // Settings, field, focused, look.
    const std::tuple<const CSettings&, CField, bool, CEntryLook> entries[] = {
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
    for (const auto& c : entries) {
        auto [settings, field, focused, look] = c;
        SetEntryColourSlots(field, settings);
        CEntryLook shown = EntryLook(field, settings, focused);
        EXPECT_EQ(std::tuple(shown.back, shown.text, shown.frame),
                  std::tuple(look.back, look.text, look.frame))
            << "entry case " << &c - entries;
    }
    const std::tuple<const CSettings&, CField, CFixedLook> fixed[] = {
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
    for (const auto& c : fixed) {
        auto [settings, field, look] = c;
        SetFixedColourSlots(field, settings);
        EXPECT_EQ(parts(FixedLook(field, settings)), parts(look)) << "fixed case " << &c - fixed;
    }
    // The watermark: each channel 5 lighter; one that would pass 255 becomes 250.
    EXPECT_EQ(std::pair(WatermarkColour(plain), WatermarkColour(custom)),
              std::pair(0xC3B59Fu, 0x0907FAu));
}

using K = FieldWindowClass;
constexpr uint32_t kYellow = 0x33CCFF;

// A control field of cells 10-pixel cells; class 3 takes input, 1 is
// display-only.
CField Control(const char16_t* text, int cls = 3, uint32_t cells = 10) {
    CField f;
    f.typeByte = static_cast<uint8_t>(cls);
    f.displayLength = cells;
    f.text.Set(text);
    f.colorSelectedBack = kYellow;
    return f;
}

CDrawing Paint(CField& f, K kind, int width = 41, int height = 21, bool focused = false) {
    CDrawing dc(0, 0, 1 << 20, 1 << 20);
    PaintControl(dc, f, kind, width, height, focused, CSettings(u""));
    return dc;
}

std::vector<CDrawStep> Of(const CDrawing& dc, DrawKind kind) {
    std::vector<CDrawStep> found;
    for (const CDrawStep& s : dc.Steps())
        if (s.kind == kind) found.push_back(s);
    return found;
}

// The one-pixel face rows of a button: row y -> colour.
std::map<int, uint32_t> FaceRows(const CDrawing& dc) {
    std::map<int, uint32_t> rows;
    for (const CDrawStep& s : Of(dc, DrawKind::Fill))
        if (s.bottom - s.top == 1) rows[s.top] = s.brush;
    return rows;
}

// The faces of plain, selected and pressed buttons are seen on the screen by
// the end-to-end tests; these are the gradient itself and the faces they miss.
TEST(ControlPaint, ButtonFacesBoxesFocusAndLabels) {
    // Truncated per step, every channel modulo 256; deep: twice each step.
    const std::vector<uint32_t> deep = Gradient(20, {255, 255, 239}, {165, 158, 148}, true);
    EXPECT_EQ(Gradient(20, {255, 255, 239}, {165, 158, 148})[17], Colour(178, 172, 161));
    EXPECT_EQ(deep[10], Colour(165, 158, 148));
    EXPECT_EQ(Gradient(2, {0, 0, 0}, {-600, 300, 0})[1], Colour(-300 & 0xFF, 150, 0));
    // Key caps of the blinking and reverse styles are yellow.
    CField keys = Control(u"F1", 1);
    keys.attrByte = 0x30;
    EXPECT_EQ(FaceRows(Paint(keys, K::Keys))[1], Colour(255, 247, 158));
    // A select button's state and label come from its text; pressed, its face
    // darkens twice as fast from the top.
    CField yes = Control(u"XYes"), no = Control(u"-No");
    CDrawing chosen = Paint(yes, K::SelectButton);
    EXPECT_EQ(FaceRows(chosen)[1], deep[19]);
    EXPECT_EQ(chosen.text, u"Yes");
    EXPECT_EQ(yes.onState, 1);
    no.onState = 1;
    EXPECT_EQ(Paint(no, K::SelectButton).text, u"No");
    EXPECT_EQ(no.onState, 0);

    // Marks and dots are seen on the screen by the end-to-end tests.
    // The box: cells times the size factor, up to the height. Size factor,
    // height, box size.
    CField f = Control(u" A");
    const int cases[][3] = {{2, 30, 20}, {2, 20, 20}, {2, 12, 12}, {-48, 20, 0}, {0, 20, 0}};
    for (auto [size, height, boxSize] : cases) {
        CDrawing dc(0, 0, 100, 100);
        CBoxControl box(dc, 0, 0, 100, height, u"A", 10, false, size, false, f, CSettings(u""));
        EXPECT_EQ(box.boxSize, boxSize) << size << " " << height;
    }
    // Focus dashes white on the selected fill.
    CField off = Control(u" Label");
    off.selected = 1;
    CDrawing selected = Paint(off, K::CheckBox, 100, 20, true);
    EXPECT_EQ(Of(selected, DrawKind::Rectangle).at(0).brush, kYellow);
    EXPECT_EQ(Of(selected, DrawKind::Line).back().pen, 0xFFFFFFu);
    // Display-only: light grey inside, never a focus mark.
    CField shown = Control(u"XLabel", 1);
    std::vector<CDrawStep> lines = Of(Paint(shown, K::CheckBox, 100, 20, true), DrawKind::Line);
    EXPECT_EQ(lines.back().pen, 0xC4C4C4u);
    EXPECT_EQ(lines.size(), Of(Paint(shown, K::CheckBox, 100, 20), DrawKind::Line).size());

    // A radio button's label stops at the field's length and skips the
    // padding; the text itself stays whole.
    CField one = Control(u"X\x7F\x7FOne two", 3, 6);
    EXPECT_EQ(Paint(one, K::RadioButton, 60, 20).text, u"One");
    EXPECT_EQ(one.text.Get(), u"X\x7F\x7FOne two");
    // Blinking, off phase: the ball but no label.
    CField blinking = Control(u" Off");
    blinking.attrByte = 0x10;
    CDrawing dark = Paint(blinking, K::RadioButton, 100, 20, true);
    EXPECT_FALSE(Of(dark, DrawKind::Ellipse).empty());
    EXPECT_TRUE(Of(dark, DrawKind::Label).empty());
    blinking.blinkOn = 1;
    EXPECT_EQ(Of(Paint(blinking, K::RadioButton, 100, 20, true), DrawKind::Label).size(), 2u);
}

// Under the sanitizers and checked container indexes: every table read
// stays inside its table, whatever the size and the host's values.
TEST(ControlPaint, EverySizeReadsInsideItsTablesAndDrawsOnlyWhatShows) {
    for (K kind : {K::Button, K::Keys, K::SelectButton, K::CheckBox, K::RadioButton})
        for (int height = -1; height <= 40; ++height)
            for (const char16_t* text : {u"", u"X", u"XLonger than the field"})
                for (int size : {-48, 0, 1, 207}) {
                    CField f = Control(text, height % 2 ? 3 : 1, static_cast<uint32_t>(height % 3));
                    f.optionS = size;
                    f.onState = height % 2;
                    f.selected = height % 3 == 0;
                    Paint(f, kind, height * 3, height, true);
                }
    // A focused button far wider than the screen: the dashes beyond the
    // visible part are left out.
    CField wide = Control(u"Wide", 3, 5000);
    CDrawing dc(0, 0, 200, 20);
    PaintControl(dc, wide, K::Button, 50000, 20, true, CSettings(u""));
    EXPECT_LT(dc.Steps().size(), 150u);
}

}  // namespace
