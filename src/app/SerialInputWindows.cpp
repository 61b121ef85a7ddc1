#include "app/SerialInputWindows.h"

#include "platform/AppMessages.h"
#include "protocol/Responder.h"
#include "screen/Field.h"
#include "screen/TerminalState.h"

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
