#include "config/SettingsFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "config/Settings.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"

namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::u16string TempPath(const char* name) {
    std::string path = testing::TempDir() + name;
    return DecodeText(reinterpret_cast<const unsigned char*>(path.data()), path.size(), false,
                      path.size());
}

TEST(SettingsFileTest, InitialSettingsAreWrittenAsExpected) {
    CSettings settings(TempPath("initial.ini"));
    ASSERT_TRUE(WriteSettingsFile(settings));
    std::string written;
    ASSERT_TRUE(ReadWholeFile(settings.FilePath(), written));
    EXPECT_EQ(written, Slurp(RAVELIN_TEST_DATA "/config/data/initial.ini"));
}

struct ReadCase {
    const char* name;
    std::string text;
    std::function<bool(const CSettings&)> holds;
};

TEST(SettingsFileTest, ReadsAsTheFileSays) {
    const std::vector<ReadCase> cases = {
        {"one key, the rest reader defaults", "hostport=2000\r\n",
         [](const CSettings& s) {
             return s.HostPort() == 2000 && s.CarrowinAdminMode() && s.TerminalId() == 1 &&
                    s.SoundToneFrequency(SoundEventKind::Normal) == 0 &&
                    s.FontName() == u"Courier New" && s.BackGroundColor() == 0xC3B295;
         }},
        {"keys in any case", "HOSTPORT=2001\nCustomcolormode=TRUE\n",
         [](const CSettings& s) { return s.HostPort() == 2001 && s.CustomColorMode(); }},
        {"spaces around = do not match", "hostport = 2002\r\n",
         [](const CSettings& s) { return s.HostPort() == 9999; }},
        {"the first of two wins", "terminalid=5\r\nterminalid=7\r\n",
         [](const CSettings& s) { return s.TerminalId() == 5; }},
        {"font name without quotes", "fontname=Lucida Console\r\n",
         [](const CSettings& s) { return s.FontName() == u"Lucida Console"; }},
        {"only quotes is empty; a quote ends the value",
         "WaterMarkText=\"\"\r\nfieldnumericvalue=\"12\"34\"\r\n",
         [](const CSettings& s) {
             return s.WaterMarkText().empty() && s.FieldNumericValue() == u"12";
         }},
        {"an empty host name stays empty, an empty number is absent",
         "hostname=\r\nhostport=\r\nscreencols=100\r\n",
         [](const CSettings& s) {
             return s.HostName().empty() && s.HostPort() == 9999 && s.ScreenCols() == 100;
         }},
        {"ANSI text", "WaterMarkText=\"Caf\xE9\"\r\n",
         [](const CSettings& s) { return s.WaterMarkText() == u"Caf\u00E9"; }},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        CSettings settings(u"unused");
        ReadSettingsText(settings, c.text);
        EXPECT_TRUE(c.holds(settings));
    }
}

TEST(SettingsFileTest, WriteThenReadGivesEveryValueBack) {
    CSettings original(TempPath("roundtrip.ini"));
    original.SetHostName(u"host.example");
    original.SetWindowPos(-5, 6, 700, 800);
    original.SetWaterMarkText(u"D\u00E9p\u00F4t");
    original.SetSoundFile(SoundEventKind::User03, u"C:\\sounds\\ding.wav");
    ASSERT_TRUE(WriteSettingsFile(original));

    CSettings copy(original.FilePath());
    ASSERT_TRUE(ReadSettingsFile(copy));
    EXPECT_EQ(SettingsText(copy), SettingsText(original));
    EXPECT_EQ(copy.HostName(), u"host.example");
    EXPECT_EQ(copy.WaterMarkText(), u"D\u00E9p\u00F4t");

    // No file: false, and the record keeps its values.
    CSettings missing(TempPath("missing-folder/none.ini"));
    missing.SetHostPort(1234);
    EXPECT_FALSE(ReadSettingsFile(missing));
    EXPECT_EQ(missing.HostPort(), 1234);
    EXPECT_FALSE(WriteSettingsFile(missing));

    // A file that opens but takes no byte: the failure is reported.
#ifdef _WIN32
    CSettings full(u"Z:\\dev\\full");
#else
    CSettings full(u"/dev/full");
#endif
    EXPECT_FALSE(WriteSettingsFile(full));
}

}  // namespace
