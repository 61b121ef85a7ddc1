#pragma once

#include <windows.h>

#include "platform/SoundEventKind.h"

// The Sound Options dialog of one event: its type, tone, wave file and
// vibrate values, with a trial play of what it shows. IDOK after the
// settings were stored and written, else 0; the event object is the
// caller's to rebuild.
INT_PTR RunSoundOptionsDialog(HWND owner, SoundEventKind event);
