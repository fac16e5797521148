// Push buttons. TButtonControl is the base of the controls that wrap the native BUTTON class
// (push buttons, check boxes). TButton clicks on BN_CLICKED (reflected as CN_COMMAND), answers
// Enter when it is the default button (and shows the default frame while no other button has
// the focus), Esc when it is the cancel button, its mnemonic, and closes a modal form with its
// ModalResult.
#pragma once

#include "framework/controls/win_control.h"

namespace orvo {

class TButtonControl : public TWinControl {
    ORVO_CLASS(TButtonControl, TWinControl)
public:
    explicit TButtonControl(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
};

class TButton : public TButtonControl {
    ORVO_CLASS(TButton, TButtonControl)
public:
    explicit TButton(TComponent* owner);

    // Enter clicks it (unless another button has the focus).
    bool Default() const noexcept { return FDefault; }
    void SetDefault(bool value);
    // Esc clicks it.
    bool Cancel() const noexcept { return FCancel; }
    void SetCancel(bool value) noexcept { FCancel = value; }
    // Given to the parent form when clicked (which ends a modal form).
    std::int32_t ModalResult() const noexcept { return FModalResult; }
    void SetModalResult(std::int32_t result) noexcept { FModalResult = result; }

    void Click() override;

    static void Publish(TPublisher<TButton>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    // Shows or drops the default frame (the native style; an owner-drawn button draws it itself).
    virtual void SetButtonStyle(bool isDefault);

private:
    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false; // answers Enter now (shows the default frame)
    std::int32_t FModalResult = 0;
};

} // namespace orvo
