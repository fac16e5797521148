// Pictures at another display scale: keyed bitmaps resampled without the key bleeding into them,
// image lists at a DPI, button glyphs resampled or drawn at the scale.
#include "framework/controls/bit_btn.h"
#include "framework/controls/button_glyph.h"
#include "framework/graphics/image_list.h"
#include "framework/graphics/scaled_bitmap.h"
#include "tests/framework/support/gdi_count.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvo {
namespace {

constexpr TColor Key = clFuchsia;

// A 16 x 16 glyph: a dark red disc on the key, edges anti-aliased against nothing (every pixel is
// either the key or the disc's colour).
void Disc(TBitmap& glyph) {
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int dx = 2 * x + 1 - 16, dy = 2 * y + 1 - 16;
            glyph.Canvas().SetPixel(x, y, dx * dx + dy * dy <= 14 * 14 ? TColor(0x000080) : Key);
        }
}

bool IsKey(TColor c) {
    return (c & 0xFFFFFF) == (Key & 0xFFFFFF);
}

// How far a colour is from the key's hue: pink pixels (the key smoothed into the shape) are red
// and blue at once.
bool Pinkish(TColor c) {
    const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return b > 40 && r > 40 && g < r / 2;
}

TEST(ScaledPicture, AKeyedBitmapResampledKeepsItsShapeAndNoKeyColourInside) {
    TBitmap disc, scaled;
    Disc(disc);
    for (int size : {20, 24, 28, 32, 40}) {
        ScaleKeyedBitmap(disc, Key, size, size, scaled);
        ASSERT_EQ(scaled.Width(), size);
        ASSERT_EQ(scaled.PixelFormat(), pf24bit);
        int shape = 0, source = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const TColor c = scaled.PixelColor(x, y);
                // Where the pixel's centre falls on the source, from the disc's centre (radius 7).
                const double sx = (x + 0.5) * 16 / size - 8, sy = (y + 0.5) * 16 / size - 8;
                const double distance = std::sqrt(sx * sx + sy * sy);
                if (distance < 6) {
                    EXPECT_EQ(c, TColor(0x000080)) << x << "," << y << " at " << size;
                }
                if (distance > 8) {
                    EXPECT_TRUE(IsKey(c)) << x << "," << y << " at " << size;
                }
                if (IsKey(c)) continue;
                ++shape;
                EXPECT_FALSE(Pinkish(c)) << "key colour smoothed into the edge at " << x << "," << y;
            }
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) source += !IsKey(disc.PixelColor(x, y));
        EXPECT_NEAR(static_cast<double>(shape) / (size * size), static_cast<double>(source) / 256, 0.06);
    }
    // The same size: an exact copy.
    ScaleKeyedBitmap(disc, Key, 16, 16, scaled);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(scaled.PixelColor(i % 16, i / 16), disc.PixelColor(i % 16, i / 16));
}

TEST(ScaledPicture, AnImageListAtAnotherDpiKeepsItsHandleAndItsImages) {
    TImageList list(nullptr);
    TBitmap strip(32, 16, pf24bit), one;
    Disc(one);
    BitBlt(strip.Canvas().Handle(), 0, 0, 16, 16, one.Canvas().Handle(), 0, 0, SRCCOPY);
    BitBlt(strip.Canvas().Handle(), 16, 0, 16, 16, one.Canvas().Handle(), 0, 0, SRCCOPY);
    EXPECT_EQ(list.AddMasked(strip, Key), 0);
    const HIMAGELIST handle = list.Handle();
    list.SetDpi(144);
    EXPECT_EQ(list.Handle(), handle) << "whoever shows it keeps it";
    EXPECT_EQ(list.Width(), 24);
    EXPECT_EQ(list.Count(), 2);
    TBitmap image;
    list.GetBitmap(1, image, clYellow);
    EXPECT_EQ(image.Width(), 24);
    EXPECT_EQ(image.PixelColor(0, 0), clYellow) << "transparent where the key was";
    EXPECT_EQ(image.PixelColor(12, 12), TColor(0x000080));
    // Images added at another DPI are drawn for the size the list was given.
    EXPECT_EQ(list.AddMasked(one, Key), 2);
    EXPECT_EQ(list.Count(), 3);
    list.SetDpi(96);
    EXPECT_EQ(list.Width(), 16);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(test::GdiObjectsLeakedBy(20, [&] {
                  list.SetDpi(192);
                  list.SetDpi(96);
              }),
              0);
}

TEST(ScaledPicture, ButtonGlyphsAreResampledOrDrawnAtTheScale) {
    TButtonGlyph glyph;
    Disc(glyph.Glyph());
    EXPECT_EQ(glyph.GlyphSize().cx, 16);
    glyph.SetMargin(4);
    glyph.SetDpi(144);
    EXPECT_EQ(glyph.GlyphSize().cx, 24);
    EXPECT_EQ(glyph.GlyphSize().cy, 24);
    EXPECT_EQ(glyph.Margin(), 6) << "a margin given at 96 is scaled";
    glyph.SetSpacing(5); // given at 144
    glyph.SetDpi(96);
    EXPECT_EQ(glyph.Spacing(), 3);
    glyph.SetDpi(144);
    EXPECT_EQ(glyph.Spacing(), 5);
    // Drawn: the key stays transparent, the disc is there at its new size.
    TBitmap target(40, 40, pf24bit);
    target.Canvas().Brush().SetColor(clWhite);
    target.Canvas().FillRect(RECT{0, 0, 40, 40});
    glyph.DrawGlyph(target.Canvas().Handle(), POINT{0, 0}, bsUp);
    EXPECT_EQ(target.PixelColor(0, 0), clWhite);
    EXPECT_EQ(target.PixelColor(12, 12), TColor(0x000080));
    EXPECT_EQ(target.PixelColor(30, 30), clWhite);

    // A stock glyph is drawn at the scale: its lines twice as wide at 192, not stretched pixels.
    TBitmap small, large;
    LoadBitBtnKindGlyph(bkCancel, small, 96);
    LoadBitBtnKindGlyph(bkCancel, large, 192);
    ASSERT_EQ(large.Width(), 32);
    EXPECT_EQ(large.TransparentColor(), Key);
    int redSmall = 0, redLarge = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (x < 16 && y < 16) redSmall += small.PixelColor(x, y) == clRed;
            redLarge += large.PixelColor(x, y) == clRed;
        }
    EXPECT_GT(redSmall, 0);
    EXPECT_NEAR(redLarge, 4 * redSmall, redSmall); // the same cross, four times the area
}

} // namespace
} // namespace orvo
