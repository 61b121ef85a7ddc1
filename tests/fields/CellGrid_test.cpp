#include "fields/CellGrid.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// A font whose line is three pixels taller than asked and whose widest
// character is four wider than its average one.
struct CFakeFont {
    std::vector<std::pair<int, int>> asked;
    CFontMetrics operator()(int height, int width) {
        asked.push_back({height, width});
        CFontMetrics m;
        m.height = -height;
        m.internalLeading = 3;
        m.aveCharWidth = width;
        m.maxCharWidth = width + 4;
        return m;
    }
};

TEST(CellGrid, AutoSizeShrinksTheFontIntoTheCell) {
    CFakeFont font;
    CCellGrid grid = AutoSizeGrid(640, 480, 80, 24, std::ref(font));
    EXPECT_EQ(grid.cellWidth, 8);
    EXPECT_EQ(grid.cellHeight, 20);
    ASSERT_FALSE(font.asked.empty());
    EXPECT_EQ(font.asked.front(), std::make_pair(-18, 7));
    EXPECT_EQ(grid.fontHeight, 15);  // 15 + 3 fits 18
    EXPECT_EQ(grid.fontWidth, 5);    // 5 + 4 / 2 fits 7
}

TEST(CellGrid, AutoSizeStopsAtOnePixel) {
    CFakeFont font;
    CCellGrid grid = AutoSizeGrid(80, 24, 80, 24, std::ref(font));
    EXPECT_EQ(grid.fontHeight, 1);
    EXPECT_EQ(grid.fontWidth, 1);
    EXPECT_GE(grid.cellWidth, 1);
    EXPECT_GE(grid.cellHeight, 1);
}

TEST(CellGrid, PointSizeCells) {
    struct Case {
        bool variablePitch;
        int additional;
        int cellWidth;
    };
    const Case cases[] = {
        {false, 0, 11},  // the widest character
        {false, 3, 14},
        {true, 0, 15},  // (7 + 2) * 1.7 = 15.3
        {true, 1, 16},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<int, int>> asked;
        auto measure = [&](int height, int width) {
            asked.push_back({height, width});
            CFontMetrics m;
            m.height = 15;
            m.internalLeading = 3;
            m.externalLeading = 1;
            m.aveCharWidth = 7;
            m.maxCharWidth = 11;
            m.variablePitch = c.variablePitch;
            return m;
        };
        CCellGrid grid = PointSizeGrid(96, 9, c.additional, measure);
        EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{-12, 0}}));
        EXPECT_EQ(grid.fontHeight, 15);
        EXPECT_EQ(grid.fontWidth, 0);
        EXPECT_EQ(grid.cellHeight, 21);
        EXPECT_EQ(grid.cellWidth, c.cellWidth) << c.variablePitch << " " << c.additional;
    }
}

TEST(CellGrid, FontHeightStaysBoundedWhateverThePointSize) {
    struct Case {
        int pixelsPerInch, points, asked;
    };
    const Case cases[] = {
        {96, 216, -288},  // the host's largest adjustment on the usual 9 points
        {96, 400, -kMaxFontPixels},
        {96, 2147483647, -kMaxFontPixels},  // no overflow on the way
        {96, -1000, kMaxFontPixels},
    };
    for (const Case& c : cases) {
        int asked = 0;
        PointSizeGrid(c.pixelsPerInch, c.points, 0, [&asked](int height, int) {
            asked = height;
            return CFontMetrics{};
        });
        EXPECT_EQ(asked, c.asked) << c.points;
    }
    CFakeFont font;
    AutoSizeGrid(640, 100000, 80, 1, std::ref(font));
    EXPECT_EQ(font.asked.front(), std::make_pair(-kMaxFontPixels, 7));
}

}  // namespace
