#include "framework/graphics/gif_image.h"
#include "framework/graphics/picture.h"
#include "framework/base/streams.h"
#include "tests/framework/support/gdi_count.h"
#include "tests/framework/graphics/gif_test_data.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

constexpr TColor Palette[] = {clBlack, clRed, clLime, clBlue};

std::vector<std::uint8_t> CheckerGif(bool transparent) {
    // A 4 x 3 frame at (1, 1) on a 6 x 5 screen; pixel (x, y) has index (x + y) % 4.
    return test::MakeGif({6, 5, 1, 1, 4, 3, transparent, [](int x, int y) { return (x + y) % 4; }});
}

TEST(GifImage, DecodesTheFrameOntoItsScreenWithTransparency) {
    TGIFImage gif;
    gif.LoadFromBytes(CheckerGif(true));
    ASSERT_EQ(gif.Width(), 6);
    ASSERT_EQ(gif.Height(), 5);
    EXPECT_TRUE(gif.Transparent());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inFrame = x >= 1 && y >= 1 && x < 5 && y < 4;
            const int index = inFrame ? (x - 1 + y - 1) % 4 : 0;
            const bool clear = !inFrame || index == 0;
            ASSERT_EQ(gif.Mask().PixelColor(x, y), clear ? clWhite : clBlack) << x << "," << y;
            if (!clear) {
                ASSERT_EQ(gif.Bitmap().PixelColor(x, y), Palette[index]) << x << "," << y;
            }
        }
    EXPECT_EQ(gif.SaveToBytes(), CheckerGif(true)); // saved as loaded

    TGIFImage opaque;
    opaque.LoadFromBytes(test::MakeGif({4, 3, 0, 0, 4, 3, false, [](int x, int y) { return (x + y) % 4; }}));
    EXPECT_FALSE(opaque.Transparent());
    EXPECT_EQ(opaque.Bitmap().PixelColor(0, 0), clBlack);
}

TEST(GifImage, DrawsUnscaledOrStretchedLeavingTransparentPixels) {
    TGIFImage gif;
    gif.LoadFromBytes(CheckerGif(true));
    for (int scale : {1, 2}) {
        TBitmap dest(16, 14, pf24bit);
        dest.Canvas().Brush().SetColor(clYellow);
        dest.Canvas().FillRect(RECT{0, 0, 16, 14});
        dest.Canvas().StretchDraw(RECT{2, 3, 2 + 6 * scale, 3 + 5 * scale}, gif);
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 16; ++x) {
                const int gx = (x - 2) / scale, gy = (y - 3) / scale;
                const bool inside = x >= 2 && y >= 3 && gx < 6 && gy < 5;
                const bool clear = !inside || gif.Mask().PixelColor(gx, gy) == clWhite;
                ASSERT_EQ(dest.PixelColor(x, y), clear ? clYellow : gif.Bitmap().PixelColor(gx, gy))
                    << x << "," << y;
            }
    }
}

TEST(GifImage, RejectsWhatIsNotAGif) {
    TGIFImage gif;
    auto bytes = CheckerGif(false);
    EXPECT_THROW(gif.LoadFromBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 5)),
                 EInvalidGraphic);
    auto wrong = bytes;
    wrong[0] = 'J';
    EXPECT_THROW(gif.LoadFromBytes(wrong), EInvalidGraphic);
    auto cut = std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 30); // no image data
    EXPECT_THROW(gif.LoadFromBytes(cut), EInvalidGraphic);
    EXPECT_TRUE(gif.Empty());
}

TEST(Picture, RecognisesTheFormatAndKeepsTheOldGraphicOnFailure) {
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    picture.LoadFromBytes(CheckerGif(true));
    ASSERT_NE(dynamic_cast<TGIFImage*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 6);
    EXPECT_GE(changes, 1);
    TBitmap bmp(3, 2, pf8bit);
    picture.LoadFromBytes(bmp.SaveToBytes());
    ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_THROW(picture.LoadFromBytes(std::vector<std::uint8_t>{'P', 'K', 3, 4}), EInvalidGraphic);
    EXPECT_EQ(picture.Width(), 3);
    // Bitmap() turns any other content into an empty bitmap.
    picture.LoadFromBytes(CheckerGif(false));
    EXPECT_TRUE(picture.Bitmap().Empty());
}

TEST(Picture, DataRoundTripsThroughAStream) {
    TPicture source;
    source.LoadFromBytes(CheckerGif(true));
    TMemoryStream stream;
    source.WriteData(stream);
    const std::uint8_t* raw = stream.Memory();
    EXPECT_EQ(raw[0], 9); // "TGIFImage"
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(raw + 1), 9), "TGIFImage");
    stream.SetPosition(0);
    TPicture copy;
    copy.ReadData(stream);
    auto* gif = dynamic_cast<TGIFImage*>(copy.Graphic());
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(gif->SaveToBytes(), CheckerGif(true));
    // An unknown class or a cut name fails.
    TMemoryStream bad;
    const char unknown[] = "\x04TPNGxxxx";
    bad.WriteBuffer(unknown, sizeof unknown - 1);
    bad.SetPosition(0);
    EXPECT_THROW(copy.ReadData(bad), EInvalidGraphic);
    TMemoryStream cut;
    cut.WriteBuffer("\x09TGIF", 5);
    cut.SetPosition(0);
    EXPECT_THROW(copy.ReadData(cut), EReadError);
    EXPECT_NE(copy.Graphic(), nullptr);
}

TEST(Picture, NoGdiHandlesLeak) {
    const auto gif = CheckerGif(true);
    TBitmap dest(20, 20, pf24bit);
    EXPECT_EQ(test::GdiObjectsLeakedBy(300,
                                       [&] {
                                           TPicture picture;
                                           picture.LoadFromBytes(gif);
                                           dest.Canvas().Draw(0, 0, *picture.Graphic());
                                           dest.Canvas().StretchDraw(RECT{0, 0, 17, 13}, *picture.Graphic());
                                       }),
              0);
}

} // namespace
} // namespace orvo
