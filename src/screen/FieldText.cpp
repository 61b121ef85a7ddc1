#include "screen/FieldText.h"

#include <algorithm>
#include <climits>
#include <mutex>
#include <utility>

#include "platform/TextCodec.h"

namespace {

// One lock for every text: only two threads share them, and a hold is one
// copy of one text, so they seldom meet there.
std::mutex gTextLock;

using Hold = std::lock_guard<std::mutex>;

// Inside a hold the lock orders every access.
constexpr std::memory_order kRelaxed = std::memory_order_relaxed;

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
    Hold hold(gTextLock);
    length.store(0, kRelaxed);
    capacity.store(other.capacity.load(kRelaxed), kRelaxed);
    Grow(static_cast<size_t>(std::max(Capacity(), 0)));
    std::u16string_view text = other.View();
    std::copy(text.begin(), text.end(), storage.get());
    length.store(text.size(), kRelaxed);
    return *this;
}

std::u16string_view CFieldText::View() const {
    return {storage.get(), length.load(kRelaxed)};
}

std::u16string CFieldText::Get() const {
    Hold hold(gTextLock);
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
    text = CutText(text, static_cast<size_t>(Capacity()));
    std::copy(text.begin(), text.end(), storage.get());
    length.store(text.size(), kRelaxed);
}

void CFieldText::Allocate(int newCapacity) {
    Hold hold(gTextLock);
    length.store(0, kRelaxed);
    capacity.store(std::max(newCapacity, 0), kRelaxed);
    Grow(static_cast<size_t>(Capacity()));
}

void CFieldText::Reallocate(int newCapacity) {
    Hold hold(gTextLock);
    capacity.store(std::max(newCapacity, 0), kRelaxed);
    length.store(CutText(View(), static_cast<size_t>(Capacity())).size(), kRelaxed);
    Grow(static_cast<size_t>(Capacity()));
}

void CFieldText::Set(std::u16string_view text) {
    Hold hold(gTextLock);
    if (IsNull()) {
        capacity.store(ClampedSize(text.size()), kRelaxed);
        Grow(static_cast<size_t>(Capacity()));
    }
    Write(text);
}

void CFieldText::Decode(const unsigned char* bytes, size_t n, bool utf8) {
    int limit = Capacity();
    std::u16string& decoded = Scratch();
    DecodeTextInto(bytes, n, utf8, limit < 0 ? static_cast<size_t>(-1) : static_cast<size_t>(limit),
                   decoded);
    Set(decoded);
}

void CFieldText::CopyFrom(const CFieldText& source, size_t n) {
    Hold hold(gTextLock);
    if (IsNull() || source.IsNull()) return;
    // Through the scratch text, since source may be this text.
    std::u16string& copied = Scratch();
    copied.assign(source.View().substr(0, n));
    if (copied.size() == n && View().size() > n) copied.append(View().substr(n));
    Write(copied);
}

int CFieldText::Insert(int index, char16_t code, int room) {
    Hold hold(gTextLock);
    size_t size = View().size();
    if (static_cast<int>(size) >= std::min(room, Capacity())) return -1;
    size_t at = std::min(static_cast<size_t>(std::max(index, 0)), size);
    char16_t* chars = storage.get();
    std::copy_backward(chars + at, chars + size, chars + size + 1);
    chars[at] = code;
    length.store(size + 1, kRelaxed);
    return static_cast<int>(at);
}

bool CFieldText::Erase(int index) {
    Hold hold(gTextLock);
    size_t size = View().size();
    if (index < 0 || static_cast<size_t>(index) >= size) return false;
    char16_t* chars = storage.get();
    std::copy(chars + index + 1, chars + size, chars + index);
    length.store(size - 1, kRelaxed);
    return true;
}

// An empty or null text is left alone without the lock: a writer racing
// with the check then simply comes after the change.
void CFieldText::Clear() {
    if (IsEmpty()) return;
    Hold hold(gTextLock);
    length.store(0, kRelaxed);
}

void CFieldText::Free() {
    if (IsNull()) return;
    Hold hold(gTextLock);
    length.store(0, kRelaxed);
    capacity.store(-1, kRelaxed);
}
