#include "link/Session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "config/Settings.h"
#include "screen/Field.h"
#include "screen/TerminalState.h"
#include "support/LoopbackPeer.h"
#include "support/RecordingPort.h"

namespace {

const std::string kEnd = "\xFF\xEF";

// A session connected to a loopback host played by the test.
class SessionLinkTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(peer.Listening());
        settings.SetHostName(u"127.0.0.1");
        settings.SetHostPort(peer.Port());
        settings.SetTerminalId(7);
        terminal = std::make_unique<CTerminalState>(port, port.RegisterMainWindow(), settings);
        session = std::make_unique<CSession>(*terminal, settings);
        port.Clear();
    }

    void Connect() {
        session->StartConnection();
        ASSERT_TRUE(peer.Accept());
        ASSERT_EQ(peer.ReadMessage(), "7I" + kEnd);
    }

    // Sends a record as the host encodes it: data 0xFF doubled, terminator.
    void SendRecord(const std::string& record) {
        std::string wire;
        for (char byte : record) {
            wire += byte;
            if (byte == '\xFF') wire += byte;
        }
        ASSERT_TRUE(peer.Write(wire + kEnd));
    }

    CSettings settings{u"Ravelin.ini"};
    CRecordingPort port;
    CLoopbackPeer peer;
    std::unique_ptr<CTerminalState> terminal;
    std::unique_ptr<CSession> session;
};

struct ExchangeCase {
    const char* name;
    std::string record;
    std::vector<std::string> answers;  // in order, each with its terminator
};

TEST_F(SessionLinkTest, RecordsAndTheirAnswers) {
    const std::vector<ExchangeCase> cases = {
        {"bare terminator is acknowledged without id", "", {kEnd}},
        {"A plus one byte identifies", "Ax", {"7I" + kEnd, kEnd}},
        {"H runs the record without acknowledgement", "Hz", {"7H" + kEnd}},
        {"I resets, then acknowledges", "I", {kEnd}},
        {"W answers with the key and modified fields",
         "Hs0Ei310C@5u32ABd0W2",
         {"7H" + kEnd, "7RF23" + kEnd}},
        {"a data 0xEF after a data 0xFF stays in the record",
         "Hi310C@5u32\xFF\xEFW4",
         {"7H" + kEnd, "7RF43" + kEnd}},
    };
    Connect();
    for (const ExchangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        SendRecord(c.record);
        for (const std::string& answer : c.answers) EXPECT_EQ(peer.ReadMessage(), answer);
    }
    // The status carries the screen size and the second of the connect.
    SendRecord("H!");
    EXPECT_EQ(peer.ReadMessage(), "7H" + kEnd);
    std::string status = peer.ReadMessage();
    ASSERT_EQ(status.size(), 13u);
    EXPECT_EQ(status.substr(0, 10),
              "7R!\x82"
              "210X\xDC@");
    EXPECT_GE(status[10], '0');
    EXPECT_LT(status[10], '0' + 60);

    // The record's end may still be running: the pages are the test's alone
    // once the connection thread has ended.
    session->Stop();
    CField* field = terminal->pages->FindPage(0)->fields.FindField(3);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text.Get(), u"\u00FF\u00EF");
}

TEST_F(SessionLinkTest, HostSeesAmpersandWhenItStopsReading) {
    Connect();
    SendRecord("Hs0d0");
    EXPECT_EQ(peer.ReadMessage(), "7H" + kEnd);
    // Half a record, then the host ends its side: the terminal says "&".
    ASSERT_TRUE(peer.Write("Hf1"));
    peer.EndWriting();
    EXPECT_EQ(peer.ReadMessage(), "7&" + kEnd);
    EXPECT_TRUE(peer.ReadsEnd());
    ASSERT_TRUE(port.WaitFor("session ended"));
}

TEST_F(SessionLinkTest, StopEndsTheReadAtOnce) {
    Connect();
    auto started = std::chrono::steady_clock::now();
    session->Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(4));
    EXPECT_TRUE(port.WaitFor("session stopped", 1));
    EXPECT_TRUE(peer.ReadsEnd());
}

TEST_F(SessionLinkTest, FailedConnectEndsAtOnce) {
    uint16_t unused;
    {
        CLoopbackPeer gone;
        unused = gone.Port();
    }
    settings.SetHostPort(unused);
    session->StartConnection();
    ASSERT_TRUE(port.WaitFor("session ended"));
    session->Stop();
    // Locked with the connecting animation, every page laid out again, ended.
    std::vector<std::string> expected = {"start animation connecting"};
    for (int page = 0; page < kPageCount; ++page) {
        expected.push_back("relayout page" + std::to_string(page));
    }
    expected.push_back("session ended");
    EXPECT_EQ(port.Events(), expected);
}

// Whatever the host does to the stream, the session reaches its end signal.
TEST_F(SessionLinkTest, BrokenHosts) {
    // A reset in the middle of a record.
    Connect();
    ASSERT_TRUE(peer.Write("Hs0f100"));
    peer.Reset();
    ASSERT_TRUE(port.WaitFor("session ended"));
    session->Stop();

    // A flood of data 0xFF in one record is read past.
    port.Clear();
    Connect();
    SendRecord("H" + std::string(1 << 20, '\xFF') + "!");
    EXPECT_EQ(peer.ReadMessage(), "7H" + kEnd);
    EXPECT_EQ(peer.ReadMessage().substr(0, 4), "7R!\x82");

    // Megabytes without a terminator: the terminal gives up the connection.
    std::string block(1 << 20, 'x');
    bool writing = true;
    for (int i = 0; i < 20 && writing; ++i) writing = peer.Write(block);
    ASSERT_TRUE(port.WaitFor("session ended"));
    EXPECT_TRUE(peer.ReadsEnd());
    session->Stop();
}

// Each time the host closes, the session locks with the connecting animation
// and ends with the signal that makes the window side connect again.
TEST_F(SessionLinkTest, ReconnectsManyTimes) {
    for (int i = 0; i < 1000; ++i) {
        port.Clear();
        Connect();
        peer.Close();
        ASSERT_TRUE(port.WaitFor("session ended"));
        session->Stop();
        std::vector<std::string> events = port.Events();
        ASSERT_GE(events.size(), 2u);
        EXPECT_EQ(events.front(), "start animation connecting");
        EXPECT_EQ(events.back(), "session ended");
    }
}

}  // namespace
