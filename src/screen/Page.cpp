#include "screen/Page.h"

#include <algorithm>

#include "config/Settings.h"
#include "screen/Field.h"

namespace {

constexpr uint32_t kDefaultBackColour = 0x00C3B295;

uint32_t InitialBackColour(const CSettings& settings) {
    if (settings.CustomColorMode()) return settings.BackGroundColor();
    return kDefaultBackColour;
}

}  // namespace

CPage::CPage(int number, CWindowPort& windowPort, const CSettings& settings)
    : pageNumber(number),
      fields(*this),
      backColour(InitialBackColour(settings)),
      port(windowPort) {}

// The field windows close while the page they report to is still whole.
CPage::~CPage() {
    fields.Clear();
}

void CPage::RefreshFieldWindows() {
    for (CField* field = fields.Head(); field; field = field->next) {
        if (field->isNew) {
            // A field changed in the record that made it still needs only one window.
            field->isNew = 0;
            field->changed = 0;
            field->fieldWindow = port.MakeFieldWindow(*field);
        } else if (field->changed) {
            field->changed = 0;
            if (field->fieldWindow) port.CloseFieldWindow(*field);
            // The closed window lets go of the field before another is bound.
            field->fieldWindow = nullptr;
            field->fieldWindow = port.MakeFieldWindow(*field);
        }
    }
    StackFieldWindows();
}

// Raising a window costs the window system a good deal, and a page built
// again mostly gets back the windows it had, where they were: the windows at
// the bottom still in the order the last refresh left them stay, and only
// those above the first one out of order are raised. A window made since is
// out of order wherever it is; a window bound again keeps its place.
void CPage::StackFieldWindows() {
    std::vector<WindowHandle> wanted;
    for (CField* field = fields.Head(); field; field = field->next) {
        if (field->fieldWindow) wanted.push_back(field->fieldWindow);
    }
    size_t inOrder = 0;
    // Sorted, and made only once a stacked window is not the next one wanted:
    // a page built again seldom needs it.
    std::vector<WindowHandle> live;
    for (WindowHandle window : stackedWindows) {
        if (inOrder < wanted.size() && window == wanted[inOrder]) {
            ++inOrder;
            continue;
        }
        if (live.empty()) {
            live = wanted;
            std::sort(live.begin(), live.end());
        }
        // A window gone from the page is passed over; one still on it is out of order.
        if (std::binary_search(live.begin(), live.end(), window)) break;
    }
    for (CField* field = fields.Head(); field; field = field->next) {
        if (!field->fieldWindow) continue;
        if (inOrder > 0) {
            --inOrder;
            continue;
        }
        port.RaiseFieldWindow(*field);
    }
    stackedWindows = std::move(wanted);
}
