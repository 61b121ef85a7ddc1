// The window port's messages to the main window, under the Windows build.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/Win32WindowPort.h"
#include "platform/AppMessages.h"

namespace {

// Application messages that reached the window; the system's own are not counted.
int gApplicationMessages = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER) ++gApplicationMessages;
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(Win32WindowPortTest, StopsOfAnAnimationThatDoesNotRunAreLeftOut) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"RavelinPortTest";
    ASSERT_TRUE(RegisterClassW(&windowClass));
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_TRUE(window);

    struct Case {
        bool running;
        unsigned message;
        intptr_t lParam;
        int delivered;
    };
    const Case cases[] = {
        {false, UM_ANIMATION, 0, 0},  // a stop with nothing running
        {false, UM_ANIMATION, 2, 0},  // every lParam but 1 stops
        {false, UM_ANIMATION, 1, 1},  // a start always arrives: it locks input
        {true, UM_ANIMATION, 0, 1},   // a stop of a running animation
        {false, UM_LOCKINPUT, 0, 1},  // no other message is left out
    };
    CWin32WindowPort port;
    for (const Case& c : cases) {
        gApplicationMessages = 0;
        port.SetAnimationRunning(c.running);
        port.SendMsg(window, c.message, 1, c.lParam);
        EXPECT_EQ(gApplicationMessages, c.delivered)
            << "message " << c.message << " running " << c.running << " lParam " << c.lParam;
    }

    DestroyWindow(window);
    UnregisterClassW(windowClass.lpszClassName, windowClass.hInstance);
}

}  // namespace
