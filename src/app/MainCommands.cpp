// The main window's menu commands.
#include "app/MainWindow.h"
#include "config/Settings.h"
#include "config/SettingsFile.h"
#include "options/AboutDialog.h"
#include "options/FieldOptionsDialog.h"
#include "options/FontOptionsDialog.h"
#include "options/HostOptionsDialog.h"
#include "options/LoginDialog.h"
#include "options/ScannerOptionsDialog.h"
#include "options/ScreenOptionsDialog.h"
#include "options/SerialFeatureOptionsDialog.h"
#include "options/SerialPortOptionsDialog.h"
#include "options/SoundDialogRules.h"
#include "options/SoundEvent.h"
#include "options/SoundOptionsDialog.h"
#include "platform/AppMessages.h"
#include "platform/SoundOutput.h"
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
        case IDM_OPTIONS:
            if (!RunDialog(RunLoginDialog, result)) return true;
            if (result == IDOK) RebuildMenu();
            break;
        case IDM_HOST:
            if (!RunDialog(RunHostOptionsDialog, result)) return true;
            // The session ends and connects again a second later to the new host.
            if (result == IDOK) PostMessageW(window, UM_SESSIONENDED, 0, 0);
            break;
        case IDM_SCANNER:
            if (!RunRelayoutDialog(RunScannerOptionsDialog, nullptr)) return true;
            break;
        case IDM_SCREEN:
            if (!RunRelayoutDialog(RunScreenOptionsDialog, [this] { RebuildFrame(); })) return true;
            break;
        case IDM_FIELDS:
            if (!RunRelayoutDialog(RunFieldOptionsDialog, nullptr)) return true;
            break;
        case IDM_FONT:
            if (!RunRelayoutDialog(RunFontOptionsDialog, nullptr)) return true;
            break;
        case IDM_SERIALSETTINGS:
            if (!RunRelayoutDialog(RunSerialPortOptionsDialog, [this] { ReopenSerialPort(); })) {
                return true;
            }
            break;
        case IDM_SERIALFEATURE:
            if (!RunRelayoutDialog(RunSerialFeatureOptionsDialog, [this] { ReopenSerialPort(); })) {
                return true;
            }
            break;
        case IDM_FULLSCREEN:
            OnFullScreen();
            break;
        default: {
            std::optional<SoundEventKind> sound = SoundKindForCommand(id);
            if (!sound) return false;
            auto dialog = [kind = *sound](HWND owner) {
                return RunSoundOptionsDialog(owner, kind);
            };
            if (!RunRelayoutDialog(dialog, [this, kind = *sound] { RemakeSoundEvent(kind); })) {
                return true;
            }
            break;
        }
    }
    SendMessageW(window, UM_MOVEFOCUS, 0, 0);
    return true;
}

bool CMainWindow::RunRelayoutDialog(const std::function<INT_PTR(HWND)>& dialog,
                                    const std::function<void()>& afterOk) {
    INT_PTR result = 0;
    if (!RunDialog(dialog, result)) return false;
    if (result != IDOK) return true;
    if (afterOk) afterOk();
    SendMessageW(window, UM_RELAYOUT, 0, 0);
    return true;
}

void CMainWindow::RemakeSoundEvent(SoundEventKind kind) {
    CSoundEventTable& events = CSoundEventTable::Instance();
    events.Replace(kind, BuildSoundEvent(*gSettings, kind, kSoundFlag));
    events.Play(kind, SystemSoundOutput());
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
    // The user menu even in full screen, where the menu is otherwise hidden.
    AttachMenu(false);
}

void CMainWindow::OnFullScreen() {
    gSettings->SetFullScreen(!gSettings->FullScreen());
    // Written at once: every options dialog reads the file as it opens, which
    // would otherwise turn the record back to the old mode behind the window.
    WriteSettingsFile(*gSettings);
    RebuildMenu();
}
