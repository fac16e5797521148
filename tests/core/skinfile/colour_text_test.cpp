#include "core/skinfile/colour_text.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

TEST(ParseColour, ComponentsEndedBySeparators) {
    EXPECT_EQ(ParseColour("227 224 213", -1), 0xD5E0E3);
    EXPECT_EQ(ParseColour("  255\t255 , 255  ", -1), 0xFFFFFF);
    EXPECT_EQ(ParseColour("1;;2--3", -1), 0x030201); // runs of separators end one component
    // Trailing digits count only as the third component.
    EXPECT_EQ(ParseColour("255,0", -1), 0x0000FF);
    EXPECT_EQ(ParseColour("12", -1), 0);
    EXPECT_EQ(ParseColour("1 2 3 4 5", -1), 0x030201);
    EXPECT_EQ(ParseColour("1 2 3 ", -1), 0x030201);
}

TEST(ParseColour, ModuloAndDefaults) {
    // 10^20 - 1 is 255 modulo 256.
    EXPECT_EQ(ParseColour("256 257 99999999999999999999", -1), 0xFF0100);
    EXPECT_EQ(ParseColour("-5 x 7;", -1), 0x000705); // a sign is just a separator
    EXPECT_EQ(ParseColour("", 0x123456), 0x123456);
    EXPECT_EQ(ParseColour(" \t ", 0x123456), 0x123456);
    EXPECT_EQ(ParseColour("red", 0x123456), 0);
}

} // namespace
} // namespace orvo
