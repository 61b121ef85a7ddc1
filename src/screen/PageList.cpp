#include "screen/PageList.h"

#include "screen/Field.h"

void CPageList::Create(int count, WindowHandle parent) {
    for (int number = 0; number < count; ++number) {
        pages.push_back(std::make_unique<CPage>(number, port, settings));
        CPage& page = *pages.back();
        page.pageWindow = port.CreatePageWindow(page, parent);
        if (page.pageWindow) page.parentWindow = parent;
    }
    if (count >= 1) ShowPage(0);
}

CPage* CPageList::FindPage(int number) const {
    for (const std::unique_ptr<CPage>& page : pages) {
        if (page->pageNumber == number) return page.get();
        if (page->pageNumber > number) break;
    }
    return nullptr;
}

void CPageList::ShowPage(int number) {
    for (const std::unique_ptr<CPage>& page : pages) {
        bool wanted = page->pageNumber == number;
        page->shown = wanted ? 1 : 0;
        if (page->pageWindow) port.PlacePageWindow(*page, wanted);
    }
}

void CPageList::RefreshPage(int number) {
    CPage* page = FindPage(number);
    if (page && page->pageWindow) port.RefreshPage(*page);
}

void CPageList::ClearAllPages() {
    for (const std::unique_ptr<CPage>& page : pages) page->fields.Clear();
}

void CPageList::DestroyWindows() {
    // Every window lets go of its record before any is hidden or any page
    // freed: hiding a focused entry field reports its completion to the main
    // window, which would look the current page up in this list. A field
    // window reaches its record only through its page window.
    for (const std::unique_ptr<CPage>& page : pages) {
        if (page->pageWindow) port.UnbindPageWindow(*page);
    }
    pages.clear();
}
