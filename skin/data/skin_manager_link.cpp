#include "skin/data/skin_manager_link.h"

namespace orvo {

namespace {

// All skin work runs on the user-interface thread: no locking.
TSkinManagerFactory Factory = nullptr;
TSkinManagerLink* Manager = nullptr;

} // namespace

void SetSkinManagerFactory(TSkinManagerFactory factory) {
    Factory = factory;
}

TSkinManagerLink* SkinManagerLink() {
    return Manager;
}

TSkinManagerLink* EnsureSkinManager() {
    if (!Manager && Factory) Manager = Factory();
    return Manager;
}

void ForgetSkinManager(TSkinManagerLink* manager) {
    if (Manager == manager) Manager = nullptr;
}

} // namespace orvo
