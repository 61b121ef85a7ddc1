#include "options/PromptDialog.h"

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

INT_PTR CALLBACK PromptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            CSession& session = SessionOf(dialog);
            CentreDialog(dialog);
            session.openDialog = dialog;
            SetDlgItemTextW(dialog, IDC_PROMPT_TEXT,
                            Wide(WithoutLeadingSpaces(session.dialogText)));
            SendDlgItemMessageW(dialog, IDC_PROMPT_ANSWER, EM_LIMITTEXT, session.promptLength, 0);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                CSession& session = SessionOf(dialog);
                session.openDialog = nullptr;
                session.answerText = DialogItemText(dialog, IDC_PROMPT_ANSWER)
                                         .substr(0, static_cast<size_t>(session.promptLength));
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

INT_PTR RunPromptDialog(HWND owner, CSession& session) {
    return DialogBoxParamW(gInstance, MAKEINTRESOURCEW(IDD_PROMPT), owner, PromptProc,
                           reinterpret_cast<LPARAM>(&session));
}
