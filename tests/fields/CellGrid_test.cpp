#include "fields/CellGrid.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

namespace {

TEST(CellGrid, AutoSizeShrinksTheFontIntoTheCell) {
    struct Case {
        int width, height, cols, rows;
        std::pair<int, int> firstAsked;
        CCellGrid grid;
    };
    const Case cases[] = {
        // 15 + 3 fits 18 and 5 + 4 / 2 fits 7.
        {640, 480, 80, 24, {-18, 7}, {8, 20, 15, 5}},
        {640, 120, 80, 24, {-3, 7}, {8, 5, 1, 5}},  // shrinks to one pixel and stops
        {80, 24, 80, 24, {-1, 1}, {1, 1, 1, 1}},    // no room: still one pixel
        {640, 100000, 80, 1, {-kMaxFontPixels, 7}, {8, 100000, kMaxFontPixels, 5}}};
    for (const Case& c : cases) {
        // A font whose line is three pixels taller than asked and whose
        // widest character is four wider than its average one.
        std::vector<std::pair<int, int>> asked;
        CCellGrid grid =
            AutoSizeGrid(c.width, c.height, c.cols, c.rows, [&](int height, int width) {
                asked.push_back({height, width});
                return CFontMetrics{-height, 3, 0, width, width + 4};
            });
        auto parts = [](const CCellGrid& g) {
            return std::tuple(g.cellWidth, g.cellHeight, g.fontHeight, g.fontWidth);
        };
        EXPECT_EQ(parts(grid), parts(c.grid)) << c.width << "x" << c.height;
        ASSERT_FALSE(asked.empty());
        EXPECT_EQ(asked.front(), c.firstAsked);
    }
}

TEST(CellGrid, PointSizeCells) {
    // Points, additional width, variable pitch, the height asked, the cell width.
    const std::tuple<int, int, bool, int, int> cases[] = {
        {9, 0, false, -12, 11},  // the widest character
        {9, 3, false, -12, 14},
        {9, 0, true, -12, 15},  // (7 + 2) * 1.7 = 15.3
        {9, 1, true, -12, 16},
        {216, 0, false, -288, 11},  // the host's largest adjustment on the usual 9 points
        {400, 0, false, -kMaxFontPixels, 11},
        {2147483647, 0, false, -kMaxFontPixels, 11},  // no overflow on the way
        {-1000, 0, false, kMaxFontPixels, 11}};
    for (const auto& [points, additional, variablePitch, askedHeight, cellWidth] : cases) {
        std::vector<int> asked;
        bool pitch = variablePitch;  // a lambda may not capture a structured binding everywhere
        CCellGrid grid = PointSizeGrid(96, points, additional, [&](int height, int width) {
            asked.push_back(height);
            EXPECT_EQ(width, 0);
            return CFontMetrics{15, 3, 1, 7, 11, pitch};
        });
        EXPECT_EQ(asked, std::vector<int>{askedHeight}) << points;
        EXPECT_EQ(std::tuple(grid.fontHeight, grid.fontWidth, grid.cellHeight, grid.cellWidth),
                  std::tuple(15, 0, 21, cellWidth))
            << points << " " << additional;
    }
}

}  // namespace
