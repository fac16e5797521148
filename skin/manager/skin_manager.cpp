// TSkinManage: the registry of skinned windows and the skin component's requests.
//
// Weak references stay safe through free notifications: every form skin object and every skin
// component the manager holds tells a small notifier component when it dies, and the manager drops
// it from its lists at once, so no entry outlives what it names.
#include "skin/manager/skin_manager.h"

#include "framework/base/component.h"
#include "framework/base/timer.h"
#include "framework/forms/forms.h"
#include "framework/forms/screen.h"
#include "framework/window/window_property.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/data/skin_trace.h"
#include "skin/form/form_skin.h"
#include "skin/manager/high_contrast.h"
#include "skin/manager/popup_menu_skin.h"
#include "skin/manager/window_hook.h"

#include <algorithm>

namespace orvo {

namespace {

TSkinManage* GManager = nullptr;

// Frees the manager when the program ends, if the program did not do it itself.
struct TManagerOwner {
    ~TManagerOwner() { FreeSkinManager(); }
};

std::wstring ClassNameOf(HWND window) {
    wchar_t name[101]{};
    GetClassNameW(window, name, 101);
    return name;
}

} // namespace

class TSkinManage::TNotifier : public TComponent {
public:
    explicit TNotifier(TSkinManage* manager) : TComponent(nullptr), FManager(manager) {}

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove) FManager->Forget(component);
    }

private:
    TSkinManage* FManager;
};

TSkinManage::TSkinManage() : FNotifier(std::make_unique<TNotifier>(this)), FSkinTimer(std::make_unique<TTimer>(nullptr)) {
    FSkinTimer->SetEnabled(false);
    FSkinTimer->SetInterval(100);
    FSkinTimer->OnTimer = [this](TObject*) { DoPendingAction(); };
}

TSkinManage::~TSkinManage() {
    FState = TSkinManagerState::Destroying;
    FEnabled = false;
    FSkinTimer.reset();
    UnskinAll();
    // Popup skins give their windows back before they go.
    for (auto& popup : FPopupMenus) popup->Detach();
    FPopupMenus.clear();
    for (TSkinData* data : FSkinDatas) data->RemoveFreeNotification(FNotifier.get());
    FSkinDatas.clear();
    FContrastWatch.reset();
    RemoveWindowHook();
    ForgetSkinManager(this);
}

void TSkinManage::Forget(TComponent* component) {
    // Compared as components: the dying object may be partly destroyed already.
    std::erase_if(FForms, [component](TWinSkinForm* skin) { return static_cast<TComponent*>(skin) == component; });
    std::erase_if(FSkinDatas, [component](TSkinData* data) { return static_cast<TComponent*>(data) == component; });
    if (static_cast<TComponent*>(FMainSkinData) == component) FMainSkinData = nullptr;
    if (static_cast<TComponent*>(FPendingSkinData) == component) {
        // A request of a component that is gone is forgotten with it.
        FPendingSkinData = nullptr;
        FPendingAction = TSkinAction::None;
        if (FSkinTimer) FSkinTimer->SetEnabled(false);
    }
}

// ---- the skin components ---------------------------------------------------------------------

void TSkinManage::RegisterSkinData(TSkinData* skinData) {
    if (!skinData || std::find(FSkinDatas.begin(), FSkinDatas.end(), skinData) != FSkinDatas.end()) return;
    FSkinDatas.push_back(skinData);
    skinData->FreeNotification(FNotifier.get());
    if (!FMainSkinData && skinData->SkinFormtype() == sfMainform) FMainSkinData = skinData;
}

void TSkinManage::UnregisterSkinData(TSkinData* skinData) {
    // The windows it skins get their own look back while the component is still whole.
    for (auto it = FForms.rbegin(); it != FForms.rend();) {
        TWinSkinForm* skin = *it;
        if (skin->SkinData() != skinData) {
            ++it;
            continue;
        }
        FreeFormSkin(skin, FState != TSkinManagerState::Destroying);
        it = FForms.rbegin();
    }
    skinData->RemoveFreeNotification(FNotifier.get());
    Forget(skinData);
}

void TSkinManage::InstallHook() {
    InstallWindowHook();
    FHighContrast = HighContrastOn();
    if (!FContrastWatch)
        FContrastWatch = std::make_unique<THighContrastWatch>([this] { HighContrastChanged(); });
}

void TSkinManage::HighContrastChanged() {
    const bool on = HighContrastOn();
    if (on == FHighContrast || FState == TSkinManagerState::Destroying) return;
    FHighContrast = on;
    ORVO_SKIN_TRACE(L"high contrast %ls", on ? L"on: the skin steps aside" : L"off");
    if (on)
        UnskinEverything();
    else if (FEnabled)
        SwitchOn(nullptr, false);
}

void TSkinManage::UnskinEverything() {
    PurgeForms();
    while (!FForms.empty()) Unskin(FForms.front());
    // An open menu is drawn by the platform from its next paint.
    for (auto& popup : FPopupMenus) popup->Detach();
    FPopupMenus.clear();
    FMenuSource = TMenuSource::PopupMenu;
}

void TSkinManage::RequestAction(TSkinAction action, int delay) {
    FPendingAction = action;
    if (FState == TSkinManagerState::Idle) {
        // Nothing is skinned yet: the first activation will see the new setting.
        if (action == TSkinAction::SwitchOn) FEnabled = true;
        if (action == TSkinAction::SwitchOff) FEnabled = false;
        return;
    }
    if (!FSkinTimer) return;
    FSkinTimer->SetEnabled(false); // a later request replaces an earlier one and waits anew
    FSkinTimer->SetInterval(static_cast<std::uint32_t>(std::max(delay, 1)));
    FSkinTimer->SetEnabled(true);
}

void TSkinManage::SetPendingSkinData(TSkinData* skinData) {
    FPendingSkinData = skinData;
    if (skinData) skinData->FreeNotification(FNotifier.get());
}

void TSkinManage::ReleaseFormButtons() {
    for (TWinSkinForm* skin : FForms)
        if (skin->SkinData() == FPendingSkinData) skin->ReleaseSysButtons();
}

TSkinData* TSkinManage::ChooseSkinData(HWND window) const {
    if (FSkinDatas.empty()) return nullptr;
    auto last = [this](auto&& match) -> TSkinData* {
        TSkinData* found = nullptr;
        for (TSkinData* data : FSkinDatas)
            if (match(data)) found = data;
        return found;
    };
    if (TSkinData* d = last([window](TSkinData* data) {
            auto* form = dynamic_cast<TCustomForm*>(data->Owner());
            return data->SkinFormtype() == sfOnlyThisForm && form && form->HandleAllocated() &&
                   form->Handle() == window;
        }))
        return d;
    std::wstring name = ClassNameOf(window);
    std::transform(name.begin(), name.end(), name.begin(), ::towlower);
    if (name == L"tmessageform" || name == L"#32770")
        if (TSkinData* d = last([](TSkinData* data) { return data->SkinFormtype() == sfDialog; })) return d;
    if (TSkinData* d = last([](TSkinData* data) { return data->SkinFormtype() == sfMainform; })) return d;
    return FSkinDatas.front();
}

// ---- form skin objects -----------------------------------------------------------------------

TCustomForm* TSkinManage::FindFrameworkForm(HWND window) {
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (form->HandleAllocated() && form->Handle() == window) return form;
    }
    if (auto* form = dynamic_cast<TCustomForm*>(FindControl(window))) return form;
    // An MDI child is skinned while it is being created, before its form knows its window.
    auto* creating = dynamic_cast<TCustomForm*>(ControlBeingCreated());
    if (creating && !creating->HandleAllocated() && creating->FormStyle() == fsMDIChild &&
        (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_MDICHILD))
        return creating;
    return nullptr;
}

TWinSkinForm* TSkinManage::FindFormSkin(HWND window) const {
    for (TWinSkinForm* skin : FForms)
        if (skin->Handle == window) return skin;
    return nullptr;
}

void TSkinManage::RemoveFormSkin(TWinSkinForm* skin) {
    if (FState == TSkinManagerState::Destroying) return;
    std::erase(FForms, skin);
}

void TSkinManage::FreeFormSkin(TWinSkinForm* skin, bool unskin) {
    std::erase(FForms, skin);
    if (unskin)
        skin->Unskin();
    else
        skin->ReleaseHooks();
    delete skin;
}

void TSkinManage::PurgeForms() {
    if (FState == TSkinManagerState::Destroying) return;
    for (std::size_t i = FForms.size(); i-- > 0;) {
        if (i >= FForms.size()) continue;
        TWinSkinForm* skin = FForms[i];
        if (skin->State() == TFormSkinState::Destroyed) FreeFormSkin(skin, false);
    }
}

bool TSkinManage::SkinForm(TCustomForm* form) {
    if (!form->Visible() || !form->HandleAllocated()) return true;
    // Child windows are skinned with their form, except MDI children, which have frames.
    if ((GetWindowLongPtrW(form->Handle(), GWL_STYLE) & WS_CHILD) &&
        !(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD))
        return true;
    return SkinWindow(form->Handle());
}

bool TSkinManage::SkinWindow(HWND window) {
    if (!FEnabled || FHighContrast || !IsWindow(window)) return false;
    PurgeForms();
    if (SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1) return false;
    if (FindFormSkin(window)) return false;
    TCustomForm* form = FindFrameworkForm(window);
    TWindowFacts facts = WindowFactsOf(window);
    facts.FrameworkForm = form != nullptr;
    facts.FormTag = form ? form->Tag() : 0;
    if (!PassesWindowFilter(facts, FScanning)) return false;
    if (!MayBeSkinned(window, facts, FMainSkinData)) return false;
    TSkinData* data = ChooseSkinData(window);
    if (!data || data->NoSkin()) return false;

    auto* skin = new TWinSkinForm(form);
    skin->Handle = window;
    skin->WindowClassName = facts.ClassName;
    skin->FreeNotification(FNotifier.get());
    FForms.push_back(skin);
    if (form)
        skin->AttachForm(data, form);
    else
        skin->AttachWindow(data);
    PostMessageW(window, SKM_FINISHSKINNING, 0, SkmFinishSkinningParam);
    ORVO_SKIN_TRACE(L"skinned %p (%ls)", static_cast<void*>(window), facts.ClassName.c_str());
    return true;
}

void TSkinManage::UnskinAll() {
    FEnabled = false;
    while (!FForms.empty()) FreeFormSkin(FForms.back(), false);
}

void TSkinManage::SetMdiMaximized(bool value) {
    if (value == FMdiMaximized) return;
    FMdiMaximized = value;
    if (FMainSkinData && FMainSkinData->Options().Contains(xoMDIChildBorder)) return;
    for (TWinSkinForm* skin : std::vector<TWinSkinForm*>(FForms))
        if (skin->FormKind() == TFormKind::MdiChild) skin->MdiMaximizedChanged(value);
    // The frame's bar shows or loses the active child's buttons.
    for (TWinSkinForm* skin : FForms)
        if (skin->FormKind() == TFormKind::MdiFrame && IsWindow(skin->Handle))
            PostMessageW(skin->Handle, SKM_REPAINTFRAME, 0, 0);
}

// ---- popup menus -----------------------------------------------------------------------------

bool TSkinManage::IsPopupSkinned(HWND window) const {
    return std::any_of(FPopupMenus.begin(), FPopupMenus.end(),
                       [window](const auto& popup) { return popup->MenuWnd() == window; });
}

void TSkinManage::SkinPopupMenu(HWND window) {
    if (!FEnabled || FHighContrast || SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1 || IsPopupSkinned(window)) return;
    TSkinData* data = ChooseSkinData(window);
    if (!data || data->NoSkin()) return;
    const TSkinControlTypes controls = data->SkinControls();
    const bool wanted = FMenuSource == TMenuSource::PopupMenu  ? controls.Contains(xcPopupMenu)
                        : FMenuSource == TMenuSource::MenuBar ? controls.Contains(xcMainMenu) || controls.Contains(xcMenuItem)
                                                               : controls.Contains(xcSystemMenu);
    if (!wanted) return;
    std::unique_ptr<TPopupMenuSkin> popup = CreatePopupMenuSkin();
    if (!popup) return;
    popup->Attach(window, data, nullptr);
    FPopupMenus.push_back(std::move(popup));
}

void TSkinManage::UnskinPopupMenu(HWND window) {
    const auto it = std::find_if(FPopupMenus.begin(), FPopupMenus.end(),
                                 [window](const auto& popup) { return popup->MenuWnd() == window; });
    if (it != FPopupMenus.end()) {
        (*it)->Detach();
        FPopupMenus.erase(it);
    }
    if (FPopupMenus.empty()) FMenuSource = TMenuSource::PopupMenu;
}

void TSkinManage::AssignPopupMenuHandle(HMENU menu) {
    for (auto it = FPopupMenus.rbegin(); it != FPopupMenus.rend(); ++it) {
        if (!(*it)->MenuHandle()) {
            (*it)->SetMenuHandle(menu);
            return;
        }
    }
}

// ---- the pending action ----------------------------------------------------------------------

void TSkinManage::DoPendingAction() {
    if (FSkinTimer) FSkinTimer->SetEnabled(false);
    TSkinData* data = FPendingSkinData;
    if (!data) return;
    const bool only = data->SkinFormtype() == sfOnlyThisForm;
    switch (FPendingAction) {
    case TSkinAction::SwitchOn: SwitchOn(data, only); break;
    case TSkinAction::SwitchOff: SwitchOff(data, only); break;
    case TSkinAction::Refresh: Refresh(data, only); break;
    default: break;
    }
    // The action may have freed the component (a handler did); the notifier cleared it then.
    if (FPendingSkinData == data) {
        FPendingSkinData = nullptr;
        FPendingAction = TSkinAction::None;
        data->SkinChanged();
    }
}

void TSkinManage::SwitchOn(TSkinData* data, bool onlyThisForm) {
    FEnabled = true;
    FScanning = true;
    PurgeForms();
    for (int i = Screen->FormCount(); i-- > 0;) {
        if (i >= Screen->FormCount()) continue;
        TCustomForm* form = Screen->Forms(i);
        if (onlyThisForm && form != data->Owner()) continue;
        SkinForm(form);
        if (onlyThisForm) break;
    }
    FScanning = false;
}

void TSkinManage::SwitchOff(TSkinData* data, bool onlyThisForm) {
    FEnabled = false;
    PurgeForms();
    if (!onlyThisForm) {
        while (!FForms.empty()) Unskin(FForms.front());
        return;
    }
    for (auto it = FForms.rbegin(); it != FForms.rend(); ++it) {
        if ((*it)->SkinData() == data) {
            Unskin(*it);
            return;
        }
    }
}

void TSkinManage::Unskin(TWinSkinForm* skin) {
    const HWND window = skin->Handle;
    FreeFormSkin(skin, true);
    if (IsWindow(window)) {
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
    }
}

void TSkinManage::Refresh(TSkinData* data, bool onlyThisForm) {
    PurgeForms();
    std::vector<TWinSkinForm*> skins;
    for (TWinSkinForm* skin : FForms)
        if (skin->SkinData() == data) skins.push_back(skin);
    if (onlyThisForm && skins.size() > 1) skins.erase(skins.begin() + 1, skins.end());
    for (TWinSkinForm* skin : skins) {
        skin->ReleaseSysButtons();
        skin->BuildFrame();
    }
    // A skin change may free form skins (a window that dies): check each is still listed.
    for (TWinSkinForm* skin : skins)
        if (std::find(FForms.begin(), FForms.end(), skin) != FForms.end()) skin->SkinChanged();
}

// ---- the one manager -------------------------------------------------------------------------

TSkinManage* SkinManager() {
    static TManagerOwner owner;
    if (!GManager) GManager = new TSkinManage;
    return GManager;
}

TSkinManage* ExistingSkinManager() noexcept {
    return GManager;
}

void InstallSkinEngine() {
    SetSkinManagerFactory([]() -> TSkinManagerLink* { return SkinManager(); });
}

void FreeSkinManager() {
    TSkinManage* manager = GManager;
    if (!manager) return;
    delete manager;
    GManager = nullptr;
}

} // namespace orvo
