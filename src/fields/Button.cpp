#include "fields/Button.h"

#include <utility>

#include "fields/Drawing.h"
#include "screen/Field.h"

namespace {

std::vector<uint32_t> SchemeGradient(int n, int style) {
    switch (style) {
        case 1:
            return Gradient(n, {221, 236, 254}, {92, 108, 132});
        case 2:
            return Gradient(n, {255, 247, 158}, {255, 204, 0});
        default:
            return Gradient(n, {255, 255, 239}, {165, 158, 148});
    }
}

}  // namespace

CButton::CButton(CDrawing& dc, int x, int y, int width, int height, std::u16string label, int style,
                 bool blinking, bool blinkOn, bool reverse, bool embossed, const CField& field)
    : dc(dc),
      box{x, y, width, height},
      gradient(SchemeGradient(height, style)),
      blinking(blinking),
      blinkOn(blinkOn),
      reverse(reverse),
      embossed(embossed),
      field(field) {
    dc.text = std::move(label);
}

void CButton::DrawRaised() {
    DrawRaisedFace(dc, box, gradient);
    DrawLabel();
}

void CButton::DrawPressed() {
    DrawPressedFace(dc, box, gradient, gradient);
    DrawLabel();
}

void CButton::DrawFocus() {
    if (field.Class() != kFixedField) DrawButtonFocus(dc, box);
}

void CButton::DrawLabel() {
    if (blinking && !blinkOn) return;
    DrawButtonLabel(dc, box, reverse, embossed, 0);
}
