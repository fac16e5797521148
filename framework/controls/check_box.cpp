#include "framework/controls/check_box.h"

#include "framework/controls/control_publish.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TCustomCheckBox);
ORVO_IMPLEMENT_CLASS(TCheckBox);

const TEnumType& CheckBoxStateType() {
    static const TEnumType type(L"TCheckBoxState", {L"cbUnchecked", L"cbChecked", L"cbGrayed"});
    return type;
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 97, 17);
    SetParentColor(true);
}

void TCustomCheckBox::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.Style |= BS_3STATE;
    // The caption's side, as seen in the control's reading order.
    if ((FAlignment == taLeftJustify) != UseRightToLeftAlignment()) params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd() {
    TButtonControl::CreateWnd();
    SendMessageW(Handle(), BM_SETCHECK, FState, 0);
}

void TCustomCheckBox::SetState(TCheckBoxState state) {
    if (state == FState) return;
    FState = state;
    if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, state, 0);
    Perform(CM_CHECKSTATECHANGED);
    if (!ComponentState().Contains(csLoading)) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment alignment) {
    if (alignment == FAlignment) return;
    FAlignment = alignment;
    RecreateWnd();
}

void TCustomCheckBox::Toggle() {
    switch (FState) {
    case cbUnchecked:
        SetState(FAllowGrayed ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

void TCustomCheckBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) Toggle();
        m.Result = 0;
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<WORD>(m.WParam), Caption()) && CanFocus()) {
            SetFocus();
            if (Focused()) Toggle();
            m.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TButtonControl::WndProc(m);
}

TCheckBox::TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}

void TCheckBox::Publish(TPublisher<TCheckBox>& p) {
    PublishCaption(p);
    PublishColor(p);
    PublishFont(p);
    p.Enum(L"Alignment", AlignmentType(), &TCheckBox::Alignment, &TCheckBox::SetAlignment);
    p.Boolean(L"AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed);
    p.Boolean(L"Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
    p.Enum(L"State", CheckBoxStateType(), &TCheckBox::State, &TCheckBox::SetState);
}

} // namespace orvo
