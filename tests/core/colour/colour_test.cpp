#include "core/colour/colour.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

TColourValue FakeSystemColour(int index) {
    return MakeColour(index, index + 1, index + 2);
}

TEST(MixColours, WeightIsShareOfFirstColourWithTwoScales) {
    const TColourValue grey = 0x808080, white = 0xFFFFFF, black = 0;
    EXPECT_EQ(MixColours(grey, white, 150, nullptr), MakeColour(236, 236, 236));
    EXPECT_EQ(MixColours(white, black, 0, nullptr), black);
    EXPECT_EQ(MixColours(white, black, 1000, nullptr), white);
    // 99 is a percentage; 100 switches to tenths of a percent, so it is only 10 %.
    EXPECT_EQ(MixColours(white, black, 99, nullptr), MakeColour(252, 252, 252));
    EXPECT_EQ(MixColours(white, black, 100, nullptr), MakeColour(26, 26, 26));
    EXPECT_EQ(MixColours(white, black, 50, nullptr), MakeColour(128, 128, 128)); // rounds half up
}

TEST(MixColours, ChannelsStayApartAndSystemColoursAreResolved) {
    EXPECT_EQ(MixColours(MakeColour(200, 0, 0), MakeColour(0, 0, 100), 50, nullptr), MakeColour(100, 0, 50));
    // System colour 15 resolves through the resolver, by its low byte only.
    EXPECT_EQ(MixColours(SystemColour(15), 0, 1000, FakeSystemColour), MakeColour(15, 16, 17));
    EXPECT_EQ(MixColours(0xFFFFFF, SystemColour(4), 0, FakeSystemColour), MakeColour(4, 5, 6));
    EXPECT_EQ(ResolveColour(SystemColour(4), nullptr), 0);
    EXPECT_EQ(ResolveColour(0x123456, FakeSystemColour), 0x123456);
}

TEST(ColourSaturation, DarkColoursAndRatios) {
    EXPECT_EQ(ColourSaturation(0x808080), 200);
    EXPECT_EQ(ColourSaturation(MakeColour(159, 159, 159)), 200);
    EXPECT_EQ(ColourSaturation(MakeColour(255, 0, 0)), 255);
    EXPECT_EQ(ColourSaturation(0xFFFFFF), 0);
    EXPECT_EQ(ColourSaturation(MakeColour(160, 0, 0)), 255);
    // (200 - 100) / 200 * 255 = 127.5: ties go to the even neighbour.
    EXPECT_EQ(ColourSaturation(MakeColour(200, 100, 150)), 128);
    // (255 - 100) / 255 * 255 = 155 exactly.
    EXPECT_EQ(ColourSaturation(MakeColour(100, 255, 100)), 155);
    // (250 - 1) / 250 * 255 = 253.98 rounds up.
    EXPECT_EQ(ColourSaturation(MakeColour(1, 250, 100)), 254);
}

TEST(Contrast, RatiosAsWcagDefinesThem) {
    EXPECT_DOUBLE_EQ(ContrastRatio(0xFFFFFF, 0), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(0, 0xFFFFFF), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(0x336699, 0x336699), 1.0);
    // Pure blue on white: 8.59 : 1 (WCAG's own figure); mid grey #777 on white 4.48 : 1.
    EXPECT_NEAR(ContrastRatio(MakeColour(0, 0, 255), 0xFFFFFF), 8.59, 0.01);
    EXPECT_NEAR(ContrastRatio(0x777777, 0xFFFFFF), 4.48, 0.01);
}

TEST(Contrast, ATextColourIsLightenedOnADarkGroundAndDarkenedOnALightOneJustEnough) {
    const TColourValue blue = MakeColour(0, 0, 255), dark = MakeColour(0x23, 0x26, 0x2B);
    ASSERT_LT(ContrastRatio(blue, dark), 4.5);
    const TColourValue lighter = ReadableOn(blue, dark, 4.5);
    EXPECT_GE(ContrastRatio(lighter, dark), 4.5);
    EXPECT_LT(ContrastRatio(lighter, dark), 4.8) << "no more than it takes";
    EXPECT_GT(BlueOf(lighter), RedOf(lighter)) << "still blue";
    EXPECT_EQ(BlueOf(lighter), 255);

    const TColourValue yellow = MakeColour(255, 255, 0), light = MakeColour(0xF0, 0xF0, 0xF0);
    const TColourValue darker = ReadableOn(yellow, light, 4.5);
    EXPECT_GE(ContrastRatio(darker, light), 4.5);
    EXPECT_LT(RedOf(darker), 255);
    EXPECT_EQ(BlueOf(darker), 0);

    // What is readable already stays; what cannot be reached gives the far end.
    EXPECT_EQ(ReadableOn(0xFFFFFF, 0, 4.5), 0xFFFFFF);
    EXPECT_EQ(ReadableOn(blue, 0xFFFFFF, 4.5), blue);
    EXPECT_EQ(ReadableOn(0x404040, 0x404040, 30.0), 0xFFFFFF);
    EXPECT_EQ(ReadableOn(0x808080, 0x808080, 30.0), 0); // black stands out more from mid grey
}

} // namespace
} // namespace orvo
