#include "SetEditors.h"

#include "core/SysUtils.h"
#include "rtti/Publisher.h"

FW_PUBLISH(TSetProperty) {
}
FW_PUBLISH(TSetElementProperty) {
}

namespace {

bool IsMember(int64_t set, int64_t element) {
    return element >= 0 && element < 32 && (set & (int64_t(1) << element)) != 0;
}

} // namespace

std::string SetElementName(const TTypeInfo* setType, int64_t element) {
    const TTypeInfo* elementType = setType->Data.CompType;
    if (elementType && elementType->Kind == tkEnumeration) return GetEnumName(elementType, element);
    return IntToStr(element);
}

// ---- the set ----------------------------------------------------------------------------------------------

TEditorAttributes TSetProperty::GetAttributes() {
    return {paSubProperties, paMultiSelect};
}

std::string TSetProperty::GetValue() {
    const int64_t set = GetOrdValue();
    std::string text = "[";
    bool first = true;
    for (int element = 0; element < 32; ++element) {
        if (!IsMember(set, element)) continue;
        if (!first) text += ',';
        text += SetElementName(GetPropType(), element);
        first = false;
    }
    return text + "]";
}

void TSetProperty::GetProperties(const TEditorCallback& proc) {
    const TTypeInfo* elementType = GetPropType()->Data.CompType;
    if (!elementType) return;
    for (int64_t element = elementType->Data.MinValue; element <= elementType->Data.MaxValue; ++element) {
        auto editor = std::make_unique<TSetElementProperty>(Designer(), Entries(), PropCount(),
                                                            static_cast<int>(element));
        editor->SetEnclosingObjects(EnclosingObjects());
        proc(std::move(editor));
    }
}

// ---- one element ------------------------------------------------------------------------------------------

TSetElementProperty::TSetElementProperty(TCustomDesigner* designer, std::shared_ptr<TPropEntry[]> entries,
                                         int propCount, int element)
    : TPropertyEditor(designer, std::move(entries), propCount), FElement(element) {
}

TEditorAttributes TSetElementProperty::GetAttributes() {
    return {paValueList, paMultiSelect, paSortList};
}

std::string TSetElementProperty::GetName() {
    return SetElementName(GetPropType(), FElement);
}

std::string TSetElementProperty::GetValue() {
    return IsMember(GetOrdValue(), FElement) ? "True" : "False";
}

void TSetElementProperty::GetValues(const TValueCallback& proc) {
    proc("False");
    proc("True");
}

void TSetElementProperty::SetValue(const std::string& value) {
    int64_t set = GetOrdValue();
    if (FElement >= 0 && FElement < 32) {
        const int64_t bit = int64_t(1) << FElement;
        set = SameText(value, "True") ? (set | bit) : (set & ~bit);
    }
    SetOrdValue(set);
}
