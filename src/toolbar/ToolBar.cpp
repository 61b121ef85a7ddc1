#include "toolbar/ToolBar.h"

#include "platform/AppMessages.h"
#include "platform/WideText_win.h"
#include "resources/resource.h"
#include "toolbar/FrameWindowClass.h"
#include "toolbar/ToolBarButtonWindow.h"
#include "toolbar/ToolBarSize.h"
#include "toolbar/ToolBarWindow.h"

namespace {

constexpr wchar_t kToolBarClass[] = L"VDKCToolBar";
constexpr wchar_t kButtonClass[] = L"VDKCToolBarButton";
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
// The picture's frame: a two-pixel bevel all round.
constexpr int kFrame = 4;

}  // namespace

CToolBar::CToolBar(HWND ownerWindow, HINSTANCE module, int toolbarSize, const CToolBarKeys& state)
    : instance(module),
      owner(ownerWindow),
      toolbarClass(RegisterFrameWindowClass(module, kToolBarClass, ToolBarWindowProc)),
      buttonClass(RegisterFrameWindowClass(module, kButtonClass, ToolBarButtonWindowProc)),
      keys(state) {
    CToolBarSize size = ToolBarSizeFor(toolbarSize);
    height = size.height;
    for (int i = 0; i < kToolBarButtonCount; ++i) {
        buttons[i] = std::make_unique<CButton>(instance, size.pictureIds[i]);
    }
    if (!toolbarClass) return;
    RECT client = {};
    GetClientRect(owner, &client);
    window = CreateWindowExW(0, kToolBarClass, L"TOOLBAR", kChildStyle, 0, 0, client.right, height,
                             owner, nullptr, instance, this);
}

CToolBar::~CToolBar() {
    // The buttons go with their parent, before their class is unregistered.
    if (window && IsWindow(window)) DestroyWindow(window);
    if (buttonClass) UnregisterClassW(MAKEINTATOM(buttonClass), instance);
    if (toolbarClass) UnregisterClassW(MAKEINTATOM(toolbarClass), instance);
}

void CToolBar::CreateButtons(HWND toolbarWindow) {
    for (int i = 0; i < kToolBarButtonCount; ++i) {
        CButton& button = *buttons[i];
        SIZE picture = button.picture.Size();
        DWORD style = kChildStyle | (keys.Enabled(i) ? 0 : WS_DISABLED);
        button.window = CreateWindowExW(
            0, kButtonClass, Wide(keys.Name(i)), style, ToolBarButtonLeft(i, height),
            kToolBarButtonTop, picture.cx + kFrame, picture.cy + kFrame, toolbarWindow,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(i)), instance, this);
    }
}

void CToolBar::AssignLabel(int slot, const std::u16string& text) {
    CLabelEffect effect = keys.AssignLabel(slot, text);
    if (effect.button < 0) return;
    HWND button = buttons[effect.button]->window;
    if (button) EnableWindow(button, effect.enable ? TRUE : FALSE);
}

void CToolBar::ReportKey(int index) const {
    SendMessageW(owner, UM_TOOLBARKEY, static_cast<WPARAM>(keys.KeyNumber(index)), 0);
}
