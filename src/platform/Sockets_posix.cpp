#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Sockets.h"

bool StartSockets() {
    return true;
}

void StopSockets() {}

int LastSocketError() {
    return errno;
}

SocketHandle OpenStreamSocket() {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    return fd < 0 ? kInvalidSocket : fd;
}

void SetResetOnClose(SocketHandle socket) {
    linger option{1, 0};
    setsockopt(static_cast<int>(socket), SOL_SOCKET, SO_LINGER, &option, sizeof option);
}

void SetNoDelay(SocketHandle socket) {
    int on = 1;
    setsockopt(static_cast<int>(socket), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

bool SendBufferSize(SocketHandle socket, int& size) {
    socklen_t length = sizeof size;
    return getsockopt(static_cast<int>(socket), SOL_SOCKET, SO_SNDBUF, &size, &length) == 0;
}

bool ConnectSocket(SocketHandle socket, uint32_t address, uint16_t port) {
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr.s_addr = address;
    peer.sin_port = htons(port);
    return connect(static_cast<int>(socket), reinterpret_cast<sockaddr*>(&peer), sizeof peer) == 0;
}

int SendOnSocket(SocketHandle socket, const char* bytes, int n) {
    // A peer that has gone must fail the send, not kill the process.
    ssize_t sent = send(static_cast<int>(socket), bytes, static_cast<size_t>(n), MSG_NOSIGNAL);
    return sent < 0 ? -1 : static_cast<int>(sent);
}

int ReceiveOnSocket(SocketHandle socket, char* buffer, int size) {
    ssize_t got = recv(static_cast<int>(socket), buffer, static_cast<size_t>(size), 0);
    return got < 0 ? -1 : static_cast<int>(got);
}

int WaitReadable(SocketHandle socket, int seconds) {
    int fd = static_cast<int>(socket);
    if (fd < 0 || fd >= FD_SETSIZE) return -1;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(fd, &readable);
    timeval timeout{seconds, 0};
    int result = select(fd + 1, &readable, nullptr, nullptr, &timeout);
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}

bool CloseSocket(SocketHandle socket) {
    // Unlike closesocket, close does not wake a thread blocked in select or
    // recv on the socket; shutting it down first does.
    shutdown(static_cast<int>(socket), SHUT_RDWR);
    return close(static_cast<int>(socket)) == 0;
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
