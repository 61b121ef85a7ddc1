#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "toolbar/ToolBarSize.h"

// What a label did to the buttons: at most one button is enabled or
// disabled. button is -1 when nothing changed.
struct CLabelEffect {
    int button = -1;
    bool enable = false;
};

// The names of the toolbar's buttons, the key number each reports and
// whether it is enabled, as the host's labels left them. A toolbar made anew
// takes them over from the one before: which key a button holds depends on
// the order the labels came in, so they cannot be had again from the texts.
class CToolBarKeys {
public:
    CToolBarKeys();

    // A label text for a slot: the first button (in the order SAVE, BACK,
    // EXIT, NEXT, CLEAR) that either bears the text as its name, and then
    // reports the slot's key and is enabled, or already reports the slot's
    // key, and then is disabled. All start disabled.
    CLabelEffect AssignLabel(int slot, const std::u16string& text);

    int32_t KeyNumber(int button) const { return buttons[button].keyNumber; }
    const std::u16string& Name(int button) const { return buttons[button].name; }
    bool Enabled(int button) const { return buttons[button].enabled; }

private:
    struct CButtonKey {
        std::u16string name;
        int32_t keyNumber;
        bool enabled = false;
    };
    std::array<CButtonKey, kToolBarButtonCount> buttons;
};
