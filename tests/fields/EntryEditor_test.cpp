#include "fields/EntryEditor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Settings.h"
#include "platform/AppMessages.h"
#include "screen/Field.h"

namespace {

constexpr unsigned kF2 = 0x71, kRight = 0x27, kDelete = 0x2E, kHome = 0x24;

// Records what the editor asks of its window as short words.
class CRecordingWork : public CEntryWindowWork {
public:
    intptr_t SendToMain(unsigned message, uintptr_t wParam, intptr_t lParam) override {
        int w = static_cast<int>(wParam);
        switch (message) {
            case UM_FIELDCOMPLETE:
                log.push_back("complete " + std::to_string(w));
                break;
            case UM_MOVEFOCUS:
                log.push_back("move " + std::to_string(w));
                break;
            case UM_KEY:
                log.push_back("key " + std::to_string(w) + " " + std::to_string(lParam));
                break;
            case UM_GETCURRENTFIELD:
                return 0;
        }
        return 0;
    }
    void Beep(bool messageBox) override { log.push_back(messageBox ? "error beep" : "beep"); }
    void Redraw() override {}
    std::vector<std::string> log;
};

struct CEditorCase {
    const char* name;
    std::u16string text;
    int maxLength = 8;
    uint8_t typeByte = 3;
    uint8_t attrByte = 0;
    bool protectedField = false;
    bool fieldEdit = true;
    bool upperCase = false;
    bool enterToF0 = true;
    // What happens: letters are typed characters, "<" Backspace, "^" Enter,
    // "R" the Right arrow, "D" Delete, "H" Home, "2" F2, "#" Ctrl+3.
    std::u16string input;
    std::u16string textAfter;
    std::vector<std::string> log;
};

void RunCase(const CEditorCase& c) {
    CSettings settings(u"");
    settings.SetFieldEdit(c.fieldEdit);
    settings.SetUpperCaseInputMode(c.upperCase);
    settings.SetFieldEnterToF0(c.enterToF0);
    CField field;
    field.fieldNumber = 7;
    field.typeByte = c.typeByte;
    field.attrByte = c.attrByte;
    field.attrFlag4 = c.protectedField;
    field.maxLength = c.maxLength;
    field.text.Allocate(c.maxLength);
    field.text.Set(c.text);
    field.hasCaret = 1;
    field.freshFocus = 1;
    CRecordingWork work;
    CEntryEditor editor(field, settings, work);
    for (char16_t k : c.input) {
        switch (k) {
            case u'<':
                editor.Character(8, false);
                break;
            case u'^':
                editor.Character(13, false);
                break;
            case u'R':
                editor.KeyDown({kRight});
                break;
            case u'D':
                editor.KeyDown({kDelete});
                break;
            case u'H':
                editor.KeyDown({kHome});
                break;
            case u'2':
                editor.KeyDown({kF2});
                break;
            case u'#':
                editor.KeyDown({'3', true});
                break;
            default:
                editor.Character(k, false);
                break;
        }
    }
    EXPECT_EQ(field.text.Get(), c.textAfter) << c.name;
    EXPECT_EQ(work.log, c.log) << c.name;
}

TEST(EntryEditor, TypingEditingAndReports) {
    std::vector<CEditorCase> cases(13);
    cases[0] = {"fieldedit replaces on fresh focus",
                u"123",
                8,
                3,
                0,
                false,
                true,
                false,
                true,
                u"4",
                u"4",
                {}};
    cases[1] = {"without fieldedit the caret starts at 0",
                u"123",
                8,
                3,
                0,
                false,
                false,
                false,
                true,
                u"4",
                u"4123",
                {}};
    cases[2] = {"a move first keeps the text",
                u"123",
                8,
                3,
                0,
                false,
                true,
                false,
                true,
                u"R4",
                u"1423",
                {}};
    cases[3] = {"numeric refuses a letter and keeps the text",
                u"123",
                8,
                0x23,
                0,
                false,
                true,
                false,
                true,
                u"x",
                u"123",
                {"error beep"}};
    cases[4] = {"upper case only for a to z",
                u"",
                8,
                3,
                0,
                false,
                true,
                true,
                true,
                u"a\u00e4",
                u"A\u00e4",
                {}};
    cases[5] = {"filled at its end completes",
                u"",
                3,
                0x07,
                0,
                false,
                true,
                false,
                true,
                u"abc",
                u"abc",
                {"complete 7"}};
    cases[6] = {"filled at its end advances",
                u"",
                3,
                3,
                0x08,
                false,
                true,
                false,
                true,
                u"abc",
                u"abc",
                {"move 1"}};
    cases[7] = {"the last place filled in the middle does neither",
                u"ab",
                3,
                0x07,
                0x08,
                false,
                false,
                false,
                true,
                u"Rx",
                u"axb",
                {}};
    cases[8] = {
        "beyond maxLength is dropped", u"", 2, 3, 0, false, true, false, true, u"abc", u"ab", {}};
    cases[9] = {"protected ignores typing and Enter, not keys",
                u"12",
                8,
                3,
                0,
                true,
                true,
                false,
                true,
                u"x^<D2#",
                u"12",
                {"key 7 2", "key 7 23"}};
    cases[10] = {"Enter without Enter to F0 moves on",
                 u"",
                 8,
                 3,
                 0,
                 false,
                 true,
                 false,
                 false,
                 u"^",
                 u"",
                 {"move 1"}};
    cases[11] = {"Enter to F0 is key 0 of this field",
                 u"",
                 8,
                 3,
                 0,
                 false,
                 true,
                 false,
                 true,
                 u"ab^",
                 u"ab",
                 {"key 7 0"}};
    cases[12] = {
        "backspace and delete", u"abcd", 8, 3, 0, false, true, false, true, u"RR<HD", u"cd", {}};
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
