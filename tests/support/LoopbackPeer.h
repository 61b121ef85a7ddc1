#pragma once

#include <cstdint>
#include <string>

#include "platform/Sockets.h"

// The host's end of a loopback TCP connection, for link tests: listens on
// 127.0.0.1 on a free port, accepts one terminal at a time, writes raw bytes
// and reads with a time-out of 30 seconds. Blocking calls, one thread.
class CLoopbackPeer {
public:
    // silent: the listener's queue is kept full by a connection of the peer's
    // own that is never accepted, so a connect to it waits without an answer,
    // as to a host that never answers.
    explicit CLoopbackPeer(bool silent = false);
    ~CLoopbackPeer();

    bool Listening() const { return listener != kNone; }
    uint16_t Port() const { return port; }
    bool Accept();
    bool Write(const std::string& bytes);
    // Up to and including the next 0xFF 0xEF; shorter after a time-out or the end.
    std::string ReadMessage();
    // True when the terminal closed the connection within the time-out.
    bool ReadsEnd();
    void Close();
    // Ends the host's sending side and keeps reading.
    void EndWriting();
    // Closes with a reset instead of an orderly end.
    void Reset();

private:
    static constexpr intptr_t kNone = -1;
    // Appends what arrives to pending; false after a time-out or at the end.
    bool ReadMore();

    // Winsock counts its starts: the peer's own keeps it up while it lives.
    CSocketsStarted sockets;
    intptr_t listener = kNone;
    intptr_t connection = kNone;
    intptr_t queued = kNone;  // a silent peer's own connection
    uint16_t port = 0;
    std::string pending;  // read, not yet taken
    bool ended = false;
};
