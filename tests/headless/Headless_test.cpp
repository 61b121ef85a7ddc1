// The headless terminal against a host on the loopback: every command
// answers with its status and "ok" or why not. What the keys send is the
// shared exchanges' (tests/headless/test_exchanges.py).
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "config/Settings.h"
#include "headless/Console.h"
#include "headless/HeadlessTerminal.h"
#include "headless/KeyNames.h"
#include "support/LoopbackPeer.h"

namespace {

const std::string kEnd = "\xFF\xEF";

char Short(int value) {
    return static_cast<char>('0' + value);
}

std::string Entry(int number, int row, int length, char type = 'C', char attribute = '@') {
    return std::string("i") + Short(number) + Short(row) + '0' + type + attribute + Short(length);
}

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.SetHostName(u"127.0.0.1");
        settings.SetHostPort(peer.Port());
        settings.SetTerminalId(12);
        settings.SetScreenSize(12, 4);
    }

    void Connect() {
        terminal.Start();
        ASSERT_TRUE(peer.Accept());
        ASSERT_EQ(peer.ReadMessage(), "12I" + kEnd);
    }

    // What the command printed, and its last line.
    std::string Run(const std::string& line) {
        out.str("");
        bool quit = false;
        console.Run(line, quit);
        return out.str();
    }
    std::string Last(const std::string& line) {
        std::string printed = Run(line);
        printed.pop_back();
        return printed.substr(printed.rfind('\n') + 1);
    }

    CLoopbackPeer peer;
    CSettings settings{u"Ravelin.ini"};
    CHeadlessTerminal terminal{settings};
    std::ostringstream out;
    CConsole console{terminal, out, std::chrono::seconds(30)};
};

TEST_F(HeadlessTest, TheScreenShowsWhatTheFieldsShow) {
    Connect();
    // A label, a password with a text, a right-aligned entry field and a
    // marked check box.
    ASSERT_TRUE(peer.Write("Hs0Ef1005Label" + Entry(2, 1, 4, 'K') + "u24abcd" +
                           Entry(3, 2, 4, 'S') + "u32ab" + Entry(4, 3, 6) + "w40@AC" + "u44Xyes" +
                           "d0o3" + kEnd));
    ASSERT_EQ(peer.ReadMessage(), "12H" + kEnd);
    EXPECT_EQ(Last("wait unlock"), "ok");
    EXPECT_EQ(Run("screen"),
              "data: Label       \ndata:             \ndata:   ab        \n"
              "data: [X]yes      \nU page=0 field=3 dialog=none link=connected\nok\n");
    EXPECT_EQ(Last("expect \"ab\" 2 2"), "ok");
    EXPECT_EQ(Last("expect \"ab\" 2 1"), "error: row 2 column 1 shows \" a\"");
    EXPECT_EQ(Last("expect Label"), "ok");
    std::string fields = Run("fields");
    EXPECT_NE(fields.find("data: 3\t2\t0\t4\tentry\tinput,focused\tab\n"), std::string::npos)
        << fields;
    EXPECT_NE(fields.find("\tcheck\tinput\tXyes\n"), std::string::npos) << fields;
}

TEST_F(HeadlessTest, BadCommandsSayWhyAndChangeNothing) {
    const struct {
        const char* command;
        const char* last;
    } cases[] = {
        {"bogus", "error: unknown command bogus"},
        {"key Hyper", "error: unknown key Hyper"},
        {"type x", "error: input locked"},
        {"click 5", "error: input locked"},
        {"wait unlock 0.05", "error: timed out"},
        {"type \"open", "error: type: unclosed text"},
        {"type \"\\q\"", "error: type: bad escape in text"},
        {"expect \"a\" 1", "error: expect: needs a row and a column"},
        {"toolbar save", "error: SAVE is disabled"},
        {"advisory ok", "error: no advisory is open"},
        {"prompt cancel", "error: no prompt is open"},
        {"key", "error: key: needs a key name"},
        {"wait forever", "error: wait for unlock, text, dialog or connected"},
        {"screen now", "error: screen: unexpected now"},
        {"expect \"x\\x0Ay\"", "error: not shown: x\\x0Ay"},
        {"STATUS", "ok"},
    };
    for (const auto& c : cases) EXPECT_EQ(Last(c.command), c.last) << c.command;
    EXPECT_EQ(Last("status"), "ok");
    EXPECT_EQ(Run("status"), "L page=0 field=-1 dialog=none link=connecting\nok\n");

    std::istringstream script("# comment\nstatus\n\nbogus\nstatus\n");
    std::ostringstream errors;
    EXPECT_EQ(console.RunScript(script, "t.txt", errors), 1);
    EXPECT_EQ(errors.str(), "t.txt:4: bogus\n");
}

TEST(KeyNames, NamesGiveTheKeysOfTheWindowsKeyboard) {
    const struct {
        const char* name;
        bool known;
        unsigned virtualKey;
        bool shift, ctrl;
        char16_t character;
    } cases[] = {
        {"Enter", true, 0x0D, false, false, u'\r'},
        {"BACKTAB", true, 0x09, true, false, u'\t'},
        {"Backspace", true, 0x08, false, false, 8},
        {"F24", true, 0x87, false, false, 0},
        {"shift+F1", true, 0x70, true, false, 0},
        {"Ctrl+F10", true, 0x79, false, true, 0},
        {"Ctrl+0", true, '0', false, true, 0},
        {"Device245", true, 0xF5, false, false, 0},
        {"F25", false},
        {"F", false},
        {"Device246", false},
        {"Ctrl+10", false},
        {"Shift+Enter", false},
        {"Alt+F4", false},
    };
    for (const auto& c : cases) {
        CKeyPress key;
        char16_t character = 0;
        ASSERT_EQ(ParseKeyName(c.name, key, character), c.known) << c.name;
        if (!c.known) continue;
        EXPECT_EQ(key.virtualKey, c.virtualKey) << c.name;
        EXPECT_EQ(key.shift, c.shift) << c.name;
        EXPECT_EQ(key.ctrl, c.ctrl) << c.name;
        EXPECT_EQ(character, c.character) << c.name;
    }
}

}  // namespace
