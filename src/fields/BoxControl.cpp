#include "fields/BoxControl.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "config/Settings.h"
#include "fields/Drawing.h"
#include "fields/FieldLook.h"
#include "screen/Field.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kEmbossGrey = 0x7F7F7F;

// Cells times the size in cells, but no higher than the control and never
// below 0, whatever size the host asked for.
int BoxSize(int unitWidth, int sizeFactor, int height) {
    int64_t size = static_cast<int64_t>(unitWidth) * sizeFactor;
    return static_cast<int>(std::clamp<int64_t>(size, 0, std::max(height, 0)));
}

}  // namespace

CBoxControl::CBoxControl(CDrawing& dc, int left, int top, int right, int bottom,
                         std::u16string label, int cells, bool boxOnRight, int sizeFactor,
                         bool embossed, const CField& field, const CSettings& settings)
    : dc(dc),
      left(left),
      top(top),
      right(right),
      bottom(bottom),
      cells(cells),
      unitWidth(cells >= 1 ? (right - left) / cells : right - left),
      boxOnRight(boxOnRight),
      sizeFactor(sizeFactor),
      boxSize(BoxSize(unitWidth, sizeFactor, bottom - top)),
      embossed(embossed),
      field(field),
      settings(settings) {
    dc.text = std::move(label);
}

int CBoxControl::BoxLeft() const {
    return boxOnRight ? right - boxSize - 2 : left + 1;
}

int CBoxControl::BoxRight() const {
    return boxOnRight ? BoxLeft() + boxSize : left + boxSize;
}

uint32_t CBoxControl::MarkColour() const {
    if (settings.CustomColorMode()) return settings.CheckBoxCheckAndRadioButtonDotColor();
    return embossed ? kEmbossGrey : kBlack;
}

void CBoxControl::FillSelected() {
    // Outlined with the device context's own pen, which is black.
    if (field.selected) dc.Rectangle(left, top, right, bottom, kBlack, field.colorSelectedBack);
}

void CBoxControl::DrawFocus() {
    if (embossed) return;
    uint32_t pen = field.selected ? kWhite : kBlack;
    for (int x = left; x < right - 1; x += 4) dc.Line(x, top, x + 2, top, pen);
    for (int y = top; y < bottom - 2; y += 4) dc.Line(right - 1, y, right - 1, y + 2, pen);
    for (int x = right - 2; x > left; x -= 4) dc.Line(x, bottom - 1, x - 2, bottom - 1, pen);
    for (int y = bottom - 2; y > top; y -= 4) dc.Line(left, y, left, y - 2, pen);
}

void CBoxControl::DrawLabel() {
    uint8_t style = VideoStyle(field);
    if (style == kBlinkVideo && !field.blinkOn) return;
    int labelLeft = boxOnRight ? 0 : 2 * unitWidth;
    int labelRight = boxOnRight ? right - 2 * unitWidth : right;
    LabelAlign align = boxOnRight ? LabelAlign::Right : LabelAlign::Left;
    uint32_t colour = settings.CustomColorMode() ? settings.ForeGroundColor() : kBlack;
    if (embossed) {
        dc.Label(labelLeft + 1, top + 1, labelRight + 1, bottom + 1, kWhite, align, false);
        colour = kEmbossGrey;
    }
    if (style == kReverseVideo) colour = kWhite;
    dc.Label(labelLeft, top, labelRight, bottom, colour, align, false);
}
