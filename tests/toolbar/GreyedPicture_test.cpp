#include "toolbar/GreyedPicture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ToolBarPicture, GreyingBlendsEveryPixelButTheTransparentOnes) {
    const uint32_t magenta = 0xFF00FF;
    // Each channel: 0xBF * 128 / 255 = 95, plus own * 127 / 255, on integers.
    std::vector<uint32_t> pixels = {magenta,  0x000000,   0xFFFFFF,  0xFF0000,
                                    0x102030, 0xFF00FF01, 0x01FF00FF};
    GreyPicture(pixels, magenta);
    const std::vector<uint32_t> greyed = {magenta,  0x5F5F5F, 0xDEDEDE,  0xDE5F5F,
                                          0x666E76, 0x5FDE5F, 0x01FF00FF};
    EXPECT_EQ(pixels, greyed);
}

}  // namespace
