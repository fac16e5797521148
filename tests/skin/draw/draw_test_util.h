// Bitmaps painted cell by cell and pixel comparisons for the drawing tests.
#pragma once

#include "core/colour/colour.h"
#include "framework/graphics/bitmap.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace orvo::test {

// A 24-bit bitmap whose pixel (x, y) is colourAt(x, y), written straight into the bits.
inline std::unique_ptr<TBitmap> PaintedBitmap(int w, int h,
                                              const std::function<TColor(int x, int y)>& colourAt) {
    auto b = std::make_unique<TBitmap>(w, h, pf24bit);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = b->ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const TColor c = colourAt(x, y);
            row[3 * x] = static_cast<std::uint8_t>(c >> 16);
            row[3 * x + 1] = static_cast<std::uint8_t>(c >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(c);
        }
    }
    return b;
}

inline std::unique_ptr<TBitmap> SolidBitmap(int w, int h, TColor c) {
    return PaintedBitmap(w, h, [c](int, int) { return c; });
}

// Asserts bitmap pixel (x, y) == expected(x, y) everywhere; stops at the first difference.
inline void ExpectPixels(const TBitmap& b, const std::function<TColor(int x, int y)>& expected) {
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            ASSERT_EQ(b.PixelColor(x, y), expected(x, y)) << "at (" << x << ", " << y << ")";
}

} // namespace orvo::test
