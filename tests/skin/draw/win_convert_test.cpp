#include "skin/draw/win_convert.h"
#include "tests/framework/support/gdi_count.h"
#include "tests/skin/draw/draw_test_util.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

using test::ExpectPixels;
using test::PaintedBitmap;
using test::SolidBitmap;

std::vector<TColor> ExpectedRamp(int n, TColor a, TColor b) {
    std::vector<TColor> ramp(n);
    ComputeRamp(ramp, a, b);
    return ramp;
}

TEST(WinConvert, MixColoursResolvesSystemColours) {
    EXPECT_EQ(MixColours(0x808080, clWhite, 150), 0xECECEC);
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(MixColours(clBtnFace, clBlack, 1000), face);
    EXPECT_EQ(MixColours(clWhite, clBtnFace, 0), face);
}

TEST(GradientFill, BandsFollowTheRampBothWays) {
    const TColor top = 0x102030, bottom = 0xF0E0D0;
    auto b = SolidBitmap(6, 40, clBlack);
    GradientFill(b->Canvas().Handle(), RECT{1, 0, 5, 40}, top, true, bottom);
    const auto ramp = ExpectedRamp(40, top, bottom);
    ExpectPixels(*b, [&](int x, int y) { return x >= 1 && x < 5 ? ramp[y] : clBlack; });
    EXPECT_EQ(b->PixelColor(1, 0), top);

    auto h = SolidBitmap(30, 3, clBlack);
    GradientFill(h->Canvas().Handle(), RECT{0, 0, 30, 3}, clBtnFace, false, clWhite);
    const auto across = ExpectedRamp(30, ColorToRGB(clBtnFace), clWhite);
    ExpectPixels(*h, [&](int x, int) { return across[x]; });
}

TEST(GradientFill, OnlyBandsInsideTheClipBoxAreDrawn) {
    auto b = SolidBitmap(4, 40, clBlack);
    HDC dc = b->Canvas().Handle();
    IntersectClipRect(dc, 0, 10, 4, 25);
    GradientFill(dc, RECT{0, 5, 4, 45}, clRed, true, clBlue);
    SelectClipRgn(dc, nullptr);
    const auto ramp = ExpectedRamp(40, clRed, clBlue);
    ExpectPixels(*b, [&](int, int y) { return y >= 10 && y < 25 ? ramp[y - 5] : clBlack; });
    // Nothing visible, or nothing to fill: no drawing at all.
    GradientFill(dc, RECT{0, 100, 4, 140}, clRed, true, clBlue);
    GradientFill(dc, RECT{0, 10, 4, 10}, clWhite, true, clWhite);
    GradientFill(dc, RECT{3, 10, 1, 20}, clWhite, false, clWhite);
    ExpectPixels(*b, [&](int, int y) { return y >= 10 && y < 25 ? ramp[y - 5] : clBlack; });
}

TEST(GradientFill, ReusesCachedRampsAndWrapsAfterSixteen) {
    auto b = SolidBitmap(2, 2, clBlack);
    HDC dc = b->Canvas().Handle();
    GradientFill(dc, RECT{0, 0, 2, 77}, 0x010203, true, 0x040506);
    const int slot = RampIndex(77, 0x010203, 0x040506);
    const int next = GlobalRampCache().NextSlot();
    GradientFill(dc, RECT{0, 0, 2, 77}, 0x010203, true, 0x040506);
    EXPECT_EQ(GlobalRampCache().NextSlot(), next); // found, not computed again
    EXPECT_EQ(RampIndex(77, 0x010203, 0x040506), slot);
    for (int i = 1; i <= 16; ++i)
        GradientFill(dc, RECT{0, 0, 2, 100 + i}, 0, true, clWhite);
    EXPECT_EQ(GlobalRampCache().NextSlot(), next);
    EXPECT_NE(RampColours(slot).size(), 77u); // overwritten by the sixteenth newer ramp
}

TEST(ReplaceKeyColour, OnlyExactMagentaChanges) {
    auto b = PaintedBitmap(3, 2, [](int x, int y) {
        const TColor c[] = {clFuchsia, 0xFF01FF, 0xFE00FF, clFuchsia, clBlack, clWhite};
        return c[y * 3 + x];
    });
    b->SetPixelFormat(pf32bit);
    ReplaceKeyColour(*b, static_cast<TColor>(0xFF123456)); // low three bytes taken as they are
    EXPECT_EQ(b->PixelFormat(), pf24bit);
    ExpectPixels(*b, [](int x, int y) {
        const TColor c[] = {0x123456, 0xFF01FF, 0xFE00FF, 0x123456, clBlack, clWhite};
        return c[y * 3 + x];
    });
}

TColor Coded(int x, int y) {
    return MakeColour(x * 10, y * 10, 77);
}

TEST(FlipsAndRotations, MoveEveryPixelWhereItBelongs) {
    auto b = PaintedBitmap(5, 3, Coded);
    FlipHorizontal(*b);
    ExpectPixels(*b, [](int x, int y) { return Coded(4 - x, y); });
    FlipVertical(*b);
    ExpectPixels(*b, [](int x, int y) { return Coded(4 - x, 2 - y); });

    auto left = PaintedBitmap(5, 3, Coded);
    RotateLeft(*left);
    ASSERT_EQ(left->Width(), 3);
    ASSERT_EQ(left->Height(), 5);
    ExpectPixels(*left, [](int c, int r) { return Coded(4 - r, c); });
    EXPECT_EQ(left->PixelColor(0, 0), Coded(4, 0)); // top-right corner to top-left

    auto right = PaintedBitmap(5, 3, Coded);
    right->SetPixelFormat(pf32bit);
    RotateRight(*right);
    EXPECT_EQ(right->PixelFormat(), pf24bit);
    ExpectPixels(*right, [](int c, int r) { return Coded(r, 2 - c); });
    EXPECT_EQ(right->PixelColor(2, 0), Coded(0, 0)); // top-left corner to top-right

    RotateLeft(*right);
    ExpectPixels(*right, Coded);
    auto odd = PaintedBitmap(1, 7, Coded);
    FlipHorizontal(*odd);
    RotateRight(*odd);
    RotateLeft(*odd);
    FlipVertical(*odd);
    FlipVertical(*odd);
    ExpectPixels(*odd, Coded);
}

TEST(WinConvert, NoGdiHandlesLeak) {
    auto b = SolidBitmap(8, 30, clBlack);
    EXPECT_EQ(test::GdiObjectsLeakedBy(
                  1000,
                  [&] {
                      GradientFill(b->Canvas().Handle(), RECT{0, 0, 8, 30}, clRed, true, clBtnFace);
                      ReplaceKeyColour(*b, clRed);
                      RotateLeft(*b);
                      FlipHorizontal(*b);
                  }),
              0);
}

} // namespace
} // namespace orvo
