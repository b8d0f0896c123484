#include "rtti/Properties.h"

#include "core/SysUtils.h"

#include <algorithm>

TPropList GetPropList(TClass cls, TTypeKinds kinds) {
    TPropList list;
    for (const TPropInfo* p : cls->Properties())
        if (kinds.Contains(p->PropType->Kind)) list.push_back(p);
    std::stable_sort(list.begin(), list.end(), [](const TPropInfo* a, const TPropInfo* b) {
        return CompareText(a->Name, b->Name) < 0;
    });
    return list;
}

TPropList GetPropList(const TObject* instance, TTypeKinds kinds) {
    return GetPropList(instance->ClassType(), kinds);
}

const TPropInfo* GetPropInfo(TClass cls, std::string_view name) {
    return cls->FindProperty(name);
}

const TPropInfo* GetPropInfo(const TObject* instance, std::string_view name) {
    return instance->ClassType()->FindProperty(name);
}

template <class F> static const F& Accessor(const F& f, const TPropInfo* prop, bool writing) {
    if (!f)
        throw EPropertyError(Format(
            writing ? "Property %s is read-only" : "Property %s cannot be read as that kind", prop->Name));
    return f;
}

int64_t GetOrdProp(TObject* instance, const TPropInfo* prop) {
    return Accessor(prop->GetOrd, prop, false)(instance);
}

void SetOrdProp(TObject* instance, const TPropInfo* prop, int64_t value) {
    if (!prop->SetOrd && prop->GetOrd) throw EPropertyError(Format("Property %s is read-only", prop->Name));
    Accessor(prop->SetOrd, prop, true)(instance, value);
}

TObject* GetObjectProp(TObject* instance, const TPropInfo* prop) {
    if (prop->PropType->Kind != tkClass) return nullptr;
    return reinterpret_cast<TObject*>(static_cast<intptr_t>(GetOrdProp(instance, prop)));
}

void SetObjectProp(TObject* instance, const TPropInfo* prop, TObject* value) {
    SetOrdProp(instance, prop, static_cast<int64_t>(reinterpret_cast<intptr_t>(value)));
}

Extended GetFloatProp(TObject* instance, const TPropInfo* prop) {
    return Accessor(prop->GetFloat, prop, false)(instance);
}

void SetFloatProp(TObject* instance, const TPropInfo* prop, Extended value) {
    Accessor(prop->SetFloat, prop, true)(instance, value);
}

std::string GetStrProp(TObject* instance, const TPropInfo* prop) {
    return Accessor(prop->GetStr, prop, false)(instance);
}

void SetStrProp(TObject* instance, const TPropInfo* prop, const std::string& value) {
    if (prop->PropType->Kind == tkString && static_cast<int>(value.size()) > prop->PropType->Data.MaxLength) {
        Accessor(prop->SetStr, prop, true)(instance, value.substr(0, prop->PropType->Data.MaxLength));
        return;
    }
    Accessor(prop->SetStr, prop, true)(instance, value);
}

TMethod GetMethodProp(TObject* instance, const TPropInfo* prop) {
    return Accessor(prop->GetMethod, prop, false)(instance);
}

void SetMethodProp(TObject* instance, const TPropInfo* prop, const TMethod& value) {
    Accessor(prop->SetMethod, prop, true)(instance, value);
}

bool IsStoredProp(TObject* instance, const TPropInfo* prop) {
    return prop->StoredTest ? prop->StoredTest(instance) : prop->StoredConstant;
}

std::string SetToString(const TPropInfo* prop, int64_t value, bool brackets) {
    const TTypeInfo* element = prop->PropType->Data.CompType;
    std::string text;
    for (int i = 0; i < 32; ++i) {
        if (!(value & (int64_t(1) << i))) continue;
        if (!text.empty()) text += ',';
        text += element ? GetEnumName(element, i) : std::to_string(i);
    }
    return brackets ? "[" + text + "]" : text;
}

int64_t StringToSet(const TPropInfo* prop, std::string_view text) {
    const TTypeInfo* element = prop->PropType->Data.CompType;
    std::string body = Trim(text);
    if (!body.empty() && body.front() == '[') body.erase(0, 1);
    if (!body.empty() && body.back() == ']') body.pop_back();
    int64_t result = 0;
    size_t start = 0;
    while (start <= body.size()) {
        size_t comma = body.find(',', start);
        if (comma == std::string::npos) comma = body.size();
        std::string name = Trim(std::string_view(body).substr(start, comma - start));
        if (!name.empty()) {
            int64_t v = element ? GetEnumValue(element, name) : -1;
            if (v < 0 || v >= 32) throw EPropertyError(Format("Invalid property element: %s", name));
            result |= int64_t(1) << v;
        }
        start = comma + 1;
    }
    return result;
}
