#include "options/AdvisoryDialog.h"

#include "app/App.h"
#include "link/Session.h"
#include "options/DialogCentre.h"
#include "options/DialogControls.h"
#include "platform/WideText_win.h"
#include "resources/resource.h"

namespace {

CSession& SessionOf(HWND dialog) {
    return *reinterpret_cast<CSession*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

INT_PTR CALLBACK AdvisoryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            CSession& session = SessionOf(dialog);
            session.inputLocked = 1;
            CentreDialog(dialog);
            session.openDialog = dialog;
            SetDlgItemTextW(dialog, IDC_ADVISORY_TEXT,
                            Wide(WithoutLeadingSpaces(session.dialogText)));
            SetForegroundWindow(dialog);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                CSession& session = SessionOf(dialog);
                session.openDialog = nullptr;
                EndDialog(dialog, LOWORD(wParam));
                session.inputLocked = 0;
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

INT_PTR RunAdvisoryDialog(HWND owner, CSession& session) {
    return DialogBoxParamW(gInstance, MAKEINTRESOURCEW(IDD_ADVISORY), owner, AdvisoryProc,
                           reinterpret_cast<LPARAM>(&session));
}
