// The images derived at load time, pixel by pixel: the MDI buttons, the combo box composite and
// its mirror, ComboxArrow, the Toolbar gradient and FrameSample.
#include "tests/skin/data/skin_test_store.h"

#include <cstdlib>

namespace orvo::test {
namespace {

constexpr TColor Magenta = 0xFF00FF;

TEST(DerivedImages, MdiButtonsAreCutFromTheStrip) {
    TTestSkin skin("[MDICONTROLS]\nImage=mdi.bmp\n");
    skin.Image("mdi.bmp", FrameStrip(144, 10, 12));
    auto data = Loaded(skin);
    const auto& b = data->SysButtons();
    ASSERT_EQ(b.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const TDataSkinSysButton& button = *b[i];
        EXPECT_EQ(button.Action, 7 + i);
        EXPECT_EQ(button.Align, 100);
        EXPECT_EQ(button.Visibility, 100);
        EXPECT_EQ(button.Visibility1, 100);
        EXPECT_EQ(button.Frame, 4);
        EXPECT_EQ(button.XCoord, 48 - 16 * i);
        ASSERT_EQ(button.Image.Width(), 48);
        ASSERT_EQ(button.Image.Height(), 10);
        ExpectPixels(button.Image, [i](int x, int) { return FrameColour(4 * i + x / 12 + 1); });
    }

    auto bare = Loaded(TTestSkin("[MDICONTROLS]\nImage=none.bmp\n"));
    ASSERT_EQ(bare->SysButtons().size(), 3u);
    EXPECT_TRUE(bare->SysButtons()[0]->Image.Empty());
    EXPECT_EQ(bare->SysButtons()[0]->XCoord, 0);
}

TColor CompositePixel(int x, int y, int bw) {
    const int k = x / 50 + 1, cx = x % 50;
    if (cx >= 2 && cx < 49 - bw && y >= 2 && y < 18) return Magenta; // the edit area
    const int buttonLeft = 50 - bw, glyphLeft = buttonLeft + (bw - 5) / 2;
    if (cx >= glyphLeft && cx < glyphLeft + 5 && y >= 8 && y < 13) return GlyphColour(k);
    return cx >= buttonLeft ? ButtonColour(k) : SunkColour(k);
}

TEST(DerivedImages, ComboCompositeAndItsMirror) {
    auto data = Loaded(ComboSkin());
    const int bw = GetSystemMetrics(SM_CXHSCROLL) + 2;
    TDataSkinBorder& combo = *data->ComboButton();
    TDataSkinObject& sunk = *data->SunkEdge();

    EXPECT_EQ(combo.Style, 2);
    EXPECT_EQ(combo.Frame, 4);
    EXPECT_EQ(combo.LeftWidth, 2);
    EXPECT_EQ(combo.RightWidth, bw + 2);
    EXPECT_EQ(combo.TopHeight, 2);
    EXPECT_EQ(combo.BottomHeight, 3);
    ASSERT_EQ(combo.Image.Width(), 200);
    ASSERT_EQ(combo.Image.Height(), 21);
    ExpectPixels(combo.Image, [bw](int x, int y) { return CompositePixel(x, y, bw); });

    EXPECT_EQ(sunk.LeftWidth, bw + 2);
    EXPECT_EQ(sunk.RightWidth, 2);
    ASSERT_EQ(sunk.Image.Width(), 200);
    ExpectPixels(sunk.Image, [bw](int x, int y) { return CompositePixel(199 - x, y, bw); });

    // The button's own image, mirrored, from before it became the composite.
    ASSERT_EQ(combo.Image2.Width(), 40);
    ExpectPixels(combo.Image2, [](int x, int) { return ButtonColour((39 - x) / 10 + 1); });

    TDataSkinObject& arrow = *data->ComboxArrow();
    EXPECT_EQ(arrow.Name, L"ComboxArrow");
    EXPECT_EQ(arrow.Frame, 4);
    ASSERT_EQ(arrow.Image.Width(), 68);
    ASSERT_EQ(arrow.Image.Height(), 17);
    ExpectPixels(arrow.Image,
                 [bw](int x, int y) { return CompositePixel(50 * (x / 17) + 31 + x % 17, y + 2, bw); });
}

TEST(DerivedImages, ComboxArrowWithoutSunkEdgeAndWithoutButton) {
    TTestSkin skin("[ComboButton]\nImage=button.bmp\n[Colours]\nButtonFace=1 2 3\n");
    skin.Image("button.bmp", Painted(8, 3, [](int x, int) { return x % 2 ? Magenta : ButtonColour(1); }));
    auto data = Loaded(skin);
    TDataSkinObject& arrow = *data->ComboxArrow();
    EXPECT_EQ(arrow.Frame, 4);
    ASSERT_EQ(arrow.Image.Width(), 8);
    ExpectPixels(arrow.Image, [](int x, int) { return x % 2 ? TColor{0x030201} : ButtonColour(1); });
    EXPECT_EQ(data->ComboButton()->Style, 0) << "no composite without SunkEdge";

    TTestSkin sunkOnly("[SunkEdge]\nImage=sunk.bmp\n");
    sunkOnly.Image("sunk.bmp", FrameStrip(80, 21, 4));
    auto sunkData = Loaded(sunkOnly);
    ASSERT_TRUE(sunkData->ComboxArrow());
    EXPECT_TRUE(sunkData->ComboxArrow()->Image.Empty());
    EXPECT_EQ(sunkData->SunkEdge()->Image.Width(), 80) << "no composite without ComboButton";
}

void ExpectNear(TColor actual, TColor expected) {
    for (int shift : {0, 8, 16})
        EXPECT_LE(std::abs(((actual >> shift) & 0xFF) - ((expected >> shift) & 0xFF)), 1)
            << std::hex << actual << " vs " << expected;
}

// A Top border whose sample point (a third into the first of two frames) has the given colour.
TTestSkin ToolbarSkin(TColor sample) {
    TTestSkin skin("[Personality]\nTop=top.bmp\nTopFrame=2\n[Colours]\nButtonFace=227 224 213\n");
    TImage32 top(30, 20, Px(0x0000FF));
    top.At(10, 3) = Px(sample);
    skin.Image("top.bmp", top);
    return skin;
}

TEST(DerivedImages, ToolbarGradientFollowsTheFrameSample) {
    struct TCase {
        TColor Sample;
        TColor Bottom; // worked out by hand from the mixing rules
    };
    const TCase cases[] = {
        {0x808080, 0xBABABA}, // dark: saturation 200, 54 % of the sample
        {0x0000FF, 0x8C8CFF}, // saturation 255: 45 % of the sample
        {0xB4BEC8, 0xACB5BD}, // pale, saturation 26: 15 % grey into the sample
    };
    for (const TCase& c : cases) {
        auto data = Loaded(ToolbarSkin(c.Sample));
        EXPECT_EQ(data->FrameSample(), c.Sample);
        TDataSkinObject& toolbar = *data->Toolbar();
        EXPECT_EQ(toolbar.Frame, 1);
        ASSERT_EQ(toolbar.Image.Width(), 10);
        ASSERT_EQ(toolbar.Image.Height(), 40);
        for (int x = 0; x < 10; ++x) {
            EXPECT_EQ(toolbar.Image.PixelColor(x, 0), 0xF9FAFB) << "85 % white over the button face";
            ExpectNear(toolbar.Image.PixelColor(x, 39), c.Bottom);
        }
    }
}

TEST(DerivedImages, FrameSampleWithoutTopIsTheButtonFace) {
    auto data = Loaded(TTestSkin("[Colours]\nButtonFace=10 20 30\n"));
    EXPECT_EQ(data->FrameSample(), 0x1E140A);
    auto bare = Loaded(TTestSkin(""));
    EXPECT_EQ(bare->FrameSample(), clBtnFace);
    EXPECT_FALSE(bare->Toolbar()->Image.Empty()) << "the system face colour is resolved for the gradient";
}

} // namespace
} // namespace orvo::test
