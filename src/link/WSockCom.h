#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "link/HostLookUp.h"
#include "platform/Icmp.h"
#include "platform/Sockets.h"

// The one TCP link to the host. Messages to the host are the terminal id in
// decimal (none for id 0), the text, and the terminator 0xFF 0xEF.
//
// One thread owns the link: it connects, receives and closes. Any thread may
// send, and any thread may shut the link down, which ends the owner's waits
// and every send at once but leaves the socket open: only the owner closes
// it, when no other thread can be using its number.
class WSockCom {
public:
    explicit WSockCom(CHostLookUp::LookUp lookUp = LookUpHost) : lookUp(std::move(lookUp)) {}
    virtual ~WSockCom();
    WSockCom(const WSockCom&) = delete;
    WSockCom& operator=(const WSockCom&) = delete;

    // host: a dotted IPv4 address or a host name. Shutdown ends a connect
    // under way, also while the name is being looked up; stop, set before
    // Shutdown is called, ends one that has not begun yet.
    bool Connect(const char* host, uint16_t port, const std::atomic<int32_t>* stop = nullptr);
    // The IPv4 address in network byte order, or 0. Waits for the resolver.
    uint32_t Resolve(const char* host);
    // Sends one message; the text ends at its first NUL. Safe from several
    // threads: whole messages never interleave. A failure shuts the link
    // down, and so does a host that takes nothing for a few seconds while the
    // message does not fit the buffers.
    bool Send(int32_t terminalId, std::string_view text);
    // From here until SendHeld, this thread's messages are gathered and go
    // out together then, in one send where they fit; another thread's
    // message sends them first, so that the order on the wire is kept.
    void HoldSends();
    // Sends what was gathered and ends the gathering; false when that
    // failed, which shuts the link down as a failed Send does.
    bool SendHeld();
    // Waits up to timeoutSeconds and reads what arrived, raw as the host sent
    // it (0xFF doubled): the record cutter undoes the doubling. Returns the
    // byte count, 0 when the link is closed, shut down or broken, -1 on
    // time-out. beforeWait, if given, is called when nothing has arrived,
    // just before the wait.
    int Receive(unsigned char* buffer, size_t size, int timeoutSeconds,
                const std::function<void()>& beforeWait = {});
    // The owner's: whether the last Receive found the host's orderly end.
    bool HostClosed() const { return hostClosed; }
    // From any thread: ends the owner's waits and every send, now and until
    // the owner closes the link.
    void Shutdown();
    // The owner's: true when there was nothing to close or it closed cleanly.
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
    // The look-up runs on a thread of its own that Shutdown gives up on.
    uint32_t ResolveUnlessStopped(const char* host, const std::atomic<int32_t>* stop,
                                  int32_t& error);
    bool ConnectUnlessWoken(SocketHandle s, uint32_t address, uint16_t port, int32_t& error);
    bool SendPiece(SocketHandle s, std::string_view piece);
    // Under sendLock: sends the gathered messages, in pieces.
    bool SendGathered(SocketHandle s);
    // Under sendLock: a link that failed a send ends.
    bool SendFailed();

    CHostLookUp::LookUp lookUp;
    // The connected socket; invalid while a connect is under way, so that
    // sends find no link until it is there.
    std::atomic<SocketHandle> socket{kInvalidSocket};
    // Made at the first connect, freed with the link.
    std::atomic<SocketHandle> wake{kInvalidSocket};
    // Set with the wake, cleared with it: sends and receives that need not
    // wait look at this, not at the wake.
    std::atomic<bool> shutDown{false};
    std::mutex lookupLock;
    std::shared_ptr<CHostLookUp> lookup;  // the one under way, under lookupLock
    std::atomic<int32_t> lastError{0};
    bool hostClosed = false;  // the owner's alone
    uint32_t hostAddress = 0;
    bool echoSent = false;             // the last ping got past resolving its host
    std::atomic<int> pieceSize{2000};  // the smaller of the send buffer and 2000
    CEchoReply reply;
    // Held for a whole message, and by Close while it takes the socket.
    std::mutex sendLock;
    // Under sendLock: the thread whose messages are gathered, and those messages.
    std::thread::id gatherer;
    std::string gathered;
};

// One message as it goes on the wire: the terminal id in decimal (none for
// id 0), the text up to its first NUL, the terminator.
std::string WireMessage(int32_t terminalId, std::string_view text);
// The send calls of one message, in order, for the given piece size: the
// whole message in one when it fits, else the prefix with the first piece of
// text, the further pieces, and the terminator on its own.
std::vector<std::string> SendPieces(int32_t terminalId, std::string_view text, int pieceSize);
