#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Icmp.h"
#include "platform/Sockets.h"

// The one TCP link to the host. Messages to the host are the terminal id in
// decimal (none for id 0), the text, and the terminator 0xFF 0xEF.
class WSockCom {
public:
    WSockCom() = default;
    virtual ~WSockCom();
    WSockCom(const WSockCom&) = delete;
    WSockCom& operator=(const WSockCom&) = delete;

    // host: a dotted IPv4 address or a host name. Close from another thread
    // ends a connect that waits for a host that never answers; so does a
    // stop flag already set when the socket is made.
    bool Connect(const char* host, uint16_t port, const std::atomic<int32_t>* stop = nullptr);
    // The IPv4 address in network byte order, or 0.
    uint32_t Resolve(const char* host);
    // Sends one message; the text ends at its first NUL. Safe from several
    // threads: whole messages never interleave. A failure closes the link.
    bool Send(int32_t terminalId, std::string_view text);
    // Waits up to timeoutSeconds and reads what arrived, raw as the host sent
    // it (0xFF doubled): the record cutter undoes the doubling. Returns the
    // byte count, 0 when the link is closed or broken, -1 on time-out.
    int Receive(unsigned char* buffer, size_t size, int timeoutSeconds);
    // True when there was nothing to close or it closed cleanly. Ends a
    // Receive blocked in another thread.
    bool Close();
    int32_t LastError() const { return lastError; }

    // One ICMP echo to the host; true when a reply with status 0 came, whose
    // round-trip time and TTL are then in Reply(). LastError() tells why not.
    bool Ping(const char* host, uint32_t timeoutMs);
    const CEchoReply& Reply() const { return reply; }
    // The text for a ping's error code.
    static std::u16string ErrorText(int32_t code);
    // Why the last ping failed. A name that did not resolve leaves a Winsock
    // code, which the echo texts would misread (host not found is 11001,
    // "Buffer too small."), so it is shown as a number.
    std::u16string PingErrorText() const;

private:
    // The connected socket; invalid while a connect is under way, so that
    // sends find no link until it is there.
    std::atomic<SocketHandle> socket{kInvalidSocket};
    // The socket of a connect under way, where Close finds it.
    std::atomic<SocketHandle> connecting{kInvalidSocket};
    std::atomic<int32_t> lastError{0};
    uint32_t hostAddress = 0;
    bool echoSent = false;  // the last ping got past resolving its host
    std::atomic<int> pieceSize{2000};
    CEchoReply reply;  // the smaller of the send buffer and 2000
    std::mutex sendLock;
};

// The send calls of one message, in order, for the given piece size: the
// whole message in one when it fits, else the prefix with the first piece of
// text, the further pieces, and the terminator on its own.
std::vector<std::string> SendPieces(int32_t terminalId, std::string_view text, int pieceSize);
