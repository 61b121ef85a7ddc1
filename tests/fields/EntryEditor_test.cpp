#include "fields/EntryEditor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Settings.h"
#include "screen/Field.h"

namespace {

// The keys that the letters of kKeyLetters stand for in a case's input.
const std::u16string kKeyLetters = u"RDH2#";
const CKeyPress kKeys[] = {{0x27}, {0x2E}, {0x24}, {0x71}, {'3', true}};

// Records what the editor asks of its window as short words.
class CRecordingWork : public CEntryWindowWork {
public:
    void CompleteField(int field) override { log.push_back("complete " + std::to_string(field)); }
    void MoveFocus(int direction) override { log.push_back("move " + std::to_string(direction)); }
    void SendKey(int field, int key) override {
        log.push_back("key " + std::to_string(field) + " " + std::to_string(key));
    }
    void SetCurrentField(int field) override { log.push_back("current " + std::to_string(field)); }
    int CurrentField() override { return -1; }
    void Beep(bool messageBox) override { log.push_back(messageBox ? "error beep" : "beep"); }
    void Redraw() override {}
    std::vector<std::string> log;
};

struct CEditorCase {
    const char* name;
    std::u16string text;
    int maxLength;
    uint8_t typeByte;
    uint8_t attrByte;
    // "P" protected field; "n" fieldedit off, "U" upper case input, "e" Enter
    // not to F0; "p" characters come from the port, "s" after a prefix; "c"
    // a completion is under way.
    const char* options;
    // What happens: letters are typed characters, "<" Backspace, "^" Enter,
    // "R" the Right arrow, "D" Delete, "H" Home, "2" F2, "#" Ctrl+3, "L" the
    // focus leaves.
    std::u16string input;
    std::u16string textAfter;
    std::vector<std::string> log;
};

TEST(EntryEditor, TypingEditingAndReports) {
    const CEditorCase cases[] = {
        {"fresh focus replaces", u"123", 8, 3, 0, "", u"4", u"4", {}},
        {"no fieldedit: caret at 0", u"123", 8, 3, 0, "n", u"4", u"4123", {}},
        {"a move first keeps the text", u"123", 8, 3, 0, "", u"R4", u"1423", {}},
        {"numeric refuses a letter", u"123", 8, 0x23, 0, "", u"x", u"123", {"error beep"}},
        {"upper case only a to z", u"", 8, 3, 0, "U", u"a\u00e4", u"A\u00e4", {}},
        {"filled at its end completes", u"", 3, 0x07, 0, "", u"abc", u"abc", {"complete 7"}},
        {"filled at its end advances", u"", 3, 3, 0x08, "", u"abc", u"abc", {"move 1"}},
        {"filled in the middle: neither", u"ab", 3, 0x07, 0x08, "n", u"Rx", u"axb", {}},
        {"beyond maxLength dropped", u"", 2, 3, 0, "", u"abc", u"ab", {}},
        {"protected: keys only", u"12", 8, 3, 0, "P", u"x^<D2#", u"12", {"key 7 2", "key 7 23"}},
        {"Enter not to F0 moves on", u"", 8, 3, 0, "e", u"^", u"", {"move 1"}},
        {"Enter to F0 is key 0", u"", 8, 3, 0, "", u"ab^", u"ab", {"key 7 0"}},
        {"backspace and delete", u"abcd", 8, 3, 0, "", u"RR<HD", u"cd", {}},
        {"leaving unchanged", u"ab", 8, 0x07, 0, "", u"L", u"ab", {}},
        {"leaving changed completes", u"ab", 8, 0x07, 0, "", u"xL", u"x", {"complete 7"}},
        {"no completion inside one", u"ab", 8, 0x07, 0, "c", u"xL", u"x", {}},
        {"port into protected", u"", 8, 3, 0, "Pp", u"7^", u"7", {"key 7 0"}},
        {"port CR after a prefix", u"", 8, 3, 0, "Pps", u"7^", u"7\r", {}}};
    for (const CEditorCase& c : cases) {
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
        CRecordingWork work;
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

}  // namespace
