#pragma once

#include <windows.h>

// Serial Feature Options: the port, the directions with their framing
// characters, the input mode and the read interval time-out.
// IDOK after the settings were stored and written, else 0.
INT_PTR RunSerialFeatureOptionsDialog(HWND owner);
