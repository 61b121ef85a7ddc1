#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

// The fuzz input read front to back as the choices of one run. Past its end
// every byte reads 0, so a short input is still a whole run.
class CFuzzBytes {
public:
    CFuzzBytes(const uint8_t* data, size_t size) : at(data), end(data + size) {}

    bool AtEnd() const { return at == end; }
    uint8_t Byte() { return at < end ? *at++ : 0; }
    // The next n bytes, fewer at the end.
    std::string Take(size_t n) { return Next<std::string>(n); }
    // A byte counted text: its length byte, then the bytes.
    std::string Counted() { return Take(Byte()); }
    // The same with each byte as the character of that code.
    std::u16string CountedText() { return Next<std::u16string>(Byte()); }

private:
    template <class Text>
    Text Next(size_t n) {
        n = std::min(n, static_cast<size_t>(end - at));
        at += n;
        return Text(at - n, at);
    }

    const uint8_t* at;
    const uint8_t* end;
};
