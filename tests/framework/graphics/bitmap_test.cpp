#include "framework/graphics/bitmap.h"
#include "tests/framework/support/gdi_count.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

constexpr TColor Magenta = 0xFF00FF;

// A bitmap whose pixel (x, y) is colours[(x + y) % n].
std::unique_ptr<TBitmap> Pattern(int w, int h, std::initializer_list<TColor> colours,
                                 TPixelFormat format = pf24bit) {
    auto b = std::make_unique<TBitmap>(w, h, pf24bit);
    const std::vector<TColor> c(colours);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b->Canvas().SetPixel(x, y, c[(x + y) % c.size()]);
    b->SetPixelFormat(format);
    return b;
}

void ExpectSamePixels(const TBitmap& a, const TBitmap& b) {
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            ASSERT_EQ(a.PixelColor(x, y), b.PixelColor(x, y)) << x << "," << y;
}

TEST(Bitmap, EveryPixelFormatKeepsColoursItCanHold) {
    // Black, white and the VGA colours exist in every palette; 5-bit channels keep multiples of 8
    // (expanded back to 8 bits).
    const auto vga = {clBlack, clWhite, clRed, clLime, clBlue, clNavy, clSilver, clFuchsia};
    for (TPixelFormat f : {pf4bit, pf8bit, pf24bit, pf32bit}) {
        auto bOwner = Pattern(13, 5, vga);
        TBitmap& b = *bOwner;
        b.SetPixelFormat(f);
        EXPECT_EQ(b.PixelFormat(), f);
        b.SetPixelFormat(pf24bit);
        ExpectSamePixels(b, *Pattern(13, 5, vga));
    }
    auto monoOwner = Pattern(9, 3, {clBlack, clWhite, 0x202020, 0xE0E0E0}, pf1bit);
    TBitmap& mono = *monoOwner;
    EXPECT_EQ(mono.Palette().size(), 2u);
    ExpectSamePixels(mono, *Pattern(9, 3, {clBlack, clWhite, clBlack, clWhite}));
    for (TPixelFormat f : {pf15bit, pf16bit}) {
        auto bOwner = Pattern(7, 4, {0x000000, 0xFFFFFF, 0x0810F8, 0x847B29}, f);
        TBitmap& b = *bOwner;
        EXPECT_EQ(b.PixelColor(0, 0), 0);
        EXPECT_EQ(b.PixelColor(1, 0), 0xFFFFFF);
        EXPECT_EQ(b.PixelColor(2, 0), 0x0810FF); // 0xF8 expands to 0xFF, 0x08 and 0x10 stay
    }
    // Indexed to wider indexed keeps the palette, so the indices survive.
    auto fourOwner = Pattern(5, 5, vga, pf4bit);
    TBitmap& four = *fourOwner;
    four.SetPixelFormat(pf8bit);
    EXPECT_EQ(four.Palette().size(), 16u);
    ExpectSamePixels(four, *Pattern(5, 5, vga));
}

TEST(Bitmap, ResizingKeepsContentAndFillsWhite) {
    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf16bit, pf24bit, pf32bit}) {
        auto bOwner = Pattern(10, 6, {clBlack, clWhite}, f);
        TBitmap& b = *bOwner;
        b.SetSize(13, 4);
        EXPECT_EQ(b.PixelFormat(), f);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 10; ++x)
                ASSERT_EQ(b.PixelColor(x, y), (x + y) % 2 ? clWhite : clBlack);
            for (int x = 10; x < 13; ++x)
                ASSERT_EQ(b.PixelColor(x, y), clWhite);
        }
    }
    TBitmap b(4, 4);
    b.SetWidth(0);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Handle(), nullptr);
    EXPECT_EQ(b.Height(), 4);
    EXPECT_THROW(b.ScanLine(0), EInvalidGraphic);
    EXPECT_THROW(b.SetSize(-1, 5), EInvalidGraphic);
}

TEST(Bitmap, ScanLineZeroIsTheTopRow) {
    TBitmap b(3, 2, pf24bit);
    b.Canvas().SetPixel(0, 0, 0x332211);
    const std::uint8_t* top = b.ScanLine(0); // flushes the pending GDI call
    EXPECT_EQ(top[0], 0x33);                 // blue first
    EXPECT_EQ(top[2], 0x11);
    b.ScanLine(1)[3] = 0x77; // blue of (1, 1); a new bitmap is black
    EXPECT_EQ(b.Canvas().Pixel(1, 1), 0x770000);
    EXPECT_THROW(b.ScanLine(2), EInvalidGraphic);
}

TEST(Bitmap, TransparentColourAutoIsBottomLeftUntilFixed) {
    auto bOwner = Pattern(4, 3, {clRed, clLime, clBlue});
    TBitmap& b = *bOwner;
    EXPECT_EQ(b.TransparentMode(), tmAuto);
    EXPECT_EQ(b.TransparentColor(), clBlue); // (0, 2): (0 + 2) % 3
    b.SetTransparentColor(clRed);
    EXPECT_EQ(b.TransparentMode(), tmFixed);
    EXPECT_EQ(b.TransparentColor(), clRed);
    b.SetTransparentMode(tmAuto);
    EXPECT_EQ(b.TransparentColor(), clBlue);
    b.SetTransparentMode(tmFixed); // freezes the current automatic colour
    b.Canvas().SetPixel(0, 2, clLime);
    EXPECT_EQ(b.TransparentColor(), clBlue);
}

TEST(Bitmap, MaskIsWhiteExactlyWhereTheColourIs) {
    auto bOwner = Pattern(11, 7, {Magenta, 0xFF01FF, 0xFE00FF, clBlack});
    TBitmap& b = *bOwner;
    const auto mask = b.CreateMask(Magenta);
    EXPECT_EQ(mask->PixelFormat(), pf1bit);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 11; ++x)
            ASSERT_EQ(mask->PixelColor(x, y), (x + y) % 4 == 0 ? clWhite : clBlack);
    auto indexedOwner = Pattern(11, 7, {clFuchsia, clBlack}, pf8bit);
    TBitmap& indexed = *indexedOwner;
    indexed.Mask(clFuchsia);
    EXPECT_EQ(indexed.PixelFormat(), pf1bit);
    EXPECT_EQ(indexed.PixelColor(0, 0), clWhite);
    EXPECT_EQ(indexed.PixelColor(1, 0), clBlack);
}

TEST(Bitmap, TransparentDrawKeepsDestinationUnderTheKeyOnly) {
    auto sourceOwner = Pattern(6, 5, {Magenta, 0xFF01FF, clNavy});
    TBitmap& source = *sourceOwner;
    source.SetTransparent(true);
    source.SetTransparentColor(Magenta);
    for (int scale : {1, 2}) {
        auto destOwner = Pattern(20, 20, {clYellow});
        TBitmap& dest = *destOwner;
        dest.Canvas().StretchDraw(RECT{3, 4, 3 + 6 * scale, 4 + 5 * scale}, source);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const bool inside = x >= 3 && y >= 4 && x < 3 + 6 * scale && y < 4 + 5 * scale;
                const TColor src = inside ? source.PixelColor((x - 3) / scale, (y - 4) / scale) : clYellow;
                ASSERT_EQ(dest.PixelColor(x, y), src == Magenta ? clYellow : src) << x << "," << y;
            }
    }
    // Opaque drawing copies the key colour too.
    source.SetTransparent(false);
    auto destOwner = Pattern(10, 10, {clYellow});
    TBitmap& dest = *destOwner;
    dest.Canvas().Draw(0, 0, source);
    EXPECT_EQ(dest.PixelColor(0, 0), Magenta);
}

TEST(Bitmap, AssignIsADeepCopy) {
    auto aOwner = Pattern(5, 5, {clRed, clAqua}, pf8bit);
    TBitmap& a = *aOwner;
    a.SetTransparentColor(clAqua);
    TBitmap b;
    b.Assign(a);
    a.Canvas().SetPixel(0, 0, clBlack);
    EXPECT_EQ(b.PixelColor(0, 0), clRed);
    EXPECT_EQ(b.PixelFormat(), pf8bit);
    EXPECT_EQ(b.TransparentColor(), clAqua);
    EXPECT_NE(a.Handle(), b.Handle());
}

TEST(Bitmap, HandleOwnershipMovesInAndOut) {
    auto aOwner = Pattern(3, 3, {clRed, clGreen});
    TBitmap& a = *aOwner;
    HBITMAP raw = a.ReleaseHandle();
    EXPECT_TRUE(a.Empty());
    TBitmap b;
    b.SetHandle(raw);        // b owns and frees it
    b.SetHandle(b.Handle()); // its own handle: nothing changes, nothing is freed twice
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.PixelColor(1, 0), clGreen);
    // A device-dependent bitmap is taken over as well.
    HDC screen = GetDC(nullptr);
    HBITMAP ddb = CreateCompatibleBitmap(screen, 7, 2);
    ReleaseDC(nullptr, screen);
    TBitmap c;
    c.SetHandle(ddb);
    EXPECT_EQ(c.Width(), 7);
    EXPECT_EQ(c.Height(), 2);
}

TEST(Bitmap, ResourceBitmapsLoadByName) {
    TBitmap b;
    b.LoadFromResourceName(nullptr, L"SAMPLE");
    ASSERT_EQ(b.Width(), 3);
    ASSERT_EQ(b.Height(), 2);
    EXPECT_EQ(b.PixelColor(0, 0), clRed);
    EXPECT_EQ(b.PixelColor(2, 0), clBlue);
    EXPECT_EQ(b.PixelColor(2, 1), Magenta);
    EXPECT_THROW(b.LoadFromResourceName(nullptr, L"NO_SUCH_BITMAP"), EResNotFound);
}

TEST(Bitmap, NoGdiHandlesLeak) {
    auto keepOwner = Pattern(8, 8, {Magenta, clRed});
    TBitmap& keep = *keepOwner;
    keep.SetTransparent(true);
    EXPECT_EQ(test::GdiObjectsLeakedBy(1000,
                                       [&] {
                                           TBitmap b(9, 9, pf8bit);
                                           b.Canvas().FillRect(RECT{0, 0, 3, 3});
                                           b.SetSize(12, 5);
                                           b.SetPixelFormat(pf32bit);
                                           TBitmap copy;
                                           copy.Assign(b);
                                           copy.Mask(clWhite);
                                           b.Canvas().Draw(0, 0, keep);
                                           b.Canvas().StretchDraw(RECT{0, 0, 16, 16}, keep);
                                           DeleteObject(b.ReleaseHandle());
                                       }),
              0);
}

} // namespace
} // namespace orvo
