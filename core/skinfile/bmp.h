// Reading and writing BMP files. Read: 1, 4 and 8 bits per pixel with a palette; 16 bits as 5-5-5
// or with bit-field masks; 24 bits; 32 bits plain or with masks; rows bottom-up or top-down; the
// 12-byte core header, BITMAPINFOHEADER and its 52/56-byte, V4 and V5 variants. Not read:
// run-length encoded, JPEG or PNG contents. Written: 32 bits per pixel, BITMAPINFOHEADER, bottom-up.
#pragma once

#include "core/skinfile/image32.h"

#include <cstdint>
#include <span>
#include <vector>

namespace orvo {

constexpr int MaxBmpSide = 16384;
constexpr std::uint64_t MaxBmpPixels = 1u << 24;

enum : std::uint32_t { BmpRgb = 0, BmpRle8 = 1, BmpRle4 = 2, BmpBitFields = 3, BmpAlphaBitFields = 6 };

struct TBmpInfo {
    int Width = 0;
    int Height = 0; // always positive; TopDown tells the row order
    int BitCount = 0;
    bool TopDown = false;
    std::uint32_t Compression = BmpRgb;
    std::uint32_t HeaderSize = 0;
};

// The header of a BMP file, checked as ReadBmp checks it (sizes, format, data present).
// Throws EBmpError with the reason when the file is not a BMP we can read.
TBmpInfo ReadBmpInfo(std::span<const std::uint8_t> file);

// Decodes a whole BMP file. Throws EBmpError when it is malformed, truncated, larger than
// MaxBmpSide per side or MaxBmpPixels in all, or of a kind we do not read.
TImage32 ReadBmp(std::span<const std::uint8_t> file);

// A 32-bit BMP of `image` (the fourth byte of every pixel is 0). Throws EBmpError when the image
// is empty, out of the bounds above, or its pixel count does not match its size.
std::vector<std::uint8_t> WriteBmp32(const TImage32& image);

} // namespace orvo
