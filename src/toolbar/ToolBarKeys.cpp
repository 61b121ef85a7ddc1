#include "toolbar/ToolBarKeys.h"

CToolBarKeys::CToolBarKeys()
    : buttons{{{u"SAVE", 1}, {u"BACK", 3}, {u"EXIT", 8}, {u"NEXT", 4}, {u"CLEAR", 2}}} {}

CLabelEffect CToolBarKeys::AssignLabel(int slot, const std::u16string& text) {
    for (int i = 0; i < kToolBarButtonCount; ++i) {
        CButtonKey& button = buttons[i];
        if (button.name == text) {
            button.keyNumber = slot;
            button.enabled = true;
            return {i, true};
        }
        if (button.keyNumber == slot) {
            button.enabled = false;
            return {i, false};
        }
    }
    return {};
}
