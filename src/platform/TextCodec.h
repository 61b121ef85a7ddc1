#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Conversions between host or file bytes and the program's UTF-16 text.
// UTF-8, or the system ANSI code page (Windows-1252 in the native build).

// Decodes n bytes. Invalid input gives the empty text. The text ends at the
// first NUL, as a terminated string would, and is cut to at most capacity
// units without splitting a surrogate pair.
std::u16string DecodeText(const unsigned char* bytes, size_t n, bool utf8, size_t capacity);

// Encodes text; characters the ANSI code page cannot hold become '?'.
std::string EncodeText(std::u16string_view text, bool utf8);
