#include <array>
#include <cstdint>

#include "platform/CodePage.h"

// The native build's code pages: UTF-8, and Windows-1252 standing in for the
// system ANSI code page. Both behave as the Windows conversions do with
// MB_ERR_INVALID_CHARS and the default character '?'.

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Windows-1252 bytes 0x80 to 0x9F. The five bytes the code page leaves
// undefined map to the C1 controls of the same value, as Windows does.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Writes c at to and returns the position behind it.
char16_t* PutUtf16(char32_t c, char16_t* to) {
    if (c < 0x10000) {
        *to++ = static_cast<char16_t>(c);
        return to;
    }
    c -= 0x10000;
    *to++ = static_cast<char16_t>(0xD800 + (c >> 10));
    *to++ = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    return to;
}

// Strict UTF-8: overlong forms, encoded surrogates, code points above
// U+10FFFF, truncated sequences and stray continuation bytes are all invalid.
bool DecodeUtf8(const unsigned char* bytes, size_t n, std::u16string& out) {
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    // No sequence gives more units than it has bytes.
    out.resize(n);
    char16_t* const begin = out.data();
    char16_t* to = begin;
    size_t i = 0;
    while (i < n) {
        const unsigned char lead = bytes[i++];
        if (lead < 0x80) {
            *to++ = lead;
            continue;
        }
        size_t more;
        char32_t c;
        if ((lead & 0xE0) == 0xC0) {
            more = 1, c = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            more = 2, c = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            more = 3, c = lead & 0x07;
        } else {
            return false;
        }
        if (n - i < more) return false;
        for (size_t k = 0; k < more; ++k) {
            const unsigned char next = bytes[i++];
            if ((next & 0xC0) != 0x80) return false;
            c = (c << 6) | (next & 0x3F);
        }
        if (c < kSmallest[more] || c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c)) {
            return false;
        }
        to = PutUtf16(c, to);
    }
    out.resize(static_cast<size_t>(to - begin));
    return true;
}

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string EncodeUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            c = kReplacement;
        }
        AppendUtf8(c, out);
    }
    return out;
}

void DecodeWindows1252(const unsigned char* bytes, size_t n, std::u16string& out) {
    out.resize(n);
    char16_t* to = out.data();
    // Two plain passes the compiler can vectorise: most host text is ASCII.
    bool high = false;
    for (size_t i = 0; i < n; ++i) {
        to[i] = bytes[i];
        high |= bytes[i] >= 0x80;
    }
    if (!high) return;
    for (size_t i = 0; i < n; ++i) {
        if (to[i] >= 0x80 && to[i] < 0xA0) to[i] = kWindows1252High[to[i] - 0x80];
    }
}

char EncodeWindows1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (size_t i = 0; i < kWindows1252High.size(); ++i) {
        if (kWindows1252High[i] == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

bool MultiByteToUtf16(const unsigned char* bytes, size_t n, bool utf8, std::u16string& out) {
    if (utf8) return DecodeUtf8(bytes, n, out);
    DecodeWindows1252(bytes, n, out);
    return true;
}

std::string Utf16ToMultiByte(std::u16string_view text, bool utf8) {
    if (utf8) return EncodeUtf8(text);
    std::string out(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) out[i] = EncodeWindows1252(text[i]);
    return out;
}
