#pragma once

#include <string>

#include "platform/SoundEventKind.h"
#include "platform/StateOwner.h"

class CField;
class CPage;

// An opaque window handle: an HWND in the Windows build, a token in tests.
using WindowHandle = void*;

// What the lock animation shows: the wait for a connection or for the host's
// answer.
enum class LockAnimationKind : int { Connecting = 0, AwaitingHost = 1 };

// Everything the terminal's core asks of the window side, one call for each
// thing it wants done. The Windows build maps each call to its window message
// or window function; tests record the calls by name. The connection thread
// makes most of them, so every call must be safe from there.
class CWindowPort {
public:
    virtual ~CWindowPort() = default;

    // Who may touch the terminal's state now: the record or the window thread.
    CStateOwner state{*this};

    // The main window.
    virtual void StartLockAnimation(LockAnimationKind kind) = 0;
    virtual void StopLockAnimation(LockAnimationKind kind) = 0;
    // Takes the input lock off: the keys queued meanwhile are dropped.
    virtual void UnlockInput() = 0;
    // Asks for the Advisory dialog, whose OK puts the focus on focusField,
    // or for the prompt dialog; both show the state's dialog text.
    virtual void AskForAdvisory(int focusField) = 0;
    virtual void AskForPrompt(int answerLength) = 0;
    // The host set the text of a toolbar label slot. The text goes along:
    // the slot may change again before the window side takes it.
    virtual void OfferLabel(int slot, const std::u16string& text) = 0;
    // A signal for the device the terminal runs on.
    virtual void SignalDevice(int value) = 0;
    // The font changed: every page and field takes its new size.
    virtual void RelayoutAll() = 0;
    // Bytes for the serial feature port.
    virtual void SendToSerialPort(const std::string& bytes) = 0;
    // The connection has ended, at the window side's request when stopped.
    virtual void ReportSessionEnded(bool stopped) = 0;
    // Cancels the open Advisory or prompt dialog.
    virtual void CloseDialog(WindowHandle dialog) = 0;
    virtual void PlaySound(SoundEventKind kind) = 0;

    // Runs the synchronous calls other threads wait on, waiting a short
    // while for one. The window thread calls it while it waits for the
    // connection thread, which may itself be waiting in one of them.
    virtual void ServeSentMessages() = 0;
    // Whether this thread is doing a call another thread waits on, as the
    // window thread does the calls of the connection thread.
    virtual bool InCallFromAnotherThread() = 0;
    // From HoldWindowWork on, the window work this thread asks for waits,
    // in order, for DoHeldWindowWork, which has it all done at once: a record
    // crosses to the window thread once, however much it changes.
    virtual void HoldWindowWork() = 0;
    virtual void DoHeldWindowWork() = 0;
    // Has the held work done without waiting for it; work held later is
    // still done after it.
    virtual void PostHeldWindowWork() = 0;
    // Between records: when the window thread's keyboard or mouse input
    // waited behind the last record's work, gives it time to take it.
    virtual void YieldToInput() = 0;

    // The page window for a new page, or null when page windows cannot be made.
    virtual WindowHandle CreatePageWindow(CPage& page, WindowHandle parent) = 0;
    // Redraws the page window and has it make the windows of new and changed fields.
    virtual void RefreshPage(CPage& page) = 0;
    // Shows the page window above its siblings (below the lock animation when
    // that is the first child) or hides it at the bottom of the z-order.
    virtual void PlacePageWindow(CPage& page, bool show) = 0;
    // The page window and its fields take the current cell size.
    virtual void RelayoutPage(CPage& page) = 0;
    // The page window takes the focus, as when no field is current.
    virtual void FocusPage(CPage& page) = 0;
    // Clears the page window's link to its page record, which is about to go.
    virtual void UnbindPageWindow(CPage& page) = 0;

    // Creates the field's window on its page window, or binds a window the
    // page window kept, which keeps its place among its siblings; null when
    // none is made.
    virtual WindowHandle MakeFieldWindow(CField& field) = 0;
    // Moves the field's window to the top of its siblings without redrawing.
    virtual void RaiseFieldWindow(CField& field) = 0;
    // The field's window takes the focus, as if clicked.
    virtual void FocusField(CField& field) = 0;
    // Has the page window take the field's window back, hidden, to serve a
    // later field. The window lets go of the field once the field no longer
    // names it, which the caller sees to before the state is given up.
    virtual void CloseFieldWindow(CField& field) = 0;
};
