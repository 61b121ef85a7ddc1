#include "fields/EntryEditor.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "config/Settings.h"
#include "screen/Field.h"

namespace {

constexpr unsigned kF2 = 0x71, kRight = 0x27, kDelete = 0x2E, kHome = 0x24;

// Records what the editor asks of its window as short words.
class CRecordingWork : public CEntryWindowWork {
public:
    void CompleteField(int field) override { log.push_back("complete " + std::to_string(field)); }
    void MoveFocus(int direction) override { log.push_back("move " + std::to_string(direction)); }
    void SendKey(int field, int key) override {
        log.push_back("key " + std::to_string(field) + " " + std::to_string(key));
    }
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
    // not to F0.
    const char* options;
    // What happens: letters are typed characters, "<" Backspace, "^" Enter,
    // "R" the Right arrow, "D" Delete, "H" Home, "2" F2, "#" Ctrl+3.
    std::u16string input;
    std::u16string textAfter;
    std::vector<std::string> log;
};

void RunCase(const CEditorCase& c) {
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
    field.maxLength = c.maxLength;
    field.text.Allocate(c.maxLength);
    field.text.Set(c.text);
    field.hasCaret = 1;
    field.freshFocus = 1;
    CRecordingWork work;
    CEntryEditor editor(field, settings, work);
    const std::map<char16_t, CKeyPress> keys = {
        {u'R', {kRight}}, {u'D', {kDelete}}, {u'H', {kHome}}, {u'2', {kF2}}, {u'#', {'3', true}}};
    for (char16_t k : c.input) {
        if (keys.count(k)) {
            editor.KeyDown(keys.at(k));
        } else {
            editor.Character(k == u'<' ? 8 : k == u'^' ? 13 : k, false);
        }
    }
    EXPECT_EQ(field.text.Get(), c.textAfter) << c.name;
    EXPECT_EQ(work.log, c.log) << c.name;
}

TEST(EntryEditor, TypingEditingAndReports) {
    const CEditorCase cases[] = {
        {"fieldedit replaces on fresh focus", u"123", 8, 3, 0, "", u"4", u"4", {}},
        {"without fieldedit the caret starts at 0", u"123", 8, 3, 0, "n", u"4", u"4123", {}},
        {"a move first keeps the text", u"123", 8, 3, 0, "", u"R4", u"1423", {}},
        {"numeric refuses a letter", u"123", 8, 0x23, 0, "", u"x", u"123", {"error beep"}},
        {"upper case only for a to z", u"", 8, 3, 0, "U", u"a\u00e4", u"A\u00e4", {}},
        {"filled at its end completes", u"", 3, 0x07, 0, "", u"abc", u"abc", {"complete 7"}},
        {"filled at its end advances", u"", 3, 3, 0x08, "", u"abc", u"abc", {"move 1"}},
        {"the last place filled in the middle does neither",
         u"ab",
         3,
         0x07,
         0x08,
         "n",
         u"Rx",
         u"axb",
         {}},
        {"beyond maxLength is dropped", u"", 2, 3, 0, "", u"abc", u"ab", {}},
        {"protected ignores typing and Enter, not keys",
         u"12",
         8,
         3,
         0,
         "P",
         u"x^<D2#",
         u"12",
         {"key 7 2", "key 7 23"}},
        {"Enter without Enter to F0 moves on", u"", 8, 3, 0, "e", u"^", u"", {"move 1"}},
        {"Enter to F0 is key 0 of this field", u"", 8, 3, 0, "", u"ab^", u"ab", {"key 7 0"}},
        {"backspace and delete", u"abcd", 8, 3, 0, "", u"RR<HD", u"cd", {}},
    };
    for (const CEditorCase& c : cases) RunCase(c);
}

TEST(EntryEditor, LeavingCompletesOnlyAChangedField) {
    for (bool modified : {false, true}) {
        CSettings settings(u"");
        CField field;
        field.fieldNumber = 4;
        field.typeByte = 0x07;
        field.modified = modified;
        CRecordingWork work;
        CEntryEditor editor(field, settings, work);
        editor.LoseFocus();
        EXPECT_EQ(work.log,
                  modified ? std::vector<std::string>{"complete 4"} : std::vector<std::string>{});
        // The guard keeps the completion from running again inside itself.
        field.completing = 1;
        work.log.clear();
        editor.LoseFocus();
        EXPECT_TRUE(work.log.empty());
    }
}

TEST(EntryEditor, PortCharacters) {
    CSettings settings(u"");
    CField field;
    field.fieldNumber = 2;
    field.typeByte = 3;
    field.maxLength = 8;
    field.attrFlag4 = 1;  // protected fields still take port input
    CRecordingWork work;
    CEntryEditor editor(field, settings, work);
    editor.Character(u'7', true);
    editor.Character(13, true);
    EXPECT_EQ(field.text.Get(), u"7");
    EXPECT_EQ(work.log, std::vector<std::string>{"key 2 0"});
    field.prefixSet = 1;  // then a carriage return is text
    editor.Character(13, true);
    EXPECT_EQ(field.text.Get(), u"7\r");
}

}  // namespace
