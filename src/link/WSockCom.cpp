#include "link/WSockCom.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

constexpr char kTerminator[] = "\xFF\xEF";
constexpr int kLargestPiece = 2000;
constexpr int kDefaultSendBuffer = 8192;
// A host that takes nothing for this long, while a message does not fit the
// buffers, counts as gone: the window thread sends too, and must not hang.
constexpr int kSendWaitMs = 3000;

// True when the text itself gives the address, with it in address.
bool AddressFromText(const char* host, uint32_t& address) {
    address = 0;
    if (!host || !*host) return true;
    address = ParseAddress(host);
    if (address != kNoAddress) return true;
    // The broadcast address reads as the failure value of the parser.
    return std::strcmp(host, "255.255.255.255") == 0;
}

// The terminal id in decimal, none for id 0.
std::string Prefix(int32_t terminalId) {
    return terminalId != 0 ? std::to_string(terminalId) : std::string();
}

}  // namespace

std::string WireMessage(int32_t terminalId, std::string_view text) {
    return Prefix(terminalId) + std::string(text.substr(0, text.find('\0'))) + kTerminator;
}

std::vector<std::string> SendPieces(int32_t terminalId, std::string_view text, int pieceSize) {
    std::string message = WireMessage(terminalId, text);
    size_t piece = static_cast<size_t>(std::max(pieceSize, 1));
    if (message.size() <= piece) return {message};
    // Cut from the whole message, so that the pieces are always exactly it.
    std::string_view body(message.data(), message.size() - 2);
    size_t at = std::min(Prefix(terminalId).size() + piece, body.size());
    std::vector<std::string> pieces{std::string(body.substr(0, at))};
    for (; at < body.size(); at += piece) pieces.emplace_back(body.substr(at, piece));
    pieces.emplace_back(kTerminator);
    return pieces;
}

WSockCom::~WSockCom() {
    Close();
    if (wake != kInvalidSocket) CloseSocket(wake);
}

uint32_t WSockCom::Resolve(const char* host) {
    uint32_t address;
    return AddressFromText(host, address) ? address : lookUp(host);
}

uint32_t WSockCom::ResolveUnlessStopped(const char* host, const std::atomic<int32_t>* stop,
                                        int32_t& error) {
    uint32_t address;
    if (AddressFromText(host, address)) {
        error = LastSocketError();
        return address;
    }
    std::shared_ptr<CHostLookUp> pending = CHostLookUp::Start(host, lookUp);
    {
        std::lock_guard<std::mutex> hold(lookupLock);
        // A stop made before the look-up was stored could not give it up.
        if (stop && *stop) pending->GiveUp();
        lookup = pending;
    }
    address = pending->Wait(error);
    std::lock_guard<std::mutex> hold(lookupLock);
    lookup.reset();
    return address;
}

bool WSockCom::ConnectUnlessWoken(SocketHandle s, uint32_t address, uint16_t port, int32_t& error) {
    bool connected = StartConnect(s, address, port) &&
                     WaitSocket(s, true, wake, -1) == SocketWait::Ready && FinishConnect(s);
    if (!connected) error = LastSocketError();
    return connected;
}

bool WSockCom::Connect(const char* host, uint16_t port, const std::atomic<int32_t>* stop) {
    // Close clears what earlier shutdowns left; from here on one wakes the
    // waits below, and the stop flag tells of one that came before.
    Close();
    if (stop && *stop) return false;
    if (wake == kInvalidSocket) wake = OpenWakeSocket();
    SocketHandle s = wake == kInvalidSocket ? kInvalidSocket : OpenStreamSocket();
    if (s == kInvalidSocket) {
        lastError = LastSocketError();
        return false;
    }
    SetResetOnClose(s);
    SetNoDelay(s);
    int32_t error = 0;
    hostAddress = ResolveUnlessStopped(host, stop, error);
    if (hostAddress == 0 || !ConnectUnlessWoken(s, hostAddress, port, error)) {
        if (!(stop && *stop)) lastError = error;
        CloseSocket(s);
        return false;
    }
    // Asked once: nothing changes the send buffer while the link is open,
    // and every message would otherwise cost a system call more.
    int sendBuffer = kDefaultSendBuffer;
    if (!SendBufferSize(s, sendBuffer)) sendBuffer = kDefaultSendBuffer;
    pieceSize = std::min(sendBuffer, kLargestPiece);
    // A shutdown from here on is still pending when the owner first waits.
    socket = s;
    return true;
}

// Tried before any wait: a host that reads leaves room for the message, and
// a wait before every send costs a system call more.
bool WSockCom::SendPiece(SocketHandle s, std::string_view piece) {
    const char* bytes = piece.data();
    int left = static_cast<int>(piece.size());
    while (left > 0) {
        if (shutDown.load(std::memory_order_relaxed)) return false;
        int sent = SendOnSocket(s, bytes, left);
        if (sent > 0) {
            bytes += sent;
            left -= sent;
        } else if (!WouldBlock() || WaitSocket(s, true, wake, kSendWaitMs) != SocketWait::Ready) {
            return false;
        }
    }
    return true;
}

bool WSockCom::Send(int32_t terminalId, std::string_view text) {
    std::lock_guard<std::mutex> hold(sendLock);
    SocketHandle s = socket;
    if (s == kInvalidSocket) return false;
    if (gatherer == std::this_thread::get_id()) {
        gathered += WireMessage(terminalId, text);
        return true;
    }
    if (!SendGathered(s)) return false;

    std::vector<std::string> pieces = SendPieces(terminalId, text, pieceSize);
    bool sent = true;
    size_t textPieces = pieces.size() == 1 ? 1 : pieces.size() - 1;
    for (size_t i = 0; i < textPieces && sent; ++i) sent = SendPiece(s, pieces[i]);
    // The terminator would reach nobody.
    if (!sent) return SendFailed();
    if (pieces.size() > 1) SendPiece(s, pieces.back());
    return true;
}

void WSockCom::HoldSends() {
    std::lock_guard<std::mutex> hold(sendLock);
    gatherer = std::this_thread::get_id();
}

bool WSockCom::SendHeld() {
    std::lock_guard<std::mutex> hold(sendLock);
    gatherer = std::thread::id();
    // Without a link nothing was gathered: Close drops it, and Send takes none.
    SocketHandle s = socket;
    return s == kInvalidSocket || SendGathered(s);
}

bool WSockCom::SendGathered(SocketHandle s) {
    std::string_view rest = gathered;
    const size_t piece = static_cast<size_t>(pieceSize.load());
    bool sent = true;
    for (; sent && !rest.empty(); rest.remove_prefix(std::min(piece, rest.size()))) {
        sent = SendPiece(s, rest.substr(0, piece));
    }
    gathered.clear();
    return sent || SendFailed();
}

bool WSockCom::SendFailed() {
    lastError = LastSocketError();
    Shutdown();
    return false;
}

int WSockCom::Receive(unsigned char* buffer, size_t size, int timeoutSeconds,
                      const std::function<void()>& beforeWait) {
    std::memset(buffer, 0, size);
    hostClosed = false;
    SocketHandle s = socket;
    if (s == kInvalidSocket || shutDown) return 0;
    // Read first: while the host streams there is always something, and the
    // wait is for when there is not.
    char* bytes = reinterpret_cast<char*>(buffer);
    int room = static_cast<int>(std::min<size_t>(size, 1 << 30));
    int got = ReceiveOnSocket(s, bytes, room);
    if (got < 0 && WouldBlock()) {
        if (beforeWait) beforeWait();
        SocketWait ended = WaitSocket(s, false, wake, timeoutSeconds * 1000);
        if (ended == SocketWait::TimedOut) return -1;
        if (ended != SocketWait::Ready) return 0;
        got = ReceiveOnSocket(s, bytes, room);
        // Readable, yet nothing came after all: the caller looks again.
        if (got < 0 && WouldBlock()) return -1;
    }
    hostClosed = got == 0;
    return got > 0 ? got : 0;
}

void WSockCom::Shutdown() {
    std::lock_guard<std::mutex> hold(lookupLock);
    if (lookup) lookup->GiveUp();
    shutDown = true;
    if (wake != kInvalidSocket) Wake(wake);
}

bool WSockCom::Close() {
    SocketHandle woken = wake;
    // A send under way on another thread gives up, and the socket is taken
    // only once it has: its number is free for the system to reuse.
    if (socket != kInvalidSocket) Wake(woken);
    SocketHandle s;
    {
        std::lock_guard<std::mutex> hold(sendLock);
        s = socket.exchange(kInvalidSocket);
        gathered.clear();
    }
    if (woken != kInvalidSocket) ClearWakes(woken);
    shutDown = false;
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
