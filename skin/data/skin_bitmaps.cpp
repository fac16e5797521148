#include "skin/data/skin_bitmaps.h"

#include <algorithm>
#include <cstring>

namespace orvo {

namespace {

void MakeBlank(TBitmap& target, int width, int height) {
    target.Clear();
    target.SetPixelFormat(pf24bit);
    target.SetSize(width, height); // a fresh DIB section: all zero
}

} // namespace

void Image32ToBitmap(const TImage32& image, TBitmap& target) {
    if (image.Empty() || image.Width <= 0 || image.Height <= 0) {
        target.Clear();
        return;
    }
    MakeBlank(target, image.Width, image.Height);
    for (int y = 0; y < image.Height; ++y) {
        std::uint8_t* row = target.ScanLine(y);
        const std::uint32_t* pixel = &image.Pixels[static_cast<std::size_t>(y) * image.Width];
        for (int x = 0; x < image.Width; ++x) {
            const std::uint32_t p = pixel[x]; // 0x00RRGGBB
            row[3 * x] = static_cast<std::uint8_t>(p);
            row[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(p >> 16);
        }
    }
}

TImage32 BitmapToImage32(const TBitmap& bitmap) {
    if (bitmap.Empty() || bitmap.Width() <= 0 || bitmap.Height() <= 0) return {};
    TBitmap copy;
    const TBitmap* source = &bitmap;
    if (bitmap.PixelFormat() != pf24bit) {
        copy.Assign(bitmap);
        copy.SetPixelFormat(pf24bit);
        source = &copy;
    }
    TImage32 image(source->Width(), source->Height());
    for (int y = 0; y < image.Height; ++y) {
        const std::uint8_t* row = source->ScanLine(y);
        std::uint32_t* pixel = &image.Pixels[static_cast<std::size_t>(y) * image.Width];
        for (int x = 0; x < image.Width; ++x)
            pixel[x] = static_cast<std::uint32_t>(row[3 * x]) | (static_cast<std::uint32_t>(row[3 * x + 1]) << 8) |
                       (static_cast<std::uint32_t>(row[3 * x + 2]) << 16);
    }
    return image;
}

void CopyBitmapBlock(TBitmap& source, int x, int y, int width, int height, TBitmap& target) {
    if (width <= 0 || height <= 0) {
        target.Clear();
        return;
    }
    MakeBlank(target, width, height);
    BlitBlock(source, x, y, width, height, target.Canvas().Handle(), 0, 0);
}

void BlitBlock(TBitmap& source, int sx, int sy, int width, int height, HDC dest, int dx, int dy) {
    const int left = std::max(sx, 0), top = std::max(sy, 0);
    const int right = std::min(sx + width, source.Width()), bottom = std::min(sy + height, source.Height());
    if (source.Empty() || right <= left || bottom <= top) return;
    BitBlt(dest, dx + left - sx, dy + top - sy, right - left, bottom - top, source.Canvas().Handle(), left,
           top, SRCCOPY);
}

void MakeFilledBitmap(TBitmap& target, int width, int height, TColor colour) {
    MakeBlank(target, width, height);
    if (target.Empty()) return;
    TCanvas& canvas = target.Canvas();
    canvas.Brush().SetColor(colour);
    canvas.FillRect(RECT{0, 0, width, height});
}

} // namespace orvo
