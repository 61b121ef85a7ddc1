#pragma once

#include "fields/FieldReport.h"
#include "platform/KeyMap.h"
#include "screen/FieldWindowClass.h"

class CField;
class CSettings;

// What a control's input asks of its window besides the reports.
class CControlWork : public CFieldReport {
public:
    // Repaints a field's window at once, if it has one.
    virtual void Repaint(CField& field) = 0;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
};

// The mouse, keys and focus of a button, key cap, select button, check box or
// radio button field. A field of the entry class takes input; one of the
// fixed class is display-only. Check boxes, select buttons and radio buttons
// keep their state in the first character of the text: 'X' or a space.
class CControlInput {
public:
    CControlInput(CField& field, FieldWindowClass kind, const CSettings& settings,
                  CControlWork& work)
        : field(field), kind(kind), settings(settings), work(work) {}

    void FocusGained();
    void FocusLost();
    void MouseDown();
    void MouseUp();
    // WM_KEYDOWN and WM_SYSKEYDOWN.
    void KeyDown(const CKeyPress& key);

private:
    bool TakesInput() const;
    void EnterRule();
    // Sends the field's data and key 0 at once when the field asks for it.
    void ReportAtOnce();
    void Toggle();
    void Choose(bool byClick);

    CField& field;
    FieldWindowClass kind;
    const CSettings& settings;
    CControlWork& work;
};
