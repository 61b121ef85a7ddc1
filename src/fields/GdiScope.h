#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/Handles_win.h"

// Drawing helpers of the field windows, on the owners of platform/Handles_win.h.

// The part of area that drawing on dc reaches: inside its clip box, which
// for a window's context is what shows of the window. False when none does.
inline bool ReachedArea(HDC dc, const RECT& area, RECT& reached) {
    RECT clip;
    return GetClipBox(dc, &clip) > NULLREGION && IntersectRect(&reached, &clip, &area);
}

inline COLORREF Rgb(uint32_t colour) {
    return static_cast<COLORREF>(colour & 0xFFFFFF);
}

// A filled rectangle in one colour, edges included.
inline void FillArea(HDC dc, int left, int top, int right, int bottom, uint32_t colour) {
    RECT r = {left, top, right, bottom};
    CBrush brush(CreateSolidBrush(Rgb(colour)));
    FillRect(dc, &r, brush.Get());
}
