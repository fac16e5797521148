#include "framework/base/collection.h"

#include "framework/base/exceptions.h"
#include "framework/base/list.h"
#include "framework/base/properties.h"
#include "framework/base/streams.h"

#include <algorithm>
#include <exception>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TCollectionItem);
ORVO_IMPLEMENT_CLASS(TCollection);

namespace {

bool Related(const TClassInfo& a, const TClassInfo& b) noexcept {
    return a.InheritsFrom(b) || b.InheritsFrom(a);
}

bool SameValueType(const TPropInfo& a, const TPropInfo& b) noexcept {
    if (a.Kind != b.Kind) return false;
    switch (a.Kind) {
    case TTypeKind::Enumeration:
    case TTypeKind::Set:
        return a.EnumType == b.EnumType;
    case TTypeKind::Class:
    case TTypeKind::Collection:
        return a.ClassType->InheritsFrom(*b.ClassType) || b.ClassType->InheritsFrom(*a.ClassType);
    case TTypeKind::Method:
        return *a.EventType == *b.EventType;
    default:
        return true;
    }
}

// Copies one published property's value from `source` to `dest` (same name, same type).
void CopyProperty(const TPropInfo& to, TObject& dest, const TPropInfo& from, TObject& source) {
    switch (to.Kind) {
    case TTypeKind::Integer:
    case TTypeKind::Enumeration:
    case TTypeKind::Set:
        if (to.SetOrd) to.SetOrd(dest, from.GetOrd(source));
        return;
    case TTypeKind::String:
        if (to.SetStr) to.SetStr(dest, from.GetStr(source));
        return;
    case TTypeKind::StringList:
        if (to.SetList) to.SetList(dest, from.GetList(source));
        return;
    case TTypeKind::Method:
        if (to.SetEvent) to.SetEvent(dest, from.GetEvent(source));
        return;
    case TTypeKind::Class:
    case TTypeKind::Collection: {
        TObject* value = from.GetObj(source);
        if (to.SetObj) {
            to.SetObj(dest, value); // a held object's setter assigns, a reference's points
            return;
        }
        // A held object without a setter: copy into it.
        auto* held = dynamic_cast<TPersistent*>(to.GetObj(dest));
        auto* other = dynamic_cast<TPersistent*>(value);
        if (held && other && held != other) held->Assign(other);
        return;
    }
    case TTypeKind::Binary:
        if (from.WriteData && to.ReadData) {
            TMemoryStream data;
            from.WriteData(source, data);
            data.SetPosition(0);
            to.ReadData(dest, data);
        }
        return;
    }
}

} // namespace

// ---- TCollectionItem -------------------------------------------------------------------------

TCollectionItem::~TCollectionItem() {
    // Only the base is left of the item here: it leaves without a Notify.
    if (FCollection) FCollection->RemoveItem(this, cnDeleting, false);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == FCollection) return;
    if (collection && !InheritsFrom(collection->ItemClass()))
        throw EInvalidOperation(L"A " + std::wstring(ClassName()) + L" cannot join a collection of " +
                                std::wstring(collection->ItemClass().Name()));
    if (FCollection) FCollection->RemoveItem(this, cnExtracting, true);
    if (collection) collection->InsertItem(this, collection->Count());
}

int TCollectionItem::Index() const noexcept {
    return FCollection ? FCollection->IndexOf(this) : -1;
}

void TCollectionItem::SetIndex(int index) {
    if (FCollection) FCollection->MoveItem(this, index);
}

std::wstring TCollectionItem::DisplayName() const {
    return std::wstring(ClassName());
}

void TCollectionItem::Changed(bool allItems) {
    if (FCollection) FCollection->Changed(allItems ? nullptr : this);
}

void TCollectionItem::Assign(TPersistent* source) {
    auto* item = dynamic_cast<TCollectionItem*>(source);
    if (!item || !Related(ClassInfo(), item->ClassInfo())) {
        inherited::Assign(source);
        return;
    }
    if (item == this) return;
    const TPropTable& sourceProps = item->ClassInfo().Properties();
    for (const TPropInfo* to : ClassInfo().Properties().Props()) {
        const TPropInfo* from = sourceProps.FindProp(to->Name);
        if (from && SameValueType(*to, *from)) CopyProperty(*to, *this, *from, *item);
    }
}

// ---- TCollection -----------------------------------------------------------------------------

void TCollection::Publish(TPublisher<TCollection>& p) {
    p.Integer(L"Count", &TCollection::Count);
}

TCollection::TCollection(TCollectionItemClass itemClass, TPersistent* owner)
    : FItemClass(itemClass), FOwner(owner) {
    if (!FItemClass.Info || !FItemClass.Create) throw EInvalidOperation(L"A collection needs an item class");
}

TCollection::~TCollection() {
    // No notices from here: the owner is usually being destroyed too.
    FDestroying = true;
    while (!FItems.empty()) {
        TCollectionItem* item = FItems.back();
        FItems.pop_back();
        item->FCollection = nullptr;
        delete item;
    }
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) ListIndexError(index);
    return FItems[static_cast<std::size_t>(index)];
}

void TCollection::SetItem(int index, TCollectionItem* source) {
    Items(index)->Assign(source);
}

TCollectionItem* TCollection::Add() {
    return Insert(Count());
}

TCollectionItem* TCollection::Insert(int index) {
    if (index < 0 || index > Count()) ListIndexError(index);
    TCollectionItem* item = FItemClass.Create();
    try {
        InsertItem(item, index);
    } catch (...) {
        // Inserted but an Update failed: it stays, as after any change an owner could not follow.
        if (item->FCollection) throw;
        delete item;
        throw;
    }
    return item;
}

void TCollection::Delete(int index) {
    TCollectionItem* item = Items(index);
    // Out first, while the item is whole, so that Notify sees all of it.
    RemoveItem(item, cnDeleting, true);
    delete item;
}

void TCollection::Clear() {
    if (FItems.empty()) return;
    TCollectionUpdate batch(*this);
    while (!FItems.empty())
        Delete(Count() - 1);
}

TCollectionItem* TCollection::FindItemID(int id) const noexcept {
    for (TCollectionItem* item : FItems)
        if (item->FID == id) return item;
    return nullptr;
}

int TCollection::IndexOf(const TCollectionItem* item) const noexcept {
    const auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TCollection::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount > 0 || !FPendingChange) return;
    FPendingChange = false;
    Update(nullptr);
}

void TCollection::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TCollection*>(source);
    if (!other || !Related(ItemClass(), other->ItemClass())) {
        inherited::Assign(source);
        return;
    }
    if (other == this) return;
    TCollectionUpdate batch(*this);
    Clear();
    for (TCollectionItem* item : other->FItems)
        Add()->Assign(item);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed(TCollectionItem* item) {
    if (FDestroying) return;
    if (FUpdateCount > 0) {
        FPendingChange = true;
        return;
    }
    Update(item);
}

void TCollection::InsertItem(TCollectionItem* item, int index) {
    FItems.insert(FItems.begin() + index, item);
    item->FCollection = this;
    item->FID = FNextID++;
    Notify(item, cnAdded);
    Changed(nullptr);
}

void TCollection::RemoveItem(TCollectionItem* item, TCollectionNotification action, bool notify) {
    const int index = IndexOf(item);
    if (index < 0) return;
    if (notify && !FDestroying) Notify(item, action);
    FItems.erase(FItems.begin() + index);
    item->FCollection = nullptr;
    Changed(nullptr);
}

void TCollection::MoveItem(TCollectionItem* item, int index) {
    const int current = IndexOf(item);
    if (current < 0) return;
    index = std::clamp(index, 0, Count() - 1);
    if (index == current) return;
    FItems.erase(FItems.begin() + current);
    FItems.insert(FItems.begin() + index, item);
    Changed(nullptr);
}

// ---- TCollectionUpdate -----------------------------------------------------------------------

TCollectionUpdate::TCollectionUpdate(TCollection& collection) noexcept
    : FCollection(collection), FExceptions(std::uncaught_exceptions()) {
    FCollection.BeginUpdate();
}

TCollectionUpdate::~TCollectionUpdate() noexcept(false) {
    if (std::uncaught_exceptions() > FExceptions) {
        try {
            FCollection.EndUpdate();
        } catch (...) {
            // The exception already under way says more.
        }
        return;
    }
    FCollection.EndUpdate();
}

} // namespace orvo
