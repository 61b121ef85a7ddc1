#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

// A field's owned text of bounded capacity in UTF-16 units. It is null until a
// command gives the field a buffer; the text never grows past the capacity.
//
// Texts are part of the terminal state that CStateOwner hands between the
// connection thread and the window thread, so only the state's owner of the
// moment reads or writes them, and they need no lock of their own. Readers
// still get copies, so no reference into the storage outlives a turn.
// The storage is made at the capacity and kept; only a capacity above it
// (Reallocate for '@B', or a new definition of a reused field) makes new
// storage.
class CFieldText {
public:
    CFieldText() = default;
    CFieldText(const CFieldText& other);
    CFieldText& operator=(const CFieldText& other);
    CFieldText(CFieldText&& other) noexcept { *this = std::move(other); }
    CFieldText& operator=(CFieldText&& other) noexcept {
        if (this == &other) return *this;
        storage = std::move(other.storage);
        storageSize = std::exchange(other.storageSize, 0);
        length = std::exchange(other.length, 0);
        capacity = std::exchange(other.capacity, -1);
        return *this;
    }

    bool IsNull() const { return Capacity() < 0; }
    int Capacity() const { return capacity; }
    // A copy of the text.
    std::u16string Get() const;
    int Length() const { return static_cast<int>(length); }
    bool IsEmpty() const { return Length() == 0; }

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
    // Writes the first n units of source over the start of the text, cut to
    // the capacity; a source shorter than n ends the text where it ends.
    // Nothing happens when either text is null.
    void CopyFrom(const CFieldText& source, size_t n);
    // Inserts code at index (clamped to 0..length) when the text is shorter
    // than room and the capacity; returns where it went, or -1.
    int Insert(int index, char16_t code, int room);
    // Removes the unit at index; false when there is none.
    bool Erase(int index);
    // Empties the text; a null text stays null.
    void Clear();
    // Back to null. The storage stays for the next text, since a host
    // rebuilds its screens all day with texts of the same sizes.
    void Free();

private:
    void Grow(size_t units);
    void Write(std::u16string_view text);
    std::u16string_view View() const;

    std::unique_ptr<char16_t[]> storage;
    size_t storageSize = 0;
    size_t length = 0;
    int capacity = -1;
};
