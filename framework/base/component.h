// TComponent: named objects owned by other components.
//
// Ownership: a component is created with `new T(owner)`; the owner frees it when the owner dies
// (the last inserted first), or it is freed earlier with `delete`, which removes it from its owner.
// A component without owner is freed by whoever created it.
//
// References between components stay safe through notifications: when a component is removed from
// its owner (or dies), the owner's Notification(c, opRemove) is called and, unless an override
// stops it, passed on to every component the owner owns, so siblings drop their references.
// A reference across owners asks for a free notification: `target->FreeNotification(this)`; then
// this->Notification(target, opRemove) is called when target dies, and target is told if this
// dies first. In Notification, compare the pointer only: the dying object is partly destroyed.
//
// Destructors of derived classes that need their owned components gone while the derived object
// is still whole call DestroyComponents() themselves.
#pragma once

#include "framework/base/object.h"
#include "framework/base/type_info.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

template <class T> class TPublisher;

enum TComponentStateItem : std::uint8_t {
    csLoading, // from creation by the form reader until Loaded()
    csReading, // while the form reader sets its properties
    csWriting,
    csDestroying, // from the start of its destruction
    csDesigning,  // never set at run time
};
using TComponentState = TSet<TComponentStateItem>;

enum TOperation : std::uint8_t { opInsert, opRemove };

class TComponent : public TPersistent {
    ORVO_CLASS(TComponent, TPersistent)
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const noexcept { return FOwner; }
    const std::wstring& Name() const noexcept { return FName; }
    // Empty, or a valid identifier unique among the owner's components (ASCII case-insensitive);
    // throws EComponentError otherwise.
    void SetName(std::wstring_view name);
    std::int32_t Tag() const noexcept { return FTag; }
    void SetTag(std::int32_t tag) noexcept { FTag = tag; }
    TComponentState ComponentState() const noexcept { return FState; }

    int ComponentCount() const noexcept { return static_cast<int>(FComponents.size()); }
    // Throws EListError for an index out of range.
    TComponent* Components(int index) const;
    // The position among the owner's components, -1 without owner.
    int ComponentIndex() const noexcept;
    // An owned component by name (ASCII case-insensitive); null for none or an empty name.
    TComponent* FindComponent(std::wstring_view name) const noexcept;

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees the owned components, the last inserted first.
    void DestroyComponents();

    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Stored forms: a nested object's enclosing component, given before its properties are read
    // (controls take it as their parent, menu items as their parent item). Default: ignored.
    virtual void SetParentComponent(TComponent* parent);
    virtual TComponent* GetParentComponent() const;
    // After a whole stored form has been read; the base clears csLoading.
    virtual void Loaded();

    static void Publish(TPublisher<TComponent>& p);

protected:
    virtual void Notification(TComponent* component, TOperation operation);
    // Marks this component and those it owns as being destroyed.
    void Destroying() noexcept;
    void SetState(TComponentStateItem item, bool on) noexcept;

private:
    friend class TFormReader;
    void ValidateRename(const TComponent* component, std::wstring_view newName) const;
    void UnlinkFreeNotification(TComponent* component) noexcept;
    // Points the owner's published field of this name at this component (or clears it).
    void SetReference(bool enable) noexcept;

    TComponent* FOwner = nullptr;
    std::wstring FName;
    std::int32_t FTag = 0;
    TComponentState FState;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};

// Creates a registered component class by name. Throws EClassNotFound.
TComponent* CreateComponent(std::wstring_view className, TComponent* owner);

} // namespace orvo
