// TMenuItem: one entry of a main or popup menu, and the tree of its sub-items.
//
// Every item has a command number of its own (Command, unique in the process while the item
// lives) that reaches the form as WM_COMMAND. An item with sub-items has a native sub-menu
// (Handle). The native menus follow the tree as it changes: an invisible item is absent from its
// native menu, the others stand in tree order with their caption (a shortcut shown after a tab),
// state and type. A caption "-" is a separator line; "&x" marks the mnemonic x.
//
// Sub-items are held by their parent item, not owned: their owner (usually the form) frees them,
// or freeing the parent frees them. Freeing an item takes it out of its parent and its native menu.
#pragma once

#include "framework/base/component.h"
#include "framework/base/exceptions.h"
#include "framework/menus/owner_draw_state.h"
#include "framework/menus/shortcuts.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace orvo {

class TCanvas;
class TImageList;
class TMenu;
template <class T> class TPublisher;

// Misuse of the item tree (an item put under itself, an index out of range).
ORVO_EXCEPTION(EMenuError, Exception);

using TMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas& ACanvas, const RECT& ARect, bool Selected)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas& ACanvas, const RECT& ARect, TOwnerDrawState State)>;
using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas& ACanvas, int& Width, int& Height)>;

class TMenuItem : public TComponent {
    ORVO_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::wstring& Caption() const noexcept { return FCaption; }
    void SetCaption(const std::wstring& caption);
    bool Enabled() const noexcept { return FEnabled; }
    void SetEnabled(bool enabled);
    // Checking a radio item unchecks the radio items of the same GroupIndex beside it.
    bool Checked() const noexcept { return FChecked; }
    void SetChecked(bool checked);
    bool RadioItem() const noexcept { return FRadioItem; }
    void SetRadioItem(bool radio);
    std::uint8_t GroupIndex() const noexcept { return FGroupIndex; }
    void SetGroupIndex(std::uint8_t group);
    // Click toggles Checked (a radio item is only checked).
    bool AutoCheck() const noexcept { return FAutoCheck; }
    void SetAutoCheck(bool autoCheck) noexcept { FAutoCheck = autoCheck; }
    // The item a double click on the menu's owner would run; drawn bold.
    bool Default() const noexcept { return FDefault; }
    void SetDefault(bool isDefault);
    bool Visible() const noexcept { return FVisible; }
    void SetVisible(bool visible);
    // Index into the menu's Images; -1 for none.
    int ImageIndex() const noexcept { return FImageIndex; }
    void SetImageIndex(int index);
    TShortCut ShortCut() const noexcept { return FShortCut; }
    void SetShortCut(TShortCut shortCut);
    const std::wstring& Hint() const noexcept { return FHint; }
    void SetHint(const std::wstring& hint) { FHint = hint; }

    UINT Command() const noexcept { return FCommand; }
    // The native sub-menu, created on first use; it is part of the parent's native menu while
    // this item has sub-items.
    HMENU Handle();
    bool HandleAllocated() const noexcept { return FHandle != nullptr; }

    int Count() const noexcept { return static_cast<int>(FItems.size()); }
    // Throws EMenuError for an index out of range.
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const noexcept { return FParent; }
    // The menu this item belongs to, through its parents; null when it belongs to none.
    TMenu* GetParentMenu() const noexcept;
    bool IsLine() const { return FCaption == L"-"; }

    // Adding an item that has a parent moves it here. Throws EMenuError for an item that is this
    // one or holds it, or for a menu's root item.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Take a sub-item out (it is not freed).
    void Delete(int index);
    void Remove(TMenuItem* item);
    // Frees every sub-item.
    void Clear();
    int IndexOf(const TMenuItem* item) const noexcept;
    // Position in the parent; -1 without parent. Setting it moves the item among its siblings.
    int MenuIndex() const noexcept;
    void SetMenuIndex(int index);

    // Runs OnClick when enabled (after AutoCheck). The handler may free the item.
    virtual void Click();

    // Owner drawing. MeasureItem sets the standard size, then lets OnMeasureItem change it.
    // AdvancedDrawItem runs OnAdvancedDrawItem, else OnDrawItem, else the standard drawing.
    void MeasureItem(TCanvas& canvas, int& width, int& height);
    void AdvancedDrawItem(TCanvas& canvas, const RECT& rect, TOwnerDrawState state);
    void DrawItem(TCanvas& canvas, const RECT& rect, bool selected);
    // The standard look (caption, shortcut, check mark, image, disabled and default looks, lines).
    void DefaultMeasureItem(TCanvas& canvas, int& width, int& height);
    void DefaultDrawItem(TCanvas& canvas, const RECT& rect, TOwnerDrawState state);

    // An unattached item describing entry `item` (a position or a command) of a native menu:
    // caption ("-" for a separator or an empty text), Enabled, Checked, Default, RadioItem, and the
    // native command number in Tag. Null when the menu has no such entry.
    static std::unique_ptr<TMenuItem> FromNative(HMENU menu, UINT item, bool byPosition);

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

    // Stored forms: an item inside a menu joins the menu's Items, inside an item that item.
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;

    static void Publish(TPublisher<TMenuItem>& p);

private:
    friend class TMenu;

    // The image list drawn from (the menu's Images), or null.
    TImageList* ImageList() const noexcept;
    bool IsOwnerDraw() const noexcept;
    bool IsRightToLeft() const noexcept;
    // A top-level item of a main menu: drawn in the menu bar.
    bool IsMenuBarItem() const noexcept;
    bool HasValidImage() const;

    // A top-level item of a menu: its entry is put by the menu (which may merge another's items).
    bool IsRootEntry() const noexcept;
    // Native entry of this item in the parent's sub-menu.
    int NativePosition() const noexcept;
    std::wstring NativeText() const;
    // The whole native description; `text` holds the string it points at.
    void FillNative(MENUITEMINFOW& info, std::wstring& text);
    void InsertNative();
    void RemoveNative();
    void UpdateNative();
    // Puts every visible sub-item into the native sub-menu again (after a menu-wide change).
    void RebuildNative();
    void DetachNativeEntries() noexcept;

    // Tells the menu of a change; `rebuild`: entries came or went.
    void Changed(bool rebuild);
    void TurnSiblingsOff();
    void CheckAcceptable(const TMenuItem* item) const;
    bool IsDestroying() const noexcept { return ComponentState().Contains(csDestroying); }

    std::wstring FCaption;
    std::wstring FHint;
    bool FEnabled = true;
    bool FChecked = false;
    bool FRadioItem = false;
    bool FAutoCheck = false;
    bool FDefault = false;
    bool FVisible = true;
    std::uint8_t FGroupIndex = 0;
    int FImageIndex = -1;
    TShortCut FShortCut = scNone;
    UINT FCommand = 0;
    HMENU FHandle = nullptr;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // set on a menu's root item only
    std::vector<TMenuItem*> FItems;
};

} // namespace orvo
