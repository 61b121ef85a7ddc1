#pragma once

#include <windows.h>

// The Login dialog of user mode: the administrator password switches to
// administrator mode, any other text to user mode, and the file is written.
// IDOK once a password was checked, whatever the outcome; 0 after Cancel.
INT_PTR RunLoginDialog(HWND owner);
