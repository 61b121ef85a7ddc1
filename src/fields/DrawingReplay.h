#pragma once

#include <windows.h>

class CDrawing;

// Draws the steps of a drawing on dc, each pen and brush made for its step;
// labels in the font selected into dc.
void ReplayDrawing(HDC dc, const CDrawing& drawing);
