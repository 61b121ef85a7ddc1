// The session against a loopback host played by the test, and host records
// run on one thread while another reads, walks and edits the pages as the
// window side does, each in its turn: ThreadSanitizer fails any access the
// two do not order.
#include "link/Session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "config/Settings.h"
#include "fields/EntryEditor.h"
#include "protocol/Responses.h"
#include "screen/Field.h"
#include "screen/TerminalState.h"
#include "support/LoopbackPeer.h"
#include "support/RecordingPort.h"

namespace {

const std::string kEnd = "\xFF\xEF";

// Holds the record's window work, when asked, until the test lets it go, and
// applies the held input release then, as the window thread does; tells when
// a window-side call waits for the state, and when a record has ended.
class CPausingPort : public CRecordingPort {
public:
    void UnlockInput() override {
        CRecordingPort::UnlockInput();
        unlockHeld = true;
    }
    void DoHeldWindowWork() override {
        std::this_thread::sleep_for(workTime);
        std::unique_lock<std::mutex> hold(lock);
        paused = pause;
        changed.notify_all();
        changed.wait(hold, [this] { return !pause; });
        if (unlockHeld.exchange(false)) terminal->inputState = InputState::Open;
    }
    void ServeSentMessages() override { Note(windowSideWaits); }
    void YieldToInput() override { Note(recordEnded); }
    // Waits until ready() holds, under the lock; then lets held work go on
    // if resume.
    template <typename Ready>
    bool WaitUntil(Ready ready, bool resume) {
        std::unique_lock<std::mutex> hold(lock);
        bool met = changed.wait_for(hold, std::chrono::seconds(30), ready);
        pause = pause && !resume;
        changed.notify_all();
        return met;
    }

    CTerminalState* terminal = nullptr;
    // How long each record's window work takes.
    std::chrono::milliseconds workTime{0};
    bool pause = false, paused = false, windowSideWaits = false, recordEnded = false;

private:
    void Note(bool& flag) {
        std::lock_guard<std::mutex> hold(lock);
        flag = true;
        changed.notify_all();
    }

    std::mutex lock;
    std::condition_variable changed;
    std::atomic<bool> unlockHeld{false};
};

class SessionLinkTest : public testing::Test {
protected:
    void SetUp() override {
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
    void WaitForEnd() {
        ASSERT_TRUE(port.WaitFor("session ended"));
        session->Stop();
    }

    CSettings settings{u"Ravelin.ini"};
    CPausingPort port;
    CLoopbackPeer peer;
    std::unique_ptr<CTerminalState> terminal;
    std::unique_ptr<CSession> session;
};

// The operator presses a key twice while a record that releases input has
// decided the release but not yet applied it: one key reaches the host, and
// the release cannot reopen input behind it for the second.
TEST_F(SessionLinkTest, AReleaseNeverReopensInputBehindAKey) {
    Connect();
    port.pause = true;
    ASSERT_TRUE(peer.Write("Hs0Ei210C@5d0o2" + kEnd));
    ASSERT_EQ(peer.ReadMessage(), "7H" + kEnd);
    ASSERT_TRUE(port.WaitUntil([&] { return port.paused; }, false));
    std::atomic<bool> keyDone{false};
    std::thread operatorKey([&] {
        session->input.Key(2, 5);
        keyDone = true;
    });
    EXPECT_TRUE(port.WaitUntil([&] { return port.windowSideWaits || keyDone; }, true));
    operatorKey.join();
    ASSERT_TRUE(port.WaitUntil([&] { return port.recordEnded; }, false));
    session->input.Key(2, 6);
    ASSERT_TRUE(peer.Write("H!" + kEnd));
    EXPECT_EQ(peer.ReadMessage(), "7RF52" + kEnd);
    EXPECT_EQ(peer.ReadMessage(), "7H" + kEnd);
    session->Stop();
}

// Records are answered until Stop; whatever the host does, the session reaches its end signal.
TEST_F(SessionLinkTest, AnswersUntilStoppedAndEndsWhateverTheHostDoes) {
    Connect();
    // Records sent together are answered in order. A doubled 0xFF is data,
    // and a data 0xEF after it stays in the record.
    ASSERT_TRUE(peer.Write("A" + kEnd + "Hs0Ei310C@5d0u32\xFF\xFF\xEFW4" + kEnd + kEnd));
    for (std::string answer : {"7I", "7H", "7RF43", ""})
        EXPECT_EQ(peer.ReadMessage(), answer + kEnd);

    // Once the last record's end has run and the read waits again (5 seconds
    // a turn), Stop ends it at once. The pages are the test's only then.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    auto started = std::chrono::steady_clock::now();
    session->Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(4));
    EXPECT_TRUE(port.WaitFor("session stopped", 1));
    EXPECT_TRUE(peer.ReadsEnd());
    CField* field = terminal->pages->FindPage(0)->fields.FindField(3);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text.Get(), u"\u00FF\u00EF");
    // A record and half of one: the record is answered before the terminal
    // waits for the rest. Again while a record runs, and then the host ends
    // its side: the record is answered all the same, then "&" said.
    Connect();
    ASSERT_TRUE(peer.Write("H" + kEnd + "Hf1"));
    EXPECT_EQ(peer.ReadMessage(), "7H" + kEnd);
    port.pause = true;
    ASSERT_TRUE(peer.Write("H" + kEnd));
    EXPECT_EQ(peer.ReadMessage(), "7H" + kEnd);
    ASSERT_TRUE(port.WaitUntil([&] { return port.paused; }, false));
    ASSERT_TRUE(peer.Write("H" + kEnd + "Hf1"));
    peer.EndWriting();
    ASSERT_TRUE(port.WaitUntil([] { return true; }, true));
    EXPECT_EQ(peer.ReadMessage(), "7H" + kEnd);
    EXPECT_EQ(peer.ReadMessage(), "7&" + kEnd);
    EXPECT_TRUE(peer.ReadsEnd());
    WaitForEnd();
    // A reset in the middle of a record.
    Connect();
    ASSERT_TRUE(peer.Write("Hs0f100"));
    peer.Reset();
    WaitForEnd();
    // Megabytes without a terminator: the terminal gives up the connection.
    Connect();
    for (int i = 0; i < 20 && peer.Write(std::string(1 << 20, 'x')); ++i) {
    }
    EXPECT_TRUE(peer.ReadsEnd());
    WaitForEnd();

    // Each time the host closes, and when no host answers, the session locks
    // with the connecting animation, lays every page out again and ends with
    // the signal that makes the window side connect again.
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

class CSilentWork : public CEntryWindowWork {
public:
    void CompleteField(int) override {}
    void MoveFocus(int) override {}
    void SendKey(int, int) override {}
    void SetCurrentField(int) override {}
    int CurrentField() override { return -1; }
    void Beep(bool) override {}
    void Redraw() override {}
};

std::string Length(size_t length) {
    std::string encoded;
    AppendLength(encoded, length);
    return encoded;
}

// A host that streams without a pause is not waiting for each answer, yet it
// hears them while it still sends, not only once it stops.
TEST_F(SessionLinkTest, AHostThatNeverPausesHearsTheAnswersAsItSends) {
    Connect();
    // A terminal slower than its host finds more to read at every read. Of an
    // odd size, a record never ends where a full read of the stream does, so
    // every read finds more behind its last record too.
    port.workTime = std::chrono::milliseconds(1);
    std::string record;
    for (size_t n = 8000; record.size() != 8191; ++n)
        record = "Hs0Ef100" + Length(n) + std::string(n, 'a') + kEnd;
    std::string batch;
    for (int i = 0; i < 128; ++i) batch += record;
    // Far more than the socket buffers hold between the two ends.
    constexpr size_t kGiveUp = 24 << 20;
    std::atomic<bool> heard{false};
    size_t written = 0;
    std::thread host([&] {
        for (; !heard && written < kGiveUp && peer.Write(batch); written += batch.size()) {
        }
    });
    EXPECT_EQ(peer.ReadMessage(), "7H" + kEnd);
    heard = true;
    host.join();
    EXPECT_LT(written, kGiveUp);
    session->Stop();
}

class SessionTextThreadsTest : public testing::Test {
protected:
    void SetUp() override { port.SetCountOnly(true); }
    // As the connection thread hands a record to the session.
    void HostRecord(const std::string& record) {
        std::string terminated = record + kEnd;
        auto* p = reinterpret_cast<const unsigned char*>(terminated.data());
        session.HandleRecord(p, p + terminated.size());
    }

    CSettings settings{u"Ravelin.ini"};
    CRecordingPort port;
    CTerminalState terminal{port, port.RegisterMainWindow(), settings};
    CSession session{terminal, settings};
    CSilentWork work;
};

// The window side walks the focus, takes fields, types and sends keys, each
// in its handler's turn, while records build, change, delete and switch pages.
TEST_F(SessionTextThreadsTest, WindowSideWalksAndTypesWhileRecordsChangeThePages) {
    const std::string text = Length(3000) + std::string(3000, 'q');
    const std::string records[] = {
        "Hs0Ef100" + Length(5) + "Helloi210C@" + Length(8) + "i410C@" + Length(4) + "d0o2",
        "Hs0i610C@" + Length(3) + "e4u2" + Length(3) + "abcd0o6",
        "Hs1Ei110C@" + Length(6) + "i310C@" + Length(6) + "d1o-",
        "Hs0c2C@0d0o4",
        "Hs1e1Es0d0l",
        // Long texts, a capacity cut short and a copy.
        "Hs0u1" + text + "u2" + text + "k13w10@B0010c2Ck13u2" + text + "d0",
        "I",
    };
    std::atomic<bool> hostDone{false};
    std::thread host([&] {
        for (int round = 0; round < 3000; ++round) HostRecord(records[round % std::size(records)]);
        hostDone = true;
    });
    for (int step = 0; !hostDone; ++step) {
        session.input.MoveFocus(step % 3 - 1);
        session.input.SetCurrentField(step % 7);
        {
            CStateTurn turn(port.state);
            CField* field = terminal.CurrentPageField(terminal.currentField);
            if (field && field->Class() == kEntryField) {
                CEntryEditor(*field, settings, work).Character(u'0' + step % 10, false);
                EXPECT_LE(field->text.Length(), std::max(field->text.Capacity(), 0));
            }
        }
        if (step % 5 == 0) session.input.Key(terminal.currentField, 5);
    }
    host.join();
}

}  // namespace
