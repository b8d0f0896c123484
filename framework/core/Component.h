// TComponent: an object with an owner and a name that owns the components created with it as owner.
//
// Ownership: destroying a component destroys what it owns (last created first) and removes it from its
// owner. Names: unique among the owner's components (ignoring case), valid identifiers or empty.
// Notifications: the owner, every component it owns, and every component that asked with
// FreeNotification hear of insertions into and removals from the owner. Only owned components whose class
// overrides Notification (or that own such components) are called; for the others the call would do
// nothing, and skipping them keeps an insertion independent of the number of siblings.
// Names are found through an index of the owner, so a rename or lookup does not scan the siblings.
#pragma once

#include "core/Persistent.h"
#include "rtti/TypeInfo.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#pragma GCC visibility push(default)

class TReader;
class TWriter;

FW_ENUM(TOperation, opInsert, opRemove);
FW_ENUM(TComponentStateFlag, csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor,
        csUpdating, csFixups, csFreeNotification, csInline, csDesignInstance);
FW_SET(TComponentState, TComponentStateFlag);

using TGetChildProc = std::function<void(TComponent* child)>;

class TComponent : public TPersistent {
    FW_CLASS(TComponent, TPersistent)
public:
    explicit TComponent(TComponent* owner);
    // The virtual constructor of components: constructs a `cls` owned by `owner`, and only then sends the
    // owner's insert notification, so listeners see the finished object of its real class (a component
    // made with plain `new` is announced from its base constructor, before its own class is set up).
    static TComponent* CreateInstance(TClass cls, TComponent* owner);
    ~TComponent() override;

    const std::string& Name() const { return FName; }
    // Fails with EComponentError "'%s' is not a valid component name" or "A component named %s already
    // exists"; the owner may refuse further (ValidateRename).
    void SetName(const std::string& name);
    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    void SetComponentIndex(int index);
    TComponent* FindComponent(std::string_view name) const; // ignores case; null when absent

    // Makes `component` one of this component's own and, with notify, tells the owner and its
    // components (Notification opInsert).
    void InsertComponent(TComponent* component, bool notify = true);
    void RemoveComponent(TComponent* component);
    void DestroyComponents();

    TComponentState ComponentState() const { return FComponentState; }
    // Puts this component, and with setChildren everything it owns, into or out of designing state.
    void SetDesigning(bool designing, bool setChildren = true);
    void SetLoading(bool loading); // csLoading and csReading, used by the form reader
    // Marks this component and everything it owns as being destroyed. Derived destructors that tear
    // down state other components may still look at call it first.
    void Destroying();

    // Design position of a component without a parent: low 16 bits left, high 16 bits top. Streamed as
    // `Left` and `Top`.
    uint32_t DesignInfo() const { return FDesignInfo; }
    void SetDesignInfo(uint32_t info) { FDesignInfo = info; }

    // `component` will announce its destruction to this one through Notification(component, opRemove).
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Published methods of this component's class, as method values bound to this component.
    TMethod MethodAddress(std::string_view name) const;
    std::string MethodName(const void* code) const;

    // Streaming hooks of the form writer and reader.
    virtual void GetChildren(const TGetChildProc& proc, TComponent* root);
    virtual TComponent* GetChildOwner() { return nullptr; }
    virtual TComponent* GetChildParent() { return this; }
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* parent) {}
    virtual void SetChildOrder(TComponent* child, int order) {}
    virtual void ReadState(TReader& reader);
    virtual void WriteState(TWriter& writer);
    // Called once a reader has read this component and resolved its references.
    virtual void Loaded();

    void DefineProperties(TFiler& filer) override;
    std::string GetNamePath() const override { return FName; }
    TPersistent* GetOwner() const override { return FOwner; }

    // Hears of `component` being inserted into or removed from this component's owner, or of the
    // destruction of a component this one asked FreeNotification of. Passes it on to owned components.
    virtual void Notification(TComponent* component, TOperation operation);

protected:
    // Called on the owner before one of its components is renamed; the default rejects duplicates.
    virtual void ValidateRename(TComponent* component, const std::string& curName,
                                const std::string& newName);
    virtual void ValidateContainer(TComponent* component) {}
    virtual void ValidateInsert(TComponent* component) {}
    // Stores or clears this component in its owner's published field of the same name.
    void SetReference(bool enable);
    virtual void ChangeName(const std::string& name);

private:
    friend class TReader;
    friend class TWriter;
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void IndexName(TComponent* component);
    void UnindexName(TComponent* component);
    // Sorts the owned components not classified yet (all but `except`) into listeners or quiet ones.
    void ClassifyOwned(TComponent* except);
    void Classify(TComponent* component);
    // The component hears of its siblings; so does its owner, as a component of its own owner.
    void AddListener(TComponent* component);

    // Whether the component is called when its owner is notified: not known yet (its class may not be
    // finished), known not to listen, or listening.
    enum class THearing : uint8_t { Unknown, Quiet, Listening };
    class TNameIndex;

    std::string FName;
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FListeners;    // owned components that are called on notifications
    std::vector<TComponent*> FUnclassified; // owned components whose hearing is still unknown
    std::unique_ptr<TNameIndex> FNameIndex; // the owned components with a name, by name ignoring case
    THearing FHearing = THearing::Unknown;
    std::vector<TComponent*> FFreeNotifies;
    TComponentState FComponentState;
    uint32_t FDesignInfo = 0;
    int FTag = 0;
};

#pragma GCC visibility pop
