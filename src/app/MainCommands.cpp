// The main window's menu commands.
#include "app/MainWindow.h"
#include "config/Settings.h"
#include "config/SettingsFile.h"
#include "options/AboutDialog.h"
#include "options/HostOptionsDialog.h"
#include "platform/AppMessages.h"
#include "resources/resource.h"

bool CMainWindow::OnCommand(WORD id) {
    INT_PTR result = 0;
    switch (id) {
        case IDM_EXIT:
            OnExit();
            return true;
        case IDM_USERMODE:
            OnUserMode();
            return true;
        case IDM_ABOUT:
            if (!RunDialog(RunAboutDialog, result)) return true;
            break;
        case IDM_HOST:
            if (!RunDialog(RunHostOptionsDialog, result)) return true;
            // The session ends and connects again a second later to the new host.
            if (result == IDOK) PostMessageW(window, UM_SESSIONENDED, 0, 0);
            break;
        case IDM_FULLSCREEN:
            OnFullScreen();
            break;
        default:
            return false;
    }
    SendMessageW(window, UM_MOVEFOCUS, 0, 0);
    return true;
}

void CMainWindow::OnExit() {
    if (gSettings->FullScreen()) {
        SendMessageW(window, UM_MOVEFOCUS, 0, 0);
        return;
    }
    DestroyWindow(window);
}

void CMainWindow::OnUserMode() {
    gSettings->SetCarrowinAdminMode(false);
    WriteSettingsFile(*gSettings);
    AttachMenu(false);
}

void CMainWindow::OnFullScreen() {
    gSettings->SetFullScreen(!gSettings->FullScreen());
    RemoveMenu();
    if (!gSettings->FullScreen()) AttachMenu(gSettings->CarrowinAdminMode());
    SendMessageW(window, UM_LAYOUTFRAME, 0, 0);
}
