#include <tuple>

#include "protocol/InterpreterFixture.h"

TEST_F(InterpreterTest, FieldTexts) {
    // What it shows, a record run first on page 0, the record, then the
    // field's number, text and length.
    const std::vector<std::tuple<const char*, const char*, const char*, int, std::u16string, int>>
        cases = {
            {"fixed text", "", "f1005Hello", 1, u"Hello", 5},
            {"fixed text cut to its length, rest read as commands", "", "f3005HelloXYo9", 3,
             u"Hello", 5},
            {"fixed field of length 0 swallows one byte", "", "f3000Xo9", 3, u"", 0},
            {"entry field starts empty", "", "i210C@8", 2, u"", 8},
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
            {"k copies up to the shorter length", "f1005Helloi210C@8u28abcdefgh", "k12", 2,
             u"Hellofgh", 8},
            {"k from a shorter text ends the target", "i110C@5u12Hii210C@8u28abcdefgh", "k12", 2,
             u"Hi", 8},
            {"k to a shorter field", "f1005Helloi210C@3", "k12", 2, u"Hel", 3},
            {"k with a missing source", "i210C@8u23abc", "k92", 2, u"abc", 8},
            {"i replaces the field", "f1005Hello", "i110C@4", 1, u"", 4},
            {"negative length counts as 0", "", "i110C@/", 1, u"", 0},
        };
    for (const auto& [name, setup, record, number, text, maxLength] : cases) {
        SCOPED_TRACE(name);
        Run("s0E");
        Run(setup);
        Run(record);
        CField* field = Field(number);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->text.Get(), text);
        EXPECT_EQ(field->maxLength, maxLength);
        EXPECT_LE(static_cast<int>(field->text.Get().size()), field->text.Capacity());
    }
}

TEST_F(InterpreterTest, FieldAttributesAndOptions) {
    Run("s0Ei210CD8");
    CField* field = Field(2);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->typeByte, 'C');
    EXPECT_EQ(field->Class(), kEntryField);
    EXPECT_EQ(field->attrFlag4, 1);
    EXPECT_EQ(field->optionS, 1);

    Run("+2A@");
    EXPECT_EQ(field->typeByte, 'A');
    EXPECT_EQ(field->attrFlag4, 0);
    EXPECT_EQ(field->changed, 0) << "the refresh made the window again";

    Run("w2!00@AS@H1@M@S3o3");
    EXPECT_EQ(field->controlKind, kSelectButtonControl);
    EXPECT_EQ(field->selected, 1);
    EXPECT_EQ(field->optionM, 1);
    EXPECT_EQ(field->optionS, 3);
    EXPECT_EQ(terminal->currentField, 3) << "the command after the options runs";

    Run("w20@AKo7");
    EXPECT_EQ(field->controlKind, kSelectButtonControl) << "K is no control kind";
    EXPECT_EQ(terminal->currentField, 3) << "K consumed the 'o' as its operand";

    Run("w20@AC@H2");
    EXPECT_EQ(field->controlKind, kCheckBoxControl);
    EXPECT_EQ(field->selected, 1) << "@H2 ends the list unconsumed";
}

TEST_F(InterpreterTest, PrefixFlags) {
    // The record and the field's prefix flags 16, 8 and 4, mode, set and text.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"y2E2]C", "1 0 1 1 1 ]C"},    // 21 = 16 + 4 + 1
        {"y282]C", "0 1 0 0 1 ]C"},    // 8
        {"y2?0", "0 1 1 3 0 "},        // 15 = 8 + 4 + 3
        {"y2L2]Cy200", "1 0 1 0 0 "},  // 28 = 16 + 8 + 4: 16 and 4 stick, 8 is cleared
        {"y2/2ab", "1 1 1 227 1 ab"},  // -1 taken as the byte 255
    };
    for (const auto& [record, flags] : cases) {
        Run("s0Ei210C@8");
        Run(record);
        CField* f = Field(2);
        ASSERT_NE(f, nullptr);
        std::string prefix;
        for (char16_t c : f->prefixText.Get()) prefix += static_cast<char>(c);
        EXPECT_EQ(std::to_string(f->prefixFlag16) + " " + std::to_string(f->prefixFlag8) + " " +
                      std::to_string(f->prefixFlag4) + " " + std::to_string(f->prefixMode) + " " +
                      std::to_string(f->prefixSet) + " " + prefix,
                  flags)
            << record;
    }
}

// Each case: a record on an empty page and what reaches the serial port, in
// hex, each sending ended by ";".
TEST_F(InterpreterTest, FixedFieldsBoundToThePortSendTheirText) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"f1005HELLOb11", "48454C4C4F;"},            // b with bit 0 on a fixed field
        {"f1000 b11", ""},                           // ... without text
        {"f1005HELLOb12", ""},                       // b without bit 0
        {"i110C@5u15HELLOb11", ""},                  // b on an entry field
        {"f1005HELLOb11u12ab", "48454C4C4F;6162;"},  // u on a bound fixed field
        {"f1002\xE9\x80"
         "b11",
         "E980;"},  // ANSI bytes go out as they came
    };
    for (const auto& [record, sent] : cases) {
        Run("s0E");
        std::string out;
        for (const std::string& event : Run(record)) {
            if (event.rfind("serial out ", 0) == 0) out += event.substr(11) + ";";
        }
        EXPECT_EQ(out, sent) << record;
    }
    EXPECT_EQ(Field(1)->skipFocus, 1);
}

TEST_F(InterpreterTest, HostTextFollowsTheCodePageSetting) {
    const std::tuple<bool, const char*, std::u16string> cases[] = {
        {false, "\xE9\x80", u"\u00E9\u20AC"},
        {true, "\xC3\xA9", u"\u00E9"},
        {true, "\xE9\x80", u""}};
    for (const auto& [utf8, bytes, text] : cases) {
        settings.SetFieldIsUTF8(utf8);
        Run("s0Ei110C@8");
        Run(std::string("u12") + bytes);
        EXPECT_EQ(Text(1), text);
    }
}
