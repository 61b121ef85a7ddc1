#pragma once

#include <windows.h>

#include "platform/Handles_win.h"

// The font every field paints with, at the size the grid chose; bold for the
// bold video style. It stays valid until the size or face changes.
HFONT FieldFont(bool bold);

// Computes the character-cell grid and field font from a page window's
// client size (or the font's point size) into the settings record.
void ComputeCellGrid(HWND pageWindow);
