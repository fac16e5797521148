#include "core/scale/scaled_length.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace orvo {
namespace {

TEST(ScaledLength, ADesignLengthKeepsItsPairWhenTheScaledValueIsSetBack) {
    TScaledLength width{75, DesignDpi};
    // A window that writes back the length it was given at 144 (a control's own resize) changes
    // nothing: the pair stays at its design value.
    width.Set(width.At(144), 144);
    EXPECT_EQ(width, (TScaledLength{75, DesignDpi}));
    EXPECT_EQ(width.At(120), 94);
}

// A length set at another DPI takes that DPI with it: scaling down cannot show every length, yet
// the pair keeps it, so it is back when the DPI is.
TEST(ScaledLength, ALengthSetAtAnotherDpiKeepsIt) {
    TScaledLength odd{20, DesignDpi};
    odd.Set(1, 144);
    EXPECT_EQ(odd.At(DesignDpi), 1);
    EXPECT_EQ(odd.At(144), 1);
    odd.Set(odd.At(DesignDpi), DesignDpi);
    EXPECT_EQ(odd, (TScaledLength{1, 144}));
}

// A control is scaled by its edges, so controls that touch keep touching; the width the edges give
// is within one pixel of the width scaled alone.
TEST(ScaledLength, WidthsFromScaledEdgesAreWithinAPixel) {
    for (int dpi : {120, 144, 168, 192})
        for (int left = 0; left < 200; ++left)
            for (int width : {1, 2, 3, 17, 25, 75}) {
                const TScaledLength l{left, DesignDpi}, r{left + width, DesignDpi};
                EXPECT_LE(std::abs(r.At(dpi) - l.At(dpi) - ScaleLength(width, dpi)), 1);
            }
}

} // namespace
} // namespace orvo
