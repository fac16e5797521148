// The glyph and caption of bit buttons and speed buttons: a bitmap strip of NumGlyphs equal
// frames (1 up, 2 disabled, 3 pressed, 4 staying down; a missing frame falls back to the first,
// and a one-frame strip is drawn embossed when disabled), transparent in the colour of its
// bottom-left pixel, laid out with the caption by Layout, Margin and Spacing:
//
//   Margin -1 centres glyph and caption together; with Spacing -1 too, the free space is split
//   in three equal parts (before, between, after). A given Margin puts the glyph that far from
//   its edge; Spacing -1 then takes half of what is left between glyph and caption. Without a
//   glyph or a caption there is no spacing. Across the layout both are centred.
//
// Display scale: the strip is drawn for 96 DPI; at the button's Dpi each frame is resampled
// (scaled_bitmap.h), unless the button can draw the strip for that DPI itself (DrawForDpi: a bit
// button's stock glyphs). Margin and Spacing are given at the button's DPI of the moment.
#pragma once

#include "framework/base/type_info.h"
#include "framework/graphics/bitmap.h"
#include "core/scale/scaled_length.h"

#include <functional>
#include <string>
#include <windows.h>

namespace orvo {

enum TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
const TEnumType& ButtonLayoutType();

// Which frame of the strip: the order of the frames.
enum TButtonState : std::uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };

struct TButtonGlyphLayout {
    POINT Glyph{}; // top-left of the glyph
    RECT Text{};   // the caption's box, as measured (empty without a caption)
};

class TButtonGlyph {
public:
    TButtonGlyph();
    TButtonGlyph(const TButtonGlyph&) = delete;
    TButtonGlyph& operator=(const TButtonGlyph&) = delete;

    TBitmap& Glyph() noexcept { return FGlyph; }
    // 1 to 4; other values are clamped.
    int NumGlyphs() const noexcept { return FNumGlyphs; }
    void SetNumGlyphs(int count);
    // One frame's size; 0 x 0 for an empty strip.
    SIZE GlyphSize() const;
    TButtonLayout Layout() const noexcept { return FLayout; }
    void SetLayout(TButtonLayout layout);
    // -1: glyph and caption centred together.
    int Margin() const noexcept { return FMargin.Value < 0 ? -1 : FMargin.At(FDpi); }
    void SetMargin(int margin);
    // -1: what is left, shared.
    int Spacing() const noexcept { return FSpacing.Value < 0 ? -1 : FSpacing.At(FDpi); }
    void SetSpacing(int spacing);
    // The DPI the glyph is drawn at (the button's).
    int Dpi() const noexcept { return FDpi; }
    void SetDpi(int dpi);
    // Draws the whole strip for a DPI into the bitmap (its transparent colour the strip's) and
    // answers true; false or empty: the strip is resampled.
    std::function<bool(TBitmap& strip, int dpi)> DrawForDpi;

    // Where glyph and caption go in `client`, the caption measured in the font selected into
    // `dc` with DrawText's `textFlags` (DT_SINGLELINE and the reading order).
    TButtonGlyphLayout Place(HDC dc, const RECT& client, const std::wstring& caption, UINT textFlags) const;
    // Glyph and caption into `client`, in the font and text colour selected into `dc`; a disabled
    // caption is drawn embossed.
    void Draw(HDC dc, const RECT& client, const std::wstring& caption, TButtonState state,
              UINT textFlags) const;
    // Frame `state` (or its stand-in) with its top-left at `at`.
    void DrawGlyph(HDC dc, POINT at, TButtonState state) const;

    // Any change of the strip or the settings (the button repaints).
    std::function<void()> OnChange;

private:
    void Changed() const {
        if (OnChange) OnChange();
    }
    // The strip as drawn at Dpi: the glyph itself at 96.
    TBitmap& Strip() const;

    mutable TBitmap FGlyph;
    int FNumGlyphs = 1;
    TButtonLayout FLayout = blGlyphLeft;
    TScaledLength FMargin{-1};
    TScaledLength FSpacing{4};
    int FDpi = 96;
    mutable TBitmap FScaled; // Strip() at FScaledDpi
    mutable int FScaledDpi = 0;
};

} // namespace orvo
