#include "options/OptionsDialog.h"

#include "config/Settings.h"
#include "config/SettingsFile.h"
#include "options/DialogCentre.h"
#include "platform/CommonControls_win.h"

namespace {

// Null until WM_INITDIALOG, before which controls may already notify the
// dialog as they are made, such as an edit that its spin fills in.
const COptionsDialogKind* BoundKind(HWND dialog) {
    return reinterpret_cast<const COptionsDialogKind*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void OnInit(HWND dialog, const COptionsDialogKind& kind) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&kind));
    CentreDialog(dialog);
    if (kind.readsFile) ReadSettingsFile(*gSettings);
    kind.fill(dialog);
}

bool OnCommand(HWND dialog, WORD id) {
    const COptionsDialogKind* bound = BoundKind(dialog);
    if (!bound) return false;
    const COptionsDialogKind& kind = *bound;
    switch (id) {
        case IDOK:
            kind.store(dialog);
            WriteSettingsFile(*gSettings);
            EndDialog(dialog, IDOK);
            return true;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return true;
        default:
            return kind.command && kind.command(dialog, id);
    }
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInit(dialog, *reinterpret_cast<const COptionsDialogKind*>(lParam));
            return TRUE;
        case WM_COMMAND:
            return OnCommand(dialog, LOWORD(wParam));
    }
    return FALSE;
}

}  // namespace

const COptionsDialogKind& OptionsDialogKind(HWND dialog) {
    return *BoundKind(dialog);
}

INT_PTR RunOptionsDialog(HWND owner, const COptionsDialogKind& kind) {
    // Without the library the dialog cannot be made, and says so with -1.
    StartCommonControls();
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kind.resource), owner,
                           OptionsDialogProc, reinterpret_cast<LPARAM>(&kind));
}
