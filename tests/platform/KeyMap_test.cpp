#include "platform/KeyMap.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyMap, NumbersOfKeysAndModifiers) {
    struct Case {
        CKeyPress key;
        bool enterToF0;
        int number;
    };
    constexpr unsigned F1 = 0x70, F10 = 0x79, F24 = 0x87, Enter = 0x0D;
    const Case cases[] = {
        {{Enter}, true, 0},
        {{Enter}, false, kNoKeyNumber},
        {{F1}, false, 1},
        {{F24}, false, 24},
        {{F1, false, true}, false, 11},  // the same number as F11 has
        {{F24, false, true}, false, 34},
        {{F1, true}, false, 21},
        {{F24, true, true}, false, 44},  // Ctrl wins over Shift
        {{F10, false, false, true}, false, 10},
        {{'1', true}, false, 21},
        {{'9', true}, false, 29},
        {{'0', true}, false, 30},
        {{'3'}, false, kNoKeyNumber},
        {{'3', true, true}, false, kNoKeyNumber},         // Ctrl+Shift+digit is no key
        {{'0', true, false, true}, false, kNoKeyNumber},  // Ctrl+Alt+0 is the full-screen toggle
        {{'A', true}, false, kNoKeyNumber},
        {{0xF0}, false, 25},
        {{0xF5, true}, false, 30},
        {{0xF6}, false, kNoKeyNumber},
        {{0x6F}, false, kNoKeyNumber},
        {{0x88}, false, kNoKeyNumber},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyNumber(c.key, c.enterToF0), c.number)
            << "vk " << c.key.virtualKey << " ctrl " << c.key.ctrl << " shift " << c.key.shift
            << " alt " << c.key.alt;
    }
}

}  // namespace
