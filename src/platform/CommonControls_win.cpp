#include "platform/CommonControls_win.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

namespace {

bool LoadCommonControls() {
    // From the system folder only, never from the program's.
    HMODULE library = LoadLibraryExW(L"comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!library) return false;
    using InitProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto init = reinterpret_cast<InitProc>(
        reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")));
    // The library stays loaded: the dialogs need its classes to the end.
    INITCOMMONCONTROLSEX controls = {sizeof controls,
                                     ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_UPDOWN_CLASS};
    return init && init(&controls);
}

}  // namespace

bool StartCommonControls() {
    static const bool started = LoadCommonControls();
    return started;
}
