#pragma once

#include <windows.h>

class CSession;

// A dialog that shows a message the host sent (the Advisory and the prompt):
// it centres itself, shows the session's dialog text without its leading
// spaces, and registers as the session's open dialog, so that the session
// can close it, until OK or Cancel ends it with that command or it is
// destroyed.
struct CHostDialogKind {
    int resource;
    int textControl;
    // Before anything else at opening, after the text is shown (also again
    // by RefreshHostMessageDialog), as OK or Cancel arrives and after the
    // dialog has ended; each may be null.
    void (*beforeOpening)(HWND dialog, CSession& session);
    void (*opened)(HWND dialog, CSession& session);
    void (*closing)(HWND dialog, CSession& session);
    void (*ended)(CSession& session);
};

INT_PTR RunHostMessageDialog(HWND owner, CSession& session, const CHostDialogKind& kind);

// Shows the session's dialog text, as it is now, in the open dialog.
void RefreshHostMessageDialog(HWND dialog);
