#include "protocol/Responder.h"

#include "config/Settings.h"
#include "protocol/HostSender.h"
#include "protocol/Responses.h"
#include "screen/TerminalState.h"

std::string CResponder::CurrentFieldData() {
    CPage* page = terminal.CurrentPage();
    return page ? CollectFieldData(*page, settings.FieldIsUTF8()) : std::string();
}

void CResponder::SendStatus() {
    sender.Send(StatusMessage(terminal.screenCols, terminal.screenRows, terminal.connectSecond));
}

void CResponder::SendKey(int key) {
    terminal.inputState = InputState::AwaitingHost;
    sender.Send(KeyMessage(key, terminal.currentField, CurrentFieldData()));
}

void CResponder::SendFieldComplete() {
    terminal.inputState = InputState::AwaitingHost;
    sender.Send(FieldCompleteMessage(terminal.currentField, CurrentFieldData()));
}

void CResponder::SendPromptAnswer() {
    std::string message = PromptAnswerMessage(terminal.answerText, settings.FieldIsUTF8());
    terminal.inputState = InputState::AwaitingHost;
    sender.Send(message);
    terminal.answerText.clear();
}

void CResponder::SendPortData(const unsigned char* bytes, size_t n) {
    sender.Send(PortDataMessage(std::string_view(reinterpret_cast<const char*>(bytes), n)));
}
