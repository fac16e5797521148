// List boxes over the native LISTBOX class.
//
// Classes in this file:
//   TCustomListBox  the list: Items (item_list.h), ItemIndex, multiple selection, sorting,
//                   owner drawing, columns, a horizontal scroll extent
//   TListBox        the published list box
//
// Items are kept by the control and mirrored into the window, so a re-created window (a change of
// Style, MultiSelect, Columns, BorderStyle ...) comes back with the same items, selection and top
// line. The user's selection reaches OnClick (LBN_SELCHANGE) and OnDblClick (LBN_DBLCLK).
//
// Owner drawing (lbOwnerDrawFixed: one ItemHeight; lbOwnerDrawVariable: OnMeasureItem gives each
// item's height) arrives as the reflected CN_MEASUREITEM / CN_DRAWITEM: DrawItem gives OnDrawItem a
// canvas on the item's DC with the control's font and brush (selected items in the highlight
// colours) and draws the focus rectangle after it; without a handler the item's text is drawn.
// Code that chains WindowProc may take CN_DRAWITEM itself and draw the items its own way.
#pragma once

#include "framework/controls/control_publish.h"
#include "framework/controls/item_list.h"
#include "framework/controls/win_control.h"
#include "framework/menus/owner_draw_state.h"

#include <memory>

namespace orvo {

enum TListBoxStyle : std::uint8_t { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
const TEnumType& ListBoxStyleType();

using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, RECT Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

class TCustomListBox : public TWinControl {
    ORVO_CLASS(TCustomListBox, TWinControl)
public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;

    TStrings* Items() noexcept { return FItems.get(); }
    void SetItems(TStrings* items);
    int Count() const noexcept { return FItems->Count(); }

    // The selected item (with MultiSelect: the item with the focus rectangle); -1 for none.
    // Out-of-range values select nothing.
    int ItemIndex() const;
    void SetItemIndex(int index);
    bool MultiSelect() const noexcept { return FMultiSelect; }
    void SetMultiSelect(bool value);
    // With MultiSelect: Shift and Ctrl extend the selection (true), or each click toggles (false).
    bool ExtendedSelect() const noexcept { return FExtendedSelect; }
    void SetExtendedSelect(bool value);
    // Whether an item is selected; throws EListError for an index out of range.
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    int SelCount() const;
    void ClearSelection();
    void SelectAll();

    bool Sorted() const noexcept { return FItems->Sorted(); }
    void SetSorted(bool value) { FItems->SetSorted(value); }
    TListBoxStyle Style() const noexcept { return FStyle; }
    void SetStyle(TListBoxStyle style);
    // The height of one item: the native one for lbStandard, the owner-drawn one otherwise
    // (lbOwnerDrawVariable: the default OnMeasureItem starts from).
    int ItemHeight() const;
    void SetItemHeight(int height);
    // Items flow in this many columns side by side (scrolling horizontally); 0: one column.
    int Columns() const noexcept { return FColumns; }
    void SetColumns(int columns);
    // The width the list scrolls over horizontally; 0: no horizontal scroll bar.
    int ScrollWidth() const noexcept { return FScrollWidth.At(CurrentDpi()); }
    void SetScrollWidth(int width);
    // Round the height down to whole items (the platform's behaviour) or keep it as set.
    bool IntegralHeight() const noexcept { return FIntegralHeight; }
    void SetIntegralHeight(bool value);
    TBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);
    // The first visible item.
    int TopIndex() const;
    void SetTopIndex(int index);
    // The item at a client point; -1 outside the items.
    int ItemAtPos(POINT p, bool existing = true) const;
    RECT ItemRect(int index) const;

    // The canvas of owner drawing (valid inside OnDrawItem).
    TCanvas* Canvas() noexcept { return &FCanvas; }

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    TItemStrings& ItemList() noexcept { return *FItems; }
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    // Item height, scroll width and column width at the new DPI.
    void ChangeScale(int oldDpi, int newDpi) override;
    // Draws one owner-drawn item with the canvas prepared; `state` as the platform gives it.
    virtual void DrawItem(int index, RECT rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);
    // CN_DRAWITEM: prepares the canvas, DrawItem, the focus rectangle.
    virtual void CNDrawItem(TMessage& message);

private:
    void SaveWindowState();
    void RestoreWindowState();
    HWND Window() const;

    std::unique_ptr<TItemStrings> FItems;
    TCanvas FCanvas;
    TListBoxStyle FStyle = lbStandard;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    bool FIntegralHeight = false;
    TBorderStyle FBorderStyle = bsSingle;
    TScaledLength FItemHeight{16};
    int FColumns = 0;
    TScaledLength FScrollWidth{0};
    // Kept while there is no window.
    int FSavedItemIndex = -1;
    int FSavedTopIndex = 0;
};

class TListBox : public TCustomListBox {
    ORVO_CLASS(TListBox, TCustomListBox)
public:
    explicit TListBox(TComponent* owner);
    static void Publish(TPublisher<TListBox>& p);
};

// The list box's published properties, for the list box classes.
template <class T> void PublishListBoxProperties(TPublisher<T>& p) {
    PublishColor(p);
    PublishFont(p);
    p.Object(L"Items", &T::Items, &T::SetItems);
    p.Integer(L"ItemIndex", &T::ItemIndex, &T::SetItemIndex);
    p.Enum(L"BorderStyle", BorderStyleType(), &T::BorderStyle, &T::SetBorderStyle);
    p.Integer(L"Columns", &T::Columns, &T::SetColumns);
    p.Boolean(L"ExtendedSelect", &T::ExtendedSelect, &T::SetExtendedSelect);
    p.Boolean(L"IntegralHeight", &T::IntegralHeight, &T::SetIntegralHeight);
    p.Integer(L"ItemHeight", &T::ItemHeight, &T::SetItemHeight);
    p.Boolean(L"MultiSelect", &T::MultiSelect, &T::SetMultiSelect);
    p.Integer(L"ScrollWidth", &T::ScrollWidth, &T::SetScrollWidth);
    p.Boolean(L"Sorted", &T::Sorted, &T::SetSorted);
    p.Event(L"OnDrawItem", &T::OnDrawItem);
    p.Event(L"OnMeasureItem", &T::OnMeasureItem);
}

} // namespace orvo
