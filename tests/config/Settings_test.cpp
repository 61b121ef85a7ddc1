#include "config/Settings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "config/SettingsKeys.h"

namespace {

const std::vector<CSettingsKey>& Keys() {
    return CSettingsKeyTable::Keys();
}

const CSettingsKey& Key(const std::string& name) {
    for (const CSettingsKey& key : Keys()) {
        if (key.name == name) return key;
    }
    ADD_FAILURE() << "no key " << name;
    return Keys().front();
}

// The value as the reader hands it to parse: without its quotes.
std::string Unquoted(std::string value) {
    if (!value.empty() && value.front() == '"') value = value.substr(1, value.find('"', 1) - 1);
    return value;
}

std::map<std::string, std::string> FormatAll(const CSettings& s) {
    std::map<std::string, std::string> values;
    for (const CSettingsKey& key : Keys()) values[key.name] = key.format(s);
    return values;
}

// A value unlike the initial one in the key's form.
std::string SampleValue(const CSettingsKey& key, const CSettings& initial) {
    using F = ValueForm;
    static const std::map<std::string, std::string> kLists = {
        {"windowpos", "-7,8,640,-480"},
        {"serial", "COM3:,19200,7,Even,2"},
        {"serialfeature", "true,2,-3,true,127,-128"}};
    static const std::map<F, std::string> kSamples = {{F::Integer, "123"},
                                                      {F::TwoDigitInteger, "42"},
                                                      {F::PlainText, "host.example"},
                                                      {F::QuotedText, "an \xE9 here"},
                                                      {F::Colour, "12AB9f"}};
    if (key.form == F::List) return kLists.at(key.name);
    if (key.form == F::Boolean) return key.format(initial) == "true" ? "FALSE" : "True";
    return kSamples.at(key.form);
}

// Parsing one key's value changes that key alone, what it writes reads back
// to the same record, and every reader default parses.
TEST(SettingsKeysTest, EachKeyParsesIntoItsOwnFieldAndRoundTrips) {
    const CSettings initial(u"Ravelin.ini");
    const std::map<std::string, std::string> before = FormatAll(initial);
    CSettings changed(u"Ravelin.ini");
    for (const CSettingsKey& key : Keys()) {
        SCOPED_TRACE(key.name);
        CSettings s(u"Ravelin.ini");
        ASSERT_TRUE(key.parse(s, SampleValue(key, initial)));
        std::map<std::string, std::string> after = FormatAll(s);
        EXPECT_NE(after[key.name], before.at(key.name));
        after[key.name] = before.at(key.name);
        EXPECT_EQ(after, before) << "another key changed too";
        ASSERT_TRUE(key.parse(changed, SampleValue(key, initial)));
        EXPECT_TRUE(key.parse(s, key.readerDefault));
    }
    const std::map<std::string, std::string> written = FormatAll(changed);
    CSettings reread(u"Ravelin.ini");
    for (const CSettingsKey& key : Keys()) {
        SCOPED_TRACE(key.name);
        EXPECT_TRUE(key.parse(reread, Unquoted(written.at(key.name))));
    }
    EXPECT_EQ(FormatAll(reread), written);
}

TEST(SettingsKeysTest, ParseEdgeCases) {
    // Key, a value parsed first so that a fallback is seen (or null), the
    // value, whether it parses, what is written.
    const std::tuple<const char*, const char*, const char*, bool, const char*> cases[] = {
        {"BackGroundColor", nullptr, "95b2c3", true, "95B2C3"},
        {"BackGroundColor", nullptr, "123456 trailing", true, "123456"},
        {"BackGroundColor", nullptr, "FFF", false, "95B2C3"},
        {"CharacterCellAdditionalWidth", nullptr, "150", true, "01"},
        {"CharacterCellAdditionalWidth", nullptr, "-1", true, "01"},
        {"windowpos", nullptr, "10,20", true, "-2147483648,-2147483648,-2147483648,-2147483648"},
        {"windowpos", nullptr, "1,2,3,4,5", true, "1,2,3,4"},
        {"windowpos", nullptr, "1,x,3,4", true, "1,0,3,4"},
        {"serial", "COM2:,4800,7,Odd,2", "COM3:,19200", true, "\"COM1:,9600,8,None,1\""},
        {"serial", nullptr, "COM1234567890123456789:,9600,8,None,1", true,
         "\"COM1234567890123456,9600,8,None,1\""},
        {"serialfeature", nullptr, "false,1", true, "true,10,13,true,10,13"},
        {"serialfeature", nullptr, "TRUE,200,-1,yes,128,65", true, "true,-56,-1,false,-128,65"},
        {"fullscreen", "true", "yes", false, "true"},
        {"hostport", nullptr, " 2000abc", true, "2000"},
        {"hostport", nullptr, "70000", true, "65535"},
        {"hostport", nullptr, "abc", true, "1"},
        {"screencols", nullptr, "0", true, "1"},
        {"screenrows", nullptr, "300", true, "207"},
        {"terminalid", nullptr, "1000", true, "999"},
        {"terminalid", nullptr, "0", true, "1"},
        {"toolbarsize", nullptr, "-1", true, "-1"},
        {"serialReadIntervalTimeout", nullptr, "-1", true, "4294967295"}};
    for (const auto& [key, earlier, value, parsed, written] : cases) {
        SCOPED_TRACE(std::string(key) + "=" + value);
        CSettings s(u"Ravelin.ini");
        if (earlier) {
            ASSERT_TRUE(Key(key).parse(s, earlier));
        }
        EXPECT_EQ(Key(key).parse(s, value), parsed);
        EXPECT_EQ(Key(key).format(s), written);
    }
}

// The numeric clamps are tested through the keys, which use the setters;
// these are the texts, which the host and dialogs set too.
TEST(SettingsTest, TextSettersCutAndFilter) {
    // Numerics keep each character once and no quote, from at most the first
    // 255 characters; a pair that would straddle a cut goes whole.
    std::u16string distinct300;
    for (char16_t c = 0x100; c < 0x100 + 300; ++c) distinct300.push_back(c);
    const std::u16string pairAtCut = std::u16string(30, u'a') + u"\xD83D\xDE00";
    const std::u16string long300(300, u'p');
    using S = CSettings;
    const std::tuple<void (S::*)(std::u16string_view), const std::u16string& (S::*)() const,
                     std::u16string, std::u16string>
        cases[] = {{&S::SetFieldNumericValue, &S::FieldNumericValue, u"1223\"4", u"1234"},
                   {&S::SetFieldNumericValue, &S::FieldNumericValue, distinct300,
                    distinct300.substr(0, 255)},
                   {&S::SetFontName, &S::FontName, pairAtCut, pairAtCut.substr(0, 30)},
                   {&S::SetHostName, &S::HostName, long300, long300}};
    for (const auto& [set, get, text, expected] : cases) {
        CSettings s(u"Ravelin.ini");
        (s.*set)(text);
        EXPECT_EQ((s.*get)(), expected);
    }
}

}  // namespace
