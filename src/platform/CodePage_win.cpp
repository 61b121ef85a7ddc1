#include <windows.h>

#include <climits>

#include "platform/CodePage.h"

// wchar_t and char16_t are both UTF-16 units on Windows; this is the one
// place where the program's text meets the wide-character calls.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace {

UINT CodePageOf(bool utf8) {
    return utf8 ? CP_UTF8 : CP_ACP;
}

}  // namespace

bool SetAnsiCodePage(int codePage) {
    // CP_ACP follows the system setting, not the program.
    return codePage == static_cast<int>(GetACP());
}

bool MultiByteToUtf16(const unsigned char* bytes, size_t n, bool utf8, std::u16string& out) {
    if (n > INT_MAX) return false;
    const UINT codePage = CodePageOf(utf8);
    const char* source = reinterpret_cast<const char*>(bytes);
    const int length = static_cast<int>(n);
    const int units =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, source, length, nullptr, 0);
    if (units <= 0) return false;
    out.resize(static_cast<size_t>(units));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, source, length,
                               reinterpret_cast<wchar_t*>(out.data()), units) == units;
}

std::string Utf16ToMultiByte(std::u16string_view text, bool utf8) {
    if (text.size() > INT_MAX) return {};
    const UINT codePage = CodePageOf(utf8);
    // UTF-8 takes neither flags nor a default character. For the ANSI code
    // page, no best fit: a character the page cannot hold becomes '?', not a
    // look-alike.
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* defaultChar = utf8 ? nullptr : "?";
    const wchar_t* source = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int bytes =
        WideCharToMultiByte(codePage, flags, source, length, nullptr, 0, defaultChar, nullptr);
    if (bytes <= 0) return {};
    std::string out(static_cast<size_t>(bytes), '\0');
    if (WideCharToMultiByte(codePage, flags, source, length, out.data(), bytes, defaultChar,
                            nullptr) != bytes) {
        return {};
    }
    return out;
}
