#include "MethodEditor.h"

#include "core/SysUtils.h"
#include "rtti/Publisher.h"

FW_PUBLISH(TMethodProperty) {
}

TEditorAttributes TMethodProperty::GetAttributes() {
    return {paValueList, paMultiSelect, paSortList};
}

std::string TMethodProperty::GetValue() {
    return Designer()->EventMethodName(GetMethodValue());
}

void TMethodProperty::GetValues(const TValueCallback& proc) {
    Designer()->EnumEventMethods(MethodTypeData(), proc);
}

void TMethodProperty::SetValue(const std::string& value) {
    const std::string current = GetValue();
    if (!current.empty() && !value.empty() &&
        (SameText(current, value) || !Designer()->EventMethodExists(value))) {
        Designer()->RenameEventMethod(current, value);
        return;
    }
    const bool newMethod = !value.empty() && !Designer()->EventMethodExists(value);
    SetMethodValue(Designer()->CreateEventMethod(value, MethodTypeData()));
    if (newMethod) Designer()->ShowEventMethod(value);
}

void TMethodProperty::Edit() {
    std::string name = GetValue();
    if (!name.empty() && !Designer()->IsInheritedMethod(GetMethodValue())) {
        Designer()->ShowEventMethod(name);
        return;
    }
    if (name.empty()) name = DefaultMethodName();
    if (name.empty()) throw EPropertyError(SCannotCreateName);
    SetMethodValue(Designer()->CreateEventMethod(name, MethodTypeData()));
    Designer()->ShowEventMethod(name);
}

std::string TMethodProperty::DefaultMethodName() {
    std::string base;
    for (char c : Designer()->ObjectName(GetComponent(0)))
        if (c != '.' && c != '[' && c != ']') base += c;
    if (base.empty()) throw EPropertyError(SCannotCreateName);
    return base + TrimmedEventName();
}

std::string TMethodProperty::TrimmedEventName() {
    std::string name = GetName();
    if (name.size() >= 2 && (name[0] == 'O' || name[0] == 'o') && (name[1] == 'N' || name[1] == 'n'))
        name.erase(0, 2);
    return name;
}
