#include "options/SoundEvent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "config/Settings.h"
#include "options/ToneImage.h"
#include "platform/SoundOutput.h"

namespace {

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
        if (i < n / 20) {
            ASSERT_LE(jump, 2 * 32000 * 4 * 3.1416 * 440 / 44100) << i;
        }
        if (i >= 33075) {
            ASSERT_EQ(sample, 0) << i;
        }
        peak = std::max(peak, std::abs(sample));
        crossings += i < n / 2 && Sample(image, i - 1) < 0 && sample >= 0;
    }
    EXPECT_EQ(Sample(image, 0), 0);
    EXPECT_TRUE(peak > 31900 && peak <= 32000) << peak;
    EXPECT_NEAR(crossings, 880 / 2, 2);
}

class CRecordingOutput : public CSoundOutput {
public:
    void PlayFile(const std::u16string& path) override { played.push_back(path); }
    void PlayImage(const std::vector<uint8_t>& image) override {
        played.push_back(u"tone " + std::u16string(1, char16_t(u'0' + image.size() % 10)));
    }
    std::vector<std::u16string> played;
};

TEST(SoundEventTest, TonesAndPlaying) {
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
}

TEST(SoundEventTest, TableBuiltFromSettingsAndReplaced) {
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
