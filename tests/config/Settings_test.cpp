// The settings: the keys, the file, and what the setters keep of a text.
#include "config/Settings.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"
#include "platform/Files.h"

namespace {

// The test's paths are ASCII.
std::u16string Path(const std::string& path) {
    return std::u16string(path.begin(), path.end());
}

const CSettingsKey& Key(const std::string& name) {
    for (const CSettingsKey& key : CSettingsKeyTable::Keys())
        if (key.name == name) return key;
    ADD_FAILURE() << "no key " << name;
    return CSettingsKeyTable::Keys().front();
}

std::map<std::string, std::string> FormatAll(const CSettings& s) {
    std::map<std::string, std::string> values;
    for (const CSettingsKey& key : CSettingsKeyTable::Keys()) values[key.name] = key.format(s);
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
                                                      {F::QuotedText, "C:\\an \xE9 here"},
                                                      {F::Colour, "12AB9f"}};
    if (key.form == F::List) return kLists.at(key.name);
    if (key.form == F::Boolean) return key.format(initial) == "true" ? "FALSE" : "True";
    return kSamples.at(key.form);
}

// Parsing one key's value changes that key alone, and every reader default
// parses. The file of a record with every value changed reads back to it.
TEST(SettingsKeysTest, EachKeyParsesIntoItsOwnFieldAndRoundTrips) {
    const CSettings initial(u"Ravelin.ini");
    const std::map<std::string, std::string> before = FormatAll(initial);
    CSettings changed(Path(testing::TempDir() + "changed.ini"));
    for (const CSettingsKey& key : CSettingsKeyTable::Keys()) {
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
    ASSERT_TRUE(WriteSettingsFile(changed));
    CSettings copy(changed.FilePath());
    ASSERT_TRUE(ReadSettingsFile(copy));
    EXPECT_EQ(SettingsText(copy), SettingsText(changed));
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
        ASSERT_TRUE(!earlier || Key(key).parse(s, earlier));
        EXPECT_EQ(Key(key).parse(s, value), parsed);
        EXPECT_EQ(Key(key).format(s), written);
    }
}

// The texts, which the host and dialogs set too; numbers go through the keys.
TEST(SettingsTest, TextSettersCutAndFilter) {
    // Numerics keep each character once and no quote, from at most the first
    // 255 characters; a pair that would straddle a cut goes whole.
    std::u16string distinct300;
    for (char16_t c = 0x100; c < 0x100 + 300; ++c) distinct300.push_back(c);
    const std::u16string pairAtCut = std::u16string(30, u'a') + u"\xD83D\xDE00";
    CSettings s(u"Ravelin.ini");
    s.SetFieldNumericValue(u"1223\"4");
    EXPECT_EQ(s.FieldNumericValue(), u"1234");
    s.SetFieldNumericValue(distinct300);
    EXPECT_EQ(s.FieldNumericValue(), distinct300.substr(0, 255));
    s.SetFontName(pairAtCut);
    EXPECT_EQ(s.FontName(), pairAtCut.substr(0, 30));
    s.SetHostName(std::u16string(300, u'p'));
    EXPECT_EQ(s.HostName(), std::u16string(300, u'p'));
}

// Each case: a file's text and lines that the settings read from it write.
TEST(SettingsFileTest, ReadsAsTheFileSaysAndWritesTheInitialOne) {
    // Name, file text, lines written with "|" between them.
    const std::tuple<const char*, std::string, const char*> cases[] = {
        {"the rest reader defaults", "hostport=2000\r\n",
         "hostport=2000|CarrowinAdminMode=true|terminalid=1|NormalSoundToneFrequency=0|"
         "fontname=\"Courier New\"|BackGroundColor=95B2C3"},
        {"keys in any case", "HOSTPORT=2001\nCustomcolormode=TRUE\n",
         "hostport=2001|CustomColorMode=true"},
        {"spaces around =", "hostport = 2002\r\n", "hostport=9999"},
        {"the first of two wins", "terminalid=5\r\nterminalid=7\r\n", "terminalid=5"},
        {"no quotes", "fontname=Lucida Console\r\n", "fontname=\"Lucida Console\""},
        {"a quote ends the value", "WaterMarkText=\"\"\r\nfieldnumericvalue=\"12\"34\"\r\n",
         "WaterMarkText=\"\"|fieldnumericvalue=\"12\""},
        {"equals signs are a quoted value", "WaterMarkText=\"==\"\r\n", "WaterMarkText=\"==\""},
        {"a key's name in a value is no key",
         "WaterMarkText=\"CarrowinAdminMode\"\r\nCarrowinAdminMode=false\r\n",
         "WaterMarkText=\"CarrowinAdminMode\"|CarrowinAdminMode=false"},
        {"empty host name and number", "hostname=\r\nhostport=\r\nscreencols=100\r\n",
         "hostname=|hostport=9999|screencols=100"}};
    for (const auto& [name, text, expected] : cases) {
        SCOPED_TRACE(name);
        CSettings settings(u"unused");
        ReadSettingsText(settings, text);
        const std::string written = "\r\n" + SettingsText(settings);
        std::istringstream lines(expected);
        for (std::string line; std::getline(lines, line, '|');)
            EXPECT_NE(written.find("\r\n" + line + "\r\n"), std::string::npos) << line;
    }

    // The file written at first, and none without its folder.
    CSettings original(Path(testing::TempDir() + "settings.ini"));
    ASSERT_TRUE(WriteSettingsFile(original));
    std::string written, initial;
    ASSERT_TRUE(ReadWholeFile(original.FilePath(), written));
    ASSERT_TRUE(ReadWholeFile(Path(RAVELIN_TEST_DATA "/config/data/initial.ini"), initial));
    EXPECT_EQ(written, initial);

    CSettings missing(Path(testing::TempDir() + "missing-folder/none.ini"));
    missing.SetHostPort(1234);
    EXPECT_FALSE(ReadSettingsFile(missing));
    EXPECT_EQ(missing.HostPort(), 1234);
    EXPECT_FALSE(WriteSettingsFile(missing));
}

}  // namespace
