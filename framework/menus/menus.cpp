#include "framework/menus/menus.h"

#include "framework/graphics/canvas.h"
#include "framework/graphics/font.h"
#include "framework/graphics/image_list.h"
#include "framework/base/properties.h"

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

// A canvas on a DC for the length of one owner-draw call, with the menu font.
class TMenuCanvas {
public:
    explicit TMenuCanvas(HDC dc) : FSaved(dc) {
        FCanvas.SetHandle(dc);
        FCanvas.Font().Assign(MenuFont());
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
    return FindInTree(FItems, value, kind);
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
    for (TMenuItem* p = item->Parent(); p && p != FItems; p = p->Parent())
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
    TMenuItem* parent = FindItem(reinterpret_cast<UINT_PTR>(menu), fkHandle);
    if (!parent) return false;
    int position = 0;
    for (int i = 0; i < parent->Count(); ++i) {
        const TMenuItem* item = parent->Items(i);
        if (!item->Visible()) continue;
        if (item->Enabled() && IsAccel(ch, item->Caption())) {
            result = MAKELRESULT(position, MNC_EXECUTE);
            return true;
        }
        ++position;
    }
    return false;
}

bool TMenu::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU || !item.hDC) return false;
    TMenuItem* menuItem = FindItem(item.itemID, fkCommand);
    if (!menuItem) return false;
    try {
        TMenuCanvas canvas(item.hDC);
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
        TMenuCanvas canvas(screen.Get());
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

std::unique_ptr<TFont>& MenuFontSlot() {
    static std::unique_ptr<TFont> font;
    return font;
}

} // namespace

void RefreshMenuFont() {
    auto& slot = MenuFontSlot();
    if (!slot) slot = std::make_unique<TFont>();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return;
    TFontHandle font(CreateFontIndirectW(&metrics.lfMenuFont));
    if (font) slot->SetHandle(font.Get());
}

TFont& MenuFont() {
    if (!MenuFontSlot()) RefreshMenuFont();
    return *MenuFontSlot();
}

} // namespace orvo
