#pragma once

#include <cstdint>
#include <vector>

#include "platform/WindowPort.h"
#include "screen/FieldList.h"

class CSettings;

// One host page: its fields and the window that shows them.
class CPage {
public:
    CPage(int number, CWindowPort& windowPort, const CSettings& settings);
    ~CPage();
    CPage(const CPage&) = delete;
    CPage& operator=(const CPage&) = delete;

    // The page window's refresh: makes the windows of new fields and makes
    // those of changed fields again, in ascending field number, then stacks
    // the windows in that order, a later field's above an earlier one's.
    void RefreshFieldWindows();

    int32_t pageNumber;
    CFieldList fields;
    uint8_t blinkTimerRuns = 0;  // the page window's blink timer
    WindowHandle pageWindow = nullptr;
    WindowHandle parentWindow = nullptr;  // receives every message fields and pages send
    uint32_t backColour;
    uint8_t shown = 0;
    CWindowPort& port;

private:
    void StackFieldWindows();

    // The field windows as the last refresh stacked them, bottom first.
    std::vector<WindowHandle> stackedWindows;
};
