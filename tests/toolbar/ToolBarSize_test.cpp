#include "toolbar/ToolBarSize.h"

#include <gtest/gtest.h>

#include "resources/resource.h"

namespace {

TEST(ToolBarSize, HeightPicturesAndButtonPlaces) {
    struct Case {
        int toolbarSize;
        int height;
        int savePicture;
        int lefts[kToolBarButtonCount];
    };
    const Case cases[] = {
        {0, 27, IDB_TOOLBAR_SAVE_27, {4, 31, 58, 85, 112}},
        {1, 43, IDB_TOOLBAR_SAVE_43, {4, 47, 90, 133, 176}},
        {2, 59, IDB_TOOLBAR_SAVE_59, {4, 63, 122, 181, 240}},
        {5, 27, IDB_TOOLBAR_SAVE_27, {4, 31, 58, 85, 112}},
        {-3, 27, IDB_TOOLBAR_SAVE_27, {4, 31, 58, 85, 112}},
    };
    for (const Case& c : cases) {
        CToolBarSize size = ToolBarSizeFor(c.toolbarSize);
        EXPECT_EQ(size.height, c.height) << "toolbarsize " << c.toolbarSize;
        EXPECT_EQ(size.pictureIds[0], c.savePicture) << "toolbarsize " << c.toolbarSize;
        for (int i = 0; i < kToolBarButtonCount; ++i) {
            EXPECT_EQ(ToolBarButtonLeft(i, size.height), c.lefts[i])
                << "toolbarsize " << c.toolbarSize << ", button " << i;
        }
    }
}

}  // namespace
