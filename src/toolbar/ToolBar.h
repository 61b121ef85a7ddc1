#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "toolbar/ToolBarKeys.h"
#include "toolbar/ToolBarPicture.h"

// The strip of five picture buttons along the top of the main window. Each
// button reports a key number to the main window and is disabled until a
// host label names it. It registers its two window classes for as long as
// it lives.
class CToolBar {
public:
    // The toolbar of the given toolbarsize on the owner's client area, its
    // buttons' keys and enabled state as keys says: as new, or as the toolbar
    // it replaces left them.
    CToolBar(HWND owner, HINSTANCE instance, int toolbarSize, const CToolBarKeys& keys);
    ~CToolBar();
    CToolBar(const CToolBar&) = delete;
    CToolBar& operator=(const CToolBar&) = delete;

    // The host set a label slot's text.
    void AssignLabel(int slot, const std::u16string& text);
    const CToolBarKeys& Keys() const { return keys; }

    // Null when the toolbar's class could not be registered.
    HWND Window() const { return window; }
    int Height() const { return height; }

    // For the toolbar's and its buttons' windows.
    struct CButton {
        CButton(HINSTANCE instance, int pictureId) : picture(instance, pictureId) {}
        CToolBarPicture picture;
        HWND window = nullptr;
        bool pressed = false;
    };
    CButton& Button(int index) { return *buttons[index]; }
    void CreateButtons(HWND toolbarWindow);
    // The button was pressed and released: the owner reports its key.
    void ReportKey(int index) const;

private:
    HWND window = nullptr;
    int height;
    HINSTANCE instance;
    HWND owner;
    ATOM toolbarClass;
    ATOM buttonClass;
    CToolBarKeys keys;
    std::array<std::unique_ptr<CButton>, kToolBarButtonCount> buttons;
};
