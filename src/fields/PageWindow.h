#pragma once

#include <windows.h>

class CField;
class CPage;

// VDKCPage: one host page, the parent of its field windows.
LRESULT CALLBACK PageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Whether the field changes with the blink: a blinking field, or a clock.
bool Blinks(const CField& field);

// A shown page blinks only while it has such a field: the field, painting,
// starts its page's timer, which stops itself once nothing on a shown page
// blinks. The fields take the phase of the moment.
void KeepPageBlinking(HWND pageWindow, CPage& page);
