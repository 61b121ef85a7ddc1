#pragma once

#include <windows.h>

// Host Options: terminal id, host, port and text encoding, with a ping of the
// host. IDOK after the settings were stored and written, else 0.
INT_PTR RunHostOptionsDialog(HWND owner);
