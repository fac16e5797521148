#include "framework/graphics/scaled_bitmap.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace orvo {

namespace {

struct TRgb {
    std::uint8_t B, G, R;
};

} // namespace

void ScaleKeyedBitmap(const TBitmap& source, TColor key, int width, int height, TBitmap& result) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    const int sw = source.Width(), sh = source.Height();
    result.SetPixelFormat(pf24bit);
    result.SetSize(width, height);
    if (sw <= 0 || sh <= 0) return;
    HDC from = const_cast<TBitmap&>(source).Canvas().Handle();
    if (sw == width && sh == height) {
        BitBlt(result.Canvas().Handle(), 0, 0, sw, sh, from, 0, 0, SRCCOPY);
        return;
    }
    TBitmap colour(sw, sh, pf24bit);
    BitBlt(colour.Canvas().Handle(), 0, 0, sw, sh, from, 0, 0, SRCCOPY);

    const COLORREF keyRef = ColorToColorRef(key);
    const TRgb keyRgb{GetBValue(keyRef), GetGValue(keyRef), GetRValue(keyRef)};
    const auto isKey = [&](const TRgb& p) { return p.R == keyRgb.R && p.G == keyRgb.G && p.B == keyRgb.B; };
    // Where the shape is, before anything is blended.
    std::vector<std::uint8_t> opaque(static_cast<std::size_t>(sw) * static_cast<std::size_t>(sh));
    std::vector<TRgb> pixels(opaque.size());
    for (int y = 0; y < sh; ++y) {
        const auto* row = reinterpret_cast<const TRgb*>(colour.ScanLine(y));
        for (int x = 0; x < sw; ++x) {
            pixels[static_cast<std::size_t>(y * sw + x)] = row[x];
            opaque[static_cast<std::size_t>(y * sw + x)] = isKey(row[x]) ? 0 : 1;
        }
    }
    // The key's pixels take the colour of an opaque neighbour (spreading a few pixels out), so the
    // smooth resampling blends edges with the shape's own colours only.
    std::vector<std::uint8_t> filled = opaque;
    for (int pass = 0; pass < 4; ++pass) {
        std::vector<std::uint8_t> next = filled;
        for (int y = 0; y < sh; ++y)
            for (int x = 0; x < sw; ++x) {
                const std::size_t i = static_cast<std::size_t>(y * sw + x);
                if (filled[i]) continue;
                for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= sw || ny >= sh) continue;
                    const std::size_t n = static_cast<std::size_t>(ny * sw + nx);
                    if (!filled[n]) continue;
                    pixels[i] = pixels[n];
                    next[i] = 1;
                    break;
                }
            }
        filled.swap(next);
    }
    for (int y = 0; y < sh; ++y) {
        auto* row = reinterpret_cast<TRgb*>(colour.ScanLine(y));
        for (int x = 0; x < sw; ++x)
            row[x] = pixels[static_cast<std::size_t>(y * sw + x)];
    }
    HDC target = result.Canvas().Handle();
    SetStretchBltMode(target, HALFTONE);
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, 0, 0, width, height, colour.Canvas().Handle(), 0, 0, sw, sh, SRCCOPY);
    GdiFlush();
    // The shape at the new size, pixel by pixel from the nearest source pixel: the key exactly
    // where it is transparent.
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<TRgb*>(result.ScanLine(y));
        const int sy = std::min(sh - 1, static_cast<int>((static_cast<std::int64_t>(y) * 2 + 1) * sh / (2 * height)));
        for (int x = 0; x < width; ++x) {
            const int sx = std::min(sw - 1, static_cast<int>((static_cast<std::int64_t>(x) * 2 + 1) * sw / (2 * width)));
            if (!opaque[static_cast<std::size_t>(sy * sw + sx)])
                row[x] = keyRgb;
            else if (isKey(row[x]))
                row[x].B ^= 1; // an opaque pixel that came out as the key colour stays opaque
        }
    }
}

} // namespace orvo
