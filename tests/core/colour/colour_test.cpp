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

} // namespace
} // namespace orvo
