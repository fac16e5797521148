#include "framework/menus/menus.h"

#include "framework/graphics/canvas.h"
#include "framework/graphics/font.h"
#include "framework/graphics/image_list.h"
#include "framework/base/properties.h"
#include "framework/menus/menu_commands.h"
#include "framework/controls/win_control.h"
#include "framework/window/display_scale.h"
#include "framework/window/window_property.h"

#include <algorithm>
#include <map>
#include <memory>
#include <utility>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TMenu);
ORVO_IMPLEMENT_CLASS(TMainMenu);

namespace {

TMenuItem* FindInTree(TMenuItem* item, UINT_PTR value, TFindItemKind kind) noexcept {
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        bool found = false;
        switch (kind) {
        case fkCommand:
            found = child->Command() == value;
            break;
        case fkHandle:
            found = child->HandleAllocated() && reinterpret_cast<UINT_PTR>(child->Handle()) == value;
            break;
        case fkShortCut:
            found = child->ShortCut() != scNone && child->ShortCut() == value;
            break;
        }
        if (found) return child;
        if (TMenuItem* deeper = FindInTree(child, value, kind)) return deeper;
    }
    return nullptr;
}

// A canvas on a DC for the length of one owner-draw call, with the menu font at the menu's DPI.
class TMenuCanvas {
public:
    TMenuCanvas(HDC dc, int dpi) : FSaved(dc) {
        FCanvas.SetHandle(dc);
        FCanvas.Font().Assign(MenuFont(dpi));
    }
    TCanvas& Get() { return FCanvas; }

private:
    TSavedDc FSaved; // outlives the canvas, which lets go of the DC first
    TCanvas FCanvas;
};

bool AncestorsEnabled(const TMenuItem* item) noexcept {
    for (const TMenuItem* p = item; p; p = p->Parent())
        if (!p->Enabled()) return false;
    return true;
}

} // namespace

void TMenu::Publish(TPublisher<TMenu>& p) {
    p.Enum(L"BiDiMode", BiDiModeType(), &TMenu::BiDiMode, &TMenu::SetBiDiMode);
    p.Object(L"Images", &TMenu::Images, &TMenu::SetImages);
    p.Boolean(L"OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw);
    p.Event(L"OnChange", &TMenu::OnChange);
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(nullptr)) {
    FItems->FMenu = this;
}

TMenu::~TMenu() {
    Destroying();
    // Out of the other bar before the sub-menus it shows are destroyed with the items.
    if (FMergedInto) FMergedInto->Unmerge(this);
    if (FMerged) FMerged->FMergedInto = nullptr;
    FMerged = nullptr;
    SetWindowHandle(nullptr);
    delete FItems;
}

HMENU TMenu::CreateMenuHandle() {
    return CreatePopupMenu();
}

void TMenu::SetOwnerDraw(bool ownerDraw) {
    if (ownerDraw == FOwnerDraw) return;
    FOwnerDraw = ownerDraw;
    RebuildAll();
}

void TMenu::SetImages(TImageList* images) {
    if (images == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = images;
    if (FImages) FImages->FreeNotification(this);
    RebuildAll();
}

void TMenu::SetBiDiMode(TBiDiMode mode) {
    if (mode == FBiDiMode) return;
    FBiDiMode = mode;
    RebuildAll();
}

void TMenu::SetWindowHandle(HWND window) {
    if (window == FWindowHandle) return;
    HWND old = FWindowHandle;
    FWindowHandle = window;
    if (old && HandleAllocated() && IsWindow(old) && GetMenu(old) == FItems->FHandle) SetMenu(old, nullptr);
}

void TMenu::RebuildAll() {
    FItems->RebuildNative();
    MenuChanged(nullptr, true);
}

// ---- merging ---------------------------------------------------------------------------------

namespace {

// An entry this framework put into a menu: its data is its command number (the platform's own
// entries, such as a maximised MDI child's buttons, carry none).
// The command of an item entry, 0 for any other.
UINT ItemEntryCommand(HMENU menu, int position) noexcept {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_DATA;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return 0;
    const bool ours = info.wID >= FirstMenuCommand && info.wID <= LastMenuCommand && info.dwItemData == info.wID;
    return ours ? info.wID : 0;
}

// Where the item entries of a bar start after the platform's leading entries: before the first
// plain system-command entry (the trailing minimise / restore / close of a maximised MDI child).
int ItemEntriesEnd(HMENU menu) noexcept {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU;
        if (GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) && !info.hSubMenu &&
            info.wID > LastMenuCommand)
            return i;
    }
    return std::max(count, 0);
}

} // namespace

void TMenu::Merge(TMenu* menu) {
    if (menu == FMerged) return;
    if (menu == this) throw EMenuError(L"A menu cannot be merged into itself");
    if (menu && menu->FMerged) throw EMenuError(L"A menu that shows merged items cannot be merged itself");
    if (FMerged) FMerged->FMergedInto = nullptr;
    if (menu && menu->FMergedInto) menu->FMergedInto->Unmerge(menu);
    FMerged = menu;
    if (menu) menu->FMergedInto = this;
    if (ComponentState().Contains(csDestroying)) return;
    SyncRootEntries();
    MenuChanged(nullptr, true);
}

void TMenu::Unmerge(TMenu* menu) {
    if (menu && menu == FMerged) Merge(nullptr);
}

std::vector<TMenuItem*> TMenu::BarItems() const {
    std::vector<TMenuItem*> result;
    const auto& own = FItems->FItems;
    if (!FMerged) {
        for (TMenuItem* item : own)
            if (item->Visible()) result.push_back(item);
        return result;
    }
    std::vector<TMenuItem*> merged = FMerged->FItems->FItems;
    std::stable_sort(merged.begin(), merged.end(),
                     [](const TMenuItem* a, const TMenuItem* b) { return a->GroupIndex() < b->GroupIndex(); });
    const auto replaced = [&merged](std::uint8_t group) {
        return std::any_of(merged.begin(), merged.end(), [group](const TMenuItem* m) { return m->GroupIndex() == group; });
    };
    std::size_t next = 0;
    for (TMenuItem* item : own) {
        for (; next < merged.size() && merged[next]->GroupIndex() <= item->GroupIndex(); ++next)
            if (merged[next]->Visible()) result.push_back(merged[next]);
        if (item->Visible() && !replaced(item->GroupIndex())) result.push_back(item);
    }
    for (; next < merged.size(); ++next)
        if (merged[next]->Visible()) result.push_back(merged[next]);
    return result;
}

void TMenu::RootEntriesChanged() {
    if (ComponentState().Contains(csDestroying)) return;
    if (FMergedInto)
        FMergedInto->SyncRootEntries();
    else
        SyncRootEntries();
}

// Few entries stand in a bar: putting all of them again is simpler than tracking positions among
// the platform's entries, and keeps handles and commands as they are.
void TMenu::SyncRootEntries() {
    if (!FItems->FHandle || ComponentState().Contains(csDestroying)) return;
    HMENU bar = FItems->FHandle;
    for (int i = GetMenuItemCount(bar) - 1; i >= 0; --i)
        if (ItemEntryCommand(bar, i) != 0) RemoveMenu(bar, static_cast<UINT>(i), MF_BYPOSITION);
    int position = ItemEntriesEnd(bar);
    for (TMenuItem* item : BarItems()) {
        MENUITEMINFOW info;
        std::wstring text;
        item->FillNative(info, text);
        if (!InsertMenuItemW(bar, static_cast<UINT>(position++), TRUE, &info)) RaiseLastOSError();
    }
}

void TMenu::Loaded() {
    inherited::Loaded();
    RebuildAll();
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation == opRemove && component == FImages) {
        FImages = nullptr;
        if (!ComponentState().Contains(csDestroying)) RebuildAll();
    }
}

void TMenu::MenuChanged(TMenuItem* source, bool rebuild) {
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
    if (FUpdateCount > 0) {
        FChangePending = true;
        FRebuildPending = FRebuildPending || rebuild;
        return;
    }
    NotifyWindow();
    if (TMenuChangeEvent handler = OnChange) handler(this, source, rebuild);
    // The bar that shows this menu's items changed with them.
    if (FMergedInto) {
        if (rebuild) FMergedInto->SyncRootEntries();
        FMergedInto->MenuChanged(source, rebuild);
    }
}

void TMenu::EndUpdate() {
    if (FUpdateCount == 0 || --FUpdateCount > 0 || !FChangePending) return;
    FChangePending = false;
    const bool rebuild = std::exchange(FRebuildPending, false);
    MenuChanged(nullptr, rebuild);
}

void TMenu::NotifyWindow() {
    if (!FWindowHandle || !IsWindow(FWindowHandle)) return;
    if (IsMenuBar()) DrawMenuBar(FWindowHandle);
    SendMessageW(FWindowHandle, CM_MENUCHANGED, 0, 0);
}

TMenuItem* TMenu::FindItem(UINT_PTR value, TFindItemKind kind) const noexcept {
    if (kind == fkHandle && FItems->HandleAllocated() && reinterpret_cast<UINT_PTR>(FItems->FHandle) == value)
        return FItems;
    if (TMenuItem* item = FindInTree(FItems, value, kind)) return item;
    return FMerged ? FindInTree(FMerged->FItems, value, kind) : nullptr;
}

bool TMenu::DispatchCommand(UINT command) {
    TMenuItem* item = FindItem(command, fkCommand);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchPopup(HMENU menu) {
    TMenuItem* item = FindItem(reinterpret_cast<UINT_PTR>(menu), fkHandle);
    if (!item) return false;
    // Only OnClick: AutoCheck concerns clicks on the item, not the opening of its sub-menu.
    if (TNotifyEvent handler = item->OnClick) handler(item);
    return true;
}

bool TMenu::IsShortCut(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    TShiftState shift = KeyboardShiftState();
    if (message.message == WM_SYSKEYDOWN && (message.lParam & (1 << 29))) shift.Include(ssAlt);
    return IsShortCut(static_cast<WORD>(message.wParam), shift);
}

bool TMenu::IsShortCut(WORD key, TShiftState shift) {
    const TShortCut shortCut = orvo::ShortCut(key, shift);
    if (shortCut == scNone) return false;
    TMenuItem* item = FindItem(shortCut, fkShortCut);
    if (!item || !AncestorsEnabled(item->Parent())) return false;
    // The items above get their OnClick first, as when their sub-menus open, so that they can
    // update the item. Handlers may change the tree: items are looked up by command each time.
    std::vector<UINT> chain;
    for (TMenuItem* p = item->Parent(); p && !p->FMenu; p = p->Parent())
        chain.push_back(p->Command());
    for (auto command = chain.rbegin(); command != chain.rend(); ++command)
        if (TMenuItem* p = FindItem(*command, fkCommand))
            if (TNotifyEvent handler = p->OnClick) handler(p);
    item = FindItem(shortCut, fkShortCut);
    if (!item || !AncestorsEnabled(item)) return false;
    item->Click();
    return true;
}

bool TMenu::ProcessMenuChar(wchar_t ch, HMENU menu, LRESULT& result) {
    if (!FindItem(reinterpret_cast<UINT_PTR>(menu), fkHandle)) return false;
    // Positions are the native menu's: a bar may hold merged items and the platform's entries.
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const UINT command = ItemEntryCommand(menu, position);
        if (command == 0) continue;
        const TMenuItem* item = FindItem(command, fkCommand);
        if (item && item->Enabled() && IsAccel(ch, item->Caption())) {
            result = MAKELRESULT(position, MNC_EXECUTE);
            return true;
        }
    }
    return false;
}

bool TMenu::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU || !item.hDC) return false;
    TMenuItem* menuItem = FindItem(item.itemID, fkCommand);
    if (!menuItem) return false;
    try {
        TMenuCanvas canvas(item.hDC, Dpi());
        if (menuItem->IsOwnerDraw()) {
            menuItem->AdvancedDrawItem(canvas.Get(), item.rcItem,
                                       OwnerDrawStateFromItemState(item.itemState));
        } else if (menuItem->HasValidImage()) {
            // The image beside a native entry's text (HBMMENU_CALLBACK).
            const RECT& r = item.rcItem;
            TImageList* images = menuItem->ImageList();
            images->Draw(canvas.Get(), r.left + (r.right - r.left - images->Width()) / 2,
                         r.top + (r.bottom - r.top - images->Height()) / 2, menuItem->ImageIndex(),
                         menuItem->Enabled());
        }
    } catch (...) {
        HandleException(menuItem);
    }
    return true;
}

bool TMenu::MeasureItem(MEASUREITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU) return false;
    TMenuItem* menuItem = FindItem(item.itemID, fkCommand);
    if (!menuItem) return false;
    try {
        TWindowDc screen;
        TMenuCanvas canvas(screen.Get(), Dpi());
        int width = 0;
        int height = 0;
        if (menuItem->IsOwnerDraw()) {
            menuItem->MeasureItem(canvas.Get(), width, height);
        } else if (menuItem->HasValidImage()) {
            width = menuItem->ImageList()->Width();
            height = menuItem->ImageList()->Height();
        }
        item.itemWidth = static_cast<UINT>(std::max(width, 0));
        item.itemHeight = static_cast<UINT>(std::max(height, 0));
    } catch (...) {
        HandleException(menuItem);
    }
    return true;
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

HMENU TMainMenu::CreateMenuHandle() {
    return CreateMenu();
}

namespace {

// One font per DPI met (a handful at most): their handles live as long as the program.
std::map<int, std::unique_ptr<TFont>>& MenuFonts() {
    static std::map<int, std::unique_ptr<TFont>> fonts;
    return fonts;
}

} // namespace

int TMenu::Dpi() const {
    if (FShowingDpi > 0) return FShowingDpi;
    if (FWindowHandle && IsWindow(FWindowHandle)) {
        if (const TWinControl* control = FindControl(FWindowHandle)) return control->CurrentDpi();
        return DpiForWindow(FWindowHandle);
    }
    return SystemDpi();
}

void RefreshMenuFont() {
    for (auto& [dpi, font] : MenuFonts()) {
        NONCLIENTMETRICSW metrics{};
        if (!NonClientMetricsForDpi(metrics, dpi)) continue;
        TFontHandle handle(CreateFontIndirectW(&metrics.lfMenuFont));
        if (handle) font->SetHandle(handle.Get());
        font->SetPixelsPerInch(dpi);
    }
}

TFont& MenuFont(int dpi) {
    auto& slot = MenuFonts()[dpi];
    if (!slot) {
        slot = std::make_unique<TFont>();
        NONCLIENTMETRICSW metrics{};
        if (NonClientMetricsForDpi(metrics, dpi)) {
            TFontHandle handle(CreateFontIndirectW(&metrics.lfMenuFont));
            if (handle) slot->SetHandle(handle.Get());
        }
        slot->SetPixelsPerInch(dpi);
    }
    return *slot;
}

TFont& MenuFont() {
    return MenuFont(SystemDpi());
}

} // namespace orvo
