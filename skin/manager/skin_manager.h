// TSkinManage: the one process-wide object that follows the top-level windows of the
// user-interface thread and gives each the skin object it needs: a TWinSkinForm for forms, dialog
// boxes and message boxes (when they are activated), a popup-menu skin for menu windows (when they
// are created). It keeps those objects, drops them when their windows or components go away, and
// carries out the skin component's requests (switch on, switch off, refresh) on a one-shot timer.
//
// The window filter (which windows are skinned at all) is in window_hook.cpp with the CBT hook.
// There is one manager: SkinManager() creates it on first use (the skin component asks for it
// through TSkinManagerLink); FreeSkinManager() tears it down at program end, after the forms.
//
// While the system's high-contrast mode is on (high_contrast.h) the skin steps aside: every
// skinned window and menu gets the platform's look back and no window is skinned; when the mode
// goes off the forms are skinned again. The mode is asked when the hook is installed and again at
// each notice of a change; the skin component's own switch (Enabled) is left as it is.
#pragma once

#include "skin/data/skin_manager_link.h"

#include <memory>
#include <vector>
#include <windows.h>

namespace orvo {

class TComponent;
class TCustomForm;
class TPopupMenuSkin;
class TSkinData;
class THighContrastWatch;
class TTimer;
class TWinSkinForm;

// Where the next popup menu window comes from.
enum class TMenuSource : int {
    PopupMenu = 0,
    MenuBar = 1,    // a drop-down of a form's menu bar
    SystemMenu = 2, // a form's system menu
};

class TSkinManage final : public TSkinManagerLink {
public:
    TSkinManage();
    ~TSkinManage() override;
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    // TSkinManagerLink: what the skin component asks.
    void RegisterSkinData(TSkinData* skinData) override;
    void UnregisterSkinData(TSkinData* skinData) override;
    void InstallHook() override;
    void RequestAction(TSkinAction action, int delay) override;
    void SetPendingSkinData(TSkinData* skinData) override;
    TSkinManagerState State() const override { return FState; }
    void SetState(TSkinManagerState state) override { FState = state; }
    void SetEnabled(bool enabled) override { FEnabled = enabled; }
    void ReleaseFormButtons() override;
    bool SkinWindow(HWND window) override;

    bool SkinForm(TCustomForm* form);
    bool Enabled() const noexcept { return FEnabled; }
    // The high-contrast mode was on when last asked: the skin stands aside.
    bool HighContrast() const noexcept { return FHighContrast; }
    // Asks the mode again and follows it (the watch window's notice calls this).
    void HighContrastChanged();
    TSkinData* PendingSkinData() const noexcept { return FPendingSkinData; }
    TSkinAction PendingAction() const noexcept { return FPendingAction; }
    TSkinData* MainSkinData() const noexcept { return FMainSkinData; }
    const std::vector<TSkinData*>& SkinDatas() const noexcept { return FSkinDatas; }

    // The form skin objects alive now, in order of creation.
    const std::vector<TWinSkinForm*>& Forms() const noexcept { return FForms; }
    TWinSkinForm* FindFormSkin(HWND window) const;
    // Called by a form skin object that goes away; nothing while the manager is torn down.
    void RemoveFormSkin(TWinSkinForm* skin);
    // Drops entries whose objects are gone and frees those whose windows are destroyed.
    void PurgeForms();

    // Popup menu windows ("#32768").
    void SkinPopupMenu(HWND window);
    void UnskinPopupMenu(HWND window);
    bool IsPopupSkinned(HWND window) const;
    void AssignPopupMenuHandle(HMENU menu);
    const std::vector<std::unique_ptr<TPopupMenuSkin>>& PopupMenus() const noexcept { return FPopupMenus; }
    TMenuSource MenuSource() const noexcept { return FMenuSource; }
    void SetMenuSource(TMenuSource source) noexcept { FMenuSource = source; }

    // MDI: the client window of the skinned MDI frame and that frame's form (written by the
    // frame's skin object), and whether the frame's active child is maximised. A change of the
    // latter is told to every skinned MDI child (their regions) and repaints the frame's bar;
    // nothing is told when the main skin's options keep the children's own borders.
    bool MdiMaximized() const noexcept { return FMdiMaximized; }
    void SetMdiMaximized(bool value);
    HWND MdiClient() const noexcept { return FMdiClient; }
    TCustomForm* MdiMainForm() const noexcept { return FMdiMainForm; }
    void SetMdiFrame(HWND client, TCustomForm* form) noexcept {
        FMdiClient = client;
        FMdiMainForm = form;
    }
    // The frame whose client this is goes: nothing MDI is left to tell.
    void ForgetMdiFrame(HWND client) noexcept {
        if (client != FMdiClient) return;
        FMdiClient = nullptr;
        FMdiMainForm = nullptr;
        FMdiMaximized = false;
    }

    // Which skin component skins this window (the last registered match wins within a rule).
    TSkinData* ChooseSkinData(HWND window) const;
    // The framework form behind a window, if there is one.
    static TCustomForm* FindFrameworkForm(HWND window);

    // Runs the pending action now (the timer's handler).
    void DoPendingAction();
    // Every form skin object detached without repainting, and freed.
    void UnskinAll();

private:
    class TNotifier;
    friend class TNotifier;
    void Forget(TComponent* component);
    void SwitchOn(TSkinData* data, bool onlyThisForm);
    void SwitchOff(TSkinData* data, bool onlyThisForm);
    void Refresh(TSkinData* data, bool onlyThisForm);
    void FreeFormSkin(TWinSkinForm* skin, bool unskin);
    // The window given its own look back, repainted; the object freed.
    void Unskin(TWinSkinForm* skin);
    // Every skinned window and menu given its own look back, repainted.
    void UnskinEverything();

    std::unique_ptr<TNotifier> FNotifier;
    std::unique_ptr<THighContrastWatch> FContrastWatch;
    bool FHighContrast = false;
    std::unique_ptr<TTimer> FSkinTimer;
    std::vector<TWinSkinForm*> FForms;
    std::vector<std::unique_ptr<TPopupMenuSkin>> FPopupMenus;
    std::vector<TSkinData*> FSkinDatas;
    bool FEnabled = false;
    bool FScanning = false;
    TSkinManagerState FState = TSkinManagerState::Idle;
    TMenuSource FMenuSource = TMenuSource::PopupMenu;
    bool FMdiMaximized = false;
    HWND FMdiClient = nullptr;
    TCustomForm* FMdiMainForm = nullptr;
    TSkinAction FPendingAction = TSkinAction::None;
    TSkinData* FPendingSkinData = nullptr;
    TSkinData* FMainSkinData = nullptr;
};

// The manager, created when first asked for.
TSkinManage* SkinManager();
// The manager if it exists, else null (never creates one).
TSkinManage* ExistingSkinManager() noexcept;
// Makes the skin component find the manager (call once at start-up, before forms are read).
void InstallSkinEngine();
// Tears the manager down: every skin object detached and freed, the hook removed.
void FreeSkinManager();

} // namespace orvo
