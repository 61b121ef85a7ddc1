#include "fields/ControlPaint.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "config/Settings.h"
#include "fields/BoxControl.h"
#include "fields/Drawing.h"
#include "screen/Field.h"

namespace {

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
    for (const CDrawStep& s : dc.Steps()) {
        if (s.kind == kind) found.push_back(s);
    }
    return found;
}

// The one-pixel face rows of a button: row y -> colour.
std::map<int, uint32_t> FaceRows(const CDrawing& dc) {
    std::map<int, uint32_t> rows;
    for (const CDrawStep& s : Of(dc, DrawKind::Fill)) {
        if (s.bottom - s.top == 1) rows[s.top] = s.brush;
    }
    return rows;
}

// The faces of plain, selected and pressed buttons are seen on the screen by
// the end-to-end tests; these are the gradient itself and the faces they miss.
TEST(ControlPaint, ButtonFacesFollowTheGradient) {
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
}

TEST(ControlPaint, BoxSizeIsCellsTimesSizeUpToTheHeight) {
    CField f = Control(u" A");
    // Size factor, height, box size.
    const int cases[][3] = {{2, 30, 20}, {2, 20, 20}, {2, 12, 12}, {-48, 20, 0}, {0, 20, 0}};
    for (auto [size, height, boxSize] : cases) {
        CDrawing dc(0, 0, 100, 100);
        CBoxControl box(dc, 0, 0, 100, height, u"A", 10, false, size, false, f, CSettings(u""));
        EXPECT_EQ(box.boxSize, boxSize) << size << " " << height;
    }
}

// Marks and dots are seen on the screen by the end-to-end tests.
TEST(ControlPaint, CheckBoxAndRadioButtonFocusAndLabels) {
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
    CField chosen = Control(u"X\x7F\x7FOne two", 3, 6);
    EXPECT_EQ(Paint(chosen, K::RadioButton, 60, 20).text, u"One");
    EXPECT_EQ(chosen.text.Get(), u"X\x7F\x7FOne two");
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
TEST(ControlPaint, EverySizeReadsInsideItsTables) {
    for (K kind : {K::Button, K::Keys, K::SelectButton, K::CheckBox, K::RadioButton}) {
        for (int height = -1; height <= 40; ++height) {
            for (const char16_t* text : {u"", u"X", u"XLonger than the field"}) {
                for (int size : {-48, 0, 1, 207}) {
                    CField f = Control(text, height % 2 ? 3 : 1, static_cast<uint32_t>(height % 3));
                    f.optionS = size;
                    f.onState = height % 2;
                    f.selected = height % 3 == 0;
                    Paint(f, kind, height * 3, height, true);
                }
            }
        }
    }
}

// A focused button far wider than the screen: the dashes beyond the visible
// part are left out.
TEST(ControlPaint, OnlyWhatShowsIsDrawn) {
    CField wide = Control(u"Wide", 3, 5000);
    CDrawing dc(0, 0, 200, 20);
    PaintControl(dc, wide, K::Button, 50000, 20, true, CSettings(u""));
    EXPECT_LT(dc.Steps().size(), 150u);
}

}  // namespace
