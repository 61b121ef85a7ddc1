#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/WindowPort.h"
#include "toolbar/ToolBarKeys.h"

class CFieldInputs;
class COperatorInput;
class CTerminalState;

// The dialog the host asked for, as the headless terminal keeps it open.
enum class HostDialog { None, Advisory, Prompt };

// The window side without windows. The connection thread's window work is
// held to the end of its record and done there, in the order asked for, as
// the Windows build does it on its window thread; the console's commands
// take the state for their turn, so the window side's own state here (the
// focus, which page takes input, the open dialog and the toolbar's keys) is
// only ever touched by the state's owner.
class CHeadlessPort : public CWindowPort {
public:
    CHeadlessPort() = default;
    CHeadlessPort(const CHeadlessPort&) = delete;
    CHeadlessPort& operator=(const CHeadlessPort&) = delete;

    // What the port needs of the rest: set once, before the session starts.
    void Attach(CTerminalState& state, CFieldInputs& fieldInputs, COperatorInput& input);
    // Called on the connection thread when the session has ended.
    void SetSessionEndedHandler(std::function<void(bool stopped)> handler) {
        sessionEnded = std::move(handler);
    }

    // With the state taken.
    HostDialog OpenDialog() const { return dialog; }
    const CToolBarKeys& ToolBar() const { return toolBarKeys; }
    // The field that has the focus, on the page whose window has it; null
    // when a page window or nothing has it.
    CField* FocusedField() const;
    // The operator clicks the field's window: it takes the focus.
    void ClickFocus(CField& field);
    // The focus goes to no window, as when the connection ends.
    void DropFocus();
    // The open dialog ends: answered with OK, or cancelled.
    void EndDialog(bool ok, const std::u16string& answer = {});

    // Waits until the state may have changed, or the time runs out.
    void WaitForChange(std::chrono::milliseconds most);

    void StartLockAnimation(LockAnimationKind kind) override;
    void StopLockAnimation(LockAnimationKind kind) override;
    void UnlockInput() override;
    void AskForAdvisory(int focusField) override;
    void AskForPrompt(int answerLength) override;
    void OfferLabel(int slot, const std::u16string& text) override;
    void SignalDevice(int) override {}
    void RelayoutAll() override {}
    void SendToSerialPort(const std::string&) override {}
    void ReportSessionEnded(bool stopped) override;
    void CloseDialog(WindowHandle dialog) override;
    void PlaySound(SoundEventKind) override {}
    void ServeSentMessages() override;
    bool InCallFromAnotherThread() override { return false; }
    void HoldWindowWork() override;
    void DoHeldWindowWork() override;
    void PostHeldWindowWork() override { DoHeldWindowWork(); }
    void YieldToInput() override {}

    WindowHandle CreatePageWindow(CPage& page, WindowHandle parent) override;
    void RefreshPage(CPage& page) override;
    void PlacePageWindow(CPage& page, bool show) override;
    void RelayoutPage(CPage&) override {}
    void FocusPage(CPage& page) override;
    void UnbindPageWindow(CPage&) override {}
    WindowHandle MakeFieldWindow(CField& field) override;
    void RaiseFieldWindow(CField&) override {}
    void FocusField(CField& field) override;
    void CloseFieldWindow(CField& field) override;

private:
    using Work = std::function<void()>;
    // Held work waits for the record's end; other work is done at once.
    void Do(Work work);
    // Work the Windows build posts, done after the record's held work.
    void Post(Work work);
    void NotifyChanged();

    // Which window has the focus: a field's, by page and number, a page's
    // (field -1), or none (page null).
    struct CFocus {
        CPage* page = nullptr;
        int field = -1;
        bool operator==(const CFocus&) const = default;
    };
    void SetFocus(CFocus target);
    void Lock();
    void OpenHostDialog(HostDialog kind, int parameter);

    CTerminalState* terminal = nullptr;
    CFieldInputs* inputs = nullptr;
    COperatorInput* input = nullptr;
    std::function<void(bool)> sessionEnded;

    std::thread::id holder;
    std::vector<Work> held;
    std::vector<Work> posted;

    CFocus focus;
    // The page that takes input: only the host's release enables one.
    CPage* enabledPage = nullptr;
    HostDialog dialog = HostDialog::None;
    int dialogParameter = 0;
    CToolBarKeys toolBarKeys;

    std::mutex changeLock;
    std::condition_variable changed;
    unsigned changes = 0;
};
