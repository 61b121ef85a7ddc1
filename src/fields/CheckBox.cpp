#include "fields/CheckBox.h"

#include <utility>

#include "fields/Drawing.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kShadow = 0x606060;
constexpr uint32_t kLightEdge = 0xC4C4C4;
constexpr uint32_t kEmbossGrey = 0x7F7F7F;

}  // namespace

CCheckBox::CCheckBox(CDrawing& dc, int left, int top, int right, int bottom, std::u16string label,
                     int cells, bool boxOnRight, int sizeFactor, bool embossed, const CField& field,
                     const CSettings& settings)
    : box(dc, left, top, right, bottom, std::move(label), cells, boxOnRight, sizeFactor, embossed,
          field, settings) {
    int s = box.boxSize;
    boxTop = top + ((bottom - top) - s) / 2 + 1;
    boxBottom = boxTop + s - 1;
    boxLeft = box.BoxLeft();
    boxRight = box.BoxRight();
}

void CCheckBox::DrawBox() {
    CDrawing& dc = box.dc;
    int lb = boxLeft, rb = boxRight, tb = boxTop, bb = boxBottom, s = box.boxSize;
    box.FillSelected();
    dc.Line(lb, tb - 1, rb - 1, tb - 1, kShadow);
    dc.Line(lb, tb - 1, lb, bb, kShadow);
    dc.Line(lb + 1, tb, rb - 2, tb, kBlack);
    dc.Line(lb + 1, tb, lb + 1, bb - 1, kBlack);
    dc.Line(rb - 1, tb - 1, rb - 1, bb + 1, kWhite);
    dc.Line(lb, bb, rb - 1, bb, kWhite);
    dc.Line(rb - 2, tb, rb - 2, bb, kLightEdge);
    dc.Line(rb - 2, bb - 1, lb, bb - 1, kLightEdge);
    uint32_t inside = box.embossed ? kLightEdge : kWhite;
    for (int i = 0; i < s - 3; ++i) dc.Line(lb + 2, tb + 1 + i, lb + 2 + s - 5, tb + 1 + i, inside);
}

void CCheckBox::DrawUnchecked() {
    DrawBox();
    box.DrawLabel();
}

void CCheckBox::DrawChecked() {
    DrawBox();
    int lb = boxLeft, rb = boxRight, tb = boxTop, bb = boxBottom;
    int w = rb - lb, h = bb - tb;
    int mx = lb + w / 2, my = tb + h / 2;
    const int x[] = {rb, mx, lb, lb + w / 4, mx};
    const int y[] = {tb, bb, my, tb + h / 4, my};
    box.dc.Polygon(5, x, y, box.embossed ? kEmbossGrey : kBlack, box.MarkColour());
    box.DrawLabel();
}
