// The entry point: prepares the platform, builds the settings and the sound
// events, creates the main window and runs the message loop.
#include <windows.h>

#include <iterator>

#include "app/App.h"
#include "app/MainWindow.h"
#include "app/MessageLoop.h"
#include "config/Settings.h"
#include "config/SettingsFile.h"
#include "fields/FieldWindowClasses.h"
#include "options/SoundEvent.h"
#include "platform/Files.h"
#include "platform/Sockets.h"
#include "resources/resource.h"

namespace {

// Runs the terminal on the settings that gSettings points at.
int RunTerminal(HINSTANCE instance) {
    ReadSettingsFile(*gSettings);
    CSoundEventTable::Instance().BuildAll(*gSettings, kSoundFlag);
    CFieldWindowClasses windowClasses(instance);
    gAccelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));

    CMessageLoop loop;
    gMessageLoop = &loop;
    if (!CreateMainWindow(instance)) return 0;
    return loop.Run();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    LoadStringW(instance, IDS_TITLE, gTitle, static_cast<int>(std::size(gTitle)));
    LoadStringW(instance, IDS_MAINCLASS, gMainClassName,
                static_cast<int>(std::size(gMainClassName)));

    CSocketsStarted sockets;
    if (!sockets) {
        MessageBoxW(nullptr, L"Unable to start socket", gTitle, MB_OK);
        return 1;
    }

    CSettings settings(SettingsFilePath(ProgramFolder()));
    gSettings = &settings;
    int result = RunTerminal(instance);
    gSettings = nullptr;
    return result;
}
