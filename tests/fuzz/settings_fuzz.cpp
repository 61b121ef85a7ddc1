// A hand-edited Ravelin.ini through the settings reader: whatever the file
// holds, each text setting fits its capacity, and the file the terminal then
// writes reads back as the same record.
#include "FuzzChecks.h"
#include "config/SettingsFile.h"
#include "platform/SoundEventKind.h"

namespace {

// What the reader takes of a file: the text up to its first NUL.
std::string FileRead(std::string bytes) {
    bytes.resize(std::min(bytes.size(), bytes.find('\0')));
    return bytes;
}

void CheckCapacities(const CSettings& s) {
    Require(s.FontName().size() < CSettings::kFontNameCapacity);
    Require(s.WaterMarkText().size() < CSettings::kWaterMarkCapacity);
    Require(s.FieldNumericValue().size() < CSettings::kFieldNumericCapacity);
    for (const std::u16string* text : {&s.SerialPort(), &s.SerialBaudRate(), &s.SerialDataBits(),
                                       &s.SerialParity(), &s.SerialStopBits()}) {
        Require(text->size() < CSettings::kSerialTextCapacity);
    }
    for (int kind = 0; kind < kSoundEventCount; ++kind) {
        Require(s.SoundFile(static_cast<SoundEventKind>(kind)).size() <
                CSettings::kSoundFileCapacity);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CSettings edited(u"Ravelin.ini");
    ReadSettingsText(edited, FileRead(std::string(reinterpret_cast<const char*>(data), size)));
    CheckCapacities(edited);
    const std::string written = SettingsText(edited);

    CSettings reread(u"Ravelin.ini");
    ReadSettingsText(reread, FileRead(written));
    Require(SettingsText(reread) == written);
    return 0;
}
