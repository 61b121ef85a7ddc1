#pragma once

#include <cstdint>
#include <string>

#include "platform/Sockets.h"

// The host's end of a loopback TCP connection, for link tests: listens on
// 127.0.0.1 on a free port, accepts one terminal at a time, writes raw bytes
// and reads with time-outs. Blocking calls, one thread.
class CLoopbackPeer {
public:
    // backlog: how many connections the listener queues before accepting.
    explicit CLoopbackPeer(int backlog = 4);
    ~CLoopbackPeer();
    CLoopbackPeer(const CLoopbackPeer&) = delete;
    CLoopbackPeer& operator=(const CLoopbackPeer&) = delete;

    bool Listening() const { return listener != kNone; }
    uint16_t Port() const { return port; }
    bool Accept(int timeoutSeconds = 30);
    // With backlog 0: queues one connection of the peer's own that is never
    // accepted, so the queue is full and a connect to the peer waits
    // without an answer, as to a host that never answers.
    bool FillAcceptQueue();
    bool Write(const std::string& bytes);
    // Reads until the bytes so far hold count bytes; returns what was read
    // (shorter after a time-out or the end of the connection).
    std::string Read(size_t count, int timeoutSeconds = 30);
    // Reads one message: up to and including the next 0xFF 0xEF.
    std::string ReadMessage(int timeoutSeconds = 30);
    // True when the terminal closed the connection within the time-out.
    bool ReadsEnd(int timeoutSeconds = 30);
    void Close();
    // Ends the host's sending side and keeps reading.
    void EndWriting();
    // Closes with a reset instead of an orderly end.
    void Reset();

private:
    static constexpr intptr_t kNone = -1;
    // The next byte within the time-out; false at the end or time-out.
    bool ReadByte(char& byte, int timeoutSeconds);

    // Winsock counts its starts: the peer's own keeps it up while it lives.
    CSocketsStarted sockets;
    intptr_t listener = kNone;
    intptr_t connection = kNone;
    intptr_t queued = kNone;  // FillAcceptQueue's connection
    uint16_t port = 0;
    std::string pending;  // read from the socket, not yet taken from pendingAt on
    size_t pendingAt = 0;
    bool ended = false;
};
