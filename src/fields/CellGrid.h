#pragma once

#include <functional>

// What the grid needs of a font's text metrics.
struct CFontMetrics {
    int height = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    bool variablePitch = false;
};

// Creates the field font with this height and width (as the font functions
// take them: a negative height is a character height) and measures it.
using FontMeasure = std::function<CFontMetrics(int height, int width)>;

// The highest font, in pixels, the page asks for. Hundreds of pixels make a
// sensible field font; the glyph images Wine and Windows keep grow with the
// square of the height, so a host's point-size adjustment must stop here.
constexpr int kMaxFontPixels = 400;

// The character cell and the field font size every field of a page uses.
struct CCellGrid {
    int cellWidth = 1;
    int cellHeight = 1;
    int fontHeight = 1;
    int fontWidth = 0;
};

// The font that fits the cells of a page area split into cols x rows.
CCellGrid AutoSizeGrid(int clientWidth, int clientHeight, int cols, int rows,
                       const FontMeasure& measure);
// The cells that fit a font of the given point size, at most kMaxFontPixels
// high whichever the sign.
CCellGrid PointSizeGrid(int pixelsPerInch, int points, int additionalWidth,
                        const FontMeasure& measure);
