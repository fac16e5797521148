// TMenu and TMainMenu: a tree of TMenuItem under a root item (Items) kept in step with a native
// menu (Handle), plus the dispatching that a form (or the popup window) does for its menu.
//
// A form attaches its main menu with SetMenu(window, Menu->GetHandle()) and
// Menu->SetWindowHandle(window); from then on every change of the items updates the native menu,
// redraws the menu bar and sends CM_MENUCHANGED to the window. SetWindowHandle(nullptr) takes the
// native menu off the window again, which the form must do before its window is destroyed (a
// window destroys the menu it holds).
//
// Merging: a menu bar may show another main menu's top-level items among its own (an MDI frame
// shows its active child's menu). Merge(menu) puts the merged menu's items into this menu's bar by
// GroupIndex: each takes the place of this menu's items with the same GroupIndex (an invisible
// merged item too, which hides a group), and the others go before the first own item of a higher
// GroupIndex. This menu's own order is never changed. Changes to the merged menu's items show in
// this bar and reach this menu's window as CM_MENUCHANGED; FindItem (and with it every dispatch
// below) finds the merged items as well. One menu is merged at a time; Merge(nullptr) or
// Unmerge ends it, and so does freeing either menu. Entries of the bar that are not items of either
// menu (those the platform adds for a maximised MDI child) are kept where they are.
//
// The form passes on: WM_COMMAND from a menu -> DispatchCommand; WM_INITMENUPOPUP ->
// DispatchPopup; WM_MENUSELECT -> FindItem; WM_DRAWITEM / WM_MEASUREITEM of ODT_MENU -> DrawItem /
// MeasureItem; WM_MENUCHAR -> ProcessMenuChar; key messages -> IsShortCut.
#pragma once

#include "framework/controls/bidi_mode.h"
#include "framework/base/component.h"
#include "framework/menus/menu_item.h"
#include "framework/window/messages.h"
#include "framework/menus/shortcuts.h"

#include <cstdint>
#include <functional>
#include <vector>
#include <windows.h>

namespace orvo {

class TFont;
class TImageList;
template <class T> class TPublisher;

enum TFindItemKind : std::uint8_t { fkCommand, fkHandle, fkShortCut };

// Source: the item that changed (null for a change of the whole menu); Rebuild: items came, went
// or changed their size.
using TMenuChangeEvent = std::function<void(TObject* Sender, TMenuItem* Source, bool Rebuild)>;

class TMenu : public TComponent {
    ORVO_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The root item: its sub-items are the menu's entries.
    TMenuItem* Items() const noexcept { return FItems; }
    // The native menu, created on first use.
    HMENU Handle() { return FItems->Handle(); }
    HMENU GetHandle() { return Handle(); }
    bool HandleAllocated() const noexcept { return FItems->HandleAllocated(); }

    // Every item drawn and measured by the framework (WM_DRAWITEM / WM_MEASUREITEM).
    bool OwnerDraw() const noexcept { return FOwnerDraw; }
    void SetOwnerDraw(bool ownerDraw);
    // The images of the items' ImageIndex (owner-drawn, or a bitmap beside the native text).
    TImageList* Images() const noexcept { return FImages; }
    void SetImages(TImageList* images);
    TBiDiMode BiDiMode() const noexcept { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode mode);
    bool IsRightToLeft() const noexcept { return IsRightToLeftReading(FBiDiMode); }

    HWND WindowHandle() const noexcept { return FWindowHandle; }
    void SetWindowHandle(HWND window);
    // The DPI the items are measured and drawn at: the window's the menu is attached to (a
    // popup menu: the monitor's it is shown on), else the system's.
    int Dpi() const;
    // A popup menu being shown at a point: the DPI of that point's monitor, until 0 again.
    void SetShowingDpi(int dpi) noexcept { FShowingDpi = dpi; }

    // Clicks the item with that command; false when the menu has none.
    bool DispatchCommand(UINT command);
    // Runs OnClick of the item whose sub-menu is about to open, so that it can update the
    // sub-items first; false when the menu has no such sub-menu.
    bool DispatchPopup(HMENU menu);
    // The first item of the tree (depth first) with that command, sub-menu handle or shortcut.
    TMenuItem* FindItem(UINT_PTR value, TFindItemKind kind) const noexcept;
    // A key press that is the shortcut of an enabled item clicks that item (after the OnClick of
    // the items above it, as if their sub-menus opened) and answers true.
    bool IsShortCut(const MSG& message);
    bool IsShortCut(WORD key, TShiftState shift);
    // Owner drawing of this menu's items; false when the item is not this menu's.
    bool DrawItem(const DRAWITEMSTRUCT& item);
    bool MeasureItem(MEASUREITEMSTRUCT& item);
    // WM_MENUCHAR in a sub-menu of this menu: the entry whose mnemonic is `ch`, to be executed.
    bool ProcessMenuChar(wchar_t ch, HMENU menu, LRESULT& result);

    // Shows `menu`'s items in this menu's bar (see above); nullptr unmerges. Throws EMenuError for
    // this menu itself or a menu that has merged menus of its own.
    void Merge(TMenu* menu);
    // Ends the merging of `menu` (nothing when another or none is merged).
    void Unmerge(TMenu* menu);
    TMenu* Merged() const noexcept { return FMerged; }
    // The menu this one is merged into, or null.
    TMenu* MergedInto() const noexcept { return FMergedInto; }
    // The visible top-level items in the order the bar shows them (own and merged).
    std::vector<TMenuItem*> BarItems() const;

    // Changes between the two calls reach OnChange and the window once, at the end.
    void BeginUpdate() noexcept { ++FUpdateCount; }
    void EndUpdate();

    TMenuChangeEvent OnChange;

    static void Publish(TPublisher<TMenu>& p);

protected:
    friend class TMenuItem;
    // The native menu of the root item.
    virtual HMENU CreateMenuHandle();
    // A menu whose top-level items stand in a menu bar.
    virtual bool IsMenuBar() const noexcept { return false; }
    virtual void MenuChanged(TMenuItem* source, bool rebuild);
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    // After a change that concerns every entry: all native entries are set again.
    void RebuildAll();
    void NotifyWindow();
    // A top-level item came, went or changed: the bar that shows it (this one's, or the one this
    // menu is merged into) puts its entries of items again.
    void RootEntriesChanged();
    void SyncRootEntries();

    TMenu* FMerged = nullptr;
    TMenu* FMergedInto = nullptr;

    TMenuItem* FItems;
    TImageList* FImages = nullptr;
    HWND FWindowHandle = nullptr;
    int FShowingDpi = 0;
    bool FOwnerDraw = false;
    TBiDiMode FBiDiMode = bdLeftToRight;
    int FUpdateCount = 0;
    bool FChangePending = false;
    bool FRebuildPending = false;
};

class TMainMenu : public TMenu {
    ORVO_CLASS(TMainMenu, TMenu)
public:
    explicit TMainMenu(TComponent* owner);

protected:
    HMENU CreateMenuHandle() override;
    bool IsMenuBar() const noexcept override { return true; }
};

// The system's menu font (SPI_GETNONCLIENTMETRICS) at a DPI (the system's without one), read on
// first use at each DPI and again after RefreshMenuFont.
TFont& MenuFont();
TFont& MenuFont(int dpi);
void RefreshMenuFont();

} // namespace orvo
