#include "skin/draw/draw_helpers.h"
#include "skin/draw/skin_draw.h"

#include <algorithm>

namespace orvo {

using namespace draw_detail;

TFrameBounds FrameBounds(const TBitmap& strip, int count, int index, bool stacked) {
    count = std::max(count, 1);
    index = std::clamp(index, 1, count);
    if (stacked) {
        const int fh = strip.Height() / count;
        return {0, (index - 1) * fh, strip.Width(), fh};
    }
    const int fw = strip.Width() / count;
    return {(index - 1) * fw, 0, fw, strip.Height()};
}

void SlicedFrame(TBitmap& target, SIZE size, TBitmap& strip, int count, int index, bool stacked,
                 const TMargins& margins, bool tile) {
    const int W = std::max<int>(size.cx, 0), H = std::max<int>(size.cy, 0);
    if (strip.Empty() || W == 0 || H == 0) return;
    if (target.Width() < W || target.Height() < H) {
        target.Clear();
        target.SetSize(std::max(target.Width(), W), std::max(target.Height(), H));
    }
    const TFrameBounds f = FrameBounds(strip, count, index, stacked);
    const int x0 = f.X, y0 = f.Y, fw = f.Width, fh = f.Height;
    int l = std::max(margins.Left, 0), t = std::max(margins.Top, 0);
    int r = std::max(margins.Right, 0), b = std::max(margins.Bottom, 0);
    if (W < l + r) l = r = 0;
    if (H < t + b) t = b = 0;

    HDC dest = target.Canvas().Handle();
    SetStretchBltMode(dest, COLORONCOLOR);
    // Margins wider than the frame leave parts uncopied: they show black, not what the target
    // held before.
    if (fw <= 0 || fh <= 0 || l + r > fw || t + b > fh) PatBlt(dest, 0, 0, W, H, BLACKNESS);
    if (fw <= 0 || fh <= 0) return;
    HDC src = strip.Canvas().Handle();
    auto copy = [&](RECT d, RECT s) { StretchCopy(dest, d, src, s); };
    if (l * t > 0) copy({0, 0, l, t}, {x0, y0, x0 + l, y0 + t});
    if (l * b > 0) copy({0, H - b, l, H}, {x0, y0 + fh - b, x0 + l, y0 + fh});
    if (r * t > 0) copy({W - r, 0, W, t}, {x0 + fw - r, y0, x0 + fw, y0 + t});
    if (l > 0) copy({0, t, l, H - b}, {x0, y0 + t, x0 + l, y0 + fh - b});
    if (t > 0) copy({l, 0, W - r, t}, {x0 + l, y0, x0 + fw - r, y0 + t});
    const RECT centre{l, t, W - r, H - b};
    const RECT centreSource{x0 + l, y0 + t, x0 + fw - r, y0 + fh - b};
    if (tile)
        DrawTile(dest, centre, strip, centreSource);
    else
        copy(centre, centreSource);
    // Drawn after the centre, so they also cover tiles that ran past it.
    if (r * b > 0) copy({W - r, H - b, W, H}, {x0 + fw - r, y0 + fh - b, x0 + fw, y0 + fh});
    if (r > 0) copy({W - r, t, W, H - b}, {x0 + fw - r, y0 + t, x0 + fw, y0 + fh - b});
    if (b > 0) copy({l, H - b, W - r, H}, {x0 + l, y0 + fh - b, x0 + fw - r, y0 + fh});
}

std::unique_ptr<TBitmap> SlicedFrame(SIZE size, TBitmap& strip, int count, int index, bool stacked,
                                     const TMargins& margins, bool tile) {
    auto result = Surface(size.cx, size.cy);
    SlicedFrame(*result, size, strip, count, index, stacked, margins, tile);
    return result;
}

void DrawSliced(HDC dc, const RECT& r, TBitmap& strip, int count, int index, bool stacked,
                const TMargins& margins, bool tile, bool transparent) {
    if (Inverted(r) || strip.Empty() || WidthOf(r) == 0 || HeightOf(r) == 0) return;
    TScratch piece(WidthOf(r), HeightOf(r));
    SlicedFrame(piece.Bitmap(), SIZE{WidthOf(r), HeightOf(r)}, strip, count, index, stacked, margins, tile);
    if (transparent)
        TransparentBlit(dc, r, piece.Bitmap(), clFuchsia);
    else
        BitBlt(dc, r.left, r.top, WidthOf(r), HeightOf(r), piece.Dc(), 0, 0, SRCCOPY);
}

} // namespace orvo
