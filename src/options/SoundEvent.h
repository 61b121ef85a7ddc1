#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SoundEventKind.h"

class CSettings;
class CSoundOutput;

// One configurable sound: nothing, a wave file or a tone of its own making.
// The vibrate values are carried for a device that can vibrate; this
// terminal never vibrates.
class CSoundEvent {
public:
    enum Type : int32_t { kSilence = 0, kWaveFile = 1, kTone = 2 };

    CSoundEvent(int32_t type, std::u16string_view file, int frequency, int durationMs,
                bool soundFlag, bool vibrate, int32_t vibrateOn, int32_t vibrateOff,
                int32_t vibrateIterations);
    CSoundEvent(const CSoundEvent&) = delete;
    CSoundEvent& operator=(const CSoundEvent&) = delete;

    // Clamps to 30..5000 Hz and 1..10000 ms; makes the image again only
    // when either value changed.
    void SetTone(int frequencyHz, int durationMs);
    // A file plays in the background; a tone returns when it has ended.
    void Play(CSoundOutput& output) const;

    int32_t Type() const { return type; }
    int Frequency() const { return frequency; }
    double Duration() const { return duration; }
    const std::vector<uint8_t>& Image() const { return toneImage; }
    bool Vibrate() const { return vibrate; }
    bool SoundFlag() const { return soundFlag; }

private:
    int32_t type;
    std::u16string file;
    int frequency = 0;
    double duration = 0;  // seconds
    bool soundFlag;
    std::vector<uint8_t> toneImage;
    bool vibrate;
    int32_t vibrateOn;
    int32_t vibrateOff;
    int32_t vibrateIterations;
};

// Whether the device can vibrate: nothing here can, so never.
constexpr bool kCanVibrate = false;

// The process-wide sound flag every event receives when it is built: on,
// and nothing turns it off.
constexpr bool kSoundFlag = true;

// The event of that kind as the settings describe it.
std::unique_ptr<CSoundEvent> BuildSoundEvent(const CSettings& settings, SoundEventKind kind,
                                             bool soundFlag);

// The process-wide table of the eight events. Entries are replaced on the
// user-interface thread while the connection thread may be playing one: a
// playing event stays alive until its play returns.
class CSoundEventTable {
public:
    static CSoundEventTable& Instance();
    void Replace(SoundEventKind kind, std::unique_ptr<CSoundEvent> event);
    void BuildAll(const CSettings& settings, bool soundFlag);
    // Drops every event; one being played lives until it ends.
    void Clear();
    void Play(SoundEventKind kind, CSoundOutput& output) const;
    std::shared_ptr<const CSoundEvent> Get(SoundEventKind kind) const;

private:
    CSoundEventTable() = default;
    std::shared_ptr<const CSoundEvent> events[kSoundEventCount];
};
