#include "link/Session.h"

#include <ctime>
#include <functional>

#include "config/Settings.h"
#include "link/RecordCutter.h"
#include "platform/TextCodec.h"
#include "protocol/Interpreter.h"
#include "screen/TerminalState.h"

namespace {

constexpr size_t kReadBlock = 8192;
constexpr int kReadTimeoutSeconds = 5;
// Reads whose answers may go out together while the host streams.
constexpr int kGatheredReads = 8;

int32_t UtcSecond() {
    return static_cast<int32_t>(std::time(nullptr) % 60);
}

}  // namespace

CSession::CSession(CTerminalState& terminal, CSettings& settings)
    : responses(terminal, settings, *this),
      input(terminal, responses),
      terminal(terminal),
      settings(settings) {}

CSession::~CSession() {
    Stop();
}

void CSession::StartConnection() {
    if (threadRunning) return;
    if (connectionThread.joinable()) connectionThread.join();
    stopRequested = 0;
    threadRunning = true;
    connectionThread = std::thread(&CSession::ConnectionThread, this);
}

void CSession::Stop() {
    stopRequested = 1;
    // The connection thread closes the link itself once it has left it.
    link.Shutdown();
    while (threadRunning) terminal.port.ServeSentMessages();
    if (connectionThread.joinable()) connectionThread.join();
}

bool CSession::Send(std::string_view message) {
    return SendToHost(terminal.terminalId, message);
}

bool CSession::SendToHost(int32_t terminalId, std::string_view text) {
    // Traced before it goes, so that the host's answer cannot come first.
    trace.Out(terminalId, text);
    if (link.Send(terminalId, text)) return true;
    trace.SendFailed();
    return false;
}

void CSession::SendHeld() {
    if (!link.SendHeld()) trace.SendFailed();
}

void CSession::Interpret(const unsigned char*& p, const unsigned char* e) {
    CInterpreter interpreter(terminal, settings, responses, p, e);
    interpreter.Run();
    p = e;
}

void CSession::ConnectionThread() {
    if (terminal.port.state.BeginRecord(stopRequested)) {
        terminal.port.HoldWindowWork();
        terminal.port.StartLockAnimation(LockAnimationKind::Connecting);
        terminal.screenCols = settings.ScreenCols();
        terminal.screenRows = settings.ScreenRows();
        for (int i = 0; i < terminal.pages->Count(); ++i) {
            CPage& page = terminal.pages->PageAt(i);
            if (page.pageWindow) terminal.port.RelayoutPage(page);
        }
        // The first "I" need not wait for the window thread to be free.
        terminal.port.PostHeldWindowWork();
        terminal.port.state.EndRecord();
    }
    terminal.terminalId = settings.TerminalId();
    std::string host = EncodeText(settings.HostName(), false);
    uint16_t hostPort = static_cast<uint16_t>(settings.HostPort());

    trace.Connecting(host, hostPort);
    if (link.Connect(host.c_str(), hostPort, &stopRequested)) {
        trace.Connected();
        connected = true;
        terminal.connectSecond = UtcSecond();
        Send("I");
        trace.Disconnected(ReadRecords());
        connected = false;
        if (!stopRequested) Send("&");
        link.Close();
    } else if (stopRequested) {
        trace.Disconnected("stopped");
    } else {
        trace.ConnectFailed(link.LastError());
    }
    terminal.port.ReportSessionEnded(stopRequested != 0);
    threadRunning = false;
}

std::string_view CSession::ReadRecords() {
    CRecordCutter cutter;
    // A host that has sent more behind a record is not waiting for its
    // answers: they are gathered, and go out together, in one send, when the
    // link finds nothing more to read, at least every few reads so that a
    // host that never pauses still hears from the terminal, and before the
    // answers to a record that may be awaited, the last one of its read.
    int gatheredReads = 0;
    const std::function<void()> answer = [this, &gatheredReads] {
        SendHeld();
        gatheredReads = 0;
    };
    auto onRecord = [this, &cutter, &answer](const unsigned char* record, size_t size) {
        trace.In(record, size);
        if (cutter.MoreFollows()) {
            link.HoldSends();
        } else {
            answer();
        }
        HandleRecord(record, record + size);
    };
    std::string_view ended = "stopped";
    unsigned char block[kReadBlock];
    while (!stopRequested) {
        int got = link.Receive(block, sizeof block, kReadTimeoutSeconds, answer);
        if (got < 0) continue;
        if (got == 0) {
            if (!stopRequested) ended = link.HostClosed() ? "closed by host" : "broken";
            break;
        }
        if (!cutter.Feed(block, static_cast<size_t>(got), onRecord)) {
            ended = "record too long";
            break;
        }
        if (++gatheredReads == kGatheredReads) answer();
    }
    // A host that has closed its side may still read what its last records made.
    answer();
    return ended;
}

void CSession::HandleRecord(const unsigned char* p, const unsigned char* e) {
    if (!terminal.port.state.BeginRecord(stopRequested)) return;
    terminal.port.HoldWindowWork();
    while (p < e) {
        switch (*p) {
            case 0xFF:
                // The terminator itself is acknowledged, without terminal id.
                if (e - p >= 2 && p[1] == 0xEF) {
                    ++p;
                    SendToHost(0, "");
                }
                ++p;
                break;
            case 'A':
                Send("I");
                p += e - p >= 2 ? 2 : 1;
                break;
            case 'H':
                Send("H");
                ++p;
                Interpret(p, e);
                break;
            case 'I':
                terminal.Reset(UtcSecond());
                ++p;
                terminal.CloseOpenDialog();
                break;
            default:
                ++p;
                break;
        }
    }
    if (terminal.AwaitingHost()) {
        terminal.port.StartLockAnimation(LockAnimationKind::AwaitingHost);
    } else {
        terminal.port.StopLockAnimation(LockAnimationKind::AwaitingHost);
    }
    terminal.port.DoHeldWindowWork();
    terminal.port.state.EndRecord();
    terminal.port.YieldToInput();
}
