#include "config/SettingsKeys.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "config/Settings.h"

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

bool IsRestOfLine(ValueForm form) {
    return form == ValueForm::QuotedText || form == ValueForm::Colour || form == ValueForm::List;
}

// The value as the reader hands it to parse: rest-of-line values lose their
// quotes.
std::string AsRead(const CSettingsKey& key, const std::string& written) {
    if (!IsRestOfLine(key.form)) return written;
    std::string value = written;
    if (!value.empty() && value.front() == '"') value.erase(0, 1);
    return value.substr(0, value.find('"'));
}

std::map<std::string, std::string> FormatAll(const CSettings& s) {
    std::map<std::string, std::string> values;
    for (const CSettingsKey& key : Keys()) values[key.name] = key.format(s);
    return values;
}

struct ExpectedKey {
    std::string name;
    ValueForm form;
    std::string readerDefault;
};

using F = ValueForm;
const std::vector<ExpectedKey> kGeneralKeys = {
    {"hostname", F::PlainText, "127.0.0.1"},
    {"hostport", F::Integer, "9999"},
    {"screencols", F::Integer, "80"},
    {"screenrows", F::Integer, "24"},
    {"terminalid", F::Integer, "1"},
    {"toolbarsize", F::Integer, "0"},
    {"fullscreen", F::Boolean, "false"},
    {"windowstate", F::Integer, "0"},
    {"windowpos", F::List, "0,0,240,320"},
    {"intercharacterdelay", F::Integer, "30"},
    {"fontpointsize", F::Integer, "9"},
    {"fontautosize", F::Boolean, "false"},
    {"fontname", F::QuotedText, "Courier New"},
    {"serial", F::List, "COM1:,9600,8,None,1"},
    {"serialcommand", F::Boolean, "false"},
    {"serialfeature", F::List, "false,0,0,false,0,0"},
    {"serialReadIntervalTimeout", F::Integer, "500"},
    {"serialReadTotalTimeoutConstant", F::Integer, "0"},
    {"serialReadTotalTimeoutMultiplier", F::Integer, "0"},
    {"serialWriteTotalTimeoutConstant", F::Integer, "0"},
    {"serialWriteTotalTimeoutMultiplier", F::Integer, "0"},
    {"fieldedit", F::Boolean, "true"},
    {"fieldnumericvalue", F::QuotedText, "0123456789+-%*/.$"},
    {"scannerappendenter", F::Boolean, "false"},
    {"scannerappendf0", F::Boolean, "true"},
    {"scanneroverwritefield", F::Boolean, "true"},
    {"fieldentertof0", F::Boolean, "true"},
    {"ScannerModeCallBack", F::Boolean, "true"},
    {"CustomColorMode", F::Boolean, "false"},
    {"ShowWaterMark", F::Boolean, "true"},
    {"WaterMarkText", F::QuotedText, "Ravelin II"},
    {"ForeGroundColor", F::Colour, "000000"},
    {"BackGroundColor", F::Colour, "95B2C3"},
    {"InputForeGroundColor", F::Colour, "000000"},
    {"InputBackGroundColor", F::Colour, "ffffff"},
    {"FocusForeGroundColor", F::Colour, "000000"},
    {"FocusBackGroundColor", F::Colour, "FFF09E"},
    {"SelectedForeGround", F::Colour, "FFFFFF"},
    {"SelectedBackGroundColor", F::Colour, "FFCC33"},
    {"CheckBoxCheckAndRadioButtonDotColor", F::Colour, "000000"},
    {"CharacterCellAdditionalWidth", F::TwoDigitInteger, "01"},
    {"CarrowinAdminMode", F::Boolean, "true"},
    {"UnderlineFixedTextMode", F::Boolean, "true"},
    {"UpperCaseInputMode", F::Boolean, "false"},
};

std::vector<ExpectedKey> SoundKeys(const std::string& event) {
    std::vector<ExpectedKey> keys;
    for (const char* suffix :
         {"SoundType", "SoundFile", "SoundToneFrequency", "SoundToneDuration", "VibrateEnabled",
          "VibrateOnTime", "VibrateOffTime", "VibrateIterations"}) {
        bool file = std::string(suffix) == "SoundFile";
        keys.push_back({event + suffix, file ? F::QuotedText : F::Integer, file ? "" : "0"});
    }
    return keys;
}

TEST(SettingsKeysTest, KeysInWriteOrderWithFormsAndDefaults) {
    std::vector<ExpectedKey> expected = kGeneralKeys;
    for (const char* event : {"Normal", "Error", "ScanAccept", "ScanReject"}) {
        for (const ExpectedKey& k : SoundKeys(event)) expected.push_back(k);
    }
    expected.push_back({"fieldIsUTF8", F::Boolean, "false"});
    for (const char* event : {"User01", "User02", "User03", "User04"}) {
        for (const ExpectedKey& k : SoundKeys(event)) expected.push_back(k);
    }
    ASSERT_EQ(expected.size(), 109u);  // 45 general keys and 64 sound keys
    ASSERT_EQ(Keys().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(Keys()[i].name, expected[i].name);
        EXPECT_EQ(Keys()[i].form, expected[i].form);
        EXPECT_EQ(Keys()[i].readerDefault, expected[i].readerDefault);
    }
}

TEST(SettingsKeysTest, FormatsInitialRecordAsWritten) {
    const std::map<std::string, std::string> expected = {
        {"hostname", "127.0.0.1"},
        {"hostport", "9999"},
        {"screencols", "80"},
        {"screenrows", "24"},
        {"terminalid", "1"},
        {"toolbarsize", "0"},
        {"fullscreen", "false"},
        {"windowstate", "0"},
        {"windowpos", "0,0,240,320"},
        {"intercharacterdelay", "30"},
        {"fontpointsize", "9"},
        {"fontautosize", "false"},
        {"fontname", "\"Courier New\""},
        {"serial", "\"COM1:,9600,8,None,1\""},
        {"serialcommand", "false"},
        {"serialfeature", "false,0,0,false,0,0"},
        {"serialReadIntervalTimeout", "500"},
        {"fieldnumericvalue", "\"0123456789+-%*/.$\""},
        {"WaterMarkText", "\"Ravelin II\""},
        {"BackGroundColor", "95B2C3"},
        {"InputBackGroundColor", "FFFFFF"},
        {"FocusBackGroundColor", "FFF09E"},
        {"CharacterCellAdditionalWidth", "01"},
        {"CarrowinAdminMode", "false"},
        {"NormalSoundFile", "\"\""},
        {"NormalSoundToneFrequency", "30"},
        {"User04VibrateOnTime", "100"},
    };
    CSettings s(u"Ravelin.ini");
    for (const auto& [name, text] : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Key(name).format(s), text);
    }
}

// A value unlike the initial one in the key's form.
std::string SampleValue(const CSettingsKey& key, const CSettings& initial) {
    static const std::map<std::string, std::string> kLists = {
        {"windowpos", "-7,8,640,-480"},
        {"serial", "COM3:,19200,7,Even,2"},
        {"serialfeature", "true,2,-3,true,127,-128"},
    };
    switch (key.form) {
        case F::Integer:
            return "123";
        case F::TwoDigitInteger:
            return "42";
        case F::Boolean:
            return key.format(initial) == "true" ? "FALSE" : "True";
        case F::PlainText:
            return "host.example";
        case F::QuotedText:
            return "an \xE9 here";
        case F::Colour:
            return "12AB9f";
        case F::List:
            return kLists.at(key.name);
    }
    return {};
}

// Parsing one key's value changes that key alone, and what it writes reads
// back to the same record.
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
    }
    const std::map<std::string, std::string> written = FormatAll(changed);
    CSettings reread(u"Ravelin.ini");
    for (const CSettingsKey& key : Keys()) {
        SCOPED_TRACE(key.name);
        EXPECT_TRUE(key.parse(reread, AsRead(key, written.at(key.name))));
    }
    EXPECT_EQ(FormatAll(reread), written);
}

// A file that lacks every key leaves the reader defaults.
TEST(SettingsKeysTest, ReaderDefaultsDifferFromInitialValues) {
    CSettings s(u"Ravelin.ini");
    for (const CSettingsKey& key : Keys()) {
        SCOPED_TRACE(key.name);
        EXPECT_TRUE(key.parse(s, key.readerDefault));
    }
    EXPECT_TRUE(s.CarrowinAdminMode());
    EXPECT_EQ(s.InputBackGroundColor(), 0x00FFFFFFu);
    EXPECT_EQ(s.BackGroundColor(), 0x00C3B295u);
    EXPECT_EQ(s.SoundTone(SoundEventKind::Normal).frequency, 0);
    EXPECT_EQ(s.SoundTone(SoundEventKind::User04).duration, 0);
    EXPECT_EQ(s.VibrateIterations(SoundEventKind::Error), 0);
    EXPECT_EQ(s.ScreenCols(), 80);
    EXPECT_EQ(s.SerialPort(), u"COM1:");
}

TEST(SettingsKeysTest, ParseEdgeCases) {
    struct Case {
        const char* key;
        const char* earlier;  // parsed first, so a fallback is seen; may be null
        const char* value;
        bool parsed;
        const char* written;
    };
    const Case cases[] = {
        {"BackGroundColor", nullptr, "FF0000", true, "FF0000"},
        {"BackGroundColor", nullptr, "95b2c3", true, "95B2C3"},
        {"BackGroundColor", nullptr, "123456 trailing", true, "123456"},
        {"BackGroundColor", nullptr, "FFF", false, "95B2C3"},
        {"CharacterCellAdditionalWidth", nullptr, "150", true, "01"},
        {"CharacterCellAdditionalWidth", nullptr, "3", true, "03"},
        {"CharacterCellAdditionalWidth", nullptr, "-1", true, "01"},
        {"CharacterCellAdditionalWidth", nullptr, "99", true, "99"},
        {"windowpos", nullptr, "10,20", true, "-2147483648,-2147483648,-2147483648,-2147483648"},
        {"windowpos", nullptr, "1,2,3,4,5", true, "1,2,3,4"},
        {"windowpos", nullptr, "1,x,3,4", true, "1,0,3,4"},
        {"serial", "COM2:,4800,7,Odd,2", "COM3:,19200", true, "\"COM1:,9600,8,None,1\""},
        {"serial", nullptr, "COM1234567890123456789:,9600,8,None,1", true,
         "\"COM1234567890123456,9600,8,None,1\""},
        {"serialfeature", nullptr, "false,1", true, "true,10,13,true,10,13"},
        {"serialfeature", nullptr, "TRUE,200,-1,yes,128,65", true, "true,-56,-1,false,-128,65"},
        {"fullscreen", nullptr, "yes", false, "false"},
        {"fullscreen", "true", "yes", false, "true"},
        {"fullscreen", nullptr, "TRUE", true, "true"},
        {"hostport", nullptr, " 2000abc", true, "2000"},
        {"hostport", nullptr, "70000", true, "65535"},
        {"hostport", nullptr, "abc", true, "1"},
        {"screencols", nullptr, "0", true, "1"},
        {"screenrows", nullptr, "300", true, "207"},
        {"terminalid", nullptr, "1000", true, "999"},
        {"terminalid", nullptr, "-4", true, "1"},
        {"toolbarsize", nullptr, "-1", true, "-1"},
        {"serialReadIntervalTimeout", nullptr, "-1", true, "4294967295"},
        {"fieldnumericvalue", nullptr, "1223", true, "\"123\""},
        {"fontname", nullptr, "", true, "\"\""},
        {"hostname", nullptr, "", true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.value);
        CSettings s(u"Ravelin.ini");
        if (c.earlier) {
            ASSERT_TRUE(Key(c.key).parse(s, c.earlier));
        }
        EXPECT_EQ(Key(c.key).parse(s, c.value), c.parsed);
        EXPECT_EQ(Key(c.key).format(s), c.written);
    }
}

TEST(SettingsKeysTest, StoredValuesOfReadText) {
    CSettings s(u"Ravelin.ini");
    ASSERT_TRUE(Key("SelectedForeGround").parse(s, "FF0000"));
    EXPECT_EQ(s.SelectedForeGround(), 0x000000FFu);  // red in the low byte
    ASSERT_TRUE(Key("serialfeature").parse(s, "true,200,-56,false,0,-128"));
    EXPECT_EQ(s.SerialInPrefix(), 200);
    EXPECT_EQ(s.SerialInSuffix(), 200);
    EXPECT_EQ(s.SerialOutSuffix(), 128);
    ASSERT_TRUE(Key("WaterMarkText").parse(s, "Caf\xE9"));  // ANSI é
    EXPECT_EQ(s.WaterMarkText(), u"Caf\u00E9");
    ASSERT_TRUE(Key("ScanRejectSoundToneDuration").parse(s, "75"));
    EXPECT_EQ(s.SoundTone(SoundEventKind::ScanReject).duration, 75);
    EXPECT_EQ(s.SoundTone(SoundEventKind::ScanReject).frequency, 30);
}

}  // namespace
