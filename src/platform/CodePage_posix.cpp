#include <iconv.h>

#include <array>
#include <cerrno>
#include <optional>
#include <string>

#include "platform/CodePage.h"

// The native build's code pages: UTF-8, and a single-byte page standing in
// for the system ANSI code page. Both behave as the Windows conversions do
// with MB_ERR_INVALID_CHARS and the default character '?'.

namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr int kDefaultAnsiCodePage = 1252;

// One UTF-16 unit for each byte of a single-byte code page.
using ByteTable = std::array<char16_t, 256>;

// Owns one iconv conversion.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (Open()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Open() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return cd_; }

private:
    iconv_t cd_;
};

// Every byte as the U+00XX of its value: what Windows gives for the bytes a
// code page leaves undefined.
ByteTable ByteValues() {
    ByteTable table;
    for (size_t b = 0; b < table.size(); ++b) table[b] = static_cast<char16_t>(b);
    return table;
}

bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}
bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
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
        if (c < kSmallest[more] || c > 0x10FFFF || IsSurrogate(c)) {
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
        } else if (IsSurrogate(c)) {
            c = kReplacement;
        }
        AppendUtf8(c, out);
    }
    return out;
}

// The code page as iconv reads it, byte by byte. Nothing when iconv lacks
// it, or when it is not a single-byte page that keeps ASCII as it is, which
// the decoder's fast path relies on.
std::optional<ByteTable> SingleByteTable(int codePage) {
    const std::string name = "CP" + std::to_string(codePage);
    const Converter converter("UTF-16LE", name.c_str());
    if (!converter.Open()) return std::nullopt;
    constexpr size_t kFailed = static_cast<size_t>(-1);
    ByteTable table = ByteValues();
    for (size_t b = 0; b < table.size(); ++b) {
        // From the initial state, and flushed: a page that composes
        // characters (1258) holds a letter back for a following accent.
        iconv(converter.Get(), nullptr, nullptr, nullptr, nullptr);
        char byte = static_cast<char>(b);
        char* from = &byte;
        size_t fromLeft = 1;
        unsigned char units[8];
        char* to = reinterpret_cast<char*>(units);
        size_t toLeft = sizeof units;
        const bool converted = iconv(converter.Get(), &from, &fromLeft, &to, &toLeft) != kFailed &&
                               iconv(converter.Get(), nullptr, nullptr, &to, &toLeft) != kFailed;
        // An undefined byte keeps its value; an incomplete one starts a
        // multi-byte sequence.
        if (!converted && errno == EILSEQ) continue;
        const char16_t unit = static_cast<char16_t>(units[0] | units[1] << 8);
        if (!converted || sizeof units - toLeft != 2 || IsSurrogate(unit) ||
            (b < 0x80 && unit != b)) {
            return std::nullopt;
        }
        table[b] = unit;
    }
    return table;
}

// The ANSI code page both ways. Encoding looks a unit up directly: one entry
// for each UTF-16 unit, '?' where the page has no byte for it, surrogates
// included, so a pair becomes two.
class SingleBytePage {
public:
    explicit SingleBytePage(const ByteTable& decode) { Select(decode); }

    void Select(const ByteTable& decode) {
        decode_ = decode;
        encode_.fill('?');
        for (size_t b = 0; b < decode.size(); ++b) encode_[decode[b]] = static_cast<char>(b);
    }

    void Decode(const unsigned char* bytes, size_t n, std::u16string& out) const {
        out.resize(n);
        char16_t* to = out.data();
        // Most host text is ASCII: a plain copy that notes any byte above it,
        // and the table only for text that has one.
        unsigned char seen = 0;
        for (size_t i = 0; i < n; ++i) {
            const unsigned char byte = bytes[i];
            to[i] = byte;
            seen |= byte;
        }
        if (seen < 0x80) return;
        for (size_t i = 0; i < n; ++i) to[i] = decode_[bytes[i]];
    }

    char Encode(char16_t unit) const { return encode_[unit]; }

private:
    ByteTable decode_;
    std::array<char, 0x10000> encode_;
};

// Selected at start, before any thread converts text, and only read after.
// Without even 1252 in iconv (no conversion modules) every byte reads as
// U+00XX.
SingleBytePage& AnsiPage() {
    static SingleBytePage page(SingleByteTable(kDefaultAnsiCodePage).value_or(ByteValues()));
    return page;
}

}  // namespace

bool SetAnsiCodePage(int codePage) {
    const std::optional<ByteTable> table = SingleByteTable(codePage);
    if (!table) return false;
    AnsiPage().Select(*table);
    return true;
}

bool MultiByteToUtf16(const unsigned char* bytes, size_t n, bool utf8, std::u16string& out) {
    if (utf8) return DecodeUtf8(bytes, n, out);
    AnsiPage().Decode(bytes, n, out);
    return true;
}

std::string Utf16ToMultiByte(std::u16string_view text, bool utf8) {
    if (utf8) return EncodeUtf8(text);
    const SingleBytePage& page = AnsiPage();
    std::string out(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) out[i] = page.Encode(text[i]);
    return out;
}
