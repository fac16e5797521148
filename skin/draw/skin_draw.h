// The bitmap routines every skinned surface is drawn with. Skin images are strips of equal state
// frames, side by side (frame i is the i-th column band of width / n) or stacked (the i-th row
// band of height / n); frame indices are 1-based and are clamped to 1..n. Magenta is the
// transparent key colour. Each routine composes its result off screen and puts it on the target
// with one blit, so a surface never shows partial states; an inverted target rectangle (right
// left of left, or bottom above top) draws nothing.
//
//   SlicedFrame       nine-slice: corners keep their size, edges stretch along their length, the
//                     centre stretches or tiles; margins dropped pairwise when the target is
//                     smaller than them. Returns a new bitmap of the target size.
//   DrawSliced        SlicedFrame put on a DC, opaque or with the magenta key.
//   DrawThreeSlice    horizontal bar: left margin, the middle repeated, right margin, all
//                     stretched to the target height.
//   DrawFrameStrip    one frame stretched over the target.
//   DrawCentredFrame  one frame at its own size, centred in the target.
//   DrawTile          a source rectangle repeated over the target from its top-left corner.
//   TransparentBlit   a bitmap drawn with one colour transparent (exactly that colour).
//   RegionFromBitmap  a region of the pixels that are not (within a tolerance) the key colour.
//   DrawParentBackground  the parent's background and paint under a child, into the child's DC.
#pragma once

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/gdi_handle.h"

#include <functional>
#include <memory>

namespace orvo {

class TControl;

// The parts of a frame that keep their size when it is drawn larger or smaller.
struct TMargins {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// Where frame `index` (1-based) of an n-frame strip lies in the image.
struct TFrameBounds {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
};
TFrameBounds FrameBounds(const TBitmap& strip, int count, int index, bool stacked);

std::unique_ptr<TBitmap> SlicedFrame(SIZE size, TBitmap& strip, int count, int index, bool stacked,
                                     const TMargins& margins, bool tile);
// The same composed into the top-left of `target` (a bitmap the caller keeps for every paint),
// which is first made at least that large (losing its content when it has to grow).
void SlicedFrame(TBitmap& target, SIZE size, TBitmap& strip, int count, int index, bool stacked,
                 const TMargins& margins, bool tile);
void DrawSliced(HDC dc, const RECT& r, TBitmap& strip, int count, int index, bool stacked,
                const TMargins& margins, bool tile, bool transparent);
// Only the left and right margins are used. A frame without a middle (margins as wide as the
// frame) has its whole width stretched between the margins.
void DrawThreeSlice(TCanvas& canvas, const RECT& r, TBitmap& strip, bool stacked, bool transparent, int count,
                    int index, const TMargins& margins);
void DrawFrameStrip(HDC dc, const RECT& r, TBitmap& strip, bool transparent, int count, int index);
void DrawCentredFrame(HDC dc, const RECT& r, TBitmap& strip, bool transparent, int count, int index);
// Copies at x = left, left + source width, ... while x < right (likewise y): the last copies may
// run past the target's end.
void DrawTile(TCanvas& canvas, const RECT& target, TBitmap& image, const RECT& source);
void DrawTile(HDC dc, const RECT& target, TBitmap& image, const RECT& source);
// The bitmap's top-left (r's size, at most the bitmap's) at r, leaving the destination where the
// bitmap is exactly `key`.
void TransparentBlit(HDC dc, const RECT& r, TBitmap& bitmap, TColor key = clFuchsia);

// Pixels whose red, green and blue each lie in [key, key + tolerance] (capped at 255) are left
// out; every run of other pixels in a row adds a rectangle, moved by (dx, dy). Null when no pixel
// is kept. The skin calls it with magenta and a tolerance of 1 on each channel.
TRegionHandle RegionFromBitmap(TBitmap& bitmap, int dx, int dy, int blueTolerance, int greenTolerance,
                               int redTolerance, TColor key = clFuchsia);

// Has a child's parent paint its background and content into `dc` (the child's), shifted so that
// the child's client area shows the part of the parent under it: the parent receives
// WM_ERASEBKGND and WM_PAINT with the DC in WParam through `performOnParent` (the framework's
// Perform on the parent control). Nothing happens without a parent (an empty function).
using TPerformOnParent = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;
void DrawParentBackground(HDC dc, POINT childPosition, const RECT& childClientRect,
                          const TPerformOnParent& performOnParent);
// The same for a framework control: its parent control paints, through its Perform.
void DrawParentBackground(HDC dc, TControl& control);

} // namespace orvo
