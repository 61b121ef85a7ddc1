// The fields: how they look, where they go in pixels, and the input rules of
// entry fields and controls with what they ask of their window.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "config/Settings.h"
#include "config/SettingsFile.h"
#include "fields/BevelBlock.h"
#include "fields/BoxControl.h"
#include "fields/CellGrid.h"
#include "fields/ControlInput.h"
#include "fields/ControlPaint.h"
#include "fields/Drawing.h"
#include "fields/EntryEditor.h"
#include "fields/EntryLayout.h"
#include "fields/FieldLook.h"
#include "screen/Field.h"
#include "screen/FieldWindowClass.h"
#include "screen/Page.h"
#include "support/RecordingPort.h"

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
    auto entryParts = [](const CEntryLook& l) { return std::tuple(l.back, l.text, l.frame); };
    for (const auto& c : entries) {
        auto [settings, field, focused, look] = c;
        SetEntryColourSlots(field, settings);
        EXPECT_EQ(entryParts(EntryLook(field, settings, focused)), entryParts(look))
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
CField Control(const char16_t* text, int cls = 3, uint32_t cells = 10, uint8_t style = 0) {
    CField f = Field(style);
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
    CField keys = Control(u"F1", 1, 10, 0x30);
    EXPECT_EQ(FaceRows(Paint(keys, K::Keys))[1], Colour(255, 247, 158));
    // A select button's state and label come from its text; pressed, its face
    // darkens twice as fast from the top.
    CField yes = Control(u"XYes"), no = Control(u"-No");
    CDrawing chosen = Paint(yes, K::SelectButton);
    EXPECT_EQ(FaceRows(chosen)[1], deep[19]);
    EXPECT_EQ(chosen.text, u"Yes");
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
    CField blinking = Control(u" Off", 3, 10, 0x10);
    CDrawing dark = Paint(blinking, K::RadioButton, 100, 20, true);
    EXPECT_EQ(std::pair(Of(dark, DrawKind::Ellipse).empty(), Of(dark, DrawKind::Label).size()),
              std::pair(false, size_t{0}));
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

auto Parts(const CCellGrid& g) {
    return std::tuple(g.cellWidth, g.cellHeight, g.fontHeight, g.fontWidth);
}

TEST(CellGrid, AutoSizeShrinksTheFontIntoTheCellAndPointSizesMakeCells) {
    // Client width and height, columns and rows, the first size asked, the grid.
    const std::tuple<int, int, int, int, std::pair<int, int>, CCellGrid> cases[] = {
        // 15 + 3 fits 18 and 5 + 4 / 2 fits 7.
        {640, 480, 80, 24, {-18, 7}, {8, 20, 15, 5}},
        {640, 120, 80, 24, {-3, 7}, {8, 5, 1, 5}},  // shrinks to one pixel and stops
        {80, 24, 80, 24, {-1, 1}, {1, 1, 1, 1}},    // no room: still one pixel
        {640, 100000, 80, 1, {-kMaxFontPixels, 7}, {8, 100000, kMaxFontPixels, 5}}};
    for (const auto& [width, height, cols, rows, firstAsked, expected] : cases) {
        // A font whose line is three pixels taller than asked and whose
        // widest character is four wider than its average one.
        std::vector<std::pair<int, int>> asked;
        CCellGrid grid = AutoSizeGrid(width, height, cols, rows, [&](int h, int w) {
            asked.push_back({h, w});
            return CFontMetrics{-h, 3, 0, w, w + 4};
        });
        EXPECT_EQ(Parts(grid), Parts(expected)) << width << "x" << height;
        EXPECT_EQ(asked.at(0), firstAsked);
    }

    // The cells of a point size: points, additional width, variable pitch,
    // the height asked, the cell width.
    const std::tuple<int, int, bool, int, int> sizes[] = {
        {9, 0, false, -12, 11},  // the widest character
        {9, 3, false, -12, 14},
        {9, 0, true, -12, 15},  // (7 + 2) * 1.7 = 15.3
        {9, 1, true, -12, 16},
        {216, 0, false, -288, 11},  // the host's largest adjustment on the usual 9 points
        {400, 0, false, -kMaxFontPixels, 11},
        {2147483647, 0, false, -kMaxFontPixels, 11},  // no overflow on the way
        {-1000, 0, false, kMaxFontPixels, 11}};
    for (const auto& [points, additional, variablePitch, askedHeight, cellWidth] : sizes) {
        std::vector<int> asked;
        bool pitch = variablePitch;  // a lambda may not capture a structured binding everywhere
        CCellGrid grid = PointSizeGrid(96, points, additional, [&](int height, int width) {
            asked.push_back(height);
            EXPECT_EQ(width, 0);
            return CFontMetrics{15, 3, 1, 7, 11, pitch};
        });
        EXPECT_EQ(asked, std::vector<int>{askedHeight}) << points;
        EXPECT_EQ(Parts(grid), std::tuple(cellWidth, 21, 15, 0)) << points << " " << additional;
    }
}

TEST(EntryLayout, TextAndCaretPlacement) {
    // Text width, caret offset, right-aligned; the text image's first column
    // shown, where it lands and the caret, in a field 80 pixels wide.
    const int cases[][6] = {
        {30, 10, 0, 0, 1, 10},  {30, 10, 1, 0, 50, 59},  {100, 40, 0, 0, 1, 40},
        {100, 40, 1, 0, 2, 40}, {100, 90, 0, 10, 1, 78}, {100, 90, 1, 10, 1, 78},  // kept inside
        {80, 80, 0, 0, 1, 78},  {0, 0, 0, 0, 1, 2}};  // never on the frame's left line
    for (const auto& [text, caret, right, sourceX, destX, caretX] : cases) {
        CEntryPlacement p = PlaceEntryText(text, caret, 80, right);
        EXPECT_EQ(std::tuple(p.sourceX, p.destX, p.caretX), std::tuple(sourceX, destX, caretX))
            << text << " " << caret << " " << right;
    }
    EXPECT_EQ(EntryTextImageWidth(5, 8, 8, 0), 176);  // 13 * 8 * 1.7 = 176.8
}

// A reverse-video field of four 10-pixel cells at column 2 of a 20-pixel row;
// block: the cells of other reverse-video fields as "column,row column,row".
std::vector<CBevelStroke> Strokes(uint32_t row, const std::string& block, int height = 20) {
    CField field;
    field.row = row;
    field.column = 2;
    field.displayLength = 4;
    auto inBlock = [block = " " + block + " "](int column, int r) {
        return block.find(" " + std::to_string(column) + "," + std::to_string(r) + " ") !=
               std::string::npos;
    };
    return BevelStrokes(field, 40, height, 24, kPageColour, 0xFFFFFF, inBlock);
}

TEST(BevelBlock, OuterBoundaryOnlyShadedInwards) {
    // Row, the block around, the strokes and the mitred corners among them,
    // strokes drawn as "x,y x,y" (a corner has three points), "|" between,
    // "!" before one that is not.
    const std::tuple<uint32_t, const char*, int, int, const char*> cases[] = {
        {5, "", 30, 0, "0,0 10,0|30,19 40,19|0,0 0,20|39,0 39,20|2,2 2,18"},
        {5, "6,5", 27, 0, "0,0 0,20|!39,0 39,20"},
        {5, "1,5", 27, 0, "39,0 39,20|!0,0 0,20"},
        // The block above covers the first two cells: the top starts at the
        // third with a mitre, and the left side runs up to the row above.
        {5, "2,4 3,4", 27, 3,
         "19,0 19,0 19,-1|19,1 18,1 18,-1|20,2 30,2|1,0 1,19|!0,0 10,0|!10,1 20,1"},
        {5, "4,4 5,4", 27, 3, "20,0 20,0 20,-1|20,2 22,2 22,-1|37,0 37,18|!20,0 30,0"},
        {5, "2,6 3,6 4,6 5,6", 18, 0, "0,0 0,20|2,2 2,20|!0,19 10,19"},
        {0, "", 21, 0, "0,1 40,1|!0,1 10,1"},  // the first row
        {23, "2,24", 30, 0, "0,19 10,19"}};    // the last row is open below
    for (const auto& [row, block, count, corners, drawn] : cases) {
        SCOPED_TRACE(testing::Message() << row << " " << block);
        std::vector<CBevelStroke> strokes = Strokes(row, block);
        std::set<std::string> seen;
        int mitres = 0;
        for (const CBevelStroke& s : strokes) {
            std::string points;
            for (int i = 0; i < s.count; ++i)
                points += (i ? " " : "") + std::to_string(s.x[i]) + "," + std::to_string(s.y[i]);
            seen.insert(points);
            mitres += s.count == 3;
        }
        EXPECT_EQ(std::pair(static_cast<int>(strokes.size()), mitres), std::pair(count, corners));
        std::istringstream expected(drawn);
        for (std::string points; std::getline(expected, points, '|');) {
            bool absent = points[0] == '!';
            EXPECT_EQ(seen.count(points.substr(absent ? 1 : 0)), absent ? 0u : 1u) << points;
        }
    }
    // The outermost line in the page colour, lighter inwards; five deep at
    // most, and none under 7 pixels.
    std::vector<CBevelStroke> strokes = Strokes(5, "");
    EXPECT_EQ(std::tuple(strokes.at(0).colour, strokes.at(1).colour, strokes.at(2).colour),
              std::tuple(kPageColour, 0xD7CBB8u, 0xEBE4DBu));
    EXPECT_EQ(Strokes(5, "", 40).size(), 50u);
    EXPECT_TRUE(Strokes(5, "", 6).empty());
}

// The window work as one line of calls, e.g. "paint5 capture | release key5,0".
struct CWorkLog : CEntryWindowWork, CControlWork {
    void CompleteField(int n) override { Add("complete" + std::to_string(n)); }
    void MoveFocus(int d) override { Add("move" + std::to_string(d)); }
    void SendKey(int n, int key) override {
        Add("key" + std::to_string(n) + "," + std::to_string(key));
    }
    void SetCurrentField(int n) override { Add("current" + std::to_string(n)); }
    int CurrentField() override { return -1; }
    void Beep(bool messageBox) override { Add(messageBox ? "error-beep" : "beep"); }
    void Redraw() override {}
    void Repaint(CField& f) override { Add("paint" + std::to_string(f.fieldNumber)); }
    void CaptureMouse() override { Add("capture"); }
    void ReleaseMouse() override { Add("release"); }
    std::string log;

    void Add(const std::string& call) {
        log += (log.empty() || log.back() == ' ' ? "" : " ") + call;
    }
};

// What the letters of kKeyLetters stand for in an editor case's input.
const std::u16string kKeyLetters = u"RDH2#";
const CKeyPress kKeys[] = {{0x27}, {0x2E}, {0x24}, {0x71}, {'3', true}};

TEST(EntryEditor, TypingEditingAndReports) {
    // Name; text, maxLength, type and attribute bytes; options: "P" protected
    // field, "n" fieldedit off, "U" upper case input, "e" Enter not to F0, "p"
    // characters come from the port, "s" after a prefix, "c" a completion is
    // under way; the input: letters are typed, "<" is Backspace, "^" Enter,
    // "R" the Right arrow, "D" Delete, "H" Home, "2" F2, "#" Ctrl+3, "L" the
    // focus leaving; then the text and the window work.
    const std::tuple<const char*, std::u16string, int, uint8_t, uint8_t, std::string,
                     std::u16string, std::u16string, const char*>
        cases[] = {
            {"fresh focus replaces", u"123", 8, 3, 0, "", u"4", u"4", ""},
            {"no fieldedit: caret at 0", u"123", 8, 3, 0, "n", u"4", u"4123", ""},
            {"a move first keeps the text", u"123", 8, 3, 0, "", u"R4", u"1423", ""},
            {"numeric refuses a letter", u"123", 8, 0x23, 0, "", u"x", u"123", "error-beep"},
            {"upper case only a to z", u"", 8, 3, 0, "U", u"a\u00e4", u"A\u00e4", ""},
            {"filled in the middle: no completion, no advance", u"ab", 3, 0x07, 0x08, "n", u"Rx",
             u"axb", ""},
            {"beyond maxLength dropped", u"", 2, 3, 0, "", u"abc", u"ab", ""},
            {"protected: keys only", u"12", 8, 3, 0, "P", u"x^<D2#", u"12", "key7,2 key7,23"},
            {"Enter not to F0 moves on", u"", 8, 3, 0, "e", u"^", u"", "move1"},
            {"backspace and delete", u"abcd", 8, 3, 0, "", u"RR<HD", u"cd", ""},
            {"leaving unchanged", u"ab", 8, 0x07, 0, "", u"L", u"ab", ""},
            {"leaving changed completes", u"ab", 8, 0x07, 0, "", u"xL", u"x", "complete7"},
            {"no completion inside one", u"ab", 8, 0x07, 0, "c", u"xL", u"x", ""},
            {"port into protected", u"", 8, 3, 0, "Pp", u"7^", u"7", "key7,0"},
            {"port CR after a prefix", u"", 8, 3, 0, "Pps", u"7^", u"7\r", ""}};
    for (const auto& [name, text, maxLength, typeByte, attrByte, options, input, textAfter, log] :
         cases) {
        const std::string flags = options;
        auto has = [&](char option) { return flags.find(option) != std::string::npos; };
        CSettings settings(u"");
        settings.SetFieldEdit(!has('n'));
        settings.SetUpperCaseInputMode(has('U'));
        settings.SetFieldEnterToF0(!has('e'));
        CField field = Field(attrByte);
        field.fieldNumber = 7;
        field.typeByte = typeByte;
        field.attrFlag4 = has('P');
        field.prefixSet = has('s');
        field.completing = has('c');
        field.maxLength = maxLength;
        field.text.Allocate(maxLength);
        field.text.Set(text);
        field.hasCaret = 1;
        field.freshFocus = 1;
        CWorkLog work;
        CEntryEditor editor(field, settings, work);
        for (char16_t k : input) {
            if (k == u'L')
                editor.LoseFocus();
            else if (size_t key = kKeyLetters.find(k); key != std::u16string::npos)
                editor.KeyDown(kKeys[key]);
            else
                editor.Character(k == u'<' ? 8 : k == u'^' ? 13 : k, has('p'));
        }
        EXPECT_EQ(field.text.Get(), textAfter) << name;
        EXPECT_EQ(work.log, log) << name;
    }
}

// Keys by name, "shift+" before one for Shift; a number is a virtual-key code.
CKeyPress Key(std::string name) {
    static const std::map<std::string, unsigned> codes = {
        {"tab", 0x09}, {"enter", 0x0D}, {"space", 0x20}, {"left", 0x25},
        {"F1", 0x70},  {"F2", 0x71},    {"F3", 0x72}};
    CKeyPress k;
    k.shift = name.rfind("shift+", 0) == 0;
    if (k.shift) name = name.substr(6);
    auto code = codes.find(name);
    k.virtualKey = code != codes.end() ? code->second : static_cast<unsigned>(std::stoi(name));
    return k;
}

// Runs the events ("down", "up", "in", "out" or a key, space-separated) on
// the field as its window class takes them; the log has " | " between events.
std::string Play(CField& f, const CSettings& settings, const std::string& events) {
    CWorkLog work;
    CControlInput input(f, WindowClassFor(f), settings, work);
    std::istringstream words(events);
    std::string e;
    for (bool first = true; words >> e; first = false) {
        if (!first) work.log += " | ";
        if (e == "down")
            input.MouseDown();
        else if (e == "up")
            input.MouseUp();
        else if (e == "in" || e == "out")
            e == "in" ? input.FocusGained() : input.FocusLost();
        else
            input.KeyDown(Key(e));
    }
    return work.log;
}

// What the host receives of the rest is played in the exchanges.
TEST(ControlInputTest, EventsByClassAndTheMarks) {
    CSettings settings(u"");
    CRecordingPort port;
    CPage page(0, port, settings);
    // Field n with that control; class 3 takes input, 1 is display-only.
    auto make = [&](int n, uint8_t control, const char16_t* text, int cls = 3) -> CField& {
        CField* f = page.fields.CreateField(n, static_cast<uint32_t>(n), 0, 10);
        f->typeByte = static_cast<uint8_t>(cls);
        f->controlKind = control;
        f->text.Allocate(10);
        f->text.Set(text);
        return *f;
    };
    const std::tuple<uint8_t, int, const char*, const char*> cases[] = {
        // A release without a press of its own is no click.
        {kButtonControl, 3, "up", "release"},
        {kButtonControl, 3, "space shift+F2 241 enter left shift+tab",
         " | key5,12 |  | key5,0 | move-1 | move-1"},
        {kCheckBoxControl, 3, "241 tab F3", "key5,26 | move1 | key5,3"},
        {kKeysControl, 1, "down F1 up", "paint5 |  | paint5"},
        {kCheckBoxControl, 3, "in out", "paint5 current5 | paint5"},
        {kSelectButtonControl, 3, "in", "paint5"},
    };
    for (const auto& [control, cls, events, log] : cases)
        EXPECT_EQ(Play(make(5, control, u" Label", cls), settings, events), log) << events;
    // A key cap looks pressed while held, and reports nothing.
    CField& cap = make(5, kKeysControl, u"F1", 1);
    Play(cap, settings, "down");
    EXPECT_EQ(cap.onState, 1);
    Play(cap, settings, "up");
    EXPECT_EQ(cap.onState + cap.modified, 0);

    // The mark goes into the text, a blank one's too. A page's radio buttons
    // are one group: Space or a click moves the mark.
    EXPECT_EQ(Play(make(5, kCheckBoxControl, u""), settings, "down"), "paint5 capture");
    CField& one = make(3, kRadioButtonControl, u"XOne");
    CField& two = make(7, kRadioButtonControl, u" Two");
    make(8, kCheckBoxControl, u"XOther");
    EXPECT_EQ(Play(two, settings, "space"), "paint3 paint7");
    EXPECT_EQ(Play(one, settings, "down"), "paint3 paint7 paint3");
    std::u16string texts;
    for (CField* f = page.fields.Head(); f; f = f->next) texts += f->text.Get() + u"|";
    EXPECT_EQ(texts, u"XOne|X| Two|XOther|");
}

}  // namespace
