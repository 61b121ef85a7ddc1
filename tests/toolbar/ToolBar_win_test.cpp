// The toolbar's and the lock animation's windows, under the Windows build.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "platform/AppMessages.h"
#include "toolbar/LockAnimation.h"
#include "toolbar/ToolBar.h"

namespace {

int gKeysReported = 0;

LRESULT CALLBACK CountKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == UM_TOOLBARKEY) ++gKeysReported;
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(ToolBarWindows, EachToolBarGivesBackItsClassesAndALostMouseEndsAPress) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr,
                                 instance, nullptr);
    ASSERT_TRUE(owner);
    SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountKeys));
    const struct {
        int size;
        const char16_t* label;  // for slot 7, NEXT's once it is named
        bool enabledBefore, enabledAfter;
    } cases[] = {{1, u"NEXT", false, true}, {2, u"GO", true, false}, {0, u"NEXT", false, true}};
    CToolBarKeys keys;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "toolbarsize " << c.size);
        CToolBar toolbar(owner, instance, c.size, keys);
        ASSERT_TRUE(toolbar.Window());
        HWND next = toolbar.Button(3).window;
        RECT r = {};
        GetWindowRect(next, &r);
        // The picture of that size and its bevel.
        EXPECT_EQ(r.right - r.left, toolbar.Height() - 7);
        EXPECT_EQ(IsWindowEnabled(next) != FALSE, c.enabledBefore);
        toolbar.AssignLabel(7, c.label);
        EXPECT_EQ(IsWindowEnabled(next) != FALSE, c.enabledAfter);
        keys = toolbar.Keys();
        // The mouse taken away mid-press, by a dialog or a menu, ends the
        // press: the button is drawn raised again and its release reports nothing.
        for (bool lost : {false, true}) {
            if (!c.enabledAfter) break;
            gKeysReported = 0;
            SendMessageW(next, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            ASSERT_EQ(GetCapture(), next);
            if (lost) ReleaseCapture();
            EXPECT_EQ(toolbar.Button(3).pressed, !lost);
            SendMessageW(next, WM_LBUTTONUP, 0, 0);
            EXPECT_EQ(gKeysReported, lost ? 0 : 1) << "lost " << lost;
        }
    }
    DestroyWindow(owner);
}

HWND AnimationWindow(HWND parent) {
    return FindWindowExW(parent, nullptr, L"VDKCAnimate", nullptr);
}

// Shown itself, whether its hidden parent shows or not.
bool Shown(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

void RunQueuedMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

TEST(LockAnimationWindow, ShowsLateTakesOverOnlyToConnectAndGoesWithItsClass) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 480, 320, nullptr, nullptr,
                                  instance, nullptr);
    ASSERT_TRUE(parent);
    auto animation = std::make_unique<CLockAnimation>(parent, instance);
    animation->Start(LockAnimationKind::AwaitingHost);
    HWND window = AnimationWindow(parent);
    ASSERT_TRUE(window);
    EXPECT_FALSE(Shown(window));
    // The same window goes on, with the connecting picture whatever comes next.
    animation->Start(LockAnimationKind::Connecting);
    animation->Start(LockAnimationKind::AwaitingHost);
    wchar_t title[16] = L"";
    GetWindowTextW(window, title, 16);
    EXPECT_STREQ(title, L"Lock-B");
    EXPECT_EQ(AnimationWindow(parent), window);
    animation->Reposition();
    EXPECT_TRUE(Shown(window));
    // Another start while the picture shows leaves it shown.
    animation->Start(LockAnimationKind::AwaitingHost);
    EXPECT_TRUE(Shown(window));

    // A new lock renewed while still hidden: its timer, due from the first
    // start, waits out the rest.
    animation->Stop();
    RunQueuedMessages();
    animation->Start(LockAnimationKind::AwaitingHost);
    window = AnimationWindow(parent);
    EXPECT_TRUE(animation->RenewWhileHidden());
    SendMessageW(window, WM_TIMER, 2, 0);
    EXPECT_FALSE(Shown(window));

    // A frame and a paint on their way when it stopped find no object.
    animation->Stop();
    EXPECT_FALSE(animation->Running());
    PostMessageW(window, WM_TIMER, 2, 0);
    SendMessageW(window, WM_TIMER, 2, 0);
    InvalidateRect(window, nullptr, FALSE);
    SendMessageW(window, WM_PAINT, 0, 0);
    EXPECT_FALSE(Shown(window));
    RunQueuedMessages();
    EXPECT_FALSE(IsWindow(window));

    // Its class goes with it, running or stopped with its close still queued.
    for (bool stopped : {false, true}) {
        if (stopped) animation = std::make_unique<CLockAnimation>(parent, instance);
        animation->Start(LockAnimationKind::AwaitingHost);
        if (stopped) animation->Stop();
        animation.reset();
        WNDCLASSEXW info = {};
        info.cbSize = sizeof info;
        EXPECT_FALSE(GetClassInfoExW(instance, L"VDKCAnimate", &info)) << "stopped " << stopped;
        EXPECT_FALSE(AnimationWindow(parent)) << "stopped " << stopped;
    }
    DestroyWindow(parent);
    RunQueuedMessages();
}

}  // namespace
