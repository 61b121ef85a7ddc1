#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Handles_win.h"
#include "platform/WindowPort.h"

class CLockAnimation;

// The window work of the screen model and the interpreter, done with the
// Win32 message functions. The connection thread calls it, so it reaches
// windows only through SendMessageW and PostMessageW, and while it holds
// window work, through one message at the end of a record.
class CWin32WindowPort : public CWindowPort {
public:
    explicit CWin32WindowPort(WindowHandle mainWindow) : mainWindow(mainWindow) {}
    CWin32WindowPort(const CWin32WindowPort&) = delete;
    CWin32WindowPort& operator=(const CWin32WindowPort&) = delete;

    void StartLockAnimation(LockAnimationKind kind) override;
    void StopLockAnimation(LockAnimationKind kind) override;
    void UnlockInput() override;
    void AskForAdvisory(int focusField) override;
    void AskForPrompt(int answerLength) override;
    void OfferLabel(int slot, const std::u16string& text) override;
    void SignalDevice(int value) override;
    void RelayoutAll() override;
    void SendToSerialPort(const std::string& bytes) override;
    void ReportSessionEnded(bool stopped) override;
    void CloseDialog(WindowHandle dialog) override;
    void PlaySound(SoundEventKind kind) override;
    void ServeSentMessages() override;
    bool InCallFromAnotherThread() override;
    void HoldWindowWork() override;
    void DoHeldWindowWork() override;
    void PostHeldWindowWork() override;
    void YieldToInput() override;

    WindowHandle CreatePageWindow(CPage& page, WindowHandle parent) override;
    void RefreshPage(CPage& page) override;
    void PlacePageWindow(CPage& page, bool show) override;
    void RelayoutPage(CPage& page) override;
    void FocusPage(CPage& page) override;
    void UnbindPageWindow(CPage& page) override;
    WindowHandle MakeFieldWindow(CField& field) override;
    void RaiseFieldWindow(CField& field) override;
    void FocusField(CField& field) override;
    void CloseFieldWindow(CField& field) override;

    // The main window thread says after every start or stop whether a lock
    // animation runs, and of which kind, so that other threads can leave out
    // stops that would change nothing.
    void SetAnimationRunning(bool running, LockAnimationKind kind) {
        runningKind = running ? static_cast<int>(kind) : kNone;
    }
    // The lock animation, whose hidden seconds other threads may renew.
    void SetLockAnimation(CLockAnimation* animation) { lockAnimation = animation; }
    // Does, on the window thread, the held work another thread posted, then
    // the work it sent with UM_HELDWORK, if any.
    void DoSentWork(intptr_t work);
    // The window thread has nothing left to do for now.
    void OnWindowThreadIdle();

private:
    static constexpr int kNone = -1;
    using WindowWork = std::vector<std::function<void()>>;

    void Do(std::function<void()> work);
    WindowWork EndHold();
    bool HoldingHere() const;
    bool WorkHeld() const;
    // The window thread's focus and menu state, from any thread.
    GUITHREADINFO WindowThreadInfo() const;
    void* FocusWindow() const;
    void* HeldFocusWindow();

    void Animation(LockAnimationKind kind, bool start);
    void SendAnimation(LockAnimationKind kind, bool start);
    bool OffWindowThread() const;
    bool FocusNeeded(WindowHandle page, WindowHandle target) const;

    WindowHandle mainWindow;
    CLockAnimation* lockAnimation = nullptr;
    std::atomic<int> runningKind{kNone};
    // A stop of the waiting animation that the connection thread holds back.
    std::atomic<bool> stopHeld{false};
    // The thread whose window work waits for DoHeldWindowWork, and that work:
    // only that thread touches it.
    std::atomic<unsigned long> holdingThread{0};
    WindowWork held;
    // Set while input or painting waits behind the last work sent; the
    // event is set once the window thread has done them.
    std::atomic<bool> catchingUp{false};
    CKernelObject caughtUp{CreateEventW(nullptr, TRUE, TRUE, nullptr)};
    // Work posted and not yet done, which goes before any work sent later.
    std::atomic<WindowWork*> posted{nullptr};
    // The focus window as the holding thread last saw it.
    void* heldFocus = nullptr;
    bool focusKnown = false;
    // The held work that closes windows of a page, while it is the last.
    struct ClosedWindows;
    std::shared_ptr<ClosedWindows> lastClosed;
    size_t lastClosedAt = 0;
};
