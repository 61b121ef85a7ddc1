// Canvases are lent again: each must be as a new one, whatever the last
// drawing on it left.
#include <gtest/gtest.h>
#include <windows.h>

#include "fields/MemoryCanvas.h"

namespace {

TEST(MemoryCanvasTest, LentAgainItIsBlackWithItsStateAsMade) {
    HDC screen = GetDC(nullptr);
    const RECT area = {10, 20, 50, 40};
    HDC first = nullptr;
    {
        CMemoryCanvas canvas(screen, area);
        ASSERT_TRUE(canvas);
        first = canvas.Dc();
        SetWindowOrgEx(first, 0, 0, nullptr);
        SetTextColor(first, RGB(1, 2, 3));
        PatBlt(first, 0, 0, 40, 20, WHITENESS);
    }
    CMemoryCanvas again(screen, area);
    ASSERT_TRUE(again);
    EXPECT_EQ(again.Dc(), first);
    POINT origin = {};
    GetWindowOrgEx(again.Dc(), &origin);
    EXPECT_EQ(origin.x, area.left);
    EXPECT_EQ(origin.y, area.top);
    EXPECT_EQ(GetTextColor(again.Dc()), RGB(0, 0, 0));
    for (POINT p : {POINT{10, 20}, POINT{49, 39}, POINT{30, 30}}) {
        EXPECT_EQ(GetPixel(again.Dc(), p.x, p.y), RGB(0, 0, 0)) << p.x << "," << p.y;
    }
    // A canvas of the same size while one is lent is another.
    CMemoryCanvas nested(screen, area);
    ASSERT_TRUE(nested);
    EXPECT_NE(nested.Dc(), again.Dc());
    ReleaseDC(nullptr, screen);
}

}  // namespace
