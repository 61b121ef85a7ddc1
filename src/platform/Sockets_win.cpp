#include <winsock.h>

#include <cstring>

#include "platform/Sockets.h"

namespace {

SOCKET Native(SocketHandle socket) {
    return static_cast<SOCKET>(socket);
}

sockaddr_in Peer(uint32_t address, uint16_t port) {
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr.s_addr = address;
    peer.sin_port = htons(port);
    return peer;
}

bool SetNonBlocking(SOCKET socket) {
    u_long nonBlocking = 1;
    return ioctlsocket(socket, FIONBIO, &nonBlocking) == 0;
}

}  // namespace

bool StartSockets() {
    WSADATA data;
    return WSAStartup(0x0101, &data) == 0;
}

void StopSockets() {
    WSACleanup();
}

int LastSocketError() {
    return WSAGetLastError();
}

SocketHandle OpenStreamSocket() {
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    return s == INVALID_SOCKET ? kInvalidSocket : static_cast<SocketHandle>(s);
}

void SetResetOnClose(SocketHandle socket) {
    linger option{1, 0};
    setsockopt(Native(socket), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&option),
               sizeof option);
}

void SetNoDelay(SocketHandle socket) {
    BOOL on = TRUE;
    setsockopt(Native(socket), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on),
               sizeof on);
}

bool SendBufferSize(SocketHandle socket, int& size) {
    int length = sizeof size;
    return getsockopt(Native(socket), SOL_SOCKET, SO_SNDBUF, reinterpret_cast<char*>(&size),
                      &length) == 0;
}

bool ConnectSocket(SocketHandle socket, uint32_t address, uint16_t port) {
    sockaddr_in peer = Peer(address, port);
    return connect(Native(socket), reinterpret_cast<sockaddr*>(&peer), sizeof peer) != SOCKET_ERROR;
}

bool StartConnect(SocketHandle socket, uint32_t address, uint16_t port) {
    if (!SetNonBlocking(Native(socket))) return false;
    sockaddr_in peer = Peer(address, port);
    return connect(Native(socket), reinterpret_cast<sockaddr*>(&peer), sizeof peer) !=
               SOCKET_ERROR ||
           WSAGetLastError() == WSAEWOULDBLOCK;
}

bool FinishConnect(SocketHandle socket) {
    int error = 0;
    int length = sizeof error;
    if (getsockopt(Native(socket), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error),
                   &length) != 0) {
        return false;
    }
    if (error != 0) {
        WSASetLastError(error);
        return false;
    }
    return true;
}

int SendOnSocket(SocketHandle socket, const char* bytes, int n) {
    int sent = send(Native(socket), bytes, n, 0);
    return sent == SOCKET_ERROR ? -1 : sent;
}

bool WouldBlock() {
    return WSAGetLastError() == WSAEWOULDBLOCK;
}

int ReceiveOnSocket(SocketHandle socket, char* buffer, int size) {
    int got = recv(Native(socket), buffer, size, 0);
    return got == SOCKET_ERROR ? -1 : got;
}

bool CloseSocket(SocketHandle socket) {
    return closesocket(Native(socket)) != SOCKET_ERROR;
}

SocketHandle OpenWakeSocket() {
    SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
    if (s == INVALID_SOCKET) return kInvalidSocket;
    sockaddr_in self = Peer(htonl(INADDR_LOOPBACK), 0);
    int length = sizeof self;
    // Connected to itself: it takes datagrams from nobody else.
    if (bind(s, reinterpret_cast<sockaddr*>(&self), sizeof self) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&self), &length) != 0 ||
        connect(s, reinterpret_cast<sockaddr*>(&self), sizeof self) != 0 || !SetNonBlocking(s)) {
        closesocket(s);
        return kInvalidSocket;
    }
    return static_cast<SocketHandle>(s);
}

void Wake(SocketHandle wake) {
    char byte = 0;
    send(Native(wake), &byte, 1, 0);
}

void ClearWakes(SocketHandle wake) {
    char byte;
    while (recv(Native(wake), &byte, 1, 0) != SOCKET_ERROR) {
    }
}

SocketWait WaitSocket(SocketHandle socket, bool forWriting, SocketHandle wake, int milliseconds) {
    fd_set readable, writable, failed;
    FD_ZERO(&readable);
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    if (forWriting) {
        FD_SET(Native(socket), &writable);
        // A connect that failed shows only here.
        FD_SET(Native(socket), &failed);
    } else {
        FD_SET(Native(socket), &readable);
    }
    if (wake != kInvalidSocket) FD_SET(Native(wake), &readable);
    timeval timeout{milliseconds / 1000, (milliseconds % 1000) * 1000};
    int result = select(0, &readable, &writable, &failed, milliseconds < 0 ? nullptr : &timeout);
    if (result == SOCKET_ERROR) return SocketWait::Failed;
    if (result == 0) return SocketWait::TimedOut;
    if (wake != kInvalidSocket && FD_ISSET(Native(wake), &readable)) return SocketWait::Woken;
    return SocketWait::Ready;
}

uint32_t ParseAddress(const char* host) {
    return inet_addr(host);
}

uint32_t LookUpHost(const char* host) {
    hostent* entry = gethostbyname(host);
    if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list[0]) return 0;
    uint32_t address;
    std::memcpy(&address, entry->h_addr_list[0], sizeof address);
    return address;
}
