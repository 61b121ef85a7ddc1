#pragma once

#include <windows.h>

// The About box: program name, file version and copyright.
INT_PTR RunAboutDialog(HWND owner);
