#pragma once

#include <cstdint>
#include <vector>

class CDrawing;

// The raised or pressed face that buttons, key caps and select buttons share:
// a frame with open corners, the face in one-pixel rows from a gradient, and
// the inner edges.

constexpr uint32_t kButtonFrameColour = 0x6B7173;

struct CButtonBox {
    int x, y, width, height;
    int Right() const { return x + width - 1; }
    int Bottom() const { return y + height - 1; }
};

// Light at the top: row k takes gradient[k].
void DrawRaisedFace(CDrawing& dc, const CButtonBox& box, const std::vector<uint32_t>& gradient);
// Dark at the top: the rows take face[height - 1] down to face[2]; the edges
// come from gradient.
void DrawPressedFace(CDrawing& dc, const CButtonBox& box, const std::vector<uint32_t>& face,
                     const std::vector<uint32_t>& gradient);
// The label centred on one line: white on reverse video, else black. An
// embossed label is grey over a white copy of itself moved by (dx, 1).
void DrawButtonLabel(CDrawing& dc, const CButtonBox& box, bool reverse, bool embossed, int dx);
// Black dashes two pixels long every four, one pixel inside the frame.
void DrawButtonFocus(CDrawing& dc, const CButtonBox& box);
