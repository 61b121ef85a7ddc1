#include "fields/PageWindow.h"

#include <algorithm>

#include "config/Settings.h"
#include "fields/CellGrid.h"
#include "fields/FieldFont.h"
#include "fields/FieldLook.h"
#include "fields/FieldWindow.h"
#include "fields/GdiScope.h"
#include "fields/SpareFieldWindows.h"
#include "platform/AppMessages.h"
#include "platform/KeyboardState_win.h"
#include "platform/WideText_win.h"
#include "platform/WindowData_win.h"
#include "platform/WindowStyle_win.h"
#include "screen/Field.h"
#include "screen/Page.h"

namespace {

constexpr UINT_PTR kBlinkTimer = 5;
constexpr UINT kBlinkPeriodMs = 500;
// A timer may fire a little before its time; the phase is read as it will be
// this much later, so that an early tick still shows the new phase.
constexpr ULONGLONG kBlinkSlackMs = 20;
constexpr BYTE kRomanFamily = 0x10;

CPage* BoundPage(HWND window) {
    return WindowObject<CPage>(window);
}

// A character height in pixels, at most kMaxFontPixels whatever the page.
CFont WatermarkFont(int height, int width) {
    LOGFONTW font = {};
    font.lfHeight = -std::min(height, kMaxFontPixels);
    font.lfWidth = width;
    font.lfWeight = FW_BOLD;
    font.lfPitchAndFamily = kRomanFamily;
    font.lfQuality = static_cast<BYTE>(gSettings->FontQuality());
    font.lfOutPrecision = static_cast<BYTE>(gSettings->FontOutPrecision());
    return CFont(CreateFontIndirectW(&font));
}

// The character width at which the watermark fits the page: found by trying
// ever narrower fonts, which is slow, so the last answer is kept for as long
// as the page width and the text stay the same.
int WatermarkWidth(HDC dc, const wchar_t* chars, int n, const RECT& area) {
    static int lastPageWidth = -1;
    static std::u16string lastText;
    static int lastWidth = 0;
    int W = area.right - area.left;
    if (W == lastPageWidth && lastText == gSettings->WaterMarkText()) return lastWidth;
    int width = std::min(W / n, kMaxFontPixels);
    for (;;) {
        CFont font(WatermarkFont(W / 6, width));
        CSelection selected(dc, font.Get());
        RECT measured = area;
        DrawTextW(dc, chars, n, &measured, DT_SINGLELINE | DT_CALCRECT);
        width -= 2;
        // A width at or below 0 would ask the font for its own width.
        if (measured.right <= area.right || width <= 0) break;
    }
    lastPageWidth = W;
    lastText = gSettings->WaterMarkText();
    lastWidth = width;
    return width;
}

// The watermark text, as wide as the page allows, repeated down the page.
void PaintWatermark(HDC dc, int clientWidth, int clientHeight) {
    const std::u16string& text = gSettings->WaterMarkText();
    if (!gSettings->ShowWaterMark() || text.empty()) return;
    const wchar_t* chars = Wide(text);
    int n = static_cast<int>(text.size());
    RECT area = {1, 1, clientWidth - 1, clientHeight - 1};
    int W = area.right - area.left;
    CFont font(WatermarkFont(W / 8, WatermarkWidth(dc, chars, n, area)));
    CSelection selected(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Rgb(WatermarkColour(*gSettings)));
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc, &tm);
    for (int top = 0; top < clientHeight && tm.tmHeight > 0; top += tm.tmHeight + 1) {
        RECT line = {area.left, top, area.right, top + tm.tmHeight};
        DrawTextW(dc, chars, n, &line, DT_SINGLELINE | DT_CENTER | DT_NOCLIP);
    }
}

void PaintPage(HWND window, HDC dc, const CPage& page, int width, int height) {
    uint32_t back = gSettings->CustomColorMode() ? gSettings->BackGroundColor() : page.backColour;
    FillArea(dc, 0, 0, width, height, back);
    SetBkColor(dc, Rgb(back));
    PaintWatermark(dc, width, height);
    ComputeCellGrid(window);
}

BOOL CALLBACK BlinkChild(HWND child, LPARAM phase) {
    SendMessageW(child, UM_BLINK, 0, phase);
    return TRUE;
}

// Milliseconds of the wall clock, whose seconds the clock's colon shows.
ULONGLONG NowMs() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32 | now.dwLowDateTime) / 10000;
}

// The phase follows the clock, not a count of ticks, so that every page, and
// a page shown later, blinks in step.
int32_t BlinkPhaseNow() {
    return static_cast<int32_t>((NowMs() + kBlinkSlackMs) / kBlinkPeriodMs % 2);
}

// How often the page must be painted anew: twice a second for a blinking
// field, every second for a clock alone, whose colon turns with the seconds;
// never for a page without either.
UINT TickPeriodMs(const CPage& page) {
    UINT period = 0;
    for (const CField* field = page.fields.Head(); field; field = field->next) {
        if (VideoStyle(*field) == kBlinkVideo) return kBlinkPeriodMs;
        if (Blinks(*field)) period = 2 * kBlinkPeriodMs;
    }
    return period;
}

// One tick at the next turn of the period on the wall clock.
void ArmBlinkTimer(HWND window, UINT periodMs) {
    SetTimer(window, kBlinkTimer, static_cast<UINT>(periodMs - NowMs() % periodMs), nullptr);
}

// A hidden page, or one with nothing that changes with time, lets its timer
// go: an idle terminal must not wake the processor for nothing.
void OnBlinkTimer(HWND window, CPage& page) {
    UINT period = page.shown ? TickPeriodMs(page) : 0;
    if (period == 0) {
        KillTimer(window, kBlinkTimer);
        page.blinkTimerRuns = 0;
        return;
    }
    EnumChildWindows(window, BlinkChild, BlinkPhaseNow());
    ArmBlinkTimer(window, period);
}

void OnEnabled(CPage& page) {
    for (CField* field = page.fields.Head(); field; field = field->next) {
        HWND child = static_cast<HWND>(field->fieldWindow);
        if (!child || !IsWindow(child)) continue;
        SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW);
        InvalidateRect(child, nullptr, TRUE);
        UpdateWindow(child);
    }
}

// Moves every field window to the grid as it is now. Walks the field list
// rather than looking fields up, which would move the list's cursor under the
// interpreter.
void OnRelayout(HWND window, CPage& page) {
    ComputeCellGrid(window);
    for (CField* field = page.fields.Head(); field; field = field->next) {
        HWND child = static_cast<HWND>(field->fieldWindow);
        if (!child || !IsWindow(child) || GetParent(child) != window) continue;
        RECT place = FieldWindowPlace(*field);
        MoveWindow(child, place.left, place.top, place.right, place.bottom, FALSE);
        InvalidateRect(child, nullptr, TRUE);
        UpdateWindow(child);
    }
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

// A shown page is drawn once, when all its field windows are in place:
// nothing paints before, since the windows are bound, moved and shown with
// their erasing left to the end. Turning the page's drawing off and on
// again would cost the window system more than the whole refresh.
void OnRefresh(HWND window, CPage& page) {
    page.RefreshFieldWindows();
    size_t live = 0;
    for (CField* field = page.fields.Head(); field; field = field->next) {
        if (field->fieldWindow) ++live;
    }
    CSpareFieldWindows& spares = SpareFieldWindowsOf(window);
    spares.Settle(live);
    spares.HideAll();
    if (!ShownItself(window)) return;
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void OnKeyDown(const CPage& page, WPARAM virtualKey) {
    int number = KeyNumber(KeyPressNow(virtualKey), gSettings->FieldEnterToF0());
    if (number == kNoKeyNumber || !page.parentWindow) return;
    SendMessageW(static_cast<HWND>(page.parentWindow), UM_KEY, static_cast<WPARAM>(-1), number);
}

// False for the messages left to default processing.
bool OnBoundMessage(HWND window, CPage& page, UINT message, WPARAM wParam, LPARAM lParam,
                    LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_DESTROY:
            KillTimer(window, kBlinkTimer);
            DropSpareFieldWindows(window);
            return true;
        case WM_CLOSE:
            DestroyWindow(window);
            return true;
        case WM_PAINT:
            if (!page.shown) break;
            PaintBuffered(window, [window, &page](HDC dc, int w, int h) {
                PaintPage(window, dc, page, w, h);
            });
            return true;
        case WM_ERASEBKGND:
            if (!page.shown) break;
            result = 1;
            return true;
        case WM_TIMER:
            if (wParam == kBlinkTimer) OnBlinkTimer(window, page);
            return true;
        case WM_ENABLE:
            if (wParam == 1) OnEnabled(page);
            return true;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            OnKeyDown(page, wParam);
            return true;
        case UM_CLOSEFIELDWINDOW:
            SpareFieldWindowsOf(window).Keep(reinterpret_cast<const HWND*>(lParam), wParam);
            return true;
        case UM_HIDESPARES:
            SpareFieldWindowsOf(window).HideAll();
            return true;
        case UM_FOCUSPAGE:
            SetFocus(window);
            return true;
        case UM_REFRESHPAGE:
            OnRefresh(window, page);
            return true;
        case UM_RELAYOUT:
            OnRelayout(window, page);
            return true;
    }
    return false;
}

}  // namespace

LRESULT CALLBACK PageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        KeepCreationObject<CPage>(window, lParam);
        ComputeCellGrid(window);
        return 0;
    }
    CPage* page = BoundPage(window);
    if (!page) return UnboundFieldMessage(window, message, wParam, lParam);
    {
        CStateTurn turn(page->port.state);
        LRESULT result;
        if (OnBoundMessage(window, *page, message, wParam, lParam, result)) return result;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool Blinks(const CField& field) {
    return field.Class() == kSystemField || VideoStyle(field) == kBlinkVideo;
}

void KeepPageBlinking(HWND pageWindow, CPage& page) {
    UINT period = page.blinkTimerRuns ? 0 : TickPeriodMs(page);
    if (period == 0) return;
    page.blinkTimerRuns = 1;
    uint8_t on = BlinkPhaseNow() == 1 ? 1 : 0;
    for (CField* field = page.fields.Head(); field; field = field->next) {
        if (Blinks(*field)) field->blinkOn = on;
    }
    ArmBlinkTimer(pageWindow, period);
}
