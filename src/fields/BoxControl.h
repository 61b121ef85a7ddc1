#pragma once

#include <string>

class CDrawing;
class CField;
class CSettings;

// What check boxes and radio buttons share: a box (or ball) of a size in
// character cells beside a label, on either side.
struct CBoxControl {
    CBoxControl(CDrawing& dc, int left, int top, int right, int bottom, std::u16string label,
                int cells, bool boxOnRight, int sizeFactor, bool embossed, const CField& field,
                const CSettings& settings);

    // A selected field is filled with its selected colour first.
    void FillSelected();
    // Dashes on the outer edge, unless embossed.
    void DrawFocus();
    void DrawLabel();
    // The box's left and right edge for its size s.
    int BoxLeft() const;
    int BoxRight() const;
    // The check mark's or the dot's colour.
    uint32_t MarkColour() const;

    CDrawing& dc;
    int left, top, right, bottom;
    int cells;
    int unitWidth;
    bool boxOnRight;
    int sizeFactor;
    int boxSize;
    bool embossed;
    const CField& field;
    const CSettings& settings;
};
