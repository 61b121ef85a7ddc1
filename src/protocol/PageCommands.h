#pragma once

#include <string>

class CInterpreter;

// The host commands that choose pages, place the focus and the input lock,
// ask for dialogs, play sounds, set labels and the font size, and send text
// to the serial feature port.
class CPageCommands {
public:
    explicit CPageCommands(CInterpreter& owner) : in(owner) {}

    void SelectPage();       // "s"
    void DisplayPage();      // "d"
    void SetCurrentField();  // "@"
    void PositionCursor();   // "o"
    void KeepLocked();       // "l"
    void Beep();             // "#"
    void Device();           // "Z"
    void FieldAdvisory();    // "a"
    void Advisory();         // "A"
    void Prompt();           // "h"
    void SetLabel();         // "S"
    void AdjustFont();       // "F"
    void SerialOut();        // ">"

private:
    // Reads a count-first text; false when the record was cut short.
    bool ReadDialogText(bool longCount, std::u16string& text);

    CInterpreter& in;
};
