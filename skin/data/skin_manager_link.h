// How the skin component reaches the process's skin manager without depending on it: the manager
// (a layer above) implements this interface and registers a factory at start-up. Until one is
// registered, the component loads skins but nothing is skinned.
#pragma once

#include "skin/data/skin_protocol.h"

#include <windows.h>

namespace orvo {

class TSkinData;

class TSkinManagerLink {
public:
    virtual ~TSkinManagerLink() = default;

    virtual void RegisterSkinData(TSkinData* skinData) = 0;
    virtual void UnregisterSkinData(TSkinData* skinData) = 0;
    // The thread's window-creation and activation hook.
    virtual void InstallHook() = 0;
    // The action runs `delay` ms later (at once when no window has been activated yet).
    virtual void RequestAction(TSkinAction action, int delay) = 0;
    virtual void SetPendingSkinData(TSkinData* skinData) = 0;
    virtual TSkinManagerState State() const = 0;
    virtual void SetState(TSkinManagerState state) = 0;
    virtual void SetEnabled(bool enabled) = 0;
    // Every skinned window using the pending skin component drops its caption buttons.
    virtual void ReleaseFormButtons() = 0;
    virtual bool SkinWindow(HWND window) = 0;
};

using TSkinManagerFactory = TSkinManagerLink* (*)();

// Registered once by the manager's unit; the factory creates the one manager and keeps it.
void SetSkinManagerFactory(TSkinManagerFactory factory);
// The manager when it exists, else null.
TSkinManagerLink* SkinManagerLink();
// The manager, created through the factory when it does not exist yet; null without a factory.
TSkinManagerLink* EnsureSkinManager();
// The manager's unit calls this when the manager it created goes away.
void ForgetSkinManager(TSkinManagerLink* manager);

} // namespace orvo
