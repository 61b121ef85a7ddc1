#pragma once

#include <cstddef>
#include <string>

#include "protocol/RecordReader.h"

class CPage;
class CResponder;
class CSettings;
class CTerminalState;

// Runs the commands of one host-data record against the terminal state, then
// brings the screen up to date in one step. Lives for one record.
class CInterpreter {
public:
    CInterpreter(CTerminalState& terminal, CSettings& settings, CResponder& responder,
                 const unsigned char* p, const unsigned char* e);
    CInterpreter(const CInterpreter&) = delete;
    CInterpreter& operator=(const CInterpreter&) = delete;

    void Run();

    // Used by the command groups.
    CTerminalState& terminal;
    CSettings& settings;
    CResponder& responder;
    CRecordReader reader;
    // A command changed fields or the focus: refresh and show the display page.
    bool refreshPending = false;
    // "o" plays the Normal sound while set.
    bool positionBeep = true;

    CPage* CurrentPage() const;
    // Host text comes in UTF-8 or in the ANSI code page, as the settings say.
    bool HostTextIsUTF8() const;
    std::u16string DecodeHostText(const unsigned char* bytes, size_t n) const;

private:
    void Dispatch(unsigned char command);
    // Skips a count (short or long number) and the text that follows it,
    // which always occupies at least one byte.
    void SkipCountedText(bool longCount);
    void SkipUpToPageEnd();
    void EndOfRecord();
};
