#include "EditorRegistry.h"

#include "ClassEditor.h"
#include "MethodEditor.h"
#include "SetEditors.h"
#include "SpecialisedEditors.h"
#include "core/SysUtils.h"

namespace {

std::vector<TPropertyClassRec>& Registry() {
    static std::vector<TPropertyClassRec> list;
    static bool standardRegistered = false;
    if (!standardRegistered) {
        standardRegistered = true; // first, since the standard registrations come back here
        RegisterStandardPropertyEditors();
    }
    return list;
}

bool TypeMatches(const TTypeInfo* registered, const TTypeInfo* type) {
    if (registered == type) return true;
    return registered->Kind == tkClass && type->Kind == tkClass && registered->Data.ClassType &&
           type->Data.ClassType && type->Data.ClassType->InheritsFrom(registered->Data.ClassType);
}

} // namespace

void RegisterPropertyEditor(const TTypeInfo* propertyType, TClass componentClass,
                            const std::string& propertyName, TPropertyEditorClass editorClass) {
    auto& list = Registry();
    list.insert(list.begin(), TPropertyClassRec{propertyType, componentClass,
                                                componentClass ? propertyName : std::string(), editorClass});
}

const std::vector<TPropertyClassRec>& PropertyEditorRegistrations() {
    return Registry();
}

TPropertyEditorClass DefaultEditorByKind(TTypeKind kind) {
    switch (kind) {
    case tkInteger:
        return PropertyEditorClassOf<TIntegerProperty>();
    case tkChar:
        return PropertyEditorClassOf<TCharProperty>();
    case tkEnumeration:
        return PropertyEditorClassOf<TEnumProperty>();
    case tkFloat:
        return PropertyEditorClassOf<TFloatProperty>();
    case tkString:
    case tkLString:
    case tkWString:
        return PropertyEditorClassOf<TStringProperty>();
    case tkSet:
        return PropertyEditorClassOf<TSetProperty>();
    case tkClass:
        return PropertyEditorClassOf<TClassProperty>();
    case tkMethod:
        return PropertyEditorClassOf<TMethodProperty>();
    case tkWChar:
    case tkVariant:
        return PropertyEditorClassOf<TPropertyEditor>();
    default: // unknown, array, record, interface
        return nullptr;
    }
}

TPropertyEditorClass FindEditorClass(const TPropInfo* prop, const TObject* instance) {
    const TTypeInfo* type = prop->PropType;
    if (type->Kind == tkUnknown) return nullptr;
    const TPropertyClassRec* best = nullptr;
    for (const TPropertyClassRec& rec : Registry()) {
        if (!TypeMatches(rec.PropertyType, type)) continue;
        if (rec.ComponentClass && !instance->InheritsFrom(rec.ComponentClass)) continue;
        if (!rec.PropertyName.empty() && !SameText(rec.PropertyName, prop->Name)) continue;
        if (!best || (!best->ComponentClass && rec.ComponentClass) ||
            (best->PropertyName.empty() && !rec.PropertyName.empty()))
            best = &rec;
    }
    return best ? best->EditorClass : DefaultEditorByKind(type->Kind);
}
