#pragma once

class CField;
class CInterpreter;

// The host commands that create, fill, change, copy and delete fields of the
// current page. Each is entered with the read position on its command byte
// and leaves it on the last byte it consumed.
class CFieldCommands {
public:
    explicit CFieldCommands(CInterpreter& owner) : in(owner) {}

    void DefineField();       // "i"
    void DefineFixedField();  // "f"
    void ChangeType();        // "+"
    void SetState();          // "b"
    void SetText();           // "u"
    void CopyText();          // "k"
    void EmptyField();        // "c"
    void EmptyEntryFields();  // "C"
    void DeleteField();       // "e"
    void DeleteAllFields();   // "E"
    void SetOptions();        // "w"
    void SetPrefix();         // "y"

private:
    CField* FindField(int number) const;
    CField* CreateField(int number, int row, int column, int length) const;
    // A fixed field bound to the serial port copies its text there.
    void SendToSerialPort(const CField& field) const;
    // One "@" option of "w"; false when it ends the option list.
    bool SetOption(int number);

    CInterpreter& in;
};
