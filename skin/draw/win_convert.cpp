#include "skin/draw/win_convert.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace orvo {

namespace {

TColourValue SystemColourNow(int index) {
    return static_cast<TColourValue>(GetSysColor(index));
}

// 3 bytes per pixel, converting first when needed.
void MakeTrueColour(TBitmap& bitmap) {
    if (bitmap.PixelFormat() != pf24bit) bitmap.SetPixelFormat(pf24bit);
}

// Replaces the bitmap's content with a w x h 24-bit image computed pixel by pixel from the old one.
template <typename TSourceOf> void Remap(TBitmap& bitmap, int w, int h, TSourceOf sourceOf) {
    MakeTrueColour(bitmap);
    const int oldW = bitmap.Width(), oldH = bitmap.Height();
    std::vector<std::uint8_t> old(static_cast<std::size_t>(oldW) * oldH * 3);
    for (int y = 0; y < oldH; ++y)
        std::memcpy(&old[static_cast<std::size_t>(y) * oldW * 3], bitmap.ScanLine(y), oldW * 3u);
    bitmap.SetSize(w, h);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const POINT from = sourceOf(x, y, oldW, oldH);
            std::memcpy(row + 3 * x, &old[(static_cast<std::size_t>(from.y) * oldW + from.x) * 3], 3);
        }
    }
}

} // namespace

TColor MixColours(TColor c1, TColor c2, int weight) {
    return orvo::MixColours(c1, c2, weight, SystemColourNow);
}

int RampIndex(int count, TColor c1, TColor c2) {
    return GlobalRampCache().RampIndex(count, c1, c2);
}

std::span<const TColor> RampColours(int slot) {
    return GlobalRampCache().Ramp(slot);
}

void GradientFill(HDC dc, const RECT& r, TColor c1, bool vertical, TColor c2) {
    if (!RectVisible(dc, &r)) return;
    c1 = ColorToRGB(c1);
    c2 = ColorToRGB(c2);
    const int start = vertical ? r.top : r.left;
    const int length = vertical ? r.bottom - r.top : r.right - r.left;
    if (length <= 0) return;
    RECT clip{};
    GetClipBox(dc, &clip);
    const int clipStart = vertical ? clip.top : clip.left;
    const int clipEnd = vertical ? clip.bottom : clip.right;
    const int first = std::max(0, clipStart - start);
    const int last = clipEnd < start + length ? clipEnd - start - 1 : length - 1;
    const auto ramp = RampColours(RampIndex(length, c1, c2));
    // Neighbouring bands of one colour share a fill: the same pixels with fewer GDI calls.
    for (int i = first; i <= last;) {
        int j = i + 1;
        while (j <= last && ramp[j] == ramp[i])
            ++j;
        const RECT band = vertical ? RECT{r.left, start + i, r.right, start + j}
                                   : RECT{start + i, r.top, start + j, r.bottom};
        TBrushHandle brush(CreateSolidBrush(static_cast<COLORREF>(ramp[i])));
        FillRect(dc, &band, brush.Get());
        i = j;
    }
}

void ReplaceKeyColour(TBitmap& bitmap, TColor colour) {
    if (bitmap.Empty()) return;
    MakeTrueColour(bitmap);
    const auto blue = static_cast<std::uint8_t>(colour >> 16), green = static_cast<std::uint8_t>(colour >> 8),
               red = static_cast<std::uint8_t>(colour);
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* p = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x, p += 3) {
            if (p[0] == 255 && p[1] == 0 && p[2] == 255) {
                p[0] = blue;
                p[1] = green;
                p[2] = red;
            }
        }
    }
}

void FlipHorizontal(TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    MakeTrueColour(bitmap);
    const int w = bitmap.Width();
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < w / 2; ++x)
            std::swap_ranges(row + 3 * x, row + 3 * x + 3, row + 3 * (w - 1 - x));
    }
}

void FlipVertical(TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    MakeTrueColour(bitmap);
    const int h = bitmap.Height();
    const std::size_t bytes = static_cast<std::size_t>(bitmap.Width()) * 3;
    for (int y = 0; y < h / 2; ++y)
        std::swap_ranges(bitmap.ScanLine(y), bitmap.ScanLine(y) + bytes, bitmap.ScanLine(h - 1 - y));
}

void RotateLeft(TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    Remap(bitmap, bitmap.Height(), bitmap.Width(), [](int c, int r, int w, int) {
        return POINT{w - 1 - r, c};
    });
}

void RotateRight(TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    Remap(bitmap, bitmap.Height(), bitmap.Width(), [](int c, int r, int, int h) {
        return POINT{r, h - 1 - c};
    });
}

} // namespace orvo
