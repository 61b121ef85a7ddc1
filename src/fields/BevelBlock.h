#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class CField;

// One pen stroke of a bevel: a polyline of two or three points, drawn with
// a one-pixel pen, end point excluded.
struct CBevelStroke {
    uint32_t colour;
    int count;
    int x[3];
    int y[3];
};

// Whether the cell at (column, row) belongs to a reverse-video block.
using BlockLookup = std::function<bool(int column, int row)>;

// The bevel of a reverse-video field of width x height pixels: lines only on
// the outer boundary of the block it forms with its reverse-video
// neighbours, shading from the page colour towards the block colour.
std::vector<CBevelStroke> BevelStrokes(const CField& field, int width, int height, int screenRows,
                                       uint32_t pageColour, uint32_t blockColour,
                                       const BlockLookup& inBlock);
