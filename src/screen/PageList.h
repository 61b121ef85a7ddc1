#pragma once

#include <memory>
#include <vector>

#include "platform/WindowPort.h"
#include "screen/Page.h"

class CSettings;

// The host's pages in ascending page number.
class CPageList {
public:
    CPageList(CWindowPort& windowPort, const CSettings& settings)
        : port(windowPort), settings(settings) {}
    CPageList(const CPageList&) = delete;
    CPageList& operator=(const CPageList&) = delete;

    // Makes pages 0 to count - 1 with their windows on parent, then shows page 0.
    void Create(int count, WindowHandle parent);
    CPage* FindPage(int number) const;
    int Count() const { return static_cast<int>(pages.size()); }
    CPage& PageAt(int index) const { return *pages[index]; }

    // Marks the wanted page shown and shows its window; hides all others.
    void ShowPage(int number);
    // Has the page window make the windows of new and changed fields.
    void RefreshPage(int number);
    void ClearAllPages();
    // Unbinds every page and field window from its record, then frees the pages.
    void DestroyWindows();

private:
    CWindowPort& port;
    const CSettings& settings;
    std::vector<std::unique_ptr<CPage>> pages;
};
