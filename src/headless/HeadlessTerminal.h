#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "headless/FieldInputs.h"
#include "headless/HeadlessPort.h"
#include "link/Session.h"
#include "platform/SerialLine.h"
#include "screen/TerminalState.h"

class CSettings;

// What a command gives back: data lines, and an error text unless it held.
struct CReply {
    std::vector<std::string> data;
    std::string error;

    static CReply Error(std::string why) { return {{}, std::move(why)}; }
};

// What a wait waits for.
enum class WaitFor { Unlock, Text, Dialog, Connected };

// The terminal without windows: the session, the pages and the operator's
// actions, each taken in the window side's turn exactly as the Windows
// terminal's windows take them. After the connection ends it connects again
// a second later, as the main window does.
class CHeadlessTerminal {
public:
    explicit CHeadlessTerminal(CSettings& settings);
    ~CHeadlessTerminal();
    CHeadlessTerminal(const CHeadlessTerminal&) = delete;
    CHeadlessTerminal& operator=(const CHeadlessTerminal&) = delete;

    CSession& Session() { return *session; }
    void Start();

    // "L" or "U", then the page shown, the current field, the open dialog
    // and the link.
    std::string Status();
    CReply Screen();
    CReply Fields();
    CReply Type(const std::u16string& text);
    CReply Key(const std::string& name);
    CReply Click(int field);
    CReply ToolBar(const std::string& name);
    CReply AnswerAdvisory();
    CReply AnswerPrompt(const std::u16string& answer, bool ok);
    CReply Dialog();
    CReply Scan(const std::u16string& text);
    CReply Wait(WaitFor what, const std::u16string& text, std::chrono::milliseconds most);
    // Text anywhere on the page shown, or at a row and column when row >= 0.
    CReply Expect(const std::u16string& text, int row, int column);

private:
    bool Locked() const;
    CPage* ShownPage() const;
    std::vector<std::u16string> ScreenNow() const;
    bool Holds(WaitFor what, const std::u16string& text);
    void Supervise();

    CSettings& settings;
    CHeadlessPort port;
    std::unique_ptr<CTerminalState> terminal;
    std::unique_ptr<CSession> session;
    std::unique_ptr<CFieldInputs> inputs;
    CSerialInputFramer scanFramer;

    std::mutex endLock;
    std::condition_variable endSignal;
    bool ended = false;
    bool endedStopped = false;
    bool quitting = false;
    std::thread supervisor;
};
