#include "config/Settings.h"

#include <algorithm>
#include <utility>

#include "platform/TextCodec.h"

CSettings* gSettings = nullptr;

namespace {

// A fixed text field holds at most capacity - 1 units; the last one is the NUL.
std::u16string_view FitText(std::u16string_view text, size_t capacity) {
    return CutText(text, capacity - 1);
}

}  // namespace

CSettings::CSettings(std::u16string configFilePath)
    : hostName(u"127.0.0.1"),
      filePath(std::move(configFilePath)),
      hostPort(9999),
      screenCols(80),
      screenRows(24),
      toolbarSize(0),
      fullScreen(false),
      terminalId(1),
      fieldNumericValue(u"0123456789+-%*/.$"),
      windowState(0),
      windowPos{0, 0, 240, 320},
      interCharacterDelay(30),
      fontPointSize(9),
      pointSizeAdjust(0),
      fontAutoSize(false),
      fontName(u"Courier New"),
      fieldFontHeight(0),
      fieldFontWidth(0),
      fontQuality(0),       // the system default
      fontOutPrecision(4),  // TrueType precision
      cellHeight(0),
      cellWidth(0),
      serialPort(u"COM1:"),
      serialBaudRate(u"9600"),
      serialDataBits(u"8"),
      serialParity(u"None"),
      serialStopBits(u"1"),
      serialCommand(false),
      serialOutEnabled(false),
      serialInEnabled(false),
      serialInPrefix(0),
      serialInSuffix(0),
      serialOutPrefix(0),
      serialOutSuffix(0),
      serialTimeouts{500, 0, 0, 0, 0},
      fieldEdit(true),
      scannerAppendEnter(false),
      scannerAppendF0(true),
      scannerOverwriteField(true),
      fieldEnterToF0(true),
      scannerModeCallBack(true),
      carrowinAdminMode(false),
      underlineFixedTextMode(true),
      upperCaseInputMode(false),
      customColorMode(false),
      foreGroundColor(0x000000),
      backGroundColor(0xC3B295),
      inputForeGroundColor(0x000000),
      inputBackGroundColor(0xFFFFFF),
      focusForeGroundColor(0x000000),
      focusBackGroundColor(0x9EF0FF),
      selectedForeGround(0xFFFFFF),
      selectedBackGroundColor(0x33CCFF),
      checkBoxCheckAndRadioButtonDotColor(0x000000),
      showWaterMark(true),
      waterMarkText(u"Ravelin II"),
      characterCellAdditionalWidth(1),
      fieldIsUTF8(false) {
    for (CSoundBlock& sound : sounds) sound = {0, u"", {30, 1}, 0, 100, 100, 1};
}

void CSettings::SetHostPort(int port) {
    hostPort = std::clamp(port, 1, 65535);
}

void CSettings::SetScreenSize(int cols, int rows) {
    screenCols = std::clamp(cols, 1, 207);
    screenRows = std::clamp(rows, 1, 207);
}

void CSettings::SetTerminalId(int id) {
    terminalId = std::clamp(id, 1, 999);
}

// Keeps each character once, in order of first appearance, and never a double
// quote, so the set can be written between the quotes of the file.
void CSettings::SetFieldNumericValue(std::u16string_view text) {
    fieldNumericValue.clear();
    for (char16_t c : text.substr(0, kFieldNumericCapacity - 1)) {
        if (c == u'"' || fieldNumericValue.find(c) != std::u16string::npos) continue;
        fieldNumericValue.push_back(c);
    }
}

void CSettings::SetFontName(std::u16string_view name) {
    fontName = FitText(name, kFontNameCapacity);
}

void CSettings::SetSerialPort(std::u16string_view text) {
    serialPort = FitText(text, kSerialTextCapacity);
}

void CSettings::SetSerialBaudRate(std::u16string_view text) {
    serialBaudRate = FitText(text, kSerialTextCapacity);
}

void CSettings::SetSerialDataBits(std::u16string_view text) {
    serialDataBits = FitText(text, kSerialTextCapacity);
}

void CSettings::SetSerialParity(std::u16string_view text) {
    serialParity = FitText(text, kSerialTextCapacity);
}

void CSettings::SetSerialStopBits(std::u16string_view text) {
    serialStopBits = FitText(text, kSerialTextCapacity);
}

void CSettings::SetWaterMarkText(std::u16string_view text) {
    waterMarkText = FitText(text, kWaterMarkCapacity);
}

void CSettings::SetSoundFile(SoundEventKind kind, std::u16string_view path) {
    Sound(kind).soundFile = FitText(path, kSoundFileCapacity);
}
