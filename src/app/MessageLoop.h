#pragma once

#include <windows.h>

#include <functional>
#include <utility>

class CMessageFilter;

// The main thread's message loop with one optional filter.
class CMessageLoop {
public:
    CMessageLoop() = default;
    virtual ~CMessageLoop() = default;
    CMessageLoop(const CMessageLoop&) = delete;
    CMessageLoop& operator=(const CMessageLoop&) = delete;

    virtual bool FilterMessage(const MSG& message);
    void SetFilter(CMessageFilter* messageFilter) { filter = messageFilter; }
    void ClearFilter() { filter = nullptr; }
    // Called whenever the loop is about to wait for the next message.
    void SetIdleHandler(std::function<void()> handler) { onIdle = std::move(handler); }
    // Runs until WM_QUIT and returns its wParam.
    int Run();

private:
    CMessageFilter* filter = nullptr;
    std::function<void()> onIdle;
    MSG msg = {};
};
