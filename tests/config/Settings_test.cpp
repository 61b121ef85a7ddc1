#include "config/Settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr SoundEventKind kAllKinds[] = {SoundEventKind::Normal,     SoundEventKind::Error,
                                        SoundEventKind::ScanAccept, SoundEventKind::ScanReject,
                                        SoundEventKind::User01,     SoundEventKind::User02,
                                        SoundEventKind::User03,     SoundEventKind::User04};

TEST(SettingsTest, InitialValues) {
    CSettings s(u"C:\\Ravelin\\Ravelin.ini");
    EXPECT_EQ(s.FilePath(), u"C:\\Ravelin\\Ravelin.ini");
    EXPECT_EQ(s.HostName(), u"127.0.0.1");
    EXPECT_EQ(s.HostPort(), 9999);
    EXPECT_EQ(s.ScreenCols(), 80);
    EXPECT_EQ(s.ScreenRows(), 24);
    EXPECT_EQ(s.TerminalId(), 1);
    EXPECT_FALSE(s.CarrowinAdminMode());
    EXPECT_TRUE(s.UnderlineFixedTextMode());
    EXPECT_FALSE(s.FieldIsUTF8());
    EXPECT_EQ(s.FieldNumericValue(), u"0123456789+-%*/.$");
    CWindowRect pos = s.WindowPos();
    EXPECT_EQ(pos.x, 0);
    EXPECT_EQ(pos.width, 240);
    EXPECT_EQ(pos.height, 320);
    EXPECT_EQ(s.SerialTimeouts().readIntervalTimeout, 500u);
    EXPECT_EQ(s.SerialTimeouts().writeTotalTimeoutConstant, 0u);
    EXPECT_EQ(s.FontQuality(), 0);
    EXPECT_EQ(s.FontOutPrecision(), 4);
    EXPECT_EQ(s.CharacterCellAdditionalWidth(), 1);
    // Colours are 0x00BBGGRR: the file's 95B2C3 has red 0x95 in the low byte.
    EXPECT_EQ(s.BackGroundColor(), 0x00C3B295u);
    EXPECT_EQ(s.FocusBackGroundColor(), 0x009EF0FFu);
    EXPECT_EQ(s.SelectedBackGroundColor(), 0x0033CCFFu);
    EXPECT_EQ(s.InputBackGroundColor(), 0x00FFFFFFu);
    for (SoundEventKind kind : kAllKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        EXPECT_EQ(s.SoundType(kind), 0);
        EXPECT_EQ(s.SoundFile(kind), u"");
        EXPECT_EQ(s.SoundTone(kind).frequency, 30);
        EXPECT_EQ(s.SoundTone(kind).duration, 1);
        EXPECT_EQ(s.VibrateOnTime(kind), 100);
        EXPECT_EQ(s.VibrateOffTime(kind), 100);
        EXPECT_EQ(s.VibrateIterations(kind), 1);
    }
}

TEST(SettingsTest, NumericSettersClamp) {
    struct Case {
        const char* what;
        std::function<void(CSettings&)> set;
        std::function<int(const CSettings&)> get;
        int expected;
    };
    const Case cases[] = {
        {"port 65536", [](CSettings& s) { s.SetHostPort(65536); }, &CSettings::HostPort, 65535},
        {"port 65535", [](CSettings& s) { s.SetHostPort(65535); }, &CSettings::HostPort, 65535},
        {"port 0", [](CSettings& s) { s.SetHostPort(0); }, &CSettings::HostPort, 1},
        {"id 0", [](CSettings& s) { s.SetTerminalId(0); }, &CSettings::TerminalId, 1},
        {"id 1000", [](CSettings& s) { s.SetTerminalId(1000); }, &CSettings::TerminalId, 999},
        {"id 999", [](CSettings& s) { s.SetTerminalId(999); }, &CSettings::TerminalId, 999},
        {"cols of 0x300", [](CSettings& s) { s.SetScreenSize(0, 300); }, &CSettings::ScreenCols, 1},
        {"rows of 0x300", [](CSettings& s) { s.SetScreenSize(0, 300); }, &CSettings::ScreenRows,
         207},
        {"rows of 207x208", [](CSettings& s) { s.SetScreenSize(207, 208); }, &CSettings::ScreenRows,
         207},
        {"cols of -5x10", [](CSettings& s) { s.SetScreenSize(-5, 10); }, &CSettings::ScreenCols, 1},
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
    struct Case {
        const char* what;
        std::function<void(CSettings&)> set;
        std::function<const std::u16string&(const CSettings&)> get;
        std::u16string expected;
    };
    const Case cases[] = {
        {"numerics", [](CSettings& s) { s.SetFieldNumericValue(u"1223\"4"); },
         &CSettings::FieldNumericValue, u"1234"},
        {"numerics emptied first", [](CSettings& s) { s.SetFieldNumericValue(u""); },
         &CSettings::FieldNumericValue, u""},
        {"font name of 40", [&](CSettings& s) { s.SetFontName(forty); }, &CSettings::FontName,
         forty.substr(0, 31)},
        {"font name of 31", [&](CSettings& s) { s.SetFontName(forty.substr(0, 31)); },
         &CSettings::FontName, forty.substr(0, 31)},
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

// Numerics keep at most 255 characters: the walk stops there even when
// characters beyond would still be new.
TEST(SettingsTest, NumericsWalkAtMost255Characters) {
    std::u16string text;
    for (char16_t c = 0x100; c < 0x100 + 300; ++c) text.push_back(c);
    CSettings s(u"Ravelin.ini");
    s.SetFieldNumericValue(text);
    EXPECT_EQ(s.FieldNumericValue(), text.substr(0, 255));
}

}  // namespace
