#include "config/SettingsFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>

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

// Each case: a file's text and lines that the settings read from it write.
TEST(SettingsFileTest, ReadsAsTheFileSays) {
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
        for (std::string line; std::getline(lines, line, '|');) {
            EXPECT_NE(written.find("\r\n" + line + "\r\n"), std::string::npos) << line;
        }
    }
}

TEST(SettingsFileTest, WritesTheInitialFileAndReadsEveryValueBack) {
    CSettings original(TempPath("settings.ini"));
    ASSERT_TRUE(WriteSettingsFile(original));
    std::string written;
    ASSERT_TRUE(ReadWholeFile(original.FilePath(), written));
    EXPECT_EQ(written, Slurp(RAVELIN_TEST_DATA "/config/data/initial.ini"));

    original.SetHostName(u"host.example");
    original.SetWindowPos(-5, 6, 700, 800);
    original.SetWaterMarkText(u"D\u00E9p\u00F4t");
    original.SetSoundFile(SoundEventKind::User03, u"C:\\sounds\\ding.wav");
    ASSERT_TRUE(WriteSettingsFile(original));

    CSettings copy(original.FilePath());
    ASSERT_TRUE(ReadSettingsFile(copy));
    EXPECT_EQ(SettingsText(copy), SettingsText(original));

    CSettings missing(TempPath("missing-folder/none.ini"));
    missing.SetHostPort(1234);
    EXPECT_FALSE(ReadSettingsFile(missing));
    EXPECT_EQ(missing.HostPort(), 1234);
    EXPECT_FALSE(WriteSettingsFile(missing));
}

}  // namespace
