#pragma once

#include <array>

#include "toolbar/RuntimeRandom.h"

// Sizes of the pictures that place the particles of the waiting animation.
struct ParticleGeometry {
    int backgroundWidth = 0;
    int backgroundHeight = 0;
    int hostWidth = 0;
    int particleWidth = 0;
    int particleHeight = 0;
    int spriteWidth = 0;  // the sprite beside the host
};

struct Particle {
    int frame = 0;  // 0..9, the picture drawn
    bool frameUp = true;
    int age = 0;  // 0..kMaxAge; the particle grows with it
    bool visible = false;
    double x = 0, y = 0;
    double dx = 0, dy = 0;  // moves by x - dx, y + dy each frame
};

// The ten particles that fly out of the host to the left while the terminal
// awaits its answer, growing as they go and turning through their frames.
class CParticleField {
public:
    static constexpr int kCount = 10;
    static constexpr int kFrames = 10;
    static constexpr int kMaxAge = 128;

    // The seed the particles' speeds are drawn with, as by srand.
    static constexpr uint32_t kSeed = 3232;

    // Spread out along their way, with speeds drawn from random, which the
    // particles keep using and which should start from kSeed.
    CParticleField(const ParticleGeometry& geometry, CRuntimeRandom& random);

    // One frame of the animation in a client area of that height.
    void Step(int clientHeight);
    const std::array<Particle, kCount>& Particles() const { return particles; }

    // The size a particle is drawn at: the picture's scaled by its age, at
    // least one pixel and at most the picture's.
    static int DrawnSide(int side, int age);

private:
    void Respawn(Particle& p, double x, double y);
    void DrawSpeeds(Particle& p);

    ParticleGeometry geometry;
    CRuntimeRandom& random;
    std::array<Particle, kCount> particles;
};
