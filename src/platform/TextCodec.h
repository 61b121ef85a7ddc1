#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Conversions between host or file bytes and the program's UTF-16 text.
// UTF-8, or the ANSI code page (natively the one SetAnsiCodePage selects).
// Texts are terminated strings: whatever follows a NUL is not part of them.

// Decodes n bytes up to the first NUL. Invalid input gives the empty text.
// The result is cut to at most capacity units (see CutText).
std::u16string DecodeText(const unsigned char* bytes, size_t n, bool utf8, size_t capacity);
// The same into out, reusing its storage.
void DecodeTextInto(const unsigned char* bytes, size_t n, bool utf8, size_t capacity,
                    std::u16string& out);

// Encodes text up to its first NUL; characters the ANSI code page cannot hold
// become '?', lone surrogates become U+FFFD in UTF-8.
std::string EncodeText(std::u16string_view text, bool utf8);

// The first capacity units of text. A cut that would split a surrogate pair
// drops its high half too, so a cut text never ends in a lone high surrogate.
std::u16string_view CutText(std::u16string_view text, size_t capacity);
