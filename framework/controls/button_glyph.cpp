#include "framework/controls/button_glyph.h"

#include "framework/graphics/scaled_bitmap.h"

#include <algorithm>

namespace orvo {

const TEnumType& ButtonLayoutType() {
    static const TEnumType type(L"TButtonLayout",
                                {L"blGlyphLeft", L"blGlyphRight", L"blGlyphTop", L"blGlyphBottom"});
    return type;
}

namespace {

// Paints the pixels of `frame` that are neither transparent nor light (the glyph's lines and
// dark fills) in the 3-D highlight colour one pixel down-right, then in the shadow colour on top.
void DrawEmbossed(HDC dc, POINT at, const TBitmap& frame, TColor key) {
    const int w = frame.Width(), h = frame.Height();
    TBitmap shape(w, h, pf24bit);
    shape.Canvas().Brush().SetColor(clWhite);
    shape.Canvas().FillRect(RECT{0, 0, w, h});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TColor c = frame.PixelColor(x, y);
            const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
            if (c != key && (r * 30 + g * 59 + b * 11) / 100 < 192) shape.Canvas().SetPixel(x, y, clBlack);
        }
    const auto keep = shape.CreateMask(clWhite);
    TBitmap paint(w, h, pf24bit);
    for (auto [colour, offset] : {std::pair{clBtnHighlight, 1}, std::pair{clBtnShadow, 0}}) {
        paint.Canvas().Brush().SetColor(colour);
        paint.Canvas().FillRect(RECT{0, 0, w, h});
        MaskedBlt(dc, at.x + offset, at.y + offset, w, h, paint.Canvas().Handle(), 0, 0, keep->Handle());
    }
}

} // namespace

TButtonGlyph::TButtonGlyph() {
    FGlyph.SetTransparentMode(tmAuto);
    FGlyph.OnChange = [this](TObject*) {
        FScaledDpi = 0;
        Changed();
    };
}

void TButtonGlyph::SetDpi(int dpi) {
    if (dpi <= 0 || dpi == FDpi) return;
    FDpi = dpi;
    FScaledDpi = 0;
    Changed();
}

TBitmap& TButtonGlyph::Strip() const {
    if (FDpi == DesignDpi || FGlyph.Empty()) return FGlyph;
    if (FScaledDpi == FDpi) return FScaled;
    if (!DrawForDpi || !DrawForDpi(FScaled, FDpi)) {
        // Frame by frame, so that no frame bleeds into its neighbour.
        const int fw = FGlyph.Width() / FNumGlyphs, fh = FGlyph.Height();
        const int sw = ScaleLength(fw, FDpi), sh = ScaleLength(fh, FDpi);
        const TColor key = FGlyph.TransparentColor();
        FScaled.SetPixelFormat(pf24bit);
        FScaled.SetSize(sw * FNumGlyphs, sh);
        TBitmap frame(fw, fh, pf24bit), scaled;
        for (int i = 0; i < FNumGlyphs; ++i) {
            BitBlt(frame.Canvas().Handle(), 0, 0, fw, fh, FGlyph.Canvas().Handle(), i * fw, 0, SRCCOPY);
            ScaleKeyedBitmap(frame, key, sw, sh, scaled);
            BitBlt(FScaled.Canvas().Handle(), i * sw, 0, sw, sh, scaled.Canvas().Handle(), 0, 0, SRCCOPY);
        }
    }
    FScaledDpi = FDpi;
    return FScaled;
}

void TButtonGlyph::SetNumGlyphs(int count) {
    count = std::clamp(count, 1, 4);
    if (count == FNumGlyphs) return;
    FNumGlyphs = count;
    Changed();
}

void TButtonGlyph::SetLayout(TButtonLayout layout) {
    if (layout == FLayout) return;
    FLayout = layout;
    Changed();
}

void TButtonGlyph::SetMargin(int margin) {
    margin = std::max(margin, -1);
    if (margin == Margin()) return;
    FMargin = TScaledLength{margin, margin < 0 ? DesignDpi : FDpi};
    Changed();
}

void TButtonGlyph::SetSpacing(int spacing) {
    spacing = std::max(spacing, -1);
    if (spacing == Spacing()) return;
    FSpacing = TScaledLength{spacing, spacing < 0 ? DesignDpi : FDpi};
    Changed();
}

SIZE TButtonGlyph::GlyphSize() const {
    if (FGlyph.Empty()) return SIZE{0, 0};
    const TBitmap& strip = Strip();
    return SIZE{strip.Width() / FNumGlyphs, strip.Height()};
}

TButtonGlyphLayout TButtonGlyph::Place(HDC dc, const RECT& client, const std::wstring& caption,
                                       UINT textFlags) const {
    const TButtonLayout layout = FLayout;
    int margin = Margin(), spacing = Spacing();
    const SIZE glyph = GlyphSize();
    SIZE text{0, 0};
    if (!caption.empty()) {
        RECT measure{0, 0, client.right - client.left, 0};
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measure,
                  textFlags | DT_CALCRECT | DT_SINGLELINE);
        text = SIZE{measure.right - measure.left, measure.bottom - measure.top};
    }
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    const int size = horizontal ? client.right - client.left : client.bottom - client.top;
    const int cross = horizontal ? client.bottom - client.top : client.right - client.left;
    const int g = horizontal ? glyph.cx : glyph.cy;
    const int t = horizontal ? text.cx : text.cy;
    if (g == 0 || t == 0) spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            margin = spacing = (size - (g + t)) / 3;
        } else {
            margin = (size - (g + spacing + t)) / 2;
        }
    } else if (spacing == -1) {
        spacing = (size - (margin + g + t)) / 2;
    }
    int glyphAt = 0, textAt = 0;
    if (layout == blGlyphLeft || layout == blGlyphTop) {
        glyphAt = margin;
        textAt = margin + g + spacing;
    } else {
        glyphAt = size - margin - g;
        textAt = glyphAt - spacing - t;
    }
    const int glyphCross = (cross - (horizontal ? glyph.cy : glyph.cx) + 1) / 2;
    const int textCross = (cross - (horizontal ? text.cy : text.cx) + 1) / 2;
    TButtonGlyphLayout result;
    if (horizontal) {
        result.Glyph = POINT{client.left + glyphAt, client.top + glyphCross};
        result.Text = RECT{client.left + textAt, client.top + textCross, client.left + textAt + text.cx,
                           client.top + textCross + text.cy};
    } else {
        result.Glyph = POINT{client.left + glyphCross, client.top + glyphAt};
        result.Text = RECT{client.left + textCross, client.top + textAt, client.left + textCross + text.cx,
                           client.top + textAt + text.cy};
    }
    if (caption.empty()) result.Text = RECT{};
    return result;
}

void TButtonGlyph::DrawGlyph(HDC dc, POINT at, TButtonState state) const {
    const SIZE size = GlyphSize();
    if (size.cx <= 0 || size.cy <= 0) return;
    int index = static_cast<int>(state);
    if (index >= FNumGlyphs) index = 0;
    const TColor key = FGlyph.TransparentColor();
    TBitmap frame(size.cx, size.cy, pf24bit);
    BitBlt(frame.Canvas().Handle(), 0, 0, size.cx, size.cy, Strip().Canvas().Handle(), index * size.cx, 0,
           SRCCOPY);
    if (state == bsDisabled && index == 0) {
        DrawEmbossed(dc, at, frame, key);
        return;
    }
    const auto mask = frame.CreateMask(key);
    MaskedBlt(dc, at.x, at.y, size.cx, size.cy, frame.Canvas().Handle(), 0, 0, mask->Handle());
}

void TButtonGlyph::Draw(HDC dc, const RECT& client, const std::wstring& caption, TButtonState state,
                        UINT textFlags) const {
    const TButtonGlyphLayout where = Place(dc, client, caption, textFlags);
    DrawGlyph(dc, where.Glyph, state);
    if (caption.empty()) return;
    const int mode = SetBkMode(dc, TRANSPARENT);
    RECT r = where.Text;
    const UINT flags = textFlags | DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOCLIP;
    if (state == bsDisabled) {
        const COLORREF old = SetTextColor(dc, ColorToColorRef(clBtnHighlight));
        OffsetRect(&r, 1, 1);
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, flags);
        OffsetRect(&r, -1, -1);
        SetTextColor(dc, ColorToColorRef(clBtnShadow));
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, flags);
        SetTextColor(dc, old);
    } else {
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, flags);
    }
    SetBkMode(dc, mode);
}

} // namespace orvo
