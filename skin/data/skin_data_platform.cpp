// What the skin component takes from the platform once its form has been read, and how it hands
// itself to the skin manager.
#include "skin/data/skin_data.h"

#include "framework/forms/application.h"
#include "framework/forms/forms.h"
#include "skin/data/skin_bitmaps.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/user32_optional.h"

namespace orvo {

namespace {

// The icon drawn on magenta at the small-icon size; empty without an icon.
void RenderSmallIcon(HICON icon, TBitmap& target) {
    target.Clear();
    if (!icon) return;
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    HICON copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, 0));
    MakeFilledBitmap(target, cx, cy, clFuchsia);
    DrawIconEx(target.Canvas().Handle(), 0, 0, copy ? copy : icon, cx, cy, 0, nullptr, DI_NORMAL);
    if (copy) DestroyIcon(copy);
    target.SetTransparentColor(clFuchsia);
    target.SetTransparent(true);
}

HICON WindowSmallIcon(HWND window) {
    if (!window) return nullptr;
    auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    return icon;
}

} // namespace

HWND TSkinData::OwnerFormWindow() const {
    auto* form = dynamic_cast<TCustomForm*>(Owner());
    return form ? form->Handle() : nullptr;
}

HWND TSkinData::ApplicationWindow() {
    return Application->Handle();
}

void TSkinData::AfterFormLoad() {
    if (Designing()) return;
    if (!HasScrollBarInfo()) FSkinControls.Exclude(xcScrollbar);
    TSkinManagerLink* manager = EnsureSkinManager();
    if (manager && manager != FRegisteredWith) {
        manager->RegisterSkinData(this);
        FRegisteredWith = manager;
    }
    CaptureCaptionFont();
    if (FSkinFormtype != sfMainform) {
        if (!manager) return;
        manager->SetEnabled(true);
        // Such a component skins its own form at once: the manager counts as running.
        if (manager->State() == TSkinManagerState::Idle) manager->SetState(TSkinManagerState::Running);
        if (HWND form = OwnerFormWindow(); form && FActive) manager->SkinWindow(form);
        return;
    }
    if (manager) manager->InstallHook();
    if (FActive) {
        if (FNoSkin)
            FActive = false; // nothing to skin with
        else if (manager)
            manager->RequestAction(TSkinAction::SwitchOn, 250);
    }
    // A skinned menu bar draws its own items; without it the system menu is left alone.
    if (FSkinControls.Contains(xcMainMenu))
        FSkinControls.Exclude(xcMenuItem);
    else
        FSkinControls.Exclude(xcSystemMenu);
    RenderSmallIcon(WindowSmallIcon(ApplicationWindow()), FAppIcon);
}

void TSkinData::CaptureCaptionFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
    TFontHandle font(CreateFontIndirectW(&metrics.lfCaptionFont));
    if (font) FCaptionFont.SetHandle(font.Get());
}

} // namespace orvo
