#pragma once

#include <atomic>
#include <cstdint>
#include <string_view>
#include <thread>

#include "link/WSockCom.h"
#include "link/WireTrace.h"
#include "protocol/HostSender.h"
#include "protocol/OperatorInput.h"
#include "protocol/Responder.h"

class CSettings;
class CTerminalState;

// The connection to the host: the thread that connects, identifies, reads
// and cuts records and hands them to the record handler, which runs them
// against the terminal state; stop and reconnect.
class CSession : public CHostSender {
public:
    CSession(CTerminalState& terminal, CSettings& settings);
    ~CSession() override;
    CSession(const CSession&) = delete;
    CSession& operator=(const CSession&) = delete;

    // Starts the connection thread: connect, identify, read and run records
    // until the link ends, then report the end to the window side. Does
    // nothing while a connection thread runs.
    void StartConnection();
    // Ends the connection thread at once, shutting the link down under its
    // connect or read, and serves the thread's window calls until it has ended.
    void Stop();

    // Answers one record, terminator included, as the connection thread does.
    void HandleRecord(const unsigned char* p, const unsigned char* e);
    // Runs one host-data record; p ends at e.
    void Interpret(const unsigned char*& p, const unsigned char* e);

    // Sends one response with the terminal id in front.
    bool Send(std::string_view message) override;
    // From the connect until the link ends.
    bool Connected() const { return connected; }

    CResponder responses;
    // The window side's way in for the operator's keys, fields and focus.
    COperatorInput input;
    // Off unless a front end opens it before the first StartConnection.
    CWireTrace trace;

private:
    void ConnectionThread();
    // Reads and answers records until the link ends; says why it ended.
    std::string_view ReadRecords();
    // Every message to the host goes here, past the trace.
    bool SendToHost(int32_t terminalId, std::string_view text);
    // Sends the answers gathered while the host's stream ran ahead.
    void SendHeld();

    CTerminalState& terminal;
    CSettings& settings;
    WSockCom link;
    std::thread connectionThread;
    std::atomic<int32_t> stopRequested{0};
    // From StartConnection until the connection thread's last message.
    std::atomic<bool> threadRunning{false};
    std::atomic<bool> connected{false};
};
