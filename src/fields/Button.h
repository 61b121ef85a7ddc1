#pragma once

#include <string>
#include <vector>

#include "fields/ButtonFace.h"

class CDrawing;
class CField;

// A button or key cap for one paint: raised or pressed, with a centred label.
class CButton {
public:
    // style picks the colours: 1 blue, 2 yellow, anything else grey.
    CButton(CDrawing& dc, int x, int y, int width, int height, std::u16string label, int style,
            bool blinking, bool blinkOn, bool reverse, bool embossed, const CField& field);

    void DrawRaised();
    void DrawPressed();
    void DrawFocus();
    void DrawLabel();

private:
    CDrawing& dc;
    CButtonBox box;
    std::vector<uint32_t> gradient;
    bool blinking, blinkOn, reverse, embossed;
    const CField& field;
};
