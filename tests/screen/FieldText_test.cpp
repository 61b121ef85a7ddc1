#include "screen/FieldText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Text = CFieldText;

Text Source(std::u16string_view text) {
    Text source;
    source.Set(text);
    return source;
}

TEST(FieldTextTest, CapacityBoundsTheText) {
    // Each case runs its steps on a fresh text.
    struct Case {
        const char* name;
        void (*steps)(Text&);
        int capacity;  // -1: null
        std::u16string text;
    } cases[] = {
        {"negative capacities are 0",
         [](Text& t) { t.Reallocate(-1), t.Set(u"A"), t.Allocate(-2); }, 0, u""},
        {"allocate empties", [](Text& t) { t.Set(u"HI"), t.Allocate(4); }, 4, u""},
        {"set cuts before a pair", [](Text& t) { t.Allocate(2), t.Set(u"A\U0001F600"); }, 2, u"A"},
        {"reallocate cuts before a pair", [](Text& t) { t.Set(u"AB\U0001F600"), t.Reallocate(3); },
         3, u"AB"},
        {"clear keeps the buffer", [](Text& t) { t.Set(u"HI"), t.Clear(); }, 2, u""},
        {"freed text is null", [](Text& t) { t.Set(u"HI"), t.Free(), t.Insert(0, u'X', 9); }, -1,
         u""},
        {"freed storage grows",
         [](Text& t) { t.Set(u"HI"), t.Free(), t.Allocate(6), t.Set(u"HELLO!"); }, 6, u"HELLO!"},
        {"move and copy keep the text",
         [](Text& t) {
             t.Allocate(4), t.Set(u"HI");
             Text moved = std::move(t);
             t = moved;
         },
         4, u"HI"},
        {"decode on null sizes the buffer",
         [](Text& t) { t.Decode(reinterpret_cast<const unsigned char*>("HI\xE9"), 3, false); }, 3,
         u"HI\u00E9"},
        {"insert at the index", [](Text& t) { t.Allocate(4), t.Set(u"AC"), t.Insert(1, u'B', 4); },
         4, u"ABC"},
        {"insert at -1 prepends",
         [](Text& t) { t.Allocate(4), t.Set(u"BC"), t.Insert(-1, u'A', 4); }, 4, u"ABC"},
        {"insert stops at the room",
         [](Text& t) { t.Allocate(4), t.Set(u"AB"), t.Insert(0, u'X', 2); }, 4, u"AB"},
        {"insert stops at the capacity", [](Text& t) { t.Set(u"AB"), t.Insert(0, u'X', 9); }, 2,
         u"AB"},
        {"erase", [](Text& t) { t.Set(u"ABC"), t.Erase(1), t.Erase(2), t.Erase(-1); }, 3, u"AC"},
        {"copy over the start", [](Text& t) { t.Set(u"abcdef"), t.CopyFrom(Source(u"XY"), 2); }, 6,
         u"XYcdef"},
        {"copy of a shorter one ends it",
         [](Text& t) { t.Set(u"abcdef"), t.CopyFrom(Source(u"X"), 2); }, 6, u"X"},
        {"copy cut to capacity", [](Text& t) { t.Set(u"abc"), t.CopyFrom(Source(u"WXYZ"), 4); }, 3,
         u"WXY"},
        {"copy from itself", [](Text& t) { t.Set(u"abc"), t.CopyFrom(t, 2); }, 3, u"abc"},
    };
    for (const Case& c : cases) {
        Text text;
        c.steps(text);
        EXPECT_EQ(text.Capacity(), c.capacity) << c.name;
        EXPECT_TRUE(text.Get() == c.text) << c.name;
    }
}

}  // namespace
