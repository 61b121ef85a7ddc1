#pragma once

#include <windows.h>

// Font Options: the field font, its size, the cell width and upper-case input.
// IDOK after the settings were stored and written, else 0.
INT_PTR RunFontOptionsDialog(HWND owner);
