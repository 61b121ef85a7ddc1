#include "toolbar/ParticleField.h"

#include <algorithm>
#include <cmath>

namespace {

// Each particle starts this many frames further along its way than the one
// before, and that much older.
constexpr int kSpread = 12;

}  // namespace

CParticleField::CParticleField(const ParticleGeometry& geometry, CRuntimeRandom& random)
    : geometry(geometry), random(random) {
    double x = geometry.backgroundWidth - geometry.hostWidth - 2 + geometry.particleWidth / 2;
    double y = (geometry.backgroundHeight - geometry.particleHeight) / 2;
    for (int i = 0; i < kCount; ++i) {
        Particle& p = particles[static_cast<size_t>(i)];
        Respawn(p, x, y);
        p.age = kSpread * i;
        p.frame = i % 4;
        for (int step = 0; step < kSpread * i; ++step) {
            p.x -= p.dx;
            p.y += p.dy;
        }
    }
}

void CParticleField::Respawn(Particle& p, double x, double y) {
    p.visible = true;
    p.x = x;
    p.y = y;
    p.frame = 0;
    p.frameUp = true;
    DrawSpeeds(p);
}

void CParticleField::DrawSpeeds(Particle& p) {
    // Always leftwards, 0.5 to 3 pixels a frame, drifting at most 0.8 up or down.
    do {
        p.dx = std::fabs(1.5 * std::cos(random.Next()) + 1.5);
    } while (p.dx < 0.5);
    do {
        p.dy = std::sin(random.Next());
    } while (p.dy < -0.8 || p.dy > 0.8);
}

void CParticleField::Step(int clientHeight) {
    int hostX = geometry.backgroundWidth - geometry.hostWidth - 2;
    double spawnX = hostX + geometry.spriteWidth / 2;
    double spawnY = (geometry.backgroundHeight - geometry.particleHeight) / 2;
    for (Particle& p : particles) {
        if (++p.age > kMaxAge) p.age = 0;
        if (p.y > clientHeight || p.y + geometry.particleHeight < 0 ||
            p.x + geometry.particleWidth < 0) {
            p.age = 0;
        }
        if (p.frameUp && ++p.frame >= kFrames - 1)
            p.frameUp = false;
        else if (!p.frameUp && --p.frame <= 0)
            p.frameUp = true;
        if (p.age > 0) {
            p.x -= p.dx;
            p.y += p.dy;
        } else {
            Respawn(p, spawnX, spawnY);
        }
    }
}

int CParticleField::DrawnSide(int side, int age) {
    return std::clamp(side * age / kMaxAge, 1, std::max(side, 1));
}
