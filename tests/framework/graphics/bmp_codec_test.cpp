#include "framework/graphics/bitmap.h"
#include "framework/graphics/bmp_codec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace orvo {
namespace {

using TBytes = std::vector<std::uint8_t>;

void Put32(TBytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.at(at + i) = static_cast<std::uint8_t>(v >> (8 * i));
}

TBytes Patched(TBytes f, std::size_t at, std::uint32_t v, int bytes = 4) {
    for (int i = 0; i < bytes; ++i)
        f.at(at + i) = static_cast<std::uint8_t>(v >> (8 * i));
    return f;
}

// A file with a 40-byte info header; `extra` (masks, palette) and `bits` follow it.
TBytes MakeFile(int w, int h, int bits, std::uint32_t compression, const TBytes& extra, const TBytes& pixels,
                std::uint32_t coloursUsed = 0) {
    TBytes f(54 + extra.size() + pixels.size(), 0);
    Put32(f, 0, 'B' | ('M' << 8));
    Put32(f, 10, static_cast<std::uint32_t>(54 + extra.size()));
    Put32(f, 14, 40);
    Put32(f, 18, static_cast<std::uint32_t>(w));
    Put32(f, 22, static_cast<std::uint32_t>(h));
    Put32(f, 26, 1u | (static_cast<std::uint32_t>(bits) << 16)); // planes, bits per pixel
    Put32(f, 30, compression);
    Put32(f, 46, coloursUsed);
    std::copy(extra.begin(), extra.end(), f.begin() + 54);
    std::copy(pixels.begin(), pixels.end(), f.begin() + 54 + static_cast<std::ptrdiff_t>(extra.size()));
    return f;
}

TEST(BmpCodec, SaveAndLoadRoundTripEveryFormat) {
    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
        TBitmap a(7, 5, pf24bit);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                a.Canvas().SetPixel(x, y, (x * 3 + y) % 2 ? clWhite : clBlack);
        a.Canvas().SetPixel(6, 4, (f == pf1bit) ? clWhite : clRed);
        a.SetPixelFormat(f);
        TBitmap b;
        b.LoadFromBytes(a.SaveToBytes());
        EXPECT_EQ(b.PixelFormat(), f);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                ASSERT_EQ(b.PixelColor(x, y), a.PixelColor(x, y)) << f << " " << x << "," << y;
        EXPECT_EQ(b.SaveToBytes(), a.SaveToBytes());
    }
}

TEST(BmpCodec, ReadsTopDownBitfieldsRleAndCoreHeaders) {
    // Top-down 24-bit: the first stored row is the top.
    TBytes topDown = MakeFile(1, 2, 24, 0, {}, {0, 0, 255, 0, 255, 0, 0, 0});
    Put32(topDown, 22, static_cast<std::uint32_t>(-2));
    TBitmap b;
    b.LoadFromBytes(topDown);
    EXPECT_EQ(b.PixelColor(0, 0), clRed);
    EXPECT_EQ(b.PixelColor(0, 1), clBlue);

    // 32-bit with unusual masks (red in the top byte) is converted to plain 32-bit.
    TBytes masks(12);
    Put32(masks, 0, 0xFF000000);
    Put32(masks, 4, 0x00FF0000);
    Put32(masks, 8, 0x0000FF00);
    b.LoadFromBytes(MakeFile(1, 1, 32, 3, masks, {0x00, 0x30, 0x20, 0x10}));
    EXPECT_EQ(b.PixelFormat(), pf32bit);
    EXPECT_EQ(b.PixelColor(0, 0), 0x302010);

    // 8-bit RLE: a run of 3 of index 1, an absolute run of 2, end of line, end of bitmap.
    TBytes palette = {0, 0, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0};
    TBytes rle = {3, 1, 0, 3, 2, 0, 1, 0, 0, 0, 2, 2, 0, 1};
    b.LoadFromBytes(MakeFile(6, 2, 8, 1, palette, rle, 3));
    EXPECT_EQ(b.PixelFormat(), pf8bit);
    EXPECT_EQ(b.PixelColor(0, 1), clRed); // bottom-up: the first coded row is the bottom one
    EXPECT_EQ(b.PixelColor(2, 1), clRed);
    EXPECT_EQ(b.PixelColor(3, 1), clBlue);
    EXPECT_EQ(b.PixelColor(4, 1), clBlack);
    EXPECT_EQ(b.PixelColor(5, 1), clRed);
    EXPECT_EQ(b.PixelColor(0, 0), clBlue);
    EXPECT_EQ(b.PixelColor(2, 0), clBlack);

    // The old 12-byte core header with a 3-byte palette, without a file header (as in resources).
    TBytes core = {12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 255, 255, 255, 0x40, 0, 0, 0};
    const TDibImage mono = DecodeBmp(core, false);
    EXPECT_EQ(mono.Format, pf1bit);
    EXPECT_EQ(mono.Width, 2);
    EXPECT_EQ(mono.Bits[0], 0x40);
}

TEST(BmpCodec, HostileFilesAreRejected) {
    const TBytes good = MakeFile(2, 2, 24, 0, {}, TBytes(16, 0));
    EXPECT_NO_THROW(DecodeBmp(good));
    const std::vector<TBytes> bad = {
        {},
        TBytes(good.begin(), good.begin() + 20),
        TBytes(good.begin(), good.end() - 1),                        // pixel data one byte short
        Patched(good, 0, 'X', 1),                                    // signature
        Patched(good, 14, 39),                                       // header size
        Patched(good, 18, 0),                                        // no width
        Patched(good, 18, 0xFFFFFFFF),                               // negative width
        Patched(good, 22, 0x80000000),                               // INT_MIN height
        Patched(good, 18, 40000),                                    // too wide
        Patched(good, 28, 7, 1),                                     // bits per pixel
        Patched(good, 30, 1),                                        // RLE8 on 24 bits
        Patched(good, 26, 2, 1),                                     // planes
        MakeFile(1, 1, 8, 0, TBytes(4 * 300, 0), TBytes(4, 0), 300), // palette larger than 256
        MakeFile(1, 1, 8, 0, TBytes(8, 0), TBytes(4, 0), 200),       // palette past the end
        MakeFile(30000, 30000, 32, 0, {}, {}),                       // pixel data far past the end
    };
    for (std::size_t i = 0; i < bad.size(); ++i)
        EXPECT_THROW(DecodeBmp(bad[i]), EInvalidGraphic) << i;
}

TEST(BmpCodec, MutatedFilesNeverCrash) {
    TBitmap source(9, 7, pf8bit);
    source.Canvas().FillRect(RECT{1, 1, 5, 5});
    std::vector<TBytes> seeds = {source.SaveToBytes()};
    seeds.push_back(MakeFile(6, 2, 8, 1, TBytes(12, 0), {3, 1, 0, 3, 2, 0, 1, 0, 0, 0, 2, 2, 0, 1}, 3));
    seeds.push_back(MakeFile(5, 3, 4, 2, TBytes(64, 0), {5, 0x12, 0, 3, 0x45, 0x60, 0, 2, 9, 9, 0, 1}));
    std::mt19937 random(12345);
    int loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        TBytes f = seeds[round % seeds.size()];
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < changes; ++i)
            f[random() % f.size()] = static_cast<std::uint8_t>(random());
        if (random() % 4 == 0) f.resize(random() % f.size());
        try {
            TBitmap b;
            b.LoadFromBytes(f);
            ++loaded;
        } catch (const EInvalidGraphic&) {
        }
    }
    EXPECT_GT(loaded, 0);
}

} // namespace
} // namespace orvo
