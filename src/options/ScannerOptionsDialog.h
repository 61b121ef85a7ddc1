#pragma once

#include <windows.h>

// Scanner Options: the scanner mode and what a scan appends.
// IDOK after the settings were stored and written, else 0.
INT_PTR RunScannerOptionsDialog(HWND owner);
