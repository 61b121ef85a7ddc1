#pragma once

#include <cstdint>
#include <span>

// A colour (either channel order) as a disabled button shows it: half way
// towards the toolbar's grey.
uint32_t GreyedColour(uint32_t colour);

// Greys every pixel of a picture but those of its transparent colour, which
// stay keyed out. Only the low 24 bits of a pixel are its colour.
void GreyPicture(std::span<uint32_t> pixels, uint32_t transparent);
