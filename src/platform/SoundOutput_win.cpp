#include <windows.h>

// mmsystem.h needs the types of windows.h.
#include <mmsystem.h>

#include "platform/SoundOutput.h"

namespace {

// A failing system call (no audio device) is ignored, as it should be for
// feedback sounds: PlaySoundW then returns at once.
class CSystemSoundOutput : public CSoundOutput {
public:
    void PlayFile(const std::u16string& path) override {
        PlaySoundW(reinterpret_cast<const wchar_t*>(path.c_str()), nullptr,
                   SND_FILENAME | SND_ASYNC);
    }
    void PlayImage(const std::vector<uint8_t>& image) override {
        PlaySoundW(reinterpret_cast<const wchar_t*>(image.data()), nullptr, SND_MEMORY);
    }
};

}  // namespace

CSoundOutput& SystemSoundOutput() {
    static CSystemSoundOutput output;
    return output;
}
