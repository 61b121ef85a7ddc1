#include "toolbar/GreyedPicture.h"

namespace {

constexpr uint32_t kGrey = 0xBF;
constexpr uint32_t kColourMask = 0xFFFFFF;

}  // namespace

uint32_t GreyedColour(uint32_t colour) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        uint32_t own = (colour >> shift) & 0xFF;
        out |= ((kGrey * 128) / 255 + (own * 127) / 255) << shift;
    }
    return out;
}

void GreyPicture(std::span<uint32_t> pixels, uint32_t transparent) {
    for (uint32_t& pixel : pixels) {
        if ((pixel & kColourMask) != (transparent & kColourMask)) pixel = GreyedColour(pixel);
    }
}
