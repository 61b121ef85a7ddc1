#pragma once

#include <windows.h>

#include "platform/KeyMap.h"

// A key press with the modifiers held as the message that brought it is read.
CKeyPress KeyPressNow(WPARAM virtualKey);
