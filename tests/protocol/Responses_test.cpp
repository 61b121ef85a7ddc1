#include "protocol/Responses.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "config/Settings.h"
#include "screen/Field.h"
#include "screen/Page.h"
#include "support/RecordingPort.h"

namespace {

TEST(ResponsesTest, PrefixRules) {
    // Prefix mode (-1: no prefix), prefix, text and the value sent; "é" is a
    // prefix shorter in characters than in bytes.
    const std::tuple<int, std::u16string, std::u16string, std::u16string> cases[] = {
        {-1, u"", u"123", u"123"}, {0, u"]C", u"123", u"]C123"}, {0, u"]C", u"]C123", u"]C123"},
        {1, u"]C", u"", u"]C"},    {2, u"]C", u"]C123", u"123"}, {3, u"]C", u"X1", u"X1"},
        {3, u"]C", u"]", u"]"},    {4, u"]C", u"]C123", u""},    {0, u"é", u"é1", u"é1"}};
    for (const auto& [mode, prefix, text, value] : cases) {
        CField field;
        field.text.Set(text);
        field.prefixSet = mode >= 0;
        field.prefixMode = static_cast<uint8_t>(mode);
        field.prefixLength = prefix == u"é" ? 2 : int(prefix.size());
        field.prefixText.Set(prefix);
        EXPECT_EQ(FieldValue(field), value) << mode << " " << text.size();
    }
}

// Modified fields in number order, each reported once, in either code page,
// the other messages and the length form.
TEST(ResponsesTest, Messages) {
    CSettings settings{u"Ravelin.ini"};
    CRecordingPort port;
    CPage page{0, port, settings};
    auto add = [&page](int number, std::u16string text, bool modified) {
        CField* field = page.fields.CreateField(number, 0, number * 5, 500);
        field->text.Allocate(500);
        field->text.Set(text);
        field->modified = modified;
    };
    add(7, u"", true);
    add(3, u"AB", true);
    add(5, u"unchanged", false);
    EXPECT_EQ(KeyMessage(2, 3, CollectFieldData(page, false)), "RF23=32AB=70");
    EXPECT_EQ(KeyMessage(258, -1, ""), "RF2/");

    add(1, std::u16string(300, u'x'), true);
    EXPECT_EQ(CollectFieldData(page, false), "=1!1\x8C" + std::string(300, 'x'));
    add(2, u"\u00e9\u20ac", true);
    EXPECT_EQ(CollectFieldData(page, true), "=25\xC3\xA9\xE2\x82\xAC");

    EXPECT_EQ(StatusMessage(80, 24, 0), "R!\x82" + std::string("210X\xDC@0"));
    EXPECT_EQ(StatusMessage(26, 10, 59), "R!\x82" + std::string("210=\xD5@k"));
    EXPECT_EQ(PromptAnswerMessage(std::u16string(208, u'a'), false).substr(0, 5), "R?!10");
    EXPECT_EQ(PortDataMessage(std::string("ab\0cd", 5)), "R<12ab");

    const std::pair<size_t, std::string> lengths[] = {
        {0, "0"}, {207, "\xFF"}, {208, "!10"}, {43263, "!\xFF\xFF"}, {50000, "!\xFF\xFF"},
    };
    for (const auto& [length, bytes] : lengths) {
        std::string message;
        AppendLength(message, length);
        EXPECT_EQ(message, bytes) << length;
    }
    // Too long for the length form: cut to it, and never inside a character.
    EXPECT_EQ(ResponseBytes(std::u16string(20000, u'\u20ac'), true).size(), 43263u);
    std::u16string pairs;
    for (int i = 0; i < 15000; ++i) pairs += u"\U0001F600";
    const std::string bytes = ResponseBytes(pairs, true);
    EXPECT_LE(bytes.size(), kMaxResponseLength);
    EXPECT_EQ(bytes.size() % 4, 0u);
}

}  // namespace
