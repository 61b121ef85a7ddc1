#include "screen/FieldText.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "platform/TextCodec.h"

namespace {

// Host text is decoded here, away from the live text, and then copied in.
// Kept per thread so that rebuilding a page allocates nothing.
std::u16string& Scratch() {
    thread_local std::u16string scratch;
    return scratch;
}

int ClampedSize(size_t size) {
    return static_cast<int>(std::min<size_t>(size, INT_MAX));
}

}  // namespace

CFieldText::CFieldText(const CFieldText& other) {
    *this = other;
}

CFieldText& CFieldText::operator=(const CFieldText& other) {
    if (this == &other) return *this;
    length = 0;
    capacity = other.capacity;
    Grow(static_cast<size_t>(std::max(capacity, 0)));
    std::u16string_view text = other.View();
    std::copy(text.begin(), text.end(), storage.get());
    length = text.size();
    return *this;
}

std::u16string_view CFieldText::View() const {
    return {storage.get(), length};
}

std::u16string CFieldText::Get() const {
    return std::u16string(View());
}

void CFieldText::Grow(size_t units) {
    if (units <= storageSize) return;
    auto grown = std::make_unique<char16_t[]>(units);
    std::u16string_view text = View();
    std::copy(text.begin(), text.end(), grown.get());
    storage = std::move(grown);
    storageSize = units;
}

void CFieldText::Write(std::u16string_view text) {
    text = CutText(text, static_cast<size_t>(capacity));
    std::copy(text.begin(), text.end(), storage.get());
    length = text.size();
}

void CFieldText::Allocate(int newCapacity) {
    length = 0;
    capacity = std::max(newCapacity, 0);
    Grow(static_cast<size_t>(capacity));
}

void CFieldText::Reallocate(int newCapacity) {
    capacity = std::max(newCapacity, 0);
    length = CutText(View(), static_cast<size_t>(capacity)).size();
    Grow(static_cast<size_t>(capacity));
}

void CFieldText::Set(std::u16string_view text) {
    if (IsNull()) {
        capacity = ClampedSize(text.size());
        Grow(static_cast<size_t>(capacity));
    }
    Write(text);
}

void CFieldText::Decode(const unsigned char* bytes, size_t n, bool utf8) {
    std::u16string& decoded = Scratch();
    DecodeTextInto(bytes, n, utf8,
                   IsNull() ? static_cast<size_t>(-1) : static_cast<size_t>(capacity), decoded);
    Set(decoded);
}

void CFieldText::CopyFrom(const CFieldText& source, size_t n) {
    if (IsNull() || source.IsNull()) return;
    // Through the scratch text, since source may be this text.
    std::u16string& copied = Scratch();
    copied.assign(source.View().substr(0, n));
    if (copied.size() == n && View().size() > n) copied.append(View().substr(n));
    Write(copied);
}

int CFieldText::Insert(int index, char16_t code, int room) {
    size_t size = length;
    if (static_cast<int>(size) >= std::min(room, capacity)) return -1;
    size_t at = std::min(static_cast<size_t>(std::max(index, 0)), size);
    char16_t* chars = storage.get();
    std::copy_backward(chars + at, chars + size, chars + size + 1);
    chars[at] = code;
    length = size + 1;
    return static_cast<int>(at);
}

bool CFieldText::Erase(int index) {
    if (index < 0 || static_cast<size_t>(index) >= length) return false;
    char16_t* chars = storage.get();
    std::copy(chars + index + 1, chars + length, chars + index);
    --length;
    return true;
}

void CFieldText::Clear() {
    length = 0;
}

void CFieldText::Free() {
    length = 0;
    capacity = -1;
}
