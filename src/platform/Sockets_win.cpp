#include <winsock.h>

#include <cstring>

#include "platform/Sockets.h"

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

namespace {

SOCKET Native(SocketHandle socket) {
    return static_cast<SOCKET>(socket);
}

}  // namespace

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
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr.s_addr = address;
    peer.sin_port = htons(port);
    return connect(Native(socket), reinterpret_cast<sockaddr*>(&peer), sizeof peer) != SOCKET_ERROR;
}

int SendOnSocket(SocketHandle socket, const char* bytes, int n) {
    int sent = send(Native(socket), bytes, n, 0);
    return sent == SOCKET_ERROR ? -1 : sent;
}

int ReceiveOnSocket(SocketHandle socket, char* buffer, int size) {
    int got = recv(Native(socket), buffer, size, 0);
    return got == SOCKET_ERROR ? -1 : got;
}

int WaitReadable(SocketHandle socket, int seconds) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(Native(socket), &readable);
    timeval timeout{seconds, 0};
    int result = select(0, &readable, nullptr, nullptr, &timeout);
    return result == SOCKET_ERROR ? -1 : result > 0 ? 1 : 0;
}

bool CloseSocket(SocketHandle socket) {
    return closesocket(Native(socket)) != SOCKET_ERROR;
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
