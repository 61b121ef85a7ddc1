#pragma once

#include <windows.h>

// Centres a dialog on its parent's client area (the desktop's without a
// parent), never left of or above its origin, and shows it.
void CentreDialog(HWND dialog);
