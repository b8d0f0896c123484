// TObjectInspector: finding and marking. The filter box, the bold marks of stored values and the row
// menu's "Revert to default".
#include "ComponentList.h"
#include "CustomDesigner.h"
#include "ObjectInspector.h"
#include "PropGrid.h"
#include "SetEditors.h"
#include "StoredProperties.h"
#include "rtti/Properties.h"
#include "ui/Form.h"
#include "widgets/Edit.h"
#include "widgets/Menus.h"

namespace {

bool ElementIsMember(int64_t set, int element) {
    return element >= 0 && element < 32 && (set & (int64_t(1) << element)) != 0;
}

// Whether a set element's row differs from the element in the set's default.
bool ElementDiffersFromDefault(TSetElementProperty* element) {
    const int64_t defaultSet = element->GetPropInfo()->Default;
    const bool inDefault =
        defaultSet != TPropInfo::NoDefault && ElementIsMember(defaultSet, element->Element());
    return ElementIsMember(element->GetOrdValue(), element->Element()) != inDefault;
}

bool IsAtOrBelow(const std::string& path, const std::string& prefix) {
    return path == prefix || (path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0 &&
                              path[prefix.size()] == '.');
}

} // namespace

// ---- the filter -------------------------------------------------------------------------------------------

void TObjectInspector::FilterChange(TObject*) {
    const std::string text = Filter->Text();
    FPropGrid->SetFilter(text);
    FMethodGrid->SetFilter(text);
}

void TObjectInspector::FilterKeyDown(TObject*, uint16_t& key, TShiftState shift) {
    if (key == VK_ESCAPE && shift == TShiftState{}) {
        Filter->Clear();
        key = 0;
    }
}

void TObjectInspector::FormKeyDown(TObject*, uint16_t& key, TShiftState shift) {
    if (key == 'F' && shift == TShiftState{ssCtrl} && Filter) {
        if (Filter->CanFocus()) Filter->SetFocus();
        Filter->SelectAll();
        key = 0;
    }
}

// ---- stored values ----------------------------------------------------------------------------------------

TComponent* TObjectInspector::StreamRoot() const {
    if (auto* control = dynamic_cast<TControl*>(FRoot))
        if (TCustomForm* form = GetParentForm(control)) return form;
    return FRoot;
}

std::string TObjectInspector::RowPath(TPropertyEditor* editor) const {
    const TPropInfo* prop = editor->PropCount() > 0 ? editor->GetPropInfo() : nullptr;
    if (!prop) return {};
    if (!FFillParent) return prop->Name;
    const std::string& parentPath = FFillParent->Path();
    if (parentPath.empty()) return {};
    if (dynamic_cast<TSetElementProperty*>(editor)) return parentPath;
    // Below a sub-object (a font) the values are the owner's; below a referenced component they are not.
    TPropertyEditor* parent = FFillParent->Editor();
    if (parent->GetPropType()->Kind != tkClass) return {};
    auto* object = reinterpret_cast<TObject*>(static_cast<intptr_t>(parent->GetOrdValue()));
    if (!object || dynamic_cast<TComponent*>(object)) return {};
    return parentPath + "." + prop->Name;
}

namespace {

void MarkRows(TPropGrid* grid, TPropObject::TPropList& rows, const std::vector<TStoredValues>& stored,
              bool parentStored) {
    for (int i = 0; i < rows.Count(); ++i) {
        TPropObject* row = rows.Items(i);
        bool isStored = false;
        if (!row->Path().empty()) {
            if (auto* element = dynamic_cast<TSetElementProperty*>(row->Editor()))
                isStored = parentStored && ElementDiffersFromDefault(element);
            else
                for (const TStoredValues& values : stored)
                    isStored = isStored || StoresPath(values, row->Path());
        }
        grid->SetRowStored(row, isStored);
        MarkRows(grid, row->Children(), stored, isStored);
    }
}

} // namespace

void TObjectInspector::UpdateStoredMarks() {
    std::vector<TStoredValues> stored;
    if (FSelection)
        for (int i = 0; i < FSelection->Count(); ++i)
            if (auto* component = dynamic_cast<TComponent*>(FSelection->Items(i)))
                stored.push_back(SplitStoredProperties(WriteStoredProperties(component, StreamRoot())));
    MarkRows(FPropGrid, FPropGrid->TopRows(), stored, false);
    MarkRows(FMethodGrid, FMethodGrid->TopRows(), stored, false);
}

// ---- reverting --------------------------------------------------------------------------------------------

void TObjectInspector::CreateRowMenu() {
    FRowMenu = new TPopupMenu(this);
    FRevertItem = new TMenuItem(FRowMenu);
    FRevertItem->SetCaption("Revert to default");
    FRevertItem->OnClick = TNotifyEvent::Bind<&TObjectInspector::RevertClick>(this);
    FRowMenu->Items()->Add(FRevertItem);
}

void TObjectInspector::GridRowMenu(TObject*, TPropObject* row, TPoint screenPoint) {
    FMenuRow = row;
    FRevertItem->SetEnabled(CanRevert(row));
    FRowMenu->Popup(screenPoint.X, screenPoint.Y);
    FMenuRow = nullptr;
}

void TObjectInspector::RevertClick(TObject*) {
    RevertRow(FMenuRow);
}

bool TObjectInspector::ToDefaults(TPropObject* row, bool apply) {
    TPropertyDefaults defaults;
    TComponent* root = StreamRoot();
    bool differs = false;
    for (int i = 0; i < FSelection->Count(); ++i) {
        auto* component = dynamic_cast<TComponent*>(FSelection->Items(i));
        if (!component) continue;
        for (const TStoredValue& value : SplitStoredProperties(WriteStoredProperties(component, root))) {
            if (!IsAtOrBelow(value.Path, row->Path()) ||
                !defaults.Differs(component, value.Path, root, TPropertyDefaults::dkFresh))
                continue;
            if (!apply) return true;
            differs = true;
            defaults.Reset(component, value.Path, root, TPropertyDefaults::dkFresh);
        }
    }
    return differs;
}

bool TObjectInspector::CanRevert(TPropObject* row) {
    if (!row || !row->Stored() || !FSelection) return false;
    return dynamic_cast<TSetElementProperty*>(row->Editor()) || ToDefaults(row, false);
}

void TObjectInspector::RevertRow(TPropObject* row) {
    if (!CanRevert(row)) return;
    TPropertyEditor* editor = row->Editor();
    const TDesignChange change(FDesigner);
    if (FDesigner)
        for (int i = 0; i < FSelection->Count(); ++i)
            FDesigner->ObjectEdited(FSelection->Items(i));
    if (auto* element = dynamic_cast<TSetElementProperty*>(editor)) {
        const int64_t defaultSet = element->GetPropInfo()->Default;
        const bool inDefault =
            defaultSet != TPropInfo::NoDefault && ElementIsMember(defaultSet, element->Element());
        element->SetValue(inDefault ? "True" : "False");
        return;
    }
    ToDefaults(row, true);
    if (FDesigner) FDesigner->Modified();
}
