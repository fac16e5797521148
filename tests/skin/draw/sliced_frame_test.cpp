#include "skin/draw/skin_draw.h"
#include "tests/framework/support/gdi_count.h"
#include "tests/skin/draw/draw_test_util.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

using test::ExpectPixels;
using test::PaintedBitmap;
using test::SolidBitmap;

// Zone colour of frame `frame` (1-based), zone column zx and zone row zy (0, 1, 2).
TColor Zone(int frame, int zx, int zy) {
    return MakeColour(frame * 40, zx * 60 + zy * 20, 100 + zx + 3 * zy);
}

// An n-frame strip of fw x fh frames side by side (or stacked) whose nine zones, cut by margins m,
// are solid colours.
std::unique_ptr<TBitmap> ZonedStrip(int n, int fw, int fh, const TMargins& m, bool stacked = false) {
    return PaintedBitmap(stacked ? fw : fw * n, stacked ? fh * n : fh, [=](int x, int y) {
        const int frame = 1 + (stacked ? y / fh : x / fw);
        const int fx = x % fw, fy = y % fh;
        const int zx = fx < m.Left ? 0 : fx >= fw - m.Right ? 2 : 1;
        const int zy = fy < m.Top ? 0 : fy >= fh - m.Bottom ? 2 : 1;
        return Zone(frame, zx, zy);
    });
}

TEST(SlicedFrame, CornersKeepSizeEdgesAndCentreStretch) {
    const TMargins m{3, 2, 4, 5};
    for (bool stacked : {false, true}) {
        auto strip = ZonedStrip(3, 12, 14, m, stacked);
        auto piece = SlicedFrame(SIZE{40, 31}, *strip, 3, 2, stacked, m, false);
        ASSERT_EQ(piece->Width(), 40);
        ASSERT_EQ(piece->Height(), 31);
        ExpectPixels(*piece, [&](int x, int y) {
            return Zone(2, x < 3 ? 0 : x >= 36 ? 2 : 1, y < 2 ? 0 : y >= 26 ? 2 : 1);
        });
    }
}

TEST(SlicedFrame, MarginsAreDroppedPairwiseWhenTheTargetIsTooSmall) {
    // Narrower than l + r (12): no left or right parts; the whole frame width is stretched over
    // the target (here at its own width, so the frame's columns come out unchanged).
    const TMargins wide{6, 2, 6, 3};
    auto strip = ZonedStrip(2, 10, 9, wide);
    auto narrow = SlicedFrame(SIZE{10, 20}, *strip, 2, 2, false, wide, false);
    ExpectPixels(*narrow, [](int x, int y) { return Zone(2, x < 6 ? 0 : 2, y < 2 ? 0 : y >= 17 ? 2 : 1); });

    // Lower than t + b (6): the same for rows, while the left and right margins still apply.
    const TMargins tall{2, 3, 2, 3};
    auto flat = ZonedStrip(2, 10, 4, tall);
    auto low = SlicedFrame(SIZE{30, 4}, *flat, 2, 1, false, tall, false);
    ExpectPixels(*low, [](int x, int y) { return Zone(1, x < 2 ? 0 : x >= 28 ? 2 : 1, y < 3 ? 0 : 2); });

    // Both at once, at the frame's size: an exact copy of the frame.
    auto both = SlicedFrame(SIZE{10, 4}, *flat, 2, 2, false, TMargins{6, 3, 6, 3}, false);
    ExpectPixels(*both, [&](int x, int y) { return flat->PixelColor(10 + x, y); });
}

TEST(SlicedFrame, FrameSelectionInSideBySideAndStackedStrips) {
    auto strip = PaintedBitmap(100, 8, [](int x, int) { return MakeColour(x, 0, 0); });
    const TFrameBounds f = FrameBounds(*strip, 5, 4, false);
    EXPECT_EQ(f.X, 60);
    EXPECT_EQ(f.Width, 20);
    auto piece = SlicedFrame(SIZE{20, 8}, *strip, 5, 4, false, TMargins{}, false);
    ExpectPixels(*piece, [](int x, int) { return MakeColour(60 + x, 0, 0); }); // columns 60-79

    auto stacked = PaintedBitmap(6, 100, [](int, int y) { return MakeColour(0, y, 0); });
    auto row = SlicedFrame(SIZE{6, 20}, *stacked, 5, 2, true, TMargins{}, false);
    ExpectPixels(*row, [](int, int y) { return MakeColour(0, 20 + y, 0); }); // rows 20-39
    // Indices outside 1..n are clamped, a count below 1 counts as 1.
    EXPECT_EQ(FrameBounds(*strip, 5, 9, false).X, 80);
    EXPECT_EQ(FrameBounds(*strip, 5, 0, false).X, 0);
    EXPECT_EQ(FrameBounds(*strip, 0, 3, false).Width, 100);
}

TEST(SlicedFrame, TiledCentreRepeatsFromTheCentreOrigin) {
    // A 3-pixel centre over a 10-pixel target: copies at 0, 3, 6 and 9.
    auto strip = PaintedBitmap(3, 2, [](int x, int) { return MakeColour(0, 0, 50 * (x + 1)); });
    auto piece = SlicedFrame(SIZE{10, 5}, *strip, 1, 1, false, TMargins{}, true);
    ExpectPixels(*piece, [](int x, int) { return MakeColour(0, 0, 50 * (x % 3 + 1)); });
    // With margins, tiles start after the left margin and those running past the centre are
    // covered by the right edge and the bottom.
    const TMargins m{2, 1, 2, 1};
    auto framed = PaintedBitmap(7, 4, [](int x, int y) { return MakeColour(x * 30, y * 60, 9); });
    auto tiled = SlicedFrame(SIZE{12, 7}, *framed, 1, 1, false, m, true);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 12; ++x) {
            const TColor c = tiled->PixelColor(x, y);
            const bool edgeColumn = x < 2 || x >= 10, edgeRow = y < 1 || y >= 6;
            if (!edgeColumn && !edgeRow) { // the centre: tiles of frame columns 2-4 and rows 1-2
                ASSERT_EQ(c, MakeColour((2 + (x - 2) % 3) * 30, (1 + (y - 1) % 2) * 60, 9)) << x << "," << y;
            }
            if (edgeColumn && edgeRow) { // corners at their own size
                ASSERT_EQ(c, MakeColour((x < 2 ? x : x - 5) * 30, (y < 1 ? 0 : 3) * 60, 9)) << x << "," << y;
            }
            if (x >= 10) {
                ASSERT_GE(RedOf(c), 150) << "right edge covers the tiles at " << x << "," << y;
            }
            if (y >= 6) {
                ASSERT_EQ(GreenOf(c), 180) << "bottom edge covers the tiles at " << x << "," << y;
            }
        }
}

TEST(DrawSliced, OpaqueOrKeyedAndNothingForInvertedRectangles) {
    auto strip = PaintedBitmap(4, 4, [](int x, int y) { return (x + y) % 2 ? clFuchsia : clNavy; });
    for (bool transparent : {false, true}) {
        auto dest = SolidBitmap(10, 10, clYellow);
        DrawSliced(dest->Canvas().Handle(), RECT{2, 3, 6, 7}, *strip, 1, 1, false, TMargins{1, 1, 1, 1},
                   false, transparent);
        ExpectPixels(*dest, [&](int x, int y) {
            if (x < 2 || x >= 6 || y < 3 || y >= 7) return clYellow;
            const TColor c = (x - 2 + y - 3) % 2 ? clFuchsia : clNavy;
            return transparent && c == clFuchsia ? clYellow : c;
        });
        DrawSliced(dest->Canvas().Handle(), RECT{6, 3, 2, 7}, *strip, 1, 1, false, TMargins{}, false,
                   transparent);
        DrawSliced(dest->Canvas().Handle(), RECT{2, 7, 6, 3}, *strip, 1, 1, false, TMargins{}, false,
                   transparent);
        EXPECT_EQ(dest->PixelColor(0, 0), clYellow);
    }
    // An empty strip or target gives an empty or blank piece and no failure.
    TBitmap empty;
    EXPECT_EQ(SlicedFrame(SIZE{5, 5}, empty, 1, 1, false, TMargins{}, false)->Width(), 5);
    EXPECT_TRUE(SlicedFrame(SIZE{0, 5}, *strip, 1, 1, false, TMargins{}, false)->Empty());
}

TEST(SlicedFrame, MarginsOverlappingInsideTheFrameFillTheMiddleWithTheOverlap) {
    // A 14-wide frame with 8-pixel left and right margins (a five-frame strip 72 wide, the way a
    // header image may be cut): the middle repeats the two overlapping columns 6 and 7 in their own
    // order, never black and never mirrored. Rows likewise: a 4-high frame with 3-pixel margins.
    auto strip = PaintedBitmap(72, 4, [](int x, int y) { return MakeColour(x * 3, y * 50, 7); });
    const TMargins m{8, 3, 8, 3};
    auto piece = SlicedFrame(SIZE{40, 10}, *strip, 5, 2, false, m, false);
    auto column = [](int x) {
        return x < 8 ? 14 + x : x >= 32 ? 14 + 6 + (x - 32) : 14 + 6 + (x - 8) * 2 / 24;
    };
    auto row = [](int y) { return y < 3 ? y : y >= 7 ? 1 + (y - 7) : 1 + (y - 3) * 2 / 4; };
    ExpectPixels(*piece, [&](int x, int y) { return strip->PixelColor(column(x), row(y)); });

    // Margins that meet exactly (3 + 3 of a 6-wide frame) stretch the column at the seam.
    auto exact = PaintedBitmap(6, 1, [](int x, int) { return MakeColour(x * 40, 0, 0); });
    auto seam = SlicedFrame(SIZE{20, 1}, *exact, 1, 1, false, TMargins{3, 0, 3, 0}, true);
    ExpectPixels(*seam, [&](int x, int) { return exact->PixelColor(x < 3 ? x : x >= 17 ? x - 14 : 3, 0); });
}

TEST(DrawSliced, MatchesSlicedFrameWhateverWasDrawnBefore) {
    // The routines compose on a reused surface: nothing of an earlier, larger drawing may show,
    // not even where margins wider than the frame overlap.
    auto strip = ZonedStrip(2, 10, 10, TMargins{3, 3, 3, 3});
    const TMargins cases[] = {{3, 3, 3, 3}, {8, 2, 8, 2}, {2, 9, 2, 9}, {0, 0, 0, 0}};
    const SIZE sizes[] = {{60, 50}, {25, 14}, {9, 30}, {40, 8}};
    for (const SIZE size : sizes)
        for (const TMargins& m : cases) {
            auto dest = SolidBitmap(size.cx, size.cy, clWhite);
            DrawSliced(dest->Canvas().Handle(), RECT{0, 0, size.cx, size.cy}, *strip, 2, 2, false, m, true,
                       false);
            auto alone = SlicedFrame(size, *strip, 2, 2, false, m, true);
            ExpectPixels(*dest, [&](int x, int y) { return alone->PixelColor(x, y); });
        }
}

TEST(SlicedFrame, NoGdiHandlesLeak) {
    auto strip = ZonedStrip(4, 20, 20, TMargins{5, 5, 5, 5});
    auto dest = SolidBitmap(60, 60, clWhite);
    EXPECT_EQ(test::GdiObjectsLeakedBy(1000,
                                       [&] {
                                           DrawSliced(dest->Canvas().Handle(), RECT{0, 0, 50, 40}, *strip, 4,
                                                      3, false, TMargins{5, 5, 5, 5}, true, true);
                                           DrawSliced(dest->Canvas().Handle(), RECT{0, 0, 7, 40}, *strip, 4,
                                                      1, false, TMargins{5, 5, 5, 5}, false, false);
                                       }),
              0);
}

} // namespace
} // namespace orvo
