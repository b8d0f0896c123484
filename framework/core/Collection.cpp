#include "core/Collection.h"

#include "core/ScopeGuard.h"
#include "core/SysUtils.h"
#include "rtti/Properties.h"

#include <algorithm>

FW_PUBLISH(TCollectionItem) {
}

FW_PUBLISH(TCollection) {
}

// ---- TCollectionItem --------------------------------------------------------------------------------------

TCollectionItem::~TCollectionItem() {
    if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == FCollection) return;
    if (FCollection) FCollection->RemoveItem(this);
    if (collection) collection->InsertItem(this, collection->Count());
}

int TCollectionItem::Index() const {
    if (!FCollection) return -1;
    const auto& items = FCollection->FItems;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
    int current = Index();
    if (current < 0 || index == current) return;
    auto& items = FCollection->FItems;
    if (index < 0 || index >= static_cast<int>(items.size()))
        throw EListError(Format("List index out of bounds (%d)", index));
    items.erase(items.begin() + current);
    items.insert(items.begin() + index, this);
    Changed(true);
}

std::string TCollectionItem::DisplayName() const {
    return ClassName();
}

std::string TCollectionItem::GetNamePath() const {
    if (!FCollection) return ClassName();
    return Format("%s[%d]", FCollection->GetNamePath(), Index());
}

TPersistent* TCollectionItem::GetOwner() const {
    return FCollection;
}

void TCollectionItem::Changed(bool allItems) {
    if (FCollection) FCollection->Changed(allItems ? nullptr : this);
}

// ---- TCollection ------------------------------------------------------------------------------------------

TCollection::TCollection(TClass itemClass, TPersistent* owner) : FItemClass(itemClass), FOwner(owner) {
    if (!itemClass || !itemClass->InheritsFrom(TCollectionItem::StaticClass()))
        throw EInvalidOperation(
            Format("%s is not a collection item class", itemClass ? itemClass->Name : ""));
}

TCollection::~TCollection() {
    ++FUpdateCount; // no change reports while the collection goes away
    for (TCollectionItem* item : FItems)
        item->FCollection = nullptr;
    std::vector<TCollectionItem*> items;
    items.swap(FItems);
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        delete *it;
}

TCollectionItem* TCollection::Add() {
    return Insert(Count());
}

TCollectionItem* TCollection::Insert(int index) {
    if (index < 0 || index > Count()) throw EListError(Format("List index out of bounds (%d)", index));
    TObject* object = FItemClass->Create(nullptr);
    auto* item = dynamic_cast<TCollectionItem*>(object);
    if (!item) {
        delete object;
        throw EInvalidOperation(Format("%s is not a collection item class", FItemClass->Name));
    }
    InsertItem(item, index);
    return item;
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
    return FItems[static_cast<size_t>(index)];
}

void TCollection::Delete(int index) {
    delete Items(index);
}

void TCollection::Clear() {
    if (FItems.empty()) return;
    BeginUpdate();
    while (!FItems.empty())
        delete FItems.back(); // the item's destructor takes it out of the list
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : FItems)
        if (item->FID == id) return item;
    return nullptr;
}

void TCollection::BeginUpdate() {
    ++FUpdateCount;
}

void TCollection::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0 && FChangedInUpdate) {
        FChangedInUpdate = false;
        Update(nullptr);
    }
}

void TCollection::Assign(const TPersistent* source) {
    auto* other = dynamic_cast<const TCollection*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    const auto update = UpdateScope(*this);
    Clear();
    for (TCollectionItem* item : other->FItems)
        Add()->Assign(item);
}

std::string TCollection::GetNamePath() const {
    if (!FOwner) return ClassName();
    std::string ownerPath = FOwner->GetNamePath();
    if (ownerPath.empty()) return ClassName();
    auto* owner = const_cast<TPersistent*>(FOwner);
    for (const TPropInfo* prop : owner->ClassType()->Properties())
        if (prop->PropType->Kind == tkClass && prop->GetOrd && GetObjectProp(owner, prop) == this)
            return ownerPath + "." + prop->Name;
    return ClassName();
}

void TCollection::InsertItem(TCollectionItem* item, int index) {
    FItems.insert(FItems.begin() + index, item);
    item->FCollection = this;
    item->FID = FNextID++;
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end()) return;
    FItems.erase(it);
    item->FCollection = nullptr;
    Changed();
}

void TCollection::Changed(TCollectionItem* item) {
    if (FUpdateCount > 0) {
        FChangedInUpdate = true;
        return;
    }
    Update(item);
}
