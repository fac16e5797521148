#include "framework/controls/radio_button.h"

#include "framework/controls/control_publish.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TRadioButton);

void TRadioButton::Publish(TPublisher<TRadioButton>& p) {
    PublishCaption(p);
    PublishColor(p);
    PublishFont(p);
    p.Enum(L"Alignment", AlignmentType(), &TRadioButton::Alignment, &TRadioButton::SetAlignment);
    p.Boolean(L"Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 113, 17);
    SetParentColor(true);
    SetTabStop(false);
}

void TRadioButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.Style |= BS_RADIOBUTTON;
    // The caption's side, as seen in the control's reading order.
    if ((FAlignment == taLeftJustify) != UseRightToLeftAlignment()) params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd() {
    TButtonControl::CreateWnd();
    SendMessageW(Handle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool checked) {
    if (checked == FChecked) return;
    FChecked = checked;
    SetTabStop(checked);
    if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (checked) UncheckSiblings();
    Perform(CM_CHECKSTATECHANGED);
    if (checked && !ComponentState().Contains(csLoading)) Click();
}

void TRadioButton::UncheckSiblings() {
    if (!Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        TControl* sibling = Parent()->Controls(i);
        if (sibling != this && sibling->InheritsFrom<TRadioButton>())
            static_cast<TRadioButton*>(sibling)->SetChecked(false);
    }
}

void TRadioButton::SetAlignment(TAlignment alignment) {
    if (alignment == FAlignment) return;
    FAlignment = alignment;
    RecreateWnd();
}

void TRadioButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) SetChecked(true);
        m.Result = 0;
        return;
    case WM_SETFOCUS:
        // Focus that does not come from the mouse (an arrow key, code) checks the button, as the
        // native dialog navigation does; a click checks it on release.
        TButtonControl::WndProc(m);
        if (!FChecked && GetKeyState(VK_LBUTTON) >= 0 && Focused())
            Perform(CN_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(Handle()));
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<WORD>(m.WParam), Caption()) && CanFocus()) {
            SetFocus();
            if (Focused()) SetChecked(true);
            m.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TButtonControl::WndProc(m);
}

} // namespace orvo
