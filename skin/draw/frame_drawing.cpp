#include "skin/draw/draw_helpers.h"
#include "skin/draw/skin_draw.h"

#include <algorithm>

namespace orvo {

using namespace draw_detail;

namespace {

void PutOnTarget(HDC dc, const RECT& r, TBitmap& piece, bool transparent) {
    if (transparent)
        TransparentBlit(dc, r, piece, clFuchsia);
    else
        BitBlt(dc, r.left, r.top, WidthOf(r), HeightOf(r), piece.Canvas().Handle(), 0, 0, SRCCOPY);
}

} // namespace

void DrawThreeSlice(TCanvas& canvas, const RECT& r, TBitmap& strip, bool stacked, bool transparent, int count,
                    int index, const TMargins& margins) {
    if (Inverted(r) || strip.Empty()) return;
    const int W = WidthOf(r), H = HeightOf(r);
    if (W == 0 || H == 0) return;
    TScratch bar(W, H);
    const TFrameBounds f = FrameBounds(strip, count, index, stacked);
    const int l = std::max(margins.Left, 0), rm = std::max(margins.Right, 0);
    HDC dest = bar.Dc();
    HDC src = strip.Canvas().Handle();
    const int top = f.Y, bottom = f.Y + f.Height;
    StretchCopy(dest, {0, 0, l, H}, src, {f.X, top, f.X + l, bottom});
    const int m = f.Width - l - rm;
    if (m > 0) {
        for (int x = l; x < W - rm; x += m)
            StretchCopy(dest, {x, 0, x + m, H}, src, {f.X + l, top, f.X + l + m, bottom});
    } else {
        StretchCopy(dest, {l, 0, W - rm, H}, src, {f.X, top, f.X + f.Width, bottom});
    }
    StretchCopy(dest, {W - rm, 0, W, H}, src, {f.X + f.Width - rm, top, f.X + f.Width, bottom});
    PutOnTarget(canvas.Handle(), r, bar.Bitmap(), transparent);
}

void DrawFrameStrip(HDC dc, const RECT& r, TBitmap& strip, bool transparent, int count, int index) {
    if (Inverted(r) || strip.Empty()) return;
    if (WidthOf(r) == 0 || HeightOf(r) == 0) return;
    TScratch piece(WidthOf(r), HeightOf(r));
    const TFrameBounds f = FrameBounds(strip, count, index, false);
    StretchCopy(piece.Dc(), {0, 0, WidthOf(r), HeightOf(r)}, strip.Canvas().Handle(),
                {f.X, 0, f.X + f.Width, f.Height});
    PutOnTarget(dc, r, piece.Bitmap(), transparent);
}

void DrawCentredFrame(HDC dc, const RECT& r, TBitmap& strip, bool transparent, int count, int index) {
    if (Inverted(r) || strip.Empty()) return;
    const TFrameBounds f = FrameBounds(strip, count, index, false);
    if (f.Width <= 0 || f.Height <= 0) return;
    TScratch piece(f.Width, f.Height);
    BitBlt(piece.Dc(), 0, 0, f.Width, f.Height, strip.Canvas().Handle(), f.X, 0, SRCCOPY);
    const int x = r.left + (WidthOf(r) - f.Width) / 2, y = r.top + (HeightOf(r) - f.Height) / 2;
    PutOnTarget(dc, RECT{x, y, x + f.Width, y + f.Height}, piece.Bitmap(), transparent);
}

void DrawTile(HDC dc, const RECT& target, TBitmap& image, const RECT& source) {
    const int sw = WidthOf(source), sh = HeightOf(source);
    if (sw <= 0 || sh <= 0 || image.Empty()) return;
    auto tile = Surface(sw, sh);
    BitBlt(tile->Canvas().Handle(), 0, 0, sw, sh, image.Canvas().Handle(), source.left, source.top, SRCCOPY);
    HDC src = tile->Canvas().Handle();
    for (int y = target.top; y < target.bottom; y += sh)
        for (int x = target.left; x < target.right; x += sw)
            BitBlt(dc, x, y, sw, sh, src, 0, 0, SRCCOPY);
}

void DrawTile(TCanvas& canvas, const RECT& target, TBitmap& image, const RECT& source) {
    DrawTile(canvas.Handle(), target, image, source);
}

} // namespace orvo
