#include "toolbar/ToolBarKeys.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace {

enum Button { kSave, kBack, kExit, kNext, kClear, kNone = -1 };

TEST(ToolBarKeys, LabelsEnableDisableAndRebindInWalkOrder) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, std::u16string>> labels;
        int button;  // what the last label changed
        bool enable;
        std::array<int, kToolBarButtonCount> keys;  // SAVE, BACK, EXIT, NEXT, CLEAR after
        const char* enabled;                        // E for each enabled button, in that order
    };
    const Case cases[] = {
        {"a button's name enables it with the slot's key",
         {{7, u"NEXT"}},
         kNext,
         true,
         {1, 3, 8, 7, 2},
         "...E."},
        {"another text for the slot disables it again",
         {{7, u"NEXT"}, {7, u"GO"}},
         kNext,
         false,
         {1, 3, 8, 7, 2},
         "....."},
        {"an empty text disables the holder", {{2, u""}}, kClear, false, {1, 3, 8, 4, 2}, "....."},
        {"no name and no holder changes nothing",
         {{9, u"GO"}},
         kNone,
         false,
         {1, 3, 8, 4, 2},
         "....."},
        {"names are case-sensitive", {{9, u"next"}}, kNone, false, {1, 3, 8, 4, 2}, "....."},
        {"an earlier holder of the key stops the walk",
         {{1, u"NEXT"}},
         kSave,
         false,
         {1, 3, 8, 4, 2},
         "....."},
        {"an earlier name stops the walk before a later holder",
         {{4, u"SAVE"}},
         kSave,
         true,
         {4, 3, 8, 4, 2},
         "E...."},
        {"a button keeps its name when rebound",
         {{7, u"EXIT"}, {5, u"EXIT"}},
         kExit,
         true,
         {1, 3, 5, 4, 2},
         "..E.."},
        // Not the slot order: the label that came last decides.
        {"the later of two slots for one name",
         {{12, u"NEXT"}, {10, u"NEXT"}},
         kNext,
         true,
         {1, 3, 8, 10, 2},
         "...E."},
        {"a name whose slot an earlier button holds stays disabled",
         {{5, u"SAVE"}, {5, u"BACK"}},
         kSave,
         false,
         {5, 3, 8, 4, 2},
         "....."},
    };
    for (const Case& c : cases) {
        CToolBarKeys keys;
        CLabelEffect effect;
        for (const auto& [slot, text] : c.labels) effect = keys.AssignLabel(slot, text);
        EXPECT_EQ(effect.button, c.button) << c.what;
        if (effect.button != kNone) {
            EXPECT_EQ(effect.enable, c.enable) << c.what;
        }
        std::string enabled;
        for (int i = 0; i < kToolBarButtonCount; ++i) {
            EXPECT_EQ(keys.KeyNumber(i), c.keys[i]) << c.what << ", button " << i;
            enabled += keys.Enabled(i) ? 'E' : '.';
        }
        EXPECT_EQ(enabled, c.enabled) << c.what;
    }
}

}  // namespace
