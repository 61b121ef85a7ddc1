#pragma once

#include <cstdint>

#include "fields/FieldReport.h"
#include "platform/KeyMap.h"

class CField;
class CSettings;

// What the entry field's editing asks of its window besides the reports.
class CEntryWindowWork : public CFieldReport {
public:
    // The number of the terminal's current field, or -1.
    virtual int CurrentField() = 0;
    // The system's simple beep, or the sound of an ordinary message box.
    virtual void Beep(bool messageBox) = 0;
    // Repaints at once with the caret placed where the text now puts it.
    virtual void Redraw() = 0;
};

// The editing rules of an entry field: keys, typed and port characters, the
// Enter action and completion. The text, caret and flags live in the field.
class CEntryEditor {
public:
    CEntryEditor(CField& field, const CSettings& settings, CEntryWindowWork& work)
        : field(field), settings(settings), work(work) {}

    // WM_KEYDOWN and WM_SYSKEYDOWN.
    void KeyDown(const CKeyPress& key);
    // A keyboard character (WM_CHAR) for the focus window, with the
    // modifiers held, or a character from the serial feature port
    // (UM_INPUTCHAR).
    void Character(char16_t code, bool fromPort, const CKeyPress& modifiers = {});
    // UM_CLEARFIELD.
    void Clear();
    // The field takes the focus with the caret at its start, and becomes the
    // terminal's current field.
    void GainFocus();
    // Losing the focus completes a changed field that asks for it.
    void LoseFocus();

private:
    void EnterAction();
    // Sends UM_FIELDCOMPLETE when the field asks for completion and was
    // changed, else moves the focus by direction.
    void CompleteOrMove(int direction);
    bool CompleteIfChanged();
    void SendComplete();
    void Insert(char16_t code);
    void Edited();

    CField& field;
    const CSettings& settings;
    CEntryWindowWork& work;
};

// Entry field option bits of the type and attribute bytes.
constexpr uint8_t kCompleteOnLeave = 0x04;
constexpr uint8_t kPasswordEntry = 0x08;
constexpr uint8_t kRightAligned = 0x10;
constexpr uint8_t kNumericEntry = 0x20;
constexpr uint8_t kAutoAdvance = 0x08;  // attribute byte
