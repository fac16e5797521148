#include "core/skinscale/skin_resample.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace orvo {
namespace {

constexpr int TestDpis[] = {120, 144, 168, 192, 240, 288, 72};

// A frame cut into nine cells by margins, each cell one colour that tells the cell and the frame.
std::uint32_t CellColour(int frame, int row, int column) {
    return static_cast<std::uint32_t>(0x102030 + frame * 0x300000 + row * 0x001800 + column * 0x000040);
}

// Which of the three parts of an axis of `extent` a position lies in, cut by margins a and b.
int Part(int position, int extent, int a, int b) {
    return position < a ? 0 : position >= extent - b ? 2 : 1;
}

TImage32 GridStrip(int frames, bool stacked, int fw, int fh, const TGridMargins& m) {
    TImage32 image(stacked ? fw : fw * frames, stacked ? fh * frames : fh);
    for (int f = 0; f < frames; ++f)
        for (int y = 0; y < fh; ++y)
            for (int x = 0; x < fw; ++x)
                image.At(stacked ? x : f * fw + x, stacked ? f * fh + y : y) =
                    CellColour(f, Part(y, fh, m.Top, m.Bottom), Part(x, fw, m.Left, m.Right));
    return image;
}

std::string Hex(std::uint32_t p) {
    char text[12];
    std::snprintf(text, sizeof text, "%06X", p);
    return text;
}

TEST(SkinResample, SizesFollowTheRuleTheChecksUse) {
    const TImage32 strip = GridStrip(5, false, 18, 21, {8, 9, 8, 9});
    const TImage32 border = GridStrip(2, true, 292, 29, {32, 0, 39, 0});
    for (const int dpi : TestDpis) {
        SCOPED_TRACE(dpi);
        const TImage32 a = ScaleSkinImage(strip, 96, {5, false}, 18, 21, {8, 9, 8, 9}, dpi);
        const TScaledImageSize sa = ScaledImageSize(90, 21, {5, false}, dpi);
        EXPECT_EQ(a.Width, sa.Width);
        EXPECT_EQ(a.Height, sa.Height);
        const TImage32 b = ScaleSkinImage(border, 96, {2, true}, 292, 29, {32, 0, 39, 0}, dpi);
        const TScaledImageSize sb = ScaledImageSize(292, 58, {2, true}, dpi);
        EXPECT_EQ(b.Width, sb.Width);
        EXPECT_EQ(b.Height, sb.Height);
    }
}

// Every pixel of the result lies in the cell its scaled margins give it and has that cell's colour
// in that frame: margins are whole pieces, the middle never takes a margin's colour, frames keep
// apart. Solid cells stay exactly solid under both filters.
TEST(SkinResample, CellsAndFramesKeepToThemselves) {
    struct {
        int Frames;
        bool Stacked;
        int Fw, Fh;
        TGridMargins Margins;
    } const shapes[] = {
        {5, false, 18, 21, {8, 9, 8, 9}},  // push buttons
        {2, true, 292, 29, {32, 0, 39, 0}}, // the top border: margins along the frame only
        {3, false, 68, 15, {50, 5, 17, 9}}, // a status bar: margins leaving a 1-pixel middle
        {4, false, 12, 12, {5, 5, 5, 5}},   // no middle at 100 %: the seam fills one where scaling leaves room
        {1, false, 20, 20, {0, 0, 0, 0}},
    };
    for (const auto& s : shapes) {
        const TImage32 source = GridStrip(s.Frames, s.Stacked, s.Fw, s.Fh, s.Margins);
        for (const int dpi : TestDpis) {
            SCOPED_TRACE(testing::Message() << s.Fw << "x" << s.Fh << " at " << dpi);
            const TImage32 out = ScaleSkinImage(source, 96, {s.Frames, s.Stacked}, s.Fw, s.Fh, s.Margins, dpi);
            const int fw = ScaleLength(s.Fw, dpi), fh = ScaleLength(s.Fh, dpi);
            const TGridMargins m = ScaleMargins(s.Margins, dpi);
            const bool across = m.Left + m.Right <= fw, down = m.Top + m.Bottom <= fh;
            ASSERT_TRUE(across && down);
            int wrong = 0;
            for (int y = 0; y < out.Height; ++y)
                for (int x = 0; x < out.Width; ++x) {
                    const int f = s.Stacked ? y / fh : x / fw, lx = s.Stacked ? x : x % fw, ly = s.Stacked ? y % fh : y;
                    int column = Part(lx, fw, m.Left, m.Right), row = Part(ly, fh, m.Top, m.Bottom);
                    // A middle that is empty in the source is filled from the seam: the far margin's first pixel.
                    if (column == 1 && s.Margins.Left + s.Margins.Right == s.Fw) column = 2;
                    if (row == 1 && s.Margins.Top + s.Margins.Bottom == s.Fh) row = 2;
                    if (out.At(x, y) != CellColour(f, row, column) && ++wrong < 5)
                        ADD_FAILURE() << "pixel " << x << "," << y << " is " << Hex(out.At(x, y)) << ", cell "
                                      << row << "," << column << " of frame " << f;
                }
            EXPECT_EQ(wrong, 0);
        }
    }
}

// A rounded button on the key: opaque colours well away from magenta, the key around the corners.
TImage32 ShapedStrip(int frames, int fw, int fh) {
    TImage32 image(fw * frames, fh, SkinKeyPixel);
    for (int f = 0; f < frames; ++f)
        for (int y = 0; y < fh; ++y)
            for (int x = 0; x < fw; ++x) {
                const int dx = std::min(x, fw - 1 - x), dy = std::min(y, fh - 1 - y);
                if (dx + dy < 3) continue; // the corners stay transparent
                const int shade = (x * 7 + y * 13 + f * 40) % 60;
                image.At(f * fw + x, y) = static_cast<std::uint32_t>((shade << 16) | ((100 + shade) << 8) | (140 + shade));
            }
    return image;
}

TEST(SkinResample, TheKeyStaysSharpAndNeverTintsAColour) {
    const TImage32 source = ShapedStrip(3, 21, 21);
    for (const int dpi : TestDpis) {
        SCOPED_TRACE(dpi);
        const TImage32 out = ScaleSkinImage(source, 96, {3, false}, 21, 21, {6, 6, 6, 6}, dpi);
        ASSERT_FALSE(out.Empty());
        int keys = 0;
        for (const std::uint32_t p : out.Pixels) {
            if (p == SkinKeyPixel) {
                ++keys;
                continue;
            }
            // Opaque: red at most 59 in the source; a blend with the key would pull it up towards 255.
            EXPECT_LE((p >> 16) & 0xFF, 80u) << Hex(p);
            EXPECT_GE((p >> 8) & 0xFF, 80u) << Hex(p);
        }
        EXPECT_GT(keys, 0); // the corners are still cut
        // The middle of every frame is covered.
        const int fw = ScaleLength(21, dpi), fh = ScaleLength(21, dpi);
        for (int f = 0; f < 3; ++f)
            EXPECT_NE(out.At(f * fw + fw / 2, fh / 2), SkinKeyPixel);
    }
}

TEST(SkinResample, BlendsThatLandOnTheKeyAreMovedOffIt) {
    // (254, 0, 255) and (255, 0, 254) average to (254.5, 0, 254.5): magenta once rounded.
    TImage32 source(2, 1);
    source.Pixels = {0xFE00FF, 0xFF00FE};
    const TImage32 out = ResampleFrames(source, {1, false}, {}, 1, 1, {});
    ASSERT_EQ(out.Pixels.size(), 1u);
    EXPECT_EQ(out.Pixels[0], 0xFF00FEu);
    // A piece kept at its size is copied as it is, even a colour the region test calls transparent.
    TImage32 near(1, 1, 0xFF01FF);
    EXPECT_EQ(ResampleFrames(near, {1, false}, {}, 1, 1, {}).Pixels[0], 0xFF01FFu);
}

TEST(SkinResample, ShrinkingAveragesTheCoveredArea) {
    TImage32 source(3, 1);
    source.Pixels = {0x000000, 0x5A5A5A, 0xB4B4B4}; // 0, 90, 180
    const TImage32 out = ResampleFrames(source, {1, false}, {}, 2, 1, {});
    // Pixel 0 covers [0, 1.5): (0 + 90 / 2) / 1.5 = 30; pixel 1: (90 / 2 + 180) / 1.5 = 150.
    EXPECT_EQ(out.Pixels[0], 0x1E1E1Eu);
    EXPECT_EQ(out.Pixels[1], 0x969696u);
    // Half covered is covered; less is the key.
    TImage32 half(4, 1);
    half.Pixels = {0x204060, SkinKeyPixel, SkinKeyPixel, SkinKeyPixel};
    const TImage32 halved = ResampleFrames(half, {1, false}, {}, 2, 1, {});
    EXPECT_EQ(halved.Pixels[0], 0x204060u); // the covered colour alone, not a blend with the key
    EXPECT_EQ(halved.Pixels[1], SkinKeyPixel);
}

TEST(SkinResample, EnlargingIsSharpAndKeepsFlatAreasFlat) {
    TImage32 source(4, 1);
    source.Pixels = {0x000000, 0x000000, 0xFFFFFF, 0xFFFFFF};
    const TImage32 out = ResampleFrames(source, {1, false}, {}, 8, 1, {});
    // The step spreads over two pixels (a linear ramp would spread it over four), and the flat
    // ends stay exact.
    EXPECT_EQ(out.Pixels[0], 0u);
    EXPECT_EQ(out.Pixels[1], 0u);
    EXPECT_EQ(out.Pixels[6], 0xFFFFFFu);
    EXPECT_EQ(out.Pixels[7], 0xFFFFFFu);
    int between = 0;
    for (const std::uint32_t p : out.Pixels)
        between += p != 0 && p != 0xFFFFFF;
    EXPECT_LE(between, 4);
    for (int i = 1; i < 8; ++i) EXPECT_GE(out.Pixels[i] & 0xFF, out.Pixels[i - 1] & 0xFF);
    // A bright line between dark ones: the cubic's lobes would ring below 100 and above 200.
    TImage32 line(4, 4, 0x646464);
    for (int y = 0; y < 4; ++y) line.At(1, y) = 0xC8C8C8;
    for (const std::uint32_t p : ResampleFrames(line, {1, false}, {}, 11, 11, {}).Pixels) {
        EXPECT_GE(p & 0xFF, 0x64u);
        EXPECT_LE(p & 0xFF, 0xC8u);
    }
}

TEST(SkinResample, MarginsThatDoNotFitStretchTheWholeFrame) {
    // Left and right margins of 8 in a 10-pixel frame: drawn whole, so resampled whole.
    TImage32 source(10, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 10; ++x)
            source.At(x, y) = x < 5 ? 0x0000FFu : 0x00FF00u;
    const TImage32 out = ScaleSkinImage(source, 96, {1, false}, 10, 4, {8, 0, 8, 0}, 192);
    ASSERT_EQ(out.Width, 20);
    EXPECT_EQ(out.At(0, 0), 0x0000FFu);
    EXPECT_EQ(out.At(8, 3), 0x0000FFu);
    EXPECT_EQ(out.At(11, 0), 0x00FF00u);
    EXPECT_EQ(out.At(19, 3), 0x00FF00u);
}

TEST(SkinResample, SameSizeIsACopyAndTheResultIsRepeatable) {
    const TImage32 source = ShapedStrip(2, 15, 9);
    const TImage32 same = ResampleFrames(source, {2, false}, {3, 3, 3, 3}, 15, 9, {3, 3, 3, 3});
    EXPECT_EQ(same.Pixels, source.Pixels);
    const TImage32 a = ScaleSkinImage(source, 96, {2, false}, 15, 9, {3, 3, 3, 3}, 168);
    const TImage32 b = ScaleSkinImage(source, 96, {2, false}, 15, 9, {3, 3, 3, 3}, 168);
    EXPECT_EQ(a.Pixels, b.Pixels);
    // Down from a per-scale image: a 200 % drawing brought to 150 % has the 150 % size.
    const TImage32 drawn200 = ShapedStrip(2, 30, 18);
    const TImage32 at150 = ScaleSkinImage(drawn200, 192, {2, false}, 15, 9, {3, 3, 3, 3}, 144);
    EXPECT_EQ(at150.Width, 2 * 23);
    EXPECT_EQ(at150.Height, 14);
}

TEST(SkinResample, MalformedOrOversizedGivesNothing) {
    TImage32 broken(4, 4);
    broken.Pixels.pop_back();
    EXPECT_TRUE(ResampleFrames(broken, {1, false}, {}, 8, 8, {}).Empty());
    EXPECT_TRUE(ResampleFrames(TImage32(), {1, false}, {}, 8, 8, {}).Empty());
    const TImage32 small(4, 4, 0x123456);
    EXPECT_TRUE(ResampleFrames(small, {5, false}, {}, 8, 8, {}).Empty()); // frames narrower than a pixel
    EXPECT_TRUE(ResampleFrames(small, {1, false}, {}, 0, 8, {}).Empty());
    EXPECT_TRUE(ResampleFrames(small, {1, false}, {}, 20000, 1, {}).Empty());
    EXPECT_TRUE(ResampleFrames(small, {1, false}, {}, 5000, 5000, {}).Empty());
    // Negative or huge margins are harmless.
    EXPECT_EQ(ResampleFrames(small, {1, false}, {-5, 1 << 30, -1, 3}, 8, 8, {2, -3, 1 << 30, 1}).Width, 8);
}

} // namespace
} // namespace orvo
