#pragma once

#include <string_view>

#include "platform/KeyMap.h"

// A key by the name a script gives it: "Enter", "Tab", "BackTab", the arrows,
// "Home", "End", "Backspace", "Delete", "Space", "F1" to "F24" with "Shift+"
// or "Ctrl+" before them, "Ctrl+0" to "Ctrl+9" and "Device240" to
// "Device245"; names in any case. character is what the key types besides,
// as Windows makes a character of Enter, Tab, Backspace and Space, else 0.
bool ParseKeyName(std::string_view name, CKeyPress& key, char16_t& character);
