#include "core/Component.h"

#include "core/ScopeGuard.h"
#include "core/SysUtils.h"
#include "rtti/ClassInfo.h"

#include <algorithm>
#include <unordered_map>

FW_PUBLISH(TComponent) {
    p.Property("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
    p.Property("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

namespace {

struct TNameHash {
    size_t operator()(std::string_view name) const {
        size_t hash = 14695981039346656037ull;
        for (char c : name)
            hash = (hash ^ static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 32 : c)) * 1099511628211ull;
        return hash;
    }
};

struct TNameEqual {
    bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
};

// Erases the first occurrence, searching from the back: components usually go in reverse order of coming.
void EraseLast(std::vector<TComponent*>& list, TComponent* item) {
    auto it = std::find(list.rbegin(), list.rend(), item);
    if (it != list.rend()) list.erase(std::next(it).base());
}

} // namespace

// The keys are views of the components' own names, kept in step by ChangeName.
class TComponent::TNameIndex
    : public std::unordered_multimap<std::string_view, TComponent*, TNameHash, TNameEqual> {};

namespace {
// Set by the virtual constructor around `new`: the owner hears of the insertion only once the new component
// is whole, so that listeners can tell what class it is.
thread_local bool deferInsertNotification = false;
} // namespace

TComponent* TComponent::CreateInstance(TClass cls, TComponent* owner) {
    TObject* object = [&] {
        deferInsertNotification = owner != nullptr;
        const auto endDeferring = ScopeGuard([] { deferInsertNotification = false; });
        return cls->Create(owner);
    }();
    auto* component = dynamic_cast<TComponent*>(object);
    if (!component) {
        delete object;
        throw EInvalidCast(Format("%s is not a component class", cls->Name));
    }
    if (owner && component->FOwner == owner) {
        // Finished: its class is known, so the owner can tell at once whether it listens.
        if (component->FHearing == THearing::Unknown) {
            EraseLast(owner->FUnclassified, component);
            owner->Classify(component);
        }
        owner->Notification(component, opInsert);
    }
    return component;
}

TComponent::TComponent(TComponent* owner) {
    // The outermost constructor's base runs first, so this reads the flag meant for this very object.
    const bool deferred = deferInsertNotification;
    deferInsertNotification = false;
    if (owner) owner->InsertComponent(this, !deferred);
}

TComponent::~TComponent() {
    Destroying();
    // Listeners may remove themselves (or others) while being told, so walk a shrinking list.
    while (!FFreeNotifies.empty()) {
        TComponent* listener = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        EraseLast(listener->FFreeNotifies, this);
        listener->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

// ---- names ------------------------------------------------------------------------------------------------

void TComponent::SetName(const std::string& name) {
    if (FName == name) return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError(Format("'%s' is not a valid component name", name));
    if (FOwner)
        FOwner->ValidateRename(this, FName, name);
    else
        ValidateRename(nullptr, FName, name);
    SetReference(false);
    ChangeName(name);
    SetReference(true);
}

void TComponent::ValidateRename(TComponent* component, const std::string& curName,
                                const std::string& newName) {
    if (component && !SameText(curName, newName) && component->FOwner == this && FindComponent(newName))
        throw EComponentError(Format("A component named %s already exists", newName));
}

void TComponent::SetReference(bool enable) {
    if (!FOwner || FName.empty()) return;
    const TFieldEntry* field = FOwner->ClassType()->FindField(FName);
    if (!field) return;
    // Clearing compares identity only: during destruction this object no longer knows its full class.
    if (!enable && field->Get(FOwner) == this)
        field->Set(FOwner, nullptr);
    else if (enable && InheritsFrom(field->FieldClass))
        field->Set(FOwner, this);
}

void TComponent::ChangeName(const std::string& name) {
    if (FOwner) FOwner->UnindexName(this);
    FName = name;
    if (FOwner) FOwner->IndexName(this);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty() || !FNameIndex) return nullptr;
    auto [first, last] = FNameIndex->equal_range(name);
    if (first == last) return nullptr;
    if (std::next(first) == last) return first->second;
    // Equal names (only an overridden ValidateRename lets them in): the first in owned order wins.
    for (TComponent* c : FComponents)
        if (SameText(c->FName, name)) return c;
    return nullptr;
}

void TComponent::IndexName(TComponent* component) {
    if (component->FName.empty()) return;
    if (!FNameIndex) FNameIndex = std::make_unique<TNameIndex>();
    FNameIndex->emplace(component->FName, component);
}

void TComponent::UnindexName(TComponent* component) {
    if (component->FName.empty() || !FNameIndex) return;
    auto [first, last] = FNameIndex->equal_range(component->FName);
    for (auto it = first; it != last; ++it)
        if (it->second == component) {
            FNameIndex->erase(it);
            return;
        }
}

// ---- ownership --------------------------------------------------------------------------------------------

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError(Format("List index out of bounds (%d)", index));
    return FComponents[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    auto& list = FOwner->FComponents;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TComponent::SetComponentIndex(int index) {
    if (!FOwner) return;
    auto& list = FOwner->FComponents;
    int current = ComponentIndex();
    if (current < 0) return;
    index = std::clamp(index, 0, static_cast<int>(list.size()) - 1);
    if (index == current) return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + index, this);
}

void TComponent::InsertComponent(TComponent* component, bool notify) {
    component->ValidateContainer(this);
    ValidateRename(component, std::string(), component->FName);
    ValidateInsert(component);
    Insert(component);
    component->SetReference(true);
    if (FComponentState.Contains(csDesigning)) component->SetDesigning(true);
    if (notify) Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    Notification(component, opRemove);
    component->SetReference(false);
    Remove(component);
}

void TComponent::Insert(TComponent* component) {
    FComponents.push_back(component);
    component->FOwner = this;
    IndexName(component);
    component->FHearing = THearing::Unknown;
    FUnclassified.push_back(component);
}

void TComponent::Remove(TComponent* component) {
    const size_t count = FComponents.size();
    EraseLast(FComponents, component);
    if (FComponents.size() == count) {
        component->FOwner = nullptr;
        return;
    }
    UnindexName(component);
    if (component->FHearing == THearing::Listening)
        EraseLast(FListeners, component);
    else if (component->FHearing == THearing::Unknown)
        EraseLast(FUnclassified, component);
    component->FHearing = THearing::Unknown;
    component->FOwner = nullptr;
}

void TComponent::Classify(TComponent* component) {
    if (component->ClassType()->OverridesNotification || !component->FListeners.empty() ||
        !component->FUnclassified.empty())
        AddListener(component);
    else
        component->FHearing = THearing::Quiet;
}

void TComponent::ClassifyOwned(TComponent* except) {
    if (FUnclassified.empty() || (FUnclassified.size() == 1 && FUnclassified[0] == except)) return;
    std::vector<TComponent*> pending;
    pending.swap(FUnclassified);
    for (TComponent* c : pending) {
        if (c == except)
            FUnclassified.push_back(c);
        else if (c->FHearing == THearing::Unknown)
            Classify(c);
    }
}

void TComponent::AddListener(TComponent* component) {
    if (component->FHearing == THearing::Listening) return;
    if (component->FHearing == THearing::Unknown) EraseLast(FUnclassified, component);
    component->FHearing = THearing::Listening;
    FListeners.push_back(component);
    if (FOwner) FOwner->AddListener(this);
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        // Owned components that others listen to, or that a designer shows, announce their removal.
        if (last->FComponentState.Contains(csFreeNotification) || FComponentState.Contains(csDesigning))
            RemoveComponent(last);
        else
            Remove(last);
        delete last;
    }
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) RemoveFreeNotification(component);
    // The component being announced is finished by now, unlike one still in its constructor.
    ClassifyOwned(component);
    // Owned components may be freed by a handler; iterate by index from the end and re-check bounds.
    for (size_t i = FListeners.size(); i-- > 0;) {
        if (i >= FListeners.size()) continue;
        TComponent* c = FListeners[i];
        if (c != component) c->Notification(component, operation);
    }
}

// The two components' lists mirror each other, each holding the other at most once: the shorter one
// answers whether they are linked, and a link is dropped by searching from the back, where the newest are.
void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    auto& mine = FFreeNotifies;
    auto& theirs = component->FFreeNotifies;
    const bool linked = mine.size() <= theirs.size()
                            ? std::find(mine.begin(), mine.end(), component) != mine.end()
                            : std::find(theirs.begin(), theirs.end(), this) != theirs.end();
    if (!linked) {
        mine.push_back(component);
        theirs.push_back(this);
    }
    FComponentState.Include(csFreeNotification);
    component->FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    // Also called for links already dropped (a destructor drops its links before the notification that
    // calls this), so the shorter list tells first whether there is anything to remove from the longer.
    auto& mine = FFreeNotifies;
    auto& theirs = component->FFreeNotifies;
    const bool linked = mine.size() <= theirs.size()
                            ? std::find(mine.rbegin(), mine.rend(), component) != mine.rend()
                            : std::find(theirs.rbegin(), theirs.rend(), this) != theirs.rend();
    if (linked) {
        EraseLast(mine, component);
        EraseLast(theirs, this);
    }
    if (FFreeNotifies.empty()) FComponentState.Exclude(csFreeNotification);
    if (component->FFreeNotifies.empty()) component->FComponentState.Exclude(csFreeNotification);
}

// ---- state ------------------------------------------------------------------------------------------------

void TComponent::SetDesigning(bool designing, bool setChildren) {
    if (designing)
        FComponentState.Include(csDesigning);
    else
        FComponentState.Exclude(csDesigning);
    if (setChildren)
        for (TComponent* c : FComponents)
            c->SetDesigning(designing, true);
}

void TComponent::SetLoading(bool loading) {
    if (loading)
        FComponentState += TComponentState{csLoading, csReading};
    else
        FComponentState -= TComponentState{csLoading, csReading};
}

void TComponent::Destroying() {
    if (FComponentState.Contains(csDestroying)) return;
    FComponentState.Include(csDestroying);
    for (TComponent* c : FComponents)
        c->Destroying();
}

// ---- published methods ------------------------------------------------------------------------------------

TMethod TComponent::MethodAddress(std::string_view name) const {
    const TMethodEntry* entry = ClassType()->FindMethod(name);
    if (!entry) return {};
    return TMethod{entry->Code, const_cast<TComponent*>(this)};
}

std::string TComponent::MethodName(const void* code) const {
    const TMethodEntry* entry = code ? ClassType()->FindMethodByCode(code) : nullptr;
    return entry ? entry->Name : std::string();
}

// ---- streaming --------------------------------------------------------------------------------------------

void TComponent::GetChildren(const TGetChildProc&, TComponent*) {
}

void TComponent::Loaded() {
    FComponentState.Exclude(csLoading);
}
