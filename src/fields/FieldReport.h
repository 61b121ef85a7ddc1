#pragma once

// What a field window tells the main window about its field.
class CFieldReport {
public:
    virtual ~CFieldReport() = default;
    // The field's changed data is complete: the host is told.
    virtual void CompleteField(int field) = 0;
    // The focus goes to the next (1) or previous (-1) input field.
    virtual void MoveFocus(int direction) = 0;
    // A key for the host, with the field it was pressed on.
    virtual void SendKey(int field, int key) = 0;
    // The field took the focus: it becomes the terminal's current field.
    virtual void SetCurrentField(int field) = 0;
};
