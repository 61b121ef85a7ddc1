#include "screen/Page.h"

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
        if (field->fieldWindow) port.RaiseFieldWindow(*field);
        if (field->isNew) {
            // A field changed in the record that made it still needs only one window.
            field->isNew = 0;
            field->changed = 0;
            field->fieldWindow = port.MakeFieldWindow(*field);
        } else if (field->changed) {
            field->changed = 0;
            if (field->fieldWindow) port.CloseFieldWindow(*field);
            field->fieldWindow = port.MakeFieldWindow(*field);
        }
    }
}
