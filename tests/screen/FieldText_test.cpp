#include "screen/FieldText.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

TEST(FieldTextTest, CapacityBoundsTheText) {
    using Step = std::function<void(CFieldText&)>;
    auto allocate = [](int n) { return Step([n](CFieldText& t) { t.Allocate(n); }); };
    auto reallocate = [](int n) { return Step([n](CFieldText& t) { t.Reallocate(n); }); };
    auto set = [](std::u16string s) { return Step([s](CFieldText& t) { t.Set(s); }); };
    auto copyFrom = [](std::u16string s, size_t n) {
        return Step([s, n](CFieldText& t) {
            CFieldText source;
            source.Set(s);
            t.CopyFrom(source, n);
        });
    };
    auto insert = [](int index, char16_t code, int room) {
        return Step([=](CFieldText& t) { t.Insert(index, code, room); });
    };
    auto erase = [](int index) { return Step([index](CFieldText& t) { t.Erase(index); }); };
    Step decodeHi = [](CFieldText& t) {
        t.Decode(reinterpret_cast<const unsigned char*>("HI\xE9"), 3, false);
    };
    Step clear = [](CFieldText& t) { t.Clear(); };
    Step release = [](CFieldText& t) { t.Free(); };
    Step copyOfItself = [](CFieldText& t) { t.CopyFrom(t, 2); };
    Step moveAndCopyBack = [](CFieldText& t) {
        CFieldText moved = std::move(t);
        t = moved;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        int capacity;
        std::u16string text;
    } cases[] = {
        {"fresh text is null", {}, -1, u""},
        {"set on null sizes the buffer", {set(u"HELLO")}, 5, u"HELLO"},
        {"set cuts to capacity", {allocate(3), set(u"HELLO")}, 3, u"HEL"},
        {"negative capacity counts as 0", {allocate(-2), set(u"A")}, 0, u""},
        {"allocate empties", {set(u"HI"), allocate(4)}, 4, u""},
        {"cut keeps a pair whole", {allocate(2), set(u"A\U0001F600")}, 2, u"A"},
        {"reallocate cuts", {set(u"HELLO"), reallocate(2)}, 2, u"HE"},
        {"reallocate cuts before a pair", {set(u"AB\U0001F600"), reallocate(3)}, 3, u"AB"},
        {"reallocate of null", {reallocate(-1)}, 0, u""},
        {"clear keeps the buffer", {set(u"HI"), clear}, 2, u""},
        {"free returns to null", {set(u"HI"), release}, -1, u""},
        {"freed, then larger", {set(u"HI"), release, allocate(6), set(u"HELLO!")}, 6, u"HELLO!"},
        {"move and copy keep the text", {allocate(4), set(u"HI"), moveAndCopyBack}, 4, u"HI"},
        {"decode on null sizes the buffer", {decodeHi}, 3, u"HI\u00E9"},
        {"insert at the index", {allocate(4), set(u"AC"), insert(1, u'B', 4)}, 4, u"ABC"},
        {"insert at -1 prepends", {allocate(4), set(u"BC"), insert(-1, u'A', 4)}, 4, u"ABC"},
        {"insert stops at the room", {allocate(4), set(u"AB"), insert(0, u'X', 2)}, 4, u"AB"},
        {"insert stops at the capacity", {allocate(2), set(u"AB"), insert(0, u'X', 9)}, 2, u"AB"},
        {"insert into null", {insert(0, u'X', 9)}, -1, u""},
        {"erase in the text", {set(u"ABC"), erase(1)}, 3, u"AC"},
        {"erase past the end", {set(u"ABC"), erase(3), erase(-1)}, 3, u"ABC"},
        {"copy over the start keeps the rest", {set(u"abcdef"), copyFrom(u"XY", 2)}, 6, u"XYcdef"},
        {"copy of a shorter one ends it", {set(u"abcdef"), copyFrom(u"X", 2)}, 6, u"X"},
        {"copy cut to capacity", {set(u"abc"), copyFrom(u"WXYZ", 4)}, 3, u"WXY"},
        {"copy from itself", {set(u"abc"), copyOfItself}, 3, u"abc"},
    };
    for (const Case& c : cases) {
        CFieldText text;
        for (const Step& step : c.steps) step(text);
        EXPECT_EQ(text.Capacity(), c.capacity) << c.name;
        EXPECT_EQ(text.IsNull(), c.capacity < 0) << c.name;
        EXPECT_TRUE(text.Get() == c.text) << c.name;
    }
}

}  // namespace
