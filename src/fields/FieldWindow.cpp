#include "fields/FieldWindow.h"

#include "config/Settings.h"
#include "fields/FieldLook.h"
#include "fields/GdiScope.h"
#include "fields/MemoryCanvas.h"
#include "fields/PageWindow.h"
#include "platform/AppMessages.h"
#include "platform/WindowData_win.h"
#include "screen/Field.h"
#include "screen/Page.h"

namespace {

// Followed through the focus messages of the field windows, all on the
// window thread: asking the window system at every paint costs a request.
HWND gFocusedFieldWindow = nullptr;

void FollowFocus(HWND window, UINT message) {
    if (message == WM_SETFOCUS) gFocusedFieldWindow = window;
    bool left = message == WM_KILLFOCUS || message == WM_NCDESTROY;
    if (left && gFocusedFieldWindow == window) gFocusedFieldWindow = nullptr;
}

}  // namespace

bool FieldWindowHasFocus(HWND window) {
    return window && window == gFocusedFieldWindow;
}

CField* BoundField(HWND window, const CPage& page) {
    CField* field = page.fields.FindField(GetDlgCtrlID(window));
    return field && field->fieldWindow == window ? field : nullptr;
}

LRESULT UnboundFieldMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

RECT FieldWindowPlace(const CField& field) {
    int cellWidth = gSettings->CellWidth(), cellHeight = gSettings->CellHeight();
    return {field.column * cellWidth, static_cast<int>(field.row) * cellHeight,
            static_cast<int>(field.displayLength) * cellWidth, cellHeight};
}

bool PageShown(const CField& field) {
    return field.page && field.page->shown;
}

LRESULT SendToMain(const CField& field, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND main = field.page ? static_cast<HWND>(field.page->parentWindow) : nullptr;
    return main ? SendMessageW(main, message, wParam, lParam) : 0;
}

void PaintBuffered(HWND window, const FieldPainter& paint) {
    CPaintDc dc(window);
    RECT client;
    GetClientRect(window, &client);
    // Only the part to paint that shows is buffered: a field can be far wider
    // and lower than the screen.
    RECT shown;
    if (!ReachedArea(dc.Get(), client, shown)) return;
    CMemoryCanvas canvas(dc.Get(), shown);
    if (!canvas) return;
    paint(canvas.Dc(), client.right, client.bottom);
    BitBlt(dc.Get(), shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top,
           canvas.Dc(), shown.left, shown.top, SRCCOPY);
}

bool CommonFieldMessage(HWND window, const CField& field, UINT message, const FieldPainter& paint,
                        LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_DESTROY:
            return true;
        case WM_CLOSE:
            DestroyWindow(window);
            return true;
        case WM_PAINT:
            if (!PageShown(field)) return false;
            if (Blinks(field)) KeepPageBlinking(GetParent(window), *field.page);
            PaintBuffered(window, paint);
            return true;
        case WM_ERASEBKGND:
            if (!PageShown(field)) return false;
            result = 1;
            return true;
        default:
            return false;
    }
}

LRESULT FieldWindowMessage(const CFieldWindowKind& kind, HWND window, UINT message, WPARAM wParam,
                           LPARAM lParam) {
    FollowFocus(window, message);
    if (message == WM_CREATE || message == UM_BINDFIELD) {
        CField* field = message == WM_CREATE ? CreationObject<CField>(lParam)
                                             : reinterpret_cast<CField*>(lParam);
        if (field) kind.setSlots(*field);
        return 0;
    }
    // The field is looked up only once the state is this thread's: a record
    // being run may give the window's record to another field.
    CPage* page = WindowObject<CPage>(GetParent(window));
    if (!page) return UnboundFieldMessage(window, message, wParam, lParam);
    {
        CStateTurn turn(page->port.state);
        CField* field = BoundField(window, *page);
        if (!field) return UnboundFieldMessage(window, message, wParam, lParam);
        LRESULT result = 0;
        auto paint = [&kind, window, field](HDC dc, int w, int h) {
            kind.paint(window, dc, *field, w, h);
        };
        if (CommonFieldMessage(window, *field, message, paint, result)) return result;
        if (kind.onMessage(window, *field, message, wParam, lParam, result)) return result;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool OnBlink(HWND window, CField& field, LPARAM phase, bool every) {
    if (!PageShown(field) || (!every && VideoStyle(field) != kBlinkVideo)) return false;
    field.blinkOn = phase == 1;
    InvalidateRect(window, nullptr, FALSE);
    return true;
}
