#pragma once

// Index of a sound event in the process-wide table and in the settings.
enum class SoundEventKind : int {
    Normal = 0,
    Error = 1,
    ScanAccept = 2,
    ScanReject = 3,
    User01 = 4,
    User02 = 5,
    User03 = 6,
    User04 = 7,
};

constexpr int kSoundEventCount = 8;
