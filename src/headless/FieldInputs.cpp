#include "headless/FieldInputs.h"

#include "config/Settings.h"
#include "fields/ControlInput.h"
#include "fields/EntryEditor.h"
#include "protocol/OperatorInput.h"
#include "screen/Field.h"
#include "screen/FieldWindowClass.h"
#include "screen/TerminalState.h"

namespace {

// The reports every field window sends to the main window.
template <typename Work>
class CReports : public Work {
public:
    CReports(CTerminalState& terminal, COperatorInput& input) : terminal(terminal), input(input) {}

    void CompleteField(int field) override { input.CompleteField(field); }
    void MoveFocus(int direction) override { input.MoveFocus(direction); }
    void SendKey(int field, int key) override { input.Key(field, key); }
    void SetCurrentField(int field) override { input.SetCurrentField(field); }

protected:
    CTerminalState& terminal;
    COperatorInput& input;
};

class CEntryWork : public CReports<CEntryWindowWork> {
public:
    using CReports::CReports;
    int CurrentField() override {
        CField* field = terminal.CurrentPageField(terminal.currentField);
        return field ? field->fieldNumber : -1;
    }
    // Nothing to hear or see without a window.
    void Beep(bool) override {}
    void Redraw() override {}
};

class CControlReports : public CReports<CControlWork> {
public:
    using CReports::CReports;
    void Repaint(CField&) override {}
    void CaptureMouse() override {}
    void ReleaseMouse() override {}
};

bool IsEntry(const CField& field) {
    return WindowClassFor(field) == FieldWindowClass::Entry;
}

// Check boxes, buttons and the other controls; null kind for the rest.
bool IsControl(const CField& field, FieldWindowClass& kind) {
    kind = WindowClassFor(field);
    switch (kind) {
        case FieldWindowClass::Button:
        case FieldWindowClass::SelectButton:
        case FieldWindowClass::CheckBox:
        case FieldWindowClass::RadioButton:
        case FieldWindowClass::Keys:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool CFieldInputs::TakesFocus(const CField& field) {
    FieldWindowClass kind;
    if (IsEntry(field)) return !field.skipFocus;
    return IsControl(field, kind) && kind != FieldWindowClass::Keys;
}

void CFieldInputs::GainFocus(CField& field) {
    FieldWindowClass kind;
    if (IsEntry(field)) {
        CEntryWork work(terminal, input);
        CEntryEditor(field, settings, work).GainFocus();
    } else if (IsControl(field, kind)) {
        CControlReports work(terminal, input);
        CControlInput(field, kind, settings, work).FocusGained();
    }
}

void CFieldInputs::LoseFocus(CField& field) {
    FieldWindowClass kind;
    if (IsEntry(field)) {
        CEntryWork work(terminal, input);
        CEntryEditor(field, settings, work).LoseFocus();
    } else if (IsControl(field, kind)) {
        CControlReports work(terminal, input);
        CControlInput(field, kind, settings, work).FocusLost();
    }
}

void CFieldInputs::KeyDown(CField& field, const CKeyPress& key, char16_t character) {
    FieldWindowClass kind;
    if (IsEntry(field)) {
        CEntryWork work(terminal, input);
        CEntryEditor editor(field, settings, work);
        editor.KeyDown(key);
        if (character) editor.Character(character, false, key);
    } else if (IsControl(field, kind)) {
        CControlReports work(terminal, input);
        CControlInput(field, kind, settings, work).KeyDown(key);
    }
}

void CFieldInputs::Character(CField& field, char16_t code, bool fromPort) {
    if (!IsEntry(field)) return;
    CEntryWork work(terminal, input);
    CEntryEditor(field, settings, work).Character(code, fromPort);
}

void CFieldInputs::Click(CField& field) {
    FieldWindowClass kind;
    if (!IsControl(field, kind)) return;
    CControlReports work(terminal, input);
    CControlInput control(field, kind, settings, work);
    control.MouseDown();
    control.MouseUp();
}

void CFieldInputs::Clear(CField& field) {
    if (!IsEntry(field)) return;
    CEntryWork work(terminal, input);
    CEntryEditor(field, settings, work).Clear();
}

void CFieldInputs::PageKey(const CKeyPress& key) {
    int number = KeyNumber(key, settings.FieldEnterToF0());
    if (number != kNoKeyNumber) input.Key(-1, number);
}
