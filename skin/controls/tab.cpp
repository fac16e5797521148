// Tab controls, page controls, tab sets and tab sheets.
#include "skin/controls/tab.h"

#include "framework/base/properties.h"
#include "framework/controls/tab_set.h"
#include "framework/controls/win_control.h"
#include "framework/graphics/font.h"
#include "framework/graphics/gdi_handle.h"
#include "skin/controls/button_skin.h"
#include "skin/controls/edit_combo_spin.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/draw/draw_helpers.h"
#include "skin/draw/skin_draw.h"
#include "skin/draw/win_convert.h"
#include "skin/form/window_colours.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TSkinTab);
ORVO_IMPLEMENT_CLASS(TSkinTabBtn);
ORVO_IMPLEMENT_CLASS(TSkinTab31);
ORVO_IMPLEMENT_CLASS(TSkinTabSheet);

namespace {

using draw_detail::HeightOf;
using draw_detail::WidthOf;

constexpr int TabFrames = 5;
constexpr int TabTextLength = 80;

COLORREF Rgb(TColor colour) {
    return static_cast<COLORREF>(ColorToRGB(colour));
}

// Font, text colour and background mode of a DC for a scope.
class TTextScope {
public:
    TTextScope(HDC dc, HFONT font) : FDc(dc), FOldFont(font ? SelectObject(dc, font) : nullptr) {
        FOldColour = GetTextColor(dc);
        FOldMode = SetBkMode(dc, TRANSPARENT);
    }
    TTextScope(const TTextScope&) = delete;
    TTextScope& operator=(const TTextScope&) = delete;
    ~TTextScope() {
        SetBkMode(FDc, FOldMode);
        SetTextColor(FDc, FOldColour);
        if (FOldFont) SelectObject(FDc, FOldFont);
    }

private:
    HDC FDc;
    HGDIOBJ FOldFont;
    COLORREF FOldColour = 0;
    int FOldMode = 0;
};

struct TTabItem {
    std::wstring Text;
    int Image = -1;
};

// A tab's text and image, by the wide or the ANSI message as the window is Unicode or not.
TTabItem ReadTab(HWND window, int index, bool unicode) {
    TTabItem tab;
    if (unicode) {
        wchar_t buffer[TabTextLength + 1]{};
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = buffer;
        item.cchTextMax = TabTextLength;
        item.iImage = -1;
        if (!SendMessageW(window, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
            return tab;
        // Only our own buffer is read: the control may answer with a pointer of its own.
        if (item.pszText == buffer) tab.Text.assign(buffer, wcsnlen(buffer, TabTextLength));
        tab.Image = item.iImage;
        return tab;
    }
    char buffer[TabTextLength + 1]{};
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = buffer;
    item.cchTextMax = TabTextLength;
    item.iImage = -1;
    if (!SendMessageA(window, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return tab;
    if (item.pszText == buffer) {
        const int bytes = static_cast<int>(strnlen(buffer, TabTextLength));
        const int chars = MultiByteToWideChar(CP_ACP, 0, buffer, bytes, nullptr, 0);
        tab.Text.resize(static_cast<std::size_t>(std::max(chars, 0)));
        if (chars > 0) MultiByteToWideChar(CP_ACP, 0, buffer, bytes, tab.Text.data(), chars);
    }
    tab.Image = item.iImage;
    return tab;
}

int FocusedTab(HWND window) {
    const auto focus = static_cast<int>(SendMessageW(window, TCM_GETCURFOCUS, 0, 0));
    return focus >= 0 ? focus : static_cast<int>(SendMessageW(window, TCM_GETCURSEL, 0, 0));
}

RECT DisplayRect(HWND window, const RECT& r) {
    RECT display = r;
    SendMessageW(window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    return display;
}

} // namespace

// ---- plain geometry --------------------------------------------------------------------------

TTabOrientation TabOrientationOf(DWORD style) noexcept {
    const bool bottom = style & TCS_BOTTOM;
    const bool vertical = style & TCS_VERTICAL;
    if (vertical) return bottom ? toRight : toLeft;
    return bottom ? toBottom : toTop;
}

RECT TabPageRect(const RECT& display, TTabOrientation orientation) noexcept {
    RECT p{display.left - 4, display.top - 4, display.right + 4, display.bottom + 4};
    switch (orientation) {
    case toTop:
        ++p.top;
        break;
    case toBottom:
        --p.bottom;
        break;
    case toLeft:
        ++p.left;
        break;
    case toRight:
        --p.right;
        break;
    }
    return p;
}

RECT TabStripRect(const RECT& r, const RECT& p, TTabOrientation orientation) noexcept {
    switch (orientation) {
    case toBottom:
        return RECT{r.left, p.bottom, r.right, r.bottom};
    case toLeft:
        return RECT{r.left, r.top, p.left, r.bottom};
    case toRight:
        return RECT{p.right, r.top, r.right, r.bottom};
    case toTop:
    default:
        return RECT{r.left, r.top, r.right, p.top};
    }
}

RECT TabInStrip(const RECT& t, TTabOrientation orientation, const RECT& p, const RECT& r,
                int length) noexcept {
    switch (orientation) {
    case toBottom:
        return RECT{t.left, t.top - (p.bottom + 1), t.right, t.bottom - (p.bottom + 1)};
    case toLeft:
        return RECT{length - t.bottom, t.left, length - t.top, t.right};
    case toRight:
        return RECT{t.top - 1, r.right - t.right, t.bottom - 1, r.right - t.left};
    case toTop:
    default:
        return RECT{t.left, t.top + 1, t.right, t.bottom + 1};
    }
}

TCaptionPlace CaptionPlace(const RECT& t, SIZE icon, bool iconUsable, SIZE text, UINT alignment) noexcept {
    TCaptionPlace place;
    const int width = WidthOf(t);
    place.UseIcon = iconUsable && icon.cx < width;
    const int iconWidth = place.UseIcon ? icon.cx : 0;
    int x = 0;
    if (alignment & DT_RIGHT)
        x = width - iconWidth - text.cx - 2;
    else if (alignment & DT_CENTER)
        x = (width - iconWidth - text.cx) / 2;
    else
        x = 3;
    x = std::max(x, 1);
    // Centred by its height: a tall narrow icon sits in the middle, not near the top.
    if (place.UseIcon) place.Icon = POINT{t.left + x, t.top + (HeightOf(t) - icon.cy) / 2};
    const int tx = t.left + x + iconWidth;
    const int ty = t.top + (HeightOf(t) - text.cy) / 2;
    place.Text = RECT{tx, ty, tx + text.cx, ty + text.cy};
    return place;
}

void DrawTabCaption(HDC dc, const RECT& t, const std::wstring& text, int imageIndex, HIMAGELIST images,
                    bool disabled, UINT extraFlags) {
    SIZE icon{0, 0};
    int cx = 0, cy = 0;
    const bool usable = images && imageIndex != -1 && ImageList_GetIconSize(images, &cx, &cy);
    if (usable) icon = SIZE{cx, cy};
    const UINT flags = DT_EXPANDTABS | DT_WORDBREAK | DT_END_ELLIPSIS | extraFlags;
    SIZE measured{0, 0};
    if (!text.empty()) {
        RECT box{0, 0, WidthOf(t) + (usable && icon.cx < WidthOf(t) ? icon.cx + 2 : 0), HeightOf(t)};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, flags | DT_CALCRECT | DT_NOCLIP);
        measured = SIZE{WidthOf(box), HeightOf(box)};
    }
    const TCaptionPlace place = CaptionPlace(t, icon, usable, measured, DT_CENTER);
    if (place.UseIcon) ImageList_Draw(images, imageIndex, dc, place.Icon.x, place.Icon.y, ILD_TRANSPARENT);
    if (text.empty()) return;
    RECT box = place.Text;
    box.left = std::max(box.left, t.left);
    box.right = std::min(box.right, t.right);
    if (disabled) SetTextColor(dc, Rgb(clBtnShadow));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, flags);
}

namespace {

// The strip's scroll arrows (an up-down child of the strip's window) skinned as a horizontal
// up-down, owned by the strip's skin; a new arrows window (the platform makes it when the tabs
// first overflow, or again with the strip's window) gets a new skin.
void SkinTabArrows(TSkinControl& strip, HWND arrows, TSkinUpDown*& skin) {
    if (!arrows || (skin && skin->Handle == arrows && skin->Attached)) return;
    delete skin;
    skin = nullptr;
    if (!strip.SkinData || !strip.SkinData->SkinControls().Contains(xcSpin)) return;
    if (SendMessageW(arrows, SKM_ISSKINNED, 0, 0) == 1) return;
    auto* made = new TSkinUpDown(&strip);
    made->Horizontal = 1;
    made->AttachWindow(arrows, strip.SkinData, strip.Form, strip.FormCanvas);
    if (!made->Attached) {
        delete made;
        return;
    }
    skin = made;
    InvalidateRect(arrows, nullptr, TRUE);
}

} // namespace

// ---- TSkinTab --------------------------------------------------------------------------------

TSkinTab::~TSkinTab() = default;

void TSkinTab::Unskin() {
    if (!Active) return;
    TSkinControl::Unskin();
    if (ArrowSkin && State != TSkinControlState::Destroyed) ArrowSkin->Unskin();
}

void TSkinTab::AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor, TCanvas* formCanvas) {
    if (Attached) return;
    TSkinControl::AttachControl(form, skinData, manageColor, formCanvas);
    if (!Attached) return;
    PrepareImages();
    FindUpDown();
    Active = true;
    UnicodeTabs = Handle && IsWindowUnicode(Handle);
}

void TSkinTab::AttachWindow(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* formCanvas) {
    if (Attached) return;
    TSkinControl::AttachWindow(window, skinData, form, formCanvas);
    if (!Attached) return;
    PrepareImages();
    FindUpDown();
    Active = true;
    UnicodeTabs = IsWindowUnicode(window) != FALSE;
}

void TSkinTab::SkinChanged() {
    TSkinControl::SkinChanged();
    PrepareImages();
    Repaint();
}

void TSkinTab::PrepareImages() {
    TabImage.Clear();
    PaneImage.Clear();
    if (!SkinData || !Handle) return;
    Orientation = TabOrientationOf(Style());
    TDataSkinBorder* tabs = Skin().Tabs();
    if (!tabs) return;
    if (!tabs->Image.Empty()) TabImage.Assign(tabs->Image);
    if (tabs->Style == 0) {
        if (!tabs->Image2.Empty()) PaneImage.Assign(tabs->Image2);
    } else if (tabs->Style == 1) {
        if (TDataSkinObject* pane = Skin().TabPane(); HasImage(pane))
            PaneImage.Assign(pane->Image);
    }
    for (TBitmap* image : {&TabImage, &PaneImage})
        if (!image->Empty()) image->SetPixelFormat(pf24bit);
    switch (Orientation) {
    case toBottom:
        if (!TabImage.Empty()) FlipVertical(TabImage);
        if (!PaneImage.Empty()) FlipVertical(PaneImage);
        break;
    case toLeft:
        if (!PaneImage.Empty()) RotateLeft(PaneImage);
        break;
    case toRight:
        if (!PaneImage.Empty()) RotateRight(PaneImage);
        break;
    case toTop:
        break;
    }
}

bool TSkinTab::FindUpDown() {
    UpDown = nullptr;
    if (!Handle) return false;
    for (HWND child = GetWindow(Handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (LowerText(WindowClassName(child)) == L"msctls_updown32") {
            UpDown = child;
            break;
        }
    }
    SkinTabArrows(*this, UpDown, ArrowSkin);
    return UpDown && IsWindowVisible(UpDown);
}

bool TSkinTab::BeforeMessage(TMessage& m) {
    if (m.Msg == WM_PAINT && SkinData && !SkinData->NoSkin()) {
        FullPaint(m);
        return false;
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinTab::DrawSkin(HDC dc, const RECT& r) {
    if (!SkinData || WidthOf(r) <= 0 || HeightOf(r) <= 0) return;
    const RECT page = TabPageRect(DisplayRect(Handle, r), Orientation);
    const auto count = static_cast<int>(SendMessageW(Handle, TCM_GETITEMCOUNT, 0, 0));
    TabRects.assign(static_cast<std::size_t>(std::clamp(count, 0, 4096)), RECT{});
    if (!TabImage.Empty()) DrawStrip(dc, r, page);
    if (!PaneImage.Empty()) DrawPane(dc, page);
    // The page frame covers the display area: windowless controls placed on a tab control (not
    // only on a page control's sheets) are painted again on top.
    if (auto* windowed = dynamic_cast<TWinControl*>(Control)) windowed->PaintControls(dc, nullptr);
}

void TSkinTab::DrawStrip(HDC dc, const RECT& r, const RECT& page) {
    const RECT s = TabStripRect(r, page, Orientation);
    const bool across = Orientation == toTop || Orientation == toBottom;
    const int length = across ? WidthOf(s) : HeightOf(s);
    const int thickness = across ? HeightOf(s) : WidthOf(s);
    if (length <= 0 || thickness <= 0) return;
    StripBitmap.SetPixelFormat(pf24bit);
    StripBitmap.SetSize(length, thickness);
    TDataSkinBorder* tabs = Skin().Tabs();
    {
        HDC strip = StripBitmap.Canvas().Handle();
        FillParentColor(strip, RECT{0, 0, length, thickness});
        TTextScope text(strip, WindowFont());
        const int focus = FocusedTab(Handle);
        auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle, TCM_GETIMAGELIST, 0, 0));
        for (std::size_t i = 0; i < TabRects.size(); ++i) {
            const int index = static_cast<int>(i);
            RECT tab{};
            if (!SendMessageW(Handle, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&tab))) continue;
            TabRects[i] = tab;
            const TTabItem item = ReadTab(Handle, index, UnicodeTabs);
            const RECT t = TabInStrip(tab, Orientation, page, r, length);
            const int frame = index == focus ? 2 : 1;
            DrawSliced(strip, t, TabImage, TabFrames, frame, false, MarginsOf(*tabs), tabs->Tile != 0,
                       tabs->Trans != 0);
            SetTextColor(strip, Rgb(frame == 1 ? tabs->NormalColour2 : tabs->MouseOverColour2));
            DrawTabCaption(strip, t, item.Text, item.Image, images, !Enabled || !IsWindowEnabled(Handle),
                           RightToLeft() ? DT_RTLREADING : 0);
        }
    }
    if (Orientation == toRight) RotateRight(StripBitmap);
    if (Orientation == toLeft) RotateLeft(StripBitmap);
    const int saved = SaveDC(dc);
    if (FindUpDown()) {
        RECT arrows{};
        GetWindowRect(UpDown, &arrows);
        MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&arrows), 2);
        ExcludeClipRect(dc, arrows.left, arrows.top, arrows.right, arrows.bottom);
    }
    BitBlt(dc, s.left, s.top, WidthOf(s), HeightOf(s), StripBitmap.Canvas().Handle(), 0, 0, SRCCOPY);
    RestoreDC(dc, saved);
}

void TSkinTab::DrawPane(HDC dc, const RECT& page) {
    TDataSkinBorder* tabs = Skin().Tabs();
    TDataSkinObject* pane = Skin().TabPane();
    const bool fromPane = tabs && tabs->Style == 1 && pane;
    const TMargins margins = fromPane ? MarginsOf(*pane) : TMargins{4, 5, 4, 4};
    const bool tile = fromPane ? pane->Tile != 0 : (tabs && tabs->Tile != 0);
    DrawSliced(dc, page, PaneImage, 1, 1, false, margins, tile, false);
}

// ---- TSkinTabBtn -----------------------------------------------------------------------------

bool TSkinTabBtn::BeforeMessage(TMessage& m) {
    if (m.Msg == WM_PAINT && SkinData && !Skin().Buttons().Image.Empty()) {
        FullPaint(m);
        return false;
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinTabBtn::DrawSkin(HDC dc, const RECT& r) {
    if (!SkinData) return;
    TDataSkinButton& face = Skin().Buttons();
    if (face.Image.Empty()) return;
    RECT display = DisplayRect(Handle, r);
    InflateRect(&display, 4, 4);
    const RECT strip{r.left, r.top, r.right, std::min(r.bottom, display.top + 1)};
    if (WidthOf(strip) <= 0 || HeightOf(strip) <= 0) return;
    draw_detail::TScratch scratch(WidthOf(strip), HeightOf(strip));
    HDC s = scratch.Dc();
    FillFace(s, RECT{0, 0, WidthOf(strip), HeightOf(strip)});
    {
        TTextScope text(s, WindowFont());
        const int count = std::clamp(static_cast<int>(SendMessageW(Handle, TCM_GETITEMCOUNT, 0, 0)), 0, 4096);
        const int focus = FocusedTab(Handle);
        auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle, TCM_GETIMAGELIST, 0, 0));
        const bool unicode = IsWindowUnicode(Handle) != FALSE;
        for (int i = 0; i < count; ++i) {
            RECT tab{};
            if (!SendMessageW(Handle, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                              reinterpret_cast<LPARAM>(&tab)))
                continue;
            OffsetRect(&tab, 0, 1);
            const int frame = i == focus ? 2 : 1;
            DrawSliced(s, tab, face.Image, ButtonFaceFrames, frame, false, MarginsOf(face), face.Tile != 0,
                       face.Trans != 0);
            TColor colour = clBlack;
            if (frame == 1 && face.HasNormalColour2) colour = face.NormalColour2;
            if (frame == 2 && face.HasPressedColour2) colour = face.PressedColour2;
            SetTextColor(s, Rgb(colour));
            const TTabItem item = ReadTab(Handle, i, unicode);
            DrawTabCaption(s, tab, item.Text, item.Image, images, !IsWindowEnabled(Handle),
                           RightToLeft() ? DT_RTLREADING : 0);
        }
    }
    BitBlt(dc, strip.left, strip.top, WidthOf(strip), HeightOf(strip), s, 0, 0, SRCCOPY);
    // Below the buttons the platform leaves its own face, near white on some systems.
    if (WindowPaletteOf(*SkinData).Dressed && strip.bottom < r.bottom)
        FillFace(dc, RECT{r.left, strip.bottom, r.right, r.bottom});
}

// ---- TSkinTab31 ------------------------------------------------------------------------------

void TSkinTab31::AttachTabSet(TTabSet* tabSet, TSkinData* skinData, TWinSkinForm* form, TCanvas* formCanvas) {
    if (Attached || !tabSet) return;
    HWND window = nullptr;
    try {
        window = tabSet->Handle();
    } catch (...) {
        return;
    }
    AttachWindow(window, skinData, form, formCanvas);
    if (!Attached) return;
    TabSet = tabSet;
    // Colours and font are the tab set's: its properties are read through it.
    RepaintTarget = tabSet;
    PrepareImage();
    SkinTabArrows(*this, tabSet->ScrollerHandle(), ArrowSkin);
}

void TSkinTab31::Unskin() {
    if (!Active) return;
    TSkinControl::Unskin();
    if (ArrowSkin && State != TSkinControlState::Destroyed) ArrowSkin->Unskin();
}

void TSkinTab31::SkinChanged() {
    PrepareImage();
    TSkinControl::SkinChanged();
}

void TSkinTab31::PrepareImage() {
    StripImage.Clear();
    TDataSkinBorder* tabs = SkinData ? Skin().Tabs() : nullptr;
    if (!HasImage(tabs)) return;
    StripImage.Assign(tabs->Image);
    StripImage.SetPixelFormat(pf24bit);
    FlipVertical(StripImage);
}

bool TSkinTab31::BeforeMessage(TMessage& m) {
    if (!SkinData || StripImage.Empty() || !TabSet) return TSkinControl::BeforeMessage(m);
    switch (m.Msg) {
    case WM_PAINT:
        // The tab set's own paint finds nothing left to paint.
        FullPaint(m);
        return true;
    case WM_ERASEBKGND:
        m.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(m);
    }
}

void TSkinTab31::DrawSkin(HDC dc, const RECT& r) {
    if (!SkinData || !TabSet || StripImage.Empty() || WidthOf(r) <= 0 || HeightOf(r) <= 0) return;
    SkinTabArrows(*this, TabSet->ScrollerHandle(), ArrowSkin);
    TDataSkinBorder* tabs = Skin().Tabs();
    draw_detail::TScratch scratch(WidthOf(r), HeightOf(r));
    HDC s = scratch.Dc();
    FillFace(s, r);
    TTextScope text(s, TabSet->Font()->Handle());
    TStrings* names = TabSet->Tabs();
    const int end = WidthOf(r) - TabSet->EndMargin();
    const bool scroller = TabSet->ScrollerVisible();
    const int height = std::min(HeightOf(r), TabSet->TabHeight());
    int x = TabSet->StartMargin();
    for (int i = std::max(TabSet->FirstIndex(), 0); i < names->Count(); ++i) {
        const std::wstring caption = names->Get(i);
        SIZE size{};
        GetTextExtentPoint32W(s, caption.c_str(), static_cast<int>(caption.size()), &size);
        const int width = size.cx + 9;
        if (end - x < (scroller ? size.cx + 21 : width)) continue;
        const RECT tab{x, 0, x + width, height};
        const int frame = i == TabSet->TabIndex() ? 2 : 1;
        DrawSliced(s, tab, StripImage, TabFrames, frame, false, MarginsOf(*tabs), tabs->Tile != 0,
                   tabs->Trans != 0);
        SetTextColor(s, Rgb(frame == 1 ? tabs->NormalColour2 : tabs->MouseOverColour2));
        RECT box = tab;
        DrawTextW(s, caption.c_str(), static_cast<int>(caption.size()), &box,
                  TextFlags(DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX));
        x += width;
    }
    BitBlt(dc, 0, 0, WidthOf(r), HeightOf(r), s, 0, 0, SRCCOPY);
}

// ---- TSkinTabSheet ---------------------------------------------------------------------------

bool TSkinTabSheet::BeforeMessage(TMessage& m) {
    if (Mode != 0 || !SkinData) return TSkinControl::BeforeMessage(m);
    switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINT:
        FullPaint(m);
        return false;
    case WM_ERASEBKGND:
        if (m.WParam) {
            RECT client{};
            GetClientRect(Handle, &client);
            FillRect(reinterpret_cast<HDC>(m.WParam), &client, SkinData->ButtonFaceBrush());
        }
        m.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(m);
    }
}

void TSkinTabSheet::DrawSkin(HDC dc, const RECT& r) {
    if (!SkinData) return;
    FillFace(dc, r);
    if (auto* windowed = dynamic_cast<TWinControl*>(Control)) windowed->PaintControls(dc, nullptr);
}

} // namespace orvo
