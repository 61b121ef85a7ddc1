#include "fields/ButtonFace.h"

#include <algorithm>

#include "fields/Drawing.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kEmbossGrey = 0x7F7F7F;

// The corners stay open, which rounds them.
void DrawFrame(CDrawing& dc, const CButtonBox& b) {
    int r = b.Right(), bottom = b.Bottom();
    dc.Line(b.x + 1, b.y, r, b.y, kButtonFrameColour);
    dc.Line(r, b.y + 1, r, bottom, kButtonFrameColour);
    dc.Line(b.x + 1, bottom, r, bottom, kButtonFrameColour);
    dc.Line(b.x, b.y + 1, b.x, bottom, kButtonFrameColour);
}

// One row of the face; colourOfRow(k) for rows 0 to height - 3.
template <typename RowColour>
void DrawRows(CDrawing& dc, const CButtonBox& b, RowColour colourOfRow) {
    int rowWidth = std::max(b.width - 2, 1);
    for (int k = 0; k <= b.height - 3; ++k) {
        dc.Fill(b.x + 1, b.y + 1 + k, b.x + 1 + rowWidth, b.y + 2 + k, colourOfRow(k));
    }
}

void DrawEdges(CDrawing& dc, const CButtonBox& b, uint32_t left, uint32_t right) {
    dc.Line(b.x + 1, b.y + 1, b.x + 1, b.Bottom() - 1, left);
    dc.Line(b.Right() - 1, b.Bottom() - 1, b.Right() - 1, b.y + 1, right);
}

}  // namespace

void DrawRaisedFace(CDrawing& dc, const CButtonBox& box, const std::vector<uint32_t>& gradient) {
    DrawFrame(dc, box);
    // A control under three pixels high has no rows, and a gradient too short
    // for its edges: they take the nearest entry, if any.
    DrawRows(dc, box, [&gradient](int k) { return gradient[static_cast<size_t>(k)]; });
    if (gradient.empty()) return;
    int count = static_cast<int>(gradient.size());
    DrawEdges(dc, box, gradient[0], GradientAt(gradient, count - 3));
}

void DrawPressedFace(CDrawing& dc, const CButtonBox& box, const std::vector<uint32_t>& face,
                     const std::vector<uint32_t>& gradient) {
    DrawFrame(dc, box);
    DrawRows(dc, box,
             [&face, &box](int k) { return face[static_cast<size_t>(box.height - 1 - k)]; });
    if (gradient.empty()) return;
    int count = static_cast<int>(gradient.size());
    DrawEdges(dc, box, GradientAt(gradient, count - 3), GradientAt(gradient, 1));
}

void DrawButtonFocus(CDrawing& dc, const CButtonBox& b) {
    int r = b.Right(), bottom = b.Bottom();
    for (int x = b.x + 1; x < r; x += 4) dc.Line(x, b.y + 1, x + 2, b.y + 1, kBlack);
    for (int y = b.y + 1; y < bottom - 2; y += 4) dc.Line(r - 1, y, r - 1, y + 2, kBlack);
    for (int x = r - 2; x > b.x + 1; x -= 4) dc.Line(x, bottom - 1, x - 2, bottom - 1, kBlack);
    for (int y = bottom - 2; y > b.y + 1; y -= 4) dc.Line(b.x + 1, y, b.x + 1, y - 2, kBlack);
}

void DrawButtonLabel(CDrawing& dc, const CButtonBox& b, bool reverse, bool embossed, int dx) {
    uint32_t colour = reverse ? kWhite : kBlack;
    if (embossed) {
        dc.Label(b.x + dx, b.y + 1, b.width + dx, b.height + 1, kWhite, LabelAlign::Centre, true);
        colour = kEmbossGrey;
    }
    dc.Label(b.x, b.y, b.width, b.height, colour, LabelAlign::Centre, true);
}
