#pragma once

#include <windows.h>

#include <vector>

// The field windows a page window let go of, bound to no record and hidden,
// kept for the page's next fields of the same class: making and destroying
// windows is most of what a new page costs. They are children of the page
// window and go with it.
// The child id of a spare window: the number of no field.
constexpr int kSpareWindowId = -1;

class CSpareFieldWindows {
public:
    // Takes windows their fields have let go of.
    void Keep(const HWND* kept, size_t count);
    // Hides the spares that show still and gives them the spare id.
    void HideAll();
    // A kept window of the class, or null; it shows when bound anew.
    // One already at the place (left, top, width, height, as the field
    // windows are placed) is taken first, and says so in there: it need not
    // move.
    HWND Take(ATOM windowClass, const RECT& place, bool& there);
    // After a refresh that left the page live field windows: keeps no more
    // spares than the most windows the page has had at once would need,
    // destroying those kept longest.
    void Settle(size_t live);

private:
    struct Spare {
        HWND window;
        ATOM windowClass;
        RECT place;
        bool hidden;
    };
    std::vector<Spare> windows;
    bool hidePosted = false;
    size_t mostLive = 0;
};

// The spare field windows of a page window, made on first use and dropped
// when the page window is destroyed. Window thread only.
CSpareFieldWindows& SpareFieldWindowsOf(HWND pageWindow);
void DropSpareFieldWindows(HWND pageWindow);
