// The lock animation's window under the Windows build.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "toolbar/LockAnimation.h"

namespace {

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

class LockAnimationWindow : public testing::Test {
protected:
    void SetUp() override {
        parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 480, 320, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(parent);
        animation = std::make_unique<CLockAnimation>(parent, GetModuleHandleW(nullptr));
    }
    void TearDown() override {
        animation.reset();
        DestroyWindow(parent);
        RunQueuedMessages();
    }

    HWND parent = nullptr;
    std::unique_ptr<CLockAnimation> animation;
};

TEST_F(LockAnimationWindow, StartsHiddenAndOnlyConnectingTakesOver) {
    animation->Start(LockAnimationKind::AwaitingHost);
    HWND window = AnimationWindow(parent);
    ASSERT_TRUE(window);
    EXPECT_FALSE(Shown(window));
    // The same window goes on, with the connecting picture whatever comes next.
    for (LockAnimationKind kind :
         {LockAnimationKind::Connecting, LockAnimationKind::AwaitingHost}) {
        animation->Start(kind);
        wchar_t title[16] = L"";
        GetWindowTextW(window, title, 16);
        EXPECT_STREQ(title, L"Lock-B");
        EXPECT_EQ(AnimationWindow(parent), window);
    }
    animation->Reposition();
    EXPECT_TRUE(Shown(window));
    // Records that leave the terminal awaiting the host start it again: the
    // picture shown stays.
    animation->Start(LockAnimationKind::AwaitingHost);
    EXPECT_TRUE(Shown(window));
    EXPECT_FALSE(animation->RenewWhileHidden());
    // A new lock renewed while still hidden: its timer, due from the first
    // start, waits out the rest.
    animation->Stop();
    RunQueuedMessages();
    animation->Start(LockAnimationKind::AwaitingHost);
    window = AnimationWindow(parent);
    EXPECT_TRUE(animation->RenewWhileHidden());
    SendMessageW(window, WM_TIMER, 2, 0);
    EXPECT_FALSE(Shown(window));
}

TEST_F(LockAnimationWindow, MessagesQueuedBeforeTheStopFindNoObject) {
    animation->Start(LockAnimationKind::AwaitingHost);
    HWND window = AnimationWindow(parent);
    ASSERT_TRUE(window);
    animation->Stop();
    EXPECT_FALSE(animation->Running());
    // A frame and a paint that were on their way when the animation stopped.
    PostMessageW(window, WM_TIMER, 2, 0);
    SendMessageW(window, WM_TIMER, 2, 0);
    InvalidateRect(window, nullptr, FALSE);
    SendMessageW(window, WM_PAINT, 0, 0);
    EXPECT_FALSE(Shown(window));
    RunQueuedMessages();
    EXPECT_FALSE(IsWindow(window));
}

// Its window class goes with it, also while a stopped window still waits for
// its posted close.
TEST_F(LockAnimationWindow, TheClassGoesWithTheAnimation) {
    for (bool stopped : {false, true}) {
        animation.reset();
        animation = std::make_unique<CLockAnimation>(parent, GetModuleHandleW(nullptr));
        animation->Start(LockAnimationKind::AwaitingHost);
        if (stopped) animation->Stop();
        animation.reset();
        WNDCLASSEXW info = {};
        info.cbSize = sizeof info;
        EXPECT_FALSE(GetClassInfoExW(GetModuleHandleW(nullptr), L"VDKCAnimate", &info))
            << "stopped " << stopped;
        EXPECT_FALSE(AnimationWindow(parent)) << "stopped " << stopped;
    }
}

}  // namespace
