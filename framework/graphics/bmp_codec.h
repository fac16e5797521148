// Reading and writing the BMP file format (and the headerless form Windows keeps in RT_BITMAP
// resources). Every size and offset read from the data is checked; bad data throws EInvalidGraphic.
#pragma once

#include "framework/graphics/pixel_format.h"

#include <cstdint>
#include <span>
#include <vector>

namespace orvo {

// A decoded image: rows bottom-up, each RowStride(Width, Format) bytes.
struct TDibImage {
    TPixelFormat Format = pf24bit;
    int Width = 0;
    int Height = 0;
    std::vector<RGBQUAD> Palette;
    std::vector<std::uint8_t> Bits;
};

// Largest accepted side and pixel data of a decoded image.
constexpr int MaxImageSide = 32767;
constexpr std::size_t MaxImageBytes = 256u << 20;

// `data` starts with BITMAPFILEHEADER when `fileHeader`, otherwise with the info header.
TDibImage DecodeBmp(std::span<const std::uint8_t> data, bool fileHeader = true);
std::vector<std::uint8_t> EncodeBmp(const TDibImage& image);
// The same for bits held elsewhere (a DIB section): rows bottom-up, padded.
std::vector<std::uint8_t> EncodeBmp(TPixelFormat format, int width, int height,
                                    std::span<const RGBQUAD> palette, const std::uint8_t* bits);

} // namespace orvo
