#pragma once

#include <atomic>

#include "platform/WindowPort.h"

// The window work of the screen model and the interpreter, done with the
// Win32 message functions. The connection thread calls it, so it reaches
// windows only through SendMessageW and PostMessageW.
class CWin32WindowPort : public CWindowPort {
public:
    CWin32WindowPort() = default;
    CWin32WindowPort(const CWin32WindowPort&) = delete;
    CWin32WindowPort& operator=(const CWin32WindowPort&) = delete;

    intptr_t SendMsg(WindowHandle window, unsigned message, uintptr_t wParam,
                     intptr_t lParam) override;
    bool PostMsg(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) override;
    void SendBytes(WindowHandle window, unsigned message, const std::string& bytes) override;
    void PlaySound(SoundEventKind kind) override;
    void ServeSentMessages() override;

    WindowHandle CreatePageWindow(CPage& page, WindowHandle parent) override;
    void RefreshPage(CPage& page) override;
    void PlacePageWindow(CPage& page, bool show) override;
    void UnbindPageWindow(CPage& page) override;
    WindowHandle MakeFieldWindow(CField& field) override;
    void RaiseFieldWindow(CField& field) override;
    void CloseFieldWindow(CField& field) override;
    void UnbindFieldWindow(CField& field) override;

    // The main window thread says whether a lock animation runs after every
    // start or stop, so that other threads can leave out stops that would
    // change nothing.
    void SetAnimationRunning(bool running) { animationRunning = running; }

private:
    std::atomic<bool> animationRunning{false};
};
