#pragma once

#include <windows.h>

#include <cstdint>

// Owners for the GDI objects of one paint: each is freed, in reverse order of
// making, when its scope ends.

// A pen, brush, font or bitmap, deleted at the end.
template <class Handle>
class CGdiObject {
public:
    explicit CGdiObject(Handle h) : handle(h) {}
    ~CGdiObject() {
        if (handle) DeleteObject(handle);
    }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    Handle Get() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }

private:
    Handle handle;
};

using CPen = CGdiObject<HPEN>;
using CBrush = CGdiObject<HBRUSH>;
using CFont = CGdiObject<HFONT>;

// An object selected into a device context; the previous one is put back.
class CSelection {
public:
    CSelection(HDC dc, HGDIOBJ object)
        : dc(dc), previous(object ? SelectObject(dc, object) : nullptr) {}
    ~CSelection() {
        if (previous) SelectObject(dc, previous);
    }
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;

private:
    HDC dc;
    HGDIOBJ previous;
};

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
          selection(memory.dc, bitmap.Get()) {
        if (memory.dc) SetWindowOrgEx(memory.dc, area.left, area.top, nullptr);
    }
    ~CMemoryCanvas() = default;
    CMemoryCanvas(const CMemoryCanvas&) = delete;
    CMemoryCanvas& operator=(const CMemoryCanvas&) = delete;
    HDC Dc() const { return memory.dc; }
    explicit operator bool() const { return memory.dc && bitmap; }

private:
    static int Side(LONG length) { return length > 0 ? static_cast<int>(length) : 1; }

    struct CDcOwner {
        explicit CDcOwner(HDC h) : dc(h) {}
        ~CDcOwner() {
            if (dc) DeleteDC(dc);
        }
        CDcOwner(const CDcOwner&) = delete;
        CDcOwner& operator=(const CDcOwner&) = delete;
        HDC dc;
    };
    CDcOwner memory;
    CGdiObject<HBITMAP> bitmap;
    CSelection selection;
};

// The part of area that drawing on dc reaches: inside its clip box, which
// for a window's context is what shows of the window. False when none does.
inline bool ReachedArea(HDC dc, const RECT& area, RECT& reached) {
    RECT clip;
    return GetClipBox(dc, &clip) > NULLREGION && IntersectRect(&reached, &clip, &area);
}

// A window's device context outside of painting.
class CWindowDc {
public:
    explicit CWindowDc(HWND hwnd) : window(hwnd), dc(GetDC(hwnd)) {}
    ~CWindowDc() {
        if (dc) ReleaseDC(window, dc);
    }
    CWindowDc(const CWindowDc&) = delete;
    CWindowDc& operator=(const CWindowDc&) = delete;
    HDC Get() const { return dc; }

private:
    HWND window;
    HDC dc;
};

// WM_PAINT's device context.
class CPaintDc {
public:
    explicit CPaintDc(HWND hwnd) : window(hwnd), dc(BeginPaint(hwnd, &ps)) {}
    ~CPaintDc() { EndPaint(window, &ps); }
    CPaintDc(const CPaintDc&) = delete;
    CPaintDc& operator=(const CPaintDc&) = delete;
    HDC Get() const { return dc; }

private:
    HWND window;
    PAINTSTRUCT ps;
    HDC dc;
};

inline COLORREF Rgb(uint32_t colour) {
    return static_cast<COLORREF>(colour & 0xFFFFFF);
}

// A filled rectangle in one colour, edges included.
inline void FillArea(HDC dc, int left, int top, int right, int bottom, uint32_t colour) {
    RECT r = {left, top, right, bottom};
    CBrush brush(CreateSolidBrush(Rgb(colour)));
    FillRect(dc, &r, brush.Get());
}
