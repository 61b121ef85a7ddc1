#include "options/OptionsRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(OptionsRulesTest, ToolbarRadiosShowAndStoreTheSize) {
    // toolbarsize -> radio button shown (0 Disabled .. 3 Size 3x).
    const std::pair<int, int> shown[] = {{-1, 0}, {0, 1}, {1, 2}, {2, 3}, {5, 1}, {3, 1}, {-2, 1}};
    for (auto [size, radio] : shown) EXPECT_EQ(ToolbarRadioFor(size), radio) << size;

    using Radios = std::array<bool, kToolbarRadioCount>;
    const std::pair<Radios, int> stored[] = {{{true, false, false, false}, -1},
                                             {{false, false, false, true}, 2},
                                             {{false, true, true, false}, 0},
                                             {{false, false, true, true}, 1},
                                             {{false, false, false, false}, 0}};
    for (const auto& [radios, size] : stored) EXPECT_EQ(ToolbarSizeFromRadios(radios), size);
}

TEST(OptionsRulesTest, WaterMarkAndCellWidthAreCut) {
    const std::u16string full(32, u'W');
    EXPECT_EQ(DialogWaterMark(full), full.substr(0, 31));
    EXPECT_EQ(DialogWaterMark(u"Ravelin II"), u"Ravelin II");
    const std::pair<int, int> widths[] = {{12, 9}, {9, 9}, {0, 0}, {-3, 0}, {4, 4}};
    for (auto [typed, stored] : widths) EXPECT_EQ(DialogCellWidth(typed), stored) << typed;
}

}  // namespace
