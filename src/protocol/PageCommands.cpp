#include "protocol/PageCommands.h"

#include <string>
#include <string_view>

#include "config/Settings.h"
#include "protocol/Interpreter.h"
#include "screen/TerminalState.h"

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
    in.terminal.currentPage = page;
}

void CPageCommands::DisplayPage() {
    int page = in.reader.NextShortNumber();
    if (in.reader.Cut()) return;
    in.terminal.displayPage = page;
    in.terminal.currentField = in.terminal.FirstInputField();
    in.refreshPending = true;
}

void CPageCommands::SetCurrentField() {
    int field = in.reader.NextShortNumber();
    if (in.reader.Cut()) return;
    in.terminal.currentField = field;
    in.refreshPending = true;
}

void CPageCommands::PositionCursor() {
    int field = in.reader.NextShortNumber();
    if (in.reader.Cut()) return;
    in.terminal.currentField = field;
    in.terminal.inputState = field < 0 ? InputState::OpenAtFirstField : InputState::Open;
    in.refreshPending = true;
    if (in.positionBeep) in.terminal.port.PlaySound(SoundEventKind::Normal);
}

void CPageCommands::KeepLocked() {
    in.terminal.inputState = InputState::AwaitingHost;
}

// "#o" replaces the Normal sound of the "o" that follows with the Error sound.
void CPageCommands::Beep() {
    unsigned char next = 0;
    bool beforePosition = in.reader.PeekNext(next) && next == 'o';
    in.terminal.port.PlaySound(beforePosition ? SoundEventKind::Error : SoundEventKind::Normal);
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
            if (page && page->parentWindow) in.terminal.port.SignalDevice(value);
            break;
        }
        case 's': {
            int n = r.NextShortNumber();
            if (r.Cut()) return;
            if (n >= 1 && n <= 4) {
                in.terminal.port.PlaySound(
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
    CTerminalState& s = in.terminal;
    s.dialogText = std::move(text);
    s.dialogField = field < 1 ? s.FirstInputField() : field;
    s.pendingDialog = PendingDialog::FieldAdvisory;
    in.positionBeep = false;
}

void CPageCommands::Advisory() {
    std::u16string text;
    if (!ReadDialogText(true, text)) return;
    CTerminalState& s = in.terminal;
    s.dialogText = std::move(text);
    s.dialogField = s.currentField < 1 ? s.FirstInputField() : s.currentField.load();
    s.pendingDialog = PendingDialog::Advisory;
    in.positionBeep = false;
}

void CPageCommands::Prompt() {
    int length = in.reader.NextShortNumber();
    std::u16string text;
    if (!ReadDialogText(true, text)) return;
    CTerminalState& s = in.terminal;
    s.dialogText = std::move(text);
    s.promptLength = length;
    s.dialogField = length;
    s.pendingDialog = PendingDialog::Prompt;
    in.positionBeep = false;
}

void CPageCommands::SetLabel() {
    int slot = in.reader.NextShortNumber();
    std::u16string text;
    if (!ReadDialogText(false, text)) return;
    CPage* page = in.CurrentPage();
    if (slot < 0 || slot >= kLabelSlotCount || !page) return;
    CLabelSlot& label = in.terminal.labelTable[slot];
    label.id = slot;
    label.text = std::move(text);
    if (page->parentWindow) in.terminal.port.OfferLabel(slot, label.text);
}

void CPageCommands::AdjustFont() {
    int points = in.reader.NextShortNumber();
    if (in.reader.Cut()) return;
    in.settings.SetPointSizeAdjust(points);
    in.terminal.port.RelayoutAll();
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
    in.terminal.port.SendToSerialPort(out);
}
