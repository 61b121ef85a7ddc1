#include "protocol/PageCommands.h"

#include <string>
#include <string_view>

#include "config/Settings.h"
#include "link/Session.h"
#include "platform/AppMessages.h"
#include "protocol/Interpreter.h"

bool CPageCommands::ReadDialogText(bool longCount, std::u16string& text) {
    CRecordReader& r = in.reader;
    int count = longCount ? r.NextLongNumber() : r.NextShortNumber();
    const unsigned char* bytes;
    size_t n = r.NextText(count, false, bytes);
    if (r.Cut()) return false;
    text = in.DecodeHostText(bytes, n);
    return true;
}

void CPageCommands::SelectPage() {
    int page = in.reader.NextShortNumber();
    if (in.reader.Cut()) return;
    in.session.currentPage = page;
}

void CPageCommands::DisplayPage() {
    int page = in.reader.NextShortNumber();
    if (in.reader.Cut()) return;
    in.session.displayPage = page;
    in.session.currentField = in.session.FirstInputField();
    in.refreshPending = true;
}

void CPageCommands::SetCurrentField() {
    int field = in.reader.NextShortNumber();
    if (in.reader.Cut()) return;
    in.session.currentField = field;
    in.refreshPending = true;
}

void CPageCommands::PositionCursor() {
    int field = in.reader.NextShortNumber();
    if (in.reader.Cut()) return;
    in.session.currentField = field;
    in.session.inputState = field < 0 ? 1 : 0;
    in.refreshPending = true;
    if (in.positionBeep) in.session.port.PlaySound(SoundEventKind::Normal);
}

void CPageCommands::KeepLocked() {
    in.session.inputState = 2;
}

// "#o" replaces the Normal sound of the "o" that follows with the Error sound.
void CPageCommands::Beep() {
    unsigned char next = 0;
    bool beforePosition = in.reader.PeekNext(next) && next == 'o';
    in.session.port.PlaySound(beforePosition ? SoundEventKind::Error : SoundEventKind::Normal);
    in.positionBeep = !beforePosition;
}

void CPageCommands::Device() {
    CRecordReader& r = in.reader;
    unsigned char sub = r.NextByte();
    if (r.Cut()) return;
    switch (sub) {
        case 'e': {
            int value = r.NextShortNumber();
            if (r.Cut()) return;
            CPage* page = in.CurrentPage();
            if (page && page->parentWindow) {
                in.session.port.SendMsg(page->parentWindow, UM_HOSTSIGNAL,
                                        static_cast<uintptr_t>(value), 0);
            }
            break;
        }
        case 's': {
            int n = r.NextShortNumber();
            if (r.Cut()) return;
            if (n >= 1 && n <= 4) {
                in.session.port.PlaySound(
                    static_cast<SoundEventKind>(static_cast<int>(SoundEventKind::User01) + n - 1));
            }
            break;
        }
        case 'v':
            r.NextLongNumber();
            r.NextLongNumber();
            r.NextLongNumber();
            break;
        default:
            break;
    }
}

void CPageCommands::FieldAdvisory() {
    int field = in.reader.NextShortNumber();
    std::u16string text;
    if (!ReadDialogText(true, text)) return;
    CSession& s = in.session;
    s.dialogText = std::move(text);
    s.dialogField = field < 1 ? s.FirstInputField() : field;
    s.pendingDialog = 1;
    in.positionBeep = false;
}

void CPageCommands::Advisory() {
    std::u16string text;
    if (!ReadDialogText(true, text)) return;
    CSession& s = in.session;
    s.dialogText = std::move(text);
    s.dialogField = s.currentField < 1 ? s.FirstInputField() : s.currentField.load();
    s.pendingDialog = 2;
    in.positionBeep = false;
}

void CPageCommands::Prompt() {
    int length = in.reader.NextShortNumber();
    std::u16string text;
    if (!ReadDialogText(true, text)) return;
    CSession& s = in.session;
    s.dialogText = std::move(text);
    s.promptLength = length;
    s.dialogField = length;
    s.pendingDialog = 3;
    in.positionBeep = false;
}

void CPageCommands::SetLabel() {
    int slot = in.reader.NextShortNumber();
    std::u16string text;
    if (!ReadDialogText(false, text)) return;
    CPage* page = in.CurrentPage();
    if (slot < 0 || slot >= kLabelSlotCount || !page) return;
    CLabelSlot& label = in.session.labelTable[slot];
    label.id = slot;
    label.text = std::move(text);
    if (page->parentWindow) {
        in.session.port.SendMsg(page->parentWindow, UM_TOOLBARLABEL, static_cast<uintptr_t>(slot),
                                0);
    }
}

void CPageCommands::AdjustFont() {
    int points = in.reader.NextShortNumber();
    if (in.reader.Cut()) return;
    gSettings->SetPointSizeAdjust(points);
    in.session.port.SendMsg(in.session.mainWindow, UM_RELAYOUT, 0, 0);
}

void CPageCommands::SerialOut() {
    CRecordReader& r = in.reader;
    r.Step(1);  // a number the terminal does not use
    int mode = r.NextShortNumber();
    int count = r.NextLongNumber();
    const unsigned char* bytes;
    size_t n = r.NextText(count, true, bytes);
    if (r.Cut() || n == 0) return;
    CPage* page = in.CurrentPage();
    if (!page || !page->parentWindow) return;

    // The text ends at its first zero byte.
    std::string_view text(reinterpret_cast<const char*>(bytes), n);
    text = text.substr(0, text.find('\0'));
    std::string out;
    if (mode == 2) out += '\n';
    out += text;
    if (mode == 1 || mode == 2) out += '\r';
    in.session.port.SendBytes(page->parentWindow, UM_SERIALOUT, out);
}
