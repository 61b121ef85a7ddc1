#include <functional>

#include "protocol/InterpreterFixture.h"

namespace {

// The events a page command causes itself, in one line: sounds, dialog
// requests, bytes for the serial port, labels, fonts and device signals.
std::string CommandEffects(const std::vector<std::string>& events) {
    std::string effects;
    for (const std::string& event : events) {
        for (const char* own : {"sound", "ask", "serial", "offer", "relayout all", "signal"}) {
            if (event.rfind(own, 0) == 0) effects += (effects.empty() ? "" : "|") + event;
        }
    }
    return effects;
}

using State = CTerminalState;

struct PageCase {
    const char* name;
    std::string body;
    std::string effects;
    std::function<bool(const State&, const CSettings&)> holds;
};

TEST_F(InterpreterTest, PageCommandEffects) {
    // Entry fields 4 and 6 on page 0.
    const std::string page0 = "s0i400C@3i610C@3";
    const std::vector<PageCase> cases = {
        {"a0 goes back to the first input stop", page0 + "a03Hey", "ask advisory 4|sound Error",
         [](const State& s, auto&) { return s.dialogText == u"Hey" && s.dialogField == 4; }},
        {"a with a count of 0 has an empty text", page0 + "a60o6", "ask advisory 6|sound Error",
         [](const State& s, auto&) { return s.dialogText.empty(); }},
        {"h keeps the answer length", page0 + "h93Qty", "ask prompt 9|sound Error",
         [](const State& s, auto&) { return s.promptLength == 9 && s.dialogText == u"Qty"; }},
        {"Z s 5 plays nothing, Z s 4 User04", "Zs5Zs4", "sound User04", nullptr},
        {"Z e passes the signal", "Ze3", "signal device 3", nullptr},
        {"> in mode 2 frames the text", ">023ABC", "serial out 0A4142430D", nullptr},
        {"> in mode 1 ends the line", ">012AB", "serial out 41420D", nullptr},
        {"> in mode 0 sends the text alone", ">002AB", "serial out 4142", nullptr},
        {"> on a page that does not exist", "sp>0203ABC", "", nullptr},
        {"F2 grows the font", "F2", "relayout all",
         [](auto&, const CSettings& s) { return s.PointSizeAdjust() == 2; }},
        {"F. shrinks it", "F.", "relayout all",
         [](auto&, const CSettings& s) { return s.PointSizeAdjust() == -2; }},
        // Each label goes to the window side with its own text, though the
        // second for a slot overwrites the first before the record ends.
        {"S sets a label", "SD4MenuSD2Go", "offer label 20 Menu|offer label 20 Go",
         [](const State& s, auto&) { return s.labelTable[20].text == u"Go"; }},
        {"S beyond the last slot is read past", "SU2Noo5", "sound Normal", nullptr},
        {"s2 builds page 2, d2 shows it on its first stop", "s2i900C@3i800C@3d2", "",
         [](const State& s, auto&) {
             return s.currentPage == 2 && s.displayPage == 2 && s.currentField == 8 &&
                    s.pages->FindPage(2)->shown;
         }},
    };
    for (const PageCase& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        EXPECT_EQ(CommandEffects(Run(c.body)), c.effects);
        if (c.holds) {
            EXPECT_TRUE(c.holds(*terminal, settings));
        }
    }
}

}  // namespace
