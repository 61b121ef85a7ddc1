#include "fields/ControlInput.h"

#include <string>

#include "config/Settings.h"
#include "fields/ControlPaint.h"
#include "screen/Field.h"
#include "screen/Page.h"

namespace {

constexpr unsigned kTabKey = 0x09;
constexpr unsigned kEnterKey = 0x0D;
constexpr unsigned kSpaceKey = 0x20;
constexpr unsigned kLeftKey = 0x25;
constexpr unsigned kUpKey = 0x26;
constexpr unsigned kRightKey = 0x27;
constexpr unsigned kDownKey = 0x28;
constexpr unsigned kFirstDeviceKey = 0xF0;
constexpr unsigned kLastDeviceKey = 0xF5;
constexpr uint8_t kReportAtOnce = 0x04;

// Writes the state mark over the first character, so that the text the host
// collects and the next paint both show the new state.
void SetMark(CField& field, char16_t mark) {
    std::u16string text = field.text.Get();
    if (text.empty()) {
        text.assign(1, mark);
    } else {
        text[0] = mark;
    }
    field.text.Set(text);
}

}  // namespace

bool CControlInput::TakesInput() const {
    return field.Class() == kEntryField && kind != FieldWindowClass::Keys;
}

void CControlInput::EnterRule() {
    if (settings.FieldEnterToF0()) {
        work.SendKey(field.fieldNumber, 0);
    } else {
        work.MoveFocus(1);
    }
}

void CControlInput::ReportAtOnce() {
    if (!(field.typeByte & kReportAtOnce)) return;
    work.CompleteField(field.fieldNumber);
    work.SendKey(field.fieldNumber, 0);
}

void CControlInput::Toggle() {
    field.modified = 1;
    field.onState = !IsMarked(field.text.Get());
    SetMark(field, field.onState ? u'X' : u' ');
    ReportAtOnce();
    work.Repaint(field);
}

// All radio buttons of a page form one group: the chosen one takes the mark
// from the one that held it.
void CControlInput::Choose(bool byClick) {
    if (IsMarked(field.text.Get()) || !field.page) return;
    for (CField* f = field.page->fields.Head(); f; f = f->next) {
        if (f->controlKind != kRadioButtonControl) continue;
        if (f == &field) {
            f->onState = 1;
            SetMark(*f, u'X');
        } else if (IsMarked(f->text.Get())) {
            f->onState = 0;
            f->modified = 1;
            SetMark(*f, u' ');
        } else {
            continue;
        }
        work.Repaint(*f);
    }
    field.modified = 1;
    ReportAtOnce();
    if (byClick) work.Repaint(field);
}

void CControlInput::FocusGained() {
    work.Repaint(field);
    if (kind != FieldWindowClass::SelectButton) work.SetCurrentField(field.fieldNumber);
}

void CControlInput::FocusLost() {
    if (kind == FieldWindowClass::Button) field.onState = 0;
    work.Repaint(field);
}

void CControlInput::MouseDown() {
    if (kind == FieldWindowClass::Keys) {
        // The key cap only looks pressed.
        field.onState = 1;
        work.Repaint(field);
        return;
    }
    if (!TakesInput()) return;
    switch (kind) {
        case FieldWindowClass::Button:
            field.modified = 1;
            field.onState = 1;
            work.Repaint(field);
            work.CaptureMouse();
            break;
        case FieldWindowClass::SelectButton:
        case FieldWindowClass::CheckBox:
            Toggle();
            work.CaptureMouse();
            break;
        case FieldWindowClass::RadioButton:
            Choose(true);
            break;
        default:
            break;
    }
}

void CControlInput::MouseUp() {
    if (kind == FieldWindowClass::Keys) {
        field.onState = 0;
        work.Repaint(field);
        return;
    }
    // A button reports the release of its own press only: a press elsewhere
    // released over it is no click.
    bool released = kind == FieldWindowClass::Button && TakesInput() && field.onState;
    if (released) {
        field.onState = 0;
        work.Repaint(field);
    }
    work.ReleaseMouse();
    if (released) EnterRule();
}

void CControlInput::KeyDown(const CKeyPress& key) {
    if (kind == FieldWindowClass::Keys) return;
    bool input = TakesInput();
    switch (key.virtualKey) {
        case kEnterKey:
            EnterRule();
            return;
        case kSpaceKey:
            if (!input || kind == FieldWindowClass::Button) return;
            if (kind == FieldWindowClass::RadioButton) {
                Choose(false);
            } else {
                Toggle();
            }
            return;
    }
    // A display-only check box or radio button answers Enter alone.
    bool boxControl = kind == FieldWindowClass::CheckBox || kind == FieldWindowClass::RadioButton;
    if (boxControl && !input) return;
    switch (key.virtualKey) {
        case kTabKey:
            if (!key.ctrl && !key.alt) work.MoveFocus(key.shift ? -1 : 1);
            return;
        case kLeftKey:
        case kUpKey:
            work.MoveFocus(-1);
            return;
        case kRightKey:
        case kDownKey:
            work.MoveFocus(1);
            return;
    }
    bool deviceKey = key.virtualKey >= kFirstDeviceKey && key.virtualKey <= kLastDeviceKey;
    if (deviceKey && kind == FieldWindowClass::Button) return;
    int number = KeyNumber(key, false);
    if (number != kNoKeyNumber) work.SendKey(field.fieldNumber, number);
}
