// The window port's messages to the main window, under the Windows build.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "app/Win32WindowPort.h"
#include "platform/AppMessages.h"
#include "toolbar/LockAnimation.h"

namespace {

struct Delivered {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Delivered&) const = default;
};

// Application messages that reached the window; the system's own are left out.
std::vector<Delivered> gDelivered;
CWin32WindowPort* gPort = nullptr;

// Held work is recorded as it arrives, without its address, then done.
LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == UM_HELDWORK) {
        gDelivered.push_back({message, wParam, lParam != 0});
        gPort->DoSentWork(lParam);
        return 0;
    }
    if (message == UM_TOOLBARLABEL) {
        // The label's text is recorded by its length.
        const auto& text = *reinterpret_cast<const std::u16string*>(lParam);
        gDelivered.push_back({message, wParam, static_cast<LPARAM>(text.size())});
        return 0;
    }
    if (message >= WM_USER) gDelivered.push_back({message, wParam, lParam});
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(Win32WindowPortTest, CallsArriveAsTheirMessagesAndIdleStopsAreLeftOut) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"RavelinPortTest";
    ASSERT_TRUE(RegisterClassW(&windowClass));
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_TRUE(window);

    CWin32WindowPort port(window);
    gPort = &port;
    constexpr auto kHost = LockAnimationKind::AwaitingHost;
    struct Case {
        const char* name;
        bool running;
        void (*call)(CWin32WindowPort&);
        std::vector<Delivered> delivered;
    };
    const Case cases[] = {
        {"a stop with nothing running",
         false,
         [](CWin32WindowPort& p) { p.StopLockAnimation(kHost); },
         {}},
        {"a start always arrives: it locks input",
         false,
         [](CWin32WindowPort& p) { p.StartLockAnimation(LockAnimationKind::Connecting); },
         {{UM_ANIMATION, 0, 1}}},
        {"a stop of a running animation",
         true,
         [](CWin32WindowPort& p) { p.StopLockAnimation(kHost); },
         {{UM_ANIMATION, 1, 0}}},
        {"unlock", false, [](CWin32WindowPort& p) { p.UnlockInput(); }, {{UM_UNLOCKINPUT, 0, 0}}},
        {"label",
         false,
         [](CWin32WindowPort& p) { p.OfferLabel(20, u"NEXT"); },
         {{UM_TOOLBARLABEL, 20, 4}}},
        {"signal", false, [](CWin32WindowPort& p) { p.SignalDevice(3); }, {{UM_HOSTSIGNAL, 3, 0}}},
        {"relayout", false, [](CWin32WindowPort& p) { p.RelayoutAll(); }, {{UM_RELAYOUT, 0, 0}}},
    };
    for (const Case& c : cases) {
        gDelivered.clear();
        port.SetAnimationRunning(c.running, kHost);
        c.call(port);
        EXPECT_EQ(gDelivered, c.delivered) << c.name;
    }

    // The dialog requests are posted: they arrive from the window's queue.
    gDelivered.clear();
    port.AskForAdvisory(5);
    port.AskForPrompt(9);
    MSG msg;
    while (PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_EQ(gDelivered, (std::vector<Delivered>{{UM_ADVISORY, 1, 5}, {UM_PROMPT, 1, 9}}));

    // From the connection thread, a stop of the waiting animation waits for
    // what ends the record.
    const Case held[] = {
        {"a start of the waiting one begins the lock anew",
         true,
         [](CWin32WindowPort& p) {
             p.StopLockAnimation(kHost);
             p.StartLockAnimation(kHost);
         },
         {{UM_ANIMATION, 1, 0}, {UM_ANIMATION, 1, 1}}},
        {"a second stop sends one",
         true,
         [](CWin32WindowPort& p) {
             p.StopLockAnimation(kHost);
             p.StopLockAnimation(kHost);
         },
         {{UM_ANIMATION, 1, 0}}},
        {"a start of the other kind follows the stop",
         true,
         [](CWin32WindowPort& p) {
             p.StopLockAnimation(kHost);
             p.StartLockAnimation(LockAnimationKind::Connecting);
         },
         {{UM_ANIMATION, 1, 0}, {UM_ANIMATION, 0, 1}}},
    };
    auto fromConnectionThread = [&](const Case& c, bool compare = true) {
        gDelivered.clear();
        port.SetAnimationRunning(c.running, kHost);
        std::atomic<bool> done{false};
        std::thread connection([&] {
            c.call(port);
            done = true;
            PostMessageW(window, WM_NULL, 0, 0);
        });
        MSG msg;
        while (!done && GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
        connection.join();
        if (compare) EXPECT_EQ(gDelivered, c.delivered) << c.name;
    };
    for (const Case& c : held) fromConnectionThread(c);

    // A held record crosses once, at its end, with its work in the order
    // asked; what it posts comes after. Its second stop sends the held one.
    fromConnectionThread({"a held record",
                          false,
                          [](CWin32WindowPort& p) {
                              p.HoldWindowWork();
                              p.UnlockInput();
                              p.AskForAdvisory(5);
                              p.OfferLabel(20, u"NEXT");
                              p.OfferLabel(20, u"GO");
                              p.StartLockAnimation(kHost);
                              p.StopLockAnimation(kHost);
                              p.StopLockAnimation(kHost);
                              p.DoHeldWindowWork();
                          },
                          {{UM_HELDWORK, 0, 1},
                           {UM_UNLOCKINPUT, 0, 0},
                           {UM_TOOLBARLABEL, 20, 4},
                           {UM_TOOLBARLABEL, 20, 2},
                           {UM_ANIMATION, 1, 1},
                           {UM_ANIMATION, 1, 0},
                           {UM_ADVISORY, 1, 5}}});

    // Work posted and not yet done goes before work sent after it, whichever
    // message comes first.
    fromConnectionThread({"posted, then held",
                          false,
                          [](CWin32WindowPort& p) {
                              p.HoldWindowWork();
                              p.UnlockInput();
                              p.PostHeldWindowWork();
                              p.HoldWindowWork();
                              p.OfferLabel(20, u"NEXT");
                              p.DoHeldWindowWork();
                          },
                          {}},
                         false);
    MSG left;
    while (PeekMessageW(&left, window, 0, 0, PM_REMOVE)) DispatchMessageW(&left);
    std::erase_if(gDelivered, [](const Delivered& d) { return d.message == UM_HELDWORK; });
    EXPECT_EQ(gDelivered,
              (std::vector<Delivered>{{UM_UNLOCKINPUT, 0, 0}, {UM_TOOLBARLABEL, 20, 4}}));

    // Renewed while its picture is still hidden, the lock needs no message;
    // once the picture shows, the lock begins anew, hidden.
    CLockAnimation animation(window, windowClass.hInstance);
    animation.Start(kHost);
    port.SetLockAnimation(&animation);
    Case renewal = held[0];
    renewal.delivered = {};
    fromConnectionThread(renewal);
    animation.Reposition();
    fromConnectionThread(held[0]);
    port.SetLockAnimation(nullptr);
    animation.Stop();

    DestroyWindow(window);
    UnregisterClassW(windowClass.lpszClassName, windowClass.hInstance);
}

}  // namespace
