#pragma once

#include <windows.h>

#include "link/SerialInput.h"

class CResponder;
class CTerminalState;

// Serial input reaches the host through the responses and the fields through
// their windows, with messages sent from the port's read thread.
class CSerialInputWindows : public CSerialInputSide {
public:
    CSerialInputWindows(HWND mainWindow, CTerminalState& terminal, CResponder& responses)
        : mainWindow(mainWindow), terminal(terminal), responses(responses) {}
    CSerialInputWindows(const CSerialInputWindows&) = delete;
    CSerialInputWindows& operator=(const CSerialInputWindows&) = delete;

    void SendToHost(const unsigned char* bytes, size_t n) override;
    CPage* CurrentPage() override;
    bool InputOpen() override;
    void ClearField(CField& field) override;
    void TypeIntoField(CField& field, char16_t c) override;

private:
    HWND mainWindow;
    CTerminalState& terminal;
    CResponder& responses;
};
