// The motion of the lock animation: its swinging counter, the runtime's
// random sequence and the particles' flight.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "toolbar/ParticleField.h"
#include "toolbar/RuntimeRandom.h"
#include "toolbar/SwingCounter.h"

namespace {

TEST(LockAnimationMotion, CounterSwingsBetweenZeroAndEight) {
    CSwingCounter counter;
    std::vector<int> seen;
    for (int i = 0; i < 19; ++i, counter.Step()) seen.push_back(counter.Value());
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2}));
    counter.Step();  // at 3, counting up
    counter.Step();
    counter.Reset();
    counter.Step();
    EXPECT_EQ(counter.Value(), 1);  // from 0 upwards again
}

TEST(LockAnimationMotion, RandomIsTheWindowsRuntimeSequence) {
    // What srand(1) and rand() give on Windows, whatever the test platform's rand().
    CRuntimeRandom random(1);
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) seen.push_back(random.Next());
    EXPECT_EQ(seen, (std::vector<int>{41, 18467, 6334, 26500, 19169}));
}

// The animation's own sizes: panel 200 x 70, host 48 wide, particles 29 x 39,
// the sprite beside the host 64 wide.
const ParticleGeometry kGeometry = {200, 70, 48, 29, 39, 64};
constexpr double kSpawnX = 150 + 64 / 2, kSpawnY = (70 - 39) / 2;

TEST(LockAnimationMotion, ParticlesFlyLeftAndRespawnAtTheHost) {
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
}

TEST(LockAnimationMotion, ParticlesGrowWithAgeWithinOnePixelAndFullSize) {
    const struct {
        int side, age, drawn;
    } cases[] = {{29, 0, 1}, {29, 1, 1}, {29, 64, 14}, {39, 127, 38}, {29, 128, 29}};
    for (const auto& c : cases) {
        EXPECT_EQ(CParticleField::DrawnSide(c.side, c.age), c.drawn) << c.side << " " << c.age;
    }
}

}  // namespace
