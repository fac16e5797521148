#include "skin/form/menu_items.h"

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/image_list.h"
#include "framework/menus/menu_glyphs.h"
#include "framework/menus/menu_item.h"
#include "framework/menus/menus.h"
#include "framework/window/display_scale.h"
#include "skin/data/skin_bitmaps.h"
#include "skin/data/skin_data.h"
#include "skin/draw/skin_draw.h"
#include "skin/manager/popup_menu_skin.h"
#include "skin/manager/skin_manager.h"

#include <algorithm>

namespace orvo {

namespace {

constexpr int MinGlyph = 16;
constexpr int ShortCutEndGap = 11; // the far end is kept for a sub-menu's arrow
constexpr UINT CaptionFlags = DT_EXPANDTABS | DT_SINGLELINE;

// Our painter in a framework item's OnDrawItem, holding what was there before, so unhooking
// gives that back (whatever happened to the item in between).
struct TSkinItemPainter {
    TSkinData* Skin;
    TMenuDrawItemEvent Previous;
    void operator()(TObject* sender, TCanvas& canvas, const RECT& r, bool selected) const {
        auto* item = dynamic_cast<TMenuItem*>(sender);
        if (!item) return;
        TMenu* menu = item->GetParentMenu();
        const TMenuItemFace face = MenuItemFace(*item, menu ? menu->Images() : nullptr);
        HMENU parent = item->Parent() ? item->Parent()->Handle() : nullptr;
        if (TSkinManage* manager = ExistingSkinManager(); manager && parent) manager->AssignPopupMenuHandle(parent);
        PaintMenuItem(*Skin, canvas.Handle(), r, face, selected, FindMenuBackground(parent),
                      menu ? menu->Dpi() : SystemDpi());
    }
};

struct TSkinItemMeasurer {
    TSkinData* Skin;
    bool Popup;
    TMenuMeasureItemEvent Previous;
    void operator()(TObject* sender, TCanvas&, int& width, int&) const {
        auto* item = dynamic_cast<TMenuItem*>(sender);
        if (!item) return;
        TMenu* menu = item->GetParentMenu();
        const bool images = menu && menu->Images();
        const int dpi = menu ? menu->Dpi() : SystemDpi();
        if (!item->IsLine())
            width += Popup ? PopupItemExtraWidth(*Skin, images, dpi) : MainMenuItemExtraWidth(*Skin, images, dpi);
    }
};

TColor DisabledText(TSkinData& skin) {
    const TColor shadow = skin.Colour(scButtonShadow);
    return ColorToRGB(shadow) == ColorToRGB(skin.Colour(scMenuText)) ? clBtnShadow : shadow;
}

void DrawText(HDC dc, const std::wstring& text, RECT r, UINT flags, TColor colour) {
    const COLORREF old = SetTextColor(dc, ColorToColorRef(colour));
    const int mode = SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
    SetBkMode(dc, mode);
    SetTextColor(dc, old);
}

// The separator strip: the lower rows of frame 2 of the element, as many as the item is high,
// its ends kept and its middle stretched.
void DrawSeparatorStrip(TCanvas& canvas, const RECT& r, TDataSkinObject& element) {
    const int frames = std::max(element.Frame, 1);
    const TFrameBounds f = FrameBounds(element.Image, frames, std::min(2, frames), false);
    const int h = std::min<int>(r.bottom - r.top, f.Height);
    if (h <= 0 || f.Width <= 0) return;
    TBitmap strip;
    CopyBitmapBlock(element.Image, f.X, f.Y + f.Height - h, f.Width, h, strip);
    DrawThreeSlice(canvas, RECT{r.left, r.bottom - h, r.right, r.bottom}, strip, false, true, 1, 1,
                   TMargins{element.LeftWidth, 0, element.RightWidth, 0});
}

void PaintContent(TSkinData& skin, TCanvas& canvas, const RECT& r, const TMenuItemFace& face, bool selected,
                  int glyphLeft, int dpi) {
    const auto scaled = [dpi](int length) { return ScaleLength(length, dpi); };
    const int minGlyph = scaled(MinGlyph);
    HDC dc = canvas.Handle();
    TColor text = selected ? skin.Colour(scHilightText) : skin.Colour(scMenuText);
    if (!face.Enabled) text = DisabledText(skin);
    const int glyph = face.Images ? std::max(face.Images->Width(), face.Checked ? minGlyph : 0) : minGlyph;
    const int glyphHeight = face.Images ? face.Images->Height() : minGlyph;
    RECT box;
    box.left = face.RightToLeft ? r.right - glyphLeft - glyph : r.left + glyphLeft;
    box.right = box.left + glyph;
    box.top = r.top + scaled(1);
    box.bottom = box.top + glyph;
    const bool image = face.Images && face.ImageIndex >= 0 && face.ImageIndex < face.Images->Count();
    if (image) {
        if (face.Checked) DrawCheckedBox(dc, box);
        const int y = r.top + ((r.bottom - r.top) - glyphHeight) / 2;
        face.Images->Draw(canvas, box.left + (glyph - face.Images->Width()) / 2, y, face.ImageIndex, face.Enabled);
    } else if (face.Checked) {
        const int side = std::min<int>(minGlyph, r.bottom - r.top);
        RECT mark{box.left + (glyph - side) / 2, r.top + ((r.bottom - r.top) - side) / 2, 0, 0};
        mark.right = mark.left + side;
        mark.bottom = mark.top + side;
        DrawMenuGlyph(dc, mark, face.Radio ? DFCS_MENUBULLET : DFCS_MENUCHECK, face.Enabled ? clBtnText : text);
    }

    // The default item in bold.
    TFont boldFont;
    HGDIOBJ normalFont = nullptr;
    if (face.Default) {
        boldFont.Assign(canvas.Font());
        boldFont.SetStyle(boldFont.Style() + TFontStyles{fsBold});
        normalFont = SelectObject(dc, boldFont.Handle());
    }
    // An empty caption or a lone "&" still takes a line's height.
    const std::wstring measured = face.Caption.empty() || face.Caption == L"&" ? face.Caption + L" " : face.Caption;
    RECT size{0, 0, 0, 0};
    DrawTextW(dc, measured.c_str(), static_cast<int>(measured.size()), &size,
              DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
    RECT t = r;
    if (face.RightToLeft) {
        t.right = box.left - scaled(3);
        t.left = r.left + scaled(1);
    } else {
        t.left = box.right + scaled(3);
        t.right = r.right - scaled(1);
    }
    t.top = r.top + ((r.bottom - r.top) - (size.bottom - size.top)) / 2;
    t.bottom = t.top + (size.bottom - size.top);
    DrawText(dc, face.Caption, t, CaptionFlags | (face.RightToLeft ? DT_RIGHT | DT_RTLREADING : 0), text);
    if (!face.ShortCut.empty()) {
        RECT s = t;
        if (face.RightToLeft) {
            s.left = r.left + scaled(ShortCutEndGap);
            s.right = t.right - (size.right - size.left);
            DrawText(dc, face.ShortCut, s, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT, text);
        } else {
            s.left = t.left + (size.right - size.left);
            s.right = r.right - scaled(ShortCutEndGap);
            DrawText(dc, face.ShortCut, s, DT_SINGLELINE | DT_NOPREFIX | DT_RIGHT, text);
        }
    }
    if (normalFont) SelectObject(dc, normalFont);
}

} // namespace

TMenuItemFace MenuItemFace(const TMenuItem& item, TImageList* images) {
    TMenuItemFace face;
    face.Caption = item.Caption();
    face.ShortCut = ShortCutToText(item.ShortCut());
    if (const std::size_t tab = face.Caption.find(L'\t'); tab != std::wstring::npos) {
        if (face.ShortCut.empty()) face.ShortCut = face.Caption.substr(tab + 1);
        face.Caption.resize(tab);
    }
    face.Separator = item.IsLine();
    face.Enabled = item.Enabled();
    face.Checked = item.Checked();
    face.Radio = item.RadioItem();
    face.Default = item.Default();
    const TMenu* menu = item.GetParentMenu();
    face.RightToLeft = menu && menu->IsRightToLeft();
    face.Images = images;
    face.ImageIndex = item.ImageIndex();
    return face;
}

TMenuItemFace NativeMenuItemFace(HMENU menu, UINT item, bool byPosition) {
    std::unique_ptr<TMenuItem> native = TMenuItem::FromNative(menu, item, byPosition);
    if (!native) {
        TMenuItemFace face;
        face.Separator = true;
        face.Caption = L"-";
        return face;
    }
    TMenuItemFace face = MenuItemFace(*native, nullptr);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    if (GetMenuItemInfoW(menu, item, byPosition, &info)) face.RightToLeft = (info.fType & MFT_RIGHTORDER) != 0;
    return face;
}

TMenuBackground FindMenuBackground(HMENU menu) {
    TMenuBackground background;
    TSkinManage* manager = ExistingSkinManager();
    if (!manager || !menu) return background;
    for (const auto& popup : manager->PopupMenus()) {
        if (popup->MenuHandle() != menu) continue;
        TBitmap* image = popup->Background();
        if (image && !image->Empty()) {
            background.Image = image;
            background.Offset = popup->ClientOffset();
        }
        break;
    }
    return background;
}

void PaintMenuItem(TSkinData& skin, HDC dc, const RECT& r, const TMenuItemFace& face, bool selected,
                   const TMenuBackground& background, int dpi) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    TDataSkinObject* element = skin.AtDpi(dpi).MenuItem();
    if (element && element->Image.Empty()) element = nullptr;
    TBitmap bitmap(w, h);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font().Assign(MenuFont(dpi));
    HDC target = canvas.Handle();
    TSelectObject font(target, canvas.Font().Handle());
    const RECT local{0, 0, w, h};

    if (!element) {
        // The plain look: the skin's colours.
        canvas.Brush().SetColor(selected && !face.Separator ? skin.Colour(scHilight) : skin.Colour(scMenu));
        canvas.FillRect(local);
        if (face.Separator) {
            RECT line{0, ScaleLength(4, dpi), w, h};
            DrawEdge(target, &line, EDGE_ETCHED, BF_TOP);
        } else {
            PaintContent(skin, canvas, local, face, selected, ScaleLength(1, dpi), dpi);
        }
    } else {
        if (background.Image) {
            BitBlt(target, 0, 0, w, h, background.Image->Canvas().Handle(), r.left + background.Offset.x,
                   r.top + background.Offset.y, SRCCOPY);
        } else {
            canvas.Brush().SetColor(skin.Colour(scMenu));
            canvas.FillRect(local);
        }
        if (face.Separator) {
            DrawSeparatorStrip(canvas, local, *element);
        } else {
            DrawSliced(target, local, element->Image, std::max(element->Frame, 1),
                       selected ? std::min(4, std::max(element->Frame, 1)) : 1, false,
                       TMargins{element->LeftWidth, element->TopHeight, element->RightWidth, element->BottomHeight},
                       element->Tile == 1, element->Trans != 0);
            PaintContent(skin, canvas, local, face, selected, ScaleLength(1, dpi) + element->LeftWidth, dpi);
        }
    }
    BitBlt(dc, r.left, r.top, w, h, target, 0, 0, SRCCOPY);
}

int PopupItemExtraWidth(TSkinData& skin, bool hasImages, int dpi) {
    const TDataSkinObject* element = skin.AtDpi(dpi).MenuItem();
    return (element ? element->LeftWidth : 0) + ScaleLength(12 + (hasImages ? 0 : 23), dpi);
}

int MainMenuItemExtraWidth(TSkinData& skin, bool hasImages, int dpi) {
    const TDataSkinObject* element = skin.AtDpi(dpi).MenuItem();
    return (element ? element->LeftWidth : 0) + ScaleLength(10 + (hasImages ? 0 : 25), dpi);
}

SIZE MeasureNativeMenuItem(TSkinData& skin, const std::wstring& text, int dpi) {
    if (text.empty() || text == L"-") return SIZE{0, ScaleLength(8, dpi)};
    HDC screen = GetDC(nullptr);
    SIZE size{0, 0};
    {
        TSelectObject font(screen, MenuFont(dpi).Handle());
        RECT r{0, 0, 0, 0};
        DrawTextW(screen, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
        const TDataSkinObject* element = skin.AtDpi(dpi).MenuItem();
        size = SIZE{(r.right - r.left) + ScaleLength(26, dpi) + (element ? element->LeftWidth : 0),
                    (r.bottom - r.top) + ScaleLength(4, dpi)};
    }
    ReleaseDC(nullptr, screen);
    return size;
}

void HookMenuItems(TSkinData& skin, TMenuItem& item, bool self, bool popup) {
    if (self) {
        const bool ours = item.OnDrawItem.target<TSkinItemPainter>() != nullptr;
        if (!ours && (popup || !item.OnDrawItem))
            item.OnDrawItem = TSkinItemPainter{&skin, item.OnDrawItem};
        if (!item.OnMeasureItem) item.OnMeasureItem = TSkinItemMeasurer{&skin, popup, nullptr};
    }
    for (int i = 0; i < item.Count(); ++i) HookMenuItems(skin, *item.Items(i), true, popup);
}

void UnhookMenuItems(TMenuItem& item, bool self) {
    if (self) {
        if (const auto* painter = item.OnDrawItem.target<TSkinItemPainter>()) item.OnDrawItem = painter->Previous;
        if (const auto* measurer = item.OnMeasureItem.target<TSkinItemMeasurer>())
            item.OnMeasureItem = measurer->Previous;
    }
    for (int i = 0; i < item.Count(); ++i) UnhookMenuItems(*item.Items(i), true);
}

} // namespace orvo
