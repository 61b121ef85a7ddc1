#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Where sound events play: the system's wave output in the Windows build;
// tests give their own to see what would be played.
class CSoundOutput {
public:
    virtual ~CSoundOutput() = default;
    // Starts the wave file and returns at once.
    virtual void PlayFile(const std::u16string& path) = 0;
    // Plays a whole RIFF/WAVE image and returns when it has ended.
    virtual void PlayImage(const std::vector<uint8_t>& image) = 0;
};

// The process's own output. The native build has no sound device: there it
// plays nothing.
CSoundOutput& SystemSoundOutput();
