#include "core/scale/dpi_scale.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

TEST(DpiScale, DesignDpiAndNonsenseLeaveLengthsAlone) {
    for (int v : {-12, 0, 1, 17, 546}) {
        EXPECT_EQ(ScaleLength(v, 96), v);
        EXPECT_EQ(ScaleLength(v, 0), v);
        EXPECT_EQ(ScaleLength(v, -5), v);
    }
}

TEST(DpiScale, RoundsHalvesAwayFromZeroOnBothSides) {
    EXPECT_EQ(ScaleLength(1, 144), 2);     // 1.5
    EXPECT_EQ(ScaleLength(-1, 144), -2);   // -1.5: a font height scales like its size
    EXPECT_EQ(ScaleLength(23, 144), 35);   // 34.5
    EXPECT_EQ(ScaleLength(-12, 144), -18);
    EXPECT_EQ(ScaleLength(5, 120), 6);     // 6.25
    EXPECT_EQ(ScaleLength(7, 120), 9);     // 8.75
    EXPECT_EQ(ScaleLength(546, 192), 1092);
    EXPECT_EQ(ScaleLength(1, 168), 2);     // 1.75
}

TEST(DpiScale, LargeLengthsDoNotOverflow) {
    EXPECT_EQ(ScaleLength(1 << 28, 288), 3 << 28);
}

TEST(DpiScale, TheRuleBetweenTwoDpisIsTheSameRule) {
    for (int dpi : {72, 96, 120, 144, 168, 192, 240, 288})
        for (int v = -400; v <= 4000; ++v) ASSERT_EQ(ScaleLengthBetween(v, DesignDpi, dpi), ScaleLength(v, dpi)) << v;
    EXPECT_EQ(ScaleLengthBetween(35, 144, 96), 23);  // 23.33
    EXPECT_EQ(ScaleLengthBetween(3, 144, 120), 3);   // 2.5 rounds away from zero
    EXPECT_EQ(ScaleLengthBetween(-3, 144, 120), -3);
    EXPECT_EQ(ScaleLengthBetween(50, 99, 100), 51);  // 50.505: an odd DPI still rounds to the nearest
    EXPECT_EQ(ScaleLengthBetween(7, 0, -1), 7);
}

// Going up from 96 and back down always lands where it started: every design length survives a
// visit to a larger scale even when it was scaled from the rounded value (as a window that only
// kept the scaled length would do it).
TEST(DpiScale, UpAndBackDownIsExactFromAnyRoundedLength) {
    for (int dpi : {120, 144, 168, 192, 240, 288})
        for (int v = -300; v <= 3000; ++v)
            ASSERT_EQ(ScaleLengthBetween(ScaleLength(v, dpi), dpi, DesignDpi), v) << v << " at " << dpi;
}

TEST(DpiScale, PercentsAndDpisMeetAtTheStoreScales) {
    EXPECT_EQ(ScalePercent(96), 100);
    EXPECT_EQ(ScalePercent(110), 115);
    for (int percent : SkinScalePercents) EXPECT_EQ(ScalePercent(DpiOfPercent(percent)), percent);
    EXPECT_EQ(DpiOfPercent(125), 120);
    EXPECT_EQ(DpiOfPercent(175), 168);
}

} // namespace
} // namespace orvo
