#pragma once

#include <windows.h>

// VDKCToolBar: the toolbar's strip, the parent of its buttons.
LRESULT CALLBACK ToolBarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
