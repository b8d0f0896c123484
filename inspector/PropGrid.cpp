// The property grid: its rows, the displayed-row list with expanding and collapsing, and the hand-over of
// values between rows and the in-place editor. Mouse input and cell drawing are in PropGridMouse.cpp.
#include "PropGrid.h"

#include "PropInplaceEditor.h"
#include "core/ScopeGuard.h"
#include "core/SysUtils.h"
#include "ui/Form.h"
#include "ui/Windows.h"
#include "widgets/ImageList.h"

#include <algorithm>
#include <memory>
#include <unordered_set>
#include <vector>

// ---- rows -------------------------------------------------------------------------------------------------

FW_PUBLISH(TPropObject) {
}

FW_PUBLISH(TMethodObject) {
}

TPropObject::TPropList::TPropList() = default;

TPropObject::TPropList::~TPropList() = default;

TPropObject* TPropObject::TPropList::Add(std::unique_ptr<TPropObject> row) {
    FRows.push_back(std::move(row));
    return FRows.back().get();
}

bool TPropObject::TPropList::Remove(const TPropObject* row) {
    auto it =
        std::find_if(FRows.begin(), FRows.end(), [row](const auto& owned) { return owned.get() == row; });
    if (it == FRows.end()) return false;
    FRows.erase(it);
    return true;
}

void TPropObject::TPropList::Clear() {
    // Rows are freed last first, the order the untyped list freed them in.
    while (!FRows.empty())
        FRows.pop_back();
}

TPropObject::TPropObject(TPropGrid* grid, TPropObject* parent, std::unique_ptr<TPropertyEditor> editor,
                         const std::string& name)
    : FEditor(std::move(editor)), FParent(parent), FChildren(std::make_unique<TPropList>()), FGrid(grid),
      FName(name) {
    FValue = GetValue();
    const std::string upper = UpperCase(FValue);
    FIsBoolean =
        !FEditor->InheritsFrom(TStringProperty::StaticClass()) && (upper == "TRUE" || upper == "FALSE");
    if (parent) FIndent = parent->FIndent + 8;
}

TPropObject::~TPropObject() = default;

std::string TPropObject::GetValue() {
    return FEditor->GetValue();
}

void TPropObject::SetValue(const std::string& text) {
    // One value written to the whole selection is one step of the designer's history.
    const TDesignChange change(FEditor->Designer());
    ReportEditedComponents();
    FEditor->SetValue(text);
}

void TPropObject::ReportEditedComponents() {
    TCustomDesigner* designer = FEditor->Designer();
    if (!designer) return;
    for (const TPropObject* row = this; row; row = row->FParent) {
        TPropertyEditor* editor = row->Editor();
        if (editor->PropCount() == 0 || !dynamic_cast<TComponent*>(editor->GetComponent(0))) continue;
        for (int i = 0; i < editor->PropCount(); ++i)
            designer->ObjectEdited(editor->GetComponent(i));
        return;
    }
    // Nothing above it is a component: whatever it writes is not known.
    designer->ObjectEdited(nullptr);
}

// ---- the grid ---------------------------------------------------------------------------------------------

FW_PUBLISH(TPropGrid) {
}

FW_PUBLISH(TMethodGrid) {
}

TPropGrid::TPropGrid(TComponent* owner, TWinControl* parent, TImageList* propImages,
                     TImageList* booleanImages)
    : TDrawGrid(owner), FPropImages(propImages), FBooleanImages(booleanImages) {
    SetVisible(false);
    SetParent(parent);
    SetScrollBars(ssVertical);
    SetColCount(2);
    SetFixedRows(0);
    SetFixedCols(0);
    SetDefaultRowHeight(16);
    SetColWidths(0, 98);
    TGridOptions options = DefaultGridOptions;
    options.Exclude(goRowSizing);
    options.Include(goColSizing);
    options.Include(goEditing);
    options.Include(goAlwaysShowEditor);
    options.Include(goThumbTracking);
    SetOptions(options);
    SetDefaultDrawing(false);
    SetAlign(alClient);
    SetColor(clBtnFace);
    if (FPropImages) FGlyphWidth = FPropImages->Width();
}

TPropGrid::~TPropGrid() {
    // The editor's row pointer must not outlive the rows.
    if (TPropInplaceEditor* editor = PropEditor()) editor->ForgetRow();
    FVisibleRows.Clear();
    FTopRows.Clear();
}

TPropInplaceEditor* TPropGrid::PropEditor() const {
    return static_cast<TPropInplaceEditor*>(InplaceEditor());
}

TPropObject* TPropGrid::VisibleRow(int index) const {
    if (index < 0 || index >= FVisibleRows.Count()) return nullptr;
    return FVisibleRows.Items(index);
}

TInplaceEdit* TPropGrid::CreateEditor() {
    return new TPropInplaceEditor(this);
}

void TPropGrid::ClearRows() {
    CommitEdit();
    EndTyping();
    // The rows may belong to objects that are going away: moving to row 0 must not load the editor
    // from them.
    {
        FClearing = true;
        const auto endClearing = ScopeGuard([this] { FClearing = false; });
        SetRow(0);
    }

    if (TPropInplaceEditor* editor = PropEditor()) {
        editor->ReleaseDrawer();
        editor->ForgetRow();
    }
    HideEditor();
    FVisibleRows.Clear();
    FTopRows.Clear();
    FCheckTracking = FCheckInside = false;
}

namespace {

bool RowRefersTo(const TPropObject* row, const TPersistent* object) {
    const TPropertyEditor* editor = row->Editor();
    for (int i = 0; i < editor->PropCount(); ++i)
        if (editor->GetComponent(i) == object) return true;
    return false;
}

void CollectSubtree(TPropObject* row, std::unordered_set<TPropObject*>& out) {
    out.insert(row);
    for (int i = 0; i < row->Children().Count(); ++i)
        CollectSubtree(row->Children().Items(i), out);
}

// The rows that refer to the object (not those below them), each with the list that owns it.
void FindRowsOf(TPropObject::TPropList& rows, const TPersistent* object,
                std::vector<std::pair<TPropObject::TPropList*, TPropObject*>>& out) {
    for (int i = 0; i < rows.Count(); ++i) {
        TPropObject* row = rows.Items(i);
        if (RowRefersTo(row, object))
            out.emplace_back(&rows, row);
        else
            FindRowsOf(row->Children(), object, out);
    }
}

} // namespace

void TPropGrid::DropRowsOf(const TPersistent* object) {
    std::vector<std::pair<TPropObject::TPropList*, TPropObject*>> doomed;
    FindRowsOf(FTopRows, object, doomed);
    if (doomed.empty()) return;
    std::unordered_set<TPropObject*> gone;
    for (const auto& entry : doomed)
        CollectSubtree(entry.second, gone);

    TPropInplaceEditor* editor = PropEditor();
    TPropObject* current = CurrentRow();
    const bool currentGone = gone.count(current) != 0;
    // Text typed for a row that stays goes with that row to its new place; it is not applied here, while
    // an object is being freed.
    const bool keepTyped = !currentGone && editor && editor->Modified();
    const std::string typed = keepTyped ? std::string(editor->Text()) : std::string();
    DiscardEdit();
    if (editor) {
        editor->ReleaseDrawer();
        editor->ForgetRow();
    }
    HideEditor();
    for (int i = FVisibleRows.Count() - 1; i >= 0; --i)
        if (gone.count(VisibleRow(i))) FVisibleRows.Delete(i);
    for (const auto& [list, row] : doomed)
        list->Remove(row);
    if (FVisibleRows.Count() == 0) {
        Hide();
        return;
    }
    FClearing = true;
    const auto endClearing = ScopeGuard([this] { FClearing = false; });
    SetRowCount(FVisibleRows.Count());
    if (!currentGone) SetRow(FVisibleRows.IndexOf(current));
    FClearing = false;
    Invalidate();
    LoadEditorForCurrentRow();
    if (keepTyped && PropEditor()) {
        PropEditor()->SetText(typed);
        PropEditor()->SetModified(true);
    }
}

void TPropGrid::BuildVisibleRows() {
    for (int i = 0; i < FTopRows.Count(); ++i)
        MarkKept(FTopRows.Items(i), false);
    AppendShownRows(FTopRows);
}

void TPropGrid::ShowRows(bool activate) {
    if (FVisibleRows.Count() == 0) {
        Hide();
        return;
    }
    SetRowCount(FVisibleRows.Count());
    Invalidate();
    if (activate && !Visible()) {
        Show();
        AdjustValueColumn();
        SetCol(1);
        if (Parent() && Parent()->IsShowing())
            if (TCustomForm* form = GetParentForm(this)) form->SetActiveControl(this);
    }
    if (HandleAllocated() && IsWindowVisible(Handle())) ShowEditor();
}

void TPropGrid::SetExpanded(TPropObject* row, bool value) {
    if (!row || value == row->FExpanded || !row->HasChildren()) return;
    // A pending edit belongs to the row under the editor: it is applied while that row is still at the
    // current index, not to whatever row the index shows once rows moved in or out above it.
    CommitEdit();
    TPropObject* current = CurrentRow();
    row->FExpanded = value;
    if (value)
        ExpandRow(row);
    else
        CollapseRow(row);
    if (CurrentRow() != current) LoadEditorForCurrentRow();
}

// The editor shows the current row: hidden over a check-box row, loaded afresh over any other.
void TPropGrid::LoadEditorForCurrentRow() {
    TPropInplaceEditor* editor = PropEditor();
    if (!editor) return;
    editor->ReleaseDrawer();
    HideEditor();
    TPropObject* current = CurrentRow();
    if (current && !current->IsBoolean()) ShowEditor();
}

namespace {
// The rows a row shows below itself: each child the filter keeps, followed by the rows of its own if it
// is expanded.
void AppendSubtree(TPropObject* row, std::vector<TPropObject*>& out) {
    for (int i = 0; i < row->Children().Count(); ++i) {
        TPropObject* child = row->Children().Items(i);
        if (!child->Kept()) continue;
        out.push_back(child);
        if (child->Expanded()) AppendSubtree(child, out);
    }
}
} // namespace

void TPropGrid::ExpandRow(TPropObject* row) {
    FNoDragSelect = true;
    const int index = FVisibleRows.IndexOf(row);
    if (index < 0) return;
    std::vector<TPropObject*> subtree;
    AppendSubtree(row, subtree);
    for (size_t i = 0; i < subtree.size(); ++i)
        FVisibleRows.Insert(index + 1 + static_cast<int>(i), subtree[i]);
    SetRowCount(FVisibleRows.Count());
    const int shown = index + 1 + static_cast<int>(subtree.size()) - TopRow();
    const int fullRows = VisibleRowCount();
    if (shown >= fullRows) SetTopRow(TopRow() + shown - fullRows);
    Invalidate();
}

void TPropGrid::CollapseRow(TPropObject* row) {
    FNoDragSelect = true;
    const int index = FVisibleRows.IndexOf(row);
    if (index < 0) return;
    std::vector<TPropObject*> subtree;
    AppendSubtree(row, subtree);
    for (size_t i = 0; i < subtree.size() && index + 1 < FVisibleRows.Count(); ++i)
        FVisibleRows.Delete(index + 1);
    SetRowCount(FVisibleRows.Count());
    Invalidate();
}

bool TPropGrid::RefreshValue(TPropObject* row) {
    std::string value = row->GetValue();
    if (value == row->FValue) return false;
    row->FValue = std::move(value);
    return true;
}

void TPropGrid::RefreshRowValues() {
    if (!HandleAllocated() || !IsWindowVisible(Handle())) return;
    if (TPropInplaceEditor* editor = PropEditor()) editor->RefreshText();
    for (int i = 0; i < FVisibleRows.Count(); ++i)
        if (RefreshValue(VisibleRow(i))) InvalidateCell(1, i);
}

// While hidden (another page was showing, or the window was closed) the grid let refreshes pass: the
// editor would still show the value from before. Text being typed is kept.
void TPropGrid::CatchUpValues() {
    TPropInplaceEditor* editor = PropEditor();
    if (editor && !editor->Modified()) editor->RefreshText();
    for (int i = 0; i < FVisibleRows.Count(); ++i)
        RefreshValue(VisibleRow(i));
}

void TPropGrid::SetRowValue(int index, const std::string& text, bool autoOnly) {
    TPropObject* row = VisibleRow(index);
    if (!row) return;
    if (autoOnly && !row->Editor()->GetAttributes().Contains(paAutoUpdate)) return;
    row->SetValue(text);
}

void TPropGrid::CommitEdit() {
    TPropInplaceEditor* editor = PropEditor();
    if (editor && editor->Modified()) {
        SetRowValue(Row(), editor->Text(), false);
        editor->SetModified(false);
    }
    EndTyping();
}

void TPropGrid::DiscardEdit() {
    if (TPropInplaceEditor* editor = PropEditor()) editor->SetModified(false);
    EndTyping();
}

void TPropGrid::EndTyping() {
    if (!FTypingRow) return;
    TCustomDesigner* designer = FTypingDesigner;
    FTypingRow = nullptr;
    FTypingDesigner = nullptr;
    FTypedOver.clear();
    if (designer) designer->EndContinuedChange();
}

void TPropGrid::RevertTyping() {
    if (FTypingRow && FTypingRow->GetValue() != FTypedOver) FTypingRow->SetValue(FTypedOver);
}

void TPropGrid::EditCurrentRow() {
    TPropObject* row = CurrentRow();
    if (!row) return;
    EndTyping();
    const TDesignChange change(row->Editor()->Designer());
    row->ReportEditedComponents();
    row->Editor()->Edit();
}

void TPropGrid::AdjustValueColumn() {
    if (!Visible()) return;
    int width = Width() - ColWidths(0) - 2 * GetSystemMetrics(SM_CXBORDER) - 3;
    if (HandleAllocated()) {
        int min = 0, max = 0;
        GetScrollRange(Handle(), SB_VERT, min, max);
        if (max > min) width -= GetSystemMetrics(SM_CXVSCROLL);
    }
    SetColWidths(1, std::max(width, 0));
}

// Check-box rows are edited by clicking only: neither Enter nor typing brings the editor up over them.
bool TPropGrid::CanEditShow() const {
    const TPropObject* row = CurrentRow();
    return !FClearing && TDrawGrid::CanEditShow() && !(row && row->IsBoolean());
}

bool TPropGrid::SelectCell(int col, int row) {
    if (col == 0) return false;
    TPropInplaceEditor* editor = PropEditor();
    if (row != Row() && editor) {
        CommitEdit();
        editor->ReleaseDrawer();
    }
    // The editor is hidden over check-box rows (they are edited by clicking only) and comes back, made
    // on first use, for the others.
    TPropObject* target = VisibleRow(row);
    if (target && target->IsBoolean())
        HideEditor();
    else if (!editor || !editor->Visible())
        ShowEditor();
    return true;
}

std::string TPropGrid::GetEditText(int, int row) {
    TPropObject* target = VisibleRow(row);
    return target ? target->GetValue() : std::string();
}

// Also runs when the editor's text is set by the program (a reload, Escape): text that is the value
// already is not written again.
void TPropGrid::SetEditText(int, int row, const std::string& value) {
    TPropObject* target = VisibleRow(row);
    if (!target || value == target->GetValue()) return;
    if (!target->Editor()->GetAttributes().Contains(paAutoUpdate)) return;
    if (FTypingRow != target) {
        EndTyping();
        FTypedOver = target->GetValue();
        FTypingRow = target;
        FTypingDesigner = target->Editor()->Designer();
        if (FTypingDesigner) FTypingDesigner->BeginContinuedChange();
    }
    SetRowValue(row, value, true);
}

void TPropGrid::ColWidthsChanged() {
    if (!FSuppressWidthNotice) TDrawGrid::ColWidthsChanged();
}

void TPropGrid::Resize() {
    TDrawGrid::Resize();
    AdjustValueColumn();
}
