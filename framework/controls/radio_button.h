// Radio buttons: the native BUTTON in its plain radio style, checked by the framework itself so
// that Checked is always the control's own. A button becomes checked by a click, Space, its
// mnemonic, the focus arriving other than by the mouse (an arrow key) or code; it then unchecks every other
// radio button of the same parent, tells whoever paints it (CM_CHECKSTATECHANGED) and runs OnClick (not while
// the form is being read). A checked button is its group's tab stop, so Tab enters a group at its checked
// button and arrows move within it.
#pragma once

#include "framework/controls/button.h"

namespace orvo {

class TRadioButton : public TButtonControl {
    ORVO_CLASS(TRadioButton, TButtonControl)
public:
    explicit TRadioButton(TComponent* owner);

    bool Checked() const noexcept { return FChecked; }
    void SetChecked(bool checked);
    // Where the caption stands: taRightJustify (the default) right of the circle, taLeftJustify left.
    TAlignment Alignment() const noexcept { return FAlignment; }
    void SetAlignment(TAlignment alignment);

    static void Publish(TPublisher<TRadioButton>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;

private:
    void UncheckSiblings();

    bool FChecked = false;
    TAlignment FAlignment = taRightJustify;
};

} // namespace orvo
