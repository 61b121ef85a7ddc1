#pragma once

#include <optional>
#include <string_view>

#include "platform/SoundEventKind.h"

// The family of sound dialogs: which menu command opens the dialog of which
// event, and the title it shows.

// The event whose dialog the menu command opens; none for other commands.
std::optional<SoundEventKind> SoundKindForCommand(int command);

std::u16string_view SoundDialogTitle(SoundEventKind kind);

// The type the radio buttons give: Silence first, then Wave File, else Tone.
int SoundTypeFromRadios(bool silence, bool waveFile);
