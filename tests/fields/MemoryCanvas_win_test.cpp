// Canvases are lent again: each must be as a new one, whatever the last
// drawing on it left.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

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

size_t WorkingSetBytes() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    return GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)
               ? counters.WorkingSetSize
               : 0;
}

// A resize drag paints the whole page at a new size every step: what is kept
// for later paints must not grow with the steps.
TEST(MemoryCanvasTest, WhatIsKeptStaysWithinItsBytes) {
    HDC screen = GetDC(nullptr);
    size_t before = WorkingSetBytes();
    ASSERT_GT(before, 0u);
    for (int step = 0; step < 30; ++step) {
        CMemoryCanvas canvas(screen, RECT{0, 0, 1920 - step, 1000});
        ASSERT_TRUE(canvas);
    }
    size_t after = WorkingSetBytes();
    size_t grown = after > before ? after - before : 0;
    // About 7.7 MB a step when kept; a few such canvases are fine.
    EXPECT_LT(grown, size_t{40} << 20);
    ReleaseDC(nullptr, screen);
}

}  // namespace
