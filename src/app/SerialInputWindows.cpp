#include "app/SerialInputWindows.h"

#include "platform/AppMessages.h"
#include "protocol/Responder.h"
#include "screen/Field.h"
#include "screen/TerminalState.h"

void CSerialInputWindows::Post(HWND mainWindow, WPARAM generation, const unsigned char* bytes,
                               size_t n) {
    auto input = std::make_unique<std::string>(reinterpret_cast<const char*>(bytes), n);
    // The window, gone or its queue full, did not take it.
    if (PostMessageW(mainWindow, UM_SERIALIN, generation, reinterpret_cast<LPARAM>(input.get()))) {
        input.release();
    }
}

std::unique_ptr<std::string> CSerialInputWindows::Take(LPARAM input) {
    return std::unique_ptr<std::string>(reinterpret_cast<std::string*>(input));
}

void CSerialInputWindows::DropQueued(HWND mainWindow) {
    MSG msg;
    while (PeekMessageW(&msg, mainWindow, UM_SERIALIN, UM_SERIALIN, PM_REMOVE)) Take(msg.lParam);
}

void CSerialInputWindows::SendToHost(const unsigned char* bytes, size_t n) {
    responses.SendPortData(bytes, n);
}

CPage* CSerialInputWindows::CurrentPage() {
    CPage* page = nullptr;
    SendMessageW(mainWindow, UM_GETCURRENTPAGE, 0, reinterpret_cast<LPARAM>(&page));
    return page;
}

bool CSerialInputWindows::InputOpen() {
    return terminal.inputState == InputState::Open;
}

void CSerialInputWindows::ClearField(CField& field) {
    SendMessageW(static_cast<HWND>(field.fieldWindow), UM_CLEARFIELD, 0, 0);
}

void CSerialInputWindows::TypeIntoField(CField& field, char16_t c) {
    SendMessageW(static_cast<HWND>(field.fieldWindow), UM_INPUTCHAR, c, 1);
}
