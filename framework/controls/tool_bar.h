// Tool bars over the native ToolbarWindow32 class.
//
// Classes in this file:
//   TToolButton  one button of a tool bar: a component placed in the bar (nested in it in stored
//                forms), with caption, image, style (button, check, drop-down, separator,
//                divider), Down, Grouped, a menu item it stands for or a drop-down menu, OnClick
//   TToolBar     the bar: images, flat look, captions shown or not, beside the images (List) or
//                below, button size, wrapping, and its custom-draw events
//
// The buttons live in their components and are written into each new window. A check button's
// Down follows the user's clicks; among adjacent Grouped check buttons only one is down. A click
// runs the button's OnClick, or its MenuItem's click when it has no OnClick. A drop-down button
// shows its DropdownMenu below itself from the arrow (and from the whole button when it has no
// OnClick). A bar given a main menu (`Menu`) shows a button per top item and drops the item's
// sub-menu from it.
//
// Custom drawing (NM_CUSTOMDRAW, reflected to the bar as CN_NOTIFY): OnCustomDraw and
// OnAdvancedCustomDraw paint the bar's background on Canvas before the buttons; OnCustomDrawButton
// and OnAdvancedCustomDrawButton paint a button (its rectangle is Button->BoundsRect()) and may
// leave the rest to the platform (DefaultDraw) in the font and colour of Canvas, with the native
// drawing flags of TTBCustomDrawFlags (no edges, no offset when pressed, ...).
#pragma once

#include "framework/controls/custom_draw.h"
#include "framework/controls/win_control.h"

#include <commctrl.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvo {

class TImageList;
class TMainMenu;
class TMenuItem;
class TPopupMenu;
class TToolBar;

enum TToolButtonStyle : std::uint8_t { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
const TEnumType& ToolButtonStyleType();

class TToolButton : public TComponent {
    ORVO_CLASS(TToolButton, TComponent)
public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;

    TToolBar* ToolBar() const noexcept { return FToolBar; }
    // Puts the button last into a bar (or takes it out with null).
    void SetToolBar(TToolBar* bar);
    // The place in the bar, -1 outside one; setting it moves the button.
    int Index() const;
    void SetIndex(int index);
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;

    const std::wstring& Caption() const noexcept { return FCaption; }
    void SetCaption(const std::wstring& caption);
    const std::wstring& Hint() const noexcept { return FHint; }
    void SetHint(const std::wstring& hint) { FHint = hint; }
    // In the bar's Images; -1 for none.
    int ImageIndex() const noexcept { return FImageIndex; }
    void SetImageIndex(int index);
    TToolButtonStyle Style() const noexcept { return FStyle; }
    void SetStyle(TToolButtonStyle style);
    // A check button that is pressed in (the user's clicks change it).
    bool Down() const noexcept { return FDown; }
    void SetDown(bool value);
    // Adjacent grouped check buttons: one down at a time.
    bool Grouped() const noexcept { return FGrouped; }
    void SetGrouped(bool value);
    bool Enabled() const noexcept { return FEnabled; }
    void SetEnabled(bool value);
    bool Visible() const noexcept { return FVisible; }
    void SetVisible(bool value);
    // The next button starts a new row (wrapping bars).
    bool Wrap() const noexcept { return FWrap; }
    void SetWrap(bool value);
    // The width of a separator or divider (0: the platform's), in pixels at the bar's DPI.
    int SeparatorWidth() const noexcept;
    void SetSeparatorWidth(int width);
    // The menu item the button stands for: its caption, image and enablement are taken over when
    // it is assigned, and a click without OnClick clicks it.
    TMenuItem* MenuItem() const noexcept { return FMenuItem; }
    void SetMenuItem(TMenuItem* item);
    TPopupMenu* DropdownMenu() const noexcept { return FDropdownMenu; }
    void SetDropdownMenu(TPopupMenu* menu);

    // The button's rectangle in the bar's client area (empty outside a bar with a window).
    RECT BoundsRect() const;
    // What a click does: OnClick, else the menu item's click.
    virtual void Click();

    TNotifyEvent OnClick;

    static void Publish(TPublisher<TToolButton>& p);

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

private:
    friend class TToolBar;
    bool IsCheck() const noexcept { return FStyle == tbsCheck; }
    void Changed();

    TToolBar* FToolBar = nullptr;
    std::wstring FCaption;
    std::wstring FHint;
    int FImageIndex = -1;
    TToolButtonStyle FStyle = tbsButton;
    bool FDown = false;
    bool FGrouped = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FWrap = false;
    TScaledLength FSeparatorWidth{0};
    TMenuItem* FMenuItem = nullptr;
    TPopupMenu* FDropdownMenu = nullptr;
    int FCommand = 0; // the native button's command number, unique in its bar
};

// Native drawing left out after a custom-drawn button (the platform's TBCDRF_* flags, bit n of the
// set is TBCDRF bit 16 + n): tbBlendIcon blends the image with the highlight,
// tbNoBackground leaves the button's background (a hot or pressed fill) undrawn.
enum TTBCustomDrawFlag : std::uint8_t {
    tbNoEdges,
    tbHiliteHotTrack,
    tbNoOffset,
    tbNoMark,
    tbNoEtchedEffect,
    tbBlendIcon,
    tbNoBackground,
};
using TTBCustomDrawFlags = TSet<TTBCustomDrawFlag>;

using TTBCustomDrawEvent = std::function<void(TToolBar* Sender, const RECT& ARect, bool& DefaultDraw)>;
using TTBAdvancedCustomDrawEvent =
    std::function<void(TToolBar* Sender, const RECT& ARect, TCustomDrawStage Stage, bool& DefaultDraw)>;
using TTBCustomDrawBtnEvent =
    std::function<void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw)>;
using TTBAdvancedCustomDrawBtnEvent =
    std::function<void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, TCustomDrawStage Stage,
                       TTBCustomDrawFlags& Flags, bool& DefaultDraw)>;

class TToolBar : public TWinControl {
    ORVO_CLASS(TToolBar, TWinControl)
public:
    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;

    int ButtonCount() const noexcept { return static_cast<int>(FButtons.size()); }
    // Throws EListError for an index out of range.
    TToolButton* Buttons(int index) const;

    // Not owned; the bar forgets a list that is freed.
    TImageList* Images() const noexcept { return FImages; }
    void SetImages(TImageList* images);
    bool Flat() const noexcept { return FFlat; }
    void SetFlat(bool value);
    bool ShowCaptions() const noexcept { return FShowCaptions; }
    void SetShowCaptions(bool value);
    // Captions beside the images instead of below them.
    bool List() const noexcept { return FList; }
    void SetList(bool value);
    // Buttons wrap into rows when the bar is too narrow.
    bool Wrapable() const noexcept { return FWrapable; }
    void SetWrapable(bool value);
    // The parent shows through the bar's background.
    bool Transparent() const noexcept { return FTransparent; }
    void SetTransparent(bool value);
    int ButtonWidth() const noexcept { return FButtonWidth.At(CurrentDpi()); }
    void SetButtonWidth(int width);
    int ButtonHeight() const noexcept { return FButtonHeight.At(CurrentDpi()); }
    void SetButtonHeight(int height);
    // A main menu shown as buttons (one per top item, dropping its sub-menu); null for none.
    TMainMenu* Menu() const noexcept { return FMenu; }
    void SetMenu(TMainMenu* menu);

    // The canvas the custom-draw events draw on (only while they run).
    TCanvas* Canvas() noexcept { return FCanvas.get(); }

    TTBCustomDrawEvent OnCustomDraw;
    TTBAdvancedCustomDrawEvent OnAdvancedCustomDraw;
    TTBCustomDrawBtnEvent OnCustomDrawButton;
    TTBAdvancedCustomDrawBtnEvent OnAdvancedCustomDrawButton;

    static void Publish(TPublisher<TToolBar>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    // Button sizes, images and separators at the new DPI.
    void ChangeScale(int oldDpi, int newDpi) override;

private:
    friend class TToolButton;
    void InsertButton(TToolButton* button, int index);
    void RemoveButton(TToolButton* button);
    void MoveButton(TToolButton* button, int index);
    void ButtonChanged(TToolButton* button);
    // The group of adjacent grouped check buttons around `button`.
    void GroupPressed(TToolButton* button);
    void SyncDownFromWindow();
    // Inserts the native button of FButtons[index] at that place.
    void WriteButton(int index);
    void WriteAllButtons();
    void ApplyImages();
    void ApplySizes();
    TToolButton* FindButton(int command) const;
    void ShowDropdown(TToolButton* button);
    void MenuButtonClick(TObject* sender);
    void RebuildMenuButtons();
    LRESULT CustomDraw(NMTBCUSTOMDRAW& draw);
    bool HandleMenuMessage(TMessage& message);

    std::vector<TToolButton*> FButtons;
    std::vector<TToolButton*> FMenuButtons; // made for Menu's items, owned by the bar
    std::unique_ptr<TCanvas> FCanvas;
    TImageList* FImages = nullptr;
    TMainMenu* FMenu = nullptr;
    TMainMenu* FTrackingMenu = nullptr; // whose sub-menu is open now
    bool FFlat = false;
    bool FShowCaptions = false;
    bool FList = false;
    bool FWrapable = true;
    bool FTransparent = false;
    TScaledLength FButtonWidth{23};
    TScaledLength FButtonHeight{22};
    int FNextCommand = 1;
};

} // namespace orvo
