#include "fields/BevelBlock.h"

#include <algorithm>

#include "screen/Field.h"

namespace {

constexpr int kMaxDepth = 5;

// Pen i runs from the page colour (i = 0, the outermost line) towards the
// block colour, by whole steps per channel.
uint32_t PenColour(uint32_t page, uint32_t block, int depth, int i) {
    uint32_t colour = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int from = static_cast<int>((page >> shift) & 0xFF);
        int to = static_cast<int>((block >> shift) & 0xFF);
        int channel = from + (to - from) / depth * i;
        colour |= static_cast<uint32_t>(channel & 0xFF) << shift;
    }
    return colour;
}

class CBevelBuilder {
public:
    CBevelBuilder(const CField& f, int w, int h, int depth, uint32_t page, uint32_t block)
        : field(f), width(w), height(h), n(depth) {
        for (int i = 0; i < n; ++i) pens[i] = PenColour(page, block, n, i);
        cell = field.displayLength ? width / static_cast<int>(field.displayLength) : width;
    }

    void Line(int i, int x0, int y0, int x1, int y1) {
        strokes.push_back({pens[i], 2, {x0, x1, 0}, {y0, y1, 0}});
    }
    void Corner(int i, int x0, int y0, int x1, int y2) {
        strokes.push_back({pens[i], 3, {x0, x1, x1}, {y0, y0, y2}});
    }

    // One horizontal edge: the top (bottom false) or the bottom. The cells
    // next to it are looked up in the row beyond, unless that row is open.
    void Edge(bool bottom, bool open, const BlockLookup& inBlock, bool& markFirst, bool& markLast) {
        int cells = static_cast<int>(field.displayLength);
        int beyondRow = static_cast<int>(field.row) + (bottom ? 1 : -1);
        int outside = bottom ? height : -1;
        bool drawing = false;
        for (int j = 0; j < cells; ++j) {
            bool covered = !open && inBlock(field.column + j, beyondRow);
            if (!covered) {
                if (!drawing && j >= 1) {
                    for (int i = 0; i < n; ++i) {
                        int y = bottom ? height - 1 - i : i;
                        Corner(i, j * cell - 1, y, j * cell - 1 - i, outside);
                    }
                }
                for (int i = 0; i < n; ++i) {
                    int y = bottom ? height - 1 - i : i;
                    Line(i, j * cell, y, (j + 1) * cell, y);
                }
                if (j == 0) markFirst = true;
                if (j == cells - 1) markLast = true;
                drawing = true;
            } else {
                if (drawing) {
                    for (int i = 0; i < n; ++i) {
                        int y = bottom ? height - 1 - i : i;
                        Corner(i, j * cell, y, j * cell + i, outside);
                    }
                }
                drawing = false;
            }
        }
    }

    void Side(int xOf0, int step, bool markTop, bool markBottom) {
        for (int i = 0; i < n; ++i) {
            int x = xOf0 + step * i;
            Line(i, x, markTop ? i : 0, x, markBottom ? height - i : height);
        }
    }

    const CField& field;
    int width, height, n, cell;
    uint32_t pens[kMaxDepth] = {};
    std::vector<CBevelStroke> strokes;
};

}  // namespace

std::vector<CBevelStroke> BevelStrokes(const CField& field, int width, int height, int screenRows,
                                       uint32_t pageColour, uint32_t blockColour,
                                       const BlockLookup& inBlock) {
    int depth = std::min(height * 15 / 100, kMaxDepth);
    if (depth <= 0) return {};
    CBevelBuilder b(field, width, height, depth, pageColour, blockColour);
    bool topLeft = false, topRight = false, bottomLeft = false, bottomRight = false;
    if (field.row == 0) {
        for (int i = 0; i < depth; ++i) b.Line(i, 0, i, width, i);
        topLeft = topRight = true;
    } else {
        b.Edge(false, false, inBlock, topLeft, topRight);
    }
    bool lastRow = static_cast<int>(field.row) >= screenRows - 1;
    b.Edge(true, lastRow, inBlock, bottomLeft, bottomRight);
    int row = static_cast<int>(field.row);
    if (!inBlock(field.column - 1, row)) b.Side(0, 1, topLeft, bottomLeft);
    if (!inBlock(field.column + static_cast<int>(field.displayLength), row)) {
        b.Side(width - 1, -1, topRight, bottomRight);
    }
    return std::move(b.strokes);
}
