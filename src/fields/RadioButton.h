#pragma once

#include <string>
#include <vector>

#include "fields/BoxControl.h"

// A radio button for one paint: a shaded ball, with the dot when chosen.
class CRadioButton {
public:
    CRadioButton(CDrawing& dc, int left, int top, int right, int bottom, std::u16string label,
                 int cells, bool boxOnRight, int sizeFactor, bool embossed, const CField& field,
                 const CSettings& settings);

    void DrawUnchecked();
    void DrawChecked();
    void DrawFocus() { box.DrawFocus(); }
    void DrawLabel() { box.DrawLabel(); }

private:
    // The ball's face, and its rings shaded from gradient entry `first` on.
    void DrawBall(uint32_t face, int first);

    CBoxControl box;
    std::vector<uint32_t> gradient;
    int boxTop, boxBottom, boxLeft, boxRight;
};
