#include "FuzzBytes.h"

#include <algorithm>

std::string CFuzzBytes::Take(size_t n) {
    n = std::min(n, static_cast<size_t>(end - at));
    std::string bytes(reinterpret_cast<const char*>(at), n);
    at += n;
    return bytes;
}

std::u16string CFuzzBytes::CountedText() {
    const std::string bytes = Counted();
    std::u16string text;
    for (char c : bytes) text += static_cast<char16_t>(static_cast<unsigned char>(c));
    return text;
}
