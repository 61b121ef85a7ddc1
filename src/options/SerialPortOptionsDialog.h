#pragma once

#include <windows.h>

// Serial Port Options: the line settings of the serial feature port.
// IDOK after the settings were stored and written, else 0.
INT_PTR RunSerialPortOptionsDialog(HWND owner);
