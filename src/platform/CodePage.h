#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The code-page conversions behind TextCodec, one implementation per build:
// the system's own in the Windows build; natively UTF-8 and a single-byte
// ANSI code page, Windows-1252 unless SetAnsiCodePage selects another.

// Selects the ANSI code page for all later conversions; false, keeping the
// one selected, for a page this build cannot provide. Natively that is any
// single-byte page over ASCII that iconv knows (1250 to 1258 among them),
// not UTF-8, which has its own flag. The Windows build converts with the
// system's page and accepts only its number. Call it at start, before any
// thread converts text: the conversions read the selection without a lock.
bool SetAnsiCodePage(int codePage);

// Decodes n bytes (n > 0, no NUL among them) from UTF-8 or the ANSI code
// page into out; false when the bytes are not valid in that code page.
bool MultiByteToUtf16(const unsigned char* bytes, size_t n, bool utf8, std::u16string& out);

// Encodes text (no NUL in it) to UTF-8 or the ANSI code page, '?' for what
// the code page cannot hold.
std::string Utf16ToMultiByte(std::u16string_view text, bool utf8);
