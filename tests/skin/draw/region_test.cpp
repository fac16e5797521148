#include "skin/draw/skin_draw.h"
#include "tests/framework/support/gdi_count.h"
#include "tests/skin/draw/draw_test_util.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

using test::PaintedBitmap;

constexpr TColor Magenta = clFuchsia;

// Asserts that exactly the pixels for which `inside` holds are in the region (moved by dx, dy),
// and that nothing lies outside the bitmap's moved bounds.
void ExpectRegionMatches(HRGN region, int w, int h, int dx, int dy,
                         const std::function<bool(int, int)>& inside) {
    ASSERT_NE(region, nullptr);
    for (int y = -1; y <= h; ++y)
        for (int x = -1; x <= w; ++x) {
            const bool expected = x >= 0 && y >= 0 && x < w && y < h && inside(x, y);
            ASSERT_EQ(PtInRegion(region, x + dx, y + dy) != FALSE, expected)
                << "at (" << x << ", " << y << ")";
        }
}

TEST(RegionFromBitmap, KeepsEveryPixelThatIsNotTheKey) {
    // A rounded shape: magenta corners and a hole.
    auto shape = PaintedBitmap(23, 17, [](int x, int y) {
        const bool corner = (x < 3 && y < 3) || (x > 19 && y > 13);
        const bool hole = x >= 8 && x < 12 && y >= 6 && y < 9;
        return corner || hole ? Magenta : MakeColour(x * 10, y * 10, 0);
    });
    auto region = RegionFromBitmap(*shape, 100, -7, 1, 1, 1, Magenta);
    ExpectRegionMatches(region.Get(), 23, 17, 100, -7,
                        [&](int x, int y) { return shape->PixelColor(x, y) != Magenta; });
    RECT box{};
    GetRgnBox(region.Get(), &box);
    EXPECT_EQ(box.left, 100);
    EXPECT_EQ(box.top, -7);
    EXPECT_EQ(box.right, 123);
    EXPECT_EQ(box.bottom, 10);
    // The bitmap itself is left as it was.
    EXPECT_EQ(shape->PixelFormat(), pf24bit);
}

TEST(RegionFromBitmap, ToleranceCountsUpwardsFromTheKey) {
    const TColor colours[] = {Magenta, 0xFF01FF, 0xFF02FF, 0xFF00FE, 0xFE00FF, 0xFE01FF, clBlack};
    auto strip = PaintedBitmap(7, 1, [&](int x, int) { return colours[x]; });
    // (255, 1, 255) is transparent with tolerance 1; (254, 0, 255) and (255, 0, 254) are not.
    auto region = RegionFromBitmap(*strip, 0, 0, 1, 1, 1, Magenta);
    ExpectRegionMatches(region.Get(), 7, 1, 0, 0, [](int x, int) { return x >= 2; });
    // No tolerance: only the exact key; a tolerance past 255 is capped.
    auto exact = RegionFromBitmap(*strip, 0, 0, 0, 0, 0, Magenta);
    ExpectRegionMatches(exact.Get(), 7, 1, 0, 0, [](int x, int) { return x >= 1; });
    auto wide = RegionFromBitmap(*strip, 0, 0, 9999, 9999, 9999, clBlack);
    EXPECT_EQ(wide.Get(), nullptr);
}

TEST(RegionFromBitmap, AllKeyGivesNoRegion) {
    auto blank = PaintedBitmap(40, 30, [](int, int) { return Magenta; });
    EXPECT_EQ(RegionFromBitmap(*blank, 0, 0, 1, 1, 1, Magenta).Get(), nullptr);
    TBitmap empty;
    EXPECT_EQ(RegionFromBitmap(empty, 0, 0, 1, 1, 1, Magenta).Get(), nullptr);
}

TEST(RegionFromBitmap, ManyRunsAcrossSeveralBatchesAndFormats) {
    // Alternating single pixels: 150 x 80 / 2 = 6000 runs, three full batches of 2000.
    auto checker = PaintedBitmap(150, 80, [](int x, int y) { return (x + y) % 2 ? Magenta : clNavy; });
    for (TPixelFormat f : {pf24bit, pf32bit, pf8bit, pf1bit}) {
        auto copy = std::make_unique<TBitmap>();
        copy->Assign(*checker);
        copy->SetPixelFormat(f);
        const TColor key = f == pf1bit ? clWhite : Magenta; // magenta becomes white in a 1-bit copy
        auto region = RegionFromBitmap(*copy, 3, 4, 1, 1, 1, key);
        ExpectRegionMatches(region.Get(), 150, 80, 3, 4, [](int x, int y) { return (x + y) % 2 == 0; });
    }
    // 2001 runs: one batch plus a remainder flushed at the end.
    auto odd = PaintedBitmap(4002, 1, [](int x, int) { return x % 2 ? Magenta : clNavy; });
    auto region = RegionFromBitmap(*odd, 0, 0, 1, 1, 1, Magenta);
    ExpectRegionMatches(region.Get(), 4002, 1, 0, 0, [](int x, int) { return x % 2 == 0; });
}

TEST(RegionFromBitmap, NoGdiHandlesLeak) {
    auto shape = PaintedBitmap(90, 50, [](int x, int y) { return (x * y) % 7 ? Magenta : clRed; });
    EXPECT_EQ(test::GdiObjectsLeakedBy(300, [&] { RegionFromBitmap(*shape, 0, 0, 1, 1, 1, Magenta); }), 0);
}

} // namespace
} // namespace orvo
