// Pictures at another display scale: a bitmap with a transparent key colour (a glyph, an image of
// an image list) resampled to another size. The key is resolved first: the shape is scaled as a
// mask to whole pixels, the colours smoothly with the key's pixels filled from their opaque
// neighbours, and the key put back exactly where the scaled shape is transparent. So no key colour
// bleeds into the edges (no pink fringe) and the result is again a keyed bitmap any keyed drawing
// takes as it is.
#pragma once

#include "framework/graphics/bitmap.h"

namespace orvo {

// `source` (any format) resampled into `result` as a 24-bit bitmap of width x height, `key` being
// its transparent colour. The same size: an exact 24-bit copy.
void ScaleKeyedBitmap(const TBitmap& source, TColor key, int width, int height, TBitmap& result);

} // namespace orvo
