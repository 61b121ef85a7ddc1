// The session's responses to the host.
#include "config/Settings.h"
#include "link/Session.h"
#include "protocol/Responses.h"

std::string CSession::CurrentFieldData() {
    CPage* page = CurrentPage();
    return page ? CollectFieldData(*page, gSettings->FieldIsUTF8()) : std::string();
}

void CSession::SendStatus() {
    Send(StatusMessage(screenCols, screenRows, connectSecond));
}

void CSession::SendKey(int key) {
    inputState = 2;
    Send(KeyMessage(key, currentField, CurrentFieldData()));
}

void CSession::SendFieldComplete() {
    inputState = 2;
    Send(FieldCompleteMessage(currentField, CurrentFieldData()));
}

void CSession::SendPromptAnswer() {
    std::string message = PromptAnswerMessage(answerText, gSettings->FieldIsUTF8());
    inputState = 2;
    Send(message);
    answerText.clear();
}

void CSession::SendPortData(const unsigned char* bytes, size_t n) {
    Send(PortDataMessage(std::string_view(reinterpret_cast<const char*>(bytes), n)));
}
