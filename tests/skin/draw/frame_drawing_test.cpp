#include "skin/draw/skin_draw.h"

#include "framework/forms/forms.h"
#include "framework/controls/label.h"
#include "framework/controls/panel.h"
#include "tests/framework/support/gdi_count.h"
#include "tests/skin/draw/draw_test_util.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

using test::ExpectPixels;
using test::PaintedBitmap;
using test::SolidBitmap;

constexpr TColor Magenta = clFuchsia;

TColor Column(int frame, int x) {
    return MakeColour(frame * 50, x * 20, 5);
}

// Frames of fw x 1 pixels whose columns have distinct colours.
std::unique_ptr<TBitmap> ColumnStrip(int n, int fw) {
    return PaintedBitmap(n * fw, 1, [fw](int x, int) { return Column(1 + x / fw, x % fw); });
}

TEST(ThreeSlice, MarginsAndARepeatedMiddleStretchedToTheHeight) {
    auto strip = ColumnStrip(2, 7); // l = 2, r = 2: a 3-pixel middle
    auto dest = SolidBitmap(14, 6, clWhite);
    DrawThreeSlice(dest->Canvas(), RECT{1, 1, 13, 5}, *strip, false, false, 2, 2, TMargins{2, 99, 2, 99});
    ExpectPixels(*dest, [](int x, int y) {
        if (x < 1 || x >= 13 || y < 1 || y >= 5) return clWhite;
        const int tx = x - 1; // middle copies at 2, 5 and 8; the one at 8 runs under the right margin
        return Column(2, tx < 2 ? tx : tx >= 10 ? tx - 5 : 2 + (tx - 2) % 3);
    });
    // Exactly l + r wide: only the margins.
    auto exact = SolidBitmap(4, 2, clWhite);
    DrawThreeSlice(exact->Canvas(), RECT{0, 0, 4, 2}, *strip, false, false, 2, 1, TMargins{2, 0, 2, 0});
    ExpectPixels(*exact, [](int x, int) { return Column(1, x < 2 ? x : x + 3); });
}

TEST(ThreeSlice, FramesWithoutAMiddleStillEnd) {
    // Zero-width middle (l + r = frame width) and a negative one: the frame is stretched between
    // the margins instead of looping forever.
    for (int right : {2, 3}) {
        auto strip = ColumnStrip(1, 4);
        auto dest = SolidBitmap(12, 2, clWhite);
        DrawThreeSlice(dest->Canvas(), RECT{0, 0, 12, 2}, *strip, false, false, 1, 1,
                       TMargins{2, 0, right, 0});
        EXPECT_EQ(dest->PixelColor(0, 0), Column(1, 0));
        EXPECT_EQ(dest->PixelColor(11, 1), Column(1, 3));
        for (int x = 0; x < 12; ++x)
            EXPECT_NE(dest->PixelColor(x, 0), clWhite) << x;
    }
    // Stacked strips pick rows; the transparent flag keys out magenta.
    auto stacked =
        PaintedBitmap(3, 4, [](int x, int y) { return y >= 2 && x == 1 ? Magenta : Column(y / 2 + 1, x); });
    auto dest = SolidBitmap(6, 3, clYellow);
    DrawThreeSlice(dest->Canvas(), RECT{0, 0, 6, 3}, *stacked, true, true, 2, 2, TMargins{1, 0, 1, 0});
    ExpectPixels(*dest, [](int x, int) { return x == 0 ? Column(2, 0) : x == 5 ? Column(2, 2) : clYellow; });
}

TEST(FrameStripAndCentredFrame, PickTheFrameAndPlaceIt) {
    auto strip = ColumnStrip(5, 4);
    auto dest = SolidBitmap(12, 3, clWhite);
    DrawFrameStrip(dest->Canvas().Handle(), RECT{0, 0, 8, 3}, *strip, false, 5, 3); // 4 columns doubled
    ExpectPixels(*dest, [](int x, int) { return x < 8 ? Column(3, x / 2) : clWhite; });

    auto tall = PaintedBitmap(
        12, 3, [](int x, int y) { return x % 4 == 1 && y == 1 ? Magenta : Column(1 + x / 4, x % 4); });
    for (bool transparent : {false, true}) {
        auto target = SolidBitmap(10, 9, clYellow);
        DrawCentredFrame(target->Canvas().Handle(), RECT{1, 2, 10, 9}, *tall, transparent, 3, 2);
        // Frame 2 (4 x 3) at left + (9 - 4) / 2 = 3, top + (7 - 3) / 2 = 4.
        ExpectPixels(*target, [&](int x, int y) {
            if (x < 3 || x >= 7 || y < 4 || y >= 7) return clYellow;
            const TColor c = tall->PixelColor(4 + x - 3, y - 4);
            return transparent && c == Magenta ? clYellow : c;
        });
    }
    // A target smaller than the frame: the offset truncates towards zero ((1 - 4) / 2 = -1).
    auto small = SolidBitmap(6, 6, clYellow);
    DrawCentredFrame(small->Canvas().Handle(), RECT{2, 2, 3, 3}, *tall, false, 3, 3);
    EXPECT_EQ(small->PixelColor(1, 1), Column(3, 0));
    EXPECT_EQ(small->PixelColor(0, 1), clYellow);
    EXPECT_EQ(small->PixelColor(4, 1), Column(3, 3));
}

TEST(Tile, CopiesFromTheTargetOriginAndSkipsEmptySources) {
    auto image = PaintedBitmap(6, 6, [](int x, int y) { return MakeColour(x * 40, y * 40, 1); });
    auto dest = SolidBitmap(12, 12, clWhite);
    HDC dc = dest->Canvas().Handle();
    IntersectClipRect(dc, 0, 0, 9, 12);
    DrawTile(dest->Canvas(), RECT{1, 2, 9, 7}, *image, RECT{2, 1, 5, 3}); // a 3 x 2 source
    SelectClipRgn(dc, nullptr);
    // Copies start at x = 1, 4, 7 and y = 2, 4, 6; those past the end are drawn too (to 10 and 8).
    ExpectPixels(*dest, [](int x, int y) {
        if (x < 1 || x >= 9 || y < 2 || y >= 8) return clWhite;
        return MakeColour((2 + (x - 1) % 3) * 40, (1 + (y - 2) % 2) * 40, 1);
    });
    for (RECT bad : {RECT{2, 1, 2, 3}, RECT{2, 1, 5, 1}, RECT{5, 1, 2, 3}}) {
        DrawTile(dest->Canvas(), RECT{0, 0, 12, 12}, *image, bad);
        EXPECT_EQ(dest->PixelColor(0, 0), clWhite);
    }
}

TEST(TransparentBlit, KeepsTheDestinationUnderExactlyTheKey) {
    auto bitmap = PaintedBitmap(8, 5, [](int x, int y) {
        const TColor c[] = {Magenta, 0xFF01FF, 0xFE00FF, clBlack, 0xFF00FE};
        return c[(x + 2 * y) % 5];
    });
    auto dest = SolidBitmap(12, 9, clLime);
    TransparentBlit(dest->Canvas().Handle(), RECT{3, 2, 11, 7}, *bitmap, Magenta);
    ExpectPixels(*dest, [&](int x, int y) {
        if (x < 3 || x >= 11 || y < 2 || y >= 7) return clLime;
        const TColor c = bitmap->PixelColor(x - 3, y - 2);
        return c == Magenta ? clLime : c;
    });
    // Any key colour works, and a target larger than the bitmap draws only the bitmap.
    auto second = SolidBitmap(12, 9, clLime);
    TransparentBlit(second->Canvas().Handle(), RECT{0, 0, 40, 40}, *bitmap, clBlack);
    EXPECT_EQ(second->PixelColor(0, 0), Magenta);
    EXPECT_EQ(second->PixelColor(3, 0), clLime);
    EXPECT_EQ(second->PixelColor(9, 0), clLime);
    TransparentBlit(second->Canvas().Handle(), RECT{5, 0, 0, 5}, *bitmap, clBlack);
}

TEST(ParentBackground, ParentPaintsShiftedAndClippedToTheChild) {
    auto dest = SolidBitmap(30, 30, clGreen);
    HDC dc = dest->Canvas().Handle();
    std::vector<UINT> messages;
    const auto perform = [&](UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        messages.push_back(message);
        HDC target = reinterpret_cast<HDC>(wParam);
        const RECT all{0, 0, 200, 200}, mark{50, 50, 60, 60};
        TBrushHandle brush(CreateSolidBrush(message == WM_ERASEBKGND ? RGB(255, 0, 0) : RGB(0, 0, 255)));
        FillRect(target, message == WM_ERASEBKGND ? &all : &mark, brush.Get());
        return 1;
    };
    DrawParentBackground(dc, POINT{45, 48}, RECT{0, 0, 20, 20}, perform);
    EXPECT_EQ(messages, (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));
    ExpectPixels(*dest, [](int x, int y) {
        if (x >= 20 || y >= 20) return clGreen;
        const int px = x + 45, py = y + 48;
        return px >= 50 && px < 60 && py >= 50 && py < 60 ? clBlue : clRed;
    });
    // The DC is as it was: origin and clipping restored.
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 0);
    RECT clip{};
    EXPECT_EQ(GetClipBox(dc, &clip), SIMPLEREGION);
    EXPECT_EQ(clip.right, 30);
    DrawParentBackground(dc, POINT{0, 0}, RECT{0, 0, 30, 30}, nullptr); // no parent: nothing
    EXPECT_EQ(dest->PixelColor(25, 25), clGreen);
}

TEST(ParentBackground, AControlsParentPaintsItsBackgroundAndWindowlessControls) {
    TForm form(nullptr);
    form.SetColor(clRed);
    auto* child = new TPanel(&form);
    child->SetParent(&form);
    child->SetBounds(10, 10, 20, 20);
    auto* label = new TLabel(&form); // painted by the form, partly under the panel
    label->SetParent(&form);
    label->SetAutoSize(false);
    label->SetCaption(L"");
    label->SetColor(clBlue);
    label->SetBounds(25, 25, 10, 10);
    auto dest = SolidBitmap(20, 20, clGreen);
    DrawParentBackground(dest->Canvas().Handle(), *child);
    ExpectPixels(*dest, [](int x, int y) { return x >= 15 && y >= 15 ? clBlue : clRed; });
    TPanel orphan(nullptr);
    auto untouched = SolidBitmap(4, 4, clGreen);
    DrawParentBackground(untouched->Canvas().Handle(), orphan); // no parent: nothing
    EXPECT_EQ(untouched->PixelColor(1, 1), clGreen);
}

TEST(FrameDrawing, NoGdiHandlesLeak) {
    auto strip = ColumnStrip(3, 9);
    auto dest = SolidBitmap(40, 20, clWhite);
    EXPECT_EQ(test::GdiObjectsLeakedBy(
                  1000,
                  [&] {
                      DrawThreeSlice(dest->Canvas(), RECT{0, 0, 33, 9}, *strip, false, true, 3, 2,
                                     TMargins{2, 0, 3, 0});
                      DrawFrameStrip(dest->Canvas().Handle(), RECT{0, 0, 20, 5}, *strip, true, 3, 1);
                      DrawCentredFrame(dest->Canvas().Handle(), RECT{0, 0, 20, 5}, *strip, false, 3, 3);
                      DrawTile(dest->Canvas(), RECT{0, 0, 40, 20}, *strip, RECT{0, 0, 5, 1});
                      TransparentBlit(dest->Canvas().Handle(), RECT{0, 0, 27, 1}, *strip, clBlack);
                      DrawParentBackground(dest->Canvas().Handle(), POINT{3, 3}, RECT{0, 0, 5, 5},
                                           [](UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
                  }),
              0);
}

} // namespace
} // namespace orvo
