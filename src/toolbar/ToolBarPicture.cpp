#include "toolbar/ToolBarPicture.h"

#include <cstdint>
#include <vector>

#include "toolbar/GreyedPicture.h"

namespace {

// A 32-bit DIB, top row first: each pixel 0x00RRGGBB.
BITMAPINFO TopDownInfo(SIZE size) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

COLORREF FromDibPixel(uint32_t pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

}  // namespace

CToolBarPicture::CToolBarPicture(HINSTANCE instance, int resourceId)
    : picture(LoadBitmapW(instance, MAKEINTRESOURCEW(resourceId))), greyed(MakeGreyed()) {}

HBITMAP CToolBarPicture::MakeGreyed() {
    BITMAP description = {};
    if (!picture || !GetObjectW(picture.Get(), sizeof description, &description)) return nullptr;
    size = {description.bmWidth, description.bmHeight};
    if (size.cx <= 0 || size.cy <= 0) return nullptr;
    BITMAPINFO info = TopDownInfo(size);
    std::vector<uint32_t> pixels(static_cast<size_t>(size.cx) * size.cy);
    CWindowDc screen(nullptr);
    if (GetDIBits(screen.Get(), picture.Get(), 0, size.cy, pixels.data(), &info, DIB_RGB_COLORS) !=
        size.cy) {
        return nullptr;
    }
    transparent = FromDibPixel(pixels[0]);
    GreyPicture(pixels, pixels[0]);
    CBitmap copy(CreateCompatibleBitmap(screen.Get(), size.cx, size.cy));
    if (!copy || SetDIBits(screen.Get(), copy.Get(), 0, size.cy, pixels.data(), &info,
                           DIB_RGB_COLORS) != size.cy) {
        return nullptr;
    }
    return copy.Release();
}

void CToolBarPicture::Draw(HDC dc, int x, int y, bool greyedLook) const {
    HBITMAP shown = greyedLook ? greyed.Get() : picture.Get();
    if (!shown) return;
    CMemoryDc source(CreateCompatibleDC(dc));
    if (!source) return;
    CSelection selected(source.Get(), shown);
    TransparentBlt(dc, x, y, size.cx, size.cy, source.Get(), 0, 0, size.cx, size.cy, transparent);
}
