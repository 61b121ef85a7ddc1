#pragma once

#include <windows.h>

// VDKSystem: the terminal's own clock, the date or the time.
LRESULT CALLBACK SystemWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
