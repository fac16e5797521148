// Items drawn in the platform's colours, given the skin's (item_colours.h).
#include "skin/form/item_colours.h"

#include "framework/controls/list_view.h"
#include "framework/controls/tree_view.h"
#include "framework/graphics/gdi_handle.h"
#include "framework/window/window_property.h"
#include "skin/controls/control_skin.h"
#include "skin/form/window_colours.h"

#include <commctrl.h>

#include <cstdint>
#include <cstring>

namespace orvo {

namespace {

// Lines and expand button of a tree item, after it was drawn.
void RecolourTreeButton(const TWindowPalette& p, const NMCUSTOMDRAW& item);

enum class TItemKind { None, List, Tree };

TItemKind KindOf(HWND window) {
    // A framework control's window class is named after its framework class.
    TWinControl* control = FindControl(window);
    if (dynamic_cast<TCustomListView*>(control)) return TItemKind::List;
    if (dynamic_cast<TCustomTreeView*>(control)) return TItemKind::Tree;
    const std::wstring name = LowerText(WindowClassName(window));
    if (name == L"syslistview32") return TItemKind::List;
    if (name == L"systreeview32") return TItemKind::Tree;
    return TItemKind::None;
}

// A DIB pixel (0x00RRGGBB) from a COLORREF (0x00BBGGRR).
std::uint32_t PixelOf(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

void RecolourTreeItem(const TWindowPalette& p, NMTVCUSTOMDRAW& item) {
    // The platform has put the item's colours in before asking.
    if ((item.clrTextBk & 0xFFFFFF) == GetSysColor(COLOR_HIGHLIGHT)) {
        item.clrTextBk = p.Highlight;
        item.clrText = p.HighlightText;
    } else if ((item.clrTextBk & 0xFFFFFF) == GetSysColor(COLOR_BTNFACE)) {
        item.clrTextBk = p.Face;
        item.clrText = p.FaceText;
    }
}

void RecolourListItem(const TWindowPalette& p, NMLVCUSTOMDRAW& item) {
    if (!(item.nmcd.uItemState & CDIS_SELECTED)) return;
    HWND list = item.nmcd.hdr.hwndFrom;
    if (GetFocus() == list) {
        item.clrTextBk = p.Highlight;
        item.clrText = p.HighlightText;
    } else if (GetWindowLongPtrW(list, GWL_STYLE) & LVS_SHOWSELALWAYS) {
        item.clrTextBk = p.Face;
        item.clrText = p.FaceText;
    } else {
        return;
    }
    // A selected item's colours are the platform's unless it is drawn as not selected.
    item.nmcd.uItemState &= ~CDIS_SELECTED;
}

// The width of a tree view's images of one list (0 without).
int ImageWidth(HWND tree, WPARAM which) {
    auto list = reinterpret_cast<HIMAGELIST>(SendMessageW(tree, TVM_GETIMAGELIST, which, 0));
    int cx = 0, cy = 0;
    return list && ImageList_GetIconSize(list, &cx, &cy) ? cx : 0;
}

} // namespace

TPixelSurface PixelSurface(HDC compatible, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    TPixelSurface surface;
    surface.Bitmap.Reset(CreateDIBSection(compatible, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (surface.Bitmap) surface.Pixels = static_cast<std::uint32_t*>(bits);
    return surface;
}

bool RecolourCustomDraw(const TWindowPalette& p, TMessage& m) {
    const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
    if (!header || header->code != NM_CUSTOMDRAW) return false;
    const TItemKind kind = KindOf(header->hwndFrom);
    if (kind == TItemKind::None) return false;
    if (!p.Dressed) return true;
    auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(m.LParam);
    switch (draw->dwDrawStage) {
    case CDDS_PREPAINT:
        if (!(m.Result & CDRF_SKIPDEFAULT)) m.Result |= CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT:
        if (m.Result & CDRF_SKIPDEFAULT) break;
        if (kind == TItemKind::Tree) {
            RecolourTreeItem(p, *reinterpret_cast<NMTVCUSTOMDRAW*>(m.LParam));
            // The expand buttons are drawn in the platform's own colours: recoloured after.
            if (GetWindowLongPtrW(header->hwndFrom, GWL_STYLE) & TVS_HASBUTTONS) m.Result |= CDRF_NOTIFYPOSTPAINT;
        } else {
            RecolourListItem(p, *reinterpret_cast<NMLVCUSTOMDRAW*>(m.LParam));
        }
        break;
    case CDDS_ITEMPOSTPAINT:
        if (kind == TItemKind::Tree) RecolourTreeButton(p, *draw);
        break;
    default:
        break;
    }
    return true;
}

void SwapColours(std::uint32_t* pixels, std::size_t count, COLORREF fromBack, COLORREF fromText, COLORREF toBack,
                 COLORREF toText) {
    const std::uint32_t back = PixelOf(fromBack), text = PixelOf(fromText);
    const std::uint32_t newBack = PixelOf(toBack), newText = PixelOf(toText);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t c = pixels[i] & 0xFFFFFF;
        if (c == back)
            pixels[i] = newBack;
        else if (c == text)
            pixels[i] = newText;
    }
}

namespace {

// Runs `draw` on an off-screen copy of `r` of `target` (the DC's origin moved so `r` keeps its
// coordinates), lets `recolour` change its 0x00RRGGBB pixels, and puts it back. False when no
// off-screen surface could be made.
bool DrawOffScreen(HDC target, const RECT& r, const std::function<void(HDC)>& draw,
                   const std::function<void(std::uint32_t*, std::size_t)>& recolour) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return false;
    TPixelSurface surface = PixelSurface(target, w, h);
    TMemoryDc dc(CreateCompatibleDC(target));
    if (!surface.Pixels || !dc) return false;
    TSavedDc saved(dc.Get());
    SelectObject(dc.Get(), surface.Bitmap.Get());
    SelectObject(dc.Get(), GetCurrentObject(target, OBJ_FONT));
    // What is there already: an owner may draw only part of its item.
    BitBlt(dc.Get(), 0, 0, w, h, target, r.left, r.top, SRCCOPY);
    SetViewportOrgEx(dc.Get(), -r.left, -r.top, nullptr);
    draw(dc.Get());
    SetViewportOrgEx(dc.Get(), 0, 0, nullptr);
    GdiFlush();
    recolour(surface.Pixels, static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    BitBlt(target, r.left, r.top, w, h, dc.Get(), 0, 0, SRCCOPY);
    return true;
}

void RecolourTreeButton(const TWindowPalette& p, const NMCUSTOMDRAW& item) {
    HWND tree = item.hdr.hwndFrom;
    auto handle = reinterpret_cast<HTREEITEM>(item.dwItemSpec);
    // TVM_GETITEMRECT takes the item in the rectangle it fills.
    RECT text{};
    std::memcpy(&text, &handle, sizeof handle);
    if (!SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text))) return;
    // Left of the item's images: its lines and its button.
    RECT lines = item.rc;
    lines.right = text.left - ImageWidth(tree, TVSIL_NORMAL) - ImageWidth(tree, TVSIL_STATE);
    if (lines.right <= lines.left) return;
    DrawOffScreen(
        item.hdc, lines, [](HDC) {},
        [&p](std::uint32_t* pixels, std::size_t count) {
            SwapColours(pixels, count, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT), p.Window,
                        p.WindowText);
        });
}

} // namespace

bool RecolourOwnerDrawnItem(const TWindowPalette& p, TMessage& m, const std::function<void(TMessage&)>& drawDefault) {
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    if (!p.Dressed || !item || (item->CtlType != ODT_COMBOBOX && item->CtlType != ODT_LISTBOX)) return false;
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    return DrawOffScreen(
        item->hDC, item->rcItem,
        [&](HDC dc) {
            DRAWITEMSTRUCT offscreen = *item;
            offscreen.hDC = dc;
            TMessage inner{m.Msg, m.WParam, reinterpret_cast<LPARAM>(&offscreen), 0};
            drawDefault(inner);
            m.Result = inner.Result;
        },
        [&](std::uint32_t* pixels, std::size_t count) {
            // A selected item on the platform's highlight; any other on its window colour.
            bool onHighlight = false;
            if (selected) {
                const std::uint32_t highlight = PixelOf(GetSysColor(COLOR_HIGHLIGHT));
                for (std::size_t i = 0; i < count && !onHighlight; ++i) onHighlight = (pixels[i] & 0xFFFFFF) == highlight;
            }
            if (onHighlight)
                SwapColours(pixels, count, GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT), p.Highlight,
                            p.HighlightText);
            else
                SwapColours(pixels, count, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT), p.Window,
                            p.WindowText);
        });
}

bool PaintRecoloured(HWND window, TMessage& m, const std::function<void(TMessage&)>& paintDefault,
                     TColourSwap first, TColourSwap second) {
    if (m.Msg != WM_PAINT && m.Msg != WM_PRINTCLIENT && m.Msg != WM_ERASEBKGND) return false;
    PAINTSTRUCT paint{};
    const bool begin = m.Msg == WM_PAINT && !m.WParam;
    HDC dc = begin ? BeginPaint(window, &paint) : reinterpret_cast<HDC>(m.WParam);
    if (!dc) return false;
    RECT client{};
    GetClientRect(window, &client);
    const auto inner = [&](HDC target) {
        TMessage message{m.Msg, reinterpret_cast<WPARAM>(target), m.LParam, 0};
        paintDefault(message);
        m.Result = message.Result;
    };
    const bool drawn = DrawOffScreen(dc, client, inner, [&](std::uint32_t* pixels, std::size_t count) {
        SwapColours(pixels, count, first.From, second.From, first.To, second.To);
    });
    if (!drawn) inner(dc);
    if (begin) EndPaint(window, &paint);
    return true;
}

} // namespace orvo
