#include "link/Session.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "config/Settings.h"
#include "screen/Field.h"
#include "screen/TerminalState.h"
#include "support/LoopbackPeer.h"
#include "support/RecordingPort.h"

namespace {

const std::string kEnd = "\xFF\xEF";

// Holds the record's window work, when asked, until the test lets it go, and
// applies the held input release then, as the window thread does; tells when
// a window-side call waits for the state.
class CPausingPort : public CRecordingPort {
public:
    void UnlockInput() override {
        CRecordingPort::UnlockInput();
        unlockHeld = true;
    }
    void DoHeldWindowWork() override {
        std::unique_lock<std::mutex> hold(lock);
        if (pause) {
            paused = true;
            changed.notify_all();
            changed.wait(hold, [this] { return !pause; });
        }
        if (unlockHeld.exchange(false)) terminal->inputState = InputState::Open;
    }
    void ServeSentMessages() override {
        std::lock_guard<std::mutex> hold(lock);
        windowSideWaits = true;
        changed.notify_all();
    }
    bool WaitUntilPaused() {
        std::unique_lock<std::mutex> hold(lock);
        return changed.wait_for(hold, std::chrono::seconds(30), [this] { return paused; });
    }
    // Lets the held work go once done() or a window-side call waits.
    template <typename Done>
    bool ResumeOnceWaitedOr(Done done) {
        std::unique_lock<std::mutex> hold(lock);
        bool ready = changed.wait_for(hold, std::chrono::seconds(30),
                                      [&] { return windowSideWaits || done(); });
        pause = false;
        changed.notify_all();
        return ready;
    }

    CTerminalState* terminal = nullptr;
    bool pause = false;

private:
    std::mutex lock;
    std::condition_variable changed;
    std::atomic<bool> unlockHeld{false};
    bool paused = false;
    bool windowSideWaits = false;
};

// A session connected to a loopback host played by the test.
class SessionLinkTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(peer.Listening());
        settings.SetHostName(u"127.0.0.1");
        settings.SetHostPort(peer.Port());
        settings.SetTerminalId(7);
        terminal = std::make_unique<CTerminalState>(port, port.RegisterMainWindow(), settings);
        port.terminal = terminal.get();
        session = std::make_unique<CSession>(*terminal, settings);
    }

    void Connect() {
        port.Clear();
        session->StartConnection();
        ASSERT_TRUE(peer.Accept());
        ASSERT_EQ(peer.ReadMessage(), "7I" + kEnd);
    }

    // Sends a record as the host encodes it: data 0xFF doubled, terminator.
    void SendRecord(const std::string& record) {
        std::string wire;
        for (char byte : record) wire += byte == '\xFF' ? "\xFF\xFF" : std::string(1, byte);
        ASSERT_TRUE(peer.Write(wire + kEnd));
    }

    void WaitForEnd() {
        ASSERT_TRUE(port.WaitFor("session ended"));
        session->Stop();
    }

    CSettings settings{u"Ravelin.ini"};
    CPausingPort port;
    CLoopbackPeer peer;
    std::unique_ptr<CTerminalState> terminal;
    std::unique_ptr<CSession> session;
    const std::string tracePath = testing::TempDir() + "session-trace.txt";
};

TEST_F(SessionLinkTest, AnswersRecordsUntilStopped) {
    // A record and the answers to it in order, each with its terminator.
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"", {kEnd}},  // a bare terminator is acknowledged without id
        {"Ax", {"7I" + kEnd, kEnd}},
        {"Hz", {"7H" + kEnd}},
        {"I", {kEnd}},
        {"Hs0Ei310C@5u32ABd0W2", {"7H" + kEnd, "7RF23" + kEnd}},
        // A data 0xEF after a data 0xFF stays in the record.
        {"Hi310C@5u32\xFF\xEFW4", {"7H" + kEnd, "7RF43" + kEnd}},
        {"H!", {"7H" + kEnd}},
    };
    Connect();
    for (const auto& [record, answers] : cases) {
        SendRecord(record);
        for (const std::string& answer : answers) EXPECT_EQ(peer.ReadMessage(), answer) << record;
    }
    // The status carries the screen size and the second of the connect.
    std::string status = peer.ReadMessage();
    ASSERT_EQ(status.size(), 13u);
    EXPECT_EQ(status.substr(0, 10), std::string("7R!\x82") + "210X\xDC@");
    EXPECT_TRUE(status[10] >= '0' && status[10] < '0' + 60) << status[10];

    // Stop ends the blocked read at once. The record's end may have been
    // running until then: the pages are the test's alone only now.
    auto started = std::chrono::steady_clock::now();
    session->Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(4));
    EXPECT_TRUE(port.WaitFor("session stopped", 1));
    EXPECT_TRUE(peer.ReadsEnd());
    CField* field = terminal->pages->FindPage(0)->fields.FindField(3);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text.Get(), u"\u00FF\u00EF");
}

// The operator presses a key twice while a record that releases input has
// decided the release but not yet applied it: one key reaches the host, and
// the release cannot reopen input behind it for the second.
TEST_F(SessionLinkTest, AReleaseNeverReopensInputBehindAKey) {
    Connect();
    port.pause = true;
    SendRecord("Hs0Ei210C@5d0o2");
    ASSERT_EQ(peer.ReadMessage(), "7H" + kEnd);
    ASSERT_TRUE(port.WaitUntilPaused());
    std::atomic<bool> keyDone{false};
    std::thread operatorKey([&] {
        session->input.Key(2, 5);
        keyDone = true;
    });
    EXPECT_TRUE(port.ResumeOnceWaitedOr([&] { return keyDone.load(); }));
    operatorKey.join();
    session->input.Key(2, 6);
    SendRecord("H!");
    EXPECT_EQ(peer.ReadMessage(), "7RF52" + kEnd);
    EXPECT_EQ(peer.ReadMessage(), "7H" + kEnd);
    session->Stop();
}

// Whatever the host does to the stream, the session reaches its end signal,
// and its trace tells why.
TEST_F(SessionLinkTest, BrokenHosts) {
    std::remove(tracePath.c_str());
    ASSERT_TRUE(session->trace.Open(std::u16string(tracePath.begin(), tracePath.end())));
    // A record, half of one, then the host ends its side: the terminal says "&".
    Connect();
    SendRecord("Ax\xFF");
    EXPECT_EQ(peer.ReadMessage(), "7I" + kEnd);
    EXPECT_EQ(peer.ReadMessage(), kEnd);
    ASSERT_TRUE(peer.Write("Hf1"));
    peer.EndWriting();
    EXPECT_EQ(peer.ReadMessage(), "7&" + kEnd);
    EXPECT_TRUE(peer.ReadsEnd());
    WaitForEnd();
    const std::vector<std::string> traced = {
        "connect connecting 127.0.0.1:" + std::to_string(peer.Port()),
        "connect connected",
        "out 7I\\xFF\\xEF",
        "in Ax\\xFF\\xFF\\xEF",
        "out 7I\\xFF\\xEF",
        "out \\xFF\\xEF",
        "disconnect closed by host",
        "out 7&\\xFF\\xEF"};
    std::ifstream in(tracePath, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(line.find(' ') + 1));
    ASSERT_FALSE(lines.empty());
    lines.erase(lines.begin());  // "open" and the date
    EXPECT_EQ(lines, traced);

    // A reset in the middle of a record.
    Connect();
    ASSERT_TRUE(peer.Write("Hs0f100"));
    peer.Reset();
    WaitForEnd();

    // A flood of data 0xFF in one record is read past.
    Connect();
    SendRecord("H" + std::string(1 << 20, '\xFF') + "!");
    EXPECT_EQ(peer.ReadMessage(), "7H" + kEnd);
    EXPECT_EQ(peer.ReadMessage().substr(0, 4), "7R!\x82");

    // Megabytes without a terminator: the terminal gives up the connection.
    std::string block(1 << 20, 'x');
    bool writing = true;
    for (int i = 0; i < 20 && writing; ++i) writing = peer.Write(block);
    EXPECT_TRUE(peer.ReadsEnd());
    WaitForEnd();
    std::remove(tracePath.c_str());
}

// Each time the host closes, and when no host answers, the session locks with
// the connecting animation, lays every page out again and ends with the
// signal that makes the window side connect again.
TEST_F(SessionLinkTest, ReconnectsManyTimes) {
    std::vector<std::string> expected = {"start animation connecting"};
    for (int page = 0; page < kPageCount; ++page)
        expected.push_back("relayout page" + std::to_string(page));
    expected.push_back("session ended");
    for (int i = 0; i < 1000; ++i) {
        Connect();
        peer.Close();
        WaitForEnd();
        ASSERT_EQ(port.Events(), expected) << i;
    }
    settings.SetHostPort(CLoopbackPeer().Port());  // nobody listens there now
    port.Clear();
    session->StartConnection();
    WaitForEnd();
    EXPECT_EQ(port.Events(), expected);
}

}  // namespace
