#pragma once

#include <windows.h>

class CMessageLoop;

// Process-wide objects of the application shell, made by the entry point on
// the main thread, which owns every window.
extern HINSTANCE gInstance;
extern wchar_t gTitle[100];
extern wchar_t gMainClassName[100];
extern HACCEL gAccelerators;
extern CMessageLoop* gMessageLoop;
