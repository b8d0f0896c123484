#include "rtti/ClassInfo.h"

#include "core/SysUtils.h"

#include <algorithm>

TClassInfo::TClassInfo(std::string name, TClass parent, Factory factory, Publisher publisher,
                       bool overridesNotification)
    : Name(std::move(name)), Parent(parent), OverridesNotification(overridesNotification), FFactory(factory),
      FPublisher(publisher) {
    Type.Kind = tkClass;
    Type.Name = Name;
    Type.Data.ClassType = this;
}

bool TClassInfo::InheritsFrom(TClass other) const {
    for (TClass c = this; c; c = c->Parent)
        if (c == other) return true;
    return false;
}

TObject* TClassInfo::Create(TComponent* owner) const {
    if (!FFactory) throw EInvalidOperation(Format("Cannot create an instance of abstract class %s", Name));
    return FFactory(owner);
}

// Publishing runs on first use rather than at class-record construction, so that classes whose properties
// refer to each other's class records can be published in any order.
void TClassInfo::EnsurePublished() const {
    std::call_once(FPublished, [this] {
        auto* self = const_cast<TClassInfo*>(this);
        if (Parent) FAllProps = Parent->Properties();
        self->FPublisher(*self);
        for (TPropInfo& own : FOwnProps) {
            auto same = std::find_if(FAllProps.begin(), FAllProps.end(),
                                     [&](const TPropInfo* p) { return SameText(p->Name, own.Name); });
            if (same != FAllProps.end()) {
                // A class may publish again what an ancestor published (with another default, say):
                // it keeps the ancestor's place.
                own.NameIndex = (*same)->NameIndex;
                *same = &own;
            } else {
                own.NameIndex = static_cast<int>(FAllProps.size());
                FAllProps.push_back(&own);
            }
        }
    });
}

TPropInfo& TClassInfo::AddProperty(TPropInfo info) {
    info.Owner = this;
    FOwnProps.push_back(std::move(info));
    return FOwnProps.back();
}

const std::vector<const TPropInfo*>& TClassInfo::Properties() const {
    EnsurePublished();
    return FAllProps;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
    for (const TPropInfo* p : Properties())
        if (SameText(p->Name, name)) return p;
    return nullptr;
}

const TMethodEntry* TClassInfo::FindMethod(std::string_view name) const {
    EnsurePublished();
    for (const TMethodEntry& m : FOwnMethods)
        if (SameText(m.Name, name)) return &m;
    return Parent ? Parent->FindMethod(name) : nullptr;
}

const TMethodEntry* TClassInfo::FindMethodByCode(const void* code) const {
    EnsurePublished();
    for (const TMethodEntry& m : FOwnMethods)
        if (m.Code == code) return &m;
    return Parent ? Parent->FindMethodByCode(code) : nullptr;
}

const TFieldEntry* TClassInfo::FindField(std::string_view name) const {
    EnsurePublished();
    for (const TFieldEntry& f : FOwnFields)
        if (SameText(f.Name, name)) return &f;
    return Parent ? Parent->FindField(name) : nullptr;
}

std::vector<TClass> TClassInfo::FieldClasses() const {
    std::vector<TClass> classes;
    for (TClass c = this; c; c = c->Parent) {
        c->EnsurePublished();
        for (const TFieldEntry& f : c->FOwnFields)
            if (std::find(classes.begin(), classes.end(), f.FieldClass) == classes.end())
                classes.push_back(f.FieldClass);
    }
    return classes;
}
