// The field windows for real, under the Windows build: a page rebuilt and
// painted over and over must not use up GDI objects.
#include <gtest/gtest.h>
#include <windows.h>

#include <utility>
#include <vector>

#include "app/App.h"
#include "app/Win32WindowPort.h"
#include "config/Settings.h"
#include "fields/Drawing.h"
#include "fields/FieldWindowClasses.h"
#include "link/Session.h"
#include "screen/Field.h"
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

    CSettings* settings = nullptr;
    std::unique_ptr<CFieldWindowClasses> classes;
    HWND main = nullptr;
    std::unique_ptr<CWin32WindowPort> port;
    std::unique_ptr<CTerminalState> terminal;
    std::unique_ptr<CSession> session;
};

// The field page is rebuilt at every paint; the controls page is painted
// 1000 times and rebuilt at every tenth.
TEST_F(FieldWindowsTest, RebuildingAndPaintingFullPagesKeepsGdiObjects) {
    for (auto [record, rebuildEvery] : {std::pair{ScreenRecord(), 1}, {ControlsRecord(), 10}}) {
        Rebuild(record);
        CPage* page = terminal->pages->FindPage(0);
        ASSERT_NE(page, nullptr);
        ASSERT_NE(page->fields.Head(), nullptr);
        ASSERT_NE(page->fields.Head()->fieldWindow, nullptr);
        int before = FreeGdiObjects();
        ASSERT_GT(before, 0);
        for (int i = 1; i <= 1000; ++i) {
            if (i % rebuildEvery == 0) {
                Rebuild(record);
            } else {
                Paint();
            }
        }
        int after = FreeGdiObjects();
        // A few objects may come and go with the system's own caches.
        EXPECT_GE(after, before - 16) << before << " free before, " << after << " after";
    }
}

// No host command makes a key cap; a field is turned into one here.
TEST_F(FieldWindowsTest, KeyCapLooksPressedOnlyWhileHeld) {
    Rebuild("s0Ef1007Key capd0");
    CPage* page = terminal->pages->FindPage(0);
    CField* field = page->fields.FindField(1);
    field->controlKind = kKeysControl;
    field->changed = 1;
    port->RefreshPage(*page);
    Pump();
    HWND cap = static_cast<HWND>(field->fieldWindow);
    ASSERT_NE(cap, nullptr);
    RECT client;
    GetClientRect(cap, &client);
    std::vector<uint32_t> face = Gradient(client.bottom - 1, {255, 255, 239}, {165, 158, 148});
    auto topRow = [cap, &client] {
        UpdateWindow(cap);
        HDC dc = GetDC(cap);
        COLORREF colour = GetPixel(dc, client.right / 2, 1);
        ReleaseDC(cap, dc);
        return static_cast<uint32_t>(colour);
    };
    EXPECT_EQ(topRow(), face.front());
    SendMessageW(cap, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(field->onState, 1);
    EXPECT_EQ(topRow(), face.back());
    SendMessageW(cap, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(topRow(), face.front());
    EXPECT_EQ(field->modified, 0);
}

}  // namespace
