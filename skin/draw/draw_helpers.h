// Small pieces shared by the drawing routines.
#pragma once

#include "framework/graphics/bitmap.h"

#include <memory>

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

// A 24-bit bitmap for composing, with the stretch mode every routine uses.
std::unique_ptr<TBitmap> Surface(int width, int height);

// The calling thread's scratch surface, at least width x height, for composing a result that is
// then put on its target with one blit: paints draw the same sizes again and again, and a fresh
// bitmap each time costs more than the drawing. Only the top-left width x height part is
// meaningful. Nested use, or a size too large to keep, gets a bitmap of its own.
class TScratch {
public:
    TScratch(int width, int height);
    TScratch(const TScratch&) = delete;
    TScratch& operator=(const TScratch&) = delete;
    ~TScratch();
    TBitmap& Bitmap() { return *FBitmap; }
    HDC Dc() { return FBitmap->Canvas().Handle(); }

private:
    std::unique_ptr<TBitmap> FOwn;
    TBitmap* FBitmap = nullptr;
    bool FLeased = false;
};

} // namespace orvo::draw_detail
