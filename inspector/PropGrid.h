// The property grid of the Object Inspector: one row per property editor, names on the left, values on
// the right.
//
// Rows (TPropObject) form a tree: a row whose editor has sub-properties owns rows for them, built once
// per inspection; expanding a row only moves its existing children into the displayed rows. Two-valued
// rows that are not strings ("True"/"False") show a check box that is flipped by clicking it. The line
// between the two columns can be dragged (never closer than 32 pixels to either side). Values are edited
// in the in-place editor (TPropInplaceEditor) that covers the value cell of the current row; only the
// value column can be current.
//
// TMethodGrid is the events grid; it behaves exactly like TPropGrid and shows rows of class
// TMethodObject.
#pragma once

#include "ObjIntf.h"
#include "core/List.h"
#include "widgets/DrawGrid.h"

#include <memory>
#include <string>
#include <vector>

#pragma GCC visibility push(default)

class TImageList;
class TPropGrid;
class TPropObject;

// (Sender, Row, ScreenPoint): a right click on a row, which is now the current row.
FW_EVENT_TYPE(TRowMenuEvent, void(TObject* Sender, TPropObject* Row, TPoint ScreenPoint));
class TPropInplaceEditor;

// One row of a property grid: owns its property editor and the rows of its sub-properties.
class TPropObject : public TObject {
    FW_CLASS(TPropObject, TObject)
public:
    // A list of rows that owns them: removing, clearing or freeing the list frees the rows (and with each
    // row its editor and its whole subtree).
    class TPropList {
    public:
        TPropList();
        ~TPropList();
        TPropList(const TPropList&) = delete;
        TPropList& operator=(const TPropList&) = delete;
        int Count() const { return static_cast<int>(FRows.size()); }
        TPropObject* Items(int index) const { return FRows.at(static_cast<size_t>(index)).get(); }
        // Takes the row; returns it.
        TPropObject* Add(std::unique_ptr<TPropObject> row);
        // Frees the row; false when it is not in the list.
        bool Remove(const TPropObject* row);
        void Clear();

    private:
        std::vector<std::unique_ptr<TPropObject>> FRows;
    };

    // A row for `editor` shown by `grid`, indented 8 pixels further than `parent` (null for a top row). The
    // caller adds it to the parent's Children or to the grid's TopRows.
    TPropObject(TPropGrid* grid, TPropObject* parent, std::unique_ptr<TPropertyEditor> editor,
                const std::string& name);
    ~TPropObject() override;

    virtual std::string GetValue();
    virtual void SetValue(const std::string& text);

    TPropertyEditor* Editor() const { return FEditor.get(); }
    TPropGrid* Grid() const { return FGrid; }
    // The row this one is a sub-property of; null for a top row.
    TPropObject* ParentRow() const { return FParent; }
    TPropList& Children() const { return *FChildren; }
    bool HasChildren() const { return FChildren->Count() > 0; }
    bool Expanded() const { return FExpanded; }
    const std::string& Name() const { return FName; }
    // The value text last seen by the grid (to notice changes); drawing asks the editor afresh.
    const std::string& Value() const { return FValue; }
    int Indent() const { return FIndent; }
    // Shown as a check box: a non-string property whose value is "True" or "False" at creation.
    bool IsBoolean() const { return FIsBoolean; }
    // Where a form file stores the value, relative to the inspected objects ("Font.Color"); empty for
    // rows no form file stores as such (the values of a referenced component). A set element's row has
    // the set's path.
    const std::string& Path() const { return FPath; }
    void SetPath(std::string path) { FPath = std::move(path); }
    // The value differs from its default, so a form file stores it: drawn in bold.
    bool Stored() const { return FStored; }
    // Shown under the grid's filter.
    bool Kept() const { return FKept; }

private:
    friend class TPropGrid;
    // Tells the designer which components the edit writes: those of this row, or, for a sub-object's
    // value (a font's colour), those of the row it belongs to.
    void ReportEditedComponents();

    std::unique_ptr<TPropertyEditor> FEditor;
    TPropObject* FParent;
    std::unique_ptr<TPropList> FChildren;
    bool FExpanded = false;
    TPropGrid* FGrid;
    std::string FName;
    std::string FValue;
    int FIndent = 0;
    bool FIsBoolean = false;
    std::string FPath;
    bool FStored = false;
    bool FKept = true;
};

// A row of the events grid.
class TMethodObject : public TPropObject {
    FW_CLASS(TMethodObject, TPropObject)
public:
    using TPropObject::TPropObject;
};

class TPropGrid : public TDrawGrid {
    FW_CLASS(TPropGrid, TDrawGrid)
public:
    // Created hidden on `parent` (a tab sheet), filling it. `propImages` holds the collapsed (0) and
    // expanded (1) glyphs, `booleanImages` the check boxes: 0 empty, 1 ticked, 2 and 3 the same pressed.
    TPropGrid(TComponent* owner, TWinControl* parent, TImageList* propImages, TImageList* booleanImages);
    ~TPropGrid() override;

    // ---- rows
    // The top-level rows in the order delivered; owned.
    TPropObject::TPropList& TopRows() { return FTopRows; }
    // The rows in display order: grid row N shows VisibleRows()[N]. Does not own.
    const TPointerList<TPropObject>& VisibleRows() const { return FVisibleRows; }
    // The row shown at a grid row, or null.
    TPropObject* VisibleRow(int index) const;
    TPropObject* CurrentRow() const { return VisibleRow(Row()); }
    int GlyphWidth() const { return FGlyphWidth; }

    // Commits a pending edit, frees every row and hides the in-place editor.
    void ClearRows();
    // The object is being freed: every row whose editor reads or writes it goes, with its subtree, and a
    // pending edit in one of them is dropped, not applied. Other rows keep their place and expansion.
    void DropRowsOf(const TPersistent* object);
    // Shows the top-level rows (all collapsed).
    void BuildVisibleRows();
    // Puts the displayed rows on screen; hides the grid when there are none. A hidden grid is shown only
    // when `activate` is true (its page is the active one).
    void ShowRows(bool activate);
    // Re-reads every displayed value and repaints the value cells whose text changed; the in-place editor
    // reloads its text. Does nothing while the grid is not visible.
    void RefreshRowValues();

    void SetExpanded(TPropObject* row, bool value);
    // Shows the row's subtree below it (expanded children with their own rows) and scrolls so that the
    // last new row shows.
    void ExpandRow(TPropObject* row);
    void CollapseRow(TPropObject* row);
    // Re-reads the row's value; true when it changed.
    bool RefreshValue(TPropObject* row);
    // Hands text to the row's editor; with `autoOnly`, only when the editor updates as it is typed.
    void SetRowValue(int index, const std::string& text, bool autoOnly);
    // Applies the in-place editor's text when it was modified, and ends the row's typing.
    void CommitEdit();
    // Drops the in-place editor's pending text: it is not applied. Ends the row's typing.
    void DiscardEdit();
    // A row that applies every keystroke is typed into as one edit of the design, from the first key to
    // Enter, Escape, leaving the row or the editor losing the focus (the designer's continued change).
    // EndTyping ends it; RevertTyping first puts back the value the row had before the first key.
    TPropObject* TypingRow() const { return FTypingRow; }
    void EndTyping();
    void RevertTyping();
    // The current row's default action (a dialog, or the next value).
    void EditCurrentRow();
    // Column 1 fills the width that column 0 leaves.
    void AdjustValueColumn();

    // ---- finding and marking rows (PropGridFilter.cpp)
    // Shows only the rows whose name contains the text (letter case ignored) and the rows above them,
    // which open to show them; the empty text shows every row. The filter stays for later fillings.
    // A grid the filter leaves empty hides; it shows again when rows come back while its page shows.
    void SetFilter(const std::string& text);
    const std::string& Filter() const { return FFilter; }
    // Marks a row's value stored (drawn in bold), repainting it when that changes.
    void SetRowStored(TPropObject* row, bool stored);
    // A right click on a row makes it current and then calls this.
    TRowMenuEvent OnRowMenu;

    // Draws one cell: indent, plus/minus glyph and name in column 0; the value or a check box in column 1.
    // Used as the grid's cell-drawing handler by its inspector.
    void DrawRowCell(int col, int row, const TRect& rect);

    TPropInplaceEditor* PropEditor() const;

    // A double click is the grid's own (it toggles a row), not a second press. Shown again (its page
    // chosen, its window reopened), the grid's editor takes the values that changed while it was hidden.
    void WndProc(TMessage& message) override;

protected:
    TInplaceEdit* CreateEditor() override;
    bool CanEditShow() const override;
    // Only value cells can be current; leaving a row commits its pending edit.
    bool SelectCell(int col, int row) override;
    // The editor starts with the row's value and hands back every change of its text.
    std::string GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const std::string& value) override;
    void ColWidthsChanged() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Resize() override;

private:
    // ---- mouse (PropGridMouse.cpp)
    int SplitterAt(int x) const;
    void DrawSplitLine();
    void EndSplitterDrag();
    TRect CheckBoxRect(int row) const;
    void InvalidateCheckBox();
    void DoubleClick(int x, int y);
    void LoadEditorForCurrentRow();
    void CatchUpValues();
    // Marks the rows the filter keeps and opens those above a match; true when the row or one below it
    // matches.
    bool MarkKept(TPropObject* row, bool aboveMatches);
    void AppendShownRows(TPropObject::TPropList& rows);

    TImageList* FPropImages;
    TImageList* FBooleanImages;
    TPropObject::TPropList FTopRows;
    TPointerList<TPropObject> FVisibleRows;
    int FGlyphWidth = 9;

    bool FSplitting = false;
    int FSplitX = 0;
    bool FSplitLineShown = false;
    TRect FCheckRect;
    int FCheckRow = -1;
    bool FCheckTracking = false;
    bool FCheckInside = false;
    bool FNoDragSelect = false;
    bool FSuppressWidthNotice = false;
    bool FClearing = false; // ClearRows runs: the editor is not loaded from rows about to be freed
    std::string FFilter;
    TPropObject* FTypingRow = nullptr;          // see TypingRow
    TCustomDesigner* FTypingDesigner = nullptr; // the designer its edit runs in
    std::string FTypedOver;                     // the row's value before the first key
    TCursor FShownCursor = crDefault;
};

class TMethodGrid : public TPropGrid {
    FW_CLASS(TMethodGrid, TPropGrid)
public:
    using TPropGrid::TPropGrid;
};

#pragma GCC visibility pop
