#include "framework/menus/menu_item.h"

#include "framework/graphics/image_list.h"
#include "framework/menus/menu_commands.h"
#include "framework/menus/menus.h"
#include "framework/base/properties.h"
#include "framework/base/sysutils.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TMenuItem);

void TMenuItem::Publish(TPublisher<TMenuItem>& p) {
    p.Boolean(L"AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck);
    p.String(L"Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
    p.Boolean(L"Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
    p.Boolean(L"Default", &TMenuItem::Default, &TMenuItem::SetDefault);
    p.Boolean(L"Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled);
    p.Integer(L"GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex);
    p.String(L"Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
    p.Integer(L"ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex);
    p.Boolean(L"RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem);
    p.Integer(L"ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut);
    p.Boolean(L"Visible", &TMenuItem::Visible, &TMenuItem::SetVisible);
    p.Event(L"OnClick", &TMenuItem::OnClick);
    p.Event(L"OnDrawItem", &TMenuItem::OnDrawItem);
    p.Event(L"OnAdvancedDrawItem", &TMenuItem::OnAdvancedDrawItem);
    p.Event(L"OnMeasureItem", &TMenuItem::OnMeasureItem);
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(AllocateMenuCommand()) {}

TMenuItem::~TMenuItem() {
    // From here on sub-items leaving do not touch the native menu nor tell anyone: it all goes.
    Destroying();
    try {
        if (FParent) FParent->Remove(this);
    } catch (...) {
        HandleException(this);
    }
    while (!FItems.empty())
        delete FItems.back(); // takes itself out of FItems
    if (FHandle) {
        // Entries are taken out first so that destroying this menu never destroys a sub-item's.
        DetachNativeEntries();
        DestroyMenu(FHandle);
    }
    ReleaseMenuCommand(FCommand);
}

// ---- properties ----

void TMenuItem::SetCaption(const std::wstring& caption) {
    if (caption == FCaption) return;
    FCaption = caption;
    UpdateNative();
    Changed(true);
}

void TMenuItem::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    UpdateNative();
    Changed(false);
}

void TMenuItem::SetChecked(bool checked) {
    if (checked == FChecked) return;
    FChecked = checked;
    if (FChecked && FRadioItem) TurnSiblingsOff();
    UpdateNative();
    Changed(false);
}

void TMenuItem::SetRadioItem(bool radio) {
    if (radio == FRadioItem) return;
    FRadioItem = radio;
    if (FChecked && FRadioItem) TurnSiblingsOff();
    UpdateNative();
    Changed(false);
}

void TMenuItem::SetGroupIndex(std::uint8_t group) {
    if (group == FGroupIndex) return;
    FGroupIndex = group;
    if (FChecked && FRadioItem) TurnSiblingsOff();
}

void TMenuItem::TurnSiblingsOff() {
    if (!FParent) return;
    for (TMenuItem* sibling : FParent->FItems)
        if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex &&
            sibling->FChecked) {
            sibling->FChecked = false;
            sibling->UpdateNative();
        }
}

void TMenuItem::SetDefault(bool isDefault) {
    if (isDefault == FDefault) return;
    // A menu has one default entry at most.
    if (isDefault && FParent)
        for (TMenuItem* sibling : FParent->FItems)
            if (sibling->FDefault) {
                sibling->FDefault = false;
                sibling->UpdateNative();
            }
    FDefault = isDefault;
    UpdateNative();
    Changed(true);
}

void TMenuItem::SetVisible(bool visible) {
    if (visible == FVisible) return;
    if (IsRootEntry()) {
        FVisible = visible;
        FParent->FMenu->RootEntriesChanged();
    } else {
        if (!visible) RemoveNative(); // while its position still counts
        FVisible = visible;
        if (visible) InsertNative();
    }
    Changed(true);
}

void TMenuItem::SetImageIndex(int index) {
    if (index < -1) index = -1;
    if (index == FImageIndex) return;
    FImageIndex = index;
    UpdateNative();
    Changed(true);
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
    if (shortCut == FShortCut) return;
    FShortCut = shortCut;
    UpdateNative();
    Changed(true);
}

// ---- tree ----

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EMenuError(L"Menu index out of range (" + IntToStr(index) + L")");
    return FItems[static_cast<std::size_t>(index)];
}

TMenu* TMenuItem::GetParentMenu() const noexcept {
    const TMenuItem* item = this;
    while (item->FParent)
        item = item->FParent;
    return item->FMenu;
}

int TMenuItem::IndexOf(const TMenuItem* item) const noexcept {
    const auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

int TMenuItem::MenuIndex() const noexcept {
    return FParent ? FParent->IndexOf(this) : -1;
}

void TMenuItem::SetMenuIndex(int index) {
    if (!FParent) return;
    TMenuItem* parent = FParent;
    index = std::clamp(index, 0, parent->Count() - 1);
    if (index == MenuIndex()) return;
    parent->Remove(this);
    parent->Insert(index, this);
}

void TMenuItem::CheckAcceptable(const TMenuItem* item) const {
    if (!item) throw EMenuError(L"No menu item to insert");
    if (item->FMenu) throw EMenuError(L"A menu's root item cannot be inserted into another item");
    for (const TMenuItem* p = this; p; p = p->FParent)
        if (p == item) throw EMenuError(L"A menu item cannot be inserted into itself");
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    CheckAcceptable(item);
    if (index < 0 || index > Count()) throw EMenuError(L"Menu index out of range (" + IntToStr(index) + L")");
    if (item->FParent) {
        // Moving within this item: the index counts the item itself until it leaves.
        if (item->FParent == this && IndexOf(item) < index) --index;
        item->FParent->Remove(item);
    }
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    if (IsDestroying()) return;
    const bool hadHandle = FHandle != nullptr;
    if (FMenu)
        FMenu->RootEntriesChanged();
    else if (hadHandle)
        item->InsertNative();
    // The first sub-item turns this entry into a sub-menu (whose handle is filled when created).
    if (Count() == 1) UpdateNative();
    Changed(true);
}

void TMenuItem::Delete(int index) {
    Remove(Items(index));
}

void TMenuItem::Remove(TMenuItem* item) {
    const int index = IndexOf(item);
    if (index < 0) throw EMenuError(L"Menu item not found");
    if (!IsDestroying() && !FMenu) item->RemoveNative();
    FItems.erase(FItems.begin() + index);
    item->FParent = nullptr;
    if (IsDestroying()) return;
    if (FMenu) FMenu->RootEntriesChanged();
    if (Count() == 0) UpdateNative();
    Changed(true);
}

void TMenuItem::Clear() {
    TMenu* menu = GetParentMenu();
    if (menu) menu->BeginUpdate();
    try {
        while (!FItems.empty())
            delete FItems.back();
    } catch (...) {
        if (menu) menu->EndUpdate();
        throw;
    }
    if (menu) menu->EndUpdate();
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
    else
        throw EMenuError(L"A menu item belongs in a menu or in another menu item");
}

TComponent* TMenuItem::GetParentComponent() const {
    if (FParent && FParent->FMenu) return FParent->FMenu;
    return FParent;
}

void TMenuItem::Click() {
    if (!FEnabled) return;
    if (FAutoCheck) SetChecked(FRadioItem || !FChecked);
    // A copy: the handler may free this item, and with it OnClick.
    if (TNotifyEvent handler = OnClick) handler(this);
}

void TMenuItem::Changed(bool rebuild) {
    if (IsDestroying()) return;
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, rebuild);
}

// ---- what the item looks like ----

TImageList* TMenuItem::ImageList() const noexcept {
    const TMenu* menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

bool TMenuItem::HasValidImage() const {
    const TImageList* images = ImageList();
    return images && FImageIndex >= 0 && FImageIndex < images->Count();
}

bool TMenuItem::IsOwnerDraw() const noexcept {
    const TMenu* menu = GetParentMenu();
    return menu && menu->OwnerDraw();
}

bool TMenuItem::IsRightToLeft() const noexcept {
    const TMenu* menu = GetParentMenu();
    return menu && menu->IsRightToLeft();
}

bool TMenuItem::IsMenuBarItem() const noexcept {
    return FParent && FParent->FMenu && FParent->FMenu->IsMenuBar();
}

// ---- native menu ----

HMENU TMenuItem::Handle() {
    if (!FHandle) {
        HMENU handle = FMenu ? FMenu->CreateMenuHandle() : CreatePopupMenu();
        if (!handle) throw EOutOfResources(L"Cannot create a menu");
        FHandle = handle;
        if (FMenu) {
            FMenu->SyncRootEntries();
        } else {
            for (TMenuItem* item : FItems)
                item->InsertNative();
        }
    }
    return FHandle;
}

bool TMenuItem::IsRootEntry() const noexcept {
    return FParent && FParent->FMenu;
}

int TMenuItem::NativePosition() const noexcept {
    int position = 0;
    for (const TMenuItem* sibling : FParent->FItems) {
        if (sibling == this) break;
        if (sibling->FVisible) ++position;
    }
    return position;
}

std::wstring TMenuItem::NativeText() const {
    const std::wstring shortCut = ShortCutToText(FShortCut);
    return shortCut.empty() ? FCaption : FCaption + L"\t" + shortCut;
}

void TMenuItem::FillNative(MENUITEMINFOW& info, std::wstring& text) {
    info = MENUITEMINFOW{};
    info.cbSize = sizeof(info);
    // Every field, so that one description serves insertion and update alike.
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_BITMAP;
    const bool ownerDraw = IsOwnerDraw();
    if (IsLine()) info.fType |= MFT_SEPARATOR;
    if (FRadioItem) info.fType |= MFT_RADIOCHECK;
    if (ownerDraw) info.fType |= MFT_OWNERDRAW;
    if (IsRightToLeft()) {
        info.fType |= MFT_RIGHTORDER;
        if (IsMenuBarItem()) info.fType |= MFT_RIGHTJUSTIFY;
    }
    if (!FEnabled) info.fState |= MFS_DISABLED;
    if (FChecked) info.fState |= MFS_CHECKED;
    if (FDefault) info.fState |= MFS_DEFAULT;
    info.wID = FCommand;
    info.dwItemData = FCommand;
    info.hSubMenu = FItems.empty() ? nullptr : Handle();
    info.hbmpItem = !ownerDraw && HasValidImage() ? HBMMENU_CALLBACK : nullptr;
    if (!IsLine()) {
        // Owner-drawn entries keep their text as well, for code that reads the native menu.
        text = NativeText();
        info.fMask |= MIIM_STRING;
        info.dwTypeData = text.data();
    }
}

void TMenuItem::InsertNative() {
    if (IsRootEntry()) {
        FParent->FMenu->RootEntriesChanged();
        return;
    }
    if (!FParent || !FParent->FHandle || !FVisible) return;
    MENUITEMINFOW info;
    std::wstring text;
    FillNative(info, text);
    if (!InsertMenuItemW(FParent->FHandle, static_cast<UINT>(NativePosition()), TRUE, &info))
        RaiseLastOSError();
}

void TMenuItem::RemoveNative() {
    if (IsRootEntry() || !FParent || !FParent->FHandle || !FVisible) return;
    RemoveMenu(FParent->FHandle, static_cast<UINT>(NativePosition()), MF_BYPOSITION);
}

void TMenuItem::UpdateNative() {
    if (IsRootEntry()) {
        FParent->FMenu->RootEntriesChanged();
        return;
    }
    if (!FParent || !FParent->FHandle || !FVisible) return;
    MENUITEMINFOW info;
    std::wstring text;
    FillNative(info, text);
    if (!SetMenuItemInfoW(FParent->FHandle, static_cast<UINT>(NativePosition()), TRUE, &info))
        RaiseLastOSError();
}

void TMenuItem::RebuildNative() {
    if (FMenu) {
        FMenu->SyncRootEntries();
    } else if (FHandle) {
        DetachNativeEntries();
        for (TMenuItem* item : FItems)
            item->InsertNative();
    }
    for (TMenuItem* item : FItems)
        item->RebuildNative();
}

void TMenuItem::DetachNativeEntries() noexcept {
    for (int n = GetMenuItemCount(FHandle); n > 0; --n)
        RemoveMenu(FHandle, static_cast<UINT>(n - 1), MF_BYPOSITION);
}

std::unique_ptr<TMenuItem> TMenuItem::FromNative(HMENU menu, UINT item, bool byPosition) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    if (!GetMenuItemInfoW(menu, item, byPosition, &mii)) return nullptr;
    std::wstring text;
    if (!(mii.fType & (MFT_SEPARATOR | MFT_BITMAP)) && mii.cch > 0) {
        text.resize(mii.cch + 1);
        mii.dwTypeData = text.data();
        mii.cch = static_cast<UINT>(text.size());
        if (!GetMenuItemInfoW(menu, item, byPosition, &mii)) return nullptr;
        text.resize(std::min<std::size_t>(mii.cch, text.size() - 1));
    }
    auto result = std::make_unique<TMenuItem>(nullptr);
    // "Caption<tab>Shortcut": the shortcut part becomes ShortCut when it reads as one.
    if (const std::size_t tab = text.find(L'\t'); tab != std::wstring::npos) {
        if (const TShortCut shortCut = TextToShortCut(std::wstring_view(text).substr(tab + 1))) {
            result->FShortCut = shortCut;
            text.resize(tab);
        }
    }
    result->FCaption = (mii.fType & MFT_SEPARATOR) || text.empty() ? L"-" : text;
    result->FEnabled = (mii.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
    result->FChecked = (mii.fState & MFS_CHECKED) != 0;
    result->FDefault = (mii.fState & MFS_DEFAULT) != 0;
    result->FRadioItem = (mii.fType & MFT_RADIOCHECK) != 0;
    result->SetTag(static_cast<std::int32_t>(mii.wID));
    return result;
}

} // namespace orvo
