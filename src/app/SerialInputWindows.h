#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "link/SerialInput.h"

class CResponder;
class CTerminalState;

// Serial input reaches the host through the responses and the fields through
// their windows, all on the window thread: the port's read thread only posts
// what it read to the main window, which owns the fields and their windows.
class CSerialInputWindows : public CSerialInputSide {
public:
    CSerialInputWindows(HWND mainWindow, CTerminalState& terminal, CResponder& responses)
        : mainWindow(mainWindow), terminal(terminal), responses(responses) {}
    CSerialInputWindows(const CSerialInputWindows&) = delete;
    CSerialInputWindows& operator=(const CSerialInputWindows&) = delete;

    // From the read thread: a copy of the input, posted as UM_SERIALIN.
    static void Post(HWND mainWindow, WPARAM generation, const unsigned char* bytes, size_t n);
    // The input a UM_SERIALIN carries, owned by the caller from now on.
    static std::unique_ptr<std::string> Take(LPARAM input);
    // Frees the inputs still queued for the window, when their port closes.
    static void DropQueued(HWND mainWindow);

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
