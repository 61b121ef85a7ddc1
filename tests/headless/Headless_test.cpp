// The headless terminal against a host on the loopback: every command
// answers with its status and "ok" or why not. What the keys send is the
// shared exchanges' (tests/app/exchanges.py, played by test_headless_module.py).
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <utility>

#include "config/Settings.h"
#include "headless/Console.h"
#include "headless/HeadlessTerminal.h"
#include "headless/KeyNames.h"
#include "support/LoopbackPeer.h"

namespace {

const std::string kEnd = "\xFF\xEF";

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.SetHostName(u"127.0.0.1");
        settings.SetHostPort(peer.Port());
        settings.SetTerminalId(12);
        settings.SetScreenSize(12, 4);
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

TEST_F(HeadlessTest, BadCommandsSayWhyThenTheScreenShowsWhatTheFieldsShow) {
    const std::pair<const char*, const char*> cases[] = {
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
    for (const auto& [command, last] : cases) EXPECT_EQ(Last(command), last) << command;
    EXPECT_EQ(Run("status"), "L page=0 field=-1 dialog=none link=connecting\nok\n");

    std::istringstream script("# comment\nstatus\n\nbogus\nstatus\n");
    std::ostringstream errors;
    EXPECT_EQ(console.RunScript(script, "t.txt", errors), 1);
    EXPECT_EQ(errors.str(), "t.txt:4: bogus\n");

    // Connected, a label, a password with a text, a right-aligned entry field
    // and a marked check box.
    terminal.Start();
    ASSERT_TRUE(peer.Accept());
    ASSERT_EQ(peer.ReadMessage(), "12I" + kEnd);
    ASSERT_TRUE(
        peer.Write("Hs0Ef1005Labeli210K@4u24abcdi320S@4u32abi430C@6w40@ACu44Xyesd0o3" + kEnd));
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
}

TEST(KeyNames, NamesGiveTheKeysOfTheWindowsKeyboard) {
    // The virtual key, with 0x100 for Shift and 0x200 for Ctrl, and the character.
    const std::tuple<const char*, unsigned, char16_t> known[] = {
        {"Enter", 0x0D, u'\r'}, {"BACKTAB", 0x109, u'\t'}, {"Backspace", 0x08, 8},
        {"F24", 0x87, 0},       {"shift+F1", 0x170, 0},    {"Ctrl+F10", 0x279, 0},
        {"Ctrl+0", 0x230, 0},   {"Device245", 0xF5, 0}};
    CKeyPress key;
    char16_t character = 0;
    for (const auto& [name, code, typed] : known) {
        ASSERT_TRUE(ParseKeyName(name, key, character)) << name;
        EXPECT_EQ(key.virtualKey | key.shift << 8 | key.ctrl << 9, code) << name;
        EXPECT_EQ(character, typed) << name;
    }
    for (const char* name : {"F25", "F", "Device246", "Ctrl+10", "Shift+Enter", "Alt+F4"})
        EXPECT_FALSE(ParseKeyName(name, key, character)) << name;
}

}  // namespace
