#pragma once

#include <cstdint>

// The few socket calls the link needs: Winsock 1.1 in the Windows build, BSD
// sockets natively. Addresses are IPv4 in network byte order.

using SocketHandle = intptr_t;
constexpr SocketHandle kInvalidSocket = -1;
constexpr uint32_t kNoAddress = 0xFFFFFFFF;  // what inet_addr gives for bad text

// Winsock must be started once per process before any other call; natively
// these do nothing. Winsock counts its starts: each start needs its stop.
bool StartSockets();
void StopSockets();

// Sockets started for as long as this lives, stopped if the start succeeded.
class CSocketsStarted {
public:
    CSocketsStarted() : started(StartSockets()) {}
    ~CSocketsStarted() {
        if (started) StopSockets();
    }
    CSocketsStarted(const CSocketsStarted&) = delete;
    CSocketsStarted& operator=(const CSocketsStarted&) = delete;
    explicit operator bool() const { return started; }

private:
    bool started;
};

// The error code of the calling thread's last failed socket call.
int LastSocketError();

// A blocking TCP stream socket, or kInvalidSocket.
SocketHandle OpenStreamSocket();
// Closing resets the connection at once instead of lingering.
void SetResetOnClose(SocketHandle socket);
// Sends every small message at once instead of waiting for the peer's
// acknowledgement of the previous one.
void SetNoDelay(SocketHandle socket);
bool SendBufferSize(SocketHandle socket, int& size);
// A connect that blocks until it ends.
bool ConnectSocket(SocketHandle socket, uint32_t address, uint16_t port);
// A connect that returns at once: false when it failed already. WaitSocket
// for writing tells when it has ended, FinishConnect how. The socket stays
// non-blocking: a send or receive that would wait fails, and WouldBlock says so.
bool StartConnect(SocketHandle socket, uint32_t address, uint16_t port);
bool FinishConnect(SocketHandle socket);
// The byte count, or -1 on failure.
int SendOnSocket(SocketHandle socket, const char* bytes, int n);
// Whether the calling thread's last failed call on a non-blocking socket
// would have had to wait.
bool WouldBlock();
int ReceiveOnSocket(SocketHandle socket, char* buffer, int size);
// Frees the socket. Nothing ends a call another thread has under way on it,
// and its number may be handed out again at once: only the thread that
// alone uses the socket may close it.
bool CloseSocket(SocketHandle socket);

// Neither closing nor shutting a socket down ends a select on it under
// Winsock, so the waits of a link also watch a wake socket: a loopback
// datagram socket that any thread wakes. It stays woken until cleared.
SocketHandle OpenWakeSocket();
void Wake(SocketHandle wake);
void ClearWakes(SocketHandle wake);

enum class SocketWait { Ready, TimedOut, Woken, Failed };
// Waits up to milliseconds (a negative number: without limit) until the
// socket is readable, or writable or done connecting when forWriting, or
// until wake (kInvalidSocket for none) is woken.
SocketWait WaitSocket(SocketHandle socket, bool forWriting, SocketHandle wake, int milliseconds);
// 1 readable, 0 time-out, -1 failure.
inline int WaitReadable(SocketHandle socket, int seconds) {
    SocketWait ended = WaitSocket(socket, false, kInvalidSocket, seconds * 1000);
    return ended == SocketWait::Ready ? 1 : ended == SocketWait::TimedOut ? 0 : -1;
}

// inet_addr: kNoAddress for text that is no dotted address.
uint32_t ParseAddress(const char* host);
// The first IPv4 address of the host name, or 0. May take as long as the
// resolver does.
uint32_t LookUpHost(const char* host);
