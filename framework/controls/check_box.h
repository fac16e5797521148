// Check boxes: the native BUTTON in its three-state style, toggled by the framework itself so
// that State is always the control's own: unchecked -> checked -> unchecked, or with AllowGrayed
// unchecked -> grayed -> checked -> unchecked. OnClick runs after every change of State, by the
// user or by code (not while the form is being read), after CM_CHECKSTATECHANGED.
#pragma once

#include "framework/controls/button.h"

namespace orvo {

enum TCheckBoxState : std::uint8_t { cbUnchecked, cbChecked, cbGrayed };
const TEnumType& CheckBoxStateType();

class TCustomCheckBox : public TButtonControl {
    ORVO_CLASS(TCustomCheckBox, TButtonControl)
public:
    explicit TCustomCheckBox(TComponent* owner);

    TCheckBoxState State() const noexcept { return FState; }
    void SetState(TCheckBoxState state);
    bool Checked() const noexcept { return FState == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const noexcept { return FAllowGrayed; }
    void SetAllowGrayed(bool value) noexcept { FAllowGrayed = value; }
    // Where the caption stands: taRightJustify (the default) right of the box, taLeftJustify left.
    TAlignment Alignment() const noexcept { return FAlignment; }
    void SetAlignment(TAlignment alignment);

protected:
    // The next state, as a click gives it.
    virtual void Toggle();
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
    ORVO_CLASS(TCheckBox, TCustomCheckBox)
public:
    explicit TCheckBox(TComponent* owner);
    static void Publish(TPublisher<TCheckBox>& p);
};

} // namespace orvo
