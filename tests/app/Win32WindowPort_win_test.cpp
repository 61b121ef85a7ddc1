// The window port's messages to the main window, under the Windows build.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>

#include "app/Win32WindowPort.h"
#include "platform/AppMessages.h"
#include "toolbar/LockAnimation.h"

namespace {

constexpr auto kHost = LockAnimationKind::AwaitingHost;

// Application messages that reached the window, as "name wParam,lParam": a
// label by its text's length, held work by whether it carries any. The
// system's own are left out; so is held work when gRecordHeld is off.
std::string gDelivered;
bool gRecordHeld = true;
CWin32WindowPort* gPort = nullptr;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const std::map<UINT, std::string> names = {
        {UM_ANIMATION, "animation"}, {UM_UNLOCKINPUT, "unlock"}, {UM_TOOLBARLABEL, "label"},
        {UM_HOSTSIGNAL, "signal"},   {UM_RELAYOUT, "relayout"},  {UM_ADVISORY, "advisory"},
        {UM_PROMPT, "prompt"},       {UM_HELDWORK, "held"}};
    if (message < WM_USER) return DefWindowProcW(window, message, wParam, lParam);
    LPARAM shown = lParam;
    if (message == UM_TOOLBARLABEL)
        shown = static_cast<LPARAM>(reinterpret_cast<const std::u16string*>(lParam)->size());
    if (message == UM_HELDWORK) shown = lParam != 0;
    if (message != UM_HELDWORK || gRecordHeld) {
        auto name = names.find(message);
        gDelivered += (gDelivered.empty() ? "" : " ") +
                      (name != names.end() ? name->second : std::to_string(message)) +
                      std::to_string(wParam) + "," + std::to_string(shown);
    }
    if (message == UM_HELDWORK) gPort->DoSentWork(lParam);
    return 0;
}

// The calls by name: "start" and "stop" the waiting animation, "connecting"
// started, "advisory" for field 5, "prompt" of 9, "signal" 3, "hold", "do"
// and "post" the held work; any other word is a label for slot 20.
void Play(CWin32WindowPort& port, const std::string& calls) {
    using P = CWin32WindowPort;
    static const std::map<std::string, void (*)(P&)> kCalls = {
        {"start", [](P& p) { p.StartLockAnimation(kHost); }},
        {"connecting", [](P& p) { p.StartLockAnimation(LockAnimationKind::Connecting); }},
        {"stop", [](P& p) { p.StopLockAnimation(kHost); }},
        {"unlock", [](P& p) { p.UnlockInput(); }},
        {"advisory", [](P& p) { p.AskForAdvisory(5); }},
        {"prompt", [](P& p) { p.AskForPrompt(9); }},
        {"signal", [](P& p) { p.SignalDevice(3); }},
        {"relayout", [](P& p) { p.RelayoutAll(); }},
        {"hold", [](P& p) { p.HoldWindowWork(); }},
        {"do", [](P& p) { p.DoHeldWindowWork(); }},
        {"post", [](P& p) { p.PostHeldWindowWork(); }}};
    std::istringstream words(calls);
    for (std::string w; words >> w;) {
        auto call = kCalls.find(w);
        if (call != kCalls.end())
            call->second(port);
        else
            port.OfferLabel(20, std::u16string(w.begin(), w.end()));
    }
}

TEST(Win32WindowPortTest, CallsArriveAsTheirMessagesAndIdleStopsAreLeftOut) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  instance, nullptr);
    ASSERT_TRUE(window);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc));
    CWin32WindowPort port(window);
    gPort = &port;

    // What arrives during the calls (from the connection thread, sent and
    // posted alike), then " | " and what the window's queue still held.
    auto run = [&](bool running, bool fromConnectionThread, const std::string& calls) {
        gDelivered.clear();
        port.SetAnimationRunning(running, kHost);
        MSG msg;
        if (fromConnectionThread) {
            std::atomic<bool> done{false};
            std::thread connection([&] {
                Play(port, calls);
                done = true;
                PostMessageW(window, WM_NULL, 0, 0);
            });
            while (!done && GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
            connection.join();
        } else {
            Play(port, calls);
        }
        std::string sent = gDelivered;
        gDelivered.clear();
        while (PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        return gDelivered.empty() ? sent : sent + " | " + gDelivered;
    };
    // Whether the waiting animation runs, whether the connection thread
    // calls, the calls and what arrives.
    const std::tuple<bool, bool, const char*, const char*> cases[] = {
        // A stop with nothing running is left out; a start always arrives, as
        // it locks input; the dialog requests are posted.
        {false, false, "stop connecting unlock NEXT signal relayout advisory prompt",
         "animation0,1 unlock0,0 label20,4 signal3,0 relayout0,0 | advisory1,5 prompt1,9"},
        {true, false, "stop", "animation1,0"},
        // From the connection thread, a stop of the waiting animation waits
        // for what ends the record: a start of the waiting one begins the
        // lock anew, a start of the other kind follows.
        {true, true, "stop start", "animation1,0 animation1,1"},
        {true, true, "stop connecting", "animation1,0 animation0,1"},
        // A held record crosses once, at its end, with its work in the order
        // asked; what it posts comes after. Its second stop sends the held one.
        {false, true, "hold unlock advisory NEXT GO start stop stop do",
         "held0,1 unlock0,0 label20,4 label20,2 animation1,1 animation1,0 advisory1,5"},
    };
    for (const auto& [running, fromConnectionThread, calls, delivered] : cases)
        EXPECT_EQ(run(running, fromConnectionThread, calls), delivered) << calls;

    // Work posted and not yet done goes before work sent after it, whichever
    // message comes first.
    gRecordHeld = false;
    EXPECT_EQ(run(false, true, "hold unlock post hold NEXT do"), "unlock0,0 label20,4");

    // Renewed while its picture is still hidden, the lock needs no message;
    // once the picture shows, the lock begins anew, hidden.
    CLockAnimation animation(window, instance);
    animation.Start(kHost);
    port.SetLockAnimation(&animation);
    EXPECT_EQ(run(true, true, "stop start"), "");
    animation.Reposition();
    EXPECT_EQ(run(true, true, "stop start"), "animation1,0 animation1,1");
    port.SetLockAnimation(nullptr);
    animation.Stop();

    DestroyWindow(window);
}

}  // namespace
