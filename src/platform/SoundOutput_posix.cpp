#include "platform/SoundOutput.h"

namespace {

class CSilentSoundOutput : public CSoundOutput {
public:
    void PlayFile(const std::u16string&) override {}
    void PlayImage(const std::vector<uint8_t>&) override {}
};

}  // namespace

CSoundOutput& SystemSoundOutput() {
    static CSilentSoundOutput output;
    return output;
}
