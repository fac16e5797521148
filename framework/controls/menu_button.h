// Menu buttons: bit buttons with a drop-down arrow at their right that show DropDownMenu below
// themselves when clicked (instead of running OnClick); without a menu they click as bit buttons.
#pragma once

#include "framework/controls/bit_btn.h"

namespace orvo {

class TPopupMenu;

class TMenuButton : public TBitBtn {
    ORVO_CLASS(TMenuButton, TBitBtn)
public:
    explicit TMenuButton(TComponent* owner);
    ~TMenuButton() override;

    TPopupMenu* DropDownMenu() const noexcept { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* menu);
    // Where the arrow's tip is, in the button's coordinates.
    POINT ArrowTip();

    void Click() override;

    static void Publish(TPublisher<TMenuButton>& p);

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void PaintButton(HDC dc, const RECT& bounds, bool pressed, bool focused) override;

private:
    TPopupMenu* FDropDownMenu = nullptr;
};

} // namespace orvo
