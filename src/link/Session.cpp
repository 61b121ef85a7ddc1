#include "link/Session.h"

#include "platform/AppMessages.h"
#include "protocol/Interpreter.h"
#include "screen/Field.h"

CSession::CSession(WindowHandle mainWindowHandle, CWindowPort& windowPort)
    : port(windowPort),
      pages(std::make_unique<CPageList>(windowPort)),
      mainWindow(mainWindowHandle) {
    pages->Create(kPageCount, mainWindow);
}

CSession::~CSession() {
    Stop();
}

void CSession::Interpret(const unsigned char*& p, const unsigned char* e) {
    CInterpreter interpreter(*this, p, e);
    interpreter.Run();
    p = e;
}

CField* CSession::CurrentPageField(int number) const {
    CPage* page = CurrentPage();
    return page ? page->fields.FindField(number) : nullptr;
}

int CSession::FirstInputField() const {
    CPage* page = CurrentPage();
    return page ? page->fields.FirstInputField() : -1;
}

int CSession::LastInputField() const {
    CPage* page = CurrentPage();
    return page ? page->fields.LastInputField() : -1;
}

int CSession::NextInputField() const {
    CPage* page = CurrentPage();
    return page ? page->fields.NextInputField(currentField) : -1;
}

int CSession::PreviousInputField() const {
    CPage* page = CurrentPage();
    return page ? page->fields.PreviousInputField(currentField) : -1;
}

void CSession::FocusNext() {
    int next = NextInputField();
    currentField = next >= 0 ? next : FirstInputField();
    ApplyFocus();
}

void CSession::FocusPrevious() {
    int previous = PreviousInputField();
    currentField = previous >= 0 ? previous : LastInputField();
    ApplyFocus();
}

void CSession::ApplyFocus() {
    port.SendMsg(mainWindow, UM_ANIMATION, 1, 0);
    CPage* page = CurrentPage();
    if (!page) return;
    if (currentField < 0) {
        if (page->pageWindow) {
            port.SendMsg(page->pageWindow, UM_FOCUSPAGE,
                         reinterpret_cast<uintptr_t>(page->pageWindow), kTakeFocusParam);
        }
        return;
    }
    CField* field = page->fields.FindField(currentField);
    if (field && field->fieldWindow) {
        port.SendMsg(field->fieldWindow, kSetCursorMessage,
                     reinterpret_cast<uintptr_t>(field->fieldWindow), kTakeFocusParam);
    }
}
