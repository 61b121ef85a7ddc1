#pragma once

#include <windows.h>

// Whether the window itself is marked shown, whatever its parents are;
// IsWindowVisible is false as well while any parent is hidden.
inline bool ShownItself(HWND window) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}
