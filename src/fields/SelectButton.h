#pragma once

#include <string>
#include <vector>

#include "fields/ButtonFace.h"

class CDrawing;
class CField;

// A select button for one paint. The first character of its text marks it
// chosen ('X'); the rest is the label. Making one sets the field's onState
// from that mark.
class CSelectButton {
public:
    CSelectButton(CDrawing& dc, int x, int y, int width, int height, std::u16string text,
                  CField& field);

    void DrawRaised();
    void DrawPressed();
    void DrawFocus();
    void DrawLabel();

private:
    CDrawing& dc;
    CButtonBox box;
    std::vector<uint32_t> gradient;
    std::vector<uint32_t> deepGradient;
    const CField& field;
};
