#include "protocol/OperatorInput.h"

#include "protocol/Responder.h"
#include "screen/TerminalState.h"

bool COperatorInput::BeginResponse(int field) {
    // Another response went out while this one waited for the state.
    if (terminal.AwaitingHost()) return false;
    terminal.port.StartLockAnimation(LockAnimationKind::AwaitingHost);
    terminal.currentField = field;
    return true;
}

void COperatorInput::Key(int field, int keyNumber) {
    // Pressed while input was locked: not meant for the screen to come.
    if (terminal.AwaitingHost()) return;
    CStateTurn turn(terminal.port.state);
    if (BeginResponse(field)) responses.SendKey(keyNumber & 0xFFFF);
}

void COperatorInput::CompleteField(int field) {
    if (terminal.AwaitingHost()) return;
    CStateTurn turn(terminal.port.state);
    if (BeginResponse(field)) responses.SendFieldComplete();
}

void COperatorInput::MoveFocus(int direction) {
    CStateTurn turn(terminal.port.state);
    switch (direction) {
        case 1:
            terminal.FocusNext();
            break;
        case -1:
            terminal.FocusPrevious();
            break;
        default:
            terminal.ApplyFocus();
            break;
    }
}

void COperatorInput::SetCurrentField(int field) {
    CStateTurn turn(terminal.port.state);
    terminal.currentField = field;
}

void COperatorInput::EndAdvisory(int focusField) {
    CStateTurn turn(terminal.port.state);
    terminal.currentField = focusField & 0xFFFF;
    terminal.ApplyFocus();
}

void COperatorInput::AnswerPrompt() {
    CStateTurn turn(terminal.port.state);
    responses.SendPromptAnswer();
}
