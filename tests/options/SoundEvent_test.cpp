#include "options/SoundEvent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
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

TEST(ToneImageTest, HeaderSizesAndSamples) {
    // Mono, 16 bits, 44100 samples a second: the header of one second.
    const std::string header(
        "RIFF\xAC\x58\x01\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x44\xAC\x00\x00"
        "\x88\x58\x01\x00\x02\x00\x10\x00"
        "data\x88\x58\x01\x00",
        44);
    std::vector<uint8_t> image = ToneImage(440, 1.0);
    const long n = 44100;
    ASSERT_EQ(image.size(), 44u + 2 * n);
    EXPECT_EQ(std::string(image.begin(), image.begin() + 44), header);
    // Silent at the start, a full 32000 by the half, nothing from three quarters on.
    EXPECT_EQ(Sample(image, 0), 0);
    int peak = 0;
    for (long i = n / 20; i < n / 2; ++i) peak = std::max(peak, std::abs(int(Sample(image, i))));
    EXPECT_LE(peak, 32000);
    EXPECT_GT(peak, 31900);
    for (long i = 33075; i < n; ++i) ASSERT_EQ(Sample(image, i), 0) << i;
    // Smooth: no jump between neighbours larger than the sine itself allows.
    for (long i = 1; i < n / 20; ++i) {
        ASSERT_LE(std::abs(Sample(image, i) - Sample(image, i - 1)),
                  2 * 32000 * 4 * 3.1416 * 440 / 44100)
            << i;
    }
    // 880 rising zero crossings a second.
    int crossings = 0;
    for (long i = 2205; i < 22050; ++i)
        crossings += Sample(image, i - 1) < 0 && Sample(image, i) >= 0;
    EXPECT_NEAR(crossings, 880 * (22050 - 2205) / 44100.0, 2);
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
    EXPECT_EQ(tone.Frequency(), 30);
    EXPECT_DOUBLE_EQ(tone.Duration(), 0.001);
    EXPECT_EQ(tone.Image().size(), 44u + 88u);
    const uint8_t* kept = tone.Image().data();
    tone.SetTone(30, 1);
    EXPECT_EQ(tone.Image().data(), kept);
    tone.SetTone(9000, 20000);
    EXPECT_EQ(tone.Frequency(), 5000);
    EXPECT_EQ(tone.Image().size(), 44u + 2 * 441000u);

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

TEST(SoundEventTest, BuiltFromSettingsNeverVibrates) {
    CSettings settings(u"unused");
    settings.SetSoundType(SoundEventKind::User02, CSoundEvent::kTone);
    settings.SetSoundTone(SoundEventKind::User02, 880, 50);
    settings.SetVibrateEnabled(SoundEventKind::User02, 1);
    CSoundEventTable& table = CSoundEventTable::Instance();
    table.BuildAll(settings, true);
    std::shared_ptr<const CSoundEvent> event = table.Get(SoundEventKind::User02);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->Frequency(), 880);
    EXPECT_FALSE(event->Vibrate());
    // A replaced event lives on while someone still plays it.
    table.Replace(SoundEventKind::User02, BuildSoundEvent(settings, SoundEventKind::Normal, true));
    EXPECT_EQ(event->Frequency(), 880);
    CRecordingOutput output;
    table.Play(SoundEventKind::User02, output);
    EXPECT_TRUE(output.played.empty());
}

// The system output: under Wine a tone and a file really go to PlaySoundW,
// and without an audio device neither may hang.
TEST(SoundEventTest, SystemOutputReturns) {
    std::string path = testing::TempDir() + "tone.wav";
    std::vector<uint8_t> image = ToneImage(440, 0.05);
    ASSERT_TRUE(std::ofstream(path, std::ios::binary)
                    .write(reinterpret_cast<const char*>(image.data()), image.size()));

    auto started = std::chrono::steady_clock::now();
    CSoundEvent tone(CSoundEvent::kTone, u"", 440, 50, true, false, 0, 0, 0);
    tone.Play(SystemSoundOutput());
    std::u16string widePath(path.begin(), path.end());
    CSoundEvent wave(CSoundEvent::kWaveFile, widePath, 440, 1, true, false, 0, 0, 0);
    wave.Play(SystemSoundOutput());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
}

}  // namespace
