#include "framework/controls/radio_group.h"

#include "framework/base/list.h"
#include "framework/controls/control_publish.h"
#include "framework/graphics/bitmap.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TGroupButton);
ORVO_IMPLEMENT_CLASS(TCustomRadioGroup);
ORVO_IMPLEMENT_CLASS(TRadioGroup);

// ---- TGroupButton ----------------------------------------------------------------------------

TGroupButton::TGroupButton(TCustomRadioGroup* group, int index)
    : TRadioButton(group), FGroup(group), FIndex(index) {}

void TGroupButton::Click() {
    if (Checked()) FGroup->ButtonChecked(this);
    TRadioButton::Click();
}

void TGroupButton::WndProc(TMessage& m) {
    // A click or key that would check this button asks the group first.
    if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED && !Checked() && !FGroup->CanModify()) {
        m.Result = 0;
        return;
    }
    TRadioButton::WndProc(m);
}

// ---- TCustomRadioGroup -----------------------------------------------------------------------

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner) : TCustomGroupBox(owner) {
    SetBounds(0, 0, 185, 105);
    FItems.OnChange = [this](TObject*) { UpdateButtons(); };
}

TCustomRadioGroup::~TCustomRadioGroup() {
    FItems.OnChange = nullptr;
    // The buttons are owned by the group: they go with DestroyComponents while it is whole.
    Destroying();
    DestroyComponents();
    FButtons.clear();
}

void TCustomRadioGroup::SetItems(TStrings* items) {
    if (items) FItems.Assign(items);
}

TRadioButton* TCustomRadioGroup::Buttons(int index) const {
    if (index < 0 || index >= ButtonCount()) ListIndexError(index);
    return FButtons[static_cast<std::size_t>(index)];
}

void TCustomRadioGroup::SetItemIndex(int index) {
    if (ComponentState().Contains(csLoading)) {
        FItemIndex = index; // the items may come later in the text
        return;
    }
    if (index < -1 || index >= ButtonCount()) index = -1;
    if (index == FItemIndex) return;
    if (index < 0) {
        if (FItemIndex >= 0) FButtons[static_cast<std::size_t>(FItemIndex)]->SetChecked(false);
        FItemIndex = -1;
        return;
    }
    // The button unchecks its siblings and reports back (ButtonChecked), which sets FItemIndex.
    FButtons[static_cast<std::size_t>(index)]->SetChecked(true);
}

void TCustomRadioGroup::SetColumns(int columns) {
    columns = std::clamp(columns, 1, 16);
    if (columns == FColumns) return;
    FColumns = columns;
    ArrangeButtons();
}

bool TCustomRadioGroup::CanModify() {
    return true;
}

void TCustomRadioGroup::ButtonChecked(TGroupButton* button) {
    if (FUpdating) return;
    FItemIndex = button->Index();
    if (!ComponentState().Contains(csLoading)) Click();
}

void TCustomRadioGroup::UpdateButtons() {
    const int count = FItems.Count();
    FUpdating = true;
    try {
        while (ButtonCount() > count) {
            TGroupButton* last = FButtons.back();
            FButtons.pop_back();
            delete last;
        }
        while (ButtonCount() < count) {
            auto* button = new TGroupButton(this, ButtonCount());
            FButtons.push_back(button);
            button->SetParent(this);
        }
        for (int i = 0; i < count; ++i) {
            TGroupButton* button = FButtons[static_cast<std::size_t>(i)];
            button->SetCaption(FItems[i]);
            button->SetEnabled(Enabled());
        }
        if (!ComponentState().Contains(csLoading)) {
            if (FItemIndex >= count) FItemIndex = -1;
            for (int i = 0; i < count; ++i)
                FButtons[static_cast<std::size_t>(i)]->SetChecked(i == FItemIndex);
        }
    } catch (...) {
        FUpdating = false;
        throw;
    }
    FUpdating = false;
    ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
    if (FButtons.empty()) return;
    TBitmap measure(1, 1);
    measure.Canvas().Font().Assign(*Font());
    const int textHeight = measure.Canvas().TextHeight(L"0");
    const int count = ButtonCount();
    const int rows = (count + FColumns - 1) / FColumns;
    // Below the caption, above the frame's bottom line; what does not divide evenly is shared
    // above and below.
    // The lengths are at 96 DPI, scaled to the group's.
    const int area = std::max(Height() - textHeight - ScaleValue(5), 0);
    const int rowHeight = area / rows;
    const int top = textHeight + ScaleValue(1) + (area % rows) / 2;
    const int columnWidth = std::max((Width() - ScaleValue(10)) / FColumns, 0);
    for (int i = 0; i < count; ++i) {
        const int column = i / rows;
        const int row = i % rows;
        int left = ScaleValue(8) + column * columnWidth;
        if (UseRightToLeftAlignment()) left = Width() - left - columnWidth;
        FButtons[static_cast<std::size_t>(i)]->SetBounds(left, top + row * rowHeight, columnWidth, rowHeight);
    }
}

void TCustomRadioGroup::Loaded() {
    TCustomGroupBox::Loaded();
    const int wanted = FItemIndex;
    FItemIndex = -1;
    FUpdating = true;
    for (TGroupButton* button : FButtons)
        button->SetChecked(button->Index() == wanted);
    FUpdating = false;
    if (wanted >= 0 && wanted < ButtonCount()) FItemIndex = wanted;
    ArrangeButtons();
}

void TCustomRadioGroup::Resize() {
    TCustomGroupBox::Resize();
    ArrangeButtons();
}

void TCustomRadioGroup::WndProc(TMessage& m) {
    TCustomGroupBox::WndProc(m);
    switch (m.Msg) {
    case CM_FONTCHANGED:
    case CM_BIDIMODECHANGED:
        ArrangeButtons();
        break;
    case CM_ENABLEDCHANGED:
        for (TGroupButton* button : FButtons)
            button->SetEnabled(Enabled());
        break;
    default:
        break;
    }
}

// ---- TRadioGroup -----------------------------------------------------------------------------

TRadioGroup::TRadioGroup(TComponent* owner) : TCustomRadioGroup(owner) {}

void TRadioGroup::Publish(TPublisher<TRadioGroup>& p) {
    PublishCaptionedContainer(p);
    p.Object(L"Items", &TRadioGroup::Items, &TRadioGroup::SetItems);
    p.Integer(L"ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex);
    p.Integer(L"Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns);
}

} // namespace orvo
