// The field windows for real, under the Windows build: rebuilt and painted
// over and over, pages must not use up GDI objects or windows; a reused
// window shows only its new field; canvases are lent again as new.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/App.h"
#include "app/Win32WindowPort.h"
#include "config/Settings.h"
#include "fields/FieldWindowClasses.h"
#include "fields/MemoryCanvas.h"
#include "link/Session.h"
#include "platform/AppMessages.h"
#include "platform/Handles_win.h"
#include "screen/Field.h"
#include "screen/FieldWindowClass.h"
#include "screen/Page.h"
#include "screen/TerminalState.h"
#include "support/ScreenRecord.h"

namespace {

// The GDI objects this process could still make: made until the system
// refuses, then freed again. Counting what is left works where nothing tells
// how many objects a process holds.
int FreeGdiObjects() {
    std::vector<HBRUSH> brushes;
    while (HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3))) {
        brushes.push_back(brush);
        if (brushes.size() > 200000) break;
    }
    for (HBRUSH brush : brushes) DeleteObject(brush);
    return static_cast<int>(brushes.size());
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

HWND CaretWindow() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetCurrentThreadId(), &info) ? info.hwndCaret : nullptr;
}

// What a window shows of itself besides its pixels.
auto Looks(HWND window) {
    wchar_t text[64] = L"";
    GetWindowTextW(window, text, 64);
    RECT r = {};
    GetWindowRect(window, &r);
    return std::tuple(std::wstring(text), GetDlgCtrlID(window), GetWindowLongW(window, GWL_STYLE),
                      r.left, r.top, r.right, r.bottom);
}

// The window's pixels on the screen, row by row.
std::vector<COLORREF> Shown(HWND window) {
    UpdateWindow(window);
    RECT client;
    GetClientRect(window, &client);
    CWindowDc dc(window);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) pixels.push_back(GetPixel(dc.Get(), x, y));
    return pixels;
}

class FieldWindowsTest : public ::testing::Test {
protected:
    ~FieldWindowsTest() override {
        session.reset();
        terminal.DestroyPages();
        DestroyWindow(main);
        gSettings = nullptr;
    }

    // Builds the page as the connection thread would, then paints it all.
    void Rebuild(const std::string& record) {
        const auto* p = reinterpret_cast<const unsigned char*>(record.data());
        session->Interpret(p, p + record.size());
        Pump();
        Paint();
    }
    void Paint() {
        RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    // The windows on page 0 from the top down, spares included. A spare left
    // over from the last page must not show.
    std::vector<HWND> PageWindows() {
        std::vector<HWND> windows;
        HWND page = static_cast<HWND>(terminal.pages->FindPage(0)->pageWindow);
        for (HWND w = GetWindow(page, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
            windows.push_back(w);
            EXPECT_FALSE(GetDlgCtrlID(w) == -1 && IsWindowVisible(w)) << "a spare shows";
        }
        return windows;
    }

    // The program's globals are set before the windows that read them are made.
    HINSTANCE instance = gInstance = GetModuleHandleW(nullptr);
    CSettings settings{u""};
    CSettings* global = gSettings = &settings;
    CFieldWindowClasses classes{gInstance};
    HWND main = CreateWindowExW(0, L"STATIC", L"field windows test", WS_POPUP | WS_VISIBLE, 0, 0,
                                900, 700, nullptr, nullptr, gInstance, nullptr);
    CWin32WindowPort port{main};
    CTerminalState terminal{port, main, settings};
    std::unique_ptr<CSession> session = std::make_unique<CSession>(terminal, settings);
};

// The field page and the controls page are rebuilt in turn at every paint;
// then the controls page alone is painted 300 times and rebuilt at every
// tenth, enough for a leak of one object a rebuild to show. In turn each page
// leaves spare windows the other cannot all use, yet the page window never
// holds more windows than in the first round.
TEST_F(FieldWindowsTest, RebuildingAndPaintingFullPagesKeepsGdiObjectsAndWindows) {
    const std::vector<std::string> inTurn = {ScreenRecord(), ControlsRecord()};
    const std::vector<std::string> controls = {ControlsRecord()};
    for (auto [records, rebuildEvery] : {std::pair{inTurn, 1}, {controls, 10}}) {
        size_t windows = 0;
        for (const std::string& record : records) {
            Rebuild(record);
            windows = std::max(windows, PageWindows().size());
        }
        ASSERT_GT(windows, 0u);
        int before = FreeGdiObjects();
        ASSERT_GT(before, 0);
        for (int i = 1; i <= 300; ++i) {
            if (i % rebuildEvery == 0) {
                Rebuild(records[static_cast<size_t>(i) % records.size()]);
                ASSERT_LE(PageWindows().size(), windows) << "rebuild " << i;
            } else {
                Paint();
            }
        }
        int after = FreeGdiObjects();
        // A few objects may come and go with the system's own caches.
        EXPECT_GE(after, before - 16) << before << " free before, " << after << " after";
    }
}

// A field of each window class shows all the state it can have, then the
// page is built anew with another field of that class, which takes its
// window, on page 0. A page of the case's own, which never had a window,
// makes the new field a window of its own to compare with.
TEST_F(FieldWindowsTest, ReusedWindowShowsNothingOfItsFormerField) {
    // The former field 1 at row 2, column 4, blinking ("P"), 16 cells ("@"),
    // most of them selected ("@H1"); the new field 3 at row 5, column 30
    // ("N"), plain, 10 cells (":"). How the former field is used: "k" both
    // fields become key caps, "f" it takes the focus (an entry field the
    // caret too), "p" it is clicked and held.
    const char* const kCases[][4] = {
        {"entry", "i124CP@u1<Former fieldw10@H1", "i35NC@:u38Next one", "f"},
        // Hidden ("R"): closing its window hides nothing, so the window
        // keeps the focus and the caret until the page takes it as a spare.
        {"hidden entry", "i124CR@u1<Former field", "i35NC@:u38Next one", "f"},
        {"fixed", "i124AP@u1<Former fieldw10@H1", "f35N:Next one  ", ""},
        {"system", "i124BP@", "i35NJ@:", ""},
        {"button", "i124CP@u1<Former fieldw10@AB@H1", "i35NC@:u38Next onew30@AB", "fp"},
        {"select button", "i124CP@u1<Former fieldw10@AS@H1", "i35NC@:u38Next onew30@AS", "fp"},
        {"check box", "i124CP@u1= Former fieldw10@AC@H1", "i35NC@:u39 Next onew30@AC", "fp"},
        {"radio button", "i124CP@u1= Former fieldw10@AR@H1", "i35NC@:u39 Next onew30@AR", "fp"},
        // Field 2, a fixed label, leaves a spare for the new field's detour
        // through a fixed window.
        {"key cap", "i124AP@u1<Former fieldf2005Label", "i35NA@:u38Next one", "kp"},
    };
    int freshPage = 1;
    for (const auto& [name, formerFields, nextFields, use] : kCases) {
        SCOPED_TRACE(name);
        const bool keyCap = std::strchr(use, 'k'), focus = std::strchr(use, 'f'),
                   press = std::strchr(use, 'p');
        // The cursor on field 9, which no page has: only the test gives the focus.
        auto build = [&](int number, const char* fields, int fieldNumber) {
            std::string n(1, static_cast<char>('0' + number));
            Rebuild("s" + n + "E" + fields + "d" + n + "o9");
            CField* field = terminal.pages->FindPage(number)->fields.FindField(fieldNumber);
            if (keyCap) {
                // No host command makes a key cap; the field is turned into one here.
                field->controlKind = kKeysControl;
                field->changed = 1;
                port.RefreshPage(*field->page);
                Pump();
            }
            return std::pair(field, static_cast<HWND>(field->fieldWindow));
        };
        auto [field, former] = build(0, formerFields, 1);
        if (focus) {
            EnableWindow(static_cast<HWND>(field->page->pageWindow), TRUE);
            SendMessageW(former, WM_SETCURSOR, reinterpret_cast<WPARAM>(former),
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
        }
        if (press) SendMessageW(former, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(former, UM_BLINK, 0, 1);
        bool entry = WindowClassFor(*field) == FieldWindowClass::Entry;
        ASSERT_EQ(std::tuple(field->blinkOn != 0, field->onState != 0, GetFocus() == former,
                             CaretWindow() == former),
                  std::tuple(true, press, focus, entry));

        auto [next, reused] = build(0, nextFields, 3);
        ASSERT_EQ(reused, former) << "no window reused";
        for (HWND held : {GetFocus(), GetCapture(), CaretWindow()}) EXPECT_NE(held, reused);
        std::vector<COLORREF> shown = Shown(reused);

        auto [fresh, made] = build(freshPage++, nextFields, 3);
        EXPECT_EQ(std::pair(next->onState, next->hasCaret),
                  std::pair(fresh->onState, fresh->hasCaret));
        EXPECT_EQ(Looks(reused), Looks(made));
        EXPECT_EQ(shown, Shown(made));
    }
}

// Where fields overlap, a later field shows above an earlier one, however
// the page is built again: the same page, fields that swap places, a field
// moved onto another and one added over the first.
TEST_F(FieldWindowsTest, OverlappingFieldsStackInFieldOrder) {
    const std::string same = "f120:AAAAAAAAAAf225:BBBBBBBBBBf350:CCCCCCCCCC";
    const std::string swapped = "f125:AAAAAAAAAAf220:BBBBBBBBBBf350:CCCCCCCCCC";
    const std::string moved = "f120:AAAAAAAAAAf253:BBBBBBBBBBf350:CCCCCCCCCCf423:DDDDDDDDDD";
    for (const std::string& fields : {same, same, swapped, same, moved, same}) {
        SCOPED_TRACE(fields);
        Rebuild("s0E" + fields + "d0o9");
        std::vector<int> topFirst;
        for (HWND w : PageWindows())
            if (IsWindowVisible(w)) topFirst.push_back(GetDlgCtrlID(w));
        EXPECT_TRUE(std::is_sorted(topFirst.rbegin(), topFirst.rend()))
            << ::testing::PrintToString(topFirst);
        EXPECT_EQ(topFirst.size(), fields == moved ? 4U : 3U);
    }
}

size_t WorkingSetBytes() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    return GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)
               ? counters.WorkingSetSize
               : 0;
}

// A page wakes the terminal only while it shows something that changes with
// time: a shown page of plain fields has no timer; one with a blinking field
// blinks it in both phases; once another page shows, the next tick stops the
// hidden page's timer.
TEST_F(FieldWindowsTest, OnlyAShownPageWithABlinkingFieldKeepsItsTimer) {
    auto pumpUntil = [](auto done) {
        for (DWORD start = GetTickCount(); !done() && GetTickCount() - start < 20000;) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            Pump();
        }
        return done();
    };
    Rebuild("s0Ef1225Plaind0o9");
    CPage* page = terminal.pages->FindPage(0);
    EXPECT_FALSE(page->blinkTimerRuns);
    // Field 1 blinking ("P"): both phases come.
    Rebuild("s0Ef1225Plain+1APd0o9");
    EXPECT_TRUE(page->blinkTimerRuns);
    const CField* field = page->fields.FindField(1);
    bool seen[2] = {};
    EXPECT_TRUE(pumpUntil([&] {
        seen[field->blinkOn ? 1 : 0] = true;
        return seen[0] && seen[1];
    }));
    Rebuild("s1Ef1225Otherd1o9");
    EXPECT_TRUE(pumpUntil([&] { return !page->blinkTimerRuns; }));
}

// Lent again, a canvas is as new, whatever was drawn on it; a resize drag, a
// new size at every step, must not grow what is kept for later paints.
TEST(MemoryCanvasTest, LentAgainAsMadeAndWhatIsKeptStaysWithinItsBytes) {
    HDC screen = GetDC(nullptr);
    const RECT area = {10, 20, 50, 40};
    HDC first = nullptr;
    {
        CMemoryCanvas canvas(screen, area);
        ASSERT_TRUE(canvas);
        first = canvas.Dc();
        SetWindowOrgEx(first, 0, 0, nullptr);
        SetTextColor(first, RGB(1, 2, 3));
        PatBlt(first, 0, 0, 40, 20, WHITENESS);
    }
    {
        CMemoryCanvas again(screen, area);
        ASSERT_TRUE(again);
        EXPECT_EQ(again.Dc(), first);
        POINT origin = {};
        GetWindowOrgEx(again.Dc(), &origin);
        EXPECT_EQ(std::pair(origin.x, origin.y), std::pair(area.left, area.top));
        EXPECT_EQ(GetTextColor(again.Dc()), RGB(0, 0, 0));
        for (POINT p : {POINT{10, 20}, POINT{49, 39}, POINT{30, 30}})
            EXPECT_EQ(GetPixel(again.Dc(), p.x, p.y), RGB(0, 0, 0)) << p.x << "," << p.y;
        // A canvas of the same size while one is lent is another.
        CMemoryCanvas nested(screen, area);
        ASSERT_TRUE(nested);
        EXPECT_NE(nested.Dc(), again.Dc());
    }
    size_t before = WorkingSetBytes();
    ASSERT_GT(before, 0u);
    for (int step = 0; step < 30; ++step) {
        CMemoryCanvas canvas(screen, RECT{0, 0, 1920 - step, 1000});
        ASSERT_TRUE(canvas);
    }
    size_t after = WorkingSetBytes();
    // About 7.7 MB a step when kept; a few such canvases are fine.
    EXPECT_LT(after > before ? after - before : 0, size_t{40} << 20);
    ReleaseDC(nullptr, screen);
}

}  // namespace
