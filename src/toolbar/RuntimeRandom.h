#pragma once

#include <cstdint>

// The pseudo-random sequence of the Windows C runtime's srand and rand, kept
// in the program so that every build, and the native tests, draw the same
// numbers from the same seed.
class CRuntimeRandom {
public:
    explicit CRuntimeRandom(uint32_t seed) : state(seed) {}
    // 0 to 0x7FFF, as rand() gives.
    int Next();

private:
    uint32_t state;
};
