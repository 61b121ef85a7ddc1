#include "screen/TerminalState.h"

#include <algorithm>

#include "platform/TextCodec.h"
#include "screen/Field.h"

CTerminalState::CTerminalState(CWindowPort& windowPort, WindowHandle mainWindow,
                               const CSettings& settings)
    : port(windowPort), pages(std::make_unique<CPageList>(windowPort, settings)) {
    pages->Create(kPageCount, mainWindow);
}

CField* CTerminalState::CurrentPageField(int number) const {
    CPage* page = CurrentPage();
    return page ? page->fields.FindField(number) : nullptr;
}

int CTerminalState::FirstInputField() const {
    CPage* page = CurrentPage();
    return page ? page->fields.FirstInputField() : -1;
}

int CTerminalState::LastInputField() const {
    CPage* page = CurrentPage();
    return page ? page->fields.LastInputField() : -1;
}

void CTerminalState::FocusNext() {
    CPage* page = CurrentPage();
    int next = page ? page->fields.NextInputField(currentField) : -1;
    currentField = next >= 0 ? next : FirstInputField();
    ApplyFocus();
}

void CTerminalState::FocusPrevious() {
    CPage* page = CurrentPage();
    int previous = page ? page->fields.PreviousInputField(currentField) : -1;
    currentField = previous >= 0 ? previous : LastInputField();
    ApplyFocus();
}

void CTerminalState::ApplyFocus() {
    port.StopLockAnimation(LockAnimationKind::AwaitingHost);
    CPage* page = CurrentPage();
    if (!page) return;
    if (currentField < 0) {
        if (page->pageWindow) port.FocusPage(*page);
        return;
    }
    CField* field = page->fields.FindField(currentField);
    if (field && field->fieldWindow) port.FocusField(*field);
}

void CTerminalState::Reset(int32_t second) {
    port.StopLockAnimation(LockAnimationKind::Connecting);
    currentField = -1;
    currentPage = 0;
    displayPage = 0;
    pendingDialog = PendingDialog::None;
    pages->ClearAllPages();
    connectSecond = second;
}

std::u16string CTerminalState::ShownDialogText() const {
    // Far more than a dialog has room for. A longer host text, a single word
    // without a place to break it, kept the window busy for half a minute at
    // every paint of the text control.
    constexpr size_t kMaxShownCharacters = 1024;
    size_t first = dialogText.find_first_not_of(u' ');
    if (first == std::u16string::npos) return {};
    return std::u16string(
        CutText(std::u16string_view(dialogText).substr(first), kMaxShownCharacters));
}

void CTerminalState::ReleaseInput() {
    inputLocked = 0;
    inputState = InputState::Open;
    ApplyFocus();
}

int CTerminalState::PromptAnswerRoom() const {
    return std::max(promptLength, 0);
}

void CTerminalState::KeepPromptAnswer(const std::u16string& answer) {
    answerText = answer.substr(0, static_cast<size_t>(PromptAnswerRoom()));
}

void CTerminalState::CloseOpenDialog() {
    WindowHandle dialog = openDialog;
    if (dialog) port.CloseDialog(dialog);
}
