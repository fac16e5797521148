// TWinSkinMenu: the menu bar of a skinned window, drawn by the skin inside the frame under the
// caption. The window's own menu is taken away from it (so the system never draws or tracks a bar
// of its own) and given back when the window is unskinned; the bar shows one TMenuBtn per
// top-level item and opens their drop-downs with TrackPopupMenu. While a drop-down is open, a
// message-filter hook lets the mouse and the arrow keys move along the bar: the open drop-down is
// ended first and the next one opened after it has gone, so exactly one drop-down exists at any
// time.
//
// Classes in this file: TMenuBtn (one item of the bar), TWinSkinMenu (the bar).
//
// The bar of an MDI frame whose active child is maximised also carries that child's minimise,
// restore and close buttons (the caption buttons placed in the menu bar, TWinSysButton), at its
// right end; a right-to-left bar's items stop short of them.
//
// Reads: the MenuBar element (two frames stacked: active, inactive; LeftWidth, RightWidth, Tile),
// the colours Menubar, MenuBarText, ButtonHilight, ButtonShadow, the MDI buttons' images.
#pragma once

#include "framework/base/component.h"
#include "framework/graphics/bitmap.h"
#include "skin/form/caption_buttons.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orvo {

class TMenu;
class TSkinData;
class TWinSkinForm;
class TWinSkinMenu;

class TMenuBtn : public TNCObject {
public:
    TMenuBtn(TWinSkinForm* owner, TWinSkinMenu* bar) : TNCObject(owner), Bar(bar) {}
    void Paint() override;

    TWinSkinMenu* Bar;
    int Index = 0;
    std::wstring Caption; // with its "&" mnemonic
    bool ItemEnabled = true;
    HMENU SubMenu = nullptr;
    UINT Command = 0;
};

// Entries of a framework form's menu with these commands and no framework item are left to the
// platform: not made owner-drawn, not measured or drawn by the skin.
constexpr UINT MaxPlatformCommand = 4095;

// Where the first item of a bar starts (in bar coordinates).
// The offsets of the bar's own are designed at 96 DPI and scaled to `dpi`.
int MenuBarStartOffset(int barWidth, bool hasElement, int leftWidth, int rightWidth, bool rightToLeft,
                       int dpi = 96) noexcept;

class TWinSkinMenu : public TComponent {
    ORVO_CLASS(TWinSkinMenu, TComponent)
public:
    TWinSkinMenu(TWinSkinForm* form, TSkinData* skinData);
    ~TWinSkinMenu() override;

    // (Re)builds the items from the window's menu (and the framework menu behind it) and takes
    // the menu away from the window. False when there is no menu.
    bool BuildItems();
    // The menu the window had; it gets it back at unskin.
    HMENU MenuHandle() const noexcept { return FMenuHandle; }
    void GiveMenuBack();

    // The bar in window coordinates (BorderLeft, BorderTop, W - BorderRight, BorderTop + MenuHeight).
    RECT BarRectFor(int windowWidth) const;
    void Layout(int windowWidth);
    void Paint(HDC dc, const RECT& r);
    void PaintItem(TMenuBtn& item);
    // A maximised MDI child's button on the bar, in its state.
    void PaintButton(TWinSysButton& button);
    // The item under a frame point (items without a caption are never hit).
    TMenuBtn* ItemAt(POINT framePoint) const;
    TMenuBtn* FindMnemonic(wchar_t key) const;
    // The first visible item, for a bare Alt or F10.
    TMenuBtn* FirstItem() const;
    int ItemCount() const noexcept { return static_cast<int>(FItems.size()); }
    TMenuBtn* Item(int index) const { return FItems[static_cast<std::size_t>(index)].get(); }

    // Opens the item's drop-down and returns when the last drop-down opened from it has closed
    // (moving along the bar opens the others in turn). An item without drop-down posts its command.
    // `keyboard`: the first entry of the drop-down is selected.
    bool OpenItem(int index, bool keyboard);
    bool Tracking() const noexcept { return FTracking; }
    // WM_MENUSELECT reached the window: which entry is selected now (or the menu closes).
    void MenuSelect(WPARAM wParam, LPARAM lParam);
    // The menu (and its sub-menus) drawn by the skin's item painter while it is open.
    void MarkOwnerDrawn(HMENU menu);
    bool RightToLeft() const noexcept { return FRightToLeft; }
    TMenu* Menu() const noexcept { return FMenu; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    static LRESULT CALLBACK FilterHook(int code, WPARAM wParam, LPARAM lParam);
    bool Filter(MSG& message);
    // WM_INITMENUPOPUP for item `index`'s drop-down; false when the bar or its window went meanwhile.
    bool UpdateDropDown(int index);
    void RestoreOwnerDrawn();
    bool LeftToPlatform(const MENUITEMINFOW& info) const;
    int ItemWidth(HDC dc, const std::wstring& caption) const;
    void DrawItemFace(HDC dc, const TMenuBtn& item, const RECT& r) const;
    // The MDI buttons the bar shows now (none unless the frame's active child is maximised).
    std::vector<TWinSysButton*> MdiButtons() const;
    // One of them in its state: the skin's image, or the platform's look where the skin has none.
    // `wholeBar`: painted with the bar, where a button at rest shows frame 1.
    void DrawMdiButton(HDC dc, const RECT& r, const TWinSysButton& button, bool wholeBar) const;

    TWinSkinForm* FForm;
    TSkinData* FSkinData;
    TMenu* FMenu = nullptr;
    HMENU FMenuHandle = nullptr;
    std::vector<std::unique_ptr<TMenuBtn>> FItems;
    RECT FBarRect{};
    TBitmap FBarBitmap;
    TBitmap FScratch;
    bool FRightToLeft = false;
    // Entries this bar turned owner-drawn, to turn back: (menu, command or sub-menu).
    std::vector<std::pair<HMENU, UINT_PTR>> FMarked;

    // Tracking (one drop-down at a time, process-wide).
    bool FTracking = false;
    int FTrackingIndex = -1;
    HMENU FTrackedMenu = nullptr;
    int FSwitchTo = -1;
    bool FSwitchByKey = false;
    bool FFirstKeyPending = false;
    bool FClosedByBarClick = false;
    HMENU FSelectedMenu = nullptr;
    UINT FSelectedFlags = 0;
    bool FHasSelection = false;
    POINT FLastMouse{-1, -1};
    // After a switch by the mouse: whether a move has shown where the pointer really is, and
    // whether one move away from the open item has been let pass unheeded.
    bool FSettled = true;
    bool FDoubted = false;
    // Expires with the bar: what a handler runs may free it.
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

} // namespace orvo
