#include "fields/ControlWindow.h"

#include "config/Settings.h"
#include "fields/ControlInput.h"
#include "fields/ControlPaint.h"
#include "fields/Drawing.h"
#include "fields/DrawingReplay.h"
#include "fields/FieldFont.h"
#include "fields/FieldLook.h"
#include "fields/FieldWindow.h"
#include "fields/GdiScope.h"
#include "platform/AppMessages.h"
#include "platform/KeyboardState_win.h"
#include "screen/Field.h"

namespace {

constexpr uint32_t kSelectedYellow = 0x33CCFF;

class CControlWindow : public CReportsToMain<CControlWork> {
public:
    CControlWindow(HWND hwnd, CField& record) : CReportsToMain(record), window(hwnd) {}

    void Repaint(CField& field) override {
        if (HWND shown = static_cast<HWND>(field.fieldWindow)) {
            RedrawWindow(shown, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
    }
    void CaptureMouse() override { SetCapture(window); }
    void ReleaseMouse() override {
        if (GetCapture() == window) ReleaseCapture();
    }

private:
    HWND window;
};

void SetControlSlots(CField& field, FieldWindowClass kind) {
    if (kind == FieldWindowClass::CheckBox || kind == FieldWindowClass::RadioButton) {
        field.colorSelectedBack = kSelectedYellow;
    } else if (kind == FieldWindowClass::Button || kind == FieldWindowClass::Keys) {
        field.onState = 0;
    }
}

void PaintControlWindow(HWND window, HDC dc, CField& field, FieldWindowClass kind, int width,
                        int height) {
    RECT shown;
    if (GetClipBox(dc, &shown) == ERROR) return;
    CDrawing drawing(shown.left, shown.top, shown.right, shown.bottom);
    PaintControl(drawing, field, kind, width, height, FieldWindowHasFocus(window), *gSettings);
    CSelection selected(dc, FieldFont(VideoStyle(field) == kBoldVideo));
    ReplayDrawing(dc, drawing);
}

bool OnControlMessage(HWND window, CField& field, FieldWindowClass kind, UINT message,
                      WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    CControlWindow work(window, field);
    CControlInput input(field, kind, *gSettings, work);
    bool keyCap = kind == FieldWindowClass::Keys;
    switch (message) {
        case WM_LBUTTONDOWN:
            input.MouseDown();
            return true;
        case WM_LBUTTONUP:
            input.MouseUp();
            return true;
        case UM_BLINK:
            if (!keyCap) return OnBlink(window, field, lParam, false);
            // A key cap keeps the phase without repainting.
            if (!PageShown(field)) return false;
            if (VideoStyle(field) == kBlinkVideo) field.blinkOn = lParam == 1;
            return true;
    }
    // Key caps take neither the focus nor keys.
    if (keyCap) return false;
    switch (message) {
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT || HIWORD(lParam) != WM_LBUTTONDOWN) return false;
            SetFocus(window);
            result = TRUE;
            return true;
        case WM_SETFOCUS:
            input.FocusGained();
            return true;
        case WM_KILLFOCUS:
            input.FocusLost();
            return true;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            input.KeyDown(KeyPressNow(wParam));
            return true;
        case WM_KEYUP:
        case WM_CHAR:
            return true;
        default:
            return false;
    }
}

template <FieldWindowClass Kind>
LRESULT ControlWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const CFieldWindowKind kind = {
        [](CField& field) { SetControlSlots(field, Kind); },
        [](HWND window, HDC dc, CField& field, int w, int h) {
            PaintControlWindow(window, dc, field, Kind, w, h);
        },
        [](HWND window, CField& field, UINT message, WPARAM wParam, LPARAM lParam,
           LRESULT& result) {
            return OnControlMessage(window, field, Kind, message, wParam, lParam, result);
        },
    };
    return FieldWindowMessage(kind, window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK ButtonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ControlWindowMessage<FieldWindowClass::Button>(window, message, wParam, lParam);
}

LRESULT CALLBACK SelectButtonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ControlWindowMessage<FieldWindowClass::SelectButton>(window, message, wParam, lParam);
}

LRESULT CALLBACK CheckBoxWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ControlWindowMessage<FieldWindowClass::CheckBox>(window, message, wParam, lParam);
}

LRESULT CALLBACK RadioButtonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ControlWindowMessage<FieldWindowClass::RadioButton>(window, message, wParam, lParam);
}

LRESULT CALLBACK KeysWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ControlWindowMessage<FieldWindowClass::Keys>(window, message, wParam, lParam);
}
