#include "protocol/Interpreter.h"

#include "config/Settings.h"
#include "platform/TextCodec.h"
#include "protocol/FieldCommands.h"
#include "protocol/PageCommands.h"
#include "protocol/Responder.h"
#include "screen/TerminalState.h"

CInterpreter::CInterpreter(CTerminalState& terminal, CSettings& settings, CResponder& responder,
                           const unsigned char* p, const unsigned char* e)
    : terminal(terminal), settings(settings), responder(responder), reader(p, e) {}

CPage* CInterpreter::CurrentPage() const {
    return terminal.CurrentPage();
}

bool CInterpreter::HostTextIsUTF8() const {
    return settings.FieldIsUTF8();
}

std::u16string CInterpreter::DecodeHostText(const unsigned char* bytes, size_t n) const {
    return DecodeText(bytes, n, HostTextIsUTF8(), static_cast<size_t>(-1));
}

void CInterpreter::Run() {
    while (!reader.AtEnd()) {
        Dispatch(reader.ReadByte());
        reader.Step(1);
    }
    EndOfRecord();
}

void CInterpreter::SkipCountedText(bool longCount) {
    int count = longCount ? reader.NextLongNumber() : reader.NextShortNumber();
    const unsigned char* text;
    reader.NextText(count, true, text);
}

// "P" swallows everything up to and including the next "B" or "Q"; a zero
// byte or the end of the record stops it too.
void CInterpreter::SkipUpToPageEnd() {
    unsigned char next;
    while (reader.PeekNext(next) && next != 0) {
        reader.Step(1);
        if (next == 'B' || next == 'Q') return;
    }
}

void CInterpreter::Dispatch(unsigned char command) {
    CFieldCommands fields(*this);
    CPageCommands pages(*this);
    switch (command) {
        // Field commands.
        case 'i':
            fields.DefineField();
            break;
        case 'f':
            fields.DefineFixedField();
            break;
        case '+':
            fields.ChangeType();
            break;
        case 'b':
            fields.SetState();
            break;
        case 'u':
            fields.SetText();
            break;
        case 'k':
            fields.CopyText();
            break;
        case 'c':
            fields.EmptyField();
            break;
        case 'C':
            fields.EmptyEntryFields();
            break;
        case 'e':
            fields.DeleteField();
            break;
        case 'E':
            fields.DeleteAllFields();
            break;
        case 'w':
            fields.SetOptions();
            break;
        case 'y':
            fields.SetPrefix();
            break;

        // Page, focus, dialog and device commands.
        case 's':
            pages.SelectPage();
            break;
        case 'd':
            pages.DisplayPage();
            break;
        case '@':
            pages.SetCurrentField();
            break;
        case 'o':
            pages.PositionCursor();
            break;
        case 'l':
            pages.KeepLocked();
            break;
        case '#':
            pages.Beep();
            break;
        case 'Z':
            pages.Device();
            break;
        case 'a':
            pages.FieldAdvisory();
            break;
        case 'A':
            pages.Advisory();
            break;
        case 'h':
            pages.Prompt();
            break;
        case 'S':
            pages.SetLabel();
            break;
        case 'F':
            pages.AdjustFont();
            break;
        case '>':
            pages.SerialOut();
            break;

        // Responses the host asks for.
        case '!':
            responder.SendStatus();
            break;
        case 'W': {
            int key = reader.NextShortNumber();
            if (!reader.Cut()) responder.SendKey(key);
            break;
        }

        // Commands this terminal reads past.
        case '$':
        case '%':
        case 'I':
            SkipCountedText(false);
            break;
        case 'j':
            reader.Step(1);
            SkipCountedText(false);
            break;
        case 'L':
            reader.Step(2);
            SkipCountedText(false);
            break;
        case 'M':
        case 'N':
        case 'O':
            SkipCountedText(true);
            break;
        case 'v':
            reader.Step(1);
            SkipCountedText(true);
            break;
        case 'D':
            reader.Step(11);
            break;
        case 'K':
        case 'X':
        case 'r':
            reader.Step(1);
            break;
        case 'p':
            reader.Step(2);
            break;
        case 'P':
            SkipUpToPageEnd();
            break;
        // "B", "Q", "R", "m" and "z" have no effect, like every byte that is
        // not a command: both are skipped a byte at a time.
        default:
            break;
    }
}

void CInterpreter::EndOfRecord() {
    CPageList& pages = *terminal.pages;
    if (refreshPending) {
        pages.RefreshPage(terminal.displayPage);
        pages.ShowPage(terminal.displayPage);
    }

    CWindowPort& port = terminal.port;
    switch (terminal.pendingDialog) {
        case PendingDialog::FieldAdvisory:
        case PendingDialog::Advisory:
            port.AskForAdvisory(terminal.dialogField & 0xFFFF);
            port.PlaySound(SoundEventKind::Error);
            break;
        case PendingDialog::Prompt:
            port.AskForPrompt(terminal.dialogField & 0xFFFF);
            port.PlaySound(SoundEventKind::Error);
            break;
        case PendingDialog::None:
            if (terminal.inputState == InputState::OpenAtFirstField) {
                terminal.currentField = terminal.FirstInputField();
                terminal.inputState = InputState::Open;
            }
            if (terminal.inputState == InputState::Open) port.UnlockInput();
            break;
    }

    terminal.ApplyFocus();
    terminal.pendingDialog = PendingDialog::None;
}
