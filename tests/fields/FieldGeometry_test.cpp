// Where fields go in pixels: cells, entry text and caret, and bevels.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fields/BevelBlock.h"
#include "fields/CellGrid.h"
#include "fields/EntryLayout.h"
#include "screen/Field.h"

namespace {

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
        ASSERT_FALSE(asked.empty());
        EXPECT_EQ(asked.front(), firstAsked);
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
    const int cases[][6] = {{30, 10, 0, 0, 1, 10},   {30, 10, 1, 0, 50, 59},
                            {30, 0, 1, 0, 50, 49},   {100, 40, 0, 0, 1, 40},
                            {100, 40, 1, 0, 2, 40},  {100, 90, 0, 10, 1, 78},  // kept inside
                            {100, 90, 1, 10, 1, 78}, {80, 80, 0, 0, 1, 78},
                            {0, 0, 0, 0, 1, 2}};  // never on the frame's left line
    for (const auto& [text, caret, right, sourceX, destX, caretX] : cases) {
        CEntryPlacement p = PlaceEntryText(text, caret, 80, right);
        EXPECT_EQ(std::tuple(p.sourceX, p.destX, p.caretX), std::tuple(sourceX, destX, caretX))
            << text << " " << caret << " " << right;
    }
    EXPECT_EQ(EntryTextImageWidth(5, 8, 8, 0), 176);  // 13 * 8 * 1.7 = 176.8
}

constexpr uint32_t kPage = 0xC3B295;

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
    return BevelStrokes(field, 40, height, 24, kPage, 0xFFFFFF, inBlock);
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
    ASSERT_GE(strokes.size(), 3u);
    EXPECT_EQ(std::tuple(strokes[0].colour, strokes[1].colour, strokes[2].colour),
              std::tuple(kPage, 0xD7CBB8u, 0xEBE4DBu));
    EXPECT_EQ(Strokes(5, "", 40).size(), 50u);
    EXPECT_TRUE(Strokes(5, "", 6).empty());
}

}  // namespace
