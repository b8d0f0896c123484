// TObjectInspector: the inspector window, its component combo box and the filling of its two grids.
#include "ObjectInspector.h"

#include "ComponentList.h"
#include "CustomDesigner.h"
#include "EditorRegistry.h"
#include "PropGrid.h"
#include "ValueListDrawers.h"
#include "core/ScopeGuard.h"
#include "core/Strings.h"
#include "core/SysUtils.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Screen.h"
#include "widgets/ComboBox.h"
#include "widgets/Edit.h"
#include "widgets/ImageList.h"
#include "widgets/PageControl.h"
#include "widgets/Panel.h"
#include "widgets/TabSheet.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {
// Every property kind except the unknown kind and events.
const TTypeKinds PropertyFilter{tkInteger, tkChar,  tkEnumeration, tkFloat,    tkString,
                                tkSet,     tkClass, tkWChar,       tkLString,  tkWString,
                                tkVariant, tkArray, tkRecord,      tkInterface};
const TTypeKinds MethodFilter{tkMethod};

// The form that owns what is placed in or pasted into a designed container: the form of a root that is a
// control but not a form; null for any other root.
TComponent* ContainerFormOf(TComponent* root) {
    auto* control = dynamic_cast<TControl*>(root);
    if (!control || dynamic_cast<TCustomForm*>(control)) return nullptr;
    return GetParentForm(control);
}

bool IsInside(TComponent* component, TComponent* root) {
    auto* control = dynamic_cast<TControl*>(component);
    for (TControl* parent = control ? control->Parent() : nullptr; parent; parent = parent->Parent())
        if (parent == root) return true;
    return false;
}
} // namespace

FW_PUBLISH(TObjectInspector) {
    FW_PUBLISH_FIELD(Panel1);
    FW_PUBLISH_FIELD(Components);
    FW_PUBLISH_FIELD(PropBook);
    FW_PUBLISH_FIELD(PropSheet);
    FW_PUBLISH_FIELD(MethodSheet);
    FW_PUBLISH_FIELD(PropImages);
    FW_PUBLISH_FIELD(BooleanImages);
    FW_PUBLISH_FIELD(FilterPanel);
    FW_PUBLISH_FIELD(Filter);
    FW_PUBLISH_METHOD(FormClose);
    FW_PUBLISH_METHOD(FormResize);
    FW_PUBLISH_METHOD(ComponentsChange);
    FW_PUBLISH_METHOD(FormKeyDown);
    FW_PUBLISH_METHOD(FilterChange);
    FW_PUBLISH_METHOD(FilterKeyDown);
}

// ---- construction -----------------------------------------------------------------------------------------

TObjectInspector::TObjectInspector(TCreateTag) : TCustomObjectInspector(nullptr) {
    InitializeForm();
}

TObjectInspector::TObjectInspector(TComponent*) : TObjectInspector(TCreateTag{}) {
    InitDesigner(TCustomDesigner::StaticClass());
}

TObjectInspector* TObjectInspector::CreateWithDesigner(TClass designerClass) {
    std::unique_ptr<TObjectInspector> inspector(new TObjectInspector(TCreateTag{}));
    inspector->InitDesigner(designerClass);
    return inspector.release();
}

TObjectInspector::~TObjectInspector() {
    // The rows hold editors that point at the selection and the designer: they go first.
    for (TPropGrid* grid : {FPropGrid, static_cast<TPropGrid*>(FMethodGrid)}) {
        if (!grid) continue;
        try {
            grid->ClearRows();
        } catch (...) {
            // A pending edit that cannot be applied is dropped with the window.
        }
    }
    FSelection.reset();
    TCustomDesigner* designer = FDesigner;
    FDesigner = nullptr;
    delete designer;
}

void TObjectInspector::InitDesigner(TClass designerClass) {
    RegisterStandardValueListDrawers();
    FDesigner = CreateDesigner(designerClass);
    FDesigner->SetInspector(this);
    FPropGrid = new TPropGrid(this, PropSheet, PropImages, BooleanImages);
    FPropGrid->OnDrawCell = TDrawCellEvent::Bind<&TObjectInspector::GridDrawCell>(this);
    FMethodGrid = new TMethodGrid(this, MethodSheet, PropImages, BooleanImages);
    FMethodGrid->OnDrawCell = TDrawCellEvent::Bind<&TObjectInspector::GridDrawCell>(this);
    for (TPropGrid* grid : {FPropGrid, static_cast<TPropGrid*>(FMethodGrid)})
        grid->OnRowMenu = TRowMenuEvent::Bind<&TObjectInspector::GridRowMenu>(this);
    CreateRowMenu();
    PropBook->OnChange = TNotifyEvent::Bind<&TObjectInspector::PropBookChange>(this);
    SetLeft(Screen->Width() - Width());
    SetTop(Screen->Height() - Height());
}

void TObjectInspector::PropBookChange(TObject*) {
    // A grid filled while its page was not the active one is still hidden: picking the page shows it,
    // otherwise the page would stay empty until the next selection change.
    TPropGrid* grid = PropBook->ActivePage() == MethodSheet ? FMethodGrid : FPropGrid;
    if (grid && !grid->Visible()) grid->ShowRows(true);
}

void TObjectInspector::GridDrawCell(TObject* sender, int col, int row, const TRect& rect, TGridDrawState) {
    static_cast<TPropGrid*>(sender)->DrawRowCell(col, row, rect);
}

// ---- the component combo box ------------------------------------------------------------------------------

void TObjectInspector::AddComponentEntry(TComponent* component) {
    Components->Items()->AddObject(Format("%s: %s", component->Name(), component->ClassName()), component);
}

void TObjectInspector::DropRemovedEntries() {
    const std::unordered_set<const void*> removed = std::exchange(FRemovedEntries, {});
    if (removed.empty()) return;
    // The entries that stay are listed again in one pass: deleting the others one by one would move
    // the rest of the list each time.
    TStrings* items = Components->Items();
    std::vector<std::pair<std::string, TObject*>> kept;
    kept.reserve(static_cast<size_t>(items->Count()));
    for (int i = 0; i < items->Count(); ++i)
        if (!removed.count(items->Objects(i))) kept.emplace_back(items->Strings(i), items->Objects(i));
    if (kept.size() == static_cast<size_t>(items->Count())) return;
    Components->SetItemIndex(-1);
    items->Clear();
    for (const auto& [text, object] : kept)
        items->AddObject(text, object);
}

int TObjectInspector::EntryOf(const TPersistent* instance) const {
    return Components->Items()->IndexOfObject(instance);
}

void TObjectInspector::SetInspectedRoot(TComponent* root) {
    if (root == FRoot) return;
    if (FRoot) FRoot->RemoveFreeNotification(this);
    FRoot = root;
    ClearInspection();
    Components->Items()->Clear();
    if (!root) return;
    root->FreeNotification(this);
    // The combo takes all entries at once.
    TStrings* items = Components->Items();
    items->BeginUpdate();
    const auto endUpdate = ScopeGuard([items] { items->EndUpdate(); });
    AddComponentEntry(root);
    for (int i = 0; i < root->ComponentCount(); ++i)
        AddComponentEntry(root->Components(i));
    if (TComponent* form = ContainerFormOf(root))
        for (int i = 0; i < form->ComponentCount(); ++i)
            if (IsInside(form->Components(i), root)) AddComponentEntry(form->Components(i));
}

void TObjectInspector::ComponentsChange(TObject*) {
    const int index = Components->ItemIndex();
    if (index < 0) return;
    auto* instance = dynamic_cast<TPersistent*>(Components->Items()->Objects(index));
    if (!instance) return;
    auto failed = ScopeGuard([this] {
        // The old objects are still inspected (a pending edit could not be applied): the combo shows them
        // again rather than the entry that was not taken.
        const bool single = FSelection && FSelection->Count() == 1;
        Components->SetItemIndex(single ? EntryOf(FSelection->Items(0)) : -1);
    });
    {
        const TRestore<bool> picking(FPickingFromCombo, true);
        InspectObject(instance);
    }
    failed.Dismiss();
    if (FDesigner) FDesigner->SelectComponent(instance);
}

void TObjectInspector::BeginComponentUpdate() {
    Components->Items()->BeginUpdate();
    FPending = std::make_unique<std::vector<TComponent*>>();
}

void TObjectInspector::EndComponentUpdate() {
    DropRemovedEntries();
    if (FPending) {
        const std::vector<TComponent*> pending = std::move(*FPending);
        FPending.reset();
        for (TComponent* component : pending)
            AddComponentEntry(component);
    }
    Components->Items()->EndUpdate();
}

// ---- inspecting -------------------------------------------------------------------------------------------

void TObjectInspector::InspectObject(TPersistent* instance) {
    const int chosen = Components->ItemIndex();
    if (chosen >= 0 && Components->Items()->Objects(chosen) == instance && !FPickingFromCombo) return;
    auto* list = new TComponentList;
    list->Add(instance);
    InspectList(list);
    Components->SetItemIndex(EntryOf(instance));
}

void TObjectInspector::ClearGrids() {
    FPropGrid->ClearRows();
    FMethodGrid->ClearRows();
    // The root stays watched: its entry and FRoot must hear of its freeing whatever is inspected.
    for (TComponent* component : FWatched)
        if (component != FRoot) component->RemoveFreeNotification(this);
    FWatched.clear();
    FSelection.reset();
}

void TObjectInspector::Watch(TPersistent* object) {
    auto* component = dynamic_cast<TComponent*>(object);
    if (!component || !FWatched.insert(component).second) return;
    component->FreeNotification(this);
}

void TObjectInspector::InspectList(TComponentList* list) {
    std::unique_ptr<TComponentList> taken(list);
    ClearGrids();
    FSelection = std::move(taken);
    // The chosen entry is the one inspected object, or none: an entry left chosen for an object no longer
    // watched could outlive it.
    Components->SetItemIndex(FSelection->Count() == 1 ? EntryOf(FSelection->Items(0)) : -1);
    for (int i = 0; i < FSelection->Count(); ++i)
        Watch(FSelection->Items(i));
    FillGrid(FPropGrid, PropSheet, PropertyFilter, TPropObject::StaticClass());
    FillGrid(FMethodGrid, MethodSheet, MethodFilter, TMethodObject::StaticClass());
    UpdateStoredMarks();
    if (FSelection->Count() > 0 && OnFilterProperty) {
        TPersistent* first = FSelection->Items(0);
        std::string name = first->ClassName();
        bool accept = true;
        OnFilterProperty(this, first, nullptr, name, accept);
    }
}

void TObjectInspector::FillGrid(TPropGrid* grid, TTabSheet* sheet, TTypeKinds filter, TClass rowClass) {
    FFillGrid = grid;
    FFillParent = nullptr;
    FFillRowClass = rowClass;
    grid->SetFilter(Filter ? std::string(Filter->Text())
                           : std::string()); // the grid is empty: this only keeps it
    GetComponentProperties(
        FSelection.get(), filter, FDesigner,
        [this](std::unique_ptr<TPropertyEditor> editor) { AddEditorRow(std::move(editor)); });
    FFillGrid = nullptr;
    grid->BuildVisibleRows();
    grid->ShowRows(PropBook->ActivePage() == sheet);
}

void TObjectInspector::AddEditorRow(std::unique_ptr<TPropertyEditor> editor) {
    std::string name = editor->GetName();
    bool accept = true;
    if (OnFilterProperty) OnFilterProperty(this, editor->GetComponent(0), editor.get(), name, accept);
    if (!accept) return;
    TPropertyEditor* rowEditor = editor.get();
    // A row reads and writes the objects of its editor, which for a sub-property row are not the
    // inspected ones (the button behind a form's ActiveControl): each is watched, so its rows go with it.
    for (int i = 0; i < rowEditor->PropCount(); ++i)
        Watch(rowEditor->GetComponent(i));
    std::string path = RowPath(rowEditor);
    std::unique_ptr<TPropObject> made;
    if (FFillRowClass == TMethodObject::StaticClass())
        made = std::make_unique<TMethodObject>(FFillGrid, FFillParent, std::move(editor), name);
    else
        made = std::make_unique<TPropObject>(FFillGrid, FFillParent, std::move(editor), name);
    made->SetPath(std::move(path));
    // Joined to the tree last: a value that cannot be read leaves no half-made row in it.
    TPropObject* row = (FFillParent ? FFillParent->Children() : FFillGrid->TopRows()).Add(std::move(made));
    if (rowEditor->GetAttributes().Contains(paSubProperties)) {
        const TRestore<TPropObject*> parent(FFillParent, row);
        rowEditor->GetProperties(
            [this](std::unique_ptr<TPropertyEditor> child) { AddEditorRow(std::move(child)); });
    }
}

void TObjectInspector::DropPendingEdit() {
    FPropGrid->DiscardEdit();
    FMethodGrid->DiscardEdit();
}

void TObjectInspector::ClearInspection() {
    ClearGrids();
    // Nothing is inspected now: a chosen entry would make inspecting that object again look like a
    // repeat and leave the grids empty.
    Components->SetItemIndex(-1);
    FPropGrid->Hide();
    FMethodGrid->Hide();
}

void TObjectInspector::RefreshValues() {
    FPropGrid->RefreshRowValues();
    UpdateStoredMarks();
    UpdateComponentEntries();
}

// Renaming happens in the grid, so to the inspected object, whose entry is the chosen one: that entry takes
// the new name and moves to its sorted place, still chosen. (Only the chosen entry's object is sure to be
// alive: it is inspected, so its freeing is noticed.)
void TObjectInspector::UpdateComponentEntries() {
    const int chosen = Components->ItemIndex();
    if (chosen < 0) return;
    TStrings* items = Components->Items();
    auto* component = static_cast<TComponent*>(items->Objects(chosen));
    if (items->Strings(chosen) == Format("%s: %s", component->Name(), component->ClassName())) return;
    items->Delete(chosen);
    AddComponentEntry(component);
    Components->SetItemIndex(EntryOf(component));
}

// ---- notifications and window handlers --------------------------------------------------------------------

void TObjectInspector::Notification(TComponent* component, TOperation operation) {
    TCustomObjectInspector::Notification(component, operation);
    if (Application && Application->Terminated()) return;
    if (ComponentState().Contains(csDestroying) || !Components || !FPropGrid) return;
    if (operation == opRemove) {
        if (FSelection && FSelection->IndexOf(component) >= 0) {
            // The object is being destroyed: text typed for it must not be written to it.
            FPropGrid->DiscardEdit();
            FMethodGrid->DiscardEdit();
            ClearInspection();
        } else if (FWatched.erase(component)) {
            // An object behind sub-property rows only: those rows go, the others stay.
            FPropGrid->DropRowsOf(component);
            FMethodGrid->DropRowsOf(component);
        }
        if (FPending) {
            std::erase(*FPending, component);
            FRemovedEntries.insert(component);
        } else if (const int entry = EntryOf(component); entry >= 0) {
            Components->SetItemIndex(-1);
            Components->Items()->Delete(entry);
        }
        if (component == FRoot) {
            // The root itself went away: nothing of it is left to list.
            FRoot = nullptr;
            Components->Items()->Clear();
        }
    } else if (operation == opInsert && FRoot && ListsInsertedComponent(component)) {
        if (FPending)
            FPending->push_back(component);
        else
            AddComponentEntry(component);
    }
}

bool TObjectInspector::ListsInsertedComponent(TComponent* component) const {
    TComponent* form = ContainerFormOf(FRoot);
    return component->Owner() == FRoot || (form && component->Owner() == form);
}

void TObjectInspector::FormResize(TObject*) {
    if (Components && Panel1) Components->SetWidth(Panel1->Width() - 2 * Components->Left());
    if (Filter && FilterPanel) Filter->SetWidth(FilterPanel->Width() - 2 * Filter->Left());
}

void TObjectInspector::FormClose(TObject*, TCloseAction& action) {
    action = caHide;
}
