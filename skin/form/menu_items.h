// Owner-drawn menu items of skinned menus: the drop-downs of a skinned menu bar, the skinned system
// menu and the popup menus of skinned forms. Each item is composed off screen at its size: its
// background taken from the menu window's skinned background (or the skin's menu colour), the
// MenuItem element over it (normal or selected), then glyph, check or radio mark, caption,
// shortcut; separators from the MenuItem element or as an etched line; right-to-left menus
// mirrored.
//
// Reads: the MenuItem element (frames side by side: 1 normal, 2 the separator in its lower rows,
// 4 selected), the colours Menu, MenuText, Hilight, HilightText, ButtonShadow.
#pragma once

#include <string>
#include <windows.h>

namespace orvo {

class TBitmap;
class TImageList;
class TMenuItem;
class TSkinData;

// What one item shows.
struct TMenuItemFace {
    std::wstring Caption; // with its "&" mnemonic
    std::wstring ShortCut;
    bool Separator = false;
    bool Enabled = true;
    bool Checked = false;
    bool Radio = false;
    bool Default = false;
    bool RightToLeft = false;
    TImageList* Images = nullptr;
    int ImageIndex = -1;
};

// A framework item's face; a caption "text<TAB>keys" (as native items carry their shortcut) is split.
TMenuItemFace MenuItemFace(const TMenuItem& item, TImageList* images);
// A native item's face (position or command), e.g. of a bare window's menu; a separator when absent.
TMenuItemFace NativeMenuItemFace(HMENU menu, UINT item, bool byPosition);

// The menu window's skinned background under the item: `offset` maps the item's rectangle (the menu
// window's client coordinates) into the image.
struct TMenuBackground {
    TBitmap* Image = nullptr;
    POINT Offset{0, 0};
};

// The background a popup skin painted for `menu`, if there is one.
TMenuBackground FindMenuBackground(HMENU menu);

// Every function here works at the DPI of the menu (`dpi`: TMenu::Dpi, the form skin's DPI for
// its bar's drop-downs): the MenuItem element from the skin at that DPI, the menu font at it, and
// the lengths of the painter's own (glyph box, gaps) designed at 96 DPI and scaled by the rule.

// Paints the item into `dc` at `r`. Without a MenuItem element the plain look: the skin's menu
// colour or its highlight; with it the element over the menu window's background.
void PaintMenuItem(TSkinData& skin, HDC dc, const RECT& r, const TMenuItemFace& face, bool selected,
                   const TMenuBackground& background, int dpi = 96);

// The extra width the skin's items need: the popup measurer's and the menu-bar drop-down's.
int PopupItemExtraWidth(TSkinData& skin, bool hasImages, int dpi = 96);
int MainMenuItemExtraWidth(TSkinData& skin, bool hasImages, int dpi = 96);
// A native item measured in the menu font: its text + 26 (+ the element's LeftWidth); height of
// the text + 4, or 8 for a separator (at 96 DPI; scaled at others).
SIZE MeasureNativeMenuItem(TSkinData& skin, const std::wstring& text, int dpi = 96);

// Framework items drawn and measured by the skin: OnDrawItem and OnMeasureItem set on every item
// below `item` (the item itself included when `self`), `OwnerDraw` on their menu. Undone by
// UnhookMenuItems.
void HookMenuItems(TSkinData& skin, TMenuItem& item, bool self, bool popup);
void UnhookMenuItems(TMenuItem& item, bool self);

} // namespace orvo
