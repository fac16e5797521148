#include "skin/form/menu_bar.h"

#include "framework/base/properties.h"
#include "framework/forms/forms.h"
#include "framework/graphics/gdi_handle.h"
#include "framework/menus/menus.h"
#include "framework/menus/shortcuts.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_trace.h"
#include "skin/draw/skin_draw.h"
#include "skin/form/form_skin.h"
#include "skin/manager/popup_menu_skin.h"
#include "skin/manager/skin_manager.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TWinSkinMenu);

namespace {

HHOOK GFilterHook = nullptr;
TWinSkinMenu* GTrackingBar = nullptr;

// The menu window most recently made (the open drop-down), or null.
HWND NewestMenuWindow() {
    TSkinManage* manager = ExistingSkinManager();
    if (manager && !manager->PopupMenus().empty()) return manager->PopupMenus().back()->MenuWnd();
    return FindWindowW(L"#32768", nullptr);
}

// An entry's type, sub-menu and identity (its sub-menu, else its command); false when absent.
bool EntryAt(HMENU menu, int position, MENUITEMINFOW& info, UINT_PTR& key) {
    info = MENUITEMINFOW{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_ID;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return false;
    key = info.hSubMenu ? reinterpret_cast<UINT_PTR>(info.hSubMenu) : info.wID;
    return true;
}

// Changes only the entry's type: its text stays, for the painter and for GetMenuString.
bool SetEntryType(HMENU menu, int position, UINT type) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    info.fType = type;
    return SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info) != FALSE;
}

} // namespace

int MenuBarStartOffset(int barWidth, bool hasElement, int leftWidth, int rightWidth, bool rightToLeft,
                       int dpi) noexcept {
    const auto scaled = [dpi](int length) { return ScaleLength(length, dpi); };
    int offset = scaled(6);
    if (hasElement) offset = rightToLeft ? rightWidth + scaled(8) : leftWidth + scaled(4);
    return barWidth < offset ? scaled(12) : offset;
}

void TMenuBtn::Paint() {
    Bar->PaintItem(*this);
}

TWinSkinMenu::TWinSkinMenu(TWinSkinForm* form, TSkinData* skinData)
    : TComponent(form), FForm(form), FSkinData(skinData) {}

TWinSkinMenu::~TWinSkinMenu() {
    Destroying();
    if (GTrackingBar == this) {
        GTrackingBar = nullptr;
        EndMenu();
    }
    RestoreOwnerDrawn();
}

void TWinSkinMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FMenu) FMenu = nullptr;
}

// ---- items -----------------------------------------------------------------------------------

bool TWinSkinMenu::BuildItems() {
    HWND window = FForm->Handle;
    if (HMENU current = GetMenu(window)) FMenuHandle = current;
    if (!FMenuHandle) return false;
    if (TCustomForm* form = FForm->Form()) {
        TMenu* menu = form->Menu();
        if (!menu) return false;
        if (menu != FMenu) {
            if (FMenu) FMenu->RemoveFreeNotification(this);
            FMenu = menu;
            FMenu->FreeNotification(this);
        }
    }
    FRightToLeft = FMenu ? FMenu->IsRightToLeft() : false;
    FItems.clear();
    FForm->SetHotObject(nullptr);
    const int count = GetMenuItemCount(FMenuHandle);
    for (int i = 0; i < count; ++i) {
        wchar_t text[80]{};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 80;
        if (!GetMenuItemInfoW(FMenuHandle, static_cast<UINT>(i), TRUE, &info)) continue;
        auto item = std::make_unique<TMenuBtn>(FForm, this);
        item->Index = static_cast<int>(FItems.size());
        item->SubMenu = info.hSubMenu;
        item->ItemEnabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
        item->Visible = true;
        item->Command = info.wID;
        item->Caption = (info.fType & MFT_SEPARATOR) ? std::wstring() : std::wstring(text);
        if (FMenu) {
            TMenuItem* found = FMenu->FindItem(info.hSubMenu ? reinterpret_cast<UINT_PTR>(info.hSubMenu) : info.wID,
                                               info.hSubMenu ? fkHandle : fkCommand);
            if (found) {
                item->Caption = found->Caption();
                item->ItemEnabled = found->Enabled();
                item->Command = found->Command();
                item->SubMenu = found->Count() > 0 ? found->Handle() : nullptr;
            }
        }
        FItems.push_back(std::move(item));
    }
    SetMenu(window, nullptr);
    return true;
}

void TWinSkinMenu::GiveMenuBack() {
    RestoreOwnerDrawn();
    if (FMenuHandle && IsWindow(FForm->Handle) && GetMenu(FForm->Handle) != FMenuHandle)
        SetMenu(FForm->Handle, FMenuHandle);
}

void TWinSkinMenu::MarkOwnerDrawn(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info;
        UINT_PTR key = 0;
        if (!EntryAt(menu, i, info, key)) continue;
        if (LeftToPlatform(info)) continue;
        if (!(info.fType & MFT_OWNERDRAW) && SetEntryType(menu, i, info.fType | MFT_OWNERDRAW))
            FMarked.emplace_back(menu, key);
        if (info.hSubMenu) MarkOwnerDrawn(info.hSubMenu);
    }
}

bool TWinSkinMenu::LeftToPlatform(const MENUITEMINFOW& info) const {
    // Commands 1 to 4095 that a framework form's menu does not know are the platform's own (or
    // another library's): they keep the platform's drawing.
    if (!FMenu || info.hSubMenu || info.wID < 1 || info.wID > MaxPlatformCommand) return false;
    return FMenu->FindItem(info.wID, fkCommand) == nullptr;
}

void TWinSkinMenu::RestoreOwnerDrawn() {
    for (const auto& [menu, marked] : FMarked) {
        if (!IsMenu(menu)) continue;
        const int count = GetMenuItemCount(menu);
        for (int i = 0; i < count; ++i) {
            MENUITEMINFOW info;
            UINT_PTR key = 0;
            if (!EntryAt(menu, i, info, key) || key != marked) continue;
            if (info.fType & MFT_OWNERDRAW) SetEntryType(menu, i, info.fType & ~static_cast<UINT>(MFT_OWNERDRAW));
            break;
        }
    }
    FMarked.clear();
}

// ---- layout and painting ---------------------------------------------------------------------

RECT TWinSkinMenu::BarRectFor(int windowWidth) const {
    return RECT{FForm->BorderLeft(), FForm->BorderTop(), windowWidth - FForm->BorderRight(),
                FForm->BorderTop() + FForm->MenuHeight()};
}

int TWinSkinMenu::ItemWidth(HDC dc, const std::wstring& caption) const {
    if (caption.empty()) return 0;
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
    const int w = r.right - r.left;
    return w > 0 ? w + FForm->Scale(10) : 0;
}

void TWinSkinMenu::Layout(int windowWidth) {
    const RECT bar = BarRectFor(windowWidth);
    FBarRect = bar;
    const int w = bar.right - bar.left, h = bar.bottom - bar.top;
    if (w <= 0 || h <= 0) return;
    const TDataSkinObject* e = FSkinData ? FForm->Skin().MenuBar() : nullptr;
    HDC screen = GetDC(nullptr);
    {
        TSelectObject font(screen, MenuFont(FForm->Dpi()).Handle());
        int x = MenuBarStartOffset(w, e != nullptr, e ? e->LeftWidth : 0, e ? e->RightWidth : 0, FRightToLeft,
                                   FForm->Dpi());
        if (FRightToLeft) {
            // A maximised MDI child's buttons hold the right end: the items start 5 pixels left of them.
            int right = w;
            for (const TWinSysButton* button : MdiButtons())
                right = std::min<int>(right, button->BoundsRect.left - bar.left - FForm->Scale(5));
            x = right - x;
        }
        for (auto& item : FItems) {
            if (!item->Visible) {
                item->BoundsRect = RECT{};
                continue;
            }
            const int iw = ItemWidth(screen, item->Caption);
            RECT r = FRightToLeft ? RECT{x - iw, 0, x, h - 1} : RECT{x, 0, x + iw, h - 1};
            OffsetRect(&r, bar.left, bar.top);
            item->BoundsRect = r;
            x += FRightToLeft ? -iw : iw;
        }
    }
    ReleaseDC(nullptr, screen);
}

void TWinSkinMenu::DrawItemFace(HDC dc, const TMenuBtn& item, const RECT& r) const {
    const TColor colour = item.ItemEnabled ? FSkinData->Colour(scMenuBarText) : FSkinData->Colour(scButtonShadow);
    const COLORREF old = SetTextColor(dc, ColorToColorRef(colour));
    const int mode = SetBkMode(dc, TRANSPARENT);
    RECT t = r;
    UINT flags = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
    if (FRightToLeft) flags |= DT_RTLREADING;
    DrawTextW(dc, item.Caption.c_str(), static_cast<int>(item.Caption.size()), &t, flags);
    SetBkMode(dc, mode);
    SetTextColor(dc, old);
}

void TWinSkinMenu::Paint(HDC dc, const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0 || !FSkinData) return;
    Layout(r.right + FForm->BorderRight());
    if (FScratch.Width() < w || FScratch.Height() < h) FScratch.SetSize(std::max(w, FScratch.Width()), std::max(h, FScratch.Height()));
    TCanvas& canvas = FScratch.Canvas();
    HDC target = canvas.Handle();
    const RECT local{0, 0, w, h};
    TDataSkinObject* e = FForm->Skin().MenuBar();
    if (e && !e->Image.Empty()) {
        const int frames = std::max(e->Frame, 1);
        const int frame = FForm->Active() || frames < 2 ? 1 : 2;
        if (e->Tile == 1)
            DrawSliced(target, local, e->Image, frames, frame, true, TMargins{e->LeftWidth, 0, e->RightWidth, 0}, false,
                       false);
        else
            DrawThreeSlice(canvas, local, e->Image, true, false, frames, frame, TMargins{e->LeftWidth, 0, e->RightWidth, 0});
    } else {
        canvas.Brush().SetColor(FSkinData->Colour(scMenubar));
        canvas.FillRect(local);
    }
    // The background without highlights, for repainting single items.
    if (FBarBitmap.Width() != w || FBarBitmap.Height() != h) FBarBitmap.SetSize(w, h);
    BitBlt(FBarBitmap.Canvas().Handle(), 0, 0, w, h, target, 0, 0, SRCCOPY);
    {
        TSelectObject font(target, MenuFont(FForm->Dpi()).Handle());
        for (auto& item : FItems) {
            if (!item->Visible || item->Caption.empty()) continue;
            RECT ir = item->BoundsRect;
            OffsetRect(&ir, -r.left, -r.top);
            if (item->ButtonState != nbsNormal) {
                TBrushHandle frame(CreateSolidBrush(ColorToColorRef(FSkinData->Colour(scButtonHilight))));
                FrameRect(target, &ir, frame.Get());
            }
            DrawItemFace(target, *item, ir);
        }
    }
    // The buttons of a maximised MDI child, at the bar's right end.
    const std::vector<TWinSysButton*> buttons = MdiButtons();
    for (TWinSysButton* button : buttons) {
        RECT br = button->BoundsRect;
        OffsetRect(&br, -r.left, -r.top);
        DrawMdiButton(target, br, *button, true);
    }
    BitBlt(dc, r.left, r.top, w, h, target, 0, 0, SRCCOPY);
    if (!buttons.empty())
        if (TSkinManage* manager = ExistingSkinManager(); manager && !manager->MdiMaximized())
            manager->SetMdiMaximized(true);
}

std::vector<TWinSysButton*> TWinSkinMenu::MdiButtons() const {
    std::vector<TWinSysButton*> buttons;
    if (!FForm->MdiChildMaximizedInBar()) return buttons;
    for (const auto& button : FForm->SysButtons()) {
        const TDataSkinSysButton& e = *button->Element;
        if (button->Visible && e.Visibility == 100 && e.Align == calMenuBar &&
            (!e.Image.Empty() || PlatformStandIn(e.Action) >= 0))
            buttons.push_back(button.get());
    }
    return buttons;
}

void TWinSkinMenu::DrawMdiButton(HDC dc, const RECT& r, const TWinSysButton& button, bool wholeBar) const {
    TDataSkinSysButton& e = *button.Element;
    if (e.Image.Empty()) {
        DrawPlatformStandIn(dc, r, e.Action, button.ButtonState, button.Enabled);
        return;
    }
    const int frames = std::max(e.Frame, 1);
    // The whole bar shows a button at rest in frame 1, whatever its enabled state.
    const int frame = wholeBar && button.ButtonState == nbsNormal
                          ? 1
                          : StateFrameIndex(frames, button.ButtonState, button.Enabled, e.Visibility);
    DrawFrameStrip(dc, r, e.Image, true, frames, frame);
}

void TWinSkinMenu::PaintButton(TWinSysButton& button) {
    HWND window = FForm->Handle;
    if (!FSkinData || !IsWindowVisible(window) || FBarBitmap.Empty()) return;
    const RECT& b = button.BoundsRect;
    const int w = b.right - b.left, h = b.bottom - b.top;
    if (w <= 0 || h <= 0) return;
    HDC dc = GetWindowDC(window);
    if (!dc) return;
    {
        TBitmap piece(w, h);
        HDC target = piece.Canvas().Handle();
        // The bar's background under the button, then the button's frame for its state.
        BitBlt(target, 0, 0, w, h, FBarBitmap.Canvas().Handle(), b.left - FBarRect.left, b.top - FBarRect.top,
               SRCCOPY);
        DrawMdiButton(target, RECT{0, 0, w, h}, button, false);
        BitBlt(dc, b.left, b.top, w, h, target, 0, 0, SRCCOPY);
    }
    ReleaseDC(window, dc);
}

void TWinSkinMenu::PaintItem(TMenuBtn& item) {
    HWND window = FForm->Handle;
    if (!FSkinData || !IsWindowVisible(window) || FBarBitmap.Empty()) return;
    const RECT& b = item.BoundsRect;
    const int w = b.right - b.left, h = FBarRect.bottom - FBarRect.top;
    if (w <= 0 || h <= 0) return;
    HDC dc = GetWindowDC(window);
    if (!dc) return;
    {
        TBitmap piece(w, h);
        HDC target = piece.Canvas().Handle();
        // The bar's background column under the item (the bar starts at FBarRect.left).
        BitBlt(target, 0, 0, w, h, FBarBitmap.Canvas().Handle(), b.left - FBarRect.left, 0, SRCCOPY);
        RECT ir{0, b.top - FBarRect.top, w, b.bottom - FBarRect.top};
        if (item.ButtonState != nbsNormal) {
            TBrushHandle frame(CreateSolidBrush(ColorToColorRef(FSkinData->Colour(scButtonHilight))));
            FrameRect(target, &ir, frame.Get());
        }
        {
            TSelectObject font(target, MenuFont(FForm->Dpi()).Handle());
            DrawItemFace(target, item, ir);
        }
        BitBlt(dc, b.left, FBarRect.top, w, h, target, 0, 0, SRCCOPY);
    }
    ReleaseDC(window, dc);
}

TMenuBtn* TWinSkinMenu::ItemAt(POINT p) const {
    for (const auto& item : FItems)
        if (item->Visible && !item->Caption.empty() && PtInRect(&item->BoundsRect, p)) return item.get();
    return nullptr;
}

TMenuBtn* TWinSkinMenu::FindMnemonic(wchar_t key) const {
    for (const auto& item : FItems)
        if (item->Visible && item->ItemEnabled && IsAccel(key, item->Caption)) return item.get();
    return nullptr;
}

TMenuBtn* TWinSkinMenu::FirstItem() const {
    for (const auto& item : FItems)
        if (item->Visible && !item->Caption.empty()) return item.get();
    return nullptr;
}

// ---- tracking --------------------------------------------------------------------------------

bool TWinSkinMenu::OpenItem(int index, bool keyboard) {
    if (FTracking || index < 0 || index >= ItemCount()) return false;
    HWND window = FForm->Handle;
    bool opened = false;
    int next = index;
    bool switched = false;
    while (next >= 0 && next < ItemCount()) {
        if (TMenuBtn& item = *FItems[static_cast<std::size_t>(next)]; !item.SubMenu) {
            // An item without drop-down runs at once when it is clicked or its key pressed; the
            // mouse moving onto it from an open drop-down only closes that one and lights it.
            if (!switched) {
                PostMessageW(window, WM_COMMAND, item.Command, 0);
            } else if (!keyboard) {
                item.ButtonState = nbsHot;
                FForm->SetHotObject(&item);
                item.Paint();
            }
            break;
        }
        // The window updates the drop-down's entries before it shows, as for a native bar (the
        // tracking below is asked not to notify, so it would not be told): a framework form runs
        // the item's OnClick. What that runs may rebuild the bar or close the window.
        if (!UpdateDropDown(next) || next >= ItemCount() || !FItems[static_cast<std::size_t>(next)]->SubMenu) break;
        TMenuBtn& item = *FItems[static_cast<std::size_t>(next)];
        FTrackingIndex = next;
        FTrackedMenu = item.SubMenu;
        FSwitchTo = -1;
        FClosedByBarClick = false;
        FHasSelection = false;
        FFirstKeyPending = keyboard;
        FSettled = !switched || keyboard;
        FDoubted = false;
        RECT windowRect{};
        GetWindowRect(window, &windowRect);
        MarkOwnerDrawn(item.SubMenu);
        if (TSkinManage* manager = ExistingSkinManager()) manager->SetMenuSource(TMenuSource::MenuBar);
        GetCursorPos(&FLastMouse);
        FTracking = true;
        GTrackingBar = this;
        if (!GFilterHook) GFilterHook = SetWindowsHookExW(WH_MSGFILTER, &FilterHook, nullptr, GetCurrentThreadId());
        item.ButtonState = nbsPressed;
        FForm->SetHotObject(&item);
        item.Paint();
        const int x = (FRightToLeft ? item.BoundsRect.right : item.BoundsRect.left) + windowRect.left;
        const int y = item.BoundsRect.bottom + windowRect.top;
        ORVO_SKIN_TRACE(L"menu bar %p opens item %d", static_cast<void*>(window), next);
        if (item.ItemEnabled)
            TrackPopupMenu(item.SubMenu, TPM_NONOTIFY | TPM_RIGHTBUTTON | (FRightToLeft ? TPM_RIGHTALIGN : 0), x, y, 0,
                           window, nullptr);
        opened = true;
        // The menu has closed (the window may have gone with it).
        if (GTrackingBar != this) return opened;
        if (GFilterHook) UnhookWindowsHookEx(GFilterHook);
        GFilterHook = nullptr;
        GTrackingBar = nullptr;
        FTracking = false;
        FTrackingIndex = -1;
        FHasSelection = false;
        if (!IsWindow(window)) return opened;
        item.ButtonState = nbsNormal;
        FForm->SetHotObject(nullptr);
        item.Paint();
        if (FClosedByBarClick) {
            // The click that closed the menu on its own item must not open it again.
            MSG pending;
            while (PeekMessageW(&pending, window, WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, PM_REMOVE)) {
            }
            while (PeekMessageW(&pending, window, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, PM_REMOVE)) {
            }
        }
        keyboard = FSwitchByKey;
        next = FSwitchTo;
        switched = true;
    }
    return opened;
}

bool TWinSkinMenu::UpdateDropDown(int index) {
    HWND window = FForm->Handle;
    const HMENU subMenu = FItems[static_cast<std::size_t>(index)]->SubMenu;
    const std::weak_ptr<bool> alive = FAlive;
    SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(subMenu), MAKELPARAM(index, FALSE));
    return !alive.expired() && IsWindow(window);
}

void TWinSkinMenu::MenuSelect(WPARAM wParam, LPARAM lParam) {
    if (!FTracking) return;
    const UINT flags = HIWORD(wParam);
    if (flags == 0xFFFF && !lParam) {
        FHasSelection = false; // the menu closes
        return;
    }
    FSelectedMenu = reinterpret_cast<HMENU>(lParam);
    FSelectedFlags = flags;
    FHasSelection = true;
}

LRESULT CALLBACK TWinSkinMenu::FilterHook(int code, WPARAM wParam, LPARAM lParam) {
    const LRESULT next = CallNextHookEx(GFilterHook, code, wParam, lParam);
    if (next || code != MSGF_MENU || !GTrackingBar) return next;
    try {
        return GTrackingBar->Filter(*reinterpret_cast<MSG*>(lParam)) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

bool TWinSkinMenu::Filter(MSG& msg) {
    if (FFirstKeyPending) {
        FFirstKeyPending = false;
        HWND menu = NewestMenuWindow();
        PostMessageW(menu ? menu : FForm->Handle, WM_KEYDOWN, VK_DOWN, 0);
    }
    const int count = ItemCount();
    int target = -1;
    bool byKey = false;
    switch (msg.message) {
    case WM_KEYDOWN: {
        WPARAM key = msg.wParam;
        if (FRightToLeft && (key == VK_LEFT || key == VK_RIGHT)) key = key == VK_LEFT ? VK_RIGHT : VK_LEFT;
        const bool inTopDropDown = !FHasSelection || FSelectedMenu == FTrackedMenu;
        const bool onLeaf = !FHasSelection || !(FSelectedFlags & MF_POPUP);
        auto step = [&](int direction) {
            for (int n = 1; n <= count; ++n) {
                const int i = ((FTrackingIndex + direction * n) % count + count) % count;
                // The arrow keys walk along the drop-downs; items without one are passed over.
                const TMenuBtn& item = *FItems[static_cast<std::size_t>(i)];
                if (item.Visible && !item.Caption.empty() && item.SubMenu) return i;
            }
            return -1;
        };
        if (key == VK_LEFT && inTopDropDown) target = step(-1);
        if (key == VK_RIGHT && onLeaf) target = step(1);
        byKey = true;
        break;
    }
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
        if (msg.pt.x == FLastMouse.x && msg.pt.y == FLastMouse.y) break;
        FLastMouse = msg.pt;
        TMenuBtn* item = ItemAt(FForm->ToFramePoint(msg.pt));
        if (!FSettled) {
            // Just after the mouse switched drop-downs, Wine reports a move at the point where
            // its own pointer last was (the press that opened the first drop-down, when the
            // pointer is driven by input injected from another program): the first move away
            // from the item now open is not trusted; the next one, or one inside it, is.
            if (item && item->Index == FTrackingIndex) {
                FSettled = true;
                break;
            }
            if (!FDoubted) {
                FDoubted = true;
                break;
            }
            FSettled = true;
        }
        if (item) target = item->Index;
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDBLCLK:
        if (TMenuBtn* item = ItemAt(FForm->ToFramePoint(msg.pt)); item && item->Index == FTrackingIndex)
            FClosedByBarClick = true;
        return false;
    default:
        return false;
    }
    if (target < 0 || target == FTrackingIndex) return false;
    FSwitchTo = target;
    FSwitchByKey = byKey;
    EndMenu();
    return byKey; // a key that switches is used up; the mouse move goes on
}

} // namespace orvo
