// Check list boxes: a list box with a check box before each item.
//
// Each item has a State (cbUnchecked, cbChecked, cbGrayed; Checked is State == cbChecked), can be
// disabled (ItemEnabled: drawn grey, not toggled by the user) or be a header (Header: a caption
// row across the list in HeaderColor on HeaderBackgroundColor, without a check box, never
// toggled). The marks stay with their items when the list is sorted or re-created. The user
// toggles an item by clicking its check box or pressing Space on it: unchecked -> checked ->
// unchecked, or with AllowGrayed unchecked -> grayed -> checked -> unchecked; OnClickCheck follows
// each toggle by the user (not changes from code).
//
// The items are always owner-drawn (the reflected CN_DRAWITEM, see list_box.h); lbStandard means
// items as high as the font needs.
#pragma once

#include "framework/controls/check_box.h"
#include "framework/controls/list_box.h"

namespace orvo {

class TCheckListBox : public TCustomListBox {
    ORVO_CLASS(TCheckListBox, TCustomListBox)
public:
    explicit TCheckListBox(TComponent* owner);

    // Throw EListError for an index out of range.
    TCheckBoxState State(int index) const;
    void SetState(int index, TCheckBoxState state);
    bool Checked(int index) const { return State(index) == cbChecked; }
    void SetChecked(int index, bool checked) { SetState(index, checked ? cbChecked : cbUnchecked); }
    bool ItemEnabled(int index) const;
    void SetItemEnabled(int index, bool enabled);
    bool Header(int index) const;
    void SetHeader(int index, bool header);

    bool AllowGrayed() const noexcept { return FAllowGrayed; }
    void SetAllowGrayed(bool value) noexcept { FAllowGrayed = value; }
    TColor HeaderColor() const noexcept { return FHeaderColor; }
    void SetHeaderColor(TColor color);
    TColor HeaderBackgroundColor() const noexcept { return FHeaderBackgroundColor; }
    void SetHeaderBackgroundColor(TColor color);

    // The check box's place inside an item's rectangle.
    RECT CheckRect(const RECT& itemRect) const;

    TNotifyEvent OnClickCheck;

    static void Publish(TPublisher<TCheckListBox>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void DrawItem(int index, RECT rect, TOwnerDrawState state) override;
    void ChangeScale(int oldDpi, int newDpi) override;
    // The user's toggle of one item.
    virtual void ToggleItem(int index);
    virtual void ClickCheck();

private:
    std::uint32_t ItemFlags(int index) const;
    void SetItemFlags(int index, std::uint32_t mask, std::uint32_t value);
    void InvalidateItem(int index);
    bool Toggleable(int index) const;
    int StandardItemHeight();

    bool FAllowGrayed = false;
    TColor FHeaderColor = clInfoText;
    TColor FHeaderBackgroundColor = clInfoBk;
};

} // namespace orvo
