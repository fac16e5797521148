// Radio groups: a group box holding one radio button per line of Items, laid out top to bottom in
// Columns columns, with ItemIndex the checked one (-1: none). The buttons belong to the group
// (Buttons(i); they are its children, not the form's components) and are made again whenever
// Items change. OnClick runs whenever a button becomes checked, by the user or by code (not while
// the form is being read); CanModify may refuse a click.
#pragma once

#include "framework/base/string_list.h"
#include "framework/controls/group_box.h"
#include "framework/controls/radio_button.h"

#include <vector>

namespace orvo {

class TCustomRadioGroup;

// A button of a radio group: tells its group when it becomes checked.
class TGroupButton : public TRadioButton {
    ORVO_CLASS(TGroupButton, TRadioButton)
public:
    TGroupButton(TCustomRadioGroup* group, int index);
    int Index() const noexcept { return FIndex; }
    void Click() override;

protected:
    void WndProc(TMessage& message) override;

private:
    friend class TCustomRadioGroup;
    TCustomRadioGroup* FGroup;
    int FIndex;
};

class TCustomRadioGroup : public TCustomGroupBox {
    ORVO_CLASS(TCustomRadioGroup, TCustomGroupBox)
public:
    explicit TCustomRadioGroup(TComponent* owner);
    ~TCustomRadioGroup() override;

    TStrings* Items() noexcept { return &FItems; }
    void SetItems(TStrings* items);
    int ItemIndex() const noexcept { return FItemIndex; }
    // -1 (or any value outside the items) checks none.
    void SetItemIndex(int index);
    int Columns() const noexcept { return FColumns; }
    // 1 to 16.
    void SetColumns(int columns);

    int ButtonCount() const noexcept { return static_cast<int>(FButtons.size()); }
    // Throws EListError for an index out of range.
    TRadioButton* Buttons(int index) const;

protected:
    // Asked before a click checks another button; false keeps the current one.
    virtual bool CanModify();
    void Loaded() override;
    void Resize() override;
    void WndProc(TMessage& message) override;

private:
    friend class TGroupButton;
    void ButtonChecked(TGroupButton* button);
    void UpdateButtons();
    void ArrangeButtons();

    TStringList FItems;
    std::vector<TGroupButton*> FButtons;
    int FItemIndex = -1;
    int FColumns = 1;
    bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
    ORVO_CLASS(TRadioGroup, TCustomRadioGroup)
public:
    explicit TRadioGroup(TComponent* owner);
    static void Publish(TPublisher<TRadioGroup>& p);
};

} // namespace orvo
