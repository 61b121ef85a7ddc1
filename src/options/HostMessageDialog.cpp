#include "options/HostMessageDialog.h"

#include "options/DialogCentre.h"
#include "options/DialogControls.h"
#include "platform/TextCodec.h"
#include "platform/WideText_win.h"
#include "screen/TerminalState.h"

namespace {

struct CHostDialog {
    CTerminalState& terminal;
    const CHostDialogKind& kind;
};

CHostDialog* BoundDialog(HWND dialog) {
    return reinterpret_cast<CHostDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// The host's text and sizes may change under a record: they are read, and
// the answer written, in the window side's turn.
void ShowHostText(HWND dialog, const CHostDialog& d) {
    CStateTurn turn(d.terminal.port.state);
    SetDlgItemTextW(dialog, d.kind.textControl, Wide(d.terminal.ShownDialogText()));
    if (d.kind.opened) d.kind.opened(dialog, d.terminal);
}

// The terminal keeps the dialog only while it lives, so that a close it asks
// for never reaches a window that has since taken over the handle.
void Forget(HWND dialog, CTerminalState& terminal) {
    WindowHandle expected = dialog;
    terminal.openDialog.compare_exchange_strong(expected, nullptr);
}

void OnInitDialog(HWND dialog, CHostDialog& d) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&d));
    if (d.kind.beforeOpening) d.kind.beforeOpening(dialog, d.terminal);
    CentreDialog(dialog);
    d.terminal.openDialog = dialog;
    ShowHostText(dialog, d);
}

void OnEnd(HWND dialog, CHostDialog& d, WORD command) {
    Forget(dialog, d.terminal);
    if (d.kind.closing) {
        CStateTurn turn(d.terminal.port.state);
        d.kind.closing(dialog, d.terminal);
    }
    EndDialog(dialog, command);
    if (d.kind.ended) d.kind.ended(d.terminal);
}

INT_PTR CALLBACK HostMessageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        OnInitDialog(dialog, *reinterpret_cast<CHostDialog*>(lParam));
        return TRUE;
    }
    CHostDialog* d = BoundDialog(dialog);
    if (!d) return FALSE;
    if (message == WM_DESTROY) {
        // Also when the dialog goes without OK or Cancel, with its owner.
        Forget(dialog, d->terminal);
        return FALSE;
    }
    if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) {
        return FALSE;
    }
    OnEnd(dialog, *d, LOWORD(wParam));
    return TRUE;
}

}  // namespace

INT_PTR RunHostMessageDialog(HWND owner, CTerminalState& terminal, const CHostDialogKind& kind) {
    CHostDialog d{terminal, kind};
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kind.resource), owner,
                           HostMessageProc, reinterpret_cast<LPARAM>(&d));
}

void RefreshHostMessageDialog(HWND dialog) {
    if (const CHostDialog* d = BoundDialog(dialog)) ShowHostText(dialog, *d);
}
