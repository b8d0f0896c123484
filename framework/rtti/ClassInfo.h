// The metaclass record behind a class reference, and the published members it lists.
#pragma once

#include "rtti/Method.h"
#include "rtti/TypeInfo.h"

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#pragma GCC visibility push(default)

class TComponent;
using Extended = long double;

// A published property: its type record, its accessors and the facts the form stream needs.
struct TPropInfo {
    static constexpr int64_t NoDefault = INT32_MIN; // "no default": the value is always stored
    static constexpr int NoIndex = INT32_MIN;

    std::string Name;
    const TTypeInfo* PropType = nullptr;
    TClass Owner = nullptr; // the class whose publishing block declared it
    int Index = NoIndex;
    int64_t Default = NoDefault;
    int NameIndex = 0; // position in declaration order, inherited properties first

    // Exactly one accessor pair is set, chosen by the kind of the type record. Class properties use the
    // ordinal pair with the object pointer as the value.
    std::function<int64_t(TObject*)> GetOrd;
    std::function<void(TObject*, int64_t)> SetOrd;
    std::function<Extended(TObject*)> GetFloat;
    std::function<void(TObject*, Extended)> SetFloat;
    std::function<std::string(TObject*)> GetStr;
    std::function<void(TObject*, const std::string&)> SetStr;
    std::function<TMethod(TObject*)> GetMethod;
    std::function<void(TObject*, const TMethod&)> SetMethod;

    bool StoredConstant = true;
    std::function<bool(TObject*)> StoredTest; // when set, decides instead of StoredConstant

    bool HasRead() const { return GetOrd || GetFloat || GetStr || GetMethod; }
    bool HasWrite() const { return SetOrd || SetFloat || SetStr || SetMethod; }
};

// A published method: a handler the form stream can bind to an event by name.
struct TMethodEntry {
    std::string Name;
    void* Code = nullptr;
    const std::type_info* Signature = nullptr;
};

// A published field: a component pointer member the reader sets when it creates a component of that name.
struct TFieldEntry {
    std::string Name;
    TClass FieldClass = nullptr;
    std::function<void(TObject* self, TObject* value)> Set;
    std::function<TObject*(TObject* self)> Get;
};

struct TClassInfo {
    using Factory = TObject* (*)(TComponent* owner);
    using Publisher = void (*)(TClassInfo&);

    TClassInfo(std::string name, TClass parent, Factory factory, Publisher publisher,
               bool overridesNotification = false);

    std::string Name;
    TClass Parent;
    // A component class that overrides TComponent::Notification: its instances hear of their siblings.
    bool OverridesNotification;
    TTypeInfo Type; // the class's own type record (kind tkClass)

    bool InheritsFrom(TClass other) const;
    bool IsAbstract() const { return FFactory == nullptr; }
    // The virtual constructor: a component class is constructed with the owner, other classes ignore it.
    // Fails with EInvalidOperation "Cannot create an instance of abstract class %s" for abstract classes.
    TObject* Create(TComponent* owner = nullptr) const;

    // Published properties, inherited ones first, in declaration order.
    const std::vector<const TPropInfo*>& Properties() const;
    int PropertyCount() const { return static_cast<int>(Properties().size()); }
    const TPropInfo* FindProperty(std::string_view name) const; // ignores case

    const TMethodEntry* FindMethod(std::string_view name) const;  // ignores case, searches ancestors
    const TMethodEntry* FindMethodByCode(const void* code) const; // searches ancestors
    const TFieldEntry* FindField(std::string_view name) const;    // ignores case, searches ancestors
    // Distinct classes of the published fields of this class and its ancestors.
    std::vector<TClass> FieldClasses() const;

    // Used by TPublisher while the publishing block runs.
    TPropInfo& AddProperty(TPropInfo info);
    void AddMethod(TMethodEntry entry) { FOwnMethods.push_back(std::move(entry)); }
    void AddField(TFieldEntry entry) { FOwnFields.push_back(std::move(entry)); }

private:
    void EnsurePublished() const;

    Factory FFactory;
    Publisher FPublisher;
    mutable std::once_flag FPublished;
    mutable std::deque<TPropInfo> FOwnProps; // a deque keeps the addresses FAllProps holds stable
    mutable std::vector<const TPropInfo*> FAllProps;
    std::vector<TMethodEntry> FOwnMethods;
    std::vector<TFieldEntry> FOwnFields;
};

#pragma GCC visibility pop
