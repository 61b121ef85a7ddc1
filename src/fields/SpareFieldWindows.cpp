#include "fields/SpareFieldWindows.h"

#include <algorithm>
#include <unordered_map>

namespace {

std::unordered_map<HWND, CSpareFieldWindows>& Spares() {
    static std::unordered_map<HWND, CSpareFieldWindows> spares;
    return spares;
}

ATOM ClassOf(HWND window) {
    return static_cast<ATOM>(GetClassLongPtrW(window, GCW_ATOM));
}

}  // namespace

void CSpareFieldWindows::Keep(HWND window) {
    if (!IsWindow(window)) return;
    // Nothing of its last field may show when it is bound anew: the caret,
    // the mouse capture and the focus stay with the window otherwise.
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetCurrentThreadId(), &info) && info.hwndCaret == window) DestroyCaret();
    if (GetCapture() == window) ReleaseCapture();
    // A locked page cannot take the focus back: it goes nowhere until a field
    // takes it, as when the window was destroyed.
    HWND focus = GetFocus();
    if (focus == window || IsChild(window, focus)) SetFocus(nullptr);
    ShowWindow(window, SW_HIDE);
    SetWindowLongPtrW(window, GWLP_ID, kSpareWindowId);
    windows.push_back(window);
}

HWND CSpareFieldWindows::Take(ATOM windowClass) {
    // The latest kept first: it is the one most likely in the same place.
    auto found = std::find_if(windows.rbegin(), windows.rend(),
                              [windowClass](HWND w) { return ClassOf(w) == windowClass; });
    if (found == windows.rend()) return nullptr;
    HWND window = *found;
    windows.erase(std::next(found).base());
    return window;
}

void CSpareFieldWindows::Settle(size_t live) {
    mostLive = std::max(mostLive, live);
    size_t keep = mostLive - live;
    if (windows.size() <= keep) return;
    size_t extra = windows.size() - keep;
    for (size_t i = 0; i < extra; ++i) DestroyWindow(windows[i]);
    windows.erase(windows.begin(), windows.begin() + static_cast<std::ptrdiff_t>(extra));
}

CSpareFieldWindows& SpareFieldWindowsOf(HWND pageWindow) {
    return Spares()[pageWindow];
}

void DropSpareFieldWindows(HWND pageWindow) {
    Spares().erase(pageWindow);
}
