#include "fields/CellGrid.h"

#include <algorithm>

namespace {

int LineHeight(const CFontMetrics& m) {
    return m.height + m.internalLeading + m.externalLeading;
}

}  // namespace

CCellGrid AutoSizeGrid(int clientWidth, int clientHeight, int cols, int rows,
                       const FontMeasure& measure) {
    cols = std::max(cols, 1);
    rows = std::max(rows, 1);
    int w0 = clientWidth / cols - 1;
    int h0 = clientHeight / rows - 2;
    CCellGrid grid;
    grid.cellHeight = std::max(h0 + 2, 1);
    grid.cellWidth = std::max(w0 + 1, 1);
    // A window not laid out yet has no room; the font still needs a size.
    int h = std::clamp(h0, 1, kMaxFontPixels);
    int w = std::clamp(w0, 1, kMaxFontPixels);
    CFontMetrics m = measure(-h, w);
    while (LineHeight(m) > h0 && h > 1) m = measure(-(--h), w);
    while (m.aveCharWidth + (m.maxCharWidth - m.aveCharWidth) / 2 > w0 && w >= 2) {
        m = measure(-h, --w);
    }
    grid.fontHeight = h;
    grid.fontWidth = w;
    return grid;
}

CCellGrid PointSizeGrid(int pixelsPerInch, int points, int additionalWidth,
                        const FontMeasure& measure) {
    long long pixels = static_cast<long long>(pixelsPerInch) * points / 72;
    int height = static_cast<int>(std::clamp<long long>(pixels, -kMaxFontPixels, kMaxFontPixels));
    CFontMetrics m = measure(-height, 0);
    CCellGrid grid;
    grid.fontHeight = m.height;
    grid.fontWidth = 0;
    grid.cellHeight = LineHeight(m) + 2;
    grid.cellWidth = m.variablePitch
                         ? static_cast<int>(additionalWidth + (m.aveCharWidth + 2) * 1.7)
                         : additionalWidth + m.maxCharWidth;
    grid.cellWidth = std::max(grid.cellWidth, 1);
    return grid;
}
