// Moving skin pixels between the portable image form and 24-bit DIB sections, and cutting pieces
// out of strips.
#pragma once

#include "core/skinfile/image32.h"
#include "framework/graphics/bitmap.h"

namespace orvo {

// `target` becomes a 24-bit copy of `image` (cleared when the image is empty).
void Image32ToBitmap(const TImage32& image, TBitmap& target);
// The pixels of `bitmap` (any format) as a portable image; empty for an empty bitmap.
TImage32 BitmapToImage32(const TBitmap& bitmap);

// `target` becomes a 24-bit width x height copy of the block of `source` at (x, y); parts of the
// block outside the source are black. Cleared when the block is empty.
void CopyBitmapBlock(TBitmap& source, int x, int y, int width, int height, TBitmap& target);

// Copies the width x height block of `source` at (sx, sy) to (dx, dy) of `dest`; the part of the
// block outside the source is left alone.
void BlitBlock(TBitmap& source, int sx, int sy, int width, int height, HDC dest, int dx, int dy);

// A new 24-bit bitmap filled with one colour.
void MakeFilledBitmap(TBitmap& target, int width, int height, TColor colour);

} // namespace orvo
