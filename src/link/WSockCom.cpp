#include "link/WSockCom.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

constexpr char kTerminator[] = "\xFF\xEF";
constexpr int kLargestPiece = 2000;
constexpr int kDefaultSendBuffer = 8192;

}  // namespace

std::vector<std::string> SendPieces(int32_t terminalId, std::string_view text, int pieceSize) {
    text = text.substr(0, text.find('\0'));
    std::string prefix = terminalId != 0 ? std::to_string(terminalId) : std::string();
    size_t piece = static_cast<size_t>(std::max(pieceSize, 1));
    if (prefix.size() + text.size() + 2 <= piece) {
        return {prefix + std::string(text) + kTerminator};
    }
    std::vector<std::string> pieces;
    pieces.push_back(prefix + std::string(text.substr(0, piece)));
    for (size_t at = piece; at < text.size(); at += piece) {
        pieces.emplace_back(text.substr(at, piece));
    }
    pieces.emplace_back(kTerminator);
    return pieces;
}

WSockCom::~WSockCom() {
    Close();
}

uint32_t WSockCom::Resolve(const char* host) {
    if (!host || !*host) return 0;
    uint32_t address = ParseAddress(host);
    if (address != kNoAddress) return address;
    // The broadcast address reads as the failure value of the parser.
    if (std::strcmp(host, "255.255.255.255") == 0) return kNoAddress;
    return LookUpHost(host);
}

bool WSockCom::Connect(const char* host, uint16_t port, const std::atomic<int32_t>* stop) {
    Close();
    SocketHandle s = OpenStreamSocket();
    if (s == kInvalidSocket) {
        lastError = LastSocketError();
        return false;
    }
    SetResetOnClose(s);
    SetNoDelay(s);
    // A blocking connect to a host that never answers lasts minutes, and
    // closing the socket is the only way another thread can end it.
    connecting = s;
    // A stop made before the socket was stored could not close it.
    bool stopped = stop && *stop;
    hostAddress = stopped ? 0 : Resolve(host);
    bool connected = hostAddress != 0 && ConnectSocket(s, hostAddress, port);
    if (!connected && !stopped) lastError = LastSocketError();
    // Close may have taken the socket meanwhile, and closed it.
    SocketHandle expected = s;
    if (!connecting.compare_exchange_strong(expected, kInvalidSocket)) return false;
    if (!connected) {
        CloseSocket(s);
        return false;
    }
    // Asked once: nothing changes the send buffer while the link is open,
    // and every message would otherwise cost a system call more.
    int sendBuffer = kDefaultSendBuffer;
    if (!SendBufferSize(s, sendBuffer)) sendBuffer = kDefaultSendBuffer;
    pieceSize = std::min(sendBuffer, kLargestPiece);
    socket = s;
    // A Close between taking the socket back and storing it found nothing.
    if (stop && *stop) {
        Close();
        return false;
    }
    return true;
}

bool WSockCom::Send(int32_t terminalId, std::string_view text) {
    std::lock_guard<std::mutex> hold(sendLock);
    SocketHandle s = socket;
    if (s == kInvalidSocket) return false;

    std::vector<std::string> pieces = SendPieces(terminalId, text, pieceSize);
    bool sent = true;
    // The terminator of a message in pieces goes out even after a failure.
    size_t textPieces = pieces.size() == 1 ? 1 : pieces.size() - 1;
    for (size_t i = 0; i < textPieces && sent; ++i) {
        sent = SendOnSocket(s, pieces[i].data(), static_cast<int>(pieces[i].size())) >= 0;
    }
    if (pieces.size() > 1) SendOnSocket(s, pieces.back().data(), 2);
    if (!sent) {
        lastError = LastSocketError();
        Close();
    }
    return sent;
}

int WSockCom::Receive(unsigned char* buffer, size_t size, int timeoutSeconds) {
    std::memset(buffer, 0, size);
    SocketHandle s = socket;
    if (s == kInvalidSocket) return 0;
    int ready = WaitReadable(s, timeoutSeconds);
    if (ready == 0) return -1;
    if (ready < 0) return 0;
    int got = ReceiveOnSocket(s, reinterpret_cast<char*>(buffer),
                              static_cast<int>(std::min<size_t>(size, 1 << 30)));
    return got > 0 ? got : 0;
}

bool WSockCom::Close() {
    SocketHandle pending = connecting.exchange(kInvalidSocket);
    if (pending != kInvalidSocket) CloseSocket(pending);
    SocketHandle s = socket.exchange(kInvalidSocket);
    if (s == kInvalidSocket) return true;
    if (CloseSocket(s)) return true;
    lastError = LastSocketError();
    return false;
}

namespace {

std::u16string UnknownErrorText(int32_t code) {
    std::string text = "Unknown error=" + std::to_string(code);
    return std::u16string(text.begin(), text.end());
}

}  // namespace

bool WSockCom::Ping(const char* host, uint32_t timeoutMs) {
    lastError = 0;
    echoSent = false;
    hostAddress = Resolve(host);
    if (hostAddress == 0) {
        lastError = LastSocketError();
        return false;
    }
    echoSent = true;
    int32_t error = 0;
    reply = CEchoReply();
    bool answered = SendEcho(hostAddress, timeoutMs, reply, error);
    lastError = error;
    return answered;
}

std::u16string WSockCom::ErrorText(int32_t code) {
    static constexpr const char16_t* kTexts[] = {
        u"Error Base.",
        u"Buffer too small.",
        u"Destination net unreachable.",
        u"Destination host unreachable.",
        u"Destination protocol unreachable.",
        u"Destination port unreachable.",
        u"Out of resources.",
        u"Bad option.",
        u"Hardware error.",
        u"Packet too large.",
        u"Request timed out.",
        u"Bad request.",
        u"Bad route.",
        u"TTL expired in transit.",
        u"TTL expired REASSEM.",
        u"Param problem.",
        u"Source quench.",
        u"Option too large.",
        u"Bad destination.",
        u"Address deleted.",
        u"Spec MTU change.",
        u"MTU change.",
        u"Unload.",
        u"Address added.",
        u"Media connect.",
        u"Media disconnect.",
        u"Bind adapter.",
        u"Unbind adapter.",
        u"Device does not exist.",
        u"Duplicate address.",
        u"Interface metric change.",
        u"Reconfig secfltr.",
        u"Negotiating IPSEC.",
        u"Interface WOL capability change.",
        u"Duplicate IP address.",
    };
    constexpr int32_t kBase = 11000;
    if (code >= kBase && code < kBase + static_cast<int32_t>(std::size(kTexts))) {
        return kTexts[code - kBase];
    }
    if (code == 11050) return u"General failure.";
    if (code == 11255) return u"Pending.";
    return UnknownErrorText(code);
}

std::u16string WSockCom::PingErrorText() const {
    return echoSent ? ErrorText(lastError) : UnknownErrorText(lastError);
}
