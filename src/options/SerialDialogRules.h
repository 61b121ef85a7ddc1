#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The rules of the Serial Port and Serial Feature options dialogs that need
// no window.

// A drop-down of the serial dialogs: its entries in list order and the
// entry shown when the setting matches none.
struct CChoiceList {
    std::span<const std::u16string_view> entries;
    int fallback;
};

extern const CChoiceList kBaudRateList;
extern const CChoiceList kDataBitsList;
extern const CChoiceList kParityList;
extern const CChoiceList kStopBitsList;
// "SI mode" of the Serial Feature dialog: Field unless the setting says
// Command.
extern const CChoiceList kSerialInModeList;
constexpr int kSerialInCommand = 1;

// The entry equal to text, letter case ignored; the fallback when none is.
int ChoiceIndexFor(const CChoiceList& list, std::u16string_view text);

// What OK stores for the text a drop-down shows: the entry that text names
// (letter case ignored), or -1 when typing left a text that names none, so
// that the setting keeps its value.
int ChoiceIndexTyped(const CChoiceList& list, std::u16string_view text);

// The number the Port edit shows for a port text such as "COM3:": what
// follows "COM" read as a decimal number, 1 when none does.
int ComPortNumber(std::u16string_view portText);

// The port text OK stores for the number typed: its last two digits, at
// least 1, as "COM%d:".
std::u16string ComPortText(unsigned typed);

// A prefix or suffix as stored: its seven low bits.
uint8_t SevenBitCode(unsigned typed);

// The read interval time-out as stored: 100 to 10000 ms.
uint32_t DialogReadInterval(unsigned typed);
