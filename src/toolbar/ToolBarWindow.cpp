#include "toolbar/ToolBarWindow.h"

#include <cstdint>

#include "fields/FieldWindow.h"
#include "fields/GdiScope.h"
#include "platform/WindowData_win.h"
#include "toolbar/ToolBar.h"

namespace {

constexpr uint32_t kFace = 0xBFBFBF;
// The top rows darken towards the top edge; the bottom two end the strip.
constexpr uint32_t kTopRows[] = {0x8C8C8C, 0x999999, 0xA6A6A6, 0xB2B2B2};
constexpr uint32_t kSecondLastRow = 0xA6A6A6;
constexpr uint32_t kLastRow = 0x404040;

void PaintStrip(HDC dc, int width, int height) {
    FillArea(dc, 0, 0, width, height, kFace);
    int row = 0;
    for (uint32_t colour : kTopRows) {
        FillArea(dc, 0, row, width, row + 1, colour);
        ++row;
    }
    FillArea(dc, 0, height - 2, width, height - 1, kSecondLastRow);
    FillArea(dc, 0, height - 1, width, height, kLastRow);
}

}  // namespace

LRESULT CALLBACK ToolBarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        if (CToolBar* toolbar = KeepCreationObject<CToolBar>(window, lParam)) {
            toolbar->CreateButtons(window);
        }
        return 0;
    }
    if (!WindowObject<CToolBar>(window)) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_PAINT:
            PaintBuffered(window, PaintStrip);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}
