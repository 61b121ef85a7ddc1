// The input rules of entry fields and controls, and what they ask of their window.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <tuple>

#include "config/Settings.h"
#include "fields/ControlInput.h"
#include "fields/EntryEditor.h"
#include "screen/Field.h"
#include "screen/Page.h"
#include "support/RecordingPort.h"

namespace {

// The window work as one line of calls, e.g. "paint5 capture | release key5,0".
class CWorkLog : public CEntryWindowWork, public CControlWork {
public:
    void CompleteField(int n) override { Add("complete" + std::to_string(n)); }
    void MoveFocus(int d) override { Add("move" + std::to_string(d)); }
    void SendKey(int n, int key) override {
        Add("key" + std::to_string(n) + "," + std::to_string(key));
    }
    void SetCurrentField(int n) override { Add("current" + std::to_string(n)); }
    int CurrentField() override { return -1; }
    void Beep(bool messageBox) override { Add(messageBox ? "error-beep" : "beep"); }
    void Redraw() override {}
    void Repaint(CField& f) override { Add("paint" + std::to_string(f.fieldNumber)); }
    void CaptureMouse() override { Add("capture"); }
    void ReleaseMouse() override { Add("release"); }
    std::string log;

private:
    void Add(const std::string& call) {
        log += (log.empty() || log.back() == ' ' ? "" : " ") + call;
    }
};

// What the letters of kKeyLetters stand for in an editor case's input.
const std::u16string kKeyLetters = u"RDH2#";
const CKeyPress kKeys[] = {{0x27}, {0x2E}, {0x24}, {0x71}, {'3', true}};

TEST(EntryEditor, TypingEditingAndReports) {
    struct Case {
        const char* name;
        std::u16string text;
        int maxLength;
        uint8_t typeByte, attrByte;
        // "P" protected field; "n" fieldedit off, "U" upper case input, "e" Enter
        // not to F0; "p" characters come from the port, "s" after a prefix; "c"
        // a completion is under way.
        const char* options;
        // Letters are typed, "<" is Backspace, "^" Enter, "R" the Right arrow,
        // "D" Delete, "H" Home, "2" F2, "#" Ctrl+3, "L" the focus leaving.
        std::u16string input;
        std::u16string textAfter;
        const char* log;
    };
    const Case cases[] = {
        {"fresh focus replaces", u"123", 8, 3, 0, "", u"4", u"4", ""},
        {"no fieldedit: caret at 0", u"123", 8, 3, 0, "n", u"4", u"4123", ""},
        {"a move first keeps the text", u"123", 8, 3, 0, "", u"R4", u"1423", ""},
        {"numeric refuses a letter", u"123", 8, 0x23, 0, "", u"x", u"123", "error-beep"},
        {"upper case only a to z", u"", 8, 3, 0, "U", u"a\u00e4", u"A\u00e4", ""},
        {"filled in the middle: no completion, no advance", u"ab", 3, 0x07, 0x08, "n", u"Rx",
         u"axb", ""},
        {"beyond maxLength dropped", u"", 2, 3, 0, "", u"abc", u"ab", ""},
        {"protected: keys only", u"12", 8, 3, 0, "P", u"x^<D2#", u"12", "key7,2 key7,23"},
        {"Enter not to F0 moves on", u"", 8, 3, 0, "e", u"^", u"", "move1"},
        {"backspace and delete", u"abcd", 8, 3, 0, "", u"RR<HD", u"cd", ""},
        {"leaving unchanged", u"ab", 8, 0x07, 0, "", u"L", u"ab", ""},
        {"leaving changed completes", u"ab", 8, 0x07, 0, "", u"xL", u"x", "complete7"},
        {"no completion inside one", u"ab", 8, 0x07, 0, "c", u"xL", u"x", ""},
        {"port into protected", u"", 8, 3, 0, "Pp", u"7^", u"7", "key7,0"},
        {"port CR after a prefix", u"", 8, 3, 0, "Pps", u"7^", u"7\r", ""}};
    for (const Case& c : cases) {
        const std::string options = c.options;
        auto has = [&](char option) { return options.find(option) != std::string::npos; };
        CSettings settings(u"");
        settings.SetFieldEdit(!has('n'));
        settings.SetUpperCaseInputMode(has('U'));
        settings.SetFieldEnterToF0(!has('e'));
        CField field;
        field.fieldNumber = 7;
        field.typeByte = c.typeByte;
        field.attrByte = c.attrByte;
        field.attrFlag4 = has('P');
        field.prefixSet = has('s');
        field.completing = has('c');
        field.maxLength = c.maxLength;
        field.text.Allocate(c.maxLength);
        field.text.Set(c.text);
        field.hasCaret = 1;
        field.freshFocus = 1;
        CWorkLog work;
        CEntryEditor editor(field, settings, work);
        for (char16_t k : c.input) {
            if (k == u'L') {
                editor.LoseFocus();
            } else if (size_t key = kKeyLetters.find(k); key != std::u16string::npos) {
                editor.KeyDown(kKeys[key]);
            } else {
                editor.Character(k == u'<' ? 8 : k == u'^' ? 13 : k, has('p'));
            }
        }
        EXPECT_EQ(field.text.Get(), c.textAfter) << c.name;
        EXPECT_EQ(work.log, c.log) << c.name;
    }
}

using K = FieldWindowClass;

// Keys by name, "shift+" before one for Shift; a number is a virtual-key code.
CKeyPress Key(std::string name) {
    static const std::map<std::string, unsigned> codes = {
        {"tab", 0x09}, {"enter", 0x0D}, {"space", 0x20}, {"left", 0x25},
        {"F1", 0x70},  {"F2", 0x71},    {"F3", 0x72}};
    CKeyPress k;
    k.shift = name.rfind("shift+", 0) == 0;
    if (k.shift) name = name.substr(6);
    auto code = codes.find(name);
    k.virtualKey = code != codes.end() ? code->second : static_cast<unsigned>(std::stoi(name));
    return k;
}

class ControlInputTest : public ::testing::Test {
protected:
    ControlInputTest() : settings(u""), page(0, port, settings) {}

    // Field n shown by that window class: class 3 takes input, 1 is display-only.
    CField& Make(int n, K kind, const char16_t* text, int cls = 3, uint8_t type = 0) {
        static const std::map<K, uint8_t> controls = {{K::Button, kButtonControl},
                                                      {K::SelectButton, kSelectButtonControl},
                                                      {K::CheckBox, kCheckBoxControl},
                                                      {K::RadioButton, kRadioButtonControl},
                                                      {K::Keys, kKeysControl}};
        CField* f = page.fields.CreateField(n, static_cast<uint32_t>(n), 0, 10);
        f->typeByte = static_cast<uint8_t>(cls | type);
        f->controlKind = controls.at(kind);
        f->text.Allocate(10);
        f->text.Set(text);
        return *f;
    }

    // Runs the events ("down", "up", "in", "out" or a key, space-separated)
    // and returns the log, with " | " between events.
    std::string Run(CField& f, K kind, const std::string& events) {
        CWorkLog work;
        CControlInput input(f, kind, settings, work);
        std::istringstream words(events);
        std::string e;
        for (bool first = true; words >> e; first = false) {
            if (!first) work.log += " | ";
            if (e == "down") {
                input.MouseDown();
            } else if (e == "up") {
                input.MouseUp();
            } else if (e == "in" || e == "out") {
                e == "in" ? input.FocusGained() : input.FocusLost();
            } else {
                input.KeyDown(Key(e));
            }
        }
        return work.log;
    }

    CSettings settings;
    CRecordingPort port;
    CPage page;
};

// What the host receives of the rest is played in the exchanges.
TEST_F(ControlInputTest, EventsByClass) {
    const std::tuple<K, int, const char*, const char*> cases[] = {
        // A release without a press of its own is no click.
        {K::Button, 3, "up", "release"},
        {K::Button, 3, "space shift+F2 241 enter left shift+tab",
         " | key5,12 |  | key5,0 | move-1 | move-1"},
        {K::CheckBox, 3, "241 tab F3", "key5,26 | move1 | key5,3"},
        {K::Keys, 1, "down F1 up", "paint5 |  | paint5"},
        {K::CheckBox, 3, "in out", "paint5 current5 | paint5"},
        {K::SelectButton, 3, "in", "paint5"},
    };
    for (const auto& [kind, cls, events, log] : cases) {
        CField& f = Make(5, kind, u" Label", cls);
        EXPECT_EQ(Run(f, kind, events), log) << events;
    }
    // A key cap looks pressed while held, and reports nothing.
    CField& cap = Make(5, K::Keys, u"F1", 1);
    Run(cap, K::Keys, "down");
    EXPECT_EQ(cap.onState, 1);
    Run(cap, K::Keys, "up");
    EXPECT_EQ(cap.onState + cap.modified, 0);
}

// The mark goes into the text, so the host collects the new state.
TEST_F(ControlInputTest, TogglingAndChoosingWriteTheMark) {
    CField& blank = Make(5, K::CheckBox, u"");
    EXPECT_EQ(Run(blank, K::CheckBox, "down"), "paint5 capture");
    EXPECT_EQ(blank.text.Get(), u"X");
    // The radio buttons of a page are one group; "*" marks a modified field.
    CField& a = Make(3, K::RadioButton, u"XOne");
    CField& b = Make(5, K::RadioButton, u" Two", 3, 4);
    CField& c = Make(7, K::RadioButton, u" Three");
    Make(8, K::CheckBox, u"XOther");
    auto texts = [this] {
        std::u16string all;
        for (CField* f = page.fields.Head(); f; f = f->next)
            all += f->text.Get() + (f->modified ? u"*|" : u"|");
        return all;
    };
    EXPECT_EQ(Run(b, K::RadioButton, "down up"), "paint3 paint5 complete5 key5,0 paint5 | release");
    EXPECT_EQ(texts(), u" One*|XTwo*| Three|XOther|");
    EXPECT_TRUE(!a.onState && b.onState);
    // The chosen one ignores clicks and Space; Space chooses without the
    // extra paint of a click.
    EXPECT_EQ(Run(b, K::RadioButton, "down space"), " | ");
    EXPECT_EQ(Run(c, K::RadioButton, "space"), "paint5 paint7");
    EXPECT_EQ(texts(), u" One*| Two*|XThree*|XOther|");
}

}  // namespace
