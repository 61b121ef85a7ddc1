#include "options/HostMessageDialog.h"

#include "app/App.h"
#include "link/Session.h"
#include "options/DialogCentre.h"
#include "options/DialogControls.h"
#include "platform/WideText_win.h"

namespace {

struct CHostDialog {
    CSession& session;
    const CHostDialogKind& kind;
};

INT_PTR CALLBACK HostMessageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        auto& d = *reinterpret_cast<CHostDialog*>(lParam);
        if (d.kind.beforeOpening) d.kind.beforeOpening(dialog, d.session);
        CentreDialog(dialog);
        d.session.openDialog = dialog;
        SetDlgItemTextW(dialog, d.kind.textControl,
                        Wide(WithoutLeadingSpaces(d.session.dialogText)));
        if (d.kind.opened) d.kind.opened(dialog, d.session);
        return TRUE;
    }
    if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) {
        return FALSE;
    }
    auto& d = *reinterpret_cast<CHostDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    d.session.openDialog = nullptr;
    if (d.kind.closing) d.kind.closing(dialog, d.session);
    EndDialog(dialog, LOWORD(wParam));
    if (d.kind.ended) d.kind.ended(d.session);
    return TRUE;
}

}  // namespace

INT_PTR RunHostMessageDialog(HWND owner, CSession& session, const CHostDialogKind& kind) {
    CHostDialog d{session, kind};
    return DialogBoxParamW(gInstance, MAKEINTRESOURCEW(kind.resource), owner, HostMessageProc,
                           reinterpret_cast<LPARAM>(&d));
}
