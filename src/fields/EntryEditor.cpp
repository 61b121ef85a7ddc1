#include "fields/EntryEditor.h"

#include <string>

#include "config/Settings.h"
#include "screen/Field.h"

namespace {

constexpr unsigned kTabKey = 0x09;
constexpr unsigned kClearKey = 0x0C;
constexpr unsigned kEndKey = 0x23;
constexpr unsigned kHomeKey = 0x24;
constexpr unsigned kLeftKey = 0x25;
constexpr unsigned kUpKey = 0x26;
constexpr unsigned kRightKey = 0x27;
constexpr unsigned kDownKey = 0x28;
constexpr unsigned kDeleteKey = 0x2E;

constexpr int kNext = 1;
constexpr int kPrevious = -1;

}  // namespace

void CEntryEditor::SendComplete() {
    field.completing = 1;
    work.CompleteField(field.fieldNumber);
    field.completing = 0;
}

bool CEntryEditor::CompleteIfChanged() {
    if (!(field.typeByte & kCompleteOnLeave) || !field.modified || field.completing) return false;
    SendComplete();
    return true;
}

void CEntryEditor::CompleteOrMove(int direction) {
    if (CompleteIfChanged()) return;
    work.MoveFocus(direction > 0 ? kNext : kPrevious);
}

void CEntryEditor::Edited() {
    field.freshFocus = 0;
    work.Redraw();
}

void CEntryEditor::KeyDown(const CKeyPress& key) {
    bool noModifier = !key.ctrl && !key.shift && !key.alt;
    bool shiftAlone = key.shift && !key.ctrl && !key.alt;
    switch (key.virtualKey) {
        case kTabKey:
            // Elsewhere Tab arrives as a character.
            if (field.hasCaret && field.attrFlag4) {
                if (noModifier) work.MoveFocus(kNext);
                if (shiftAlone) work.MoveFocus(kPrevious);
            }
            return;
        case kUpKey:
            CompleteOrMove(-1);
            return;
        case kDownKey:
            CompleteOrMove(1);
            return;
    }
    // Enter is a character here, so the map is asked without it.
    int number = KeyNumber(key, false);
    if (number != kNoKeyNumber) {
        work.SendKey(field.fieldNumber, number);
        return;
    }
    if (field.attrFlag4) return;
    int length = field.text.Length();
    switch (key.virtualKey) {
        case kClearKey:
            field.text.Clear();
            field.caretIndex = 0;
            field.modified = 1;
            break;
        case kEndKey:
            field.caretIndex = length;
            break;
        case kHomeKey:
            field.caretIndex = 0;
            break;
        case kLeftKey:
            if (field.caretIndex > 0) --field.caretIndex;
            break;
        case kRightKey:
            if (field.caretIndex < length) ++field.caretIndex;
            break;
        case kDeleteKey:
            if (field.text.Erase(field.caretIndex)) field.modified = 1;
            break;
        default:
            return;
    }
    Edited();
}

void CEntryEditor::EnterAction() {
    int target = work.CurrentField();
    if (!settings.FieldEnterToF0()) {
        work.MoveFocus(kNext);
        return;
    }
    int number = target != -1 ? target : field.fieldNumber;
    work.SendKey(number, 0);
}

void CEntryEditor::Character(char16_t code, bool fromPort, const CKeyPress& modifiers) {
    if (!fromPort) {
        if (field.attrFlag4) return;
        switch (code) {
            case 8:
                if (field.caretIndex > 0) {
                    field.text.Erase(--field.caretIndex);
                    field.modified = 1;
                    Edited();
                }
                return;
            case 9:
                if (!field.hasCaret || modifiers.ctrl || modifiers.alt) return;
                CompleteOrMove(modifiers.shift ? -1 : 1);
                return;
            case 10:
            case 27:
                work.Beep(false);
                return;
            case 13:
                EnterAction();
                return;
        }
    } else if (code == 13 && !field.prefixSet) {
        EnterAction();
        return;
    }
    if (code != 0) Insert(code);
}

void CEntryEditor::Insert(char16_t code) {
    if ((field.typeByte & kNumericEntry) &&
        settings.FieldNumericValue().find(code) == std::u16string::npos) {
        work.Beep(true);
        return;
    }
    if (settings.FieldEdit() && field.freshFocus) {
        field.text.Clear();
        field.caretIndex = 0;
    }
    if (settings.UpperCaseInputMode() && code >= u'a' && code <= u'z') code -= u'a' - u'A';
    if (field.text.IsNull()) field.text.Allocate(field.maxLength);
    int at = field.text.Insert(field.caretIndex, code, field.maxLength);
    if (at < 0) return;
    field.modified = 1;
    field.caretIndex = at + 1;
    Edited();
    int length = field.text.Length();
    if (field.hasCaret && length == field.maxLength && field.caretIndex == field.maxLength) {
        if ((field.typeByte & kCompleteOnLeave) && !field.completing) {
            SendComplete();
        } else if (field.attrByte & kAutoAdvance) {
            work.MoveFocus(kNext);
        }
    }
}

void CEntryEditor::Clear() {
    field.caretIndex = 0;
    field.text.Clear();
    field.modified = 1;
    work.Redraw();
}

void CEntryEditor::GainFocus() {
    field.caretIndex = 0;
    field.hasCaret = 1;
    field.freshFocus = 1;
    work.SetCurrentField(field.fieldNumber);
}

void CEntryEditor::LoseFocus() {
    CompleteIfChanged();
    field.hasCaret = 0;
}
