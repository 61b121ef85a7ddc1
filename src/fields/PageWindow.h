#pragma once

#include <windows.h>

// VDKCPage: one host page, the parent of its field windows.
LRESULT CALLBACK PageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
