// Images the skin does not hold itself but that the drawing code needs: the combo box picture,
// its arrow button, the tool-bar background and the frame's sample colour. Their sizes are
// designed at 96 DPI and scaled by the one rule when they are made for another DPI.
#include "skin/data/skin_bitmaps.h"
#include "skin/data/skin_load_steps.h"
#include "skin/data/user32_optional.h"

#include "core/scale/dpi_scale.h"

#include "skin/draw/skin_draw.h"
#include "skin/draw/win_convert.h"

#include <algorithm>

namespace orvo {

namespace {

constexpr int ComboWidth = 50;
constexpr int ComboHeight = 21;
constexpr int ArrowSide = 17;

TMargins MarginsOf(const TDataSkinObject& e) {
    return {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight};
}

void FillRect(HDC dc, const RECT& r, TColor colour) {
    TBrushHandle brush(CreateSolidBrush(ColorToColorRef(colour)));
    ::FillRect(dc, &r, brush.Get());
}

// The sizes of one frame of the composite at a DPI.
struct TComboGeometry {
    int Width, Height, Button;
    RECT Edit; // the transparent edit area
};

TComboGeometry ComboGeometry(int buttonWidth, int dpi) {
    const auto s = [dpi](int v) { return ScaleLength(v, dpi); };
    const int w = s(ComboWidth), h = s(ComboHeight), b = s(buttonWidth);
    return {w, h, b, RECT{s(2), s(2), w - s(1) - b, h - s(3)}};
}

// One frame of the composite: the sunken edit frame, the button over its right end, the button's
// glyph, and a transparent edit area.
void PaintComboFrame(HDC dc, const TSkinDefinitions& skin, int k, int frames, const TComboGeometry& g) {
    TDataSkinObject& sunk = *skin.Element(TSkinElement::SunkEdge);
    TDataSkinObject& combo = *skin.Element(TSkinElement::ComboButton);
    const RECT whole{0, 0, g.Width, g.Height};
    const RECT button{g.Width - g.Button, 0, g.Width, g.Height};
    FillRect(dc, whole, SkinKeyColour);
    if (!sunk.Image.Empty())
        DrawSliced(dc, whole, sunk.Image, frames, k, false, MarginsOf(sunk), sunk.Tile == 1, sunk.Trans != 0);
    if (!combo.Image.Empty())
        DrawSliced(dc, button, combo.Image, combo.Frame, k, false, MarginsOf(combo), combo.Tile == 1, true);
    if (TDataSkinObject* glyph = skin.Element(TSkinElement::ExtraImages); glyph && !glyph->Image.Empty())
        DrawCentredFrame(dc, button, glyph->Image, true, glyph->Frame, k);
    FillRect(dc, g.Edit, SkinKeyColour);
}

} // namespace

int ComboButtonWidth() {
    // The platform's arrow at 96 DPI, whatever the system's DPI: the skin is designed at 96.
    return SystemMetricForDpi(SM_CXHSCROLL, DesignDpi) + 2;
}

void BuildComboComposite(TSkinDefinitions& skin, int buttonWidth, int dpi) {
    TDataSkinObject* sunk = skin.Element(TSkinElement::SunkEdge);
    TDataSkinObject* combo = skin.Element(TSkinElement::ComboButton);
    if (!sunk || !combo) return;
    const int frames = std::max(sunk->Frame, 1);
    const TComboGeometry g = ComboGeometry(buttonWidth, dpi);
    TBitmap work, result;
    MakeFilledBitmap(work, g.Width, g.Height, SkinKeyColour);
    MakeFilledBitmap(result, g.Width * frames, g.Height, SkinKeyColour);
    HDC workDc = work.Canvas().Handle();
    SetStretchBltMode(workDc, COLORONCOLOR);
    for (int k = 1; k <= frames; ++k) {
        PaintComboFrame(workDc, skin, k, frames, g);
        BitBlt(result.Canvas().Handle(), (k - 1) * g.Width, 0, g.Width, g.Height, workDc, 0, 0, SRCCOPY);
    }
    combo->Style = 2;
    combo->TopHeight = sunk->TopHeight;
    combo->BottomHeight = sunk->BottomHeight;
    combo->LeftWidth = ScaleLength(2, dpi);
    combo->RightWidth = ScaleLength(buttonWidth + 2, dpi);
    combo->Image.Assign(result);
    // The same picture mirrored, for edit boxes whose button sits at the left.
    FlipHorizontal(result);
    sunk->Image.Assign(result);
    sunk->LeftWidth = combo->RightWidth;
    sunk->RightWidth = combo->LeftWidth;
}

void BuildComboxArrow(TSkinDefinitions& skin, int dpi) {
    auto& slot = skin.Slot(TSkinElement::ComboxArrow);
    if (!slot) slot = std::make_unique<TDataSkinObject>(L"ComboxArrow");
    TDataSkinObject& arrow = *slot;
    arrow.Image.Clear();
    arrow.Frame = 1;
    TDataSkinObject* sunk = skin.Element(TSkinElement::SunkEdge);
    TDataSkinObject* combo = skin.Element(TSkinElement::ComboButton);
    if (!combo) return;
    if (!sunk) {
        arrow.Image.Assign(combo->Image);
        // The key colour is replaced by the face colour itself, not by a system colour's index.
        ReplaceKeyColour(arrow.Image, ColorToRGB(skin.Colours[scButtonFace]));
        arrow.Frame = combo->Frame;
        return;
    }
    if (combo->Style != 2) return;
    const int frames = std::max(sunk->Frame, 1);
    const int w = combo->Image.Width() / frames;
    const int side = ScaleLength(ArrowSide, dpi), fromRight = ScaleLength(19, dpi), top = ScaleLength(2, dpi);
    MakeFilledBitmap(arrow.Image, side * frames, side, clBlack);
    HDC dc = arrow.Image.Canvas().Handle();
    for (int i = 0; i < frames; ++i)
        BlitBlock(combo->Image, w * (i + 1) - fromRight, top, side, side, dc, side * i, 0);
    arrow.Frame = frames;
}

TColor FrameSampleOf(const TSkinDefinitions& skin) {
    const TDataSkinBorder& top = skin.Top;
    if (top.Image.Empty()) return skin.Colours[scButtonFace];
    const int frameHeight = top.Image.Height() / std::max(top.Frame, 1);
    return top.Image.PixelColor(top.Image.Width() / 3, frameHeight / 3);
}

void ToolbarColours(const TSkinDefinitions& skin, TColor& top, TColor& bottom) {
    const TColor sample = skin.FrameSample;
    bottom = MixColours(clGray, sample, 150);
    top = MixColours(skin.Colours[scButtonFace], clWhite, 150);
    const int saturation = ColourSaturation(ColorToRGB(sample));
    if (saturation > 110) bottom = MixColours(sample, clWhite, (5625 - 25 * saturation) / 140 + 50);
}

void BuildToolbar(TSkinDefinitions& skin, int dpi) {
    auto& slot = skin.Slot(TSkinElement::Toolbar);
    if (!slot) slot = std::make_unique<TDataSkinObject>(L"Toolbar");
    TDataSkinObject& toolbar = *slot;
    TColor top = 0, bottom = 0;
    ToolbarColours(skin, top, bottom);
    const int width = ScaleLength(10, dpi), height = ScaleLength(40, dpi);
    MakeFilledBitmap(toolbar.Image, width, height, top);
    GradientFill(toolbar.Image.Canvas().Handle(), RECT{0, 0, width, height}, top, true, bottom);
    toolbar.Frame = 1;
}

} // namespace orvo
