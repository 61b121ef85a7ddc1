#include "screen/FieldText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Text = CFieldText;
constexpr unsigned char kLatin1[] = {'H', 'I', 0xE9};

TEST(FieldTextTest, CapacityBoundsTheText) {
    // Each case runs its steps on a fresh text.
    struct Case {
        const char* name;
        void (*steps)(Text&, Text&);  // on the text and a second one
        int capacity;                 // -1: null
        std::u16string text;
    } cases[] = {
        {"negative capacities are 0",
         [](Text& t, Text&) { t.Reallocate(-1), t.Set(u"A"), t.Allocate(-2); }, 0, u""},
        {"allocate empties", [](Text& t, Text&) { t.Set(u"HI"), t.Allocate(4); }, 4, u""},
        {"set cuts before a pair", [](Text& t, Text&) { t.Allocate(2), t.Set(u"A\U0001F600"); }, 2,
         u"A"},
        {"reallocate cuts before a pair",
         [](Text& t, Text&) { t.Set(u"AB\U0001F600"), t.Reallocate(3); }, 3, u"AB"},
        {"clear keeps the buffer", [](Text& t, Text&) { t.Set(u"HI"), t.Clear(); }, 2, u""},
        {"freed text is null", [](Text& t, Text&) { t.Set(u"HI"), t.Free(), t.Insert(0, u'X', 9); },
         -1, u""},
        {"freed storage grows",
         [](Text& t, Text&) { t.Set(u"HI"), t.Free(), t.Allocate(6), t.Set(u"HELLO!"); }, 6,
         u"HELLO!"},
        {"move and copy keep the text",
         [](Text& t, Text& s) { t.Allocate(4), t.Set(u"HI"), s = std::move(t), t = s; }, 4, u"HI"},
        {"decode on null sizes the buffer", [](Text& t, Text&) { t.Decode(kLatin1, 3, false); }, 3,
         u"HI\u00E9"},
        {"insert at the index",
         [](Text& t, Text&) { t.Allocate(4), t.Set(u"AC"), t.Insert(1, u'B', 4); }, 4, u"ABC"},
        {"insert at -1 prepends",
         [](Text& t, Text&) { t.Allocate(4), t.Set(u"BC"), t.Insert(-1, u'A', 4); }, 4, u"ABC"},
        {"insert stops at the room",
         [](Text& t, Text&) { t.Allocate(4), t.Set(u"AB"), t.Insert(0, u'X', 2); }, 4, u"AB"},
        {"insert stops at the capacity", [](Text& t, Text&) { t.Set(u"AB"), t.Insert(0, u'X', 9); },
         2, u"AB"},
        {"erase", [](Text& t, Text&) { t.Set(u"ABC"), t.Erase(1), t.Erase(2), t.Erase(-1); }, 3,
         u"AC"},
        {"copy over the start",
         [](Text& t, Text& s) { t.Set(u"abcdef"), s.Set(u"XY"), t.CopyFrom(s, 2); }, 6, u"XYcdef"},
        {"copy of a shorter one ends it",
         [](Text& t, Text& s) { t.Set(u"abcdef"), s.Set(u"X"), t.CopyFrom(s, 2); }, 6, u"X"},
        {"copy cut to capacity",
         [](Text& t, Text& s) { t.Set(u"abc"), s.Set(u"WXYZ"), t.CopyFrom(s, 4); }, 3, u"WXY"},
        {"copy from itself", [](Text& t, Text&) { t.Set(u"abc"), t.CopyFrom(t, 2); }, 3, u"abc"}};
    for (const Case& c : cases) {
        Text text, second;
        c.steps(text, second);
        EXPECT_EQ(text.Capacity(), c.capacity) << c.name;
        EXPECT_TRUE(text.Get() == c.text) << c.name;
    }
}

}  // namespace
