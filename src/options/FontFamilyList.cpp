#include "options/FontFamilyList.h"

#include <algorithm>

namespace {

// Folds the Latin letters of ASCII and Latin-1 to lower case, the ones face
// names are written in.
char16_t Folded(char16_t c) {
    bool upper = (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
    return upper ? static_cast<char16_t>(c + 0x20) : c;
}

bool FoldedLess(std::u16string_view a, std::u16string_view b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](char16_t x, char16_t y) { return Folded(x) < Folded(y); });
}

bool FoldedEqual(std::u16string_view a, std::u16string_view b) {
    return !FoldedLess(a, b) && !FoldedLess(b, a);
}

}  // namespace

void CFontFamilyList::Add(std::u16string_view face) {
    auto place = std::lower_bound(
        names.begin(), names.end(), face,
        [](const std::u16string& a, std::u16string_view b) { return FoldedLess(a, b); });
    if (place != names.end() && FoldedEqual(*place, face)) return;
    names.emplace(place, face);
}

size_t CFontFamilyList::SelectionFor(std::u16string_view fontName) const {
    auto match = std::find_if(names.begin(), names.end(), [&](const std::u16string& name) {
        return FoldedEqual(name, fontName);
    });
    return match == names.end() ? 0 : static_cast<size_t>(match - names.begin());
}
