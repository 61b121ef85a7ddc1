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
    const struct {
        LockAnimationKind requested;
        const wchar_t* title;
    } cases[] = {{LockAnimationKind::Connecting, L"Lock-B"},
                 {LockAnimationKind::AwaitingHost, L"Lock-B"}};
    for (const auto& c : cases) {
        animation->Start(c.requested);
        wchar_t title[16] = L"";
        GetWindowTextW(window, title, 16);
        EXPECT_STREQ(title, c.title);
        EXPECT_EQ(AnimationWindow(parent), window);  // the same window goes on
    }
    animation->Reposition();
    EXPECT_TRUE(Shown(window));
    // Awaiting the host again starts its hidden seconds anew.
    animation->Stop();
    RunQueuedMessages();
    animation->Start(LockAnimationKind::AwaitingHost);
    animation->Reposition();
    window = AnimationWindow(parent);
    ASSERT_TRUE(Shown(window));
    animation->Start(LockAnimationKind::AwaitingHost);
    EXPECT_FALSE(Shown(window));
    EXPECT_EQ(AnimationWindow(parent), window);
    // Its timer, due from an earlier start, waits out the rest.
    SendMessageW(window, WM_TIMER, 2, 0);
    EXPECT_FALSE(Shown(window));
}

TEST_F(LockAnimationWindow, MessagesQueuedBeforeTheStopFindNoObject) {
    animation->Start(LockAnimationKind::AwaitingHost);
    HWND window = AnimationWindow(parent);
    ASSERT_TRUE(window);
    animation->Stop();
    EXPECT_FALSE(animation->Running());
    animation.reset();
    // A frame and a paint that were on their way when the animation stopped.
    PostMessageW(window, WM_TIMER, 2, 0);
    SendMessageW(window, WM_TIMER, 2, 0);
    InvalidateRect(window, nullptr, FALSE);
    SendMessageW(window, WM_PAINT, 0, 0);
    EXPECT_FALSE(Shown(window));
    RunQueuedMessages();
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
