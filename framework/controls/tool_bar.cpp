#include "framework/controls/tool_bar.h"

#include "framework/base/exceptions.h"
#include "framework/base/list.h"
#include "framework/base/properties.h"
#include "framework/controls/common_controls.h"
#include "framework/controls/component_reference.h"
#include "framework/controls/control_publish.h"
#include "framework/forms/application.h"
#include "framework/graphics/image_list.h"
#include "framework/menus/menu_item.h"
#include "framework/menus/menus.h"
#include "framework/menus/popup_menu.h"
#include "framework/menus/shortcuts.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TToolButton);
ORVO_IMPLEMENT_CLASS(TToolBar);

const TEnumType& ToolButtonStyleType() {
    static const TEnumType type(L"TToolButtonStyle",
                                {L"tbsButton", L"tbsCheck", L"tbsDropDown", L"tbsSeparator", L"tbsDivider"});
    return type;
}

// ---- TToolButton -----------------------------------------------------------------------------

TToolButton::TToolButton(TComponent* owner) : TComponent(owner) {}

TToolButton::~TToolButton() {
    Destroying();
    SetMenuItem(nullptr);
    SetDropdownMenu(nullptr);
    if (FToolBar) FToolBar->RemoveButton(this);
}

void TToolButton::Publish(TPublisher<TToolButton>& p) {
    p.String(L"Caption", &TToolButton::Caption, &TToolButton::SetCaption);
    p.String(L"Hint", &TToolButton::Hint, &TToolButton::SetHint);
    p.Integer(L"ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex);
    p.Enum(L"Style", ToolButtonStyleType(), &TToolButton::Style, &TToolButton::SetStyle);
    p.Boolean(L"Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped);
    p.Boolean(L"Down", &TToolButton::Down, &TToolButton::SetDown);
    p.Boolean(L"Enabled", &TToolButton::Enabled, &TToolButton::SetEnabled);
    p.Boolean(L"Visible", &TToolButton::Visible, &TToolButton::SetVisible);
    p.Boolean(L"Wrap", &TToolButton::Wrap, &TToolButton::SetWrap);
    p.Integer(L"SeparatorWidth", &TToolButton::SeparatorWidth, &TToolButton::SetSeparatorWidth);
    p.Object(L"MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem);
    p.Object(L"DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu);
    p.Event(L"OnClick", &TToolButton::OnClick);
}

void TToolButton::SetToolBar(TToolBar* bar) {
    if (bar == FToolBar) return;
    if (FToolBar) FToolBar->RemoveButton(this);
    if (bar) bar->InsertButton(this, bar->ButtonCount());
}

void TToolButton::SetParentComponent(TComponent* parent) {
    if (!parent) return;
    auto* bar = dynamic_cast<TToolBar*>(parent);
    if (!bar) throw EComponentError(L"A TToolButton cannot be placed inside a " + std::wstring(parent->ClassName()));
    SetToolBar(bar);
}

TComponent* TToolButton::GetParentComponent() const {
    return FToolBar;
}

int TToolButton::Index() const {
    if (!FToolBar) return -1;
    const auto& buttons = FToolBar->FButtons;
    return static_cast<int>(std::find(buttons.begin(), buttons.end(), this) - buttons.begin());
}

void TToolButton::SetIndex(int index) {
    if (FToolBar) FToolBar->MoveButton(this, index);
}

void TToolButton::Changed() {
    if (FToolBar) FToolBar->ButtonChanged(this);
}

void TToolButton::SetCaption(const std::wstring& caption) {
    if (caption == FCaption) return;
    FCaption = caption;
    Changed();
}

void TToolButton::SetImageIndex(int index) {
    if (index == FImageIndex) return;
    FImageIndex = index;
    Changed();
}

void TToolButton::SetStyle(TToolButtonStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    if (!IsCheck()) FDown = false;
    Changed();
}

void TToolButton::SetDown(bool value) {
    // While the form is read Down may come before Style: checked once the form is read.
    const bool loading = ComponentState().Contains(csLoading);
    if (value == FDown || (!IsCheck() && value && !loading)) return;
    FDown = value;
    if (loading) return;
    if (value && FGrouped && FToolBar) FToolBar->GroupPressed(this);
    Changed();
}

void TToolButton::Loaded() {
    TComponent::Loaded();
    if (!IsCheck()) FDown = false;
    if (FDown && FGrouped && FToolBar) FToolBar->GroupPressed(this);
    Changed();
}

void TToolButton::SetGrouped(bool value) {
    if (value == FGrouped) return;
    FGrouped = value;
    Changed();
}

void TToolButton::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    Changed();
}

void TToolButton::SetVisible(bool value) {
    if (value == FVisible) return;
    FVisible = value;
    Changed();
}

void TToolButton::SetWrap(bool value) {
    if (value == FWrap) return;
    FWrap = value;
    Changed();
}

int TToolButton::SeparatorWidth() const noexcept {
    return FSeparatorWidth.At(FToolBar ? FToolBar->CurrentDpi() : DesignDpi);
}

void TToolButton::SetSeparatorWidth(int width) {
    width = std::max(width, 0);
    if (width == SeparatorWidth()) return;
    FSeparatorWidth.Set(width, FToolBar ? FToolBar->CurrentDpi() : DesignDpi);
    Changed();
}

void TToolButton::SetMenuItem(TMenuItem* item) {
    if (!ReplaceReference(*this, FMenuItem, item) || !item || ComponentState().Contains(csDestroying)) return;
    FCaption = StripHotkey(item->Caption());
    FImageIndex = item->ImageIndex();
    FEnabled = item->Enabled();
    FHint = item->Hint();
    Changed();
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu) {
    ReplaceReference(*this, FDropdownMenu, menu);
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FMenuItem) FMenuItem = nullptr;
    if (component == FDropdownMenu) FDropdownMenu = nullptr;
}

RECT TToolButton::BoundsRect() const {
    RECT r{};
    const int index = Index();
    if (index < 0 || !FToolBar->HandleAllocated() ||
        !SendMessageW(FToolBar->Handle(), TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)))
        return RECT{};
    return r;
}

void TToolButton::Click() {
    if (OnClick)
        OnClick(this);
    else if (FMenuItem)
        FMenuItem->Click();
}

// ---- TToolBar --------------------------------------------------------------------------------

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner), FCanvas(std::make_unique<TCanvas>()) {
    SetControlStyle(TControlStyle{csAcceptsControls, csDoubleClicks});
    SetBounds(0, 0, 150, 29);
}

TToolBar::~TToolBar() {
    Destroying();
    SetMenu(nullptr);
    SetImages(nullptr);
    // Buttons of other owners stay alive: they only leave the bar.
    for (TToolButton* button : FButtons)
        button->FToolBar = nullptr;
    FButtons.clear();
}

void TToolBar::Publish(TPublisher<TToolBar>& p) {
    PublishColor(p);
    PublishFont(p);
    p.Object(L"Images", &TToolBar::Images, &TToolBar::SetImages);
    p.Boolean(L"Flat", &TToolBar::Flat, &TToolBar::SetFlat);
    p.Boolean(L"ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions);
    p.Boolean(L"List", &TToolBar::List, &TToolBar::SetList);
    p.Boolean(L"Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable);
    p.Boolean(L"Transparent", &TToolBar::Transparent, &TToolBar::SetTransparent);
    p.Integer(L"ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth);
    p.Integer(L"ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight);
    p.Object(L"Menu", &TToolBar::Menu, &TToolBar::SetMenu);
    p.Event(L"OnCustomDraw", &TToolBar::OnCustomDraw);
    p.Event(L"OnAdvancedCustomDraw", &TToolBar::OnAdvancedCustomDraw);
    p.Event(L"OnCustomDrawButton", &TToolBar::OnCustomDrawButton);
    p.Event(L"OnAdvancedCustomDrawButton", &TToolBar::OnAdvancedCustomDrawButton);
}

TToolButton* TToolBar::Buttons(int index) const {
    if (index < 0 || index >= ButtonCount()) ListIndexError(index);
    return FButtons[static_cast<std::size_t>(index)];
}

void TToolBar::CreateParams(TCreateParams& params) {
    NeedCommonControls(ICC_BAR_CLASSES);
    TWinControl::CreateParams(params);
    params.BaseClassName = TOOLBARCLASSNAMEW;
    // The framework places the bar: no resizing or aligning of its own.
    params.Style |= CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | WS_CLIPCHILDREN | TBSTYLE_TOOLTIPS;
    if (FFlat) params.Style |= TBSTYLE_FLAT;
    if (FList) params.Style |= TBSTYLE_LIST;
    if (FWrapable) params.Style |= TBSTYLE_WRAPABLE;
    if (FTransparent) params.Style |= TBSTYLE_TRANSPARENT;
}

void TToolBar::CreateWnd() {
    TWinControl::CreateWnd();
    HWND window = Handle();
    SendMessageW(window, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(window, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    ApplyImages();
    WriteAllButtons();
}

void TToolBar::SetFlat(bool value) {
    if (value == FFlat) return;
    FFlat = value;
    RecreateWnd();
}

void TToolBar::SetShowCaptions(bool value) {
    if (value == FShowCaptions) return;
    FShowCaptions = value;
    RecreateWnd();
}

void TToolBar::SetList(bool value) {
    if (value == FList) return;
    FList = value;
    RecreateWnd();
}

void TToolBar::SetWrapable(bool value) {
    if (value == FWrapable) return;
    FWrapable = value;
    RecreateWnd();
}

void TToolBar::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    RecreateWnd();
}

void TToolBar::SetButtonWidth(int width) {
    FButtonWidth.Set(std::max(width, 0), CurrentDpi());
    ApplySizes();
}

void TToolBar::SetButtonHeight(int height) {
    FButtonHeight.Set(std::max(height, 0), CurrentDpi());
    ApplySizes();
}

void TToolBar::SetImages(TImageList* images) {
    if (!ReplaceReference(*this, FImages, images)) return;
    if (HandleAllocated()) {
        ApplyImages();
        WriteAllButtons();
    }
}

void TToolBar::ApplyImages() {
    HWND window = Handle();
    SendMessageW(window, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages ? FImages->Handle() : nullptr));
    // Without images no room is kept for them.
    SendMessageW(window, TB_SETBITMAPSIZE, 0,
                 FImages ? MAKELPARAM(FImages->Width(), FImages->Height()) : MAKELPARAM(0, 0));
    ApplySizes();
}

void TToolBar::ChangeScale(int oldDpi, int newDpi) {
    TWinControl::ChangeScale(oldDpi, newDpi);
    if (FImages) FImages->SetDpi(newDpi); // a list no form owns follows the bar
    if (!HandleAllocated()) return;
    ApplyImages();
    WriteAllButtons();
}

void TToolBar::ApplySizes() {
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), TB_SETBUTTONSIZE, 0, MAKELPARAM(ButtonWidth(), ButtonHeight()));
    SendMessageW(Handle(), TB_AUTOSIZE, 0, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FImages) SetImages(nullptr);
    if (component == FMenu) {
        FMenu = nullptr;
        RebuildMenuButtons();
    }
    // A button freed by another owner has taken itself out already.
}

// ---- buttons ---------------------------------------------------------------------------------

void TToolBar::InsertButton(TToolButton* button, int index) {
    index = std::clamp(index, 0, ButtonCount());
    FButtons.insert(FButtons.begin() + index, button);
    button->FToolBar = this;
    button->FCommand = FNextCommand++;
    if (FNextCommand > 0x7FFF) FNextCommand = 1;
    if (button->FDown && button->FGrouped) GroupPressed(button);
    if (HandleAllocated()) {
        WriteButton(index);
        ApplySizes();
    }
}

void TToolBar::RemoveButton(TToolButton* button) {
    const auto it = std::find(FButtons.begin(), FButtons.end(), button);
    if (it == FButtons.end()) return;
    const int index = static_cast<int>(it - FButtons.begin());
    FButtons.erase(it);
    button->FToolBar = nullptr;
    std::erase(FMenuButtons, button);
    if (HandleAllocated()) {
        SendMessageW(Handle(), TB_DELETEBUTTON, static_cast<WPARAM>(index), 0);
        ApplySizes();
    }
}

void TToolBar::MoveButton(TToolButton* button, int index) {
    const auto it = std::find(FButtons.begin(), FButtons.end(), button);
    if (it == FButtons.end()) return;
    FButtons.erase(it);
    index = std::clamp(index, 0, ButtonCount());
    FButtons.insert(FButtons.begin() + index, button);
    if (HandleAllocated()) WriteAllButtons();
}

void TToolBar::ButtonChanged(TToolButton* button) {
    if (!HandleAllocated()) return;
    const int index = button->Index();
    SendMessageW(Handle(), TB_DELETEBUTTON, static_cast<WPARAM>(index), 0);
    WriteButton(index);
    // A grouped button put down may have put others up.
    for (TToolButton* other : FButtons)
        if (other != button && other->IsCheck())
            SendMessageW(Handle(), TB_CHECKBUTTON, static_cast<WPARAM>(other->FCommand), other->FDown);
    ApplySizes();
}

void TToolBar::GroupPressed(TToolButton* button) {
    const auto it = std::find(FButtons.begin(), FButtons.end(), button);
    if (it == FButtons.end()) return;
    const auto inGroup = [](const TToolButton* b) { return b->IsCheck() && b->FGrouped; };
    for (auto before = it; before != FButtons.begin() && inGroup(*(before - 1));) {
        --before;
        (*before)->FDown = false;
    }
    for (auto after = it + 1; after != FButtons.end() && inGroup(*after); ++after)
        (*after)->FDown = false;
}

void TToolBar::SyncDownFromWindow() {
    for (TToolButton* button : FButtons)
        if (button->IsCheck())
            button->FDown = SendMessageW(Handle(), TB_ISBUTTONCHECKED, static_cast<WPARAM>(button->FCommand), 0) != 0;
}

void TToolBar::WriteButton(int index) {
    const TToolButton* button = FButtons[static_cast<std::size_t>(index)];
    TBBUTTON native{};
    native.idCommand = button->FCommand;
    native.fsState = 0;
    if (button->FEnabled) native.fsState |= TBSTATE_ENABLED;
    if (button->FDown) native.fsState |= TBSTATE_CHECKED;
    if (!button->FVisible) native.fsState |= TBSTATE_HIDDEN;
    if (button->FWrap) native.fsState |= TBSTATE_WRAP;
    switch (button->FStyle) {
    case tbsButton:
        native.fsStyle = BTNS_BUTTON;
        break;
    case tbsCheck:
        native.fsStyle = button->FGrouped ? BTNS_CHECKGROUP : BTNS_CHECK;
        break;
    case tbsDropDown:
        native.fsStyle = BTNS_DROPDOWN;
        break;
    case tbsSeparator:
    case tbsDivider:
        native.fsStyle = BTNS_SEP;
        break;
    }
    const bool separator = native.fsStyle == BTNS_SEP;
    // A captioned button is as wide as its caption needs.
    if (!separator && FShowCaptions) native.fsStyle |= BTNS_AUTOSIZE;
    if (separator)
        native.iBitmap = button->SeparatorWidth();
    else
        native.iBitmap = FImages && button->FImageIndex >= 0 ? button->FImageIndex : I_IMAGENONE;
    native.iString = !separator && FShowCaptions ? reinterpret_cast<INT_PTR>(button->FCaption.c_str()) : -1;
    native.dwData = reinterpret_cast<DWORD_PTR>(button);
    SendMessageW(Handle(), TB_INSERTBUTTONW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&native));
}

void TToolBar::WriteAllButtons() {
    HWND window = Handle();
    while (SendMessageW(window, TB_BUTTONCOUNT, 0, 0) > 0)
        SendMessageW(window, TB_DELETEBUTTON, 0, 0);
    for (int i = 0; i < ButtonCount(); ++i)
        WriteButton(i);
    ApplySizes();
}

TToolButton* TToolBar::FindButton(int command) const {
    for (TToolButton* button : FButtons)
        if (button->FCommand == command) return button;
    return nullptr;
}

void TToolBar::ShowDropdown(TToolButton* button) {
    const RECT r = button->BoundsRect();
    POINT below{r.left, r.bottom};
    ::ClientToScreen(Handle(), &below);
    if (button->FDropdownMenu) {
        button->FDropdownMenu->Popup(below.x, below.y);
        return;
    }
    // A button of the bar's main menu: the item's sub-menu, its commands given to that menu.
    TMenuItem* item = button->FMenuItem;
    if (!FMenu || !item || item->Count() == 0) return;
    SendMessageW(Handle(), TB_PRESSBUTTON, static_cast<WPARAM>(button->FCommand), TRUE);
    FTrackingMenu = FMenu;
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(item->Handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY, below.x, below.y,
                       0, Handle(), nullptr));
    FTrackingMenu = nullptr;
    if (HandleAllocated()) SendMessageW(Handle(), TB_PRESSBUTTON, static_cast<WPARAM>(button->FCommand), FALSE);
    if (command && FMenu) FMenu->DispatchCommand(command);
}

// ---- the main menu as buttons ----------------------------------------------------------------

void TToolBar::SetMenu(TMainMenu* menu) {
    if (ReplaceReference(*this, FMenu, menu) && !ComponentState().Contains(csDestroying)) RebuildMenuButtons();
}

void TToolBar::MenuButtonClick(TObject* sender) {
    if (auto* button = dynamic_cast<TToolButton*>(sender)) ShowDropdown(button);
}

void TToolBar::RebuildMenuButtons() {
    while (!FMenuButtons.empty()) {
        TToolButton* button = FMenuButtons.back();
        FMenuButtons.pop_back();
        delete button;
    }
    if (!FMenu) return;
    TMenuItem* root = FMenu->Items();
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* item = root->Items(i);
        if (!item->Visible()) continue;
        auto* button = new TToolButton(this);
        button->SetMenuItem(item);
        if (item->Count() > 0) button->OnClick = Bind(this, &TToolBar::MenuButtonClick);
        InsertButton(button, ButtonCount());
        FMenuButtons.push_back(button);
    }
    if (!FShowCaptions) SetShowCaptions(true);
}

bool TToolBar::HandleMenuMessage(TMessage& m) {
    if (!FTrackingMenu) return false;
    switch (m.Msg) {
    case WM_INITMENUPOPUP:
        FTrackingMenu->DispatchPopup(reinterpret_cast<HMENU>(m.WParam));
        return false;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
        if (!item || item->CtlType != ODT_MENU || !FTrackingMenu->DrawItem(*item)) return false;
        m.Result = TRUE;
        return true;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        if (!item || item->CtlType != ODT_MENU || !FTrackingMenu->MeasureItem(*item)) return false;
        m.Result = TRUE;
        return true;
    }
    case WM_MENUCHAR: {
        LRESULT result = 0;
        if (!FTrackingMenu->ProcessMenuChar(static_cast<wchar_t>(LOWORD(m.WParam)),
                                            reinterpret_cast<HMENU>(m.LParam), result))
            return false;
        m.Result = result;
        return true;
    }
    default:
        return false;
    }
}

// ---- messages --------------------------------------------------------------------------------

LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW& draw) {
    NMCUSTOMDRAW& cd = draw.nmcd;
    const bool barEvents = OnCustomDraw || OnAdvancedCustomDraw;
    const bool buttonEvents = OnCustomDrawButton || OnAdvancedCustomDrawButton;
    if (!barEvents && !buttonEvents) return CDRF_DODEFAULT;
    LRESULT result = CDRF_DODEFAULT;
    bool defaultDraw = true;
    FCanvas->SetHandle(cd.hdc);
    try {
        FCanvas->Font().Assign(*Font());
        switch (cd.dwDrawStage) {
        case CDDS_PREPAINT:
            if (OnAdvancedCustomDraw) OnAdvancedCustomDraw(this, cd.rc, cdPrePaint, defaultDraw);
            if (defaultDraw && OnCustomDraw) OnCustomDraw(this, cd.rc, defaultDraw);
            if (!defaultDraw) {
                result = CDRF_SKIPDEFAULT;
                break;
            }
            if (buttonEvents) result |= CDRF_NOTIFYITEMDRAW;
            if (OnAdvancedCustomDraw) result |= CDRF_NOTIFYPOSTPAINT;
            break;
        case CDDS_POSTPAINT:
            if (OnAdvancedCustomDraw) OnAdvancedCustomDraw(this, cd.rc, cdPostPaint, defaultDraw);
            break;
        case CDDS_ITEMPREPAINT: {
            TToolButton* button = FindButton(static_cast<int>(cd.dwItemSpec));
            if (!button) break;
            const TCustomDrawState state = TCustomDrawState::FromBits(cd.uItemState & 0x1FF);
            TTBCustomDrawFlags flags;
            if (OnAdvancedCustomDrawButton)
                OnAdvancedCustomDrawButton(this, button, state, cdPrePaint, flags, defaultDraw);
            if (defaultDraw && OnCustomDrawButton) OnCustomDrawButton(this, button, state, defaultDraw);
            if (!defaultDraw) {
                result = CDRF_SKIPDEFAULT;
                break;
            }
            // The rest in the canvas's font and colour, without what the handler asked to leave out.
            draw.clrText = ColorToColorRef(FCanvas->Font().Color());
            SelectObject(cd.hdc, FCanvas->Font().Handle());
            result = CDRF_NEWFONT | static_cast<LRESULT>(flags.Bits()) << 16;
            if (OnAdvancedCustomDrawButton) result |= CDRF_NOTIFYPOSTPAINT;
            break;
        }
        case CDDS_ITEMPOSTPAINT: {
            TToolButton* button = FindButton(static_cast<int>(cd.dwItemSpec));
            TTBCustomDrawFlags flags;
            if (button && OnAdvancedCustomDrawButton)
                OnAdvancedCustomDrawButton(this, button, TCustomDrawState::FromBits(cd.uItemState & 0x1FF),
                                           cdPostPaint, flags, defaultDraw);
            break;
        }
        default:
            break;
        }
    } catch (...) {
        FCanvas->SetHandle(nullptr);
        throw;
    }
    // The font selected for the platform's drawing stays in the DC: the canvas lets go of it.
    FCanvas->SetHandle(nullptr);
    if (result & CDRF_NEWFONT) SelectObject(cd.hdc, Font()->Handle());
    return result;
}

void TToolBar::WndProc(TMessage& m) {
    if (HandleMenuMessage(m)) return;
    switch (m.Msg) {
    case CN_COMMAND:
        if (TToolButton* button = FindButton(LOWORD(m.WParam))) {
            if (button->IsCheck()) SyncDownFromWindow();
            if (button->FStyle == tbsDropDown && !button->OnClick && !button->FMenuItem)
                ShowDropdown(button);
            else
                button->Click();
        }
        m.Result = 0;
        return;
    case CN_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(m.LParam);
        m.Result = 0;
        if (!header) return;
        if (header->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
            m.Result = CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(m.LParam));
        } else if (header->code == TBN_GETINFOTIPW) {
            // The button's hint (its short part) in the bar's tooltip, when the bar shows hints.
            auto* tip = reinterpret_cast<NMTBGETINFOTIPW*>(m.LParam);
            TToolButton* button = FindButton(tip->iItem);
            if (button && ShowHint() && tip->pszText && tip->cchTextMax > 0) {
                const std::wstring hint = GetShortHint(button->FHint);
                const std::size_t length = std::min<std::size_t>(hint.size(), static_cast<std::size_t>(tip->cchTextMax - 1));
                hint.copy(tip->pszText, length);
                tip->pszText[length] = L'\0';
            }
        } else if (header->code == TBN_DROPDOWN) {
            if (TToolButton* button = FindButton(reinterpret_cast<NMTOOLBARW*>(m.LParam)->iItem))
                ShowDropdown(button);
            m.Result = TBDDRET_DEFAULT;
        }
        return;
    }
    case WM_SIZE:
        TWinControl::WndProc(m);
        if (FWrapable) SendMessageW(Handle(), TB_AUTOSIZE, 0, 0);
        return;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

} // namespace orvo
