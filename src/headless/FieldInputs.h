#pragma once

#include "platform/KeyMap.h"

class CField;
class COperatorInput;
class CSettings;
class CTerminalState;

// What a field's window does with the operator's input, without the window:
// the entry field's editing and the controls' clicks and keys, with their
// reports going to the operator input as the Windows field windows send
// them to the main window. Called with the state taken.
class CFieldInputs {
public:
    CFieldInputs(CTerminalState& terminal, const CSettings& settings, COperatorInput& input)
        : terminal(terminal), settings(settings), input(input) {}
    CFieldInputs(const CFieldInputs&) = delete;
    CFieldInputs& operator=(const CFieldInputs&) = delete;

    // Whether the field's window takes the focus when clicked.
    static bool TakesFocus(const CField& field);
    void GainFocus(CField& field);
    void LoseFocus(CField& field);
    // A key pressed in the field's window, then the character it types, if any.
    void KeyDown(CField& field, const CKeyPress& key, char16_t character);
    // A typed character, or one from the serial feature port.
    void Character(CField& field, char16_t code, bool fromPort);
    // The mouse pressed and released on the field's window.
    void Click(CField& field);
    // The serial feature port empties the field.
    void Clear(CField& field);
    // A key the page or main window takes, without a field.
    void PageKey(const CKeyPress& key);

private:
    CTerminalState& terminal;
    const CSettings& settings;
    COperatorInput& input;
};
