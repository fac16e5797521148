#include "framework/graphics/image_list.h"
#include "tests/framework/support/gdi_count.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

constexpr TColor Key = clFuchsia;

// Image i (4 x 3) of the strip: magenta border column 0, then colour i in the middle, white in
// the last column.
std::unique_ptr<TBitmap> Strip(int images, int extra = 0) {
    const TColor fill[] = {clNavy, clRed, clGreen};
    auto strip = std::make_unique<TBitmap>(images * 4 + extra, 3, pf24bit);
    for (int x = 0; x < strip->Width(); ++x)
        for (int y = 0; y < 3; ++y)
            strip->Canvas().SetPixel(x, y, x % 4 == 0 ? Key : x % 4 == 3 ? clWhite : fill[(x / 4) % 3]);
    return strip;
}

std::unique_ptr<TBitmap> Background() {
    auto b = std::make_unique<TBitmap>(10, 8, pf24bit);
    b->Canvas().Brush().SetColor(clYellow);
    b->Canvas().FillRect(RECT{0, 0, 10, 8});
    return b;
}

TEST(ImageList, AddMaskedSplitsAStripAndLeavesItAlone) {
    TImageList list(nullptr);
    list.SetWidth(4);
    list.SetHeight(3);
    auto strip = Strip(3, 2); // two extra columns: not a whole image
    EXPECT_EQ(list.AddMasked(*strip, Key), 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(strip->PixelColor(0, 0), Key); // the caller's bitmap is unchanged
    EXPECT_EQ(list.AddMasked(*Strip(1), Key), 3);
    EXPECT_EQ(list.Count(), 4);
    TBitmap narrow(3, 3);
    EXPECT_EQ(list.AddMasked(narrow, Key), -1);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 3);
    list.SetWidth(8); // a new size empties the list
    EXPECT_EQ(list.Count(), 0);
}

TEST(ImageList, DrawsEnabledExactlyAndDisabledEmbossed) {
    TImageList list(nullptr);
    list.SetWidth(4);
    list.SetHeight(3);
    list.AddMasked(*Strip(2), Key);
    auto dest = Background();
    list.Draw(dest->Canvas(), 2, 1, 1, true);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) {
            const int ix = x - 2, iy = y - 1;
            const bool inside = ix >= 0 && iy >= 0 && ix < 4 && iy < 3;
            const TColor expected = !inside || ix == 0 ? clYellow : ix == 3 ? clWhite : clRed;
            ASSERT_EQ(dest->PixelColor(x, y), expected) << x << "," << y;
        }

    auto greyed = Background();
    list.Draw(greyed->Canvas(), 2, 1, 1, false);
    const TColor shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) {
            // The shape is the red middle (columns 1-2 of the image): shadow on it, highlight
            // where the shape moved one pixel down-right falls outside it, the rest untouched.
            const auto shape = [](int ix, int iy) { return iy >= 0 && iy < 3 && (ix == 1 || ix == 2); };
            const int ix = x - 2, iy = y - 1;
            const TColor expected = shape(ix, iy) ? shadow : shape(ix - 1, iy - 1) ? highlight : clYellow;
            ASSERT_EQ(greyed->PixelColor(x, y), expected) << x << "," << y;
        }
    // Indices out of range draw nothing.
    auto untouched = Background();
    list.Draw(untouched->Canvas(), 0, 0, 2);
    list.Draw(untouched->Canvas(), 0, 0, -1, false);
    EXPECT_EQ(untouched->PixelColor(1, 1), clYellow);
}

TEST(ImageList, NoGdiHandlesLeak) {
    auto strip = Strip(3);
    auto dest = Background();
    EXPECT_EQ(test::GdiObjectsLeakedBy(300,
                                       [&] {
                                           TImageList list(nullptr);
                                           list.SetWidth(4);
                                           list.SetHeight(3);
                                           list.AddMasked(*strip, Key);
                                           list.Draw(dest->Canvas(), 0, 0, 1, true);
                                           list.Draw(dest->Canvas(), 0, 0, 2, false);
                                       }),
              0);
}

} // namespace
} // namespace orvo
