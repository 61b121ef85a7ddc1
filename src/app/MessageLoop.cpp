#include "app/MessageLoop.h"

#include "app/MessageFilter.h"

bool CMessageLoop::FilterMessage(const MSG& message) {
    return filter && filter->FilterMessage(message);
}

int CMessageLoop::Run() {
    for (;;) {
        if (onIdle) onIdle();
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) break;
        if (got == -1) continue;
        if (FilterMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
