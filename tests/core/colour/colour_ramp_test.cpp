#include "core/colour/colour_ramp.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace orvo {
namespace {

std::vector<TColourValue> Ramp(int n, TColourValue a, TColourValue b) {
    std::vector<TColourValue> out(n);
    ComputeRamp(out, a, b);
    return out;
}

TEST(ColourRamp, SingleEntryIsTheMidpoint) {
    EXPECT_EQ(Ramp(1, 0, 0xFFFFFF), std::vector<TColourValue>{MakeColour(127, 127, 127)});
    // Falling channels truncate towards zero: 255 + (-255 / 2) = 128.
    EXPECT_EQ(Ramp(1, 0xFFFFFF, 0), std::vector<TColourValue>{MakeColour(128, 128, 128)});
}

TEST(ColourRamp, EndsAndSteps) {
    const auto up = Ramp(40, 0, MakeColour(255, 78, 3));
    EXPECT_EQ(up.front(), 0);
    EXPECT_EQ(up.back(), MakeColour(255, 78, 3));
    for (size_t i = 1; i < up.size(); ++i)
        EXPECT_GE(RedOf(up[i]), RedOf(up[i - 1]));
    // Entry i = a + (h + i * d) / c with c = 3, h = 1.
    EXPECT_EQ(Ramp(4, 0, MakeColour(9, 0, 0)), (std::vector<TColourValue>{0, 3, 6, 9}));
    // A falling channel may stop one step short of b: (1 + 3 * -10) / 3 = -9.
    const auto down = Ramp(4, MakeColour(10, 0, 0), 0);
    EXPECT_EQ(down, (std::vector<TColourValue>{10, 7, 4, MakeColour(1, 0, 0)}));
    EXPECT_EQ(Ramp(2, MakeColour(1, 2, 3), MakeColour(7, 8, 9)).back(), MakeColour(7, 8, 9));
}

TEST(RampCache, ReusesMatchingSlotAndWrapsAfterSixteen) {
    TRampCache cache;
    EXPECT_EQ(cache.RampIndex(40, 0, 0xFFFFFF), 0);
    EXPECT_EQ(cache.RampIndex(40, 0, 0xFFFFFF), 0);
    EXPECT_EQ(cache.NextSlot(), 1);
    EXPECT_EQ(cache.RampIndex(41, 0, 0xFFFFFF), 1); // a different length is another ramp
    for (int i = 2; i < 16; ++i)
        EXPECT_EQ(cache.RampIndex(10 + i, 0, 0x0000FF), i);
    EXPECT_EQ(cache.NextSlot(), 0);
    // The seventeenth distinct ramp takes slot 0 again, and the old ramp there is gone.
    EXPECT_EQ(cache.RampIndex(7, 0x00FF00, 0), 0);
    EXPECT_EQ(cache.Ramp(0).size(), 7u);
    EXPECT_EQ(cache.RampIndex(40, 0, 0xFFFFFF), 1);
    EXPECT_EQ(cache.Ramp(1).front(), 0);
}

TEST(RampCache, FallingRampsAreRecomputedAndCountMustBePositive) {
    TRampCache cache;
    // The last entry of this ramp is not c2, so it never matches and takes a new slot each time.
    EXPECT_EQ(cache.RampIndex(4, MakeColour(10, 0, 0), 0), 0);
    EXPECT_EQ(cache.RampIndex(4, MakeColour(10, 0, 0), 0), 1);
    EXPECT_THROW(cache.RampIndex(0, 0, 0), std::invalid_argument);
    EXPECT_THROW(cache.RampIndex(-3, 0, 0), std::invalid_argument);
    EXPECT_EQ(cache.NextSlot(), 2);
}

} // namespace
} // namespace orvo
