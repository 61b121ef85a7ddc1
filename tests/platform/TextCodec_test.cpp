#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "platform/CodePage.h"

using namespace std::string_literals;

namespace {

constexpr bool kUtf8 = true;
constexpr bool kAnsi = false;

std::u16string Decode(const std::string& bytes, bool utf8, size_t capacity = 100) {
    return DecodeText(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), utf8,
                      capacity);
}

TEST(TextCodec, Decode) {
    const std::tuple<const char*, std::string, bool, size_t, std::u16string> cases[] = {
        {"1252 specials", "\x80\x9F\xE9\xFF", kAnsi, 100, u"\u20AC\u0178\u00E9\u00FF"},
        {"1252 undefined", "\x81\x8D\x8F\x90\x9D", kAnsi, 100, u"\u0081\u008D\u008F\u0090\u009D"},
        {"invalid beyond capacity", "ab\xFF", kUtf8, 1, u""},
        {"cut", "Hello", kAnsi, 3, u"Hel"},
        {"cut keeps whole pair", "a\xF0\x9F\x98\x80", kUtf8, 3, u"a\xD83D\xDE00"},
        {"cut drops split pair", "a\xF0\x9F\x98\x80z", kUtf8, 2, u"a"},
        {"cut drops only pair", "\xF0\x9F\x98\x80", kUtf8, 1, u""},
        {"ends at NUL", "ab\0cd"s, kAnsi, 100, u"ab"},
        {"invalid after NUL ignored", "ab\0\xFF"s, kUtf8, 100, u"ab"}};
    for (const auto& [name, bytes, utf8, capacity, expected] : cases) {
        EXPECT_EQ(Decode(bytes, utf8, capacity), expected) << name;
    }
    EXPECT_EQ(DecodeText(nullptr, 0, kUtf8, 10), u"");
    // Invalid UTF-8 anywhere gives no text: overlong, a surrogate, beyond U+10FFFF, five bytes,
    // truncated, a stray or a bad continuation.
    for (const char* bad : {"\xC0\xAF", "\xF0\x8F\xBF\xBF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                            "\xF8\x88\x80\x80\x80", "ab\xE2\x82", "a\x80z", "\xC3("}) {
        EXPECT_EQ(Decode(bad, kUtf8), u"") << bad;
    }
}

TEST(TextCodec, Encode) {
    const std::tuple<const char*, std::u16string, bool, std::string> cases[] = {
        {"not in 1252, no look-alike", u"A\u0100\u4E2DZ", kAnsi, "A??Z"},
        {"pair not in 1252", u"\xD83D\xDE00", kAnsi, "??"},
        {"utf8 of 2, 3, 4 bytes", u"\u00E9\u20AC\xD83D\xDE00", kUtf8,
         "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
        {"lone high surrogate", u"a\xD83Dz", kUtf8, "a\xEF\xBF\xBDz"},
        {"lone low surrogate at end", u"a\xDE00", kUtf8, "a\xEF\xBF\xBD"},
        {"ends at NUL", u"ab\0cd"s, kUtf8, "ab"}};
    for (const auto& [name, text, utf8, expected] : cases) {
        EXPECT_EQ(EncodeText(text, utf8), expected) << name;
    }
}

TEST(TextCodec, RoundTrips) {
    // Every code point outside the surrogate range survives UTF-8 both ways.
    for (char32_t c = 1; c <= 0x10FFFF; ++c) {
        if (c == 0xD800) c = 0xE000;
        const char32_t v = c - 0x10000;
        const std::u16string text =
            c < 0x10000 ? std::u16string(1, static_cast<char16_t>(c))
                        : std::u16string{static_cast<char16_t>(0xD800 + (v >> 10)),
                                         static_cast<char16_t>(0xDC00 + (v & 0x3FF))};
        ASSERT_EQ(Decode(EncodeText(text, kUtf8), kUtf8), text) << static_cast<unsigned>(c);
    }
    // Each byte of every ANSI page the build can select (on Windows only the
    // system's) survives both ways: no two bytes share a unit.
    int pages = 0;
    for (int codePage = 1250; codePage <= 1258; ++codePage) {
        if (!SetAnsiCodePage(codePage)) continue;
        ++pages;
        for (int b = 1; b < 256; ++b) {
            const std::string byte(1, static_cast<char>(b));
            EXPECT_EQ(EncodeText(Decode(byte, kAnsi), kAnsi), byte) << codePage << " " << b;
        }
    }
    EXPECT_GT(pages, 0);
    SetAnsiCodePage(1252);
}

#ifndef _WIN32
// Only the native build chooses its ANSI code page; Windows has the system's.
TEST(TextCodec, SelectedAnsiCodePage) {
    // Tests share the process: put back the default however this one ends.
    struct RestoreDefault {
        ~RestoreDefault() { SetAnsiCodePage(1252); }
    } restore;
    // In 1253 0xAA is undefined: it reads as its own value and goes back as it came.
    const std::tuple<int, std::string, std::u16string> cases[] = {
        {1251, "\xC0\xDF\xE0\xFF\xA8\x88", u"\u0410\u042F\u0430\u044F\u0401\u20AC"},
        {1253, "\xC1\xD9\xE1\xF9\xA2\x80\xAA", u"\u0391\u03A9\u03B1\u03C9\u0386\u20AC\u00AA"}};
    for (const auto& [codePage, bytes, text] : cases) {
        ASSERT_TRUE(SetAnsiCodePage(codePage));
        EXPECT_EQ(Decode(bytes, kAnsi), text) << codePage;
        EXPECT_EQ(EncodeText(text, kAnsi), bytes) << codePage;
        EXPECT_EQ(EncodeText(u"a\u00E9\u4E2D", kAnsi), "a??") << codePage;
    }
    // Unknown, multi-byte, EBCDIC (500) and UTF-8 pages are refused and change nothing.
    ASSERT_TRUE(SetAnsiCodePage(1251));
    for (const int codePage : {99999, -1, 932, 500, 65001}) {
        EXPECT_FALSE(SetAnsiCodePage(codePage)) << codePage;
    }
    EXPECT_EQ(Decode("\xC0", kAnsi), u"\u0410");
}
#endif

}  // namespace
