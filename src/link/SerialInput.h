#pragma once

#include <cstddef>

class CField;
class CPage;

// What the serial-input handler needs of the rest of the terminal. The
// Windows build runs it on the window thread, which owns the fields and
// their windows, so that a look-up and the typing it leads to see the same
// fields; tests record the calls.
class CSerialInputSide {
public:
    virtual ~CSerialInputSide() = default;
    // Command mode: the input goes to the host as it came.
    virtual void SendToHost(const unsigned char* bytes, size_t n) = 0;
    // Field mode: the page the input is typed into, or null.
    virtual CPage* CurrentPage() = 0;
    // False while input is locked or released only at the end of a record.
    virtual bool InputOpen() = 0;
    // The field's window empties the field, or types one character into it
    // as from the device.
    virtual void ClearField(CField& field) = 0;
    virtual void TypeIntoField(CField& field, char16_t c) = 0;
};

// One framed input from the device. In field mode the input, read as ANSI
// text, fills the page's serial entry fields in turn, each from its start
// and up to its width, while input stays open.
void DeliverSerialInput(const unsigned char* bytes, size_t n, bool commandMode,
                        CSerialInputSide& side);
