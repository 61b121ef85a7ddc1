// The toolbar's windows under the Windows build, as the Screen options remake them.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/AppMessages.h"
#include "toolbar/ToolBar.h"

namespace {

TEST(ToolBarWindows, EachToolBarGivesBackItsClassesAndButtonsToTheNext) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr,
                                 instance, nullptr);
    ASSERT_TRUE(owner);
    const struct {
        int size;
        const char16_t* label;  // for slot 7, NEXT's once it is named
        bool enabledBefore, enabledAfter;
    } cases[] = {{1, u"NEXT", false, true}, {2, u"GO", true, false}, {1, u"NEXT", false, true}};
    CToolBarKeys keys;
    for (const auto& c : cases) {
        CToolBar toolbar(owner, instance, c.size, keys);
        ASSERT_TRUE(toolbar.Window()) << "toolbarsize " << c.size;
        HWND next = toolbar.Button(3).window;
        RECT r = {};
        GetWindowRect(next, &r);
        // The picture of that size and its bevel.
        EXPECT_EQ(r.right - r.left, toolbar.Height() - 7) << "toolbarsize " << c.size;
        EXPECT_EQ(IsWindowEnabled(next) != FALSE, c.enabledBefore) << "toolbarsize " << c.size;
        toolbar.AssignLabel(7, c.label);
        EXPECT_EQ(IsWindowEnabled(next) != FALSE, c.enabledAfter) << "toolbarsize " << c.size;
        keys = toolbar.Keys();
    }
    DestroyWindow(owner);
}

int gKeysReported = 0;

LRESULT CALLBACK CountKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == UM_TOOLBARKEY) ++gKeysReported;
    return DefWindowProcW(window, message, wParam, lParam);
}

// The mouse taken away mid-press, by a dialog or a menu, ends the press: the
// button is drawn raised again and its later release reports nothing.
TEST(ToolBarWindows, AButtonThatLosesTheMouseIsNoLongerPressed) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr,
                                 instance, nullptr);
    ASSERT_TRUE(owner);
    SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountKeys));
    CToolBar toolbar(owner, instance, 0, CToolBarKeys());
    toolbar.AssignLabel(7, u"NEXT");
    HWND next = toolbar.Button(3).window;
    for (bool lost : {false, true}) {
        gKeysReported = 0;
        SendMessageW(next, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        ASSERT_EQ(GetCapture(), next);
        if (lost) ReleaseCapture();
        EXPECT_EQ(toolbar.Button(3).pressed, !lost);
        SendMessageW(next, WM_LBUTTONUP, 0, 0);
        EXPECT_EQ(gKeysReported, lost ? 0 : 1) << "lost " << lost;
    }
    DestroyWindow(owner);
}

}  // namespace
