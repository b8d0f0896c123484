// TObjectInspector: the Object Inspector window.
//
// A sizeable tool window that stays on top: a combo box lists the inspected root and every component it
// owns ("Name: ClassName", sorted); a page control shows the published properties ("Properties") and
// events ("Events") the inspected objects have in common, in two grids with one row per property editor.
// Sub-property rows are built completely when a selection is inspected; expanding a row only shows them.
//
// The inspector constructs the designer from the class it is given, owns it and is the designer's
// inspector: the designer reports the root, the selection, modifications and component insertions through
// the TCustomObjectInspector operations. Choosing a combo entry inspects that object and asks the
// designer to select it. Closing the window only hides it.
//
// Finding and marking: the filter box above the pages shows only the rows whose name contains its text
// (both pages, whatever is inspected; Escape in it clears it, Ctrl+F anywhere in the window goes to it).
// Values a form file would store, because they differ from their defaults, are drawn in bold; a right
// click on a row offers "Revert to default", one edit of the design.
#pragma once

#include "CustomObjectInspector.h"
#include "PropertyEditor.h"
#include "widgets/CustomGrid.h"

#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

#pragma GCC visibility push(default)

class TComboBox;
class TComponentList;
class TEdit;
class TMenuItem;
class TPopupMenu;
class TImageList;
class TList;
class TMethodGrid;
class TPageControl;
class TPanel;
class TPropGrid;
class TPropObject;
class TTabSheet;

// (Sender, Instance, Editor, Name, Accept): decides whether an editor gets a row and under which name.
// Also called once per inspection with Editor null and Name the first object's class name.
FW_EVENT_TYPE(TFilterPropertyEvent, void(TObject* Sender, TPersistent* Instance, TPropertyEditor* Editor,
                                         std::string& Name, bool& Accept));

class TObjectInspector : public TCustomObjectInspector {
    FW_CLASS(TObjectInspector, TCustomObjectInspector)
public:
    // As CreateWithDesigner(TCustomDesigner); the owner is not used (the window has none).
    explicit TObjectInspector(TComponent* owner);
    // Reads the window from its form resource, then InitDesigner(designerClass).
    static TObjectInspector* CreateWithDesigner(TClass designerClass);
    ~TObjectInspector() override;

    // Constructs and links the designer, creates the two grids and moves the window to the bottom-right
    // corner of the screen.
    virtual void InitDesigner(TClass designerClass);

    TCustomDesigner* OwnedDesigner() const { return FDesigner; }
    TPropGrid* PropGrid() const { return FPropGrid; }
    TMethodGrid* MethodGrid() const { return FMethodGrid; }
    // The objects now inspected; null when nothing is.
    TComponentList* Selection() const { return FSelection.get(); }

    // ---- TCustomObjectInspector
    TComponent* InspectedRoot() override { return FRoot; }
    void SetInspectedRoot(TComponent* root) override;
    // Re-reads the values of the property grid; the chosen combo entry follows a renamed component.
    void RefreshValues() override;
    void InspectObject(TPersistent* instance) override;
    void InspectList(TComponentList* list) override;
    void ClearInspection() override;
    void BeginComponentUpdate() override;
    void EndComponentUpdate() override;
    void DropPendingEdit() override;

    TFilterPropertyEvent OnFilterProperty;

    // ---- from the form resource
    TPanel* Panel1 = nullptr;
    TComboBox* Components = nullptr;
    TPageControl* PropBook = nullptr;
    TTabSheet* PropSheet = nullptr;
    TTabSheet* MethodSheet = nullptr;
    TImageList* PropImages = nullptr;
    TImageList* BooleanImages = nullptr;
    TPanel* FilterPanel = nullptr;
    TEdit* Filter = nullptr;

    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormResize(TObject* Sender);
    void ComponentsChange(TObject* Sender);
    void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void FilterChange(TObject* Sender);
    void FilterKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);

    // The menu of a right click on a row, with its one entry "Revert to default".
    TPopupMenu* RowMenu() const { return FRowMenu; }
    // Whether "Revert to default" changes something on the row: a default is known for one of its
    // stored values, and the value differs from it.
    bool CanRevert(TPropObject* row);
    // Puts the row's value back to its default on every inspected object, as one edit of the design.
    void RevertRow(TPropObject* row);

    // Free notifications of inspected components, and the insertions and removals the designer forwards
    // from the designed root.
    void Notification(TComponent* component, TOperation operation) override;

private:
    struct TCreateTag {};
    TObjectInspector(TCreateTag);

    void AddComponentEntry(TComponent* component);
    void DropRemovedEntries();
    // Whether a component inserted while the root is inspected gets an entry: the root's own, and, for a
    // designed container, those of its form (placed or pasted into the container).
    bool ListsInsertedComponent(TComponent* component) const;
    int EntryOf(const TPersistent* instance) const;
    void UpdateComponentEntries();
    void ClearGrids();
    // Asks for the free notification of a component behind the inspection (once).
    void Watch(TPersistent* object);
    void FillGrid(TPropGrid* grid, TTabSheet* sheet, TTypeKinds filter, TClass rowClass);
    void AddEditorRow(std::unique_ptr<TPropertyEditor> editor);
    void GridDrawCell(TObject* sender, int col, int row, const TRect& rect, TGridDrawState state);
    void PropBookChange(TObject* sender);

    // ---- finding and marking (ObjectInspectorMarks.cpp)
    void CreateRowMenu();
    // Where a form file stores the value of a new row under the fill parent.
    std::string RowPath(TPropertyEditor* editor) const;
    // Marks the rows of both grids whose values the inspected components store.
    void UpdateStoredMarks();
    // The writer's root for the inspected components: it names their handlers and references.
    TComponent* StreamRoot() const;
    void GridRowMenu(TObject* sender, TPropObject* row, TPoint screenPoint);
    // Whether a stored value at or below the row's path of an inspected component differs from a known
    // default; with `apply`, every such value is put back to it.
    bool ToDefaults(TPropObject* row, bool apply);
    void RevertClick(TObject* sender);

    TCustomDesigner* FDesigner = nullptr;
    TPropGrid* FPropGrid = nullptr;
    TMethodGrid* FMethodGrid = nullptr;
    TComponent* FRoot = nullptr;
    std::unique_ptr<TComponentList> FSelection;
    // Every component the grids' rows refer to, the inspected ones among them.
    std::unordered_set<TComponent*> FWatched;
    std::unique_ptr<std::vector<TComponent*>> FPending;
    // Components freed during a component update; their entries go together at its end.
    std::unordered_set<const void*> FRemovedEntries;
    bool FPickingFromCombo = false;
    // While a grid is filled: that grid, the row new rows hang under (null at top level), their class.
    TPropGrid* FFillGrid = nullptr;
    TPropObject* FFillParent = nullptr;
    TClass FFillRowClass = nullptr;
    TPopupMenu* FRowMenu = nullptr;
    TMenuItem* FRevertItem = nullptr;
    TPropObject* FMenuRow = nullptr; // the row the menu is open for
};

#pragma GCC visibility pop
