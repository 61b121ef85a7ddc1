#include "fields/BevelBlock.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "screen/Field.h"

namespace {

constexpr uint32_t kPage = 0xC3B295;
constexpr uint32_t kWhite = 0xFFFFFF;

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
    return BevelStrokes(field, 40, height, 24, kPage, kWhite, inBlock);
}

// A stroke's points as "x,y x,y" or, for a mitred corner, three of them.
std::string Points(const CBevelStroke& s) {
    std::string text;
    for (int i = 0; i < s.count; ++i) {
        text += (i ? " " : "") + std::to_string(s.x[i]) + "," + std::to_string(s.y[i]);
    }
    return text;
}

TEST(BevelBlock, OuterBoundaryOnly) {
    struct Case {
        const char* name;
        uint32_t row;
        const char* block;
        int strokes, corners;
        const char* drawn;  // strokes among them, "|" between; "!" one that is not
    };
    const Case cases[] = {
        {"alone", 5, "", 30, 0, "0,0 10,0|30,19 40,19|0,0 0,20|39,0 39,20|2,2 2,18"},
        {"right neighbour", 5, "6,5", 27, 0, "0,0 0,20|!39,0 39,20"},
        {"left neighbour", 5, "1,5", 27, 0, "39,0 39,20|!0,0 0,20"},
        // The block above covers the first two cells: the top starts at the
        // third with a mitre, and the left side runs up to the row above.
        {"narrower above", 5, "2,4 3,4", 27, 3,
         "19,0 19,0 19,-1|19,1 18,1 18,-1|20,2 30,2|1,0 1,19|!0,0 10,0|!10,1 20,1"},
        {"block above on the right", 5, "4,4 5,4", 27, 3,
         "20,0 20,0 20,-1|20,2 22,2 22,-1|37,0 37,18|!20,0 30,0"},
        {"whole block below", 5, "2,6 3,6 4,6 5,6", 18, 0, "0,0 0,20|2,2 2,20|!0,19 10,19"},
        {"first row", 0, "", 21, 0, "0,1 40,1|!0,1 10,1"},
        {"last row is open below", 23, "2,24", 30, 0, "0,19 10,19"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<CBevelStroke> strokes = Strokes(c.row, c.block);
        std::set<std::string> drawn;
        int corners = 0;
        for (const CBevelStroke& s : strokes) {
            drawn.insert(Points(s));
            corners += s.count == 3;
        }
        EXPECT_EQ(static_cast<int>(strokes.size()), c.strokes);
        EXPECT_EQ(corners, c.corners);
        std::istringstream expected(c.drawn);
        for (std::string points; std::getline(expected, points, '|');) {
            bool absent = points[0] == '!';
            EXPECT_EQ(drawn.count(points.substr(absent ? 1 : 0)), absent ? 0u : 1u) << points;
        }
    }
}

TEST(BevelBlock, DepthAndShading) {
    EXPECT_TRUE(Strokes(5, "", 6).empty());  // under 7 pixels: no bevel
    std::vector<CBevelStroke> strokes = Strokes(5, "");
    ASSERT_FALSE(strokes.empty());
    // The outermost line in the page colour, lighter inwards.
    EXPECT_EQ(std::tuple(strokes[0].colour, strokes[1].colour, strokes[2].colour),
              std::tuple(kPage, 0xD7CBB8u, 0xEBE4DBu));
    EXPECT_EQ(Strokes(5, "", 40).size(), 50u);  // five deep at most
}

}  // namespace
