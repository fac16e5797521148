#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "tests/framework/support/gdi_count.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orvo {
namespace {

LOGFONTW Describe(HFONT font) {
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    return lf;
}

TEST(Font, HandleFollowsTheDescription) {
    TFont font;
    EXPECT_EQ(font.Name(), L"Tahoma");
    EXPECT_EQ(font.Height(), -11);
    int changes = 0;
    font.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &font);
        ++changes;
    };
    font.SetStyle({fsBold, fsUnderline});
    font.SetName(L"Courier New");
    font.SetHeight(-20);
    font.SetHeight(-20); // no change, no notice
    EXPECT_EQ(changes, 3);
    const LOGFONTW lf = Describe(font.Handle());
    EXPECT_STREQ(lf.lfFaceName, L"Courier New");
    EXPECT_EQ(lf.lfHeight, -20);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_FALSE(lf.lfItalic);
    font.SetSize(9);
    EXPECT_EQ(font.Height(), -12); // points at 96 DPI, whatever the screen's
    EXPECT_EQ(font.Size(), 9);
    font.SetPixelsPerInch(144); // a control's font at 150 %: the same pixels are fewer points
    EXPECT_EQ(font.Height(), -12);
    EXPECT_EQ(font.Size(), 6);
    font.SetSize(9);
    EXPECT_EQ(font.Height(), -18);
    EXPECT_EQ(Describe(font.Handle()).lfHeight, font.Height());

    TFont copy;
    copy.Assign(font);
    EXPECT_TRUE(copy.SameAs(font));
    EXPECT_EQ(copy.PixelsPerInch(), 144);
    TFont fromHandle;
    fromHandle.SetHandle(font.Handle());
    EXPECT_EQ(fromHandle.Name(), L"Courier New");
    EXPECT_EQ(fromHandle.Style(), (TFontStyles{fsBold, fsUnderline}));
    // Face names longer than LOGFONT holds are cut, not overrun.
    font.SetName(std::wstring(80, L'x'));
    EXPECT_EQ(font.Name().size(), 31u);
}

TEST(Canvas, SelectsOnDemandAndPutsTheOriginalsBack) {
    TBitmap bitmap(20, 10);
    TCanvas canvas;
    HDC dc = bitmap.Canvas().Handle();
    const HGDIOBJ originalFont = GetCurrentObject(dc, OBJ_FONT);
    const HGDIOBJ originalBrush = GetCurrentObject(dc, OBJ_BRUSH);
    canvas.SetHandle(dc);
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(RECT{0, 0, 20, 10});
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), canvas.Brush().Handle());
    // Changing a selected brush selects it out before its handle dies, then the new one in.
    canvas.Brush().SetColor(clBlue);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), originalBrush);
    canvas.FillRect(RECT{0, 0, 5, 5});
    canvas.TextOut(0, 0, L"x");
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), canvas.Font().Handle());
    canvas.SetHandle(nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), originalFont);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), originalBrush);
    EXPECT_EQ(bitmap.PixelColor(4, 4), clBlue);
    EXPECT_EQ(bitmap.PixelColor(5, 5), clRed);
}

TEST(Canvas, DrawsShapesTextAndPixels) {
    TBitmap bitmap(40, 30);
    TCanvas& c = bitmap.Canvas();
    c.Brush().SetColor(clWhite);
    c.FillRect(RECT{0, 0, 40, 30});
    c.Brush().SetColor(clLime);
    c.FrameRect(RECT{2, 2, 10, 10});
    EXPECT_EQ(bitmap.PixelColor(2, 2), clLime);
    EXPECT_EQ(bitmap.PixelColor(9, 9), clLime);
    EXPECT_EQ(bitmap.PixelColor(5, 5), clWhite);
    c.Pen().SetColor(clNavy);
    c.Brush().SetColor(clYellow);
    c.Rectangle(RECT{12, 2, 20, 10});
    EXPECT_EQ(bitmap.PixelColor(12, 5), clNavy);
    EXPECT_EQ(bitmap.PixelColor(15, 5), clYellow);
    c.MoveTo(0, 20);
    c.LineTo(10, 20);
    EXPECT_EQ(bitmap.PixelColor(5, 20), clNavy);
    EXPECT_EQ(bitmap.PixelColor(10, 20), clWhite); // the end point is not drawn
    EXPECT_EQ(c.PenPos().x, 10);
    c.SetPixel(30, 25, clTeal);
    EXPECT_EQ(c.Pixel(30, 25), clTeal);
    EXPECT_GT(c.TextWidth(L"Orvo"), c.TextWidth(L"O"));
    EXPECT_GT(c.TextHeight(L"Orvo"), 0);
    c.Brush().SetStyle(bsClear);
    c.Font().SetColor(clRed);
    c.TextRect(RECT{20, 15, 40, 30}, 20, 15, L"WWWW");
    int red = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            if (bitmap.PixelColor(x, y) != clRed) continue;
            ++red;
            EXPECT_TRUE(x >= 20 && y >= 15) << "outside the text rectangle at " << x << "," << y;
        }
    EXPECT_GT(red, 0);
}

TEST(Canvas, FormattedTextMeasuresAndAlignsInTheCanvasFont) {
    TBitmap bitmap(100, 40);
    TCanvas& c = bitmap.Canvas();
    c.Brush().SetColor(clWhite);
    c.FillRect(RECT{0, 0, 100, 40});
    c.Font().SetHeight(-20);
    RECT measured{0, 0, 0, 0};
    c.TextRect(measured, L"MM", DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(measured.right, c.TextWidth(L"MM"));
    EXPECT_EQ(bitmap.PixelColor(0, 0), clWhite); // measuring draws nothing

    c.Brush().SetStyle(bsClear);
    c.Font().SetColor(clBlue);
    RECT r{0, 0, 100, 40};
    c.TextRect(r, L"MM", DT_RIGHT | DT_SINGLELINE);
    int left = 100;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            if (bitmap.PixelColor(x, y) == clBlue) left = std::min(left, x);
    EXPECT_GE(left, 100 - measured.right - 1) << "right-aligned text starts near the right edge";
    EXPECT_LT(left, 100);
}

TEST(GraphicsObjects, NoGdiHandlesLeak) {
    TBitmap bitmap(16, 16);
    EXPECT_EQ(test::GdiObjectsLeakedBy(2000,
                                       [&] {
                                           TCanvas& c = bitmap.Canvas();
                                           c.Font().SetHeight(c.Font().Height() == -11 ? -12 : -11);
                                           c.Brush().SetColor(c.Brush().Color() ^ 0xFF);
                                           c.Pen().SetWidth(c.Pen().Width() == 1 ? 2 : 1);
                                           c.Rectangle(RECT{0, 0, 8, 8});
                                           c.TextOut(0, 0, L"a");
                                           bitmap.Handle(); // lets go of the canvas DC
                                       }),
              0);
    EXPECT_EQ(test::GdiObjectsLeakedBy(2000,
                                       [] {
                                           TFont font;
                                           TBrush brush;
                                           brush.SetStyle(bsCross);
                                           TPen pen;
                                           font.Handle();
                                           brush.Handle();
                                           pen.Handle();
                                           TBitmap pattern(8, 8);
                                           TBrush patterned;
                                           patterned.SetBitmap(&pattern);
                                           patterned.Handle();
                                       }),
              0);
}

} // namespace
} // namespace orvo
