#include "framework/controls/menu_button.h"

#include "framework/base/properties.h"
#include "framework/menus/popup_menu.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TMenuButton);

namespace {

// The arrow's box at the right of the face: 7 pixels wide, 4 high, inside the button.
constexpr int ArrowSpace = 14;

} // namespace

TMenuButton::TMenuButton(TComponent* owner) : TBitBtn(owner) {
    FRightSpace = ArrowSpace;
}

TMenuButton::~TMenuButton() {
    SetDropDownMenu(nullptr);
}

void TMenuButton::Publish(TPublisher<TMenuButton>& p) {
    p.Object(L"DropDownMenu", &TMenuButton::DropDownMenu, &TMenuButton::SetDropDownMenu);
}

void TMenuButton::SetDropDownMenu(TPopupMenu* menu) {
    if (menu == FDropDownMenu) return;
    if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
    FDropDownMenu = menu;
    if (menu) menu->FreeNotification(this);
}

void TMenuButton::Notification(TComponent* component, TOperation operation) {
    TBitBtn::Notification(component, operation);
    if (operation == opRemove && component == FDropDownMenu) FDropDownMenu = nullptr;
}

POINT TMenuButton::ArrowTip() {
    return POINT{Width() - 2 - ArrowSpace / 2, (Height() + 4) / 2};
}

void TMenuButton::Click() {
    if (!FDropDownMenu) {
        TBitBtn::Click();
        return;
    }
    const POINT below = ClientToScreen(POINT{0, Height()});
    FDropDownMenu->SetPopupComponent(this);
    FDropDownMenu->Popup(below.x, below.y);
}

void TMenuButton::PaintButton(HDC dc, const RECT& bounds, bool pressed, bool focused) {
    TBitBtn::PaintButton(dc, bounds, pressed, focused);
    POINT tip = ArrowTip();
    if (pressed) {
        ++tip.x;
        ++tip.y;
    }
    const POINT arrow[] = {{tip.x - 3, tip.y - 3}, {tip.x + 4, tip.y - 3}, {tip.x, tip.y + 1}};
    const COLORREF colour = ColorToColorRef(Enabled() ? clWindowText : clBtnShadow);
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_NULL, 0, colour);
    if (brush && pen) {
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        Polygon(dc, arrow, 3);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
    }
    if (pen) DeleteObject(pen);
    if (brush) DeleteObject(brush);
}

} // namespace orvo
