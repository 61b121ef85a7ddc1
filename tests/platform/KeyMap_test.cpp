#include "platform/KeyMap.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

TEST(KeyMap, NumbersOfKeysAndModifiers) {
    // The key, its modifiers ("c" Ctrl, "s" Shift, "a" Alt, "E" Enter goes to F0) and number.
    constexpr unsigned F1 = 0x70, F10 = 0x79, F24 = 0x87, Enter = 0x0D;
    constexpr int kNo = kNoKeyNumber;
    // Shift+F1 has the number of F11; Ctrl wins over Shift; Ctrl+Shift+digit
    // is no key; Ctrl+Alt+0 is the full-screen toggle.
    const std::tuple<unsigned, std::string, int> cases[] = {
        {Enter, "E", 0}, {Enter, "", kNo}, {F1, "", 1},     {F24, "", 24},    {F1, "s", 11},
        {F24, "s", 34},  {F1, "c", 21},    {F24, "cs", 44}, {F10, "a", 10},   {'1', "c", 21},
        {'9', "c", 29},  {'0', "c", 30},   {'3', "", kNo},  {'3', "cs", kNo}, {'0', "ca", kNo},
        {'A', "c", kNo}, {0xF0, "", 25},   {0xF5, "c", 30}, {0xF6, "", kNo},  {0x6F, "", kNo},
        {0x88, "", kNo}};
    for (const auto& [key, m, number] : cases) {
        auto has = [&m = m](char flag) { return m.find(flag) != std::string::npos; };
        EXPECT_EQ(KeyNumber({key, has('c'), has('s'), has('a')}, has('E')), number)
            << "vk " << key << " " << m;
    }
}

}  // namespace
