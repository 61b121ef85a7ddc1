#pragma once

#include <windows.h>

// Registers a class of the main window's frame (toolbar, its buttons, the
// lock animation): redrawn when resized, the program's icon, the arrow
// cursor and the window colour. The atom, or 0.
ATOM RegisterFrameWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure);
