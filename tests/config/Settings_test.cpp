#include "config/Settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

TEST(SettingsTest, NumericSettersClamp) {
    struct Case {
        const char* what;
        std::function<void(CSettings&)> set;
        std::function<int(const CSettings&)> get;
        int expected;
    };
    const Case cases[] = {
        {"port 65536", [](CSettings& s) { s.SetHostPort(65536); }, &CSettings::HostPort, 65535},
        {"port 0", [](CSettings& s) { s.SetHostPort(0); }, &CSettings::HostPort, 1},
        {"id 0", [](CSettings& s) { s.SetTerminalId(0); }, &CSettings::TerminalId, 1},
        {"id 1000", [](CSettings& s) { s.SetTerminalId(1000); }, &CSettings::TerminalId, 999},
        {"cols of 0x300", [](CSettings& s) { s.SetScreenSize(0, 300); }, &CSettings::ScreenCols, 1},
        {"rows of 0x300", [](CSettings& s) { s.SetScreenSize(0, 300); }, &CSettings::ScreenRows,
         207},
        {"rows of 207x208", [](CSettings& s) { s.SetScreenSize(207, 208); }, &CSettings::ScreenRows,
         207},
        {"effective size 9+2",
         [](CSettings& s) {
             s.SetFontPointSize(9);
             s.SetPointSizeAdjust(2);
         },
         &CSettings::EffectiveFontPointSize, 11},
        {"tone duration set with frequency",
         [](CSettings& s) { s.SetSoundTone(SoundEventKind::User02, 440, 250); },
         [](const CSettings& s) { return s.SoundToneDuration(SoundEventKind::User02); }, 250},
        {"other event's tone untouched",
         [](CSettings& s) { s.SetSoundTone(SoundEventKind::User02, 440, 250); },
         [](const CSettings& s) { return s.SoundToneFrequency(SoundEventKind::User03); }, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CSettings s(u"Ravelin.ini");
        c.set(s);
        EXPECT_EQ(c.get(s), c.expected);
    }
}

TEST(SettingsTest, TextSettersCutAndFilter) {
    const std::u16string forty(40, u'F');
    const std::u16string long300(300, u'p');
    // A pair that would straddle the cut goes whole.
    const std::u16string pairAtCut = std::u16string(30, u'a') + u"\xD83D\xDE00";
    // Numerics keep at most 255 characters: the walk stops there even when
    // characters beyond would still be new.
    std::u16string distinct300;
    for (char16_t c = 0x100; c < 0x100 + 300; ++c) distinct300.push_back(c);
    struct Case {
        const char* what;
        std::function<void(CSettings&)> set;
        std::function<const std::u16string&(const CSettings&)> get;
        std::u16string expected;
    };
    const Case cases[] = {
        {"numerics", [](CSettings& s) { s.SetFieldNumericValue(u"1223\"4"); },
         &CSettings::FieldNumericValue, u"1234"},
        {"numerics of 300", [&](CSettings& s) { s.SetFieldNumericValue(distinct300); },
         &CSettings::FieldNumericValue, distinct300.substr(0, 255)},
        {"font name of 40", [&](CSettings& s) { s.SetFontName(forty); }, &CSettings::FontName,
         forty.substr(0, 31)},
        {"font name pair at cut", [&](CSettings& s) { s.SetFontName(pairAtCut); },
         &CSettings::FontName, pairAtCut.substr(0, 30)},
        {"serial port of 20", [](CSettings& s) { s.SetSerialPort(u"COM12345678901234567"); },
         &CSettings::SerialPort, u"COM1234567890123456"},
        {"serial parity of 40", [&](CSettings& s) { s.SetSerialParity(forty); },
         &CSettings::SerialParity, forty.substr(0, 19)},
        {"watermark of 40", [&](CSettings& s) { s.SetWaterMarkText(forty); },
         &CSettings::WaterMarkText, forty.substr(0, 32)},
        {"sound file of 300",
         [&](CSettings& s) { s.SetSoundFile(SoundEventKind::ScanReject, long300); },
         [](const CSettings& s) -> const std::u16string& {
             return s.SoundFile(SoundEventKind::ScanReject);
         },
         long300.substr(0, 259)},
        {"host name of any length", [&](CSettings& s) { s.SetHostName(long300); },
         &CSettings::HostName, long300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CSettings s(u"Ravelin.ini");
        c.set(s);
        EXPECT_EQ(c.get(s), c.expected);
    }
}

}  // namespace
