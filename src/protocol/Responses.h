#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class CField;
class CPage;

// The messages the terminal answers the host with, without the terminal id
// in front and the terminator behind, which the link adds. Numbers use the
// encoding of the host stream.

// The longest length the length form can carry.
constexpr size_t kMaxResponseLength = 207 * 208 + 207;

// One byte 48 + value (modulo 256): -1 is "/".
void AppendNumber(std::string& message, int value);
// One byte up to 207, else "!" and two bytes; at most kMaxResponseLength.
void AppendLength(std::string& message, size_t length);

// What the host gets for the field: its text with the prefix rule applied.
std::u16string FieldValue(const CField& field);
// Text as bytes of the host's code page, cut at a character boundary to what
// the length form can carry.
std::string ResponseBytes(std::u16string_view text, bool utf8);

// "=" field length bytes for every modified field of the page in ascending
// number; clears their modified flags.
std::string CollectFieldData(CPage& page, bool utf8);

std::string StatusMessage(int screenCols, int screenRows, int connectSecond);
// "RF" key field, or "R%" field, followed by the field data.
std::string KeyMessage(int key, int currentField, std::string_view fieldData);
std::string FieldCompleteMessage(int currentField, std::string_view fieldData);
std::string PromptAnswerMessage(std::u16string_view answer, bool utf8);
// Serial port data; the data ends at its first zero byte.
std::string PortDataMessage(std::string_view data);
