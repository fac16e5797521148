// The menus of a skinned window: its menu bar (TWinSkinMenu) under the caption, the keyboard's way
// to it (Alt, F10, Alt + mnemonic), the owner-drawn items of its drop-downs (WM_MEASUREITEM,
// WM_DRAWITEM), the menu changes of a framework form, and the skinned painting of the form's popup
// menus.
//
// Messages: CM_MENUCHANGED, CM_DIALOGCHAR, SKM_OPENMENUITEM, WM_MEASUREITEM and WM_DRAWITEM of
// menu items.
#include "framework/forms/application.h"
#include "framework/forms/forms.h"
#include "framework/graphics/canvas.h"
#include "framework/menus/menus.h"
#include "framework/menus/popup_menu.h"
#include "framework/menus/shortcuts.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/form/form_skin.h"
#include "skin/form/menu_bar.h"
#include "skin/form/menu_items.h"
#include "skin/manager/skin_manager.h"

#include <algorithm>

namespace orvo {

bool TWinSkinForm::MenuTracking() const noexcept {
    return FMenuTracking || (FMenuBar && FMenuBar->Tracking());
}

void TWinSkinForm::CreateMenuBar() {
    auto bar = std::make_unique<TWinSkinMenu>(this, FSkinData);
    if (!bar->BuildItems()) return;
    FMenuBar = bar.release();
    FBorders.Menu = MenuHeightAt(FDpi);
}

void TWinSkinForm::OpenMenuItemAt(POINT screen, bool keyboard) {
    if (!FMenuBar) return;
    const POINT p = ToFramePoint(screen);
    if (FindSysButton(p)) return;
    if (TMenuBtn* item = FMenuBar->ItemAt(p)) FMenuBar->OpenItem(item->Index, keyboard);
}

// A mnemonic, or 0 for a bare Alt or F10: opens the bar's item; false when there is none.
bool TWinSkinForm::OpenMenuBarKey(wchar_t key) {
    if (!FMenuBar || GetCapture()) return false;
    TMenuBtn* item = key ? FMenuBar->FindMnemonic(key) : FMenuBar->FirstItem();
    if (!item) return false;
    FMenuBar->OpenItem(item->Index, true);
    return true;
}

void TWinSkinForm::MenuChanged(TMessage& m) {
    FFramePaintSuspended = true;
    CallDefault(m);
    FFramePaintSuspended = false;
    if (!FSkinFrame || FFormKind == TFormKind::MdiChild || FState == TFormSkinState::Destroyed) return;
    const bool hadBar = FMenuBar != nullptr;
    const bool windowHasMenu = GetMenu(Handle) != nullptr;
    if (FMenuBar && FForm && !FForm->Menu()) {
        // The form lost its menu: so does the frame.
        TWinSkinMenu* bar = std::exchange(FMenuBar, nullptr);
        delete bar;
        FBorders.Menu = 0;
    } else if (FMenuBar) {
        if (windowHasMenu || (FSkinData && FSkinData->MenuUpdate())) FMenuBar->BuildItems();
    } else if (windowHasMenu) {
        CreateMenuBar(); // a menu given to the form at run time
    }
    if (GetMenu(Handle)) SetMenu(Handle, nullptr); // the system never draws a bar of its own
    if (hadBar != (FMenuBar != nullptr)) {
        // The frame grew or lost its menu strip: the client keeps its size.
        if (FState == TFormSkinState::Skinned) {
            RECT client{};
            GetClientRect(Handle, &client);
            FSkinnedClient = SIZE{client.right, client.bottom};
            ResizeToSkinnedFrame(false);
        }
    }
    PaintFrame();
}

bool TWinSkinForm::PostMnemonic(wchar_t key) {
    TMenuBtn* item = FMenuBar ? FMenuBar->FindMnemonic(key) : nullptr;
    if (!item) return false;
    RECT window{};
    GetWindowRect(Handle, &window);
    const POINT screen{item->BoundsRect.left + window.left + 1, item->BoundsRect.top + window.top + 1};
    PostMessageW(Handle, SKM_OPENMENUITEM, 1, MAKELPARAM(screen.x, screen.y));
    return true;
}

void TWinSkinForm::DialogChar(TMessage& m) {
    CallDefault(m);
    if (m.Result) return;
    BYTE keys[256]{};
    GetKeyboardState(keys);
    const bool altOnly = (keys[VK_MENU] & 0x80) && !(keys[VK_CONTROL] & 0x80) && !(keys[VK_SHIFT] & 0x80);
    if (!altOnly) return;
    const auto key = static_cast<wchar_t>(m.WParam);
    if (PostMnemonic(key)) {
        m.Result = 1;
        return;
    }
    // A letter no control and no bar of this window took reaches the bar a user sees: a document
    // window's frame (which asks its controls first), or, from a secondary window that is not
    // modal (a modal one keeps its keys: the main form is disabled meanwhile), the main form's
    // bar only, never the main form's controls.
    TSkinManage* manager = ExistingSkinManager();
    if (!manager) return;
    if (FFormKind == TFormKind::MdiChild) {
        TCustomForm* frame = manager->MdiMainForm();
        if (frame && frame->HandleAllocated())
            m.Result = SendMessageW(frame->Handle(), CM_DIALOGCHAR, m.WParam, m.LParam);
        return;
    }
    TCustomForm* main = Application->MainForm();
    if (!FForm || FForm->Modal() || !main || main == FForm || !main->HandleAllocated()) return;
    if (TWinSkinForm* mainSkin = manager->FindFormSkin(main->Handle()); mainSkin && mainSkin->PostMnemonic(key))
        m.Result = 1;
}

bool TWinSkinForm::MenuItemMessage(TMessage& m) {
    if (!FMenuBar || !FSkinData) return false;
    TMenu* menu = FMenuBar->Menu();
    if (m.Msg == WM_MEASUREITEM) {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        if (item->CtlType != ODT_MENU) return false;
        TMenuItem* framework = menu ? menu->FindItem(item->itemID, fkCommand) : nullptr;
        if (!framework && menu) framework = menu->FindItem(item->itemID, fkHandle);
        if (!framework && menu && item->itemID >= 1 && item->itemID <= MaxPlatformCommand) return false;
        if (framework) {
            TCanvas canvas;
            HDC dc = GetWindowDC(Handle);
            canvas.SetHandle(dc);
            canvas.Font().Assign(MenuFont(FDpi));
            int width = 0, height = 0;
            framework->DefaultMeasureItem(canvas, width, height);
            if (!framework->IsLine()) width += MainMenuItemExtraWidth(*FSkinData, menu->Images() != nullptr, FDpi);
            canvas.SetHandle(nullptr);
            ReleaseDC(Handle, dc);
            item->itemWidth = static_cast<UINT>(std::max(width, 0));
            item->itemHeight = static_cast<UINT>(std::max(height, 0));
        } else {
            wchar_t text[80]{};
            GetMenuStringW(FMenuBar->MenuHandle(), item->itemID, text, 80, MF_BYCOMMAND);
            const SIZE size = MeasureNativeMenuItem(*FSkinData, text, FDpi);
            item->itemWidth = static_cast<UINT>(size.cx);
            item->itemHeight = static_cast<UINT>(size.cy);
        }
        m.Result = 1;
        return true;
    }
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    if (item->CtlType != ODT_MENU) return false;
    auto parent = reinterpret_cast<HMENU>(item->hwndItem);
    if (TSkinManage* manager = ExistingSkinManager()) manager->AssignPopupMenuHandle(parent);
    TMenuItem* framework = menu ? menu->FindItem(item->itemID, fkCommand) : nullptr;
    if (!framework && menu) framework = menu->FindItem(item->itemID, fkHandle);
    if (!framework && menu && item->itemID >= 1 && item->itemID <= MaxPlatformCommand) return false;
    const TMenuItemFace face = framework ? MenuItemFace(*framework, menu->Images())
                                         : NativeMenuItemFace(parent, item->itemID, false);
    PaintMenuItem(*FSkinData, item->hDC, item->rcItem, face, (item->itemState & ODS_SELECTED) != 0,
                  FindMenuBackground(parent), FDpi);
    m.Result = 1;
    return true;
}

// The form's popup menus (and those of the forms it owns) are drawn by the skin's item painter.
void TWinSkinForm::HookMenus() {
    if (!FSkinData || !FForm || !FSkinData->SkinControls().Contains(xcPopupMenu)) return;
    if (WindowClassName == L"TwwRichEditForm") return;
    std::vector<TComponent*> owners{FForm};
    for (int i = 0; i < FForm->ComponentCount(); ++i)
        if (auto* owned = dynamic_cast<TCustomForm*>(FForm->Components(i))) owners.push_back(owned);
    for (TComponent* owner : owners) {
        for (int i = 0; i < owner->ComponentCount(); ++i) {
            auto* popup = dynamic_cast<TPopupMenu*>(owner->Components(i));
            if (!popup || popup->Tag() == FSkinData->DisableTag()) continue;
            if (std::find(FOwnerDrawnMenus.begin(), FOwnerDrawnMenus.end(), popup) != FOwnerDrawnMenus.end()) continue;
            if (!popup->OwnerDraw()) {
                popup->SetOwnerDraw(true);
                FOwnerDrawnMenus.push_back(popup);
                popup->FreeNotification(this);
            }
            HookMenuItems(*FSkinData, *popup->Items(), false, true);
        }
    }
}

void TWinSkinForm::UnhookMenus() {
    for (TMenu* menu : FOwnerDrawnMenus) {
        menu->RemoveFreeNotification(this);
        UnhookMenuItems(*menu->Items(), false);
        menu->SetOwnerDraw(false);
    }
    FOwnerDrawnMenus.clear();
    if (FForm) {
        // Popup menus that were owner-drawn already keep that, without the skin's painter.
        std::vector<TComponent*> owners{FForm};
        for (int i = 0; i < FForm->ComponentCount(); ++i)
            if (auto* owned = dynamic_cast<TCustomForm*>(FForm->Components(i))) owners.push_back(owned);
        for (TComponent* owner : owners)
            for (int i = 0; i < owner->ComponentCount(); ++i)
                if (auto* menu = dynamic_cast<TMenu*>(owner->Components(i))) UnhookMenuItems(*menu->Items(), false);
    }
}

} // namespace orvo
