// The glyph and caption of bit buttons and speed buttons: a bitmap strip of NumGlyphs equal
// frames (1 up, 2 disabled, 3 pressed, 4 staying down; a missing frame falls back to the first,
// and a one-frame strip is drawn embossed when disabled), transparent in the colour of its
// bottom-left pixel, laid out with the caption by Layout, Margin and Spacing:
//
//   Margin -1 centres glyph and caption together; with Spacing -1 too, the free space is split
//   in three equal parts (before, between, after). A given Margin puts the glyph that far from
//   its edge; Spacing -1 then takes half of what is left between glyph and caption. Without a
//   glyph or a caption there is no spacing. Across the layout both are centred.
#pragma once

#include "framework/base/type_info.h"
#include "framework/graphics/bitmap.h"

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
    int Margin() const noexcept { return FMargin; }
    void SetMargin(int margin);
    // -1: what is left, shared.
    int Spacing() const noexcept { return FSpacing; }
    void SetSpacing(int spacing);

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

    mutable TBitmap FGlyph;
    int FNumGlyphs = 1;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
};

} // namespace orvo
