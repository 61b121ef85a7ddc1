#pragma once

#include <string>
#include <string_view>
#include <vector>

// The face names the Font dialog offers: each family once whatever the
// letter case it is reported in (the first spelling stays), sorted without
// regard to letter case.
class CFontFamilyList {
public:
    void Add(std::u16string_view face);
    const std::vector<std::u16string>& Names() const { return names; }
    // The entry to select for a font name: the one equal to it, letter case
    // ignored as font names are, else the first.
    size_t SelectionFor(std::u16string_view fontName) const;

private:
    std::vector<std::u16string> names;
};
