#include "fields/SpareFieldWindows.h"

#include <algorithm>
#include <unordered_map>

#include "platform/AppMessages.h"

namespace {

std::unordered_map<HWND, CSpareFieldWindows>& Spares() {
    static std::unordered_map<HWND, CSpareFieldWindows> spares;
    return spares;
}

ATOM ClassOf(HWND window) {
    return static_cast<ATOM>(GetClassLongPtrW(window, GCW_ATOM));
}

// Where the window is on its parent: left, top, width, height.
RECT PlaceOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool SamePlace(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

}  // namespace

void CSpareFieldWindows::Keep(const HWND* kept, size_t count) {
    // Nothing of its last field may show when a window is bound anew: the
    // caret, the mouse capture and the focus stay with the window otherwise.
    // Only this loop moves them meanwhile.
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetCurrentThreadId(), &info)) info = {};
    for (size_t i = 0; i < count; ++i) {
        HWND window = kept[i];
        if (!IsWindow(window)) continue;
        if (info.hwndCaret == window) {
            DestroyCaret();
            info.hwndCaret = nullptr;
        }
        if (info.hwndCapture == window) {
            ReleaseCapture();
            info.hwndCapture = nullptr;
        }
        // A locked page cannot take the focus back: it goes nowhere until a
        // field takes it, as when the window was destroyed.
        HWND focus = info.hwndFocus;
        if (focus && (focus == window || IsChild(window, focus))) {
            SetFocus(nullptr);
            info.hwndFocus = nullptr;
        }
        windows.push_back({window, ClassOf(window), PlaceOf(window), false});
        // Most spares of a new page are bound again before it is drawn, where
        // they are: they are hidden only once the page window has done the
        // work at hand, and only those left over.
        if (!hidePosted) hidePosted = PostMessageW(GetParent(window), UM_HIDESPARES, 0, 0) != FALSE;
    }
    if (!hidePosted) HideAll();
}

void CSpareFieldWindows::HideAll() {
    hidePosted = false;
    for (Spare& spare : windows) {
        if (spare.hidden) continue;
        // The page erases what shows again when it next paints: in a
        // refresh, once its new fields are in place.
        SetWindowPos(spare.window, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                         SWP_DEFERERASE);
        SetWindowLongPtrW(spare.window, GWLP_ID, kSpareWindowId);
        spare.hidden = true;
    }
}

HWND CSpareFieldWindows::Take(ATOM windowClass, const RECT& place, bool& there) {
    auto atPlace = [windowClass, &place](const Spare& s) {
        return s.windowClass == windowClass && SamePlace(s.place, place);
    };
    auto found = std::find_if(windows.rbegin(), windows.rend(), atPlace);
    there = found != windows.rend();
    if (!there) {
        found = std::find_if(windows.rbegin(), windows.rend(), [windowClass](const Spare& s) {
            return s.windowClass == windowClass;
        });
    }
    if (found == windows.rend()) return nullptr;
    HWND window = found->window;
    windows.erase(std::next(found).base());
    return window;
}

void CSpareFieldWindows::Settle(size_t live) {
    mostLive = std::max(mostLive, live);
    size_t keep = mostLive - live;
    if (windows.size() <= keep) return;
    size_t extra = windows.size() - keep;
    for (size_t i = 0; i < extra; ++i) DestroyWindow(windows[i].window);
    windows.erase(windows.begin(), windows.begin() + static_cast<std::ptrdiff_t>(extra));
}

CSpareFieldWindows& SpareFieldWindowsOf(HWND pageWindow) {
    return Spares()[pageWindow];
}

void DropSpareFieldWindows(HWND pageWindow) {
    Spares().erase(pageWindow);
}
