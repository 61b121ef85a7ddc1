// The options' portable parts: the dialogs' rules and the sound events.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "config/Settings.h"
#include "options/FontFamilyList.h"
#include "options/OptionsRules.h"
#include "options/SerialDialogRules.h"
#include "options/SoundEvent.h"
#include "options/ToneImage.h"
#include "platform/SoundOutput.h"

namespace {

TEST(DialogRulesTest, ToolbarRadiosTypedValuesAndFontFaces) {
    const std::pair<int, int> shown[] = {{-1, 0}, {1, 2}, {2, 3}, {0, 1}, {5, 1}, {-2, 1}};
    for (auto [size, radio] : shown) EXPECT_EQ(ToolbarRadioFor(size), radio) << size;
    // The first checked one counts.
    EXPECT_EQ(ToolbarSizeFromRadios({false, true, true, false}), 0);
    EXPECT_EQ(ToolbarSizeFromRadios({true, false, false, true}), -1);
    EXPECT_EQ(ToolbarSizeFromRadios({false, false, false, false}), 0);
    // Typed numbers and texts are cut.
    EXPECT_EQ(DialogWaterMark(std::u16string(32, u'W')), std::u16string(31, u'W'));
    EXPECT_EQ(std::pair(DialogCellWidth(12), DialogCellWidth(-3)), std::pair(9, 0));
    EXPECT_EQ(std::pair(int(SevenBitCode(200)), int(DialogReadInterval(50))), std::pair(72, 100));

    // Font faces sorted once, whatever the case.
    CFontFamilyList list;
    for (const char16_t* face : {u"Tahoma", u"arial", u"Courier New", u"Arial", u"COURIER NEW",
                                 u"@MS Gothic", u"Tahoma", u"\u00C9lan", u"\u00E9LAN"})
        list.Add(face);
    EXPECT_EQ(list.Names(), (std::vector<std::u16string>{u"@MS Gothic", u"arial", u"Courier New",
                                                         u"Tahoma", u"\u00C9lan"}));
    const std::pair<const char16_t*, size_t> selections[] = {
        {u"courier new", 2}, {u"Tahoma", 3}, {u"No Such Face", 0}, {u"Courier", 0}};
    for (auto [name, index] : selections) EXPECT_EQ(list.SelectionFor(name), index);
    EXPECT_EQ(CFontFamilyList().SelectionFor(u"Arial"), 0u);
}

// On opening an unknown setting shows the list's fallback; OK keeps the
// setting (-1) when the text names no entry.
TEST(DialogRulesTest, SerialListsAndPorts) {
    const std::tuple<const CChoiceList&, std::u16string_view, int, int> cases[] = {
        {kBaudRateList, u"256000", 14, 14}, {kBaudRateList, u"1920", 6, -1},
        {kBaudRateList, u"", 6, -1},        {kParityList, u"SPACE", 4, 4},
        {kParityList, u"E", 2, -1},         {kSerialInModeList, u"Comm", 0, -1}};
    for (const auto& [list, setting, shown, typed] : cases)
        EXPECT_EQ(std::pair(ChoiceIndexFor(list, setting), ChoiceIndexTyped(list, setting)),
                  std::pair(shown, typed))
            << std::string(setting.begin(), setting.end());
    // The port's number read from its name, and its name formed.
    const std::pair<std::u16string_view, int> read[] = {
        {u"COM12:", 12}, {u"COM7", 7},  {u"COM 3:", 3}, {u"COM-2:", -2},
        {u"COM:", 1},    {u"LPT2:", 1}, {u"com4:", 1},  {u"COM99999999999:", 99999999}};
    for (auto [text, n] : read)
        EXPECT_EQ(ComPortNumber(text), n) << std::string(text.begin(), text.end());
    const std::pair<unsigned, std::u16string_view> formed[] = {
        {0, u"COM1:"}, {100, u"COM1:"}, {137, u"COM37:"}, {4294967295u, u"COM95:"}};
    for (auto [typed, text] : formed) EXPECT_EQ(ComPortText(typed), text) << typed;
}

int16_t Sample(const std::vector<uint8_t>& b, size_t i) {
    return static_cast<int16_t>(b[44 + 2 * i] | b[45 + 2 * i] << 8);
}

// One second of 440 Hz: mono, 16 bits, 44100 samples a second.
TEST(ToneImageTest, HeaderSizesAndSamples) {
    const std::string header(
        "RIFF\xAC\x58\x01\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x44\xAC\x00\x00"
        "\x88\x58\x01\x00\x02\x00\x10\x00"
        "data\x88\x58\x01\x00",
        44);
    std::vector<uint8_t> image = ToneImage(440, 1.0);
    const long n = 44100;
    ASSERT_EQ(image.size(), 44u + 2 * n);
    EXPECT_EQ(std::string(image.begin(), image.begin() + 44), header);
    // Rising without a click to a full 32000, silent from three quarters on.
    int peak = 0, crossings = 0;
    for (long i = 1; i < n; ++i) {
        int sample = Sample(image, i), jump = std::abs(sample - Sample(image, i - 1));
        ASSERT_LE(i < n / 20 ? jump : 0, 2 * 32000 * 4 * 3.1416 * 440 / 44100) << i;
        ASSERT_EQ(i >= 33075 ? sample : 0, 0) << i;
        peak = std::max(peak, std::abs(sample));
        crossings += i < n / 2 && Sample(image, i - 1) < 0 && sample >= 0;
    }
    EXPECT_EQ(Sample(image, 0), 0);
    EXPECT_TRUE(peak > 31900 && peak <= 32000) << peak;
    EXPECT_NEAR(crossings, 880 / 2, 2);
}

struct CRecordingOutput : CSoundOutput {
    void PlayFile(const std::u16string& path) override { played.push_back(path); }
    void PlayImage(const std::vector<uint8_t>& image) override {
        played.push_back(u"tone " + std::u16string(1, char16_t(u'0' + image.size() % 10)));
    }
    std::vector<std::u16string> played;
};

TEST(SoundEventTest, TonesPlayingAndTheTable) {
    CSoundEvent tone(CSoundEvent::kTone, u"", 10, 0, true, false, 0, 0, 0);
    EXPECT_EQ(std::tuple(tone.Frequency(), tone.Duration(), tone.Image().size()),
              std::tuple(30, 0.001, 44u + 88u));
    const uint8_t* kept = tone.Image().data();
    tone.SetTone(30, 1);
    EXPECT_EQ(tone.Image().data(), kept);
    tone.SetTone(9000, 20000);
    EXPECT_EQ(std::tuple(tone.Frequency(), tone.Image().size()), std::tuple(5000, 44u + 882000u));

    // Type, file, sound flag, what is played.
    const std::tuple<int, const char16_t*, bool, std::vector<std::u16string>> cases[] = {
        {0, u"a.wav", true, {}}, {1, u"a.wav", true, {u"a.wav"}},   {1, u"a.wav", false, {}},
        {1, u"", true, {u""}},   {2, u"a.wav", false, {u"tone 6"}},  // 44 + 2 * 441 bytes
        {7, u"a.wav", true, {}}};
    for (const auto& [type, file, soundFlag, played] : cases) {
        CRecordingOutput output;
        CSoundEvent(type, file, 440, 10, soundFlag, false, 0, 0, 0).Play(output);
        EXPECT_EQ(output.played, played) << type;
    }

    // The table, built from the settings.
    CSettings settings(u"unused");
    settings.SetSoundType(SoundEventKind::User02, CSoundEvent::kTone);
    settings.SetSoundTone(SoundEventKind::User02, 880, 50);
    CSoundEventTable& table = CSoundEventTable::Instance();
    table.BuildAll(settings, true);
    std::shared_ptr<const CSoundEvent> event = table.Get(SoundEventKind::User02);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->Frequency(), 880);
    // A replaced event lives on while someone still plays it.
    table.Replace(SoundEventKind::User02, BuildSoundEvent(settings, SoundEventKind::Normal, true));
    EXPECT_EQ(event->Frequency(), 880);
    CRecordingOutput output;
    table.Play(SoundEventKind::User02, output);
    EXPECT_TRUE(output.played.empty());
}

}  // namespace
