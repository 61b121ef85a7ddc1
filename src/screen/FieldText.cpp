#include "screen/FieldText.h"

#include <algorithm>
#include <climits>

#include "platform/TextCodec.h"

void CFieldText::Allocate(int newCapacity) {
    capacity = std::max(newCapacity, 0);
    value.clear();
}

void CFieldText::Reallocate(int newCapacity) {
    capacity = std::max(newCapacity, 0);
    value.resize(CutText(value, static_cast<size_t>(capacity)).size());
}

void CFieldText::Set(std::u16string_view text) {
    if (IsNull()) capacity = static_cast<int>(std::min<size_t>(text.size(), INT_MAX));
    value.assign(CutText(text, static_cast<size_t>(capacity)));
}

void CFieldText::Decode(const unsigned char* bytes, size_t n, bool utf8) {
    size_t limit = IsNull() ? static_cast<size_t>(-1) : static_cast<size_t>(capacity);
    DecodeTextInto(bytes, n, utf8, limit, value);
    if (IsNull()) capacity = static_cast<int>(std::min<size_t>(value.size(), INT_MAX));
}
