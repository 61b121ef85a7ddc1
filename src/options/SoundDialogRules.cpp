#include "options/SoundDialogRules.h"

#include "options/SoundEvent.h"
#include "resources/resource.h"

namespace {

struct CSoundDialogEntry {
    int command;
    std::u16string_view title;
};

// In the order of the events.
constexpr CSoundDialogEntry kSoundDialogs[kSoundEventCount] = {
    {IDM_SOUND_NORMAL, u"Options Normal Sound"},
    {IDM_SOUND_ERROR, u"Options Error Sound"},
    {IDM_SOUND_SCANACCEPT, u"Options Accept Scan Sound"},
    {IDM_SOUND_SCANREJECT, u"Options Reject Scan Sound"},
    {IDM_SOUND_USER1, u"Options User 1 Sound"},
    {IDM_SOUND_USER2, u"Options User 2 Sound"},
    {IDM_SOUND_USER3, u"Options User 3 Sound"},
    {IDM_SOUND_USER4, u"Options User 4 Sound"},
};

}  // namespace

std::optional<SoundEventKind> SoundKindForCommand(int command) {
    for (int i = 0; i < kSoundEventCount; ++i) {
        if (kSoundDialogs[i].command == command) return static_cast<SoundEventKind>(i);
    }
    return std::nullopt;
}

std::u16string_view SoundDialogTitle(SoundEventKind kind) {
    return kSoundDialogs[static_cast<int>(kind)].title;
}

int SoundTypeFromRadios(bool silence, bool waveFile) {
    if (silence) return CSoundEvent::kSilence;
    return waveFile ? CSoundEvent::kWaveFile : CSoundEvent::kTone;
}
