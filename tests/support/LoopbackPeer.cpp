#include "support/LoopbackPeer.h"

#ifdef _WIN32
#include <winsock.h>
using socklen_t = int;
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
#define closesocket close
#endif

#ifndef MSG_NOSIGNAL
#define MSG_NOSIGNAL 0  // Winsock has no SIGPIPE to suppress
#endif

namespace {

// True when the socket is readable within the time-out.
bool Readable(intptr_t s, int timeoutSeconds) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval timeout{timeoutSeconds, 0};
    return select(static_cast<int>(s) + 1, &set, nullptr, nullptr, &timeout) > 0;
}

sockaddr_in LoopbackAddress(uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

}  // namespace

CLoopbackPeer::CLoopbackPeer(int backlog) {
    intptr_t s = static_cast<intptr_t>(socket(AF_INET, SOCK_STREAM, 0));
    if (s < 0) return;
    sockaddr_in address = LoopbackAddress(0);
    socklen_t length = sizeof address;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(s, backlog) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        closesocket(s);
        return;
    }
    listener = s;
    port = ntohs(address.sin_port);
}

CLoopbackPeer::~CLoopbackPeer() {
    Close();
    if (queued != kNone) closesocket(queued);
    if (listener != kNone) closesocket(listener);
}

bool CLoopbackPeer::Accept(int timeoutSeconds) {
    Close();
    if (listener == kNone || !Readable(listener, timeoutSeconds)) return false;
    intptr_t s = static_cast<intptr_t>(accept(listener, nullptr, nullptr));
    if (s < 0) return false;
    connection = s;
    pending.clear();
    pendingAt = 0;
    ended = false;
    return true;
}

bool CLoopbackPeer::FillAcceptQueue() {
    if (listener == kNone || queued != kNone) return false;
    intptr_t s = static_cast<intptr_t>(socket(AF_INET, SOCK_STREAM, 0));
    if (s < 0) return false;
    sockaddr_in address = LoopbackAddress(port);
    if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        closesocket(s);
        return false;
    }
    queued = s;
    return true;
}

bool CLoopbackPeer::Write(const std::string& bytes) {
    size_t at = 0;
    while (connection != kNone && at < bytes.size()) {
        // A terminal that has hung up must fail the write, not kill the test.
        int sent =
            send(connection, bytes.data() + at, static_cast<int>(bytes.size() - at), MSG_NOSIGNAL);
        if (sent <= 0) return false;
        at += static_cast<size_t>(sent);
    }
    return at == bytes.size();
}

bool CLoopbackPeer::ReadByte(char& byte, int timeoutSeconds) {
    if (pendingAt == pending.size()) {
        if (connection == kNone || ended || !Readable(connection, timeoutSeconds)) return false;
        char block[16384];
        int got = recv(connection, block, sizeof block, 0);
        if (got <= 0) {
            ended = true;
            return false;
        }
        pending.assign(block, static_cast<size_t>(got));
        pendingAt = 0;
    }
    byte = pending[pendingAt++];
    return true;
}

std::string CLoopbackPeer::Read(size_t count, int timeoutSeconds) {
    std::string bytes;
    char byte;
    while (bytes.size() < count && ReadByte(byte, timeoutSeconds)) bytes += byte;
    return bytes;
}

std::string CLoopbackPeer::ReadMessage(int timeoutSeconds) {
    std::string bytes;
    char byte;
    while (ReadByte(byte, timeoutSeconds)) {
        bytes += byte;
        if (bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\xFF\xEF") == 0) break;
    }
    return bytes;
}

bool CLoopbackPeer::ReadsEnd(int timeoutSeconds) {
    char byte;
    while (ReadByte(byte, timeoutSeconds)) {
    }
    return ended;
}

void CLoopbackPeer::Close() {
    if (connection == kNone) return;
    closesocket(connection);
    connection = kNone;
}

void CLoopbackPeer::EndWriting() {
#ifdef _WIN32
    if (connection != kNone) shutdown(connection, 1);  // SD_SEND
#else
    if (connection != kNone) shutdown(connection, SHUT_WR);
#endif
}

void CLoopbackPeer::Reset() {
    if (connection == kNone) return;
    linger option{1, 0};
    setsockopt(connection, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&option),
               sizeof option);
    Close();
}
