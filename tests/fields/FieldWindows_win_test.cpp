// The field windows for real, under the Windows build: a page rebuilt and
// painted over and over must not use up GDI objects or windows, and a field
// window that a page keeps and binds to a new field shows only that field.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/App.h"
#include "app/Win32WindowPort.h"
#include "config/Settings.h"
#include "fields/FieldWindowClasses.h"
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

HWND Hwnd(const CField& field) {
    return static_cast<HWND>(field.fieldWindow);
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
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) pixels.push_back(GetPixel(dc.Get(), x, y));
    }
    return pixels;
}

class FieldWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        gInstance = GetModuleHandleW(nullptr);
        settings = new CSettings(u"");
        gSettings = settings;
        classes = std::make_unique<CFieldWindowClasses>(gInstance);
        main = CreateWindowExW(0, L"STATIC", L"field windows test", WS_POPUP | WS_VISIBLE, 0, 0,
                               900, 700, nullptr, nullptr, gInstance, nullptr);
        port = std::make_unique<CWin32WindowPort>(main);
        terminal = std::make_unique<CTerminalState>(*port, main, *settings);
        session = std::make_unique<CSession>(*terminal, *settings);
    }
    void TearDown() override {
        session.reset();
        terminal->DestroyPages();
        terminal.reset();
        DestroyWindow(main);
        classes.reset();
        gSettings = nullptr;
        delete settings;
    }

    // Builds the page as the connection thread would, then paints it all.
    void Rebuild(const std::string& record = ScreenRecord()) {
        const auto* p = reinterpret_cast<const unsigned char*>(record.data());
        session->Interpret(p, p + record.size());
        Pump();
        Paint();
    }
    void Paint() {
        RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    // The windows on page 0, spares included. A spare left over from the last page must not show.
    int PageWindowCount() {
        int count = 0;
        HWND page = static_cast<HWND>(terminal->pages->FindPage(0)->pageWindow);
        for (HWND w = GetWindow(page, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
            ++count;
            EXPECT_FALSE(GetDlgCtrlID(w) == -1 && IsWindowVisible(w)) << "a spare shows";
        }
        return count;
    }
    CField* Field(int page, int number) {
        return terminal->pages->FindPage(page)->fields.FindField(number);
    }
    // No host command makes a key cap; a field is turned into one here.
    void MakeKeyCap(CField& field) {
        field.controlKind = kKeysControl;
        field.changed = 1;
        port->RefreshPage(*field.page);
        Pump();
    }

    CSettings* settings = nullptr;
    std::unique_ptr<CFieldWindowClasses> classes;
    HWND main = nullptr;
    std::unique_ptr<CWin32WindowPort> port;
    std::unique_ptr<CTerminalState> terminal;
    std::unique_ptr<CSession> session;
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
        int windows = 0;
        for (const std::string& record : records) {
            Rebuild(record);
            windows = std::max(windows, PageWindowCount());
        }
        CPage* page = terminal->pages->FindPage(0);
        ASSERT_NE(page->fields.Head(), nullptr);
        ASSERT_NE(page->fields.Head()->fieldWindow, nullptr);
        int before = FreeGdiObjects();
        ASSERT_GT(before, 0);
        for (int i = 1; i <= 300; ++i) {
            if (i % rebuildEvery == 0) {
                Rebuild(records[static_cast<size_t>(i) % records.size()]);
                ASSERT_LE(PageWindowCount(), windows) << "rebuild " << i;
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
        const std::string how = use;
        const bool keyCap = how.find('k') != std::string::npos,
                   focus = how.find('f') != std::string::npos,
                   press = how.find('p') != std::string::npos;
        // The cursor on field 9, which no page has: only the test gives the focus.
        auto build = [&](int number, const char* fields, int fieldNumber) {
            std::string n(1, static_cast<char>('0' + number));
            Rebuild("s" + n + "E" + fields + "d" + n + "o9");
            CField* field = Field(number, fieldNumber);
            if (keyCap) MakeKeyCap(*field);
            return field;
        };
        CField* field = build(0, formerFields, 1);
        HWND former = Hwnd(*field);
        if (focus) {
            EnableWindow(static_cast<HWND>(field->page->pageWindow), TRUE);
            SendMessageW(former, WM_SETCURSOR, reinterpret_cast<WPARAM>(former),
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
        }
        if (press) SendMessageW(former, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(former, UM_BLINK, 0, 1);
        bool entry = WindowClassFor(*field) == FieldWindowClass::Entry;
        ASSERT_TRUE(field->blinkOn);
        ASSERT_EQ(field->onState != 0, press);
        ASSERT_EQ(GetFocus() == former, focus);
        ASSERT_EQ(CaretWindow() == former, entry);

        CField* next = build(0, nextFields, 3);
        HWND reused = Hwnd(*next);
        ASSERT_EQ(reused, former) << "no window reused";
        EXPECT_NE(GetFocus(), reused);
        EXPECT_NE(GetCapture(), reused);
        EXPECT_NE(CaretWindow(), reused);
        std::vector<COLORREF> shown = Shown(reused);

        CField* fresh = build(freshPage++, nextFields, 3);
        HWND made = Hwnd(*fresh);
        EXPECT_EQ(std::pair(next->onState, next->hasCaret),
                  std::pair(fresh->onState, fresh->hasCaret));
        EXPECT_EQ(Looks(reused), Looks(made));
        EXPECT_EQ(shown, Shown(made));
    }
}

}  // namespace
