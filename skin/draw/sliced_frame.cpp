#include "skin/draw/draw_helpers.h"
#include "skin/draw/skin_draw.h"

#include <algorithm>

namespace orvo {

using namespace draw_detail;

namespace {

struct TSpan {
    int From, To;
};

// The source span of the parts between two margins of a frame that starts at start and is extent
// long. Margins that overlap inside the frame would give an inverted or empty span, which GDI
// mirrors or skips; the overlapping pixels (or the one at the seam) are taken the right way round
// instead, so a small frame still fills the whole target with its own pixels.
TSpan MiddleSpan(int start, int before, int after, int extent) {
    const int from = start + before, to = start + extent - after;
    if (to > from) return {from, to};
    if (to < from) return {to, from};
    const int seam = start + std::clamp(before, 0, extent - 1);
    return {seam, seam + 1};
}

} // namespace

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
    if (fw <= 0 || fh <= 0) {
        PatBlt(dest, 0, 0, W, H, BLACKNESS);
        return;
    }
    // Source sides: a margin never reads beyond its own frame.
    const int sl = std::min(l, fw), sr = std::min(r, fw), st = std::min(t, fh), sb = std::min(b, fh);
    const TSpan mx = MiddleSpan(x0, sl, sr, fw), my = MiddleSpan(y0, st, sb, fh);
    HDC src = strip.Canvas().Handle();
    auto copy = [&](RECT d, RECT s) { StretchCopy(dest, d, src, s); };
    if (l * t > 0) copy({0, 0, l, t}, {x0, y0, x0 + sl, y0 + st});
    if (l * b > 0) copy({0, H - b, l, H}, {x0, y0 + fh - sb, x0 + sl, y0 + fh});
    if (r * t > 0) copy({W - r, 0, W, t}, {x0 + fw - sr, y0, x0 + fw, y0 + st});
    if (l > 0) copy({0, t, l, H - b}, {x0, my.From, x0 + sl, my.To});
    if (t > 0) copy({l, 0, W - r, t}, {mx.From, y0, mx.To, y0 + st});
    const RECT centre{l, t, W - r, H - b};
    const RECT centreSource{mx.From, my.From, mx.To, my.To};
    if (tile)
        DrawTile(dest, centre, strip, centreSource);
    else
        copy(centre, centreSource);
    // Drawn after the centre, so they also cover tiles that ran past it.
    if (r * b > 0) copy({W - r, H - b, W, H}, {x0 + fw - sr, y0 + fh - sb, x0 + fw, y0 + fh});
    if (r > 0) copy({W - r, t, W, H - b}, {x0 + fw - sr, my.From, x0 + fw, my.To});
    if (b > 0) copy({l, H - b, W - r, H}, {mx.From, y0 + fh - sb, mx.To, y0 + fh});
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
