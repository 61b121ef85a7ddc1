#pragma once

#include <cstddef>
#include <string>

class CHostSender;
class CSettings;
class CTerminalState;

// The terminal's responses to the host, built from the terminal state.
// Key, field and prompt responses lock input until the host answers.
class CResponder {
public:
    CResponder(CTerminalState& terminal, const CSettings& settings, CHostSender& sender)
        : terminal(terminal), settings(settings), sender(sender) {}
    CResponder(const CResponder&) = delete;
    CResponder& operator=(const CResponder&) = delete;

    void SendStatus();
    void SendKey(int key);
    void SendFieldComplete();
    void SendPromptAnswer();
    void SendPortData(const unsigned char* bytes, size_t n);

private:
    std::string CurrentFieldData();

    CTerminalState& terminal;
    const CSettings& settings;
    CHostSender& sender;
};
