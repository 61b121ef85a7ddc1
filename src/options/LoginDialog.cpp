#include "options/LoginDialog.h"

#include "config/Settings.h"
#include "config/SettingsFile.h"
#include "options/DialogCentre.h"
#include "options/DialogControls.h"
#include "resources/resource.h"

namespace {

// Fixed in the program: no setting or dialog changes it.
constexpr char16_t kAdministratorPassword[] = u"604318";

// Says which mode the password gave in a box over the dialog.
void CheckPassword(HWND dialog) {
    bool admin = DialogItemText(dialog, IDC_PASSWORD) == kAdministratorPassword;
    gSettings->SetCarrowinAdminMode(admin);
    if (admin) {
        MessageBoxW(dialog, L"Terminal UnLocked", L"Admin Mode", MB_OK);
    } else {
        MessageBoxW(dialog, L"Terminal Locked", L"User Mode", MB_OK);
    }
    WriteSettingsFile(*gSettings);
}

INT_PTR CALLBACK LoginProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            CentreDialog(dialog);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    CheckPassword(dialog);
                    EndDialog(dialog, IDOK);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, 0);
                    return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

INT_PTR RunLoginDialog(HWND owner) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_LOGIN), owner, LoginProc,
                           0);
}
