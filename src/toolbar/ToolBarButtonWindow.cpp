#include "toolbar/ToolBarButtonWindow.h"

#include <cstdint>

#include "fields/FieldWindow.h"
#include "fields/GdiScope.h"
#include "platform/WindowData_win.h"
#include "toolbar/ToolBar.h"
#include "toolbar/ToolBarSize.h"

namespace {

constexpr uint32_t kFace = 0xBFBFBF;
constexpr int kPictureOffset = 2;

// Outer top and left, inner top and left, outer bottom and right, inner
// bottom and right: raised, and sunk while pressed.
struct CBevel {
    uint32_t outerTopLeft, innerTopLeft, outerBottomRight, innerBottomRight;
};
constexpr CBevel kRaised = {0xE6E6E6, 0xD9D9D9, 0x999999, 0xA6A6A6};
constexpr CBevel kSunk = {0x999999, 0xA6A6A6, 0xE6E6E6, 0xD9D9D9};

void DrawBevel(HDC dc, const CBevel& bevel, int w, int h) {
    FillArea(dc, 0, 0, w, 1, bevel.outerTopLeft);
    FillArea(dc, 0, 0, 1, h, bevel.outerTopLeft);
    FillArea(dc, 1, 1, w - 1, 2, bevel.innerTopLeft);
    FillArea(dc, 1, 1, 2, h - 1, bevel.innerTopLeft);
    FillArea(dc, 0, h - 1, w, h, bevel.outerBottomRight);
    FillArea(dc, w - 1, 0, w, h, bevel.outerBottomRight);
    FillArea(dc, 1, h - 2, w - 1, h - 1, bevel.innerBottomRight);
    FillArea(dc, w - 2, 1, w - 1, h - 1, bevel.innerBottomRight);
}

void PaintButton(HWND window, const CToolBar::CButton& button) {
    bool enabled = IsWindowEnabled(window) != FALSE;
    PaintBuffered(window, [&button, enabled](HDC dc, int w, int h) {
        FillArea(dc, 0, 0, w, h, kFace);
        if (enabled) DrawBevel(dc, button.pressed ? kSunk : kRaised, w, h);
        button.picture.Draw(dc, kPictureOffset, kPictureOffset, !enabled);
    });
}

void Repaint(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

void LetGo(HWND window, CToolBar::CButton& button) {
    button.pressed = false;
    Repaint(window);
    if (GetCapture() == window) ReleaseCapture();
}

// The mouse taken away mid-press, by a menu or a dialog, ends the press
// without a key: the release that comes later is no release of it.
void OnCaptureLost(HWND window, CToolBar::CButton& button) {
    if (!button.pressed) return;
    button.pressed = false;
    Repaint(window);
}

// The mouse is taken first: the press must not end with the capture change
// that taking it may bring.
void OnButtonDown(HWND window, CToolBar::CButton& button) {
    SetCapture(window);
    button.pressed = true;
    Repaint(window);
}

// Reports the key also when released outside: the button holds the mouse
// from its press. A release that no press on this button began, such as one
// dragged in from elsewhere, reports nothing.
void OnButtonUp(HWND window, CToolBar& toolbar, int index) {
    CToolBar::CButton& button = toolbar.Button(index);
    bool wasPressed = button.pressed;
    LetGo(window, button);
    if (wasPressed) toolbar.ReportKey(index);
}

LRESULT OnBoundMessage(HWND window, CToolBar& toolbar, int index, UINT message, WPARAM wParam,
                       LPARAM lParam) {
    CToolBar::CButton& button = toolbar.Button(index);
    switch (message) {
        case WM_LBUTTONDOWN:
            OnButtonDown(window, button);
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp(window, toolbar, index);
            return 0;
        case WM_ENABLE:
            LetGo(window, button);
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureLost(window, button);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            PaintButton(window, button);
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK ToolBarButtonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        KeepCreationObject<CToolBar>(window, lParam);
        return 0;
    }
    CToolBar* toolbar = WindowObject<CToolBar>(window);
    int index = GetDlgCtrlID(window);
    if (!toolbar || index < 0 || index >= kToolBarButtonCount) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return OnBoundMessage(window, *toolbar, index, message, wParam, lParam);
}
