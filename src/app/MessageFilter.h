#pragma once

#include <windows.h>

// Sees every message before it is translated and dispatched.
class CMessageFilter {
public:
    virtual ~CMessageFilter() = default;
    // True when the message was consumed.
    virtual bool FilterMessage(const MSG& msg) = 0;
};
