#pragma once

#include <windows.h>

class CTerminalState;

// A dialog that shows a message the host sent (the Advisory and the prompt):
// it centres itself, shows the terminal's dialog text without its leading
// spaces, and registers as the terminal's open dialog, so that a reset
// can close it, until OK or Cancel ends it with that command or it is
// destroyed.
struct CHostDialogKind {
    int resource;
    int textControl;
    // Before anything else at opening, after the text is shown (also again
    // by RefreshHostMessageDialog), as OK or Cancel arrives and after the
    // dialog has ended; each may be null.
    void (*beforeOpening)(HWND dialog, CTerminalState& terminal);
    void (*opened)(HWND dialog, CTerminalState& terminal);
    void (*closing)(HWND dialog, CTerminalState& terminal);
    void (*ended)(CTerminalState& terminal);
};

INT_PTR RunHostMessageDialog(HWND owner, CTerminalState& terminal, const CHostDialogKind& kind);

// Shows the terminal's dialog text, as it is now, in the open dialog.
void RefreshHostMessageDialog(HWND dialog);
