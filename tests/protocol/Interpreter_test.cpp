// The interpreter on a terminal with a recording port; records are run as the
// record handler hands them over: the bytes after the type byte, terminator
// included.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "config/Settings.h"
#include "link/Session.h"
#include "protocol/RecordReader.h"
#include "screen/Field.h"
#include "screen/TerminalState.h"
#include "support/RecordingPort.h"

namespace {

class InterpreterTest : public ::testing::Test {
protected:
    void SetUp() override {
        terminal = std::make_unique<CTerminalState>(port, port.RegisterMainWindow(), settings);
        session = std::make_unique<CSession>(*terminal, settings);
        port.Clear();
    }
    void Restart() {
        session.reset();
        SetUp();
    }

    std::vector<std::string> Run(std::string_view body, bool terminated = true) {
        port.Clear();
        record.assign(body.begin(), body.end());
        if (terminated) record += "\xFF\xEF";
        auto* p = reinterpret_cast<const unsigned char*>(record.data());
        session->Interpret(p, p + record.size());
        return port.Events();
    }

    CField* Field(int number) {
        CPage* p = terminal->pages->FindPage(0);
        return p ? p->fields.FindField(number) : nullptr;
    }

    CSettings settings{u"Ravelin.ini"};
    CRecordingPort port;
    std::unique_ptr<CTerminalState> terminal;
    std::unique_ptr<CSession> session;
    std::string record;
};

// The events that begin with one of the words, joined by "|".
std::string Only(const std::vector<std::string>& events,
                 std::initializer_list<std::string_view> words) {
    std::string joined;
    for (const std::string& event : events)
        for (std::string_view word : words)
            if (event.rfind(word, 0) == 0) joined += (joined.empty() ? "" : "|") + event;
    return joined;
}

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
    const std::string redrawn = "refresh page0|show page0";
    size_t redraw = summary.find(redrawn);
    if (redraw != std::string::npos) summary.replace(redraw, redrawn.size(), "R");
    return summary;
}

// Entry fields 5 and 7 on page 0, with windows; input still locked.
const char* const kTwoEntries = "i500C@3i710C@3d0";

TEST_F(InterpreterTest, RecordsGiveTheirEventsInOrder) {
    // What it shows, a record run before whose events are not checked, the
    // record, its events, whether input stays locked and the current field.
    const std::tuple<const char*, std::string, const char*, const char*, bool, int> cases[] = {
        {"worked record", "", "s0Ef1005Helloi210C@8d0o2",
         "sound Normal|refresh page0|make field1|make field2|raise field1|raise field2|show "
         "page0|U|S|focus field2",
         false, 2},
        {"# before o takes the place of its sound", kTwoEntries, "#o5",
         "sound Error|R|U|S|focus field5", false, 5},
        {"# alone beeps and leaves the terminal locked", kTwoEntries, "#",
         "sound Normal|S|focus field5", true, 5},
        {"o/ focuses the first input field and releases input", kTwoEntries, "o/",
         "sound Normal|R|U|S|focus field5", false, 5},
        {"l keeps input locked", kTwoEntries, "o7l", "sound Normal|R|S|focus field7", true, 7},
        {"c empties without making the window again", "i500C@3u53abco5", "c5", "R|U|S|focus field5",
         false, 5},
        {"unknown bytes only still release input", "i500C@3o5", "xYq\x01\x80\x7F",
         "U|S|focus field5", false, 5},
        {"no input stop gives the focus to the page", "", "f1005Hellod0",
         "refresh page0|make field1|raise field1|show page0|S|focus page0", true, -1},
        {"a field advisory waits for the screen", kTwoEntries, "o7a53Bad",
         "sound Normal|R|ask advisory 5|sound Error|S|focus field7", false, 7},
        {"an advisory goes back to the current field", kTwoEntries, "@7A2No",
         "R|ask advisory 7|sound Error|S|focus field7", true, 7},
        {"a prompt carries its answer length", kTwoEntries, "h82Id",
         "ask prompt 8|sound Error|S|focus field5", true, 5},
        {"page 2 built while page 0 is shown", "", "s2i300C@4s0", "R|S|focus page0", true, -1},
        {"d2 shows the page built before", "s2i300C@4s0", "s2d2",
         "refresh page2|make field3|raise field3|show page2|S|focus field3", true, 3},
        {"a page out of range hides every page and takes no focus", "", "s`d`", "S", true, -1},
    };
    for (const auto& [name, setup, body, events, locked, currentField] : cases) {
        SCOPED_TRACE(name);
        Restart();
        if (!setup.empty()) Run(setup);
        EXPECT_EQ(Summary(Run(body)), events);
        EXPECT_EQ(terminal->AwaitingHost(), locked);
        EXPECT_EQ(terminal->currentField, currentField);
        EXPECT_EQ(terminal->pendingDialog, PendingDialog::None);
    }
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
        Restart();
        Run("f1003Abc");
        // Without its terminator, the record ends where the cut stands.
        EXPECT_EQ(Only(Run(cut, false), {"ask", "serial"}), "");
        ASSERT_NE(Field(1), nullptr);
        EXPECT_EQ(std::tuple(Field(1)->text.Get(), Field(2), terminal->pendingDialog),
                  std::tuple(u"Abc", nullptr, PendingDialog::None));
    }
    const unsigned char ab[] = "ab";
    CRecordReader reader(ab, ab + 2);
    reader.Step(1000);
    EXPECT_EQ(reader.NextShortNumber(), 0);
    EXPECT_TRUE(reader.Cut());
    EXPECT_EQ(reader.Position(), ab + 2);
}

TEST_F(InterpreterTest, FieldTexts) {
    // What it shows, a record run first on page 0, the record, then the
    // field's number, text and length.
    const std::tuple<const char*, const char*, const char*, int, std::u16string, int> cases[] = {
        {"fixed text cut, the rest run", "", "f3005HelloXYo9", 3, u"Hello", 5},
        {"fixed field of length 0 swallows one byte", "", "f3000Xo9", 3, u"", 0},
        {"u sets the text", "i210C@8", "u25abcde", 2, u"abcde", 8},
        {"u cuts to the capacity", "i210C@3", "u25abcde", 2, u"abc", 3},
        {"u with count 0 empties", "i210C@8u23abc", "u20", 2, u"", 8},
        {"c empties", "i210C@8u23abc", "c2", 2, u"", 8},
        {"C empties entry fields", "i210C@8u23abc", "C", 2, u"", 8},
        {"C leaves fixed fields", "f1005Hello", "C", 1, u"Hello", 5},
        {"@B grows the capacity", "i210C@3", "w20@B0010u26abcdef", 2, u"abcdef", 16},
        {"@B 07FF", "i210C@3", "w20@B07FF", 2, u"", 2047},
        {"@B 0800 is clamped", "i210C@3", "w20@B0800", 2, u"", 2047},
        {"@B cuts the old text", "i210C@!0:u2:0123456789", "w20@B0004", 2, u"0123", 4},
        {"@B with bad digits stays in range", "i210C@3", "w20@BZZZZ", 2, u"", 0},
        {"@B takes small hex digits", "i210C@3", "w20@B00ff", 2, u"", 255},
        {"k copies", "f1005Helloi210C@8u28abcdefgh", "k12", 2, u"Hellofgh", 8},
        {"k from a shorter text", "i110C@5u12Hii210C@8u28abcdefgh", "k12", 2, u"Hi", 8},
        {"k to a shorter field", "f1005Helloi210C@3", "k12", 2, u"Hel", 3},
        {"k with a missing source", "i210C@8u23abc", "k92", 2, u"abc", 8},
        {"i replaces the field", "f1005Hello", "i110C@4", 1, u"", 4},
        {"negative length counts as 0", "", "i110C@/", 1, u"", 0},
        {"a long length is ! then 208s and units", "", "i110C@!1\xFF", 1, u"", 415},
    };
    for (const auto& [name, setup, record, number, text, maxLength] : cases) {
        SCOPED_TRACE(name);
        Run("s0E");
        Run(setup);
        Run(record);
        CField* field = Field(number);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(std::pair(field->text.Get(), field->maxLength), std::pair(text, maxLength));
        EXPECT_LE(static_cast<int>(field->text.Get().size()), field->text.Capacity());
    }
    // Host text in the code page the settings ask for.
    const std::tuple<bool, const char*, std::u16string> codePages[] = {
        {false, "\xE9\x80", u"\u00E9\u20AC"},
        {true, "\xC3\xA9", u"\u00E9"},
        {true, "\xE9\x80", u""}};
    for (const auto& [utf8, bytes, text] : codePages) {
        settings.SetFieldIsUTF8(utf8);
        Run(std::string("s0Ei110C@8u12") + bytes);
        EXPECT_EQ(Field(1)->text.Get(), text);
    }
}

TEST_F(InterpreterTest, FieldAttributesOptionsAndPrefixes) {
    // Records run in turn on field 2, and then its type byte, protect flag,
    // control kind, @H, @M and @S values, whether it waits to be made again,
    // and the current field.
    const std::pair<const char*, std::vector<int>> steps[] = {
        {"s0Ei210CD8", {'C', 1, 0, 0, 0, 1, 0, -1}},
        {"+2A@", {'A', 0, 0, 0, 0, 1, 0, -1}},               // made again by the refresh
        {"w2!00@AS@H1@M@S3o3", {'A', 0, 3, 1, 1, 3, 0, 3}},  // the command after the options runs
        {"w20@AKo7", {'A', 0, 3, 1, 1, 3, 0, 3}},      // K is no control kind: it takes the "o"
        {"w20@AC@H0@H2", {'A', 0, 4, 0, 1, 3, 0, 3}},  // @H2 ends the list unconsumed
    };
    for (const auto& [record, state] : steps) {
        Run(record);
        const CField& f = *Field(2);
        EXPECT_EQ((std::vector<int>{f.typeByte, f.attrFlag4, f.controlKind, f.selected, f.optionM,
                                    f.optionS, f.changed, terminal->currentField}),
                  state)
            << record;
    }
    // A record and the prefix flags 16, 8 and 4, mode, set and text it gives.
    const std::tuple<const char*, std::vector<int>, std::u16string> prefixes[] = {
        {"y2E2]C", {1, 0, 1, 1, 1}, u"]C"},    // 21 = 16 + 4 + 1
        {"y282]C", {0, 1, 0, 0, 1}, u"]C"},    // 8
        {"y2?0", {0, 1, 1, 3, 0}, u""},        // 15 = 8 + 4 + 3
        {"y2L2]Cy200", {1, 0, 1, 0, 0}, u""},  // 28 = 16 + 8 + 4: 16 and 4 stick, 8 is cleared
        {"y2/2ab", {1, 1, 1, 227, 1}, u"ab"},  // -1 taken as the byte 255
    };
    for (const auto& [record, flags, text] : prefixes) {
        Run("s0Ei210C@8");
        Run(record);
        const CField& f = *Field(2);
        EXPECT_EQ((std::vector<int>{f.prefixFlag16, f.prefixFlag8, f.prefixFlag4, f.prefixMode,
                                    f.prefixSet}),
                  flags)
            << record;
        EXPECT_EQ(f.prefixText.Get(), text) << record;
    }
}

// The events a record causes itself: sounds, dialog requests, bytes for the
// serial port, labels, fonts and device signals.
TEST_F(InterpreterTest, CommandEffects) {
    // Entry fields 4 and 6 on page 0.
    const std::string page0 = "s0i400C@3i610C@3";
    // What it shows, the record, its effects and what holds after it.
    const std::tuple<const char*, std::string, const char*, std::function<bool()>> cases[] = {
        {"a0 goes back to the first input stop", page0 + "a03Hey", "ask advisory 4|sound Error",
         [&] { return terminal->dialogText == u"Hey" && terminal->dialogField == 4; }},
        {"a with a count of 0 has an empty text", page0 + "a60o6", "ask advisory 6|sound Error",
         [&] { return terminal->dialogText.empty(); }},
        {"Z s 5 plays nothing, Z s 4 User04", "Zs5Zs4", "sound User04", nullptr},
        {"Z e passes the signal", "Ze3", "signal device 3", nullptr},
        {"> in mode 2 frames the text", ">023ABC", "serial out 0A4142430D", nullptr},
        {"> in mode 1 ends the line", ">012AB", "serial out 41420D", nullptr},
        {"> in mode 0 sends the text alone", ">002AB", "serial out 4142", nullptr},
        {"> on a page that does not exist", "sp>0203ABC", "", nullptr},
        {"b with bit 0 binds a fixed field to the port and sends its text", "s0f1005HELLOb11",
         "serial out 48454C4C4F", [&] { return Field(1)->skipFocus == 1; }},
        {"... not one without text", "s0f1000 b11", "", nullptr},
        {"... nor without bit 0", "s0f1005HELLOb12", "", nullptr},
        {"... nor an entry field", "s0i110C@5u15HELLOb11", "", nullptr},
        {"u on a bound fixed field sends the new text", "s0f1005HELLOb11u12ab",
         "serial out 48454C4C4F|serial out 6162", nullptr},
        {"ANSI bytes go out as they came", std::string("s0f1002\xE9\x80") + "b11",
         "serial out E980", nullptr},
        {"F. font sizes", "F.", "relayout all", [&] { return settings.PointSizeAdjust() == -2; }},
        {"S beyond the last slot is read past", "SU2Noo5", "sound Normal", nullptr},
    };
    for (const auto& [name, body, effects, holds] : cases) {
        SCOPED_TRACE(name);
        Restart();
        EXPECT_EQ(Only(Run(body), {"sound", "ask", "serial", "offer", "relayout all", "signal"}),
                  effects);
        EXPECT_TRUE(!holds || holds());
    }
}

// Every command, "#" wherever an operand's value does not matter: a "#" left
// over by a command that consumed too little runs as a command and plays a
// sound, and a command that consumed too much eats the "o" of the "o5" behind
// it. These play only the "o5"'s Normal sound; "E" runs on page 1.
const char kQuietCommands[] =
    "! $3### %3### +### >##3### >##0# @# B C D########### s1Es0 F# I3### K# L##3### M!03### "
    "N3### O3### O0# P##Q P#B Q R S#3### S13### S10 W# X# Ze# Zs5 Zv### Zv!##!##!## Zq b## c# "
    "d0 e# f###3### f###0# i###### i###CC!03 j#3### k## l m p## r# s0 u#3### u#0 v#3### "
    "w5#@M@B0004@H1@AS@S#@F@P@X@I w5!##@H0 y##3### y##0 z";
// These, with the sounds they play.
const std::pair<const char*, const char*> kSoundingCommands[] = {
    {"#", "sound Error"},
    {"#z", "sound Normal|sound Normal"},
    {"A3###", "sound Error"},
    {"A0", "sound Error"},
    {"a#3###", "sound Error"},
    {"h#3###", "sound Error"},
    {"Zs1", "sound User01|sound Normal"},
    {"o#", "sound Normal|sound Normal"}};

TEST_F(InterpreterTest, EveryCommandConsumesExactlyItsOperands) {
    std::vector<std::pair<std::string, std::string>> cases(std::begin(kSoundingCommands),
                                                           std::end(kSoundingCommands));
    std::istringstream quiet(kQuietCommands);
    for (std::string bytes; quiet >> bytes;) cases.emplace_back(bytes, "sound Normal");
    for (const auto& [bytes, sounds] : cases) {
        SCOPED_TRACE(bytes);
        Run("s0Ei510C@5");
        terminal->currentField = 1;
        EXPECT_EQ(Only(Run(bytes + "o5"), {"sound"}), sounds);
        EXPECT_EQ(terminal->currentField, 5);
    }
}

}  // namespace
