#pragma once

#include <string_view>

// Where responses go: the link, which puts the terminal id in front and the
// terminator behind.
class CHostSender {
public:
    virtual ~CHostSender() = default;
    virtual bool Send(std::string_view message) = 0;
};
