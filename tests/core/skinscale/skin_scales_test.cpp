#include "core/skinscale/skin_scales.h"

#include "core/skinfile/skin_archive_writer.h"
#include "core/skinfile/skin_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvo {
namespace {

TEST(SkinScaleNames, NameAndParseAgree) {
    EXPECT_EQ(ScaledImageName("Buttons.bmp", 150), "Buttons@150.bmp");
    EXPECT_EQ(ScaledImageName("Frame.BMP", 200), "Frame@200.BMP");
    for (const int percent : SkinScalePercents) {
        const TScaledName name = ParseScaledName(ScaledImageName("CheckBox.bmp", percent));
        EXPECT_EQ(name.Kind, TScaledNameKind::Scaled);
        EXPECT_EQ(name.Base, "CheckBox.bmp");
        EXPECT_EQ(name.Percent, percent);
    }
    // The last '@' splits: a stem may hold one itself.
    EXPECT_EQ(ParseScaledName("a@b@200.bmp").Base, "a@b.bmp");
    EXPECT_EQ(ParseScaledName("x@150.BMP").Kind, TScaledNameKind::Scaled);
}

TEST(SkinScaleNames, OnlyTheListedScalesInCanonicalSpellingAreScales) {
    for (const char* name : {"Buttons.bmp", "@150.bmp", "x@.bmp", "x@15a.bmp", "x@150.png", "x@150", "x@12345.bmp"})
        EXPECT_EQ(ParseScaledName(name).Kind, TScaledNameKind::Plain) << name;
    for (const char* name : {"x@110.bmp", "x@100.bmp", "x@0150.bmp", "x@1.bmp"}) {
        const TScaledName parsed = ParseScaledName(name);
        EXPECT_EQ(parsed.Kind, TScaledNameKind::UnknownScale) << name;
        EXPECT_EQ(parsed.Base, "x.bmp");
    }
}

TEST(SkinScaleSizes, FramesScaleRatherThanTheWholeStrip) {
    // 23 arrows of 17 x 17 at 125 %: each 21 (21.25), so 483 wide, not 391 scaled (489).
    const TScaledImageSize arrows = ScaledImageSize(391, 17, {23, false}, 120);
    EXPECT_EQ(arrows.FrameWidth, 21);
    EXPECT_EQ(arrows.Width, 483);
    EXPECT_EQ(arrows.Height, 21);
    EXPECT_TRUE(arrows.Fits(483, 21));
    EXPECT_FALSE(arrows.Fits(489, 21));
    EXPECT_FALSE(arrows.Fits(483, 22));
    // A stacked 292 x 58 border of two frames at 150 %: frames of 44 rows (43.5), 88 in all (58 * 1.5 = 87).
    const TScaledImageSize top = ScaledImageSize(292, 58, {2, true}, 144);
    EXPECT_EQ(top.Width, 438);
    EXPECT_EQ(top.Height, 88);
    EXPECT_TRUE(top.Fits(438, 88));
    EXPECT_FALSE(top.Fits(438, 87));
    EXPECT_EQ(top.Describe(), "2 frames of 438 x 44 stacked: 438 x 88 pixels");
}

TEST(SkinScaleSizes, SparePixelsAreAllowedOnlyWhereTheDesignHasThem) {
    // 72 pixels in 5 frames of 14 (2 spare): at 150 % frames of 21, 105 to 109 wide.
    const TScaledImageSize header = ScaledImageSize(72, 18, {5, false}, 144);
    EXPECT_EQ(header.Spare, 4);
    EXPECT_TRUE(header.Fits(105, 27));
    EXPECT_TRUE(header.Fits(108, 27));
    EXPECT_FALSE(header.Fits(110, 27)); // would cut frames of 22
    EXPECT_EQ(header.Describe(), "5 frames of 21 x 27 side by side: 105 x 27 to 109 x 27 pixels");
    const TScaledImageSize buttons = ScaledImageSize(90, 21, {5, false}, 144);
    EXPECT_EQ(buttons.Spare, 0);
    EXPECT_TRUE(buttons.Fits(135, 32));
    EXPECT_FALSE(buttons.Fits(136, 32));
    EXPECT_EQ(ScaledImageSize(20, 20, {1, false}, 192).Describe(), "1 frame of 40 x 40: 40 x 40 pixels");
}

TEST(SkinScaleChoice, ExactThenNearestLargerThenLargest) {
    const std::vector<int> none, art{150, 200}, all{125, 150, 175, 200, 250, 300}, big{300}, small{125};
    struct {
        int Dpi;
        int None, Art, All, Big, Small;
    } const rows[] = {
        {96, 100, 100, 100, 100, 100},  {120, 100, 150, 125, 300, 125}, {144, 100, 150, 150, 300, 125},
        {168, 100, 200, 175, 300, 125}, {192, 100, 200, 200, 300, 125}, {240, 100, 200, 250, 300, 125},
        {288, 100, 200, 300, 300, 125}, {110, 100, 150, 125, 300, 125}, {72, 100, 100, 100, 100, 100},
        {0, 100, 100, 100, 100, 100},   {480, 100, 200, 300, 300, 125},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Dpi);
        EXPECT_EQ(SourcePercentFor(row.Dpi, none), row.None);
        EXPECT_EQ(SourcePercentFor(row.Dpi, art), row.Art);
        EXPECT_EQ(SourcePercentFor(row.Dpi, all), row.All);
        EXPECT_EQ(SourcePercentFor(row.Dpi, big), row.Big);
        EXPECT_EQ(SourcePercentFor(row.Dpi, small), row.Small);
    }
}

TEST(SkinScaleIndex, FirstEntryOfEachNameAscendingScalesOnly) {
    TSkinArchiveWriter writer;
    for (const char* name : {"a.bmp", "A@150.bmp", "a@150.bmp", "b@200.bmp", "c@110.bmp", "a@125.bmp", "skin.ini"})
        writer.Add(name, {1, 2, 3});
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadArchive(writer.Build()));
    const TSkinScaleIndex index(reader);
    const auto a = index.Of("A.BMP");
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0].Percent, 125);
    EXPECT_EQ(a[0].Index, 5u);
    EXPECT_EQ(a[1].Percent, 150);
    EXPECT_EQ(a[1].Index, 1u); // the first "a@150.bmp"
    EXPECT_EQ(index.Of("b.bmp").size(), 1u);
    EXPECT_TRUE(index.Of("c.bmp").empty());
    EXPECT_EQ(index.Percents(), (std::vector<int>{125, 150, 200}));
    EXPECT_TRUE(TSkinScaleIndex().Empty());
}

} // namespace
} // namespace orvo
