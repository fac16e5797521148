#include "skin/draw/draw_helpers.h"
#include "skin/draw/skin_draw.h"

#include <algorithm>

namespace orvo {

using namespace draw_detail;

void TransparentBlit(HDC dc, const RECT& r, TBitmap& bitmap, TColor key) {
    if (Inverted(r) || bitmap.Empty()) return;
    const int w = std::min(WidthOf(r), bitmap.Width()), h = std::min(HeightOf(r), bitmap.Height());
    if (w <= 0 || h <= 0) return;
    // The mask is built straight from the pixels (white exactly where the key is), which is what
    // masking a copy of the bitmap would give.
    const auto mask = bitmap.CreateMask(key, w, h);
    MaskedBlt(dc, r.left, r.top, w, h, bitmap.Canvas().Handle(), 0, 0, mask->Handle());
}

} // namespace orvo
