#pragma once

#include <windows.h>

// VDKFixed: host text the operator cannot change.
LRESULT CALLBACK FixedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
