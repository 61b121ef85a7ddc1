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

    void StartLockAnimation(LockAnimationKind kind) override { Log("start animation", kind); }
    void StopLockAnimation(LockAnimationKind kind) override { Log("stop animation", kind); }
    void UnlockInput() override { Log("unlock input"); }
    void AskForAdvisory(int field) override { Log("ask advisory ", field); }
    void AskForPrompt(int answerLength) override { Log("ask prompt ", answerLength); }
    // Records "offer label SLOT TEXT", the text's characters below 128 only.
    void OfferLabel(int slot, const std::u16string& text) override;
    void SignalDevice(int value) override { Log("signal device ", value); }
    void RelayoutAll() override { Log("relayout all"); }
    void SendToSerialPort(const std::string& bytes) override;
    void ReportSessionEnded(bool stopped) override {
        Log(stopped ? "session stopped" : "session ended");
    }
    void CloseDialog(WindowHandle) override { Log("close dialog"); }
    void PlaySound(SoundEventKind kind) override;
    // Nothing waits in a call here; it only yields.
    void ServeSentMessages() override;
    bool InCallFromAnotherThread() override { return false; }
    // Recorded calls are kept in the order made, held or not.
    void HoldWindowWork() override {}
    void DoHeldWindowWork() override {}
    void PostHeldWindowWork() override {}
    void YieldToInput() override {}
    WindowHandle CreatePageWindow(CPage& page, WindowHandle) override {
        Log("create", page);
        return makePageWindows ? NewHandle() : nullptr;
    }
    void RefreshPage(CPage& page) override;
    void PlacePageWindow(CPage& page, bool show) override {
        Log("place", page, show ? " show" : " hide");
    }
    void RelayoutPage(CPage& page) override { Log("relayout", page); }
    void FocusPage(CPage& page) override { Log("focus", page); }
    void UnbindPageWindow(CPage& page) override { Log("unbind", page); }
    WindowHandle MakeFieldWindow(CField& field) override {
        Log("make", field);
        return makeFieldWindows ? NewHandle() : nullptr;
    }
    void RaiseFieldWindow(CField& field) override { Log("raise", field); }
    void FocusField(CField& field) override { Log("focus", field); }
    void CloseFieldWindow(CField& field) override { Log("close", field); }

private:
    // Records what, then the rest; nothing is formatted while only counting.
    void Log(const char* what, const std::string& rest = "");
    void Log(const char* what, int number);
    void Log(const char* what, LockAnimationKind kind);
    // "what pageN" or "what fieldN", then the tail.
    void Log(const char* what, const CPage& page, const char* tail = "");
    void Log(const char* what, const CField& field);
    WindowHandle NewHandle() {
        // Distinct, non-null and 16-aligned, so no odd parameter is taken for one.
        return reinterpret_cast<WindowHandle>(0x100000 + 16 * ++handlesMade);
    }

    mutable std::mutex lock;
    mutable std::condition_variable recorded;
    std::vector<std::string> events;
    std::atomic<uintptr_t> handlesMade{0};
    std::atomic<size_t> calls{0};
    bool makePageWindows = true;
    bool makeFieldWindows = true;
    bool onlyCount = false;
};
