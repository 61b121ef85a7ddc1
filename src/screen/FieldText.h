#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A field's owned text of bounded capacity in UTF-16 units. It is null until a
// command gives the field a buffer; the text never grows past the capacity.
class CFieldText {
public:
    bool IsNull() const { return capacity < 0; }
    int Capacity() const { return capacity; }
    const std::u16string& Get() const { return value; }
    bool IsEmpty() const { return value.empty(); }

    // A new buffer of the given capacity (negative counts as 0) holding the empty text.
    void Allocate(int newCapacity);
    // A new buffer of the given capacity holding the old text cut to it.
    void Reallocate(int newCapacity);
    // Replaces the text, cut to the capacity; gives a null text a buffer of
    // exactly the text's size.
    void Set(std::u16string_view text);
    // Replaces the text with host bytes decoded (see DecodeText) and cut to
    // the capacity; a null text is given a buffer of the decoded size.
    void Decode(const unsigned char* bytes, size_t n, bool utf8);
    // Empties the text; a null text stays null.
    void Clear() { value.clear(); }
    // Back to null. The storage stays for the next text, since a host
    // rebuilds its screens all day with texts of the same sizes.
    void Free() {
        value.clear();
        capacity = -1;
    }

private:
    std::u16string value;
    int capacity = -1;
};
