#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The code-page conversions behind TextCodec, one implementation per build:
// the system's own in the Windows build, UTF-8 and Windows-1252 natively.

// Decodes n bytes (n > 0, no NUL among them) from UTF-8 or the ANSI code
// page into out; false when the bytes are not valid in that code page.
bool MultiByteToUtf16(const unsigned char* bytes, size_t n, bool utf8, std::u16string& out);

// Encodes text (no NUL in it) to UTF-8 or the ANSI code page, '?' for what
// the code page cannot hold.
std::string Utf16ToMultiByte(std::u16string_view text, bool utf8);
