#pragma once

#include <cstdint>
#include <vector>

// A complete mono 16-bit 44100 Hz RIFF/WAVE image of a tone: a sine of twice
// the frequency (the phase advances by 4 pi f per second), amplitude 32000,
// rising linearly over the first twentieth, full to the half, falling
// linearly to 0 at three quarters, silent in the last quarter.
std::vector<uint8_t> ToneImage(int frequency, double seconds);

constexpr int kToneSampleRate = 44100;
constexpr int kToneHeaderSize = 44;
