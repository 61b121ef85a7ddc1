#include "fields/ControlInput.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <tuple>

#include "config/Settings.h"
#include "screen/Field.h"
#include "screen/Page.h"
#include "support/RecordingPort.h"

namespace {

// The window work as one line of calls, e.g. "paint5 capture | release key5,0".
class CWorkLog : public CControlWork {
public:
    void CompleteField(int n) override { Add("complete" + std::to_string(n)); }
    void MoveFocus(int d) override { Add("move" + std::to_string(d)); }
    void SendKey(int n, int key) override {
        Add("key" + std::to_string(n) + "," + std::to_string(key));
    }
    void SetCurrentField(int n) override { Add("current" + std::to_string(n)); }
    void Repaint(CField& f) override { Add("paint" + std::to_string(f.fieldNumber)); }
    void CaptureMouse() override { Add("capture"); }
    void ReleaseMouse() override { Add("release"); }
    std::string log;

private:
    void Add(const std::string& call) {
        log += (log.empty() || log.back() == ' ' ? "" : " ") + call;
    }
};

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
    CField& Make(int n, FieldWindowClass kind, const char16_t* text, int cls = 3,
                 uint8_t type = 0) {
        static const std::map<FieldWindowClass, uint8_t> controls = {
            {FieldWindowClass::Button, kButtonControl},
            {FieldWindowClass::SelectButton, kSelectButtonControl},
            {FieldWindowClass::CheckBox, kCheckBoxControl},
            {FieldWindowClass::RadioButton, kRadioButtonControl},
            {FieldWindowClass::Keys, kKeysControl}};
        CField* f = page.fields.CreateField(n, static_cast<uint32_t>(n), 0, 10);
        f->typeByte = static_cast<uint8_t>(cls | type);
        f->controlKind = controls.at(kind);
        f->text.Allocate(10);
        f->text.Set(text);
        return *f;
    }

    // Runs the events ("down", "up", "in", "out" or a key, space-separated)
    // and returns the log, with " | " between events.
    std::string Run(CField& f, FieldWindowClass kind, const std::string& events) {
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

TEST_F(ControlInputTest, EventsByClass) {
    using K = FieldWindowClass;
    struct Case {
        K kind;
        int cls;
        const char* events;
        const char* log;
    };
    const Case cases[] = {
        // A button reports on release, and only a press of its own.
        {K::Button, 3, "down up", "paint5 capture | paint5 release key5,0"},
        {K::Button, 3, "up", "release"},
        {K::Button, 3, "space shift+F2 241 enter left shift+tab",
         " | key5,12 |  | key5,0 | move-1 | move-1"},
        {K::Button, 1, "down up F1", " | release | key5,1"},
        {K::CheckBox, 3, "241 tab F3", "key5,26 | move1 | key5,3"},
        // Display-only check boxes and radio buttons answer Enter alone.
        {K::CheckBox, 1, "down space tab F1 241 enter", " |  |  |  |  | key5,0"},
        {K::RadioButton, 1, "down tab enter", " |  | key5,0"},
        {K::SelectButton, 1, "space F1 241 tab", " | key5,1 | key5,26 | move1"},
        {K::Keys, 1, "down F1 up", "paint5 |  | paint5"},
        {K::CheckBox, 3, "in out", "paint5 current5 | paint5"},
        {K::SelectButton, 3, "in", "paint5"},
    };
    settings.SetFieldEnterToF0(true);
    for (const Case& c : cases) {
        CField& f = Make(5, c.kind, u" Label", c.cls);
        EXPECT_EQ(Run(f, c.kind, c.events), c.log) << c.events;
    }
    // Without Enter as F0, Enter and a click move on.
    settings.SetFieldEnterToF0(false);
    CField& button = Make(5, K::Button, u"OK");
    EXPECT_EQ(Run(button, K::Button, "down up enter"),
              "paint5 capture | paint5 release move1 | move1");
}

// The mark goes into the text, so the host collects the new state.
TEST_F(ControlInputTest, ToggleWritesTheMark) {
    using K = FieldWindowClass;
    const std::tuple<K, const char16_t*, const char16_t*> cases[] = {
        {K::CheckBox, u" Label", u"XLabel"},
        {K::SelectButton, u"XOn", u" On"},
        {K::CheckBox, u"", u"X"}};
    for (auto [kind, before, after] : cases) {
        CField& f = Make(5, kind, before);
        EXPECT_EQ(Run(f, kind, "down"), "paint5 capture");
        EXPECT_EQ(f.text.Get(), after);
        EXPECT_EQ(f.modified, 1);
    }
    // Reported at once: the data, then key 0.
    EXPECT_EQ(Run(Make(5, K::CheckBox, u" A", 3, 4), K::CheckBox, "space"),
              "complete5 key5,0 paint5");
}

TEST_F(ControlInputTest, ChoosingMovesTheMarkWithinThePage) {
    CField& a = Make(3, FieldWindowClass::RadioButton, u"XOne");
    CField& b = Make(5, FieldWindowClass::RadioButton, u" Two", 3, 4);
    CField& c = Make(7, FieldWindowClass::RadioButton, u" Three");
    Make(8, FieldWindowClass::CheckBox, u"XOther");
    EXPECT_EQ(Run(b, FieldWindowClass::RadioButton, "down up"),
              "paint3 paint5 complete5 key5,0 paint5 | release");
    EXPECT_EQ(a.text.Get(), u" One");
    EXPECT_EQ(b.text.Get(), u"XTwo");
    EXPECT_EQ(c.text.Get(), u" Three");
    EXPECT_EQ(page.fields.FindField(8)->text.Get(), u"XOther");
    EXPECT_TRUE(a.modified && b.modified && !c.modified);
    EXPECT_EQ(a.onState, 0);
    EXPECT_EQ(b.onState, 1);
    // The chosen one ignores clicks and Space; Space chooses without the
    // extra paint of a click.
    EXPECT_EQ(Run(b, FieldWindowClass::RadioButton, "down space"), " | ");
    EXPECT_EQ(Run(c, FieldWindowClass::RadioButton, "space"), "paint5 paint7");
    EXPECT_EQ(b.text.Get(), u" Two");
}

}  // namespace
