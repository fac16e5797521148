// Pixel formats of device-independent bitmaps and conversion of rows to and from 0x00RRGGBB.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

namespace orvo {

// pf15bit is 5-5-5 (BI_RGB), pf16bit 5-6-5 (BI_BITFIELDS).
enum TPixelFormat { pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

int BitsPerPixel(TPixelFormat format);
bool IsIndexed(TPixelFormat format);
// Bytes per row, padded to 32 bits as GDI lays DIB rows out; 0 when it would not fit in 31 bits.
std::size_t RowStride(int width, TPixelFormat format);

// The palette a bitmap gets when it is converted to an indexed format: black and white, the 16
// VGA colours, or those plus a 6x6x6 colour cube and a grey ramp.
std::vector<RGBQUAD> StandardPalette(TPixelFormat format);

// Nearest palette entry of a colour, remembering the answers.
class TPaletteMatcher {
public:
    explicit TPaletteMatcher(std::span<const RGBQUAD> palette) : FPalette(palette) {}
    std::uint8_t Nearest(std::uint32_t rgb);

private:
    std::span<const RGBQUAD> FPalette;
    std::unordered_map<std::uint32_t, std::uint8_t> FMemo;
};

// Reads `width` pixels of a row into 0x00RRGGBB values.
void ReadRow(TPixelFormat format, const std::uint8_t* row, int width, std::span<const RGBQUAD> palette,
             std::uint32_t* out);
// Writes 0x00RRGGBB values into a row; indexed formats take the nearest entry of the matcher's palette.
void WriteRow(TPixelFormat format, const std::uint32_t* in, int width, TPaletteMatcher* matcher,
              std::uint8_t* row);
// Copies `width` pixels between rows of the same format, indices kept as they are.
void CopyRowPixels(TPixelFormat format, const std::uint8_t* src, std::uint8_t* dst, int width);

constexpr std::uint32_t RgbOfQuad(const RGBQUAD& q) {
    return (static_cast<std::uint32_t>(q.rgbRed) << 16) | (q.rgbGreen << 8) | q.rgbBlue;
}

} // namespace orvo
