// Small pieces shared by the drawing routines.
#pragma once

#include "framework/bitmap.h"

namespace orvo::draw_detail {

inline bool Inverted(const RECT& r) {
    return r.right < r.left || r.bottom < r.top;
}
inline int WidthOf(const RECT& r) {
    return r.right - r.left;
}
inline int HeightOf(const RECT& r) {
    return r.bottom - r.top;
}

// A stretching copy; nothing when either rectangle is empty or inverted (a negative extent would
// mirror the image).
inline void StretchCopy(HDC dest, const RECT& d, HDC source, const RECT& s) {
    if (WidthOf(d) <= 0 || HeightOf(d) <= 0 || WidthOf(s) <= 0 || HeightOf(s) <= 0) return;
    StretchBlt(dest, d.left, d.top, WidthOf(d), HeightOf(d), source, s.left, s.top, WidthOf(s), HeightOf(s),
               SRCCOPY);
}

// A scratch bitmap for composing, with the stretch mode every routine uses.
inline std::unique_ptr<TBitmap> Surface(int width, int height) {
    auto surface = std::make_unique<TBitmap>(width, height, pf24bit);
    SetStretchBltMode(surface->Canvas().Handle(), COLORONCOLOR);
    return surface;
}

} // namespace orvo::draw_detail
