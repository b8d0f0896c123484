// TCollection and TCollectionItem: an ordered list of items of one class that the collection owns. A
// published property holding a collection streams as a collection value, each item with the published
// properties of its class:
//
//     class TColumn : public TCollectionItem {
//         FW_CLASS(TColumn, TCollectionItem)
//     public:
//         std::string Title;
//         int Width = 64;
//         void Assign(const TPersistent* source) override;   // lets TCollection::Assign copy items
//     };
//     FW_PUBLISH(TColumn) {
//         p.Property("Title", &TColumn::Title);
//         p.Property("Width", &TColumn::Width).Default(64);
//     }
//
//     TCollection columns(TColumn::StaticClass(), this);   // `this` is reported by GetOwner
//     auto* column = static_cast<TColumn*>(columns.Add());
#pragma once

#include "core/Persistent.h"

#include <string>
#include <vector>

#pragma GCC visibility push(default)

class TCollection;

class TCollectionItem : public TPersistent {
    FW_CLASS(TCollectionItem, TPersistent)
public:
    // Item classes are created by the collection through their class record, so they need a default
    // constructor.
    TCollectionItem() = default;
    ~TCollectionItem() override; // leaves its collection

    TCollection* Collection() const { return FCollection; }
    // Moves the item to the end of another collection; null takes it out of any (the caller then owns it).
    void SetCollection(TCollection* collection);
    // Position in the collection, -1 outside one.
    int Index() const;
    // Moves the item to that position; fails with EListError "List index out of bounds (%d)".
    void SetIndex(int index);
    // Unique within the collection, never reused: the collection counts every item it ever received.
    int ID() const { return FID; }
    // What the designer shows for the item; the class name unless an item class says better.
    virtual std::string DisplayName() const;

    std::string GetNamePath() const override; // "<collection's path>[<index>]"
    TPersistent* GetOwner() const override;

protected:
    // Tells the collection that this item (or, with allItems, the whole collection) changed.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

class TCollection : public TPersistent {
    FW_CLASS(TCollection, TPersistent)
public:
    // itemClass must descend from TCollectionItem (else EInvalidOperation). owner is what GetOwner
    // reports, normally the object whose property holds the collection.
    explicit TCollection(TClass itemClass, TPersistent* owner = nullptr);
    ~TCollection() override;

    TClass ItemClass() const { return FItemClass; }
    // A new item of the item class at the end, or at `index` (0..Count).
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    int Count() const { return static_cast<int>(FItems.size()); }
    // Index errors fail with EListError "List index out of bounds (%d)".
    TCollectionItem* Items(int index) const;
    void Delete(int index); // frees the item
    void Clear();           // frees every item
    TCollectionItem* FindItemID(int id) const;

    // While updating, changes are collected and reported once by the outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Copies another collection: its items are replaced by new ones, each assigned from the source's item
    // (so the item class must implement Assign).
    void Assign(const TPersistent* source) override;
    TPersistent* GetOwner() const override { return FOwner; }
    // "<owner's path>.<property name>" when the owner publishes this collection, else the class name.
    std::string GetNamePath() const override;

protected:
    // A change to `item`, or to the collection as a whole when item is null (items added, removed,
    // moved, or the end of an update). Not called while updating.
    virtual void Update(TCollectionItem* item) {}

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item, int index);
    void RemoveItem(TCollectionItem* item);
    void Changed(TCollectionItem* item = nullptr);

    TClass FItemClass;
    TPersistent* FOwner;
    std::vector<TCollectionItem*> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
    bool FChangedInUpdate = false;
};

#pragma GCC visibility pop
