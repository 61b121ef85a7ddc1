// The toolbar's keys and greyed pictures, and the lock animation's motion.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "toolbar/GreyedPicture.h"
#include "toolbar/ParticleField.h"
#include "toolbar/RuntimeRandom.h"
#include "toolbar/SwingCounter.h"
#include "toolbar/ToolBarKeys.h"

namespace {

TEST(ToolBarKeys, LabelsEnableDisableAndRebindInWalkOrder) {
    // The labels as "slot=text"; what the last one did: the button, "+"
    // enabled or "-" disabled; then SAVE, BACK, EXIT, NEXT and CLEAR: each
    // one's key, "+" when enabled.
    const char* const cases[][3] = {
        {"9=GO", "", "1 3 8 4 2"},                 // no name and no holder: nothing changes
        {"9=next", "", "1 3 8 4 2"},               // names are case-sensitive
        {"5=SAVE 5=BACK", "0-", "5 3 8 4 2"},      // an earlier holder of the key stops the walk
        {"4=SAVE", "0+", "4+ 3 8 4 2"},            // so does an earlier name, before a later holder
        {"7=EXIT 5=EXIT", "2+", "1 3 5+ 4 2"},     // a button keeps its name when rebound
        {"12=NEXT 10=NEXT", "3+", "1 3 8 10+ 2"},  // the label that came last decides
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
        for (int i = 0; i < kToolBarButtonCount; ++i)
            done +=
                (i ? " " : "|") + std::to_string(keys.KeyNumber(i)) + (keys.Enabled(i) ? "+" : "");
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

// The animation's own sizes: panel 200 x 70, host 48 wide, particles 29 x 39,
// the sprite beside the host 64 wide.
const ParticleGeometry kGeometry = {200, 70, 48, 29, 39, 64};
constexpr double kSpawnX = 150 + 64 / 2, kSpawnY = (70 - 39) / 2;

TEST(LockAnimationMotion, CounterRandomSequenceAndParticles) {
    CSwingCounter counter;
    std::vector<int> seen;
    for (int i = 0; i < 19; ++i, counter.Step()) seen.push_back(counter.Value());
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2}));
    counter.Reset();
    EXPECT_EQ(counter.Value(), 0);
    // What srand(1) and rand() give on Windows, whatever the test platform's rand().
    CRuntimeRandom windowsRandom(1);
    seen.clear();
    for (int i = 0; i < 5; ++i) seen.push_back(windowsRandom.Next());
    EXPECT_EQ(seen, (std::vector<int>{41, 18467, 6334, 26500, 19169}));

    // The particles fly left, grow with age and respawn at the host.
    CRuntimeRandom random(CParticleField::kSeed);
    CParticleField field(kGeometry, random);
    for (int i = 0; i < CParticleField::kCount; ++i) {
        const Particle& p = field.Particles()[static_cast<size_t>(i)];
        EXPECT_EQ(std::tuple(p.age, p.frame), std::tuple(12 * i, i % 4));
        EXPECT_NEAR(p.x, 150 + 29 / 2 - 12 * i * p.dx, 1e-9);  // spread along the way
    }
    int leftEdgeRespawns = 0;
    for (int frame = 0; frame < 600; ++frame) {
        std::vector<Particle> before(field.Particles().begin(), field.Particles().end());
        field.Step(70);
        for (size_t i = 0; i < before.size(); ++i) {
            const Particle &was = before[i], &p = field.Particles()[i];
            SCOPED_TRACE(testing::Message() << "frame " << frame << " particle " << i);
            ASSERT_TRUE(p.visible && p.frame >= 0 && p.frame <= 9);
            ASSERT_TRUE(p.dx >= 0.5 && p.dx <= 3.0 && std::fabs(p.dy) <= 0.8);
            bool offLeft = was.x + kGeometry.particleWidth < 0;
            leftEdgeRespawns += offLeft;
            if (offLeft || was.age == CParticleField::kMaxAge) {
                EXPECT_EQ(std::tuple(p.age, p.x, p.y, p.frame), std::tuple(0, kSpawnX, kSpawnY, 0));
            } else if (p.age > 0) {
                EXPECT_EQ(p.age, was.age + 1);
                EXPECT_NEAR(was.x - p.x, was.dx, 1e-9);
                EXPECT_NEAR(p.y - was.y, was.dy, 1e-9);
            }
        }
    }
    EXPECT_GT(leftEdgeRespawns, 0);
    // They grow with age, within one pixel and their full size: side, age, drawn.
    const int cases[][3] = {{29, 0, 1}, {29, 1, 1}, {29, 64, 14}, {39, 127, 38}, {29, 128, 29}};
    for (auto [side, age, drawn] : cases)
        EXPECT_EQ(CParticleField::DrawnSide(side, age), drawn) << side << " " << age;
}

}  // namespace
