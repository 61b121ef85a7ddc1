#include <tuple>

#include "protocol/InterpreterFixture.h"
#include "protocol/RecordReader.h"

namespace {

// A record's events in one line: "show pageN" for the page shown, "R" for the
// redraw of the kTwoEntries page, "U" for an unlock, "S" for the animation stop.
std::string Summary(const std::vector<std::string>& events) {
    std::string summary;
    for (const std::string& event : events) {
        std::string word = event;
        if (event.rfind("place ", 0) == 0) {
            if (event.compare(event.size() - 5, 5, " show") != 0) continue;
            word = "show " + event.substr(6, event.size() - 11);
        }
        if (word == "unlock input") word = "U";
        if (word == "stop animation awaiting") word = "S";
        summary += (summary.empty() ? "" : "|") + word;
    }
    size_t redraw = summary.find("refresh page0|raise field5|raise field7|show page0");
    if (redraw != std::string::npos) summary.replace(redraw, 50, "R");
    return summary;
}

// Entry fields 5 and 7 on page 0, with windows; input still locked.
const char* const kTwoEntries = "i500C@3i710C@3d0";

TEST_F(InterpreterTest, RecordsGiveTheirEventsInOrder) {
    // What it shows, a record run before whose events are not checked, the
    // record, its events, whether input stays locked and the current field.
    const std::vector<std::tuple<const char*, std::string, std::string, std::string, bool, int>>
        cases = {
            {"worked record", "", "s0Ef1005Helloi210C@8d0o2",
             "sound Normal|refresh page0|make field1|make field2|show page0|U|S|focus field2",
             false, 2},
            {"# before o takes the place of its sound", kTwoEntries, "#o5",
             "sound Error|R|U|S|focus field5", false, 5},
            {"# alone beeps and leaves the terminal locked", kTwoEntries, "#",
             "sound Normal|S|focus field5", true, 5},
            {"o/ focuses the first input field and releases input", kTwoEntries, "o/",
             "sound Normal|R|U|S|focus field5", false, 5},
            {"l keeps input locked", kTwoEntries, "o7l", "sound Normal|R|S|focus field7", true, 7},
            {"c empties without making the window again", "i500C@3u53abco5", "c5",
             "refresh page0|raise field5|show page0|U|S|focus field5", false, 5},
            {"unknown bytes only still release input", "i500C@3o5", "xYq\x01\x80\x7F",
             "U|S|focus field5", false, 5},
            {"no input stop gives the focus to the page", "", "f1005Hellod0",
             "refresh page0|make field1|show page0|S|focus page0", true, -1},
            {"a field advisory waits for the screen", kTwoEntries, "o7a53Bad",
             "sound Normal|R|ask advisory 5|sound Error|S|focus field7", false, 7},
            {"an advisory goes back to the current field", kTwoEntries, "@7A2No",
             "R|ask advisory 7|sound Error|S|focus field7", true, 7},
            {"a prompt carries its answer length", kTwoEntries, "h82Id",
             "ask prompt 8|sound Error|S|focus field5", true, 5},
            {"page 2 built while page 0 is shown", "", "s2i300C@4s0",
             "refresh page0|show page0|S|focus page0", true, -1},
            {"d2 shows the page built before", "s2i300C@4s0", "s2d2",
             "refresh page2|make field3|show page2|S|focus field3", true, 3},
            {"a page out of range hides every page and takes no focus", "", "s`d`", "S", true, -1},
        };
    for (const auto& [name, setup, body, events, locked, currentField] : cases) {
        SCOPED_TRACE(name);
        TearDown();
        SetUp();
        if (!setup.empty()) Run(setup);
        EXPECT_EQ(Summary(Run(body)), events);
        EXPECT_EQ(terminal->AwaitingHost(), locked);
        EXPECT_EQ(terminal->currentField, currentField);
        EXPECT_EQ(terminal->pendingDialog, PendingDialog::None);
    }
}

TEST(RecordReaderTest, NumbersAndSteps) {
    // Operand bytes, long or short, the value and the bytes from the first
    // operand byte to the last one read.
    const std::tuple<std::string, bool, int, long> cases[] = {
        {"0", false, 0, 1},      {"\xFF", false, 207, 1}, {"/", false, -1, 1},
        {"\x01", false, -47, 1}, {"!12", true, 210, 3},   {"!\xFF\xFF", true, 43263, 3},
        {"!00", true, 0, 3},     {"5", true, 5, 1},
    };
    for (const auto& [bytes, longNumber, value, consumed] : cases) {
        SCOPED_TRACE(bytes);
        std::string record = "x" + bytes + "\xFF\xEF";
        auto* begin = reinterpret_cast<const unsigned char*>(record.data());
        CRecordReader reader(begin, begin + record.size());
        EXPECT_EQ(longNumber ? reader.NextLongNumber() : reader.NextShortNumber(), value);
        EXPECT_EQ(reader.Position() - begin, consumed);
        EXPECT_FALSE(reader.Cut());
    }

    std::string record = "ab";
    auto* begin = reinterpret_cast<const unsigned char*>(record.data());
    CRecordReader reader(begin, begin + 2);
    reader.Step(-5);
    EXPECT_EQ(reader.Position(), begin);
    reader.Step(1000);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.NextShortNumber(), 0);
    EXPECT_TRUE(reader.Cut());
    EXPECT_EQ(reader.Position(), begin + 2);
}

// A command cut short by the end of the record has no effect, and nothing
// reads past the record.
TEST_F(InterpreterTest, CommandsCutShortHaveNoEffect) {
    const std::vector<std::string> cuts = {
        "f1005Hel", "f100!1", "i210C@", "i2",       "u13ab", "y1!3ab", "w1!00@B00", "a5!2",
        "A9x",      "h8",     "S0",     ">00!99ab", "k1",    "b1",     "+1C",       "s",
        "d",        "o",      "Z",      "Zs",       "P",     "$9",
    };
    for (const std::string& cut : cuts) {
        SCOPED_TRACE(cut);
        TearDown();
        SetUp();
        Run("f1003Abc");
        // Without its terminator, the record ends where the cut stands.
        std::vector<std::string> events = Run(cut, false);
        EXPECT_EQ(Text(1), u"Abc");
        EXPECT_EQ(Field(2), nullptr);
        EXPECT_EQ(terminal->pendingDialog, PendingDialog::None);
        for (const std::string& event : events) {
            EXPECT_EQ(event.rfind("ask", 0), std::string::npos) << event;
            EXPECT_EQ(event.rfind("serial", 0), std::string::npos) << event;
        }
    }
}

}  // namespace
