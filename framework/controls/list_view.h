// List views over the platform's list view (SysListView32).
//
// Classes in this file:
//   TListItem       one item: Caption, SubItems, ImageIndex, Checked, Selected, Focused, Data
//   TListItems      the items of one list view (Items), storable as lines of text
//   TListColumn     one column of the report view: Caption, Width, Alignment, ImageIndex
//   TListColumns    the columns (Columns), a collection
//   TCustomListView the control: ViewStyle, Checkboxes, the three image lists, RowSelect,
//                   GridLines, ReadOnly, MultiSelect, ShowColumnHeaders, HideSelection,
//                   BorderStyle, and its events
//   TListView       the published class
//
// Items and columns are the control's own model: they exist with or without a window, and the
// native items and columns are made from them whenever a window is made, so re-creating the
// window keeps every item with its selection and check mark, and every column with the width the
// user dragged it to. What the user changes in the window (selection, focus, check marks, a
// label, a column's width) is written back into the model from the control's notifications.
//
// The header of the report view is the platform's own child window (HeaderHandle, also
// LVM_GETHEADER); the platform makes it with the window in report view, or when the view becomes
// the report view or a column is added. Its creation reaches the list view's window method as
// WM_PARENTNOTIFY (WM_CREATE) with the header's window in LParam.
//
// Events (none while the form is read): OnChanging (may refuse) before a change of an item's state,
// OnChange after it and after a change of its text or image, OnSelectItem when an item is selected
// or unselected, OnItemChecked when its check mark changes — by the user or by code; OnColumnClick
// when a column's header is clicked; OnEditing/OnEdited around a label edit (not ReadOnly).
//
// In a stored form the items are `Items.Rows = ( ... )`, one string per item: the item in the
// item-line form of item_lines.h with the numbers ImageIndex and Checked (1), then the sub-items,
// each after a tab character (#9):
//     Items.Rows = ( 'readme.txt'#9'12 KB' '{3,1}big.log'#9'1.2 GB' )
#pragma once

#include "framework/base/collection.h"
#include "framework/base/string_list.h"
#include "framework/controls/control_publish.h"
#include "framework/controls/win_control.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvo {

class TCustomListView;
class TImageList;
class TListColumn;
class TListItems;

enum TViewStyle : std::uint8_t { vsIcon, vsSmallIcon, vsList, vsReport };
const TEnumType& ViewStyleType();

// What changed in an item (OnChange, OnChanging).
enum TItemChange : std::uint8_t { ctText, ctImage, ctState };

class TListItem : public TPersistent {
    ORVO_CLASS(TListItem, TPersistent)
public:
    explicit TListItem(TListItems& owner);
    ~TListItem() override;

    TListItems& Owner() const noexcept { return FOwner; }
    TCustomListView* ListView() const noexcept;
    // Position in Items.
    int Index() const noexcept { return FIndex; }

    const std::wstring& Caption() const noexcept { return FCaption; }
    void SetCaption(const std::wstring& caption);
    // The texts of the report view's further columns.
    TStrings* SubItems() noexcept { return &FSubItems; }
    void SetSubItems(TStrings* items);
    // An image of SmallImages (small icons, list and report view) and LargeImages (icons); -1 for none.
    int ImageIndex() const noexcept { return FImageIndex; }
    void SetImageIndex(int index);
    // The check box's mark (shown with Checkboxes; kept without).
    bool Checked() const noexcept { return FChecked; }
    void SetChecked(bool value);
    bool Selected() const noexcept { return FSelected; }
    void SetSelected(bool value);
    bool Focused() const noexcept { return FFocused; }
    void SetFocused(bool value);
    // Not owned.
    void* Data = nullptr;

    void Delete();
    void MakeVisible(bool partialOK);
    // The item's rectangle in the list view's client area (LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL,
    // LVIR_SELECTBOUNDS); empty without a window.
    RECT DisplayRect(int code = LVIR_BOUNDS) const;

    void Assign(TPersistent* source) override;
    static void Publish(TPublisher<TListItem>& p);

private:
    friend class TListItems;
    friend class TCustomListView;

    class TSubItems : public TStringList {
    public:
        explicit TSubItems(TListItem& item) : FItem(item) {}

    protected:
        void Changed() override;

    private:
        TListItem& FItem;
    };

    TListItems& FOwner;
    int FIndex = 0;
    std::wstring FCaption;
    TSubItems FSubItems;
    int FImageIndex = -1;
    bool FChecked = false;
    bool FSelected = false;
    bool FFocused = false;
};

class TListItems : public TPersistent {
    ORVO_CLASS(TListItems, TPersistent)
public:
    explicit TListItems(TCustomListView* owner);
    ~TListItems() override;

    TCustomListView* Owner() const noexcept { return FOwner; }
    int Count() const noexcept { return static_cast<int>(FItems.size()); }
    // Throws EListError for an index out of range.
    TListItem* Item(int index) const;
    TListItem* operator[](int index) const { return Item(index); }
    TListItem* Add();
    // A new item at `index` (0..Count); throws EListError beyond.
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int IndexOf(const TListItem* item) const noexcept;

    // The window is not redrawn until the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();

    // The items as the stored form's lines (see the header comment); setting them replaces every
    // item. Throws EConvertError for a line that is not well formed.
    std::vector<std::wstring> RowLines() const;
    void SetRowLines(const std::vector<std::wstring>& lines);

    void Assign(TPersistent* source) override;
    static void Publish(TPublisher<TListItems>& p);

private:
    friend class TCustomListView;
    void Renumber(int from) noexcept;

    TCustomListView* FOwner;
    std::vector<std::unique_ptr<TListItem>> FItems;
    int FUpdateCount = 0;
};

class TListColumn : public TCollectionItem {
    ORVO_CLASS(TListColumn, TCollectionItem)
public:
    TListColumn() = default;

    TCustomListView* ListView() const noexcept;
    const std::wstring& Caption() const noexcept { return FCaption; }
    void SetCaption(const std::wstring& caption);
    // Pixels at the list view's DPI (a negative width is the platform's automatic one, never
    // scaled); the width the user dragged the column to while the report view shows it.
    int Width() const;
    void SetWidth(int width);
    // The first column is always left-aligned by the platform.
    TAlignment Alignment() const noexcept { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    // An image of the list view's SmallImages shown in the header; -1 for none.
    int ImageIndex() const noexcept { return FImageIndex; }
    void SetImageIndex(int index);
    std::wstring DisplayName() const override;

    static void Publish(TPublisher<TListColumn>& p);

private:
    friend class TCustomListView;
    std::wstring FCaption;
    TScaledLength FWidth{50};
    TAlignment FAlignment = taLeftJustify;
    int FImageIndex = -1;
};

class TListColumns : public TCollection {
    ORVO_CLASS(TListColumns, TCollection)
public:
    explicit TListColumns(TCustomListView* owner);
    TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
    TListColumn* Items(int index) const { return static_cast<TListColumn*>(TCollection::Items(index)); }
    TListColumn* operator[](int index) const { return Items(index); }
    TCustomListView* ListView() const noexcept { return FView; }

protected:
    void Update(TCollectionItem* item) override;

private:
    TCustomListView* FView;
};

using TLVChangingEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change, bool& AllowChange)>;
using TLVChangeEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVCheckedItemEvent = std::function<void(TObject* Sender, TListItem* Item)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
using TLVEditingEvent = std::function<void(TObject* Sender, TListItem* Item, bool& AllowEdit)>;
using TLVEditedEvent = std::function<void(TObject* Sender, TListItem* Item, std::wstring& S)>;

class TCustomListView : public TWinControl {
    ORVO_CLASS(TCustomListView, TWinControl)
public:
    explicit TCustomListView(TComponent* owner);
    ~TCustomListView() override;

    TListItems* Items() noexcept { return FItems.get(); }
    void SetItems(TListItems* items);
    TListColumns* Columns() noexcept { return FColumns.get(); }

    TViewStyle ViewStyle() const noexcept { return FViewStyle; }
    void SetViewStyle(TViewStyle style);
    bool Checkboxes() const noexcept { return FCheckboxes; }
    void SetCheckboxes(bool value);
    TImageList* LargeImages() const noexcept { return FLargeImages; }
    void SetLargeImages(TImageList* images) { SetImageList(FLargeImages, images, LVSIL_NORMAL); }
    TImageList* SmallImages() const noexcept { return FSmallImages; }
    void SetSmallImages(TImageList* images) { SetImageList(FSmallImages, images, LVSIL_SMALL); }
    // The items' state images; the check boxes take their place while Checkboxes is set.
    TImageList* StateImages() const noexcept { return FStateImages; }
    void SetStateImages(TImageList* images) { SetImageList(FStateImages, images, LVSIL_STATE); }
    bool RowSelect() const noexcept { return FRowSelect; }
    void SetRowSelect(bool value) { SetExtendedFlag(FRowSelect, value); }
    bool GridLines() const noexcept { return FGridLines; }
    void SetGridLines(bool value) { SetExtendedFlag(FGridLines, value); }
    bool HotTrack() const noexcept { return FHotTrack; }
    void SetHotTrack(bool value) { SetExtendedFlag(FHotTrack, value); }
    // No label editing.
    bool ReadOnly() const noexcept { return FReadOnly; }
    void SetReadOnly(bool value) { SetStyleFlag(FReadOnly, value); }
    bool MultiSelect() const noexcept { return FMultiSelect; }
    void SetMultiSelect(bool value) { SetStyleFlag(FMultiSelect, value); }
    bool ShowColumnHeaders() const noexcept { return FShowColumnHeaders; }
    void SetShowColumnHeaders(bool value) { SetStyleFlag(FShowColumnHeaders, value); }
    bool HideSelection() const noexcept { return FHideSelection; }
    void SetHideSelection(bool value) { SetStyleFlag(FHideSelection, value); }
    TBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);

    // The first selected item (null for none), how many are selected, the focused item.
    TListItem* Selected() const noexcept;
    void SetSelected(TListItem* item);
    int SelCount() const noexcept;
    TListItem* ItemFocused() const noexcept;
    void SetItemFocused(TListItem* item);
    // The item at a client point, or null.
    TListItem* GetItemAt(int x, int y);
    void SelectAll();
    void ClearSelection();
    // The report view's header window; null when the platform has not made one.
    HWND HeaderHandle();

    // Label editing from code (not ReadOnly).
    void EditItem(TListItem* item);
    bool IsEditing() const;

    TLVChangingEvent OnChanging;
    TLVChangeEvent OnChange;
    TLVSelectItemEvent OnSelectItem;
    TLVCheckedItemEvent OnItemChecked;
    TLVColumnClickEvent OnColumnClick;
    TLVEditingEvent OnEditing;
    TLVEditedEvent OnEdited;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void ChangeScale(int oldDpi, int newDpi) override;

private:
    friend class TListItem;
    friend class TListItems;
    friend class TListColumn;
    friend class TListColumns;

    enum class TSync : std::uint8_t {
        None,     // notifications are the user's (or code's) changes
        Building, // the native items are being made from the model: state is taken, no events
        Tearing,  // the window is going: nothing it says is taken
    };
    class TSyncScope;

    DWORD ListStyle() const noexcept;
    DWORD ExtendedStyle() const noexcept;
    void SetStyleFlag(bool& flag, bool value);
    void SetExtendedFlag(bool& flag, bool value);
    void UpdateStyle();
    void SetImageList(TImageList*& field, TImageList* images, int which);
    void ApplyImageLists();
    void ApplyColors();
    void DropCheckImages();
    // The native side of the model.
    void InsertNative(TListItem* item);
    void DeleteNative(int index);
    void UpdateNative(TListItem* item, UINT mask);
    void PushSubItems(TListItem* item);
    void PushCheck(TListItem* item);
    UINT NativeState(const TListItem* item);
    // Sets Selected (LVIS_SELECTED), Focused (LVIS_FOCUSED) or Checked (LVIS_STATEIMAGEMASK).
    void ChangeState(TListItem* item, UINT mask, bool value);
    void PushAllItems();
    // The native columns after a change of one column (or of the collection: null).
    void ColumnsChanged(TListColumn* column);
    void SetNativeColumn(TListColumn* column, bool insert);
    void HeaderItemChanged(const NMHEADERW& info);
    int NativeColumnCount();
    // Notifications (CN_NOTIFY); answers the notification's result.
    LRESULT HandleNotify(NMHDR& header);
    LRESULT ItemChanging(const NMLISTVIEW& info);
    void ItemChanged(const NMLISTVIEW& info);
    void TakeState(TListItem* item, UINT newState, bool events);
    // OnChange, except while the form is read.
    void Change(TListItem* item, TItemChange change);

    std::unique_ptr<TListItems> FItems;
    std::unique_ptr<TListColumns> FColumns;
    TViewStyle FViewStyle = vsIcon;
    bool FCheckboxes = false;
    TImageList* FLargeImages = nullptr;
    TImageList* FSmallImages = nullptr;
    TImageList* FStateImages = nullptr;
    bool FRowSelect = false;
    bool FGridLines = false;
    bool FHotTrack = false;
    bool FReadOnly = false;
    bool FMultiSelect = false;
    bool FShowColumnHeaders = true;
    bool FHideSelection = true;
    TBorderStyle FBorderStyle = bsSingle;
    TSync FSync = TSync::None;
};

class TListView : public TCustomListView {
    ORVO_CLASS(TListView, TCustomListView)
public:
    explicit TListView(TComponent* owner);
    static void Publish(TPublisher<TListView>& p);
};

} // namespace orvo
