#pragma once

#include <windows.h>

#include "app/MessageFilter.h"

// The main window's frame: applies the accelerator table to every message and
// asks for the frame layout.
class CAppFrame : public CMessageFilter {
public:
    CAppFrame(HWND mainWindow, HACCEL acceleratorTable)
        : window(mainWindow), accelerators(acceleratorTable) {}
    CAppFrame(const CAppFrame&) = delete;
    CAppFrame& operator=(const CAppFrame&) = delete;

    bool FilterMessage(const MSG& msg) override;
    // Lays out the frame, if the window still exists (it may have closed
    // while a modal dialog ran).
    void Relayout() const;

private:
    HWND window;
    HACCEL accelerators;
};
