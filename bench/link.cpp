// Host stream throughput through the real link: a loopback host streams
// full-page records that the session receives, cuts and interprets, each
// answered with "H". Baseline: a bare recv loop over the same kind of socket
// with the same bytes. Then host round trips of "H!" answered by "H" and
// "R!". Prints figures, last the throughput in MB/s.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "config/Settings.h"
#include "link/Session.h"
#include "platform/Sockets.h"
#include "screen/TerminalState.h"
#include "support/LoopbackPeer.h"
#include "support/RecordingPort.h"
#include "support/ScreenRecord.h"

namespace {

constexpr size_t kStreamBytes = 120 * 1000 * 1000;

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Seconds for a bare client socket to receive total bytes that the peer writes.
double BareReceive(const std::string& record, size_t copies) {
    CLoopbackPeer peer;
    SocketHandle client = OpenStreamSocket();
    if (client == kInvalidSocket ||
        !ConnectSocket(client, ParseAddress("127.0.0.1"), peer.Port()) || !peer.Accept()) {
        return 0;
    }
    std::thread writer([&] {
        for (size_t i = 0; i < copies; ++i) peer.Write(record);
    });
    auto start = std::chrono::steady_clock::now();
    size_t total = record.size() * copies;
    char block[8192];
    for (size_t got = 0; got < total;) {
        int n = ReceiveOnSocket(client, block, sizeof block);
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    double seconds = Since(start);
    writer.join();
    CloseSocket(client);
    return seconds;
}

}  // namespace

int main() {
    CLoopbackPeer peer;
    CSettings settings(u"Ravelin.ini");
    settings.SetHostName(u"127.0.0.1");
    settings.SetHostPort(peer.Port());
    CRecordingPort port;
    port.SetCountOnly(true);
    CTerminalState terminal(port, port.RegisterMainWindow(), settings);
    CSession session(terminal, settings);
    session.StartConnection();
    if (!peer.Accept() || peer.ReadMessage() != "1I\xFF\xEF") {
        std::fprintf(stderr, "the session did not connect\n");
        return 1;
    }

    const std::string record = "H" + ScreenRecord() + "\xFF\xEF";
    const size_t copies = kStreamBytes / record.size() + 1;
    const double megabytes = static_cast<double>(record.size() * copies) / 1e6;

    std::thread writer([&] {
        for (size_t i = 0; i < copies; ++i) peer.Write(record);
    });
    auto start = std::chrono::steady_clock::now();
    size_t answers = 0;
    while (answers < copies && peer.ReadMessage() == "1H\xFF\xEF") ++answers;
    double seconds = Since(start);
    writer.join();
    if (answers != copies) {
        std::fprintf(stderr, "the session answered %zu of %zu records\n", answers, copies);
        return 1;
    }

    const int trips = 2000;
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < trips; ++i) {
        peer.Write("H!\xFF\xEF");
        peer.ReadMessage();
        peer.ReadMessage();
    }
    double tripSeconds = Since(start);
    session.Stop();

    double bare = BareReceive(record, copies);
    std::printf("streamed: %.0f MB in %zu records of %zu bytes, %.0f records/s\n", megabytes,
                copies, record.size(), copies / seconds);
    std::printf("bare recv loop: %.0f MB/s\n", bare > 0 ? megabytes / bare : 0.0);
    std::printf("session / bare recv time: %.1f\n", bare > 0 ? seconds / bare : 0.0);
    std::printf("host round trips (H! answered by H and R!): %.0f per second\n",
                trips / tripSeconds);
    std::printf("throughput: %.1f MB/s\n", megabytes / seconds);
    return 0;
}
