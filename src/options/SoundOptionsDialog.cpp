#include "options/SoundOptionsDialog.h"

#include <string>

#include "config/Settings.h"
#include "options/DialogControls.h"
#include "options/OptionsDialog.h"
#include "options/SoundDialogRules.h"
#include "options/SoundEvent.h"
#include "platform/SoundOutput.h"
#include "platform/TextCodec.h"
#include "platform/WideText_win.h"
#include "resources/resource.h"

namespace {

constexpr int kToneLimit = 4;
constexpr size_t kPathRead = 259;
constexpr int kVibrateControls[] = {
    IDC_VIBRATE,          IDC_VIBRATE_ON,     IDC_VIBRATE_ON_SPIN,    IDC_VIBRATE_OFF,
    IDC_VIBRATE_OFF_SPIN, IDC_VIBRATE_REPEAT, IDC_VIBRATE_REPEAT_SPIN};

struct CSoundOptionsKind : COptionsDialogKind {
    SoundEventKind event;
};

SoundEventKind Event(HWND dialog) {
    return static_cast<const CSoundOptionsKind&>(OptionsDialogKind(dialog)).event;
}

// The values the dialog shows, read as OK stores them and Play plays them.
struct CShownSound {
    int type;
    int frequency;
    int duration;
    std::u16string file;
    int vibrate;
    int vibrateOn;
    int vibrateOff;
    int vibrateIterations;
};

int ItemNumber(HWND dialog, int id) {
    return static_cast<int>(GetDlgItemInt(dialog, id, nullptr, FALSE));
}

CShownSound Shown(HWND dialog) {
    return {SoundTypeFromRadios(IsChecked(dialog, IDC_SOUND_SILENCE),
                                IsChecked(dialog, IDC_SOUND_WAVE)),
            ItemNumber(dialog, IDC_TONE_FREQUENCY),
            ItemNumber(dialog, IDC_TONE_DURATION),
            std::u16string(CutText(DialogItemText(dialog, IDC_SOUND_FILE), kPathRead)),
            IsChecked(dialog, IDC_VIBRATE) ? 1 : 0,
            ItemNumber(dialog, IDC_VIBRATE_ON),
            ItemNumber(dialog, IDC_VIBRATE_OFF),
            ItemNumber(dialog, IDC_VIBRATE_REPEAT)};
}

// No device here vibrates: the vibrate controls show the values, spins
// included, but take no input, so OK keeps what they hold.
void FillVibrate(HWND dialog, const CSettings& s, SoundEventKind event) {
    SetChecked(dialog, IDC_VIBRATE, s.VibrateEnabled(event) != 0);
    SetupNumberEdit(dialog, IDC_VIBRATE_ON, IDC_VIBRATE_ON_SPIN, 4, 100, 5000,
                    s.VibrateOnTime(event));
    SetupNumberEdit(dialog, IDC_VIBRATE_OFF, IDC_VIBRATE_OFF_SPIN, 4, 100, 1000,
                    s.VibrateOffTime(event));
    SetupNumberEdit(dialog, IDC_VIBRATE_REPEAT, IDC_VIBRATE_REPEAT_SPIN, 1, 1, 9,
                    s.VibrateIterations(event));
    for (int id : kVibrateControls) EnableWindow(GetDlgItem(dialog, id), kCanVibrate);
}

void FillControls(HWND dialog) {
    const CSettings& s = *gSettings;
    SoundEventKind event = Event(dialog);
    SetWindowTextW(dialog, Wide(std::u16string(SoundDialogTitle(event))));
    int type = s.SoundType(event);
    SetChecked(dialog, IDC_SOUND_WAVE, type == CSoundEvent::kWaveFile);
    SetChecked(dialog, IDC_SOUND_TONE, type == CSoundEvent::kTone);
    SetChecked(dialog, IDC_SOUND_SILENCE,
               type != CSoundEvent::kWaveFile && type != CSoundEvent::kTone);
    // The duration's spin reaches 10000 ms: five digits, so the edit takes them.
    SetupNumberEdit(dialog, IDC_TONE_FREQUENCY, IDC_TONE_FREQUENCY_SPIN, kToneLimit, 30, 5000,
                    s.SoundToneFrequency(event));
    SetupNumberEdit(dialog, IDC_TONE_DURATION, IDC_TONE_DURATION_SPIN, kToneLimit + 1, 1, 10000,
                    s.SoundToneDuration(event));
    SetDlgItemTextW(dialog, IDC_SOUND_FILE, Wide(s.SoundFile(event)));
    FillVibrate(dialog, s, event);
}

// Stored as typed: the event clamps the tone when it is built.
void StoreControls(HWND dialog) {
    CSettings& s = *gSettings;
    SoundEventKind event = Event(dialog);
    CShownSound shown = Shown(dialog);
    s.SetSoundType(event, shown.type);
    s.SetSoundTone(event, shown.frequency, shown.duration);
    s.SetSoundFile(event, shown.file);
    s.SetVibrateEnabled(event, shown.vibrate);
    s.SetVibrateOnTime(event, shown.vibrateOn);
    s.SetVibrateOffTime(event, shown.vibrateOff);
    s.SetVibrateIterations(event, shown.vibrateIterations);
}

// A trial of what the dialog shows; nothing is stored. A tone holds the
// dialog until it has ended.
void PlayShown(HWND dialog) {
    std::shared_ptr<const CSoundEvent> current = CSoundEventTable::Instance().Get(Event(dialog));
    CShownSound shown = Shown(dialog);
    CSoundEvent trial(shown.type, shown.file, shown.frequency, shown.duration,
                      current ? current->SoundFlag() : kSoundFlag, kCanVibrate && shown.vibrate,
                      shown.vibrateOn, shown.vibrateOff, shown.vibrateIterations);
    trial.Play(SystemSoundOutput());
}

bool OnCommand(HWND dialog, WORD id) {
    if (id != IDC_PLAY) return false;
    PlayShown(dialog);
    return true;
}

}  // namespace

INT_PTR RunSoundOptionsDialog(HWND owner, SoundEventKind event) {
    // Only the Normal dialog shows the file; the others show the record.
    const CSoundOptionsKind kind = {
        {IDD_SOUNDOPTIONS, FillControls, StoreControls, OnCommand, event == SoundEventKind::Normal},
        event};
    return RunOptionsDialog(owner, kind);
}
