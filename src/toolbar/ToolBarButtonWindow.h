#pragma once

#include <windows.h>

// VDKCToolBarButton: one picture button of the toolbar; its child id is its
// index in the toolbar.
LRESULT CALLBACK ToolBarButtonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
