#include "options/FontFamilyList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(FontFamilyListTest, SortedOnceWhateverTheCase) {
    CFontFamilyList list;
    for (const char16_t* face : {u"Tahoma", u"arial", u"Courier New", u"Arial", u"COURIER NEW",
                                 u"@MS Gothic", u"Tahoma", u"\u00C9lan", u"\u00E9LAN"}) {
        list.Add(face);
    }
    const std::vector<std::u16string> sorted = {u"@MS Gothic", u"arial", u"Courier New", u"Tahoma",
                                                u"\u00C9lan"};
    EXPECT_EQ(list.Names(), sorted);

    const std::pair<const char16_t*, size_t> selections[] = {
        {u"Courier New", 2}, {u"courier new", 2}, {u"Tahoma", 3}, {u"No Such Face", 0}, {u"", 0},
        {u"Courier", 0}};
    for (auto [name, index] : selections) {
        EXPECT_EQ(list.SelectionFor(name), index) << std::string(name, name + 1);
    }
    EXPECT_EQ(CFontFamilyList().SelectionFor(u"Arial"), 0u);
}

}  // namespace
