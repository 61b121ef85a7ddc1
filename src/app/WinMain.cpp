// The entry point: reads the command line, prepares the platform, builds the
// settings and the sound events, creates the main window and runs the
// message loop.
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <iterator>
#include <string>

#include "app/App.h"
#include "app/MainWindow.h"
#include "app/MessageLoop.h"
#include "config/Settings.h"
#include "config/SettingsFile.h"
#include "fields/FieldWindowClasses.h"
#include "options/SoundEvent.h"
#include "platform/Files.h"
#include "platform/Sockets.h"
#include "platform/WideText_win.h"
#include "resources/resource.h"

namespace {

constexpr int kUsageExitCode = 2;

// The one option: --trace FILE. False for anything else on the command line.
// The arguments are the runtime's, split as the system splits a command
// line: asking the shell to split it would load the shell and the component
// libraries behind it before the first window.
bool ReadOptions(std::u16string& tracePath) {
    const int count = __argc;
    wchar_t** const args = __wargv;
    if (!args) return false;
    for (int i = 1; i < count; ++i) {
        if (std::wcscmp(args[i], L"--trace") != 0 || i + 1 == count || !*args[i + 1]) {
            return false;
        }
        tracePath = FromWide(args[++i]);
    }
    return true;
}

// Runs the terminal on the settings that gSettings points at.
int RunTerminal(HINSTANCE instance, const std::u16string& tracePath) {
    ReadSettingsFile(*gSettings);
    CSoundEventTable::Instance().BuildAll(*gSettings, kSoundFlag);
    CFieldWindowClasses windowClasses(instance);
    gAccelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));

    CMessageLoop loop;
    gMessageLoop = &loop;
    if (!CreateMainWindow(instance, tracePath)) return 0;
    return loop.Run();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    LoadStringW(instance, IDS_TITLE, gTitle, static_cast<int>(std::size(gTitle)));
    LoadStringW(instance, IDS_MAINCLASS, gMainClassName,
                static_cast<int>(std::size(gMainClassName)));

    std::u16string tracePath;
    if (!ReadOptions(tracePath)) {
        MessageBoxW(nullptr,
                    L"Usage: Ravelin [--trace FILE]\n\n"
                    L"--trace FILE\tappends what passes between the terminal and the host to FILE",
                    gTitle, MB_OK | MB_ICONERROR);
        return kUsageExitCode;
    }

    CSocketsStarted sockets;
    if (!sockets) {
        MessageBoxW(nullptr, L"Unable to start socket", gTitle, MB_OK);
        return 1;
    }

    CSettings settings(SettingsFilePath(ProgramFolder()));
    gSettings = &settings;
    int result = RunTerminal(instance, tracePath);
    gSettings = nullptr;
    return result;
}
