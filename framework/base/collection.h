// Collections: an ordered list of owned items of one item class, published as one property of
// its owner (a status bar's Panels, a header's Sections) and stored in forms as
// `Panels = < item Width = 50 end item Text = 'b' end >` (docs/form-format.md).
//
//     class TStatusPanel : public TCollectionItem {           // an item: published properties
//         ORVO_CLASS(TStatusPanel, TCollectionItem)
//     public:
//         static void Publish(TPublisher<TStatusPanel>& p);
//     };
//     class TStatusPanels : public TCollection {              // the collection: tells its owner
//         ORVO_CLASS(TStatusPanels, TCollection)
//     public:
//         explicit TStatusPanels(TStatusBar* bar)
//             : TCollection(CollectionItemClass<TStatusPanel>(), bar) {}
//     protected:
//         void Update(TCollectionItem* item) override;       // null: the whole collection
//     };
//     p.Collection(L"Panels", &TStatusBar::Panels);            // in the owner's Publish
//
// The collection owns its items: Add/Insert create them (of the item class), Delete/Clear and the
// collection's destruction free them, and `delete item` takes an item out first. Every change
// (an item added, freed, moved, or an item's own Changed()) ends in Update: once per outermost
// BeginUpdate/EndUpdate pair when batched, with null when more than one item may have changed.
// Update never runs from the collection's destructor.
//
// Assign copies a collection of the same item class item by item; an item's Assign copies the
// published properties that both items have (same name and kind), so item classes usually need
// no Assign of their own.
#pragma once

#include "framework/base/object.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvo {

class TCollection;
class TCollectionItem;
template <class T> class TPublisher;

// The class of a collection's items and how to make one.
struct TCollectionItemClass {
    const TClassInfo* Info = nullptr;
    TCollectionItem* (*Create)() = nullptr;
};
template <class T> TCollectionItemClass CollectionItemClass() noexcept {
    return {&T::StaticClass(), []() -> TCollectionItem* { return new T(); }};
}

enum TCollectionNotification : std::uint8_t {
    cnAdded,      // the item has joined the collection
    cnExtracting, // it is leaving it (moved to another collection)
    cnDeleting,   // it is leaving it because it is being freed
};

class TCollectionItem : public TPersistent {
    ORVO_CLASS(TCollectionItem, TPersistent)
public:
    TCollectionItem() = default;
    // Takes the item out of its collection (a `delete` from anywhere is safe).
    ~TCollectionItem() override;

    TCollection* Collection() const noexcept { return FCollection; }
    // Moves the item to the end of another collection (or out of any with null). Throws
    // EInvalidOperation when the other collection holds another item class.
    void SetCollection(TCollection* collection);
    // Position in the collection, -1 outside one; setting it moves the item (clamped to the list).
    int Index() const noexcept;
    void SetIndex(int index);
    // Unique in its collection, never reused there: 0, 1, 2, ... in the order items were added.
    int ID() const noexcept { return FID; }
    // What lists show for the item: the class name unless an item class says better.
    virtual std::wstring DisplayName() const;

    // Copies the published properties both items have; other sources: TPersistent's rules.
    void Assign(TPersistent* source) override;

protected:
    // The item's own state changed: its collection's Update(this), or Update(null) for a change
    // that affects the others too (their layout).
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = -1;
};

class TCollection : public TPersistent {
    ORVO_CLASS(TCollection, TPersistent)
public:
    // `owner` is the object the collection belongs to (the control publishing it); may be null.
    explicit TCollection(TCollectionItemClass itemClass, TPersistent* owner = nullptr);
    ~TCollection() override;

    const TClassInfo& ItemClass() const noexcept { return *FItemClass.Info; }
    TPersistent* Owner() const noexcept { return FOwner; }

    int Count() const noexcept { return static_cast<int>(FItems.size()); }
    // Throws EListError "List index out of bounds (5)".
    TCollectionItem* Items(int index) const;
    TCollectionItem* operator[](int index) const { return Items(index); }
    // Items(index)->Assign(source).
    void SetItem(int index, TCollectionItem* source);
    // A new item at the end / at `index` (0..Count()).
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    // Frees the item at `index`.
    void Delete(int index);
    void Clear();
    // Null when no item has this ID.
    TCollectionItem* FindItemID(int id) const noexcept;
    int IndexOf(const TCollectionItem* item) const noexcept;

    // Batches changes: Update runs once at the outermost EndUpdate, and only if something changed.
    void BeginUpdate() noexcept { ++FUpdateCount; }
    void EndUpdate();
    int UpdateCount() const noexcept { return FUpdateCount; }

    // From another collection of the same item class: the items are replaced by copies.
    void Assign(TPersistent* source) override;

    // Count, read-only, so that code reading properties by name sees the size.
    static void Publish(TPublisher<TCollection>& p);

protected:
    // A change: `item` alone changed, or null for the collection as a whole.
    virtual void Update(TCollectionItem* item);
    // An item joins or leaves (called before Update), the item whole. An item freed with `delete`
    // rather than Delete/Clear leaves without it (only its base is left by then).
    virtual void Notify(TCollectionItem* item, TCollectionNotification action);
    // Update now, or at the end of the batch.
    void Changed(TCollectionItem* item = nullptr);

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item, int index);
    void RemoveItem(TCollectionItem* item, TCollectionNotification action, bool notify);
    void MoveItem(TCollectionItem* item, int index);

    TCollectionItemClass FItemClass;
    TPersistent* FOwner;
    std::vector<TCollectionItem*> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
    bool FPendingChange = false;
    bool FDestroying = false;
};

// BeginUpdate now, EndUpdate at the end of the scope. An Update failing there is passed on,
// unless the scope is left by another exception already (then that one goes on).
class TCollectionUpdate {
public:
    explicit TCollectionUpdate(TCollection& collection) noexcept;
    ~TCollectionUpdate() noexcept(false);
    TCollectionUpdate(const TCollectionUpdate&) = delete;
    TCollectionUpdate& operator=(const TCollectionUpdate&) = delete;

private:
    TCollection& FCollection;
    int FExceptions;
};

} // namespace orvo
