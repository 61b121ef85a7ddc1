#include "fields/RadioButton.h"

#include <algorithm>
#include <utility>

#include "fields/ButtonFace.h"
#include "fields/Drawing.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

}  // namespace

CRadioButton::CRadioButton(CDrawing& dc, int left, int top, int right, int bottom,
                           std::u16string label, int cells, bool boxOnRight, int sizeFactor,
                           bool embossed, const CField& field, const CSettings& settings)
    : box(dc, left, top, right, bottom, std::move(label), cells, boxOnRight, sizeFactor, embossed,
          field, settings),
      gradient(Gradient(box.boxSize, {255, 255, 239}, {165, 158, 148})) {
    int s = box.boxSize;
    boxTop = top + ((bottom - top) - s) / 2;
    boxBottom = boxTop + s;
    boxLeft = box.BoxLeft();
    boxRight = box.BoxRight();
}

void CRadioButton::DrawBall(uint32_t face, int first) {
    CDrawing& dc = box.dc;
    int lb = boxLeft, rb = boxRight, tb = boxTop, bb = boxBottom;
    box.FillSelected();
    dc.Ellipse(lb, tb, rb, bb, kWhite, kWhite);
    dc.Ellipse(lb + 1, tb + 1, rb - 1, bb - 1, face, face);
    int l = lb + 2, t = tb + 2, r = rb - 2, b = bb - 2;
    for (int j = std::max(first, 0); j < box.boxSize && t < b && l < r; ++j, ++l, ++t, --r, --b) {
        uint32_t ring = gradient[static_cast<size_t>(j)];
        dc.Ellipse(l, t, r, b, ring, ring);
    }
}

void CRadioButton::DrawUnchecked() {
    DrawBall(kWhite, (box.unitWidth - 1) / 3);
    box.DrawLabel();
}

void CRadioButton::DrawChecked() {
    DrawBall(kButtonFrameColour, (box.unitWidth - 1) / 4);
    int lb = boxLeft, rb = boxRight, tb = boxTop, bb = boxBottom;
    box.dc.Ellipse(lb + (rb - lb) / 4, tb + (bb - tb) / 4, rb - (rb - lb) / 4, bb - (bb - tb) / 4,
                   kBlack, box.MarkColour());
    box.DrawLabel();
}
