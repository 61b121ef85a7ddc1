#include "platform/KeyboardState_win.h"

CKeyPress KeyPressNow(WPARAM virtualKey) {
    CKeyPress key;
    key.virtualKey = static_cast<unsigned>(virtualKey);
    key.ctrl = GetKeyState(VK_CONTROL) < 0;
    key.shift = GetKeyState(VK_SHIFT) < 0;
    key.alt = GetKeyState(VK_MENU) < 0;
    return key;
}
