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

// A memory device context with a bitmap of its own, compatible with dc.
class CMemoryCanvas {
public:
    CMemoryCanvas(HDC dc, int width, int height)
        : memory(CreateCompatibleDC(dc)),
          bitmap(CreateCompatibleBitmap(dc, width > 0 ? width : 1, height > 0 ? height : 1)),
          selection(memory.dc, bitmap.Get()) {}
    ~CMemoryCanvas() = default;
    CMemoryCanvas(const CMemoryCanvas&) = delete;
    CMemoryCanvas& operator=(const CMemoryCanvas&) = delete;
    HDC Dc() const { return memory.dc; }
    explicit operator bool() const { return memory.dc && bitmap; }

private:
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
