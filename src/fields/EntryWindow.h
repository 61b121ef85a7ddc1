#pragma once

#include <windows.h>

// VDKEntry: the field the operator types into.
LRESULT CALLBACK EntryWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
