#pragma once

#include <windows.h>

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
    // Runs until WM_QUIT and returns its wParam.
    int Run();

private:
    CMessageFilter* filter = nullptr;
    MSG msg = {};
};
