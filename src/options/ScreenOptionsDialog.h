#pragma once

#include <windows.h>

// Screen Options: full screen, colours, watermark, grid size and toolbar.
// IDOK after the settings were stored and written, else 0.
INT_PTR RunScreenOptionsDialog(HWND owner);
