#include "platform/TextCodec.h"

#include <cstring>

#include "platform/CodePage.h"

namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

}  // namespace

std::u16string_view CutText(std::u16string_view text, size_t capacity) {
    if (text.size() <= capacity) return text;
    size_t n = capacity;
    if (n > 0 && IsHighSurrogate(text[n - 1])) --n;
    return text.substr(0, n);
}

std::u16string DecodeText(const unsigned char* bytes, size_t n, bool utf8, size_t capacity) {
    std::u16string text;
    DecodeTextInto(bytes, n, utf8, capacity, text);
    return text;
}

void DecodeTextInto(const unsigned char* bytes, size_t n, bool utf8, size_t capacity,
                    std::u16string& out) {
    out.clear();
    if (n == 0 || capacity == 0) return;
    if (const void* nul = std::memchr(bytes, 0, n)) {
        n = static_cast<size_t>(static_cast<const unsigned char*>(nul) - bytes);
    }
    if (n == 0) return;
    if (!MultiByteToUtf16(bytes, n, utf8, out)) {
        out.clear();
        return;
    }
    out.resize(CutText(out, capacity).size());
}

std::string EncodeText(std::u16string_view text, bool utf8) {
    text = text.substr(0, text.find(u'\0'));
    if (text.empty()) return {};
    return Utf16ToMultiByte(text, utf8);
}
