#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Sockets.h"

namespace {

sockaddr_in Peer(uint32_t address, uint16_t port) {
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr.s_addr = address;
    peer.sin_port = htons(port);
    return peer;
}

bool SetNonBlocking(int fd) {
    int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

}  // namespace

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
    sockaddr_in peer = Peer(address, port);
    return connect(static_cast<int>(socket), reinterpret_cast<sockaddr*>(&peer), sizeof peer) == 0;
}

bool StartConnect(SocketHandle socket, uint32_t address, uint16_t port) {
    int fd = static_cast<int>(socket);
    if (!SetNonBlocking(fd)) return false;
    sockaddr_in peer = Peer(address, port);
    return connect(fd, reinterpret_cast<sockaddr*>(&peer), sizeof peer) == 0 ||
           errno == EINPROGRESS;
}

bool FinishConnect(SocketHandle socket) {
    int fd = static_cast<int>(socket);
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) return false;
    if (error != 0) {
        errno = error;
        return false;
    }
    return true;
}

int SendOnSocket(SocketHandle socket, const char* bytes, int n) {
    // A peer that has gone must fail the send, not kill the process.
    ssize_t sent = send(static_cast<int>(socket), bytes, static_cast<size_t>(n), MSG_NOSIGNAL);
    return sent < 0 ? -1 : static_cast<int>(sent);
}

bool WouldBlock() {
    return errno == EAGAIN || errno == EWOULDBLOCK;
}

int ReceiveOnSocket(SocketHandle socket, char* buffer, int size) {
    ssize_t got = recv(static_cast<int>(socket), buffer, static_cast<size_t>(size), 0);
    return got < 0 ? -1 : static_cast<int>(got);
}

bool CloseSocket(SocketHandle socket) {
    return close(static_cast<int>(socket)) == 0;
}

SocketHandle OpenWakeSocket() {
    int fd = socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0) return kInvalidSocket;
    sockaddr_in self = Peer(htonl(INADDR_LOOPBACK), 0);
    socklen_t length = sizeof self;
    // Connected to itself: it takes datagrams from nobody else.
    if (bind(fd, reinterpret_cast<sockaddr*>(&self), sizeof self) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&self), &length) != 0 ||
        connect(fd, reinterpret_cast<sockaddr*>(&self), sizeof self) != 0 || !SetNonBlocking(fd)) {
        close(fd);
        return kInvalidSocket;
    }
    return fd;
}

void Wake(SocketHandle wake) {
    char byte = 0;
    send(static_cast<int>(wake), &byte, 1, 0);
}

void ClearWakes(SocketHandle wake) {
    char byte;
    while (recv(static_cast<int>(wake), &byte, 1, 0) >= 0) {
    }
}

SocketWait WaitSocket(SocketHandle socket, bool forWriting, SocketHandle wake, int milliseconds) {
    int fd = static_cast<int>(socket);
    int wakeFd = static_cast<int>(wake);
    if (fd < 0 || fd >= FD_SETSIZE || wakeFd >= FD_SETSIZE) return SocketWait::Failed;
    fd_set readable, writable;
    FD_ZERO(&readable);
    FD_ZERO(&writable);
    FD_SET(fd, forWriting ? &writable : &readable);
    if (wakeFd >= 0) FD_SET(wakeFd, &readable);
    timeval timeout{milliseconds / 1000, (milliseconds % 1000) * 1000};
    int result = select((fd > wakeFd ? fd : wakeFd) + 1, &readable, &writable, nullptr,
                        milliseconds < 0 ? nullptr : &timeout);
    if (result < 0) return SocketWait::Failed;
    if (result == 0) return SocketWait::TimedOut;
    if (wakeFd >= 0 && FD_ISSET(wakeFd, &readable)) return SocketWait::Woken;
    return SocketWait::Ready;
}

uint32_t ParseAddress(const char* host) {
    return inet_addr(host);
}

uint32_t LookUpHost(const char* host) {
    // Unlike gethostbyname, safe while a look-up given up on still runs.
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host, nullptr, &hints, &found) != 0 || !found) return 0;
    uint32_t address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
    freeaddrinfo(found);
    return address;
}
