// The toolbar's portable parts: the keys its labels bind, its greyed pictures.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "toolbar/GreyedPicture.h"
#include "toolbar/ToolBarKeys.h"

namespace {

TEST(ToolBarKeys, LabelsEnableDisableAndRebindInWalkOrder) {
    // The labels as "slot=text"; what the last one did: the button, "+"
    // enabled or "-" disabled; then SAVE, BACK, EXIT, NEXT and CLEAR: each
    // one's key, "+" when enabled.
    const char* const cases[][3] = {
        {"7=NEXT", "3+", "1 3 8 7+ 2"},            // a name enables its button with the slot's key
        {"7=NEXT 7=GO", "3-", "1 3 8 7 2"},        // another text for the slot disables it again
        {"2=", "4-", "1 3 8 4 2"},                 // an empty text disables the holder
        {"9=GO", "", "1 3 8 4 2"},                 // no name and no holder: nothing changes
        {"9=next", "", "1 3 8 4 2"},               // names are case-sensitive
        {"1=NEXT", "0-", "1 3 8 4 2"},             // an earlier holder of the key stops the walk
        {"4=SAVE", "0+", "4+ 3 8 4 2"},            // so does an earlier name, before a later holder
        {"7=EXIT 5=EXIT", "2+", "1 3 5+ 4 2"},     // a button keeps its name when rebound
        {"12=NEXT 10=NEXT", "3+", "1 3 8 10+ 2"},  // the label that came last decides
        {"5=SAVE 5=BACK", "0-", "5 3 8 4 2"},      // a name whose slot an earlier button holds
    };
    for (const auto& [labels, effect, buttons] : cases) {
        CToolBarKeys keys;
        CLabelEffect last;
        std::istringstream words(labels);
        for (std::string word; words >> word;) {
            size_t equals = word.find('=');
            last = keys.AssignLabel(std::stoi(word.substr(0, equals)),
                                    std::u16string(word.begin() + equals + 1, word.end()));
        }
        std::string done =
            last.button < 0 ? "" : std::to_string(last.button) + (last.enable ? "+" : "-");
        for (int i = 0; i < kToolBarButtonCount; ++i) {
            done += i ? " " : "|";
            done += std::to_string(keys.KeyNumber(i)) + (keys.Enabled(i) ? "+" : "");
        }
        EXPECT_EQ(done, std::string(effect) + "|" + buttons) << labels;
    }
}

TEST(ToolBarPicture, GreyingBlendsEveryPixelButTheTransparentOnes) {
    const uint32_t magenta = 0xFF00FF;
    // Each channel: 0xBF * 128 / 255 = 95, plus own * 127 / 255, on integers.
    std::vector<uint32_t> pixels = {magenta, 0x000000, 0xFFFFFF, 0x102030, 0xFF00FF01, 0x01FF00FF};
    GreyPicture(pixels, magenta);
    EXPECT_EQ(pixels,
              (std::vector<uint32_t>{magenta, 0x5F5F5F, 0xDEDEDE, 0x666E76, 0x5FDE5F, 0x01FF00FF}));
}

}  // namespace
