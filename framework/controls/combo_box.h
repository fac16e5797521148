// Combo boxes over the native COMBOBOX class.
//
// Classes in this file:
//   TCustomComboBox  the combo: Style, Items (item_list.h), Text, ItemIndex, the drop-down list
//   TComboBox        the published combo box
//
// Styles: csDropDown (an edit and a drop-down list), csSimple (an edit over a list that is always
// shown), csDropDownList (a drop-down list only; Text is the selected item's), and the owner-drawn
// drop-down lists csOwnerDrawFixed / csOwnerDrawVariable (see list_box.h for the drawing events).
//
// Height: a drop-down combo is as high as its font makes its edit; the height asked for is kept
// only by csSimple. The drop-down list shows DropDownCount items (the window is made that much
// higher, which the platform takes as the list's height).
//
// Events from the user: OnChange when the text changes (typing, or picking an item: Text is
// already the picked item's then), OnSelect and OnClick when an item is picked, OnDropDown and
// OnCloseUp around the list. Changes from code raise none. The combo's inner edit and list are
// native windows; their colour requests are answered with the combo's Color and Font.
#pragma once

#include "framework/controls/control_publish.h"
#include "framework/controls/item_list.h"
#include "framework/controls/list_box.h"
#include "framework/controls/win_control.h"

#include <memory>

namespace orvo {

enum TComboBoxStyle : std::uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
const TEnumType& ComboBoxStyleType();

class TCustomComboBox : public TWinControl {
    ORVO_CLASS(TCustomComboBox, TWinControl)
public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    TComboBoxStyle Style() const noexcept { return FStyle; }
    void SetStyle(TComboBoxStyle style);
    TStrings* Items() noexcept { return FItems.get(); }
    void SetItems(TStrings* items);
    // -1 for none; out-of-range values select nothing. Selecting an item sets Text to it.
    int ItemIndex() const;
    void SetItemIndex(int index);
    bool Sorted() const noexcept { return FItems->Sorted(); }
    void SetSorted(bool value) { FItems->SetSorted(value); }
    // Items the drop-down list shows at once (at least 1).
    int DropDownCount() const noexcept { return FDropDownCount; }
    void SetDropDownCount(int count);
    bool DroppedDown() const;
    void SetDroppedDown(bool value);
    // The most characters the user can type into the edit; 0 for no limit.
    int MaxLength() const noexcept { return FMaxLength; }
    void SetMaxLength(int length);
    int ItemHeight() const;
    void SetItemHeight(int height);
    // The inner edit (csDropDown, csSimple) and the list window; null when absent.
    HWND EditHandle() const;
    HWND ListHandle() const;
    void SelectAll();

    void SetBounds(int left, int top, int width, int height) override;

    TCanvas* Canvas() noexcept { return &FCanvas; }

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    std::wstring GetText() const override;
    void SetTextBuf(const std::wstring& text) override;
    void Loaded() override;
    // The item height (owner-drawn lists) and the dropped height at the new DPI.
    void ChangeScale(int oldDpi, int newDpi) override;
    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    virtual void DrawItem(int index, RECT rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);

private:
    bool HasEdit() const noexcept { return FStyle == csDropDown || FStyle == csSimple; }
    HWND Window() const;
    // The window height that gives the drop-down list DropDownCount items.
    int DroppedHeight() const;
    void AdjustDropDown();
    void SelectionChanged();

    std::unique_ptr<TItemStrings> FItems;
    TCanvas FCanvas;
    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
    int FMaxLength = 0;
    TScaledLength FItemHeight{16};
    int FSavedItemIndex = -1;
    bool FSettingText = false;
};

class TComboBox : public TCustomComboBox {
    ORVO_CLASS(TComboBox, TCustomComboBox)
public:
    explicit TComboBox(TComponent* owner);
    static void Publish(TPublisher<TComboBox>& p);
};

} // namespace orvo
