// Headers, list views and check lists.
#include "skin/controls/header_list.h"

#include "framework/base/properties.h"
#include "framework/controls/check_list_box.h"
#include "framework/controls/tree_view.h"
#include "framework/graphics/font.h"
#include "framework/graphics/gdi_handle.h"
#include "skin/controls/check_radio.h"
#include "skin/controls/tab.h"
#include "skin/data/skin_data.h"
#include "skin/draw/draw_helpers.h"
#include "skin/draw/skin_draw.h"
#include "skin/form/item_colours.h"
#include "skin/form/window_colours.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TSkinHeader);
ORVO_IMPLEMENT_CLASS(TSkinItemView);
ORVO_IMPLEMENT_CLASS(TSkinTreeView);
ORVO_IMPLEMENT_CLASS(TSkinListView);
ORVO_IMPLEMENT_CLASS(TSkinCheckList);

namespace {

using draw_detail::HeightOf;
using draw_detail::WidthOf;

constexpr int HeaderTextLength = 200;

COLORREF Rgb(TColor colour) {
    return static_cast<COLORREF>(ColorToRGB(colour));
}

} // namespace

// ---- plain rules -----------------------------------------------------------------------------

int CheckListGlyphFrame(int state, int frameCount) noexcept {
    const bool twelve = frameCount == 12;
    int frame = 1;
    if (state == 1) frame = twelve ? 5 : 2;
    if (state == 2) frame = twelve ? 8 : 4;
    return std::clamp(frame, 1, std::max(frameCount, 1));
}

std::wstring HeaderItemText(HWND header, int index, int* format, int* image) {
    wchar_t buffer[HeaderTextLength + 1]{};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = buffer;
    item.cchTextMax = HeaderTextLength;
    item.iImage = -1;
    const bool got =
        SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    if (format) *format = got ? item.fmt : 0;
    if (image) *image = got ? item.iImage : -1;
    // The control may put LPSTR_TEXTCALLBACKW (or a pointer of its own) in place of our buffer.
    if (!got || item.pszText != buffer) return {};
    return std::wstring(buffer, wcsnlen(buffer, HeaderTextLength));
}

// ---- TSkinHeader -----------------------------------------------------------------------------

void TSkinHeader::AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor,
                                TCanvas* formCanvas) {
    TSkinControl::AttachControl(form, skinData, manageColor, formCanvas);
    HotItem = -1;
}

void TSkinHeader::AttachWindow(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* formCanvas) {
    TSkinControl::AttachWindow(window, skinData, form, formCanvas);
    HotItem = -1;
}

bool TSkinHeader::Usable() const {
    if (!SkinData || SkinData->NoSkin()) return false;
    TDataSkinObject* bar = Skin().Headerbar();
    return HasImage(bar);
}

bool TSkinHeader::BeforeMessage(TMessage& m) {
    if (!Usable()) return TSkinControl::BeforeMessage(m);
    switch (m.Msg) {
    case WM_PAINT:
        FullPaint(m);
        return false;
    case WM_ERASEBKGND:
        m.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(m);
    }
}

void TSkinHeader::AfterMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_MOUSEMOVE: {
        const POINT p = PointFromLParam(m.LParam);
        for (std::size_t i = 0; i < ItemRects.size(); ++i) {
            if (!PtInRect(&ItemRects[i], p) || static_cast<int>(i) == HotItem) continue;
            HotItem = static_cast<int>(i);
            Repaint();
            break;
        }
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle, 0};
        TrackMouseEvent(&track);
        break;
    }
    case WM_MOUSELEAVE:
        HotItem = -1;
        Repaint();
        break;
    default:
        TSkinControl::AfterMessage(m);
        break;
    }
}

void TSkinHeader::DrawSkin(HDC dc, const RECT& r) {
    if (!Usable() || WidthOf(r) <= 0 || HeightOf(r) <= 0) return;
    TDataSkinObject& bar = *Skin().Headerbar();
    draw_detail::TScratch scratch(WidthOf(r), HeightOf(r));
    HDC s = scratch.Dc();
    const RECT whole{0, 0, WidthOf(r), HeightOf(r)};
    FillFace(s, whole);
    HGDIOBJ oldFont = SelectObject(s, WindowFont() ? WindowFont() : GetStockObject(DEFAULT_GUI_FONT));
    const int oldMode = SetBkMode(s, TRANSPARENT);
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle, HDM_GETIMAGELIST, 0, 0));
    const int count = std::clamp(static_cast<int>(SendMessageW(Handle, HDM_GETITEMCOUNT, 0, 0)), 0, 4096);
    ItemRects.assign(static_cast<std::size_t>(count), RECT{});
    int right = 0;
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (!SendMessageW(Handle, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)))
            continue;
        DrawItem(s, i, item, images);
        ItemRects[static_cast<std::size_t>(i)] = RECT{item.left + 3, item.top, item.right - 3, item.bottom};
        right = std::max(right, static_cast<int>(item.right));
    }
    if (right < whole.right)
        DrawSliced(s, RECT{right, 0, whole.right, whole.bottom}, bar.Image, std::max(bar.Frame, 1), 1, false,
                   TMargins{bar.LeftWidth, bar.TopHeight, bar.RightWidth, bar.BottomHeight}, bar.Tile != 0,
                   bar.Trans != 0);
    SetBkMode(s, oldMode);
    SelectObject(s, oldFont);
    BitBlt(dc, r.left, r.top, WidthOf(r), HeightOf(r), s, 0, 0, SRCCOPY);
}

void TSkinHeader::DrawItem(HDC dc, int index, const RECT& r, HIMAGELIST images) {
    TDataSkinObject& bar = *Skin().Headerbar();
    int format = 0, image = -1;
    const std::wstring text = HeaderItemText(Handle, index, &format, &image);
    DrawSliced(dc, r, bar.Image, std::max(bar.Frame, 1), index == HotItem ? 2 : 1, false,
               TMargins{bar.LeftWidth, bar.TopHeight, bar.RightWidth, bar.BottomHeight}, bar.Tile != 0,
               bar.Trans != 0);
    const UINT alignment = (format & HDF_RIGHT) ? DT_RIGHT : (format & HDF_CENTER) ? DT_CENTER : DT_LEFT;
    SIZE icon{0, 0};
    int cx = 0, cy = 0;
    const bool usable = images && image != -1 && (format & (HDF_IMAGE | HDF_OWNERDRAW)) &&
                        ImageList_GetIconSize(images, &cx, &cy);
    if (usable) icon = SIZE{cx, cy};
    if (text.empty() && !usable) return;
    const UINT flags = DT_END_ELLIPSIS | DT_EXPANDTABS;
    SIZE measured{0, 0};
    if (!text.empty()) {
        RECT box{0, 0, WidthOf(r) + (usable && cx < WidthOf(r) ? cx + 2 : 0), HeightOf(r)};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, flags | DT_CALCRECT | DT_NOCLIP);
        measured = SIZE{WidthOf(box), HeightOf(box)};
    }
    const TCaptionPlace place = CaptionPlace(r, icon, usable, measured, alignment);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    if (place.UseIcon) ImageList_Draw(images, image, dc, place.Icon.x, place.Icon.y, ILD_TRANSPARENT);
    if (!text.empty()) {
        RECT box = place.Text;
        box.left = std::max(box.left, r.left);
        box.right = std::min(box.right, r.right);
        SetTextColor(dc, Rgb(SkinData->Colour(scWindowText)));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, TextFlags(flags));
    }
    RestoreDC(dc, saved);
}

// ---- TSkinItemView ---------------------------------------------------------------------------

void TSkinItemView::AttachScrollbars(TControl* control, TSkinData* skinData, TWinSkinForm* form,
                                     TCanvas* formCanvas) {
    if (Attached) return;
    TListSkinBase::AttachScrollbars(control, skinData, form, formCanvas);
    if (!Attached || !Handle) return;
    RecolourStateImages();
}

TSkinItemView::~TSkinItemView() {
    RestoreStateImages();
}

bool TSkinItemView::IsTree() const {
    // A framework tree's window class is named after its framework class.
    return dynamic_cast<const TCustomTreeView*>(Owner()) != nullptr ||
           LowerText(WindowClassName(Handle)) == L"systreeview32";
}

HIMAGELIST TSkinItemView::StateImages() const {
    return reinterpret_cast<HIMAGELIST>(IsTree() ? SendMessageW(Handle, TVM_GETIMAGELIST, TVSIL_STATE, 0)
                                                 : SendMessageW(Handle, LVM_GETIMAGELIST, LVSIL_STATE, 0));
}

HIMAGELIST TSkinItemView::SetStateImages(HIMAGELIST images) const {
    const auto list = reinterpret_cast<LPARAM>(images);
    return reinterpret_cast<HIMAGELIST>(IsTree() ? SendMessageW(Handle, TVM_SETIMAGELIST, TVSIL_STATE, list)
                                                 : SendMessageW(Handle, LVM_SETIMAGELIST, LVSIL_STATE, list));
}

void TSkinItemView::RecolourStateImages() {
    if (FSkinStateImages || !SkinData || !Handle || !Active) return;
    const TWindowPalette palette = WindowPaletteOf(*SkinData);
    HIMAGELIST own = StateImages();
    if (!palette.Dressed || !own) return;
    int cx = 0, cy = 0;
    const int count = ImageList_GetImageCount(own);
    if (!ImageList_GetIconSize(own, &cx, &cy) || cx <= 0 || cy <= 0 || count <= 0) return;
    TImageListHandle copy(ImageList_Create(cx, cy, ILC_COLOR32, count, 0));
    TMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!copy || !dc) return;
    const RECT all{0, 0, cx, cy};
    for (int i = 0; i < count; ++i) {
        TPixelSurface image = PixelSurface(dc.Get(), cx, cy);
        if (!image.Pixels) return;
        {
            TSelectObject selected(dc.Get(), image.Bitmap.Get());
            // On the view's own background, so what the mask leaves out needs no mask here.
            FillColor(dc.Get(), all, static_cast<TColor>(palette.Window));
            ImageList_Draw(own, i, dc.Get(), 0, 0, ILD_NORMAL);
            GdiFlush();
        }
        SwapColours(image.Pixels, static_cast<std::size_t>(cx) * static_cast<std::size_t>(cy), GetSysColor(COLOR_WINDOW),
                    GetSysColor(COLOR_WINDOWTEXT), palette.Window, palette.WindowText);
        if (ImageList_Add(copy.Get(), image.Bitmap.Get(), nullptr) < 0) return;
    }
    FSkinStateImages = copy.Release();
    FOwnStateImages = SetStateImages(FSkinStateImages);
}

void TSkinItemView::RestoreStateImages() {
    if (!FSkinStateImages) return;
    // Put back only over the copy: a program that set other images since keeps them.
    if (Handle && IsWindow(Handle) && StateImages() == FSkinStateImages) SetStateImages(FOwnStateImages);
    ImageList_Destroy(std::exchange(FSkinStateImages, nullptr));
    FOwnStateImages = nullptr;
}

bool TSkinItemView::BeforeMessage(TMessage& m) {
    // The view frees its state images with its window: its own ones, not the copy.
    if (m.Msg == WM_NCDESTROY) RestoreStateImages();
    // A view may make its check boxes after it was skinned (a tree view makes them when it first
    // needs them): they are copied before they first show.
    if (m.Msg == WM_PAINT) RecolourStateImages();
    return TListSkinBase::BeforeMessage(m);
}

void TSkinItemView::SkinChanged() {
    RestoreStateImages();
    RecolourStateImages();
    TListSkinBase::SkinChanged();
}

void TSkinItemView::Unskin() {
    if (State != TSkinControlState::Destroyed) RestoreStateImages();
    TListSkinBase::Unskin();
}

// ---- TSkinListView ---------------------------------------------------------------------------

void TSkinListView::AttachScrollbars(TControl* control, TSkinData* skinData, TWinSkinForm* form,
                                     TCanvas* formCanvas) {
    if (Attached) return;
    TSkinItemView::AttachScrollbars(control, skinData, form, formCanvas);
    if (!Attached || !Handle) return;
    SkinHeader(reinterpret_cast<HWND>(SendMessageW(Handle, LVM_GETHEADER, 0, 0)));
}

void TSkinListView::SkinHeader(HWND header) {
    if (Header || !header || !IsWindow(header) || !Active) return;
    if (LowerText(WindowClassName(header)) != L"sysheader32") return;
    auto* skin = new TSkinHeader(this);
    skin->AttachWindow(header, SkinData, Form, FormCanvas);
    if (!skin->Attached) {
        delete skin;
        return;
    }
    Header = skin;
}

void TSkinListView::AfterMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_PARENTNOTIFY:
        // The platform makes the header when the report view or a first column needs it.
        if (LOWORD(m.WParam) == WM_CREATE) SkinHeader(reinterpret_cast<HWND>(m.LParam));
        break;
    case LVM_INSERTCOLUMNW:
    case LVM_INSERTCOLUMNA:
    case LVM_SETVIEW:
    case WM_STYLECHANGED:
        SkinHeader(reinterpret_cast<HWND>(SendMessageW(Handle, LVM_GETHEADER, 0, 0)));
        break;
    default:
        break;
    }
    TSkinItemView::AfterMessage(m);
}

void TSkinListView::Notification(TComponent* component, TOperation operation) {
    TSkinItemView::Notification(component, operation);
    if (operation == opRemove && component == Header) Header = nullptr;
}

void TSkinListView::Unskin() {
    if (Header) Header->Unskin();
    TSkinItemView::Unskin();
}

// ---- TSkinCheckList --------------------------------------------------------------------------

bool TSkinCheckList::HasGlyphs() const {
    return SkinData && !SkinData->NoSkin() && !Skin().Buttons().CheckImage.Empty();
}

bool TSkinCheckList::BeforeMessage(TMessage& m) {
    // Without the skin's glyphs the list draws its items its own way.
    if (m.Msg != CN_DRAWITEM || !m.LParam || !HasGlyphs()) return TListSkinBase::BeforeMessage(m);
    DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam));
    m.Result = TRUE;
    return false;
}

void TSkinCheckList::DrawItem(DRAWITEMSTRUCT& item) {
    auto* list = dynamic_cast<TCheckListBox*>(Control);
    HDC dc = item.hDC;
    if (!list || !dc) return;
    const RECT r = item.rcItem;
    const int index = static_cast<int>(item.itemID);
    const bool selected = index >= 0 && (item.itemState & ODS_SELECTED);
    // The platform colours of the list's items are the skin's where it dresses window colours.
    const auto skinned = [this](TColor colour) { return SkinColourFor(*SkinData, colour); };
    const TColor back = skinned(selected ? clHighlight : list->Color());
    const TColor fore = skinned(selected ? clHighlightText : list->Font()->Color());
    TSelectObject font(dc, list->Font()->Handle());
    if (index < 0 || index >= list->Count()) {
        if (index < 0) FillColor(dc, r, back);
        return;
    }
    const std::wstring text = list->Items()->Get(index);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const bool enabled = list->Enabled() && list->ItemEnabled(index);
    if (list->Header(index)) {
        // A caption row across the list: its own colours, no glyph.
        FillColor(dc, r, skinned(list->HeaderBackgroundColor()));
        SetTextColor(dc, Rgb(skinned(list->HeaderColor())));
        RECT t{r.left + 2, r.top, r.right - 2, r.bottom};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t,
                  TextFlags(DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (RightToLeft() ? DT_RIGHT : DT_LEFT)));
        SetBkMode(dc, oldMode);
        return;
    }
    TDataSkinButton& buttons = Skin().Buttons();
    TBitmap& strip = buttons.CheckImage;
    const int frames = GlyphStripFrames(buttons.CheckButtonFrame, strip.Width(), strip.Height());
    const SIZE glyph{strip.Width() / frames, strip.Height()};
    const int gy = r.top + (HeightOf(r) - glyph.cy) / 2;
    const bool rtl = RightToLeft();
    const RECT g = rtl ? RECT{r.right - 2 - glyph.cx, gy, r.right - 2, gy + glyph.cy}
                       : RECT{r.left + 2, gy, r.left + 2 + glyph.cx, gy + glyph.cy};
    RECT t = rtl ? RECT{r.left, r.top, g.left - 2, r.bottom} : RECT{g.right + 2, r.top, r.right, r.bottom};
    // Under the glyph the list's own colour, so an earlier glyph never shows through.
    FillColor(dc, rtl ? RECT{t.right, r.top, r.right, r.bottom} : RECT{r.left, r.top, t.left, r.bottom},
              skinned(list->Color()));
    DrawGlyph(dc, g, strip, frames, CheckListGlyphFrame(static_cast<int>(list->State(index)), frames));
    FillColor(dc, t, back);
    UINT flags = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;
    if (list->BiDiMode() == bdRightToLeft) flags |= DT_RTLREADING;
    if (rtl) flags |= DT_RIGHT;
    RECT measured = t;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, flags | DT_CALCRECT | DT_NOCLIP);
    RECT box{t.left, t.top + (HeightOf(t) - HeightOf(measured)) / 2, t.right, 0};
    box.bottom = box.top + HeightOf(measured);
    SetTextColor(dc, Rgb(enabled ? fore : clGrayText));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, flags);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &t);
    SetBkMode(dc, oldMode);
}

} // namespace orvo
