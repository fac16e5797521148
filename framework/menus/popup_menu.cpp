#include "framework/menus/popup_menu.h"

#include "framework/base/exceptions.h"
#include "framework/base/properties.h"
#include "framework/window/display_scale.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TPopupMenu);

namespace {

constexpr wchar_t PopupWindowClass[] = L"OrvoPopupMenuWindow";

// Every live popup menu, for the popup window to find the owner of a command or sub-menu.
std::vector<TPopupMenu*>& PopupMenus() {
    static std::vector<TPopupMenu*> menus;
    return menus;
}

bool IsLive(const TPopupMenu* menu) {
    const auto& menus = PopupMenus();
    return std::find(menus.begin(), menus.end(), menu) != menus.end();
}

TMenuSelectHandler& SelectHandler() {
    static TMenuSelectHandler handler;
    return handler;
}

const TEnumType& PopupAlignmentType() {
    static const TEnumType type(L"TPopupAlignment", {L"paLeft", L"paRight", L"paCenter"});
    return type;
}

const TEnumType& TrackButtonType() {
    static const TEnumType type(L"TTrackButton", {L"tbRightButton", L"tbLeftButton"});
    return type;
}

// Asks each live popup menu in turn until one takes the message. The list is copied: handlers may
// free menus.
template <class F> bool ForEachPopup(F&& takes) {
    const std::vector<TPopupMenu*> menus = PopupMenus();
    for (TPopupMenu* menu : menus)
        if (IsLive(menu) && takes(*menu)) return true;
    return false;
}

TMenuItem* SelectedItem(WPARAM wParam, LPARAM lParam) {
    const UINT flags = HIWORD(wParam);
    HMENU menu = reinterpret_cast<HMENU>(lParam);
    if (flags == 0xFFFF && !menu) return nullptr; // the menu closed
    TMenuItem* found = nullptr;
    ForEachPopup([&](TPopupMenu& popup) {
        if (flags & MF_POPUP) {
            HMENU sub = GetSubMenu(menu, LOWORD(wParam));
            found = sub ? popup.FindItem(reinterpret_cast<UINT_PTR>(sub), fkHandle) : nullptr;
        } else {
            found = popup.FindItem(LOWORD(wParam), fkCommand);
        }
        return found != nullptr;
    });
    return found;
}

LRESULT HandlePopupMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && lParam == 0)
            ForEachPopup([&](TPopupMenu& menu) { return menu.DispatchCommand(LOWORD(wParam)); });
        return 0;
    case WM_INITMENUPOPUP:
        ForEachPopup([&](TPopupMenu& menu) { return menu.DispatchPopup(reinterpret_cast<HMENU>(wParam)); });
        return 0;
    case WM_MENUSELECT:
        if (TMenuSelectHandler handler = SelectHandler()) handler(SelectedItem(wParam, lParam));
        return 0;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return ForEachPopup([&](TPopupMenu& menu) { return menu.DrawItem(item); }) ? TRUE : FALSE;
    }
    case WM_MEASUREITEM: {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        return ForEachPopup([&](TPopupMenu& menu) { return menu.MeasureItem(item); }) ? TRUE : FALSE;
    }
    case WM_MENUCHAR: {
        LRESULT result = MAKELRESULT(0, MNC_IGNORE);
        ForEachPopup([&](TPopupMenu& menu) {
            return menu.ProcessMenuChar(static_cast<wchar_t>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam),
                                        result);
        });
        return result;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK PopupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandlePopupMessage(window, message, wParam, lParam);
    } catch (...) {
        HandleException(nullptr);
        return 0;
    }
}

} // namespace

TMenuSelectHandler SetMenuSelectHandler(TMenuSelectHandler handler) {
    return std::exchange(SelectHandler(), std::move(handler));
}

void TPopupMenu::Publish(TPublisher<TPopupMenu>& p) {
    p.Enum(L"Alignment", PopupAlignmentType(), &TPopupMenu::Alignment, &TPopupMenu::SetAlignment);
    p.Boolean(L"AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup);
    p.Enum(L"TrackButton", TrackButtonType(), &TPopupMenu::TrackButton, &TPopupMenu::SetTrackButton);
    p.Event(L"OnPopup", &TPopupMenu::OnPopup);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {
    PopupMenus().push_back(this);
}

TPopupMenu::~TPopupMenu() {
    std::erase(PopupMenus(), this);
}

HMENU TPopupMenu::CreateMenuHandle() {
    return CreatePopupMenu();
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
    if (component == FPopupComponent) return;
    if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
    FPopupComponent = component;
    if (FPopupComponent) FPopupComponent->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation == opRemove && component == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::DoPopup() {
    if (TNotifyEvent handler = OnPopup) handler(this);
}

UINT TPopupMenu::TrackFlags() const noexcept {
    TPopupAlignment alignment = FAlignment;
    // A right-to-left menu hangs from the point the other way.
    if (IsRightToLeftAlignment(BiDiMode()) && alignment != paCenter)
        alignment = alignment == paLeft ? paRight : paLeft;
    UINT flags = FTrackButton == tbLeftButton ? TPM_LEFTBUTTON : TPM_RIGHTBUTTON;
    switch (alignment) {
    case paLeft:
        flags |= TPM_LEFTALIGN;
        break;
    case paRight:
        flags |= TPM_RIGHTALIGN;
        break;
    case paCenter:
        flags |= TPM_CENTERALIGN;
        break;
    }
    if (IsRightToLeft()) flags |= TPM_LAYOUTRTL;
    return flags;
}

void TPopupMenu::Popup(int x, int y) {
    DoPopup();
    if (!IsLive(this)) return; // OnPopup freed the menu
    HWND window = PopupWindow();
    // Measured and drawn at the DPI of the monitor it opens on.
    const RECT at{x, y, x + 1, y + 1};
    SetShowingDpi(DpiForRect(at));
    TrackPopupMenu(Handle(), TrackFlags(), x, y, 0, window, nullptr);
    if (IsLive(this)) SetShowingDpi(0);
    // The pick arrives as a posted WM_COMMAND: run it now, so that it reaches this menu's items
    // (their command numbers are still theirs) before the caller goes on.
    MSG message;
    if (PeekMessageW(&message, window, WM_COMMAND, WM_COMMAND, PM_REMOVE)) DispatchMessageW(&message);
}

HWND TPopupMenu::PopupWindow() {
    static HWND window = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &PopupWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = PopupWindowClass;
        RegisterClassExW(&wc);
        // A hidden top-level window rather than a message-only one: menus want a real owner.
        HWND w = CreateWindowExW(WS_EX_TOOLWINDOW, PopupWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!w) throw EOutOfResources(L"Cannot create the popup menu window");
        return w;
    }();
    return window;
}

} // namespace orvo
