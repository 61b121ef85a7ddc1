#include "options/SoundEvent.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "config/Settings.h"
#include "options/ToneImage.h"
#include "platform/SoundOutput.h"

CSoundEvent::CSoundEvent(int32_t soundType, std::u16string_view path, int frequencyHz,
                         int durationMs, bool flag, bool vibrates, int32_t on, int32_t off,
                         int32_t iterations)
    : type(soundType),
      file(path),
      soundFlag(flag),
      vibrate(vibrates),
      vibrateOn(on),
      vibrateOff(off),
      vibrateIterations(iterations) {
    SetTone(frequencyHz, durationMs);
}

void CSoundEvent::SetTone(int frequencyHz, int durationMs) {
    frequencyHz = std::clamp(frequencyHz, 30, 5000);
    durationMs = std::clamp(durationMs, 1, 10000);
    if (!toneImage.empty() && frequencyHz == frequency &&
        std::lround(duration * 1000) == durationMs) {
        return;
    }
    frequency = frequencyHz;
    duration = durationMs / 1000.0;
    toneImage = ToneImage(frequency, duration);
}

void CSoundEvent::Play(CSoundOutput& output) const {
    if (type == kWaveFile && soundFlag) {
        output.PlayFile(file);
    } else if (type == kTone) {
        output.PlayImage(toneImage);
    }
}

std::unique_ptr<CSoundEvent> BuildSoundEvent(const CSettings& s, SoundEventKind kind,
                                             bool soundFlag) {
    return std::make_unique<CSoundEvent>(
        s.SoundType(kind), s.SoundFile(kind), s.SoundToneFrequency(kind), s.SoundToneDuration(kind),
        soundFlag, kCanVibrate && s.VibrateEnabled(kind) != 0, s.VibrateOnTime(kind),
        s.VibrateOffTime(kind), s.VibrateIterations(kind));
}

CSoundEventTable& CSoundEventTable::Instance() {
    static CSoundEventTable table;
    return table;
}

void CSoundEventTable::Replace(SoundEventKind kind, std::unique_ptr<CSoundEvent> event) {
    std::atomic_store(&events[static_cast<int>(kind)],
                      std::shared_ptr<const CSoundEvent>(std::move(event)));
}

void CSoundEventTable::BuildAll(const CSettings& settings, bool soundFlag) {
    for (int i = 0; i < kSoundEventCount; ++i) {
        auto kind = static_cast<SoundEventKind>(i);
        Replace(kind, BuildSoundEvent(settings, kind, soundFlag));
    }
}

void CSoundEventTable::Clear() {
    for (int i = 0; i < kSoundEventCount; ++i) Replace(static_cast<SoundEventKind>(i), nullptr);
}

std::shared_ptr<const CSoundEvent> CSoundEventTable::Get(SoundEventKind kind) const {
    int index = static_cast<int>(kind);
    if (index < 0 || index >= kSoundEventCount) return nullptr;
    return std::atomic_load(&events[index]);
}

void CSoundEventTable::Play(SoundEventKind kind, CSoundOutput& output) const {
    // The copy keeps the event alive while it plays, even if replaced meanwhile.
    if (std::shared_ptr<const CSoundEvent> event = Get(kind)) event->Play(output);
}
