#include "fields/SelectButton.h"

#include <utility>

#include "fields/ControlPaint.h"
#include "fields/Drawing.h"
#include "fields/FieldLook.h"
#include "screen/Field.h"

namespace {

constexpr CRgb kLight = {255, 255, 239};
constexpr CRgb kDark = {165, 158, 148};

}  // namespace

CSelectButton::CSelectButton(CDrawing& dc, int x, int y, int width, int height, std::u16string text,
                             CField& field)
    : dc(dc),
      box{x, y, width, height},
      gradient(Gradient(height, kLight, kDark)),
      deepGradient(Gradient(height, kLight, kDark, true)),
      field(field) {
    field.onState = IsMarked(text);
    dc.text = text.empty() ? std::u16string() : text.substr(1);
}

void CSelectButton::DrawRaised() {
    DrawRaisedFace(dc, box, gradient);
    DrawLabel();
}

void CSelectButton::DrawPressed() {
    DrawPressedFace(dc, box, deepGradient, gradient);
    DrawLabel();
}

void CSelectButton::DrawFocus() {
    if (field.Class() != kFixedField) DrawButtonFocus(dc, box);
}

void CSelectButton::DrawLabel() {
    uint8_t style = VideoStyle(field);
    if (style == kBlinkVideo && !field.blinkOn) return;
    DrawButtonLabel(dc, box, style == kReverseVideo, field.Class() == kFixedField, 1);
}
