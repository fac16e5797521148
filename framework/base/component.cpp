#include "framework/base/component.h"

#include "framework/base/exceptions.h"
#include "framework/base/properties.h"
#include "framework/base/sysutils.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TComponent);

void TComponent::Publish(TPublisher<TComponent>& p) {
    p.String(L"Name", &TComponent::Name, &TComponent::SetName);
    p.Integer(L"Tag", &TComponent::Tag, &TComponent::SetTag);
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        UnlinkFreeNotification(other);
        try {
            other->Notification(this, opRemove);
        } catch (...) {
            HandleException(other);
        }
    }
    try {
        DestroyComponents();
        if (FOwner) FOwner->RemoveComponent(this);
    } catch (...) {
        HandleException(this);
    }
}

void TComponent::SetName(std::wstring_view name) {
    if (name == FName) return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError(L"'" + std::wstring(name) + L"' is not a valid component name");
    if (FOwner) FOwner->ValidateRename(this, name);
    SetReference(false);
    FName = std::wstring(name);
    SetReference(true);
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError(L"List index out of bounds (" + IntToStr(index) + L")");
    return FComponents[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const noexcept {
    if (!FOwner) return -1;
    const auto& list = FOwner->FComponents;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(std::wstring_view name) const noexcept {
    if (name.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->FOwner == this) return;
    for (const TComponent* o = this; o; o = o->FOwner)
        if (o == component) throw EComponentError(L"A component cannot own itself or its owner");
    ValidateRename(component, component->FName);
    if (component->FOwner) component->FOwner->RemoveComponent(component);
    FComponents.push_back(component);
    component->FOwner = this;
    component->SetReference(true);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (!component || component->FOwner != this) return;
    Notification(component, opRemove);
    component->SetReference(false);
    // Notification handlers may have removed it already.
    auto it = std::find(FComponents.begin(), FComponents.end(), component);
    if (it != FComponents.end()) FComponents.erase(it);
    component->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        RemoveComponent(last);
        delete last;
    }
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
        FFreeNotifies.push_back(component);
    if (std::find(component->FFreeNotifies.begin(), component->FFreeNotifies.end(), this) ==
        component->FFreeNotifies.end())
        component->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (component) UnlinkFreeNotification(component);
}

void TComponent::UnlinkFreeNotification(TComponent* component) noexcept {
    std::erase(FFreeNotifies, component);
    std::erase(component->FFreeNotifies, this);
}

void TComponent::SetParentComponent(TComponent*) {}

TComponent* TComponent::GetParentComponent() const {
    return nullptr;
}

void TComponent::Loaded() {
    FState.Exclude(csLoading);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) UnlinkFreeNotification(component);
    // Handlers may free components: walk down and re-clamp the index to the shrinking list.
    for (std::size_t i = FComponents.size(); i-- > 0;) {
        if (i >= FComponents.size()) {
            i = FComponents.size();
            continue;
        }
        TComponent* c = FComponents[i];
        if (c != component) c->Notification(component, operation);
    }
}

void TComponent::Destroying() noexcept {
    if (FState.Contains(csDestroying)) return;
    FState.Include(csDestroying);
    for (TComponent* c : FComponents)
        c->Destroying();
}

void TComponent::SetState(TComponentStateItem item, bool on) noexcept {
    if (on)
        FState.Include(item);
    else
        FState.Exclude(item);
}

void TComponent::ValidateRename(const TComponent* component, std::wstring_view newName) const {
    if (newName.empty()) return;
    for (const TComponent* c : FComponents)
        if (c != component && SameText(c->FName, newName))
            throw EComponentError(L"A component named " + std::wstring(newName) + L" already exists");
}

void TComponent::SetReference(bool enable) noexcept {
    if (!FOwner || FName.empty() || FOwner->FState.Contains(csDestroying)) return;
    try {
        const TFieldInfo* field = FOwner->ClassInfo().Properties().FindField(FName);
        if (!field) return;
        if (enable) {
            if (InheritsFrom(*field->ClassType)) field->Set(*FOwner, this);
        } else if (field->Get(*FOwner) == this) {
            field->Set(*FOwner, nullptr);
        }
    } catch (...) {
        // Building the owner's table failed (out of memory): the field keeps its value.
    }
}

TComponent* CreateComponent(std::wstring_view className, TComponent* owner) {
    return GetClass(className).Create(owner);
}

} // namespace orvo
