// TPopupMenu: a menu shown at a point (Popup) and tracked until the user picks an entry or
// dismisses it. While it shows, the menu belongs to a hidden window of the framework (PopupWindow)
// that passes its messages on to the popup menus: WM_COMMAND clicks the item (before Popup
// returns), WM_INITMENUPOPUP runs the opening sub-menu's OnClick, WM_DRAWITEM / WM_MEASUREITEM
// draw owner-drawn items, WM_MENUCHAR finds mnemonics, WM_MENUSELECT reaches the menu-select
// handler.
#pragma once

#include "framework/menus/menus.h"

#include <cstdint>
#include <functional>

namespace orvo {

template <class T> class TPublisher;

// Where the menu stands against the point given to Popup.
enum TPopupAlignment : std::uint8_t { paLeft, paRight, paCenter };
// The mouse button that picks entries.
enum TTrackButton : std::uint8_t { tbRightButton, tbLeftButton };

class TPopupMenu : public TMenu {
    ORVO_CLASS(TPopupMenu, TMenu)
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // Runs OnPopup, then shows the menu at (x, y) in screen coordinates and returns when it
    // closes, after the picked item's OnClick ran. The popup menu may be freed by that handler.
    virtual void Popup(int x, int y);

    TPopupAlignment Alignment() const noexcept { return FAlignment; }
    void SetAlignment(TPopupAlignment alignment) noexcept { FAlignment = alignment; }
    // A control shows the menu by itself on a right click (the control's business).
    bool AutoPopup() const noexcept { return FAutoPopup; }
    void SetAutoPopup(bool autoPopup) noexcept { FAutoPopup = autoPopup; }
    TTrackButton TrackButton() const noexcept { return FTrackButton; }
    void SetTrackButton(TTrackButton button) noexcept { FTrackButton = button; }
    // The component the menu was last shown for; cleared when that component goes.
    TComponent* PopupComponent() const noexcept { return FPopupComponent; }
    void SetPopupComponent(TComponent* component);

    TNotifyEvent OnPopup;

    // The hidden window that owns popup menus while they show.
    static HWND PopupWindow();

    static void Publish(TPublisher<TPopupMenu>& p);

protected:
    HMENU CreateMenuHandle() override;
    virtual void DoPopup();
    void Notification(TComponent* component, TOperation operation) override;

private:
    UINT TrackFlags() const noexcept;

    TPopupAlignment FAlignment = paLeft;
    bool FAutoPopup = true;
    TTrackButton FTrackButton = tbRightButton;
    TComponent* FPopupComponent = nullptr;
};

// Called with the item under the cursor in a shown popup menu (null when the menu closes), e.g.
// to show the item's Hint. Answers the previous handler.
using TMenuSelectHandler = std::function<void(TMenuItem* item)>;
TMenuSelectHandler SetMenuSelectHandler(TMenuSelectHandler handler);

} // namespace orvo
