// The toolbar's windows under the Windows build, as the Screen options remake them.
#include <gtest/gtest.h>
#include <windows.h>

#include "toolbar/ToolBar.h"

namespace {

TEST(ToolBarWindows, EachToolBarGivesBackItsClassesToTheNext) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr,
                                 instance, nullptr);
    ASSERT_TRUE(owner);
    for (int size : {1, 2, 1}) {
        CToolBar toolbar(owner, instance, size);
        ASSERT_TRUE(toolbar.Window()) << "toolbarsize " << size;
        HWND next = toolbar.Button(3).window;
        RECT r = {};
        GetWindowRect(next, &r);
        // The picture of that size and its bevel.
        EXPECT_EQ(r.right - r.left, toolbar.Height() - 7) << "toolbarsize " << size;
        EXPECT_FALSE(IsWindowEnabled(next)) << "toolbarsize " << size;
        toolbar.AssignLabel(7, u"NEXT");
        EXPECT_TRUE(IsWindowEnabled(next)) << "toolbarsize " << size;
    }
    DestroyWindow(owner);
}

}  // namespace
