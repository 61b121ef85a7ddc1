#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "platform/WindowPort.h"

// A window port for tests, benchmarks and fuzz targets, safe to call from
// several threads: it hands out fake window handles and records every call
// as one line named after it, with the page or field number it is about,
// such as "unlock input", "place page2 show", "focus field5" or
// "serial out 0A41". RefreshPage does what the page window does: it makes
// the field windows.
class CRecordingPort : public CWindowPort {
public:
    CRecordingPort() = default;
    CRecordingPort(const CRecordingPort&) = delete;
    CRecordingPort& operator=(const CRecordingPort&) = delete;

    // A fresh handle for the main window.
    WindowHandle RegisterMainWindow() { return NewHandle(); }

    // Whether CreatePageWindow and MakeFieldWindow hand out windows or null.
    void SetMakePageWindows(bool make) { makePageWindows = make; }
    void SetMakeFieldWindows(bool make) { makeFieldWindows = make; }
    // Counts calls without formatting anything (for benchmarks).
    void SetCountOnly(bool countOnly) { onlyCount = countOnly; }

    // A copy: the connection thread may be recording meanwhile.
    std::vector<std::string> Events() const;
    size_t CallCount() const { return calls; }
    // Waits until an event starting with prefix has been recorded (at any
    // time since the last Clear); false after the time-out.
    bool WaitFor(const std::string& prefix, int timeoutSeconds = 30) const;
    void Clear();

    void StartLockAnimation(LockAnimationKind kind) override;
    void StopLockAnimation(LockAnimationKind kind) override;
    void UnlockInput() override;
    void AskForAdvisory(int focusField) override;
    void AskForPrompt(int answerLength) override;
    void OfferLabel(int slot) override;
    void SignalDevice(int value) override;
    void RelayoutAll() override;
    void SendToSerialPort(const std::string& bytes) override;
    void ReportSessionEnded(bool stopped) override;
    void CloseDialog(WindowHandle dialog) override;
    void PlaySound(SoundEventKind kind) override;
    // Nothing waits in a call here; it only yields.
    void ServeSentMessages() override;
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
    void UnbindFieldWindow(CField& field) override;

private:
    WindowHandle NewHandle();
    // Counts the call; true when it is to be recorded.
    bool Count();
    void Record(std::string event);

    mutable std::mutex lock;
    mutable std::condition_variable recorded;
    std::vector<std::string> events;
    std::atomic<uintptr_t> handlesMade{0};
    std::atomic<size_t> calls{0};
    bool makePageWindows = true;
    bool makeFieldWindows = true;
    bool onlyCount = false;
};
