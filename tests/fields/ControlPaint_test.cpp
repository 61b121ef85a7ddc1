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

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kGrey = 0x7F7F7F;
constexpr uint32_t kLight = 0xC4C4C4;
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

CDrawing Paint(CField& f, FieldWindowClass kind, int width, int height, bool focused = false,
               const CSettings& settings = CSettings(u"")) {
    CDrawing dc(0, 0, 1 << 20, 1 << 20);
    PaintControl(dc, f, kind, width, height, focused, settings);
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

TEST(ControlPaint, ButtonFaceRowsFollowTheGradient) {
    // Grey from (255, 255, 239) to (165, 158, 148) in 20 steps.
    std::vector<uint32_t> grey = Gradient(20, {255, 255, 239}, {165, 158, 148});
    EXPECT_EQ(grey[0], Colour(255, 255, 239));
    EXPECT_EQ(grey[17], Colour(178, 172, 161));
    EXPECT_EQ(grey[19], Colour(169, 162, 152));
    // Deep: twice each step, every channel modulo 256.
    EXPECT_EQ(Gradient(20, {255, 255, 239}, {165, 158, 148}, true)[10], Colour(165, 158, 148));
    EXPECT_EQ(Gradient(2, {0, 0, 0}, {-600, 300, 0})[1], Colour(-300 & 0xFF, 150, 0));

    CField button = Control(u"OK");
    std::map<int, uint32_t> raised = FaceRows(Paint(button, FieldWindowClass::Button, 41, 21));
    ASSERT_EQ(raised.size(), 18u);
    for (int k = 0; k < 18; ++k) EXPECT_EQ(raised[1 + k], grey[k]) << k;
    button.onState = 1;
    std::map<int, uint32_t> pressed = FaceRows(Paint(button, FieldWindowClass::Button, 41, 21));
    EXPECT_EQ(pressed[1], grey[19]);
    EXPECT_EQ(pressed[18], grey[2]);
    // Selected buttons, and key caps of the blinking and reverse styles, are yellow.
    button.onState = 0;
    button.selected = 1;
    EXPECT_EQ(FaceRows(Paint(button, FieldWindowClass::Button, 41, 21))[1], Colour(255, 247, 158));
    CField keys = Control(u"F1", 1);
    keys.attrByte = 0x30;
    EXPECT_EQ(FaceRows(Paint(keys, FieldWindowClass::Keys, 41, 21))[1], Colour(255, 247, 158));
}

TEST(ControlPaint, SelectButtonStateAndLabelComeFromTheText) {
    CField yes = Control(u"XYes"), no = Control(u"-No");
    CDrawing chosen = Paint(yes, FieldWindowClass::SelectButton, 41, 21);
    EXPECT_EQ(yes.onState, 1);
    EXPECT_EQ(chosen.text, u"Yes");
    // Pressed, the face darkens twice as fast from the top.
    EXPECT_EQ(FaceRows(chosen)[1], Gradient(20, {255, 255, 239}, {165, 158, 148}, true)[19]);
    no.onState = 1;
    EXPECT_EQ(Paint(no, FieldWindowClass::SelectButton, 41, 21).text, u"No");
    EXPECT_EQ(no.onState, 0);
}

TEST(ControlPaint, BoxSizeIsCellsTimesSizeUpToTheHeight) {
    CField f = Control(u" A");
    for (int height : {30, 20, 12}) {
        CDrawing dc(0, 0, 100, 100);
        CBoxControl box(dc, 0, 0, 100, height, u"A", 10, false, 2, false, f, CSettings(u""));
        EXPECT_EQ(box.boxSize, std::min(height, 20)) << height;
    }
    for (int size : {-48, 0}) {
        CDrawing dc(0, 0, 100, 100);
        EXPECT_EQ(
            CBoxControl(dc, 0, 0, 100, 20, u"", 10, false, size, false, f, CSettings(u"")).boxSize,
            0);
    }
}

TEST(ControlPaint, CheckBoxMarksFocusAndLooks) {
    // Check mark present and absent; focus dashes white on the selected fill.
    CField on = Control(u"XLabel"), off = Control(u" Label");
    EXPECT_EQ(Of(Paint(on, FieldWindowClass::CheckBox, 100, 20), DrawKind::Polygon).size(), 1u);
    EXPECT_EQ(on.onState, 1);
    EXPECT_TRUE(Of(Paint(off, FieldWindowClass::CheckBox, 100, 20), DrawKind::Polygon).empty());
    off.selected = 1;
    CDrawing selected = Paint(off, FieldWindowClass::CheckBox, 100, 20, true);
    EXPECT_EQ(Of(selected, DrawKind::Rectangle).at(0).brush, kYellow);
    EXPECT_EQ(Of(selected, DrawKind::Line).back().pen, 0xFFFFFFu);

    // Display-only: grey mark, light grey inside, never a focus mark.
    CField shown = Control(u"XLabel", 1);
    CDrawing embossed = Paint(shown, FieldWindowClass::CheckBox, 100, 20, true);
    std::vector<CDrawStep> mark = Of(embossed, DrawKind::Polygon);
    ASSERT_EQ(mark.size(), 1u);
    EXPECT_EQ(mark[0].pen, kGrey);
    EXPECT_EQ(mark[0].brush, kGrey);
    std::vector<CDrawStep> lines = Of(embossed, DrawKind::Line);
    EXPECT_EQ(lines.size(),
              Of(Paint(shown, FieldWindowClass::CheckBox, 100, 20), DrawKind::Line).size());
    EXPECT_EQ(lines.back().pen, kLight);
}

TEST(ControlPaint, RadioButtonBallDotAndLabel) {
    CField chosen = Control(u"X\x7F\x7FOne two", 3, 6);
    CDrawing dc = Paint(chosen, FieldWindowClass::RadioButton, 60, 20);
    std::vector<CDrawStep> balls = Of(dc, DrawKind::Ellipse);
    ASSERT_GE(balls.size(), 3u);
    EXPECT_EQ(balls.back().brush, kBlack);  // the dot
    // The label stops at the field's length; the text itself stays whole.
    EXPECT_EQ(dc.text, u"One");
    EXPECT_EQ(chosen.text.Get(), u"X\x7F\x7FOne two");
    EXPECT_EQ(Of(dc, DrawKind::Label).size(), 1u);

    // Blinking, off phase: the ball but no label.
    CField blinking = Control(u" Off");
    blinking.attrByte = 0x10;
    CDrawing off = Paint(blinking, FieldWindowClass::RadioButton, 100, 20, true);
    EXPECT_FALSE(Of(off, DrawKind::Ellipse).empty());
    EXPECT_TRUE(Of(off, DrawKind::Label).empty());
    blinking.blinkOn = 1;
    EXPECT_EQ(
        Of(Paint(blinking, FieldWindowClass::RadioButton, 100, 20, true), DrawKind::Label).size(),
        2u);
}

// Under the sanitizers and checked container indexes: every table read
// stays inside its table, whatever the size and the host's values.
TEST(ControlPaint, EverySizeReadsInsideItsTables) {
    const FieldWindowClass kinds[] = {FieldWindowClass::Button, FieldWindowClass::Keys,
                                      FieldWindowClass::SelectButton, FieldWindowClass::CheckBox,
                                      FieldWindowClass::RadioButton};
    for (FieldWindowClass kind : kinds) {
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

TEST(ControlPaint, OnlyWhatShowsIsDrawn) {
    // A focused button far wider than the screen: the dashes beyond the
    // visible part are left out.
    CField wide = Control(u"Wide", 3, 5000);
    CDrawing dc(0, 0, 200, 20);
    PaintControl(dc, wide, FieldWindowClass::Button, 50000, 20, true, CSettings(u""));
    EXPECT_LT(dc.Steps().size(), 150u);
}

}  // namespace
