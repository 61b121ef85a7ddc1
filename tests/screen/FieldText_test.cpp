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
    Step clear = [](CFieldText& t) { t.Clear(); };
    Step release = [](CFieldText& t) { t.Free(); };
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
        {"pair that fits", {allocate(3), set(u"A\U0001F600")}, 3, u"A\U0001F600"},
        {"reallocate cuts", {set(u"HELLO"), reallocate(2)}, 2, u"HE"},
        {"reallocate cuts before a pair", {set(u"AB\U0001F600"), reallocate(3)}, 3, u"AB"},
        {"reallocate keeps what fits", {set(u"HELLO"), reallocate(9)}, 9, u"HELLO"},
        {"reallocate of null", {reallocate(-1)}, 0, u""},
        {"clear of null stays null", {clear}, -1, u""},
        {"clear keeps the buffer", {set(u"HI"), clear}, 2, u""},
        {"free returns to null", {set(u"HI"), release}, -1, u""},
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
