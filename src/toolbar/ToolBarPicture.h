#pragma once

#include <windows.h>

#include "platform/Handles_win.h"

// A button's picture from the program's bitmaps, with the greyed copy that a
// disabled button shows. Its top-left pixel is the colour left out when drawn.
class CToolBarPicture {
public:
    // Without the resource the picture is empty and draws nothing.
    CToolBarPicture(HINSTANCE instance, int resourceId);
    CToolBarPicture(const CToolBarPicture&) = delete;
    CToolBarPicture& operator=(const CToolBarPicture&) = delete;

    SIZE Size() const { return size; }
    void Draw(HDC dc, int x, int y, bool greyedLook) const;

private:
    // Reads the picture's size and transparent colour; gives the greyed copy,
    // or null.
    HBITMAP MakeGreyed();

    CBitmap picture;
    SIZE size = {0, 0};
    COLORREF transparent = 0;
    CBitmap greyed;
};
