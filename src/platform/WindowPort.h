#pragma once

#include <cstdint>
#include <string>

#include "platform/SoundEventKind.h"

class CField;
class CPage;

// An opaque window handle: an HWND in the Windows build, a token in tests.
using WindowHandle = void*;

// Everything the screen model and the interpreter ask of windows and sounds.
// The Windows build implements it with SendMessageW/PostMessageW and the
// window functions; tests implement it with a recorder. The interpreter calls
// it from the connection thread, so every call must be safe from there.
class CWindowPort {
public:
    virtual ~CWindowPort() = default;

    // Synchronous message (SendMessageW): returns the receiver's result.
    virtual intptr_t SendMsg(WindowHandle window, unsigned message, uintptr_t wParam,
                             intptr_t lParam) = 0;
    // Queued message (PostMessageW).
    virtual bool PostMsg(WindowHandle window, unsigned message, uintptr_t wParam,
                         intptr_t lParam) = 0;
    // Sends a heap block holding the bytes, wParam = their count; the receiver
    // owns and frees the block (UM_SERIALOUT).
    virtual void SendBytes(WindowHandle window, unsigned message, const std::string& bytes) = 0;

    virtual void PlaySound(SoundEventKind kind) = 0;

    // Runs the synchronous messages other threads wait on, waiting a short
    // while for one. The window thread calls it while it waits for the
    // connection thread, which may itself be waiting in SendMsg.
    virtual void ServeSentMessages() = 0;

    // The page window for a new page, or null when page windows cannot be made.
    virtual WindowHandle CreatePageWindow(CPage& page, WindowHandle parent) = 0;
    // Invalidates the page window without erasing and sends it UM_REFRESHPAGE.
    virtual void RefreshPage(CPage& page) = 0;
    // Shows the page window above its siblings (below the lock animation when
    // that is the first child) or hides it at the bottom of the z-order.
    virtual void PlacePageWindow(CPage& page, bool show) = 0;
    // Clears the page window's link to its page record, which is about to go.
    virtual void UnbindPageWindow(CPage& page) = 0;

    // Creates the field's window on its page window; null when none is made.
    virtual WindowHandle MakeFieldWindow(CField& field) = 0;
    // Moves the field's window to the top of its siblings without redrawing.
    virtual void RaiseFieldWindow(CField& field) = 0;
    // Hides and unbinds the field's live window and has the page window close it.
    virtual void CloseFieldWindow(CField& field) = 0;
    // Clears the field window's link to its field record, which is about to go.
    virtual void UnbindFieldWindow(CField& field) = 0;
};
