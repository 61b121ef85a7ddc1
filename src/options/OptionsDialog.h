#pragma once

#include <windows.h>

// What sets one options dialog apart from the others: its resource, how it
// fills its controls from the settings record, how it stores them through the
// record's setters, and any command of its own besides OK and Cancel.
struct COptionsDialogKind {
    int resource;
    void (*fill)(HWND dialog);
    void (*store)(HWND dialog);
    // True when it handled the command; null when there are none.
    bool (*command)(HWND dialog, WORD id) = nullptr;
    // False for a dialog that shows the record as it is, without first
    // reading the file into it.
    bool readsFile = true;
};

// Runs an options dialog owned by owner (none: the desktop). Opening centres
// it, reads the configuration file into the record so the dialog shows what
// the file holds (unless the kind says otherwise), and fills the controls. OK stores them, writes
// the file and ends with IDOK; Cancel ends with 0 and stores nothing.
INT_PTR RunOptionsDialog(HWND owner, const COptionsDialogKind& kind);

// The kind a running dialog was started with, for the handlers of a family
// of dialogs that share them.
const COptionsDialogKind& OptionsDialogKind(HWND dialog);
