#pragma once

#include <string>

#include "fields/BoxControl.h"

// A check box for one paint: a sunken box, with the check mark when checked.
class CCheckBox {
public:
    CCheckBox(CDrawing& dc, int left, int top, int right, int bottom, std::u16string label,
              int cells, bool boxOnRight, int sizeFactor, bool embossed, const CField& field,
              const CSettings& settings);

    void DrawUnchecked();
    void DrawChecked();
    void DrawFocus() { box.DrawFocus(); }
    void DrawLabel() { box.DrawLabel(); }

private:
    void DrawBox();

    CBoxControl box;
    int boxTop, boxBottom, boxLeft, boxRight;
};
