#include "fields/EntryLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(EntryLayout, TextAndCaretPlacement) {
    struct Case {
        int text, caret, width;
        bool right;
        CEntryPlacement expected;
    };
    const Case cases[] = {
        {30, 10, 80, false, {0, 1, 10}},
        {30, 10, 80, true, {0, 50, 59}},
        {30, 0, 80, true, {0, 50, 49}},
        {100, 40, 80, false, {0, 1, 40}},
        {100, 40, 80, true, {0, 2, 40}},
        {100, 90, 80, false, {10, 1, 78}},  // W, then kept inside
        {100, 90, 80, true, {10, 1, 78}},
        {0, 0, 80, false, {0, 1, 2}},  // never on the frame's left line
        {80, 80, 80, false, {0, 1, 78}},
    };
    for (const Case& c : cases) {
        CEntryPlacement p = PlaceEntryText(c.text, c.caret, c.width, c.right);
        EXPECT_EQ(p.sourceX, c.expected.sourceX) << c.text << " " << c.caret << " " << c.right;
        EXPECT_EQ(p.destX, c.expected.destX) << c.text << " " << c.caret << " " << c.right;
        EXPECT_EQ(p.caretX, c.expected.caretX) << c.text << " " << c.caret << " " << c.right;
    }
    EXPECT_EQ(EntryTextImageWidth(5, 8, 8, 0), 176);  // 13 * 8 * 1.7 = 176.8
}

}  // namespace
