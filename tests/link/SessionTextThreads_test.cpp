// Host records change pages, fields and texts on one thread while another
// reads, walks and edits them as the window side does. ThreadSanitizer fails
// any access the two do not order; in every build a torn text fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <string>
#include <thread>

#include "config/Settings.h"
#include "fields/EntryEditor.h"
#include "link/Session.h"
#include "protocol/Responses.h"
#include "screen/Field.h"
#include "screen/TerminalState.h"
#include "support/RecordingPort.h"

namespace {

constexpr int kLongest = 43263;  // the largest length a host record can give

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

bool OneLetter(const std::u16string& text) {
    return text.find_first_not_of(text.empty() ? u'a' : text[0]) == std::u16string::npos;
}

class SessionTextThreadsTest : public testing::Test {
protected:
    void SetUp() override { port.SetCountOnly(true); }
    // As the connection thread hands a record to the session.
    void HostRecord(const std::string& record) {
        std::string terminated = record + "\xFF\xEF";
        auto* p = reinterpret_cast<const unsigned char*>(terminated.data());
        session.HandleRecord(p, p + terminated.size());
    }

    CSettings settings{u"Ravelin.ini"};
    CRecordingPort port;
    CTerminalState terminal{port, port.RegisterMainWindow(), settings};
    CSession session{terminal, settings};
    CSilentWork work;
};

TEST_F(SessionTextThreadsTest, HostChangesTextsTheWindowSideReads) {
    // Field 1 fixed, 2 an entry field, 3 a fixed field the host copies into.
    const std::string longest = Length(kLongest);
    const std::string blank(kLongest, ' ');
    HostRecord("Hs0Ef100" + longest + blank + "i210C@" + longest + "f320" + longest + blank + "d0");
    CPage* page = terminal.pages->FindPage(0);
    ASSERT_NE(page, nullptr);
    CField* fixed = page->fields.FindField(1);
    CField* entry = page->fields.FindField(2);
    CField* copy = page->fields.FindField(3);
    ASSERT_TRUE(fixed && entry && copy);

    std::atomic<bool> reading{false}, hostDone{false};
    std::string lastText;
    std::thread host([&] {
        while (!reading) std::this_thread::yield();
        for (int round = 0; round < 200; ++round) {
            // Texts of every size up to the largest, under changing capacities.
            int size = round % 3 == 0 ? kLongest : (round * 37) % 300;
            lastText.assign(static_cast<size_t>(size), static_cast<char>('a' + round % 26));
            std::string set = Length(lastText.size()) + lastText;
            std::string capacity = round % 2 ? "@B07FF" : "@B0010";
            HostRecord("Hu1" + set + "u2" + set + "k13w10" + capacity + "c3Ck13u1" + set);
        }
        hostDone = true;
    });

    CEntryEditor editor(*entry, settings, work);
    for (int pass = 1; !hostDone || pass == 1; ++pass) {
        // Painting works on a copy, whole or cut at the capacity.
        std::u16string shown = fixed->text.Get();
        EXPECT_TRUE(OneLetter(shown)) << "pass " << pass;
        EXPECT_LE(shown.size(), static_cast<size_t>(kLongest));
        EXPECT_TRUE(OneLetter(copy->text.Get())) << "pass " << pass;
        // Editing at either end and in the middle.
        int length = static_cast<int>(entry->text.Get().size());
        entry->caretIndex = pass % 3 == 0 ? 0 : pass % 3 == 1 ? length : length / 2;
        editor.Character(u'x', false);
        editor.KeyDown(CKeyPress{0x2E});  // Delete
        editor.Character(8, false);       // Backspace
        EXPECT_LE(entry->text.Get().size(), static_cast<size_t>(kLongest));
        // The data of modified fields, as a key response collects it.
        EXPECT_LE(CollectFieldData(*page, false).size(), 3 * (kLongest + 5));
        reading = true;
    }
    host.join();
    EXPECT_EQ(fixed->text.Get(), std::u16string(lastText.begin(), lastText.end()).substr(0, 2047));
}

// The window side walks the focus, takes fields, types and sends keys, each
// in its handler's turn, while records build, change, delete and switch pages.
TEST_F(SessionTextThreadsTest, WindowSideWalksAndTypesWhileRecordsChangeThePages) {
    const std::string records[] = {
        "Hs0Ef100" + Length(5) + "Helloi210C@" + Length(8) + "i410C@" + Length(4) + "d0o2",
        "Hs0i610C@" + Length(3) + "e4u2" + Length(3) + "abcd0o6",
        "Hs1Ei110C@" + Length(6) + "i310C@" + Length(6) + "d1o-",
        "Hs0c2C@0d0o4",
        "Hs1e1Es0d0l",
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
