#pragma once

#include <windows.h>

// Field Options: Enter as F0, overwriting entry fields and the valid numerics.
// IDOK after the settings were stored and written, else 0.
INT_PTR RunFieldOptionsDialog(HWND owner);
