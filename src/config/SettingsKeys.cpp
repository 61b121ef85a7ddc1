#include "config/SettingsKeys.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "config/Settings.h"
#include "platform/TextCodec.h"

namespace {

using IntGetter = std::function<int(const CSettings&)>;
using IntSetter = std::function<void(CSettings&, int)>;
using BoolGetter = std::function<bool(const CSettings&)>;
using BoolSetter = std::function<void(CSettings&, bool)>;
using TextGetter = std::function<const std::u16string&(const CSettings&)>;
using TextSetter = std::function<void(CSettings&, std::u16string_view)>;

// Decimal as atoi reads it: leading white space, an optional sign, digits up
// to the first other character. Saturates instead of overflowing.
int64_t ParseNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    constexpr int64_t kLimit = int64_t{1} << 40;
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < kLimit) value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

int ParseInt(std::string_view text) {
    int64_t value = ParseNumber(text);
    if (value < INT_MIN) return INT_MIN;
    if (value > INT_MAX) return INT_MAX;
    return static_cast<int>(value);
}

// Keeps the low eight bits, so a negative number written for a byte above 127
// reads back as that byte.
uint8_t ParseByte(std::string_view text) {
    return static_cast<uint8_t>(ParseNumber(text));
}

bool IsWord(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != word[i]) return false;
    }
    return true;
}

const char* BoolText(bool on) {
    return on ? "true" : "false";
}

std::u16string Decode(std::string_view text, size_t capacity) {
    return DecodeText(reinterpret_cast<const unsigned char*>(text.data()), text.size(), false,
                      capacity);
}

std::string Encode(const std::u16string& text) {
    return EncodeText(text, false);
}

std::string Quoted(const std::string& text) {
    return '"' + text + '"';
}

std::vector<std::string_view> SplitAtCommas(std::string_view text) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t comma; (comma = text.find(',', start)) != std::string_view::npos;
         start = comma + 1) {
        fields.push_back(text.substr(start, comma - start));
    }
    fields.push_back(text.substr(start));
    return fields;
}

// RRGGBB in the file, 0x00BBGGRR in memory: the outer digit pairs swap.
void SwapOuterPairs(std::string& digits) {
    std::swap(digits[0], digits[4]);
    std::swap(digits[1], digits[5]);
}

// Only the first six characters count, so text after them on the line does
// not shift the digits; a shorter value takes the default.
bool ParseColour(std::string_view text, uint32_t& colour) {
    if (text.size() < 6) return false;
    std::string digits(text.substr(0, 6));
    SwapOuterPairs(digits);
    std::string_view hex = digits;
    if (hex[0] == '0' && (hex[1] == 'x' || hex[1] == 'X')) hex.remove_prefix(2);
    uint32_t value = 0;
    for (char c : hex) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        int digit = (c >= '0' && c <= '9') ? c - '0' : static_cast<unsigned char>(c) - 55;
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    // Characters that are no hex digits could carry into the top byte, which
    // Windows reads as a palette selector.
    colour = value & 0x00FFFFFF;
    return true;
}

std::string FormatColour(uint32_t colour) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%06X", static_cast<unsigned>(colour & 0x00FFFFFF));
    std::string digits(buffer);
    SwapOuterPairs(digits);
    return digits;
}

CSettingsKey IntegerKey(std::string name, std::string fallback, IntGetter get, IntSetter set) {
    return {std::move(name), ValueForm::Integer, std::move(fallback),
            [get](const CSettings& s) { return std::to_string(get(s)); },
            [set](CSettings& s, std::string_view v) {
                set(s, ParseInt(v));
                return true;
            }};
}

CSettingsKey BooleanKey(std::string name, std::string fallback, BoolGetter get, BoolSetter set) {
    return {std::move(name), ValueForm::Boolean, std::move(fallback),
            [get](const CSettings& s) { return std::string(BoolText(get(s))); },
            [set](CSettings& s, std::string_view v) {
                if (IsWord(v, "true")) {
                    set(s, true);
                } else if (IsWord(v, "false")) {
                    set(s, false);
                } else {
                    return false;
                }
                return true;
            }};
}

// The setter cuts to the field's capacity; decoding cuts first so that the
// cut never splits a character.
CSettingsKey QuotedTextKey(std::string name, std::string fallback, size_t capacity, TextGetter get,
                           TextSetter set) {
    return {std::move(name), ValueForm::QuotedText, std::move(fallback),
            [get](const CSettings& s) { return Quoted(Encode(get(s))); },
            [set, capacity](CSettings& s, std::string_view v) {
                set(s, Decode(v, capacity - 1));
                return true;
            }};
}

CSettingsKey TimeoutKey(std::string name, std::string fallback, uint32_t CSerialTimeouts::*member) {
    return {std::move(name), ValueForm::Integer, std::move(fallback),
            [member](const CSettings& s) { return std::to_string(s.SerialTimeouts().*member); },
            [member](CSettings& s, std::string_view v) {
                CSerialTimeouts timeouts = s.SerialTimeouts();
                timeouts.*member = static_cast<uint32_t>(ParseNumber(v));
                s.SetSerialTimeouts(timeouts);
                return true;
            }};
}

CSettingsKey ColourKey(std::string name, std::string fallback, uint32_t CSettings::*member) {
    return {std::move(name), ValueForm::Colour, std::move(fallback),
            [member](const CSettings& s) { return FormatColour(s.*member); },
            [member](CSettings& s, std::string_view v) { return ParseColour(v, s.*member); }};
}

CSettingsKey HostNameKey() {
    return {"hostname", ValueForm::PlainText, "127.0.0.1",
            [](const CSettings& s) { return Encode(s.HostName()); },
            [](CSettings& s, std::string_view v) {
                s.SetHostName(Decode(v, std::u16string::npos));
                return true;
            }};
}

// Fewer than four fields lets the system choose position and size.
CSettingsKey WindowPosKey() {
    return {"windowpos", ValueForm::List, "0,0,240,320",
            [](const CSettings& s) {
                CWindowRect r = s.WindowPos();
                return std::to_string(r.x) + ',' + std::to_string(r.y) + ',' +
                       std::to_string(r.width) + ',' + std::to_string(r.height);
            },
            [](CSettings& s, std::string_view v) {
                std::vector<std::string_view> f = SplitAtCommas(v);
                if (f.size() < 4) {
                    s.SetWindowPos(INT_MIN, INT_MIN, INT_MIN, INT_MIN);
                } else {
                    s.SetWindowPos(ParseInt(f[0]), ParseInt(f[1]), ParseInt(f[2]), ParseInt(f[3]));
                }
                return true;
            }};
}

CSettingsKey SerialKey() {
    return {"serial", ValueForm::List, "COM1:,9600,8,None,1",
            [](const CSettings& s) {
                return Quoted(Encode(s.SerialPort()) + ',' + Encode(s.SerialBaudRate()) + ',' +
                              Encode(s.SerialDataBits()) + ',' + Encode(s.SerialParity()) + ',' +
                              Encode(s.SerialStopBits()));
            },
            [](CSettings& s, std::string_view v) {
                std::vector<std::string_view> f = SplitAtCommas(v);
                if (f.size() < 5) f = {"COM1:", "9600", "8", "None", "1"};
                constexpr size_t kLength = CSettings::kSerialTextCapacity - 1;
                s.SetSerialPort(Decode(f[0], kLength));
                s.SetSerialBaudRate(Decode(f[1], kLength));
                s.SetSerialDataBits(Decode(f[2], kLength));
                s.SetSerialParity(Decode(f[3], kLength));
                s.SetSerialStopBits(Decode(f[4], kLength));
                return true;
            }};
}

// Bytes are written signed, as the platform's char is.
CSettingsKey SerialFeatureKey() {
    return {"serialfeature", ValueForm::List, "false,0,0,false,0,0",
            [](const CSettings& s) {
                auto byte = [](uint8_t b) { return std::to_string(static_cast<int8_t>(b)); };
                return std::string(BoolText(s.SerialInEnabled())) + ',' + byte(s.SerialInPrefix()) +
                       ',' + byte(s.SerialInSuffix()) + ',' + BoolText(s.SerialOutEnabled()) + ',' +
                       byte(s.SerialOutPrefix()) + ',' + byte(s.SerialOutSuffix());
            },
            [](CSettings& s, std::string_view v) {
                std::vector<std::string_view> f = SplitAtCommas(v);
                if (f.size() < 6) f = {"true", "10", "13", "true", "10", "13"};
                s.SetSerialInEnabled(IsWord(f[0], "true"));
                s.SetSerialInPrefix(ParseByte(f[1]));
                s.SetSerialInSuffix(ParseByte(f[2]));
                s.SetSerialOutEnabled(IsWord(f[3], "true"));
                s.SetSerialOutPrefix(ParseByte(f[4]));
                s.SetSerialOutSuffix(ParseByte(f[5]));
                return true;
            }};
}

CSettingsKey CellWidthKey() {
    return {"CharacterCellAdditionalWidth", ValueForm::TwoDigitInteger, "01",
            [](const CSettings& s) {
                char buffer[16];
                std::snprintf(buffer, sizeof buffer, "%02d", s.CharacterCellAdditionalWidth());
                return std::string(buffer);
            },
            [](CSettings& s, std::string_view v) {
                int width = ParseInt(v);
                s.SetCharacterCellAdditionalWidth(width >= 0 && width <= 99 ? width : 1);
                return true;
            }};
}

// The eight keys of one sound event; a missing key reads as 0 or empty.
void AddSoundKeys(std::vector<CSettingsKey>& keys, SoundEventKind kind) {
    static const char* const kPrefixes[kSoundEventCount] = {
        "Normal", "Error", "ScanAccept", "ScanReject", "User01", "User02", "User03", "User04"};
    const std::string prefix = kPrefixes[static_cast<int>(kind)];
    keys.push_back(IntegerKey(
        prefix + "SoundType", "0", [kind](const CSettings& s) { return s.SoundType(kind); },
        [kind](CSettings& s, int v) { s.SetSoundType(kind, v); }));
    keys.push_back(QuotedTextKey(
        prefix + "SoundFile", "", CSettings::kSoundFileCapacity,
        [kind](const CSettings& s) -> const std::u16string& { return s.SoundFile(kind); },
        [kind](CSettings& s, std::u16string_view v) { s.SetSoundFile(kind, v); }));
    keys.push_back(IntegerKey(
        prefix + "SoundToneFrequency", "0",
        [kind](const CSettings& s) { return s.SoundToneFrequency(kind); },
        [kind](CSettings& s, int v) { s.SetSoundTone(kind, v, s.SoundToneDuration(kind)); }));
    keys.push_back(IntegerKey(
        prefix + "SoundToneDuration", "0",
        [kind](const CSettings& s) { return s.SoundToneDuration(kind); },
        [kind](CSettings& s, int v) { s.SetSoundTone(kind, s.SoundToneFrequency(kind), v); }));
    keys.push_back(IntegerKey(
        prefix + "VibrateEnabled", "0",
        [kind](const CSettings& s) { return s.VibrateEnabled(kind); },
        [kind](CSettings& s, int v) { s.SetVibrateEnabled(kind, v); }));
    keys.push_back(IntegerKey(
        prefix + "VibrateOnTime", "0", [kind](const CSettings& s) { return s.VibrateOnTime(kind); },
        [kind](CSettings& s, int v) { s.SetVibrateOnTime(kind, v); }));
    keys.push_back(IntegerKey(
        prefix + "VibrateOffTime", "0",
        [kind](const CSettings& s) { return s.VibrateOffTime(kind); },
        [kind](CSettings& s, int v) { s.SetVibrateOffTime(kind, v); }));
    keys.push_back(IntegerKey(
        prefix + "VibrateIterations", "0",
        [kind](const CSettings& s) { return s.VibrateIterations(kind); },
        [kind](CSettings& s, int v) { s.SetVibrateIterations(kind, v); }));
}

}  // namespace

const std::vector<CSettingsKey>& CSettingsKeyTable::Keys() {
    static const std::vector<CSettingsKey> keys = Build();
    return keys;
}

// The range clamps of the setters apply to read values too, so a file cannot
// bring in a zero screen size or an impossible port.
std::vector<CSettingsKey> CSettingsKeyTable::Build() {
    using S = CSettings;
    std::vector<CSettingsKey> keys = {
        HostNameKey(),
        IntegerKey("hostport", "9999", &S::HostPort, &S::SetHostPort),
        IntegerKey("screencols", "80", &S::ScreenCols,
                   [](S& s, int v) { s.SetScreenSize(v, s.ScreenRows()); }),
        IntegerKey("screenrows", "24", &S::ScreenRows,
                   [](S& s, int v) { s.SetScreenSize(s.ScreenCols(), v); }),
        IntegerKey("terminalid", "1", &S::TerminalId, &S::SetTerminalId),
        IntegerKey("toolbarsize", "0", &S::ToolbarSize, &S::SetToolbarSize),
        BooleanKey("fullscreen", "false", &S::FullScreen, &S::SetFullScreen),
        IntegerKey("windowstate", "0", &S::WindowState, &S::SetWindowState),
        WindowPosKey(),
        IntegerKey("intercharacterdelay", "30", &S::interCharacterDelay,
                   [](S& s, int v) { s.interCharacterDelay = v; }),
        IntegerKey("fontpointsize", "9", &S::FontPointSize, &S::SetFontPointSize),
        BooleanKey("fontautosize", "false", &S::FontAutoSize, &S::SetFontAutoSize),
        QuotedTextKey("fontname", "Courier New", S::kFontNameCapacity, &S::FontName,
                      &S::SetFontName),
        SerialKey(),
        BooleanKey("serialcommand", "false", &S::SerialCommand, &S::SetSerialCommand),
        SerialFeatureKey(),
        TimeoutKey("serialReadIntervalTimeout", "500", &CSerialTimeouts::readIntervalTimeout),
        TimeoutKey("serialReadTotalTimeoutConstant", "0",
                   &CSerialTimeouts::readTotalTimeoutConstant),
        TimeoutKey("serialReadTotalTimeoutMultiplier", "0",
                   &CSerialTimeouts::readTotalTimeoutMultiplier),
        TimeoutKey("serialWriteTotalTimeoutConstant", "0",
                   &CSerialTimeouts::writeTotalTimeoutConstant),
        TimeoutKey("serialWriteTotalTimeoutMultiplier", "0",
                   &CSerialTimeouts::writeTotalTimeoutMultiplier),
        BooleanKey("fieldedit", "true", &S::FieldEdit, &S::SetFieldEdit),
        QuotedTextKey("fieldnumericvalue", "0123456789+-%*/.$", S::kFieldNumericCapacity,
                      &S::FieldNumericValue, &S::SetFieldNumericValue),
        BooleanKey("scannerappendenter", "false", &S::ScannerAppendEnter,
                   &S::SetScannerAppendEnter),
        BooleanKey("scannerappendf0", "true", &S::ScannerAppendF0, &S::SetScannerAppendF0),
        BooleanKey("scanneroverwritefield", "true", &S::ScannerOverwriteField,
                   &S::SetScannerOverwriteField),
        BooleanKey("fieldentertof0", "true", &S::FieldEnterToF0, &S::SetFieldEnterToF0),
        BooleanKey("ScannerModeCallBack", "true", &S::ScannerModeCallBack,
                   &S::SetScannerModeCallBack),
        BooleanKey("CustomColorMode", "false", &S::CustomColorMode, &S::SetCustomColorMode),
        BooleanKey("ShowWaterMark", "true", &S::ShowWaterMark, &S::SetShowWaterMark),
        QuotedTextKey("WaterMarkText", "Ravelin II", S::kWaterMarkCapacity, &S::WaterMarkText,
                      &S::SetWaterMarkText),
        ColourKey("ForeGroundColor", "000000", &S::foreGroundColor),
        ColourKey("BackGroundColor", "95B2C3", &S::backGroundColor),
        ColourKey("InputForeGroundColor", "000000", &S::inputForeGroundColor),
        ColourKey("InputBackGroundColor", "ffffff", &S::inputBackGroundColor),
        ColourKey("FocusForeGroundColor", "000000", &S::focusForeGroundColor),
        ColourKey("FocusBackGroundColor", "FFF09E", &S::focusBackGroundColor),
        ColourKey("SelectedForeGround", "FFFFFF", &S::selectedForeGround),
        ColourKey("SelectedBackGroundColor", "FFCC33", &S::selectedBackGroundColor),
        ColourKey("CheckBoxCheckAndRadioButtonDotColor", "000000",
                  &S::checkBoxCheckAndRadioButtonDotColor),
        CellWidthKey(),
        BooleanKey("CarrowinAdminMode", "true", &S::CarrowinAdminMode, &S::SetCarrowinAdminMode),
        BooleanKey("UnderlineFixedTextMode", "true", &S::underlineFixedTextMode,
                   [](S& s, bool v) { s.underlineFixedTextMode = v; }),
        BooleanKey("UpperCaseInputMode", "false", &S::UpperCaseInputMode,
                   &S::SetUpperCaseInputMode),
    };
    for (SoundEventKind kind : {SoundEventKind::Normal, SoundEventKind::Error,
                                SoundEventKind::ScanAccept, SoundEventKind::ScanReject}) {
        AddSoundKeys(keys, kind);
    }
    keys.push_back(BooleanKey("fieldIsUTF8", "false", &S::FieldIsUTF8, &S::SetFieldIsUTF8));
    for (SoundEventKind kind : {SoundEventKind::User01, SoundEventKind::User02,
                                SoundEventKind::User03, SoundEventKind::User04}) {
        AddSoundKeys(keys, kind);
    }
    return keys;
}
