#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class CFuzzBytes;
class CPage;
class CSettings;
class CTerminalState;

// Ends the run as a crash, so that libFuzzer keeps the input, when a promise
// does not hold.
void Require(bool holds);

// No field text outgrows its buffer, whatever came in.
void CheckFieldTexts(const CPage& page);
void CheckFieldTexts(const CTerminalState& terminal);

// A number the key map can give: from Enter as F0 up to Ctrl+F24.
bool IsKeyNumber(int key);

// Whether a numeric entry field may hold the text: each character is one of
// the set, or the capital of a small letter of the set when input is turned
// to upper case.
bool NumericAllows(const CSettings& settings, std::u16string_view text);

// The settings that change how typing is taken, from the low four bits of
// flags; the numeric set, when its bit is set, from the input.
void SetEditingSettings(CSettings& settings, uint8_t flags, CFuzzBytes& in);

// Hands bytes on in the pieces a link or a port might deliver them in: the
// piece lengths, up to 4 KiB, follow from seed. Each piece is a copy of
// exactly its size, so a read past it is caught.
void FeedInPieces(const std::string& bytes, uint16_t seed,
                  const std::function<void(const unsigned char* piece, size_t n)>& feed);
