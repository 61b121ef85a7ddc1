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
};

// Runs an options dialog owned by owner (none: the desktop). Opening centres
// it, reads the configuration file into the record so the dialog shows what
// the file holds, and fills the controls. OK stores them, writes the file and
// ends with IDOK; Cancel ends with 0 and stores nothing.
INT_PTR RunOptionsDialog(HWND owner, const COptionsDialogKind& kind);
