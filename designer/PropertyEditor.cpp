#include "PropertyEditor.h"

#include "core/ScopeGuard.h"
#include "core/StringList.h"
#include "core/SysUtils.h"
#include "rtti/Properties.h"
#include "rtti/Publisher.h"

FW_PUBLISH(TPropertyEditor) {
}

TPropertyEditor::TPropertyEditor(TCustomDesigner* designer, int propCount)
    : FDesigner(designer), FPropList(new TPropEntry[propCount > 0 ? propCount : 1]), FPropCount(propCount) {
    if (propCount < 1) throw EInvalidOperation("A property editor needs at least one object");
}

TPropertyEditor::TPropertyEditor(TCustomDesigner* designer, std::shared_ptr<TPropEntry[]> entries,
                                 int propCount)
    : FDesigner(designer), FPropList(std::move(entries)), FPropCount(propCount) {
}

void TPropertyEditor::SetPropEntry(int index, TPersistent* instance, const TPropInfo* propInfo) {
    if (index < 0 || index >= FPropCount) throw EListError(Format("List index out of bounds (%d)", index));
    FPropList[index] = TPropEntry{instance, propInfo};
}

const TPropEntry& TPropertyEditor::Entry(int index) const {
    if (index < 0 || index >= FPropCount) throw EListError(Format("List index out of bounds (%d)", index));
    return FPropList[index];
}

TPersistent* TPropertyEditor::GetComponent(int index) const {
    return Entry(index).Instance;
}

// ---- base behaviour ---------------------------------------------------------------------------------------

void TPropertyEditor::Edit() {
    TStringList values;
    values.SetSorted(GetAttributes().Contains(paSortList));
    GetValues([&values](const std::string& value) { values.Add(value); });
    if (values.Count() == 0) return;
    int next = values.IndexOf(GetValue()) + 1; // -1 (absent) gives 0 as well
    if (next >= values.Count()) next = 0;
    SetValue(values.Strings(next));
}

TEditorAttributes TPropertyEditor::GetAttributes() {
    return {paMultiSelect};
}

std::string TPropertyEditor::GetName() {
    return GetPropInfo()->Name;
}

void TPropertyEditor::GetProperties(const TEditorCallback&) {
}

std::string TPropertyEditor::GetValue() {
    return "(Unknown)";
}

void TPropertyEditor::GetValues(const TValueCallback&) {
}

void TPropertyEditor::SetValue(const std::string&) {
}

// ---- readers and writers ----------------------------------------------------------------------------------

int64_t TPropertyEditor::GetOrdValueAt(int index) const {
    const TPropEntry& e = Entry(index);
    return GetOrdProp(e.Instance, e.PropInfo);
}

Extended TPropertyEditor::GetFloatValue() const {
    return GetFloatProp(Entry(0).Instance, Entry(0).PropInfo);
}

std::string TPropertyEditor::GetStrValue() const {
    return GetStrProp(Entry(0).Instance, Entry(0).PropInfo);
}

TMethod TPropertyEditor::GetMethodValue() const {
    return GetMethodProp(Entry(0).Instance, Entry(0).PropInfo);
}

template <class Store> void TPropertyEditor::StoreOnAll(const Store& store) {
    int stored = 0;
    // The objects written before a failure keep their new value: the designer hears of them before the
    // error is shown.
    auto failed = ScopeGuard([&] {
        if (stored > 0) Modified();
    });
    for (; stored < FPropCount; ++stored)
        store(FPropList[stored].Instance, FPropList[stored].PropInfo);
    failed.Dismiss();
    Modified();
}

void TPropertyEditor::SetOrdValue(int64_t value) {
    StoreOnAll([value](TObject* o, const TPropInfo* p) { SetOrdProp(o, p, value); });
}

void TPropertyEditor::SetFloatValue(Extended value) {
    StoreOnAll([value](TObject* o, const TPropInfo* p) { SetFloatProp(o, p, value); });
}

void TPropertyEditor::SetStrValue(const std::string& value) {
    StoreOnAll([&value](TObject* o, const TPropInfo* p) { SetStrProp(o, p, value); });
}

void TPropertyEditor::SetMethodValue(const TMethod& value) {
    StoreOnAll([&value](TObject* o, const TPropInfo* p) { SetMethodProp(o, p, value); });
}

void TPropertyEditor::Modified() {
    if (FDesigner) FDesigner->Modified();
}
