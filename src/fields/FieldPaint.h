#pragma once

#include <windows.h>

#include <cstdint>

class CField;

// Painting pieces the fixed and system fields share.

// A one-pixel line, end point excluded.
void DrawLine(HDC dc, int x0, int y0, int x1, int y1, uint32_t colour);
// The grid's edge in the page colour: the right column and the bottom row.
void DrawCellEdge(HDC dc, const CField& field, int width, int height);
// The raised block of a reverse-video field, filled with blockColour.
void DrawBevelBlock(HDC dc, const CField& field, int width, int height, uint32_t blockColour);
// Text in the field font (bold for the bold style), transparent.
void DrawFieldText(HDC dc, const CField& field, const wchar_t* text, int length, RECT area,
                   UINT format, uint32_t colour);
