#include "link/WSockCom.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "support/LoopbackPeer.h"

namespace {

TEST(WSockComTest, SendPieces) {
    // Terminal id, text, piece size, the sizes of the pieces.
    const std::tuple<int, std::string, int, const char*> cases[] = {
        {0, "", 2000, "2"},
        {0, std::string(1998, 'x'), 2000, "2000"},
        {5, std::string(1998, 'x'), 2000, "1999 2"},
        {0, std::string(4500, 'x'), 1024, "1024 1024 1024 1024 404 2"},
        {123, std::string(2000, 'x'), 2000, "2003 2"},
        {0, std::string("ab\0cd", 5), 2000, "4"}};  // the text ends at its first NUL
    for (const auto& [terminalId, text, pieceSize, pieceSizes] : cases) {
        std::string sizes, joined;
        for (const std::string& piece : SendPieces(terminalId, text, pieceSize)) {
            sizes += (sizes.empty() ? "" : " ") + std::to_string(piece.size());
            joined += piece;
        }
        EXPECT_EQ(sizes, pieceSizes) << terminalId << " " << text.size() << " " << pieceSize;
        EXPECT_EQ(joined, (terminalId ? std::to_string(terminalId) : "") +
                              text.substr(0, text.find('\0')) + "\xFF\xEF");
    }
}

TEST(WSockComTest, ResolveFailedConnectsAndPing) {
    CSocketsStarted sockets;
    WSockCom link;
    EXPECT_EQ(link.Resolve("255.255.255.255"), 0xFFFFFFFFu);
    EXPECT_EQ(link.Resolve(""), 0u);
    EXPECT_EQ(link.Resolve("127.0.0.1"), 0x0100007Fu);
    EXPECT_EQ(link.Resolve("localhost"), 0x0100007Fu);
    EXPECT_EQ(link.Resolve("no-such-host.invalid"), 0u);

    const uint16_t port = CLoopbackPeer().Port();  // nobody listens there once the peer is gone
    EXPECT_FALSE(link.Connect("127.0.0.1", port));
    EXPECT_NE(link.LastError(), 0);
    EXPECT_TRUE(link.Close());

    // Host not found and "Buffer too small." share the code 11001.
    EXPECT_FALSE(link.Ping("no-such-host.invalid", 10));
    std::string error = std::to_string(link.LastError());
    EXPECT_EQ(link.PingErrorText(), u"Unknown error=" + std::u16string(error.begin(), error.end()));
    // Loopback answers where the system has echo functions; natively there
    // are none and the ping fails with code 0.
    bool answered = link.Ping("127.0.0.1", 1000);
#ifdef _WIN32
    EXPECT_TRUE(!answered || link.Reply().roundTripMs < 1000u);
#else
    EXPECT_FALSE(answered);
    EXPECT_EQ(link.PingErrorText(), u"Unknown error=0");
#endif
    // The named codes run from 11000 to 11255 with gaps; the rest have a number.
    const std::vector<std::pair<int32_t, std::u16string>> cases = {
        {11000, u"Error Base."},         {11034, u"Duplicate IP address."},
        {11035, u"Unknown error=11035"}, {11255, u"Pending."},
        {-3, u"Unknown error=-3"},       {10060, u"Unknown error=10060"}};
    for (const auto& [code, text] : cases) EXPECT_EQ(WSockCom::ErrorText(code), text) << code;
}

TEST(WSockComTest, SendsReceivesAndCloses) {
    CLoopbackPeer peer;
    WSockCom link;
    EXPECT_FALSE(link.Send(0, "nothing open"));
    ASSERT_TRUE(link.Connect("127.0.0.1", peer.Port()));
    ASSERT_TRUE(peer.Accept());
    const std::pair<int, std::string> sent[] = {
        {12, "I"}, {0, ""}, {7, std::string(4500, 'b')}, {0, std::string("ab\0cd", 5)}};
    for (const auto& [id, text] : sent) EXPECT_TRUE(link.Send(id, text));
    for (const auto& [id, text] : sent) EXPECT_EQ(peer.ReadMessage(), WireMessage(id, text));
    // Gathered messages go out before another thread's, and the rest at SendHeld.
    link.HoldSends();
    EXPECT_TRUE(link.Send(12, "H"));
    std::thread([&link] { link.Send(12, "RF"); }).join();
    EXPECT_TRUE(link.Send(12, std::string(4500, 'h')));
    EXPECT_TRUE(link.SendHeld());
    for (const std::string& text : {std::string("H"), std::string("RF"), std::string(4500, 'h')})
        EXPECT_EQ(peer.ReadMessage(), WireMessage(12, text));
    // Whole messages from several threads never interleave on the wire.
    std::vector<std::thread> senders;
    for (char letter : {'a', 'b', 'c'}) {
        senders.emplace_back([&link, letter] {
            for (int i = 0; i < 20; ++i) link.Send(0, std::string(20000, letter));
        });
    }
    for (int i = 0; i < 3 * 20; ++i) {
        std::string message = peer.ReadMessage();
        EXPECT_EQ(message.size(), 20002u);
        EXPECT_EQ(message.find_first_not_of(message[0]), 20000u);
    }
    for (std::thread& sender : senders) sender.join();

    unsigned char buffer[64];
    EXPECT_EQ(link.Receive(buffer, sizeof buffer, 0), -1);

    // A shutdown from another thread ends a blocked read (0, not the -1 of
    // its time-out), and every send and read after it, until the owner
    // closes the link.
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        link.Shutdown();
    });
    EXPECT_EQ(link.Receive(buffer, sizeof buffer, 30), 0);
    stopper.join();
    EXPECT_FALSE(link.Send(0, "shut down"));
    EXPECT_EQ(link.Receive(buffer, sizeof buffer, 5), 0);
    EXPECT_TRUE(link.Close());

    // A host that reads nothing: once the buffers are full a send waits, and
    // a shutdown ends that wait too, sooner than the send gives up (3 s).
    ASSERT_TRUE(link.Connect("127.0.0.1", peer.Port()));
    ASSERT_TRUE(peer.Accept());
    std::atomic<bool> sending{true};
    std::thread sender([&] {
        while (link.Send(0, std::string(5000, 's'))) {
        }
        sending = false;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_TRUE(sending) << "a send gave up before the shutdown";
    auto asked = std::chrono::steady_clock::now();
    link.Shutdown();
    sender.join();
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(2));
    EXPECT_TRUE(link.Close());
}

// A host that never answers keeps a connect waiting for minutes, and a name
// whose look-up hangs keeps it waiting for the resolver's time-out: a
// shutdown from another thread ends either at once, and so does the stop flag
// alone when the stop came just before the connect began.
TEST(WSockComTest, ShutdownEndsAConnectThatWaits) {
    CLoopbackPeer silent(true);
    ASSERT_TRUE(silent.Listening());
    // Answers only when released, long after the links have gone.
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    struct Attempt {
        explicit Attempt(const CHostLookUp::LookUp& lookUp) : link(lookUp) {}
        WSockCom link;
        std::atomic<int32_t> stop{0};
        std::promise<bool> connected;
    };
    for (const char* host : {"127.0.0.1", "hangs.example"}) {
        for (bool stopFirst : {false, true}) {
            SCOPED_TRACE(testing::Message() << host << (stopFirst ? " stopped before" : ""));
            // Shared with the connecting thread, which a connect that never
            // returns leaves running.
            auto attempt = std::make_shared<Attempt>([released](const char*) {
                released.wait();
                return ParseAddress("127.0.0.1");
            });
            attempt->stop = stopFirst;
            std::future<bool> result = attempt->connected.get_future();
            std::thread connecting([attempt, host, port = silent.Port()] {
                attempt->connected.set_value(attempt->link.Connect(host, port, &attempt->stop));
            });
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            // As the session stops: the flag first, for a connect that a
            // loaded machine has not begun yet, then the shutdown.
            if (!stopFirst) {
                attempt->stop = 1;
                attempt->link.Shutdown();
            }
            if (result.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
                connecting.detach();
                FAIL() << "the connect went on after the stop";
            }
            EXPECT_FALSE(result.get());
            connecting.join();
        }
    }
    release.set_value();
}

}  // namespace
