// The main form carries the default skin in its stored description: reading the form loads it.
#include "skin/data/skin_colours.h"
#include "tests/app/app_test_support.h"

namespace orvo {
namespace {

using test::AppWindow;

TEST_F(AppWindow, TheStoredSkinIsLoadedWithTheForm) {
    ASSERT_NE(Win().SkinData1, nullptr);
    const TSkinData& skin = *Win().SkinData1;
    ASSERT_FALSE(skin.NoSkin()) << Utf8Encode(skin.LoadError());
    EXPECT_TRUE(skin.Active());
    EXPECT_EQ(skin.DisableTag(), 99);
    EXPECT_EQ(skin.SkinFormtype(), sfMainform);
    EXPECT_EQ(skin.SysButtons().size(), 5u + 3u) << "five caption buttons and the three MDI buttons";
    EXPECT_EQ(skin.ProgressChunk(), nullptr);
    EXPECT_NE(skin.Track(), nullptr);
    EXPECT_NE(skin.TrackVert(), nullptr);
    EXPECT_EQ(skin.Colour(scButtonFace), 0xD5E0E3);
}

} // namespace
} // namespace orvo
