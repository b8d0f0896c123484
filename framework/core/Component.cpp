#include "core/Component.h"

#include "core/SysUtils.h"
#include "streaming/Reader.h"
#include "streaming/Writer.h"

#include <algorithm>

FW_PUBLISH(TComponent) {
    p.Property("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
    p.Property("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

namespace {
// Set by the virtual constructor around `new`: the owner hears of the insertion only once the new component
// is whole, so that listeners can tell what class it is.
thread_local bool deferInsertNotification = false;
} // namespace

TComponent* TComponent::CreateInstance(TClass cls, TComponent* owner) {
    deferInsertNotification = owner != nullptr;
    TObject* object;
    try {
        object = cls->Create(owner);
    } catch (...) {
        deferInsertNotification = false;
        throw;
    }
    deferInsertNotification = false;
    auto* component = dynamic_cast<TComponent*>(object);
    if (!component) {
        delete object;
        throw EInvalidCast(Format("%s is not a component class", cls->Name));
    }
    if (owner && component->FOwner == owner) owner->Notification(component, opInsert);
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
        auto& back = listener->FFreeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
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

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, name)) return c;
    return nullptr;
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
}

void TComponent::Remove(TComponent* component) {
    auto it = std::find(FComponents.begin(), FComponents.end(), component);
    if (it != FComponents.end()) FComponents.erase(it);
    component->FOwner = nullptr;
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
    // Owned components may be freed by a handler; iterate by index from the end and re-check bounds.
    for (size_t i = FComponents.size(); i-- > 0;) {
        if (i >= FComponents.size()) continue;
        TComponent* c = FComponents[i];
        if (c != component) c->Notification(component, operation);
    }
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    auto add = [](std::vector<TComponent*>& list, TComponent* c) {
        if (std::find(list.begin(), list.end(), c) == list.end()) list.push_back(c);
    };
    add(FFreeNotifies, component);
    add(component->FFreeNotifies, this);
    FComponentState.Include(csFreeNotification);
    component->FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    auto drop = [](std::vector<TComponent*>& list, TComponent* c) {
        list.erase(std::remove(list.begin(), list.end(), c), list.end());
    };
    drop(FFreeNotifies, component);
    drop(component->FFreeNotifies, this);
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

void TComponent::ReadState(TReader& reader) {
    reader.ReadData(this);
}

void TComponent::WriteState(TWriter& writer) {
    writer.WriteData(this);
}

void TComponent::Loaded() {
    FComponentState.Exclude(csLoading);
}

void TComponent::DefineProperties(TFiler& filer) {
    auto* ancestor = filer.Ancestor();
    uint32_t info = ancestor ? ancestor->FDesignInfo : 0;
    filer.DefineProperty(
        "Left",
        [this](TReader& r) {
            FDesignInfo = (FDesignInfo & 0xFFFF0000u) | (uint32_t(r.ReadInteger()) & 0xFFFFu);
        },
        [this](TWriter& w) { w.WriteInteger(int32_t(FDesignInfo & 0xFFFFu)); },
        (FDesignInfo & 0xFFFFu) != (info & 0xFFFFu));
    filer.DefineProperty(
        "Top",
        [this](TReader& r) {
            FDesignInfo = (FDesignInfo & 0x0000FFFFu) | ((uint32_t(r.ReadInteger()) & 0xFFFFu) << 16);
        },
        [this](TWriter& w) { w.WriteInteger(int32_t(FDesignInfo >> 16)); },
        (FDesignInfo >> 16) != (info >> 16));
}
