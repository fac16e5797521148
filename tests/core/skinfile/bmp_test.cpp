#include "core/skinfile/bmp.h"
#include "core/skinfile/byte_order.h"
#include "core/skinfile/skinfile_error.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

// A BMP file put together field by field; rows are given in file order, unpadded.
struct TBmpFile {
    std::uint32_t HeaderSize = 40;
    int Width = 2;
    int Height = 2; // negative: top-down
    int BitCount = 24;
    std::uint32_t Compression = BmpRgb;
    std::vector<std::uint32_t> Masks;   // R, G, B: inside a header of 52 bytes or more, else after it
    std::vector<std::uint32_t> Palette; // 0x00RRGGBB
    std::uint32_t ColoursUsed = 0;
    std::vector<std::vector<std::uint8_t>> Rows;

    std::vector<std::uint8_t> Bytes() const {
        std::vector<std::uint8_t> h;
        const bool core = HeaderSize == 12;
        AppendLE32(h, HeaderSize);
        if (core) {
            AppendLE16(h, static_cast<std::uint32_t>(Width));
            AppendLE16(h, static_cast<std::uint32_t>(Height));
            AppendLE16(h, 1);
            AppendLE16(h, static_cast<std::uint32_t>(BitCount));
        } else {
            AppendLE32(h, static_cast<std::uint32_t>(Width));
            AppendLE32(h, static_cast<std::uint32_t>(Height));
            AppendLE16(h, 1);
            AppendLE16(h, static_cast<std::uint32_t>(BitCount));
            AppendLE32(h, Compression);
            for (std::uint32_t v : {0u, 0u, 0u, ColoursUsed, 0u})
                AppendLE32(h, v);
            for (const auto m : Masks)
                AppendLE32(h, m);
            h.resize(std::max<std::size_t>(h.size(), HeaderSize), 0);
        }
        for (const auto c : Palette) {
            h.push_back(static_cast<std::uint8_t>(c));
            h.push_back(static_cast<std::uint8_t>(c >> 8));
            h.push_back(static_cast<std::uint8_t>(c >> 16));
            if (!core) h.push_back(0);
        }
        std::vector<std::uint8_t> file = {'B', 'M'};
        AppendLE32(file, 0);
        AppendLE32(file, 0);
        AppendLE32(file, static_cast<std::uint32_t>(14 + h.size()));
        file.insert(file.end(), h.begin(), h.end());
        for (auto row : Rows) {
            row.resize((row.size() + 3) / 4 * 4, 0);
            file.insert(file.end(), row.begin(), row.end());
        }
        return file;
    }
};

TBmpFile Bmp(int width, int height, int bits = 24, std::uint32_t header = 40) {
    TBmpFile f;
    f.Width = width;
    f.Height = height;
    f.BitCount = bits;
    f.HeaderSize = header;
    return f;
}

TBmpFile Bmp(int width, int height, int bits, std::uint32_t header, std::uint32_t compression,
             std::vector<std::uint32_t> palette = {}) {
    TBmpFile f = Bmp(width, height, bits, header);
    f.Compression = compression;
    f.Palette = std::move(palette);
    return f;
}

void ExpectPixels(const TImage32& image, int width, int height, const std::vector<std::uint32_t>& topDown) {
    EXPECT_EQ(image.Width, width);
    EXPECT_EQ(image.Height, height);
    EXPECT_EQ(image.Pixels, topDown);
}

TEST(BmpReader, IndexedFormats) {
    TBmpFile one = Bmp(10, 2, 1, 40, BmpRgb, {0x000000, 0xFFFFFF});
    one.Rows = {{0b10000000, 0b01000000}, {0b01010101, 0b01000000}}; // bottom row first
    TImage32 image = ReadBmp(one.Bytes());
    EXPECT_EQ(image.At(1, 0), 0xFFFFFFu);
    EXPECT_EQ(image.At(7, 0), 0xFFFFFFu);
    EXPECT_EQ(image.At(9, 0), 0xFFFFFFu);
    EXPECT_EQ(image.At(8, 0), 0u);
    EXPECT_EQ(image.At(0, 1), 0xFFFFFFu);
    EXPECT_EQ(image.At(9, 1), 0xFFFFFFu);

    TBmpFile four = Bmp(3, -1, 4, 40, BmpRgb, {0x112233, 0x445566, 0x778899});
    four.ColoursUsed = 3;
    four.Rows = {{0x21, 0x50}}; // index 5 lies beyond the palette: black
    ExpectPixels(ReadBmp(four.Bytes()), 3, 1, {0x778899, 0x445566, 0});

    TBmpFile eight = Bmp(2, 1, 8, 12);
    eight.Palette.assign(256, 0);
    eight.Palette[200] = 0xABCDEF;
    eight.Rows = {{200, 0}};
    ExpectPixels(ReadBmp(eight.Bytes()), 2, 1, {0xABCDEF, 0});
}

TEST(BmpReader, SixteenBitsPlainAndMasked) {
    TBmpFile plain = Bmp(2, 1, 16);
    plain.Rows = {{0x00, 0x7C, 0x1F, 0x00}}; // 5-5-5: pure red, pure blue
    ExpectPixels(ReadBmp(plain.Bytes()), 2, 1, {0xFF0000, 0x0000FF});
    TBmpFile masked = Bmp(2, 1, 16, 40, BmpBitFields);
    masked.Masks = {0xF800, 0x07E0, 0x001F};
    masked.Rows = {{0xE0, 0x07, 0x10, 0x84}}; // 5-6-5: pure green, then red 16/31 green 32/63 blue 16/31
    ExpectPixels(ReadBmp(masked.Bytes()), 2, 1, {0x00FF00, 0x848284});
    masked.Masks = {0xF000, 0x0F0F, 0x00F0};
    EXPECT_THROW(ReadBmp(masked.Bytes()), EBmpError); // masks must be contiguous
}

TEST(BmpReader, TrueColourRowsAndHeaders) {
    // 24 bits, 3 pixels: each row padded from 9 to 12 bytes; bottom-up.
    TBmpFile rgb = Bmp(3, 2);
    rgb.Rows = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 11, 12, 13, 14, 15, 16, 17, 18}};
    ExpectPixels(ReadBmp(rgb.Bytes()), 3, 2, {0x0C0B0A, 0x0F0E0D, 0x121110, 0x030201, 0x060504, 0x090807});
    for (const std::uint32_t header : {40u, 108u, 124u}) {
        SCOPED_TRACE(header);
        TBmpFile plain = Bmp(1, -2, 32, header);
        plain.Rows = {{0x33, 0x22, 0x11, 0xFF}, {1, 2, 3, 4}}; // the fourth byte is dropped
        ExpectPixels(ReadBmp(plain.Bytes()), 1, 2, {0x112233, 0x030201});
        TBmpFile masked = plain;
        masked.Compression = BmpBitFields;
        masked.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000}; // R and B swapped
        ExpectPixels(ReadBmp(masked.Bytes()), 1, 2, {0x332211, 0x010203});
    }
    TBmpFile core = Bmp(1, 1, 24, 12);
    core.Rows = {{0xFF, 0x00, 0xFF}};
    ExpectPixels(ReadBmp(core.Bytes()), 1, 1, {0xFF00FF});
}

TEST(BmpReader, RefusesMalformedAndOversizedFiles) {
    TBmpFile good = Bmp(3, 2);
    good.Rows = {std::vector<std::uint8_t>(9), std::vector<std::uint8_t>(9)};
    const auto bytes = good.Bytes();
    ASSERT_NO_THROW(ReadBmp(bytes));
    auto truncated = bytes;
    truncated.pop_back();
    EXPECT_THROW(ReadBmp(truncated), EBmpError);
    auto notBm = bytes;
    notBm[0] = 'X';
    EXPECT_THROW(ReadBmp(notBm), EBmpError);
    auto offsetInside = bytes;
    offsetInside[10] = 20;
    EXPECT_THROW(ReadBmp(offsetInside), EBmpError);
    auto offsetPastEnd = bytes;
    offsetPastEnd[13] = 0x80;
    EXPECT_THROW(ReadBmp(offsetPastEnd), EBmpError);
    const TBmpFile bad[] = {
        Bmp(0, 1),
        Bmp(16385, 1),
        Bmp(1, INT32_MIN),
        Bmp(8192, 4096), // too many pixels, and no data either
        Bmp(1, 1, 2),
        Bmp(1, 1, 8, 40, BmpRle8),
        Bmp(1, 1, 24, 40, BmpBitFields),
        Bmp(1, 1, 24, 64),
        Bmp(1, 1, 8, 40, BmpRgb, {0, 0}), // palette of 256 colours cut short
    };
    for (const TBmpFile& file : bad)
        EXPECT_THROW(ReadBmp(file.Bytes()), EBmpError);
    EXPECT_THROW(ReadBmp(std::vector<std::uint8_t>{'B', 'M'}), EBmpError);
}

TEST(BmpWriter, WritesThirtyTwoBitsThatReadBack) {
    TImage32 image(3, 2);
    image.Pixels = {0xFF00FF, 0x000001, 0x123456, 0xFFFFFF, 0x000000, 0x00FF00};
    const auto file = WriteBmp32(image);
    const TBmpInfo info = ReadBmpInfo(file);
    EXPECT_EQ(info.BitCount, 32);
    EXPECT_FALSE(info.TopDown);
    EXPECT_EQ(file.size(), 14u + 40u + 3 * 2 * 4);
    EXPECT_EQ(ReadBmp(file).Pixels, image.Pixels);
    EXPECT_THROW(WriteBmp32(TImage32()), EBmpError);
    image.Pixels.pop_back();
    EXPECT_THROW(WriteBmp32(image), EBmpError);
}

} // namespace
} // namespace orvo
