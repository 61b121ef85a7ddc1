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
bool ConnectSocket(SocketHandle socket, uint32_t address, uint16_t port);
// The byte count, or -1 on failure.
int SendOnSocket(SocketHandle socket, const char* bytes, int n);
int ReceiveOnSocket(SocketHandle socket, char* buffer, int size);
// 1 readable, 0 time-out, -1 failure (also when the socket was closed).
int WaitReadable(SocketHandle socket, int seconds);
// Closes the socket and wakes any thread blocked on it; false on failure.
bool CloseSocket(SocketHandle socket);

// inet_addr: kNoAddress for text that is no dotted address.
uint32_t ParseAddress(const char* host);
// The first address of the host name, or 0.
uint32_t LookUpHost(const char* host);
