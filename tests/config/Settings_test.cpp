#include "config/Settings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The numeric clamps are tested through the file's reader, which uses the
// setters; these are the texts, which the host and dialogs set too.
TEST(SettingsTest, TextSettersCutAndFilter) {
    const std::u16string forty(40, u'F');
    const std::u16string long300(300, u'p');
    // A pair that would straddle the cut goes whole.
    const std::u16string pairAtCut = std::u16string(30, u'a') + u"\xD83D\xDE00";
    // Numerics keep at most 255 characters: the walk stops there even when
    // characters beyond would still be new.
    std::u16string distinct300;
    for (char16_t c = 0x100; c < 0x100 + 300; ++c) distinct300.push_back(c);
    using S = CSettings;
    struct Case {
        void (S::*set)(std::u16string_view);
        const std::u16string& (S::*get)() const;
        std::u16string text;
        std::u16string expected;
    };
    const Case cases[] = {
        {&S::SetFieldNumericValue, &S::FieldNumericValue, u"1223\"4", u"1234"},
        {&S::SetFieldNumericValue, &S::FieldNumericValue, distinct300, distinct300.substr(0, 255)},
        {&S::SetFontName, &S::FontName, forty, forty.substr(0, 31)},
        {&S::SetFontName, &S::FontName, pairAtCut, pairAtCut.substr(0, 30)},
        {&S::SetSerialParity, &S::SerialParity, forty, forty.substr(0, 19)},
        {&S::SetWaterMarkText, &S::WaterMarkText, forty, forty.substr(0, 32)},
        {&S::SetHostName, &S::HostName, long300, long300}};
    for (const Case& c : cases) {
        CSettings s(u"Ravelin.ini");
        (s.*c.set)(c.text);
        EXPECT_EQ((s.*c.get)(), c.expected) << "case " << &c - cases;
    }
    CSettings s(u"Ravelin.ini");
    s.SetSoundFile(SoundEventKind::ScanReject, long300);
    EXPECT_EQ(s.SoundFile(SoundEventKind::ScanReject), long300.substr(0, 259));
}

}  // namespace
