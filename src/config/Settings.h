#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/SerialLine.h"
#include "platform/SoundEventKind.h"

struct CScreenSize {
    int cols;
    int rows;
};

// Main window rectangle in screen pixels.
struct CWindowRect {
    int x;
    int y;
    int width;
    int height;
};

struct CSoundTone {
    int frequency;  // hertz
    int duration;   // milliseconds
};

// Every setting of the terminal, named after its configuration key, plus the
// grid metrics the field windows compute and share. Text getters return a
// reference that stays valid until the next setter call on that field.
class CSettings {
public:
    // Capacities of the fixed text fields in UTF-16 units, the NUL included;
    // a stored text never holds more than capacity - 1 units.
    static constexpr size_t kFieldNumericCapacity = 256;
    static constexpr size_t kFontNameCapacity = 32;
    static constexpr size_t kSerialTextCapacity = 20;
    static constexpr size_t kWaterMarkCapacity = 33;
    static constexpr size_t kSoundFileCapacity = 260;

    explicit CSettings(std::u16string configFilePath);
    CSettings(const CSettings&) = delete;
    CSettings& operator=(const CSettings&) = delete;

    // Full path of the configuration file, fixed at construction.
    const std::u16string& FilePath() const { return filePath; }

    // Connection, screen and terminal.
    const std::u16string& HostName() const { return hostName; }
    void SetHostName(std::u16string_view name) { hostName = name; }
    int HostPort() const { return hostPort; }
    void SetHostPort(int port);
    int ScreenCols() const { return screenCols; }
    int ScreenRows() const { return screenRows; }
    CScreenSize ScreenSize() const { return {screenCols, screenRows}; }
    void SetScreenSize(int cols, int rows);
    int ToolbarSize() const { return toolbarSize; }
    void SetToolbarSize(int size) { toolbarSize = size; }
    bool FullScreen() const { return fullScreen; }
    void SetFullScreen(bool on) { fullScreen = on; }
    int TerminalId() const { return terminalId; }
    void SetTerminalId(int id);
    const std::u16string& FieldNumericValue() const { return fieldNumericValue; }
    void SetFieldNumericValue(std::u16string_view text);

    // Window.
    int WindowState() const { return windowState; }
    void SetWindowState(int state) { windowState = state; }
    CWindowRect WindowPos() const { return windowPos; }
    void SetWindowPos(int x, int y, int width, int height) { windowPos = {x, y, width, height}; }

    // Font and character cells.
    int FontPointSize() const { return fontPointSize; }
    void SetFontPointSize(int points) { fontPointSize = points; }
    int PointSizeAdjust() const { return pointSizeAdjust; }
    void SetPointSizeAdjust(int points) { pointSizeAdjust = points; }
    int EffectiveFontPointSize() const { return fontPointSize + pointSizeAdjust; }
    bool FontAutoSize() const { return fontAutoSize; }
    void SetFontAutoSize(bool on) { fontAutoSize = on; }
    const std::u16string& FontName() const { return fontName; }
    void SetFontName(std::u16string_view name);
    int FieldFontHeight() const { return fieldFontHeight; }
    void SetFieldFontHeight(int pixels) { fieldFontHeight = pixels; }
    int FieldFontWidth() const { return fieldFontWidth; }
    void SetFieldFontWidth(int pixels) { fieldFontWidth = pixels; }
    int FontQuality() const { return fontQuality; }
    int FontOutPrecision() const { return fontOutPrecision; }
    int CellHeight() const { return cellHeight; }
    void SetCellHeight(int pixels) { cellHeight = pixels; }
    int CellWidth() const { return cellWidth; }
    void SetCellWidth(int pixels) { cellWidth = pixels; }
    int CharacterCellAdditionalWidth() const { return characterCellAdditionalWidth; }
    void SetCharacterCellAdditionalWidth(int pixels) { characterCellAdditionalWidth = pixels; }

    // Serial feature port.
    const std::u16string& SerialPort() const { return serialPort; }
    void SetSerialPort(std::u16string_view text);
    const std::u16string& SerialBaudRate() const { return serialBaudRate; }
    void SetSerialBaudRate(std::u16string_view text);
    const std::u16string& SerialDataBits() const { return serialDataBits; }
    void SetSerialDataBits(std::u16string_view text);
    const std::u16string& SerialParity() const { return serialParity; }
    void SetSerialParity(std::u16string_view text);
    const std::u16string& SerialStopBits() const { return serialStopBits; }
    void SetSerialStopBits(std::u16string_view text);
    bool SerialCommand() const { return serialCommand; }
    void SetSerialCommand(bool on) { serialCommand = on; }
    bool SerialOutEnabled() const { return serialOutEnabled; }
    void SetSerialOutEnabled(bool on) { serialOutEnabled = on; }
    bool SerialInEnabled() const { return serialInEnabled; }
    void SetSerialInEnabled(bool on) { serialInEnabled = on; }
    uint8_t SerialInPrefix() const { return serialInPrefix; }
    void SetSerialInPrefix(uint8_t code) { serialInPrefix = code; }
    uint8_t SerialInSuffix() const { return serialInSuffix; }
    void SetSerialInSuffix(uint8_t code) { serialInSuffix = code; }
    uint8_t SerialOutPrefix() const { return serialOutPrefix; }
    void SetSerialOutPrefix(uint8_t code) { serialOutPrefix = code; }
    uint8_t SerialOutSuffix() const { return serialOutSuffix; }
    void SetSerialOutSuffix(uint8_t code) { serialOutSuffix = code; }
    const CSerialTimeouts& SerialTimeouts() const { return serialTimeouts; }
    void SetSerialTimeouts(const CSerialTimeouts& timeouts) { serialTimeouts = timeouts; }

    // Behaviour switches.
    bool FieldEdit() const { return fieldEdit; }
    void SetFieldEdit(bool on) { fieldEdit = on; }
    bool ScannerAppendEnter() const { return scannerAppendEnter; }
    void SetScannerAppendEnter(bool on) { scannerAppendEnter = on; }
    bool ScannerAppendF0() const { return scannerAppendF0; }
    void SetScannerAppendF0(bool on) { scannerAppendF0 = on; }
    bool ScannerOverwriteField() const { return scannerOverwriteField; }
    void SetScannerOverwriteField(bool on) { scannerOverwriteField = on; }
    bool FieldEnterToF0() const { return fieldEnterToF0; }
    void SetFieldEnterToF0(bool on) { fieldEnterToF0 = on; }
    bool ScannerModeCallBack() const { return scannerModeCallBack; }
    void SetScannerModeCallBack(bool on) { scannerModeCallBack = on; }
    bool CarrowinAdminMode() const { return carrowinAdminMode; }
    void SetCarrowinAdminMode(bool on) { carrowinAdminMode = on; }
    bool UnderlineFixedTextMode() const { return underlineFixedTextMode; }
    bool UpperCaseInputMode() const { return upperCaseInputMode; }
    void SetUpperCaseInputMode(bool on) { upperCaseInputMode = on; }
    bool CustomColorMode() const { return customColorMode; }
    void SetCustomColorMode(bool on) { customColorMode = on; }

    // Colours 0x00BBGGRR; only the configuration file sets them.
    uint32_t ForeGroundColor() const { return foreGroundColor; }
    uint32_t BackGroundColor() const { return backGroundColor; }
    uint32_t InputForeGroundColor() const { return inputForeGroundColor; }
    uint32_t InputBackGroundColor() const { return inputBackGroundColor; }
    uint32_t FocusForeGroundColor() const { return focusForeGroundColor; }
    uint32_t FocusBackGroundColor() const { return focusBackGroundColor; }
    uint32_t SelectedForeGround() const { return selectedForeGround; }
    uint32_t SelectedBackGroundColor() const { return selectedBackGroundColor; }
    uint32_t CheckBoxCheckAndRadioButtonDotColor() const {
        return checkBoxCheckAndRadioButtonDotColor;
    }

    // Watermark.
    bool ShowWaterMark() const { return showWaterMark; }
    void SetShowWaterMark(bool on) { showWaterMark = on; }
    const std::u16string& WaterMarkText() const { return waterMarkText; }
    void SetWaterMarkText(std::u16string_view text);

    // Sound and vibrate events, one block per kind.
    int SoundType(SoundEventKind kind) const { return Sound(kind).soundType; }
    void SetSoundType(SoundEventKind kind, int type) { Sound(kind).soundType = type; }
    const std::u16string& SoundFile(SoundEventKind kind) const { return Sound(kind).soundFile; }
    void SetSoundFile(SoundEventKind kind, std::u16string_view path);
    int SoundToneFrequency(SoundEventKind kind) const { return Sound(kind).tone.frequency; }
    int SoundToneDuration(SoundEventKind kind) const { return Sound(kind).tone.duration; }
    CSoundTone SoundTone(SoundEventKind kind) const { return Sound(kind).tone; }
    void SetSoundTone(SoundEventKind kind, int frequency, int duration) {
        Sound(kind).tone = {frequency, duration};
    }
    int VibrateEnabled(SoundEventKind kind) const { return Sound(kind).vibrateEnabled; }
    void SetVibrateEnabled(SoundEventKind kind, int on) { Sound(kind).vibrateEnabled = on; }
    int VibrateOnTime(SoundEventKind kind) const { return Sound(kind).vibrateOnTime; }
    void SetVibrateOnTime(SoundEventKind kind, int ms) { Sound(kind).vibrateOnTime = ms; }
    int VibrateOffTime(SoundEventKind kind) const { return Sound(kind).vibrateOffTime; }
    void SetVibrateOffTime(SoundEventKind kind, int ms) { Sound(kind).vibrateOffTime = ms; }
    int VibrateIterations(SoundEventKind kind) const { return Sound(kind).vibrateIterations; }
    void SetVibrateIterations(SoundEventKind kind, int count) {
        Sound(kind).vibrateIterations = count;
    }

    // Host text encoding.
    bool FieldIsUTF8() const { return fieldIsUTF8; }
    void SetFieldIsUTF8(bool on) { fieldIsUTF8 = on; }

private:
    // The key table is the file reader's and writer's way in: it alone sets
    // the colours and UnderlineFixedTextMode and touches intercharacterdelay.
    friend class CSettingsKeyTable;

    struct CSoundBlock {
        int soundType;
        std::u16string soundFile;
        CSoundTone tone;
        int vibrateEnabled;
        int vibrateOnTime;
        int vibrateOffTime;
        int vibrateIterations;
    };

    CSoundBlock& Sound(SoundEventKind kind) { return sounds[static_cast<int>(kind)]; }
    const CSoundBlock& Sound(SoundEventKind kind) const { return sounds[static_cast<int>(kind)]; }

    std::u16string hostName;
    std::u16string filePath;
    int hostPort;
    int screenCols;
    int screenRows;
    int toolbarSize;
    bool fullScreen;
    int terminalId;
    std::u16string fieldNumericValue;

    int windowState;
    CWindowRect windowPos;
    int interCharacterDelay;

    int fontPointSize;
    int pointSizeAdjust;
    bool fontAutoSize;
    std::u16string fontName;
    int fieldFontHeight;
    int fieldFontWidth;
    const int fontQuality;
    const int fontOutPrecision;
    int cellHeight;
    int cellWidth;

    std::u16string serialPort;
    std::u16string serialBaudRate;
    std::u16string serialDataBits;
    std::u16string serialParity;
    std::u16string serialStopBits;
    bool serialCommand;
    bool serialOutEnabled;
    bool serialInEnabled;
    uint8_t serialInPrefix;
    uint8_t serialInSuffix;
    uint8_t serialOutPrefix;
    uint8_t serialOutSuffix;
    CSerialTimeouts serialTimeouts;

    bool fieldEdit;
    bool scannerAppendEnter;
    bool scannerAppendF0;
    bool scannerOverwriteField;
    bool fieldEnterToF0;
    bool scannerModeCallBack;
    bool carrowinAdminMode;
    bool underlineFixedTextMode;
    bool upperCaseInputMode;
    bool customColorMode;

    uint32_t foreGroundColor;
    uint32_t backGroundColor;
    uint32_t inputForeGroundColor;
    uint32_t inputBackGroundColor;
    uint32_t focusForeGroundColor;
    uint32_t focusBackGroundColor;
    uint32_t selectedForeGround;
    uint32_t selectedBackGroundColor;
    uint32_t checkBoxCheckAndRadioButtonDotColor;

    bool showWaterMark;
    std::u16string waterMarkText;
    int characterCellAdditionalWidth;

    CSoundBlock sounds[kSoundEventCount];

    bool fieldIsUTF8;
};

// The one settings record; start-up sets it right after construction.
extern CSettings* gSettings;
