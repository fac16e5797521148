// The standard look of owner-drawn menu items: glyph box (image, check mark or radio bullet),
// caption with its mnemonic, shortcut at the far side, separators as etched lines; disabled items
// greyed, the default item bold, right-to-left menus mirrored.
#include "framework/menus/menu_item.h"
#include "framework/menus/menu_glyphs.h"

#include "framework/graphics/canvas.h"
#include "framework/graphics/gdi_handle.h"
#include "framework/graphics/image_list.h"
#include "framework/menus/menus.h"
#include "core/scale/dpi_scale.h"

#include <algorithm>

namespace orvo {

namespace {

// At 96 DPI; scaled to the menu's.
constexpr int GlyphMargin = 1;  // between the item's edge and the glyph box
constexpr int TextGap = 4;      // between the glyph box and the caption
constexpr int ShortCutGap = 16; // between the caption and the shortcut
constexpr int ArrowMargin = 11; // kept free at the far end for the sub-menu arrow
constexpr int MenuBarPadding = 10;
constexpr int SeparatorHeight = 8;
constexpr int MinGlyphSize = 16;

constexpr UINT TextFlags = DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP;

// Selects the canvas's font and colour for DrawTextW, and puts the DC back afterwards.
class TTextScope {
public:
    TTextScope(TCanvas& canvas, TColor color)
        : FDc(canvas.Handle()), FFont(FDc, canvas.Font().Handle()),
          FOldColor(SetTextColor(FDc, ColorToColorRef(color))), FOldMode(SetBkMode(FDc, TRANSPARENT)) {}
    TTextScope(const TTextScope&) = delete;
    TTextScope& operator=(const TTextScope&) = delete;
    ~TTextScope() {
        SetBkMode(FDc, FOldMode);
        SetTextColor(FDc, FOldColor);
    }
    HDC Dc() const { return FDc; }

private:
    HDC FDc;
    TSelectObject FFont;
    COLORREF FOldColor;
    int FOldMode;
};

// Bold for the default item, for the length of one measure or draw call.
class TBoldScope {
public:
    TBoldScope(TCanvas& canvas, bool bold) : FFont(canvas.Font()), FOld(FFont.Style()) {
        if (bold) FFont.SetStyle(FOld + TFontStyles{fsBold});
    }
    TBoldScope(const TBoldScope&) = delete;
    TBoldScope& operator=(const TBoldScope&) = delete;
    ~TBoldScope() { FFont.SetStyle(FOld); }

private:
    TFont& FFont;
    TFontStyles FOld;
};

// A length of the standard look at the DPI of the item's menu.
int Scaled(const TMenuItem& item, int length) {
    const TMenu* menu = item.GetParentMenu();
    return ScaleLength(length, menu ? menu->Dpi() : DesignDpi);
}

SIZE MeasureText(TCanvas& canvas, const std::wstring& text) {
    // An empty caption or a lone "&" still takes the height of a line.
    const std::wstring measured = text.empty() || text == L"&" ? text + L" " : text;
    TTextScope scope(canvas, clMenuText);
    RECT r{0, 0, 0, 0};
    DrawTextW(scope.Dc(), measured.c_str(), static_cast<int>(measured.size()), &r, TextFlags | DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void PaintText(TCanvas& canvas, const std::wstring& text, RECT r, UINT flags, TColor color) {
    TTextScope scope(canvas, color);
    DrawTextW(scope.Dc(), text.c_str(), static_cast<int>(text.size()), &r, TextFlags | flags);
}

bool SameColor(TColor a, TColor b) {
    return ColorToRGB(a) == ColorToRGB(b);
}

} // namespace

// A check mark or radio bullet of the system's menu glyphs, painted in `color` through a mask.
void DrawMenuGlyph(HDC dc, const RECT& box, UINT kind, TColor color) {
    const int w = box.right - box.left;
    const int h = box.bottom - box.top;
    TMemoryDc maskDc = CreateMemoryDc(dc);
    TBitmapHandle mask(CreateBitmap(w, h, 1, 1, nullptr));
    if (!maskDc || !mask) return;
    TSelectObject selected(maskDc.Get(), mask.Get());
    RECT r{0, 0, w, h};
    PatBlt(maskDc.Get(), 0, 0, w, h, WHITENESS);
    DrawFrameControl(maskDc.Get(), &r, DFC_MENU, kind); // black glyph on white
    TBrushHandle brush(CreateSolidBrush(ColorToColorRef(color)));
    TSelectObject brushScope(dc, brush.Get());
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    // PSDPxax: the brush where the mask is black, the destination where it is white.
    BitBlt(dc, box.left, box.top, w, h, maskDc.Get(), 0, 0, 0x00B8074A);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
}

// The sunken, hatched box behind the image of a checked item.
void DrawCheckedBox(HDC dc, RECT box) {
    static constexpr WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    TBitmapHandle bits(CreateBitmap(8, 8, 1, 1, pattern));
    TBrushHandle brush(bits ? CreatePatternBrush(bits.Get()) : nullptr);
    if (brush) {
        const COLORREF oldText = SetTextColor(dc, ColorToColorRef(clBtnFace));
        const COLORREF oldBack = SetBkColor(dc, ColorToColorRef(clBtnHighlight));
        FillRect(dc, &box, brush.Get());
        SetBkColor(dc, oldBack);
        SetTextColor(dc, oldText);
    }
    DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
    DefaultMeasureItem(canvas, width, height);
    if (TMenuMeasureItemEvent handler = OnMeasureItem) handler(this, canvas, width, height);
}

void TMenuItem::AdvancedDrawItem(TCanvas& canvas, const RECT& rect, TOwnerDrawState state) {
    if (TAdvancedMenuDrawItemEvent handler = OnAdvancedDrawItem)
        handler(this, canvas, rect, state);
    else if (TMenuDrawItemEvent plain = OnDrawItem)
        plain(this, canvas, rect, state.Contains(odSelected));
    else
        DefaultDrawItem(canvas, rect, state);
}

void TMenuItem::DrawItem(TCanvas& canvas, const RECT& rect, bool selected) {
    TOwnerDrawState state;
    if (selected) state.Include(odSelected);
    if (!FEnabled) state.Include(odDisabled).Include(odGrayed);
    if (FChecked) state.Include(odChecked);
    if (FDefault) state.Include(odDefault);
    AdvancedDrawItem(canvas, rect, state);
}

void TMenuItem::DefaultMeasureItem(TCanvas& canvas, int& width, int& height) {
    if (IsLine() && !IsMenuBarItem()) {
        width = 0;
        height = Scaled(*this, SeparatorHeight);
        return;
    }
    TBoldScope bold(canvas, FDefault);
    const SIZE caption = MeasureText(canvas, FCaption);
    if (IsMenuBarItem()) {
        width = caption.cx + Scaled(*this, MenuBarPadding);
        height = caption.cy + Scaled(*this, 4);
        return;
    }
    const TImageList* images = ImageList();
    const int minGlyph = Scaled(*this, MinGlyphSize);
    const int glyphWidth = images ? std::max(images->Width(), FChecked ? minGlyph : 0) : minGlyph;
    const int glyphHeight = images ? images->Height() : minGlyph;
    width = Scaled(*this, GlyphMargin) + glyphWidth + Scaled(*this, TextGap) + caption.cx + Scaled(*this, ArrowMargin);
    if (const std::wstring shortCut = ShortCutToText(FShortCut); !shortCut.empty())
        width += Scaled(*this, ShortCutGap) + MeasureText(canvas, shortCut).cx;
    height = std::max<int>(caption.cy + Scaled(*this, 6), glyphHeight + Scaled(*this, 4));
}

void TMenuItem::DefaultDrawItem(TCanvas& canvas, const RECT& rect, TOwnerDrawState state) {
    const bool selected = state.Contains(odSelected) || (IsMenuBarItem() && state.Contains(odHotLight));
    const TColor background = selected ? clHighlight : clMenu;
    TColor text = selected ? clHighlightText : clMenuText;
    if (!FEnabled) text = SameColor(clGrayText, background) ? clBtnShadow : clGrayText;
    canvas.Brush().SetColor(background);
    canvas.FillRect(rect);
    HDC dc = canvas.Handle();

    if (IsLine() && !IsMenuBarItem()) {
        RECT line = rect;
        line.top += (rect.bottom - rect.top) / 2 - 1;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    TBoldScope bold(canvas, FDefault);
    UINT flags = state.Contains(odNoAccel) ? DT_HIDEPREFIX : 0;
    const bool rightToLeft = IsRightToLeft();
    if (rightToLeft) flags |= DT_RTLREADING;
    if (IsMenuBarItem()) {
        PaintText(canvas, FCaption, rect, flags | DT_CENTER | DT_VCENTER, text);
        return;
    }

    TImageList* images = ImageList();
    const int minGlyph = Scaled(*this, MinGlyphSize);
    const int glyphWidth = images ? std::max(images->Width(), FChecked ? minGlyph : 0) : minGlyph;
    const int glyphHeight = images ? images->Height() : minGlyph;
    const int glyphMargin = Scaled(*this, GlyphMargin), textGap = Scaled(*this, TextGap);
    const int arrowMargin = Scaled(*this, ArrowMargin);
    RECT box;
    box.left = rightToLeft ? rect.right - glyphMargin - glyphWidth : rect.left + glyphMargin;
    box.right = box.left + glyphWidth;
    box.top = rect.top + (rect.bottom - rect.top - glyphHeight) / 2;
    box.bottom = box.top + glyphHeight;
    if (HasValidImage()) {
        if (FChecked && !selected) {
            RECT framed = box;
            InflateRect(&framed, 1, 1);
            DrawCheckedBox(dc, framed);
        }
        images->Draw(canvas, box.left + (glyphWidth - images->Width()) / 2, box.top, FImageIndex, FEnabled);
    } else if (FChecked) {
        const int side = std::min(glyphWidth, glyphHeight);
        RECT glyph{box.left + (glyphWidth - side) / 2, box.top + (glyphHeight - side) / 2, 0, 0};
        glyph.right = glyph.left + side;
        glyph.bottom = glyph.top + side;
        DrawMenuGlyph(dc, glyph, FRadioItem ? DFCS_MENUBULLET : DFCS_MENUCHECK, text);
    }

    RECT textRect = rect;
    if (rightToLeft) {
        textRect.left += arrowMargin;
        textRect.right = box.left - textGap;
    } else {
        textRect.left = box.right + textGap;
        textRect.right -= arrowMargin;
    }
    PaintText(canvas, FCaption, textRect, flags | DT_VCENTER | (rightToLeft ? DT_RIGHT : DT_LEFT), text);
    if (const std::wstring shortCut = ShortCutToText(FShortCut); !shortCut.empty())
        PaintText(canvas, shortCut, textRect, DT_VCENTER | DT_NOPREFIX | (rightToLeft ? DT_LEFT : DT_RIGHT),
                  text);
}

} // namespace orvo
