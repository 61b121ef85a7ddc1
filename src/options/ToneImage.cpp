#include "options/ToneImage.h"

#include <cmath>

namespace {

constexpr double kPi = 3.1415926;
constexpr double kAmplitude = 32000;

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

// The ramps are real straight lines: computed in whole numbers they would be
// steps from 0 to 1 and back, and the tone would start and stop with a click.
double Envelope(int64_t i, int64_t n) {
    if (i == 0) return 0;
    if (i < n / 20) return 20.0 * static_cast<double>(i) / static_cast<double>(n);
    if (i < n / 2) return 1;
    if (i < 3 * n / 4) return 4.0 * static_cast<double>(3 * n / 4 - i) / static_cast<double>(n);
    return 0;
}

}  // namespace

std::vector<uint8_t> ToneImage(int frequency, double seconds) {
    const int64_t n = static_cast<int64_t>(seconds * kToneSampleRate);
    const uint32_t dataSize = static_cast<uint32_t>(2 * n);
    std::vector<uint8_t> image;
    image.reserve(kToneHeaderSize + dataSize);
    PutTag(image, "RIFF");
    Put32(image, 36 + dataSize);
    PutTag(image, "WAVE");
    PutTag(image, "fmt ");
    Put32(image, 16);
    Put16(image, 1);  // PCM
    Put16(image, 1);  // mono
    Put32(image, kToneSampleRate);
    Put32(image, 2 * kToneSampleRate);
    Put16(image, 2);
    Put16(image, 16);
    PutTag(image, "data");
    Put32(image, dataSize);
    for (int64_t i = 0; i < n; ++i) {
        double phase = 4 * kPi * frequency * static_cast<double>(i) / kToneSampleRate;
        auto sample = static_cast<int16_t>(std::sin(phase) * Envelope(i, n) * kAmplitude);
        Put16(image, static_cast<uint16_t>(sample));
    }
    return image;
}
