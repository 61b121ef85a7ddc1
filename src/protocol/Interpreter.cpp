#include "protocol/Interpreter.h"

#include "config/Settings.h"
#include "link/Session.h"
#include "platform/AppMessages.h"
#include "platform/TextCodec.h"
#include "protocol/FieldCommands.h"
#include "protocol/PageCommands.h"

CInterpreter::CInterpreter(CSession& owner, const unsigned char* p, const unsigned char* e)
    : session(owner), reader(p, e) {}

CPage* CInterpreter::CurrentPage() const {
    return session.CurrentPage();
}

bool CInterpreter::HostTextIsUTF8() const {
    return gSettings->FieldIsUTF8();
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
        case '!': session.SendStatus(); break;
        case 'W': {
            int key = reader.NextShortNumber();
            if (!reader.Cut()) session.SendKey(key);
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
    CPageList& pages = *session.pages;
    if (refreshPending) {
        pages.RefreshPage(session.displayPage);
        pages.ShowPage(session.displayPage);
    }

    CWindowPort& port = session.port;
    switch (session.pendingDialog) {
        case 1:
        case 2:
            port.PostMsg(session.mainWindow, UM_ADVISORY, 1, session.dialogField & 0xFFFF);
            port.PlaySound(SoundEventKind::Error);
            break;
        case 3:
            port.PostMsg(session.mainWindow, UM_PROMPT, 1, session.dialogField & 0xFFFF);
            port.PlaySound(SoundEventKind::Error);
            break;
        default:
            if (session.inputState == 1) {
                session.currentField = session.FirstInputField();
                session.inputState = 0;
            }
            if (session.inputState == 0) port.SendMsg(session.mainWindow, UM_UNLOCKINPUT, 0, 0);
            break;
    }

    session.ApplyFocus();
    session.pendingDialog = 0;
}
