// The entry point: prepares the platform, builds the settings and the sound
// events, creates the main window and runs the message loop.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <winsock.h>

#include <iterator>

#include "app/App.h"
#include "app/MainWindow.h"
#include "app/MessageLoop.h"
#include "config/Settings.h"
#include "config/SettingsFile.h"
#include "fields/FieldWindowClasses.h"
#include "options/SoundEvent.h"
#include "platform/Files.h"
#include "resources/resource.h"

namespace {

// Every sound-event object receives this at construction.
constexpr bool kSoundFlag = true;

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    LoadStringW(instance, IDS_TITLE, gTitle, static_cast<int>(std::size(gTitle)));
    LoadStringW(instance, IDS_MAINCLASS, gMainClassName,
                static_cast<int>(std::size(gMainClassName)));

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&controls);

    WSADATA wsaData;
    if (WSAStartup(MAKEWORD(1, 1), &wsaData) != 0) {
        MessageBoxW(nullptr, L"Unable to start socket", gTitle, MB_OK);
        return 1;
    }

    gSettings = new CSettings(SettingsFilePath(ProgramFolder()));
    ReadSettingsFile(*gSettings);
    CSoundEventTable::Instance().BuildAll(*gSettings, kSoundFlag);
    CFieldWindowClasses windowClasses(instance);
    gAccelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));

    CMessageLoop loop;
    gMessageLoop = &loop;
    if (!CreateMainWindow(instance)) return 0;
    int result = loop.Run();

    delete gSettings;
    gSettings = nullptr;
    WSACleanup();
    return result;
}
