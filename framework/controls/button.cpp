#include "framework/controls/button.h"

#include "framework/controls/control_publish.h"
#include "framework/forms/forms.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TButtonControl);
ORVO_IMPLEMENT_CLASS(TButton);

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(TControlStyle{csDoubleClicks});
    SetTabStop(true);
}

void TButtonControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.BaseClassName = L"BUTTON";
}

void TButton::Publish(TPublisher<TButton>& p) {
    PublishCaption(p);
    PublishFont(p);
    p.Boolean(L"Default", &TButton::Default, &TButton::SetDefault);
    p.Boolean(L"Cancel", &TButton::Cancel, &TButton::SetCancel);
    p.Integer(L"ModalResult", ModalResultType(), &TButton::ModalResult, &TButton::SetModalResult);
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value) {
    if (value == FDefault) return;
    FDefault = value;
    FActive = value;
    if (!HandleAllocated()) return;
    if (TCustomForm* form = GetParentForm(this))
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
    else
        SetButtonStyle(value);
}

void TButton::Click() {
    // The modal result first: an OnClick handler may still cancel it.
    if (TCustomForm* form = GetParentForm(this); form && FModalResult != 0)
        form->SetModalResult(FModalResult);
    TButtonControl::Click();
}

void TButton::SetButtonStyle(bool isDefault) {
    if (!HandleAllocated()) return;
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    const LONG_PTR wanted = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((style & 0x0F) != wanted) SendMessageW(Handle(), BM_SETSTYLE, static_cast<WPARAM>(wanted), TRUE);
}

void TButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) Click();
        m.Result = 0;
        return;
    case CM_DIALOGKEY:
        if (((m.WParam == VK_RETURN && FActive) || (m.WParam == VK_ESCAPE && FCancel)) &&
            KeyDataShiftState(m.LParam).Empty() && CanFocus()) {
            Click();
            m.Result = 1;
            return;
        }
        break;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<WORD>(m.WParam), Caption()) && CanFocus()) {
            Click();
            m.Result = 1;
            return;
        }
        break;
    case CM_FOCUSCHANGED: {
        auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
        FActive = focused && focused->InheritsFrom<TButton>() ? focused == this : FDefault;
        SetButtonStyle(FActive);
        break;
    }
    default:
        break;
    }
    TButtonControl::WndProc(m);
}

} // namespace orvo
