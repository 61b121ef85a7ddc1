#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/Handles_win.h"

// Drawing helpers of the field windows, on the owners of platform/Handles_win.h.

// A memory device context with a bitmap of its own, compatible with dc, that
// holds only the given area of a drawing: drawing goes in the drawing's own
// coordinates and whatever falls outside the area is dropped. A window far
// larger than the screen so needs a bitmap only of the part that shows.
class CMemoryCanvas {
public:
    CMemoryCanvas(HDC dc, const RECT& area)
        : memory(CreateCompatibleDC(dc)),
          bitmap(CreateCompatibleBitmap(dc, Side(area.right - area.left),
                                        Side(area.bottom - area.top))),
          selection(memory.Get(), bitmap.Get()) {
        if (memory.Get()) SetWindowOrgEx(memory.Get(), area.left, area.top, nullptr);
    }
    ~CMemoryCanvas() = default;
    CMemoryCanvas(const CMemoryCanvas&) = delete;
    CMemoryCanvas& operator=(const CMemoryCanvas&) = delete;
    HDC Dc() const { return memory.Get(); }
    explicit operator bool() const { return memory.Get() && bitmap; }

private:
    static int Side(LONG length) { return length > 0 ? static_cast<int>(length) : 1; }

    CMemoryDc memory;
    CBitmap bitmap;
    CSelection selection;
};

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
