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
#include "screen/FieldWindowClass.h"
#include "screen/Page.h"
#include "support/RecordingPort.h"

namespace {

// The window work as one line of calls, e.g. "paint5 capture | release key5,0".
struct CWorkLog : CEntryWindowWork, CControlWork {
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

    void Add(const std::string& call) {
        log += (log.empty() || log.back() == ' ' ? "" : " ") + call;
    }
};

// What the letters of kKeyLetters stand for in an editor case's input.
const std::u16string kKeyLetters = u"RDH2#";
const CKeyPress kKeys[] = {{0x27}, {0x2E}, {0x24}, {0x71}, {'3', true}};

TEST(EntryEditor, TypingEditingAndReports) {
    // Name; text, maxLength, type and attribute bytes; options: "P" protected
    // field, "n" fieldedit off, "U" upper case input, "e" Enter not to F0, "p"
    // characters come from the port, "s" after a prefix, "c" a completion is
    // under way; the input: letters are typed, "<" is Backspace, "^" Enter,
    // "R" the Right arrow, "D" Delete, "H" Home, "2" F2, "#" Ctrl+3, "L" the
    // focus leaving; then the text and the window work.
    const std::tuple<const char*, std::u16string, int, uint8_t, uint8_t, std::string,
                     std::u16string, std::u16string, const char*>
        cases[] = {
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
    for (const auto& [name, text, maxLength, typeByte, attrByte, options, input, textAfter, log] :
         cases) {
        const std::string flags = options;
        auto has = [&](char option) { return flags.find(option) != std::string::npos; };
        CSettings settings(u"");
        settings.SetFieldEdit(!has('n'));
        settings.SetUpperCaseInputMode(has('U'));
        settings.SetFieldEnterToF0(!has('e'));
        CField field;
        field.fieldNumber = 7;
        field.typeByte = typeByte;
        field.attrByte = attrByte;
        field.attrFlag4 = has('P');
        field.prefixSet = has('s');
        field.completing = has('c');
        field.maxLength = maxLength;
        field.text.Allocate(maxLength);
        field.text.Set(text);
        field.hasCaret = 1;
        field.freshFocus = 1;
        CWorkLog work;
        CEntryEditor editor(field, settings, work);
        for (char16_t k : input) {
            if (k == u'L')
                editor.LoseFocus();
            else if (size_t key = kKeyLetters.find(k); key != std::u16string::npos)
                editor.KeyDown(kKeys[key]);
            else
                editor.Character(k == u'<' ? 8 : k == u'^' ? 13 : k, has('p'));
        }
        EXPECT_EQ(field.text.Get(), textAfter) << name;
        EXPECT_EQ(work.log, log) << name;
    }
}

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

// Runs the events ("down", "up", "in", "out" or a key, space-separated) on
// the field as its window class takes them; the log has " | " between events.
std::string Play(CField& f, const CSettings& settings, const std::string& events) {
    CWorkLog work;
    CControlInput input(f, WindowClassFor(f), settings, work);
    std::istringstream words(events);
    std::string e;
    for (bool first = true; words >> e; first = false) {
        if (!first) work.log += " | ";
        if (e == "down")
            input.MouseDown();
        else if (e == "up")
            input.MouseUp();
        else if (e == "in" || e == "out")
            e == "in" ? input.FocusGained() : input.FocusLost();
        else
            input.KeyDown(Key(e));
    }
    return work.log;
}

// What the host receives of the rest is played in the exchanges.
TEST(ControlInputTest, EventsByClassAndTheMarks) {
    CSettings settings(u"");
    CRecordingPort port;
    CPage page(0, port, settings);
    // Field n with that control; class 3 takes input, 1 is display-only.
    auto make = [&](int n, uint8_t control, const char16_t* text, int cls = 3) -> CField& {
        CField* f = page.fields.CreateField(n, static_cast<uint32_t>(n), 0, 10);
        f->typeByte = static_cast<uint8_t>(cls);
        f->controlKind = control;
        f->text.Allocate(10);
        f->text.Set(text);
        return *f;
    };
    const std::tuple<uint8_t, int, const char*, const char*> cases[] = {
        // A release without a press of its own is no click.
        {kButtonControl, 3, "up", "release"},
        {kButtonControl, 3, "space shift+F2 241 enter left shift+tab",
         " | key5,12 |  | key5,0 | move-1 | move-1"},
        {kCheckBoxControl, 3, "241 tab F3", "key5,26 | move1 | key5,3"},
        {kKeysControl, 1, "down F1 up", "paint5 |  | paint5"},
        {kCheckBoxControl, 3, "in out", "paint5 current5 | paint5"},
        {kSelectButtonControl, 3, "in", "paint5"},
    };
    for (const auto& [control, cls, events, log] : cases)
        EXPECT_EQ(Play(make(5, control, u" Label", cls), settings, events), log) << events;
    // A key cap looks pressed while held, and reports nothing.
    CField& cap = make(5, kKeysControl, u"F1", 1);
    Play(cap, settings, "down");
    EXPECT_EQ(cap.onState, 1);
    Play(cap, settings, "up");
    EXPECT_EQ(cap.onState + cap.modified, 0);

    // The mark goes into the text, a blank one's too. A page's radio buttons
    // are one group: Space or a click moves the mark; the chosen one ignores Space.
    CField& blank = make(5, kCheckBoxControl, u"");
    EXPECT_EQ(Play(blank, settings, "down"), "paint5 capture");
    CField& one = make(3, kRadioButtonControl, u"XOne");
    CField& two = make(7, kRadioButtonControl, u" Two");
    make(8, kCheckBoxControl, u"XOther");
    EXPECT_EQ(Play(one, settings, "space"), "");
    EXPECT_EQ(Play(two, settings, "space"), "paint3 paint7");
    EXPECT_EQ(Play(one, settings, "down"), "paint3 paint7 paint3");
    std::u16string texts;
    for (CField* f = page.fields.Head(); f; f = f->next) texts += f->text.Get() + u"|";
    EXPECT_EQ(texts, u"XOne|X| Two|XOther|");
}

}  // namespace
