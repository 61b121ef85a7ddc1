#include "support/LoopbackPeer.h"

#ifdef _WIN32
#include <winsock.h>
using socklen_t = int;
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#endif

CLoopbackPeer::CLoopbackPeer(bool silent) {
    listener = OpenStreamSocket();
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bool made = listener != kNone &&
                bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                listen(listener, silent ? 0 : 4) == 0 &&
                getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    port = made ? ntohs(address.sin_port) : 0;
    if (made && silent) {
        queued = OpenStreamSocket();
        made = queued != kNone && ConnectSocket(queued, address.sin_addr.s_addr, port);
    }
    if (!made && listener != kNone) CloseSocket(listener);
    if (!made) listener = kNone;
}

CLoopbackPeer::~CLoopbackPeer() {
    Close();
    if (queued != kNone) CloseSocket(queued);
    if (listener != kNone) CloseSocket(listener);
}

bool CLoopbackPeer::Accept() {
    Close();
    if (listener == kNone || WaitReadable(listener, 30) != 1) return false;
    connection = static_cast<intptr_t>(accept(listener, nullptr, nullptr));
    pending.clear();
    ended = false;
    return connection != kNone;
}

bool CLoopbackPeer::Write(const std::string& bytes) {
    size_t at = 0;
    while (connection != kNone && at < bytes.size()) {
        int sent = SendOnSocket(connection, bytes.data() + at, static_cast<int>(bytes.size() - at));
        if (sent <= 0) return false;
        at += static_cast<size_t>(sent);
    }
    return at == bytes.size();
}

bool CLoopbackPeer::ReadMore() {
    if (connection == kNone || ended || WaitReadable(connection, 30) != 1) return false;
    char block[16384];
    int got = ReceiveOnSocket(connection, block, sizeof block);
    ended = got <= 0;
    if (!ended) pending.append(block, static_cast<size_t>(got));
    return !ended;
}

std::string CLoopbackPeer::ReadMessage() {
    size_t end;
    while ((end = pending.find("\xFF\xEF")) == std::string::npos && ReadMore()) {
    }
    end = end == std::string::npos ? pending.size() : end + 2;
    std::string message = pending.substr(0, end);
    pending.erase(0, end);
    return message;
}

bool CLoopbackPeer::ReadsEnd() {
    while (ReadMore()) pending.clear();
    return ended;
}

void CLoopbackPeer::Close() {
    if (connection != kNone) CloseSocket(connection);
    connection = kNone;
}

void CLoopbackPeer::EndWriting() {
    if (connection != kNone) shutdown(connection, 1);  // SHUT_WR, SD_SEND
}

void CLoopbackPeer::Reset() {
    if (connection != kNone) SetResetOnClose(connection);
    Close();
}
