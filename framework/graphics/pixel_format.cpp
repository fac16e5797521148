#include "framework/graphics/pixel_format.h"

#include <climits>
#include <cstring>

namespace orvo {

namespace {

RGBQUAD Quad(std::uint32_t rgb) {
    return RGBQUAD{static_cast<BYTE>(rgb), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb >> 16), 0};
}

constexpr std::uint32_t VgaColours[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                          0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                          0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

std::uint32_t Expand5(unsigned v) {
    return (v << 3) | (v >> 2);
}
std::uint32_t Expand6(unsigned v) {
    return (v << 2) | (v >> 4);
}

unsigned IndexAt(const std::uint8_t* row, int x, int bits) {
    if (bits == 8) return row[x];
    if (bits == 4) return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
    return (row[x >> 3] >> (7 - (x & 7))) & 1;
}

void SetIndexAt(std::uint8_t* row, int x, int bits, unsigned index) {
    if (bits == 8) {
        row[x] = static_cast<std::uint8_t>(index);
    } else if (bits == 4) {
        const int shift = (x & 1) ? 0 : 4;
        row[x >> 1] = static_cast<std::uint8_t>((row[x >> 1] & ~(0xF << shift)) | ((index & 0xF) << shift));
    } else {
        const int shift = 7 - (x & 7);
        row[x >> 3] = static_cast<std::uint8_t>((row[x >> 3] & ~(1 << shift)) | ((index & 1) << shift));
    }
}

} // namespace

int BitsPerPixel(TPixelFormat format) {
    static constexpr int bits[] = {1, 4, 8, 16, 16, 24, 32};
    return bits[format];
}

bool IsIndexed(TPixelFormat format) {
    return format <= pf8bit;
}

std::size_t RowStride(int width, TPixelFormat format) {
    if (width < 0) return 0;
    const long long bits = static_cast<long long>(width) * BitsPerPixel(format);
    const long long stride = ((bits + 31) / 32) * 4;
    return stride > INT_MAX ? 0 : static_cast<std::size_t>(stride);
}

std::vector<RGBQUAD> StandardPalette(TPixelFormat format) {
    std::vector<RGBQUAD> palette;
    if (format == pf1bit) return {Quad(0), Quad(0xFFFFFF)};
    for (auto c : VgaColours)
        palette.push_back(Quad(c));
    if (format == pf4bit) return palette;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.push_back(Quad((r * 51u) << 16 | (g * 51u) << 8 | b * 51u));
    for (int i = 1; palette.size() < 256; ++i)
        palette.push_back(Quad(0x010101u * (i * 10)));
    return palette;
}

std::uint8_t TPaletteMatcher::Nearest(std::uint32_t rgb) {
    if (auto it = FMemo.find(rgb); it != FMemo.end()) return it->second;
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    int best = 0;
    long bestDistance = LONG_MAX;
    for (size_t i = 0; i < FPalette.size() && i < 256; ++i) {
        const int dr = r - FPalette[i].rgbRed, dg = g - FPalette[i].rgbGreen, db = b - FPalette[i].rgbBlue;
        const long distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
            if (distance == 0) break;
        }
    }
    const auto index = static_cast<std::uint8_t>(best);
    if (FMemo.size() < 65536) FMemo.emplace(rgb, index);
    return index;
}

void ReadRow(TPixelFormat format, const std::uint8_t* row, int width, std::span<const RGBQUAD> palette,
             std::uint32_t* out) {
    switch (format) {
    case pf1bit:
    case pf4bit:
    case pf8bit: {
        const int bits = BitsPerPixel(format);
        for (int x = 0; x < width; ++x) {
            const unsigned index = IndexAt(row, x, bits);
            out[x] = index < palette.size() ? RgbOfQuad(palette[index]) : 0;
        }
        break;
    }
    case pf15bit:
    case pf16bit:
        for (int x = 0; x < width; ++x) {
            const unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
            out[x] = format == pf15bit
                         ? Expand5((v >> 10) & 31) << 16 | Expand5((v >> 5) & 31) << 8 | Expand5(v & 31)
                         : Expand5((v >> 11) & 31) << 16 | Expand6((v >> 5) & 63) << 8 | Expand5(v & 31);
        }
        break;
    case pf24bit:
        for (int x = 0; x < width; ++x)
            out[x] = row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16);
        break;
    case pf32bit:
        for (int x = 0; x < width; ++x) {
            std::uint32_t v;
            std::memcpy(&v, row + 4 * x, 4);
            out[x] = v & 0xFFFFFF;
        }
        break;
    }
}

void WriteRow(TPixelFormat format, const std::uint32_t* in, int width, TPaletteMatcher* matcher,
              std::uint8_t* row) {
    switch (format) {
    case pf1bit:
    case pf4bit:
    case pf8bit: {
        const int bits = BitsPerPixel(format);
        for (int x = 0; x < width; ++x)
            SetIndexAt(row, x, bits, matcher ? matcher->Nearest(in[x]) : 0);
        break;
    }
    case pf15bit:
    case pf16bit:
        for (int x = 0; x < width; ++x) {
            const unsigned r = (in[x] >> 16) & 0xFF, g = (in[x] >> 8) & 0xFF, b = in[x] & 0xFF;
            const unsigned v = format == pf15bit ? (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3)
                                                 : (r >> 3) << 11 | (g >> 2) << 5 | (b >> 3);
            row[2 * x] = static_cast<std::uint8_t>(v);
            row[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
        }
        break;
    case pf24bit:
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(in[x]);
            row[3 * x + 1] = static_cast<std::uint8_t>(in[x] >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(in[x] >> 16);
        }
        break;
    case pf32bit:
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = in[x] & 0xFFFFFF;
            std::memcpy(row + 4 * x, &v, 4);
        }
        break;
    }
}

void CopyRowPixels(TPixelFormat format, const std::uint8_t* src, std::uint8_t* dst, int width) {
    const int bits = BitsPerPixel(format);
    if (bits >= 8) {
        std::memcpy(dst, src, static_cast<size_t>(width) * (bits / 8));
        return;
    }
    for (int x = 0; x < width; ++x)
        SetIndexAt(dst, x, bits, IndexAt(src, x, bits));
}

} // namespace orvo
