// TCustomGrid: the self-drawn grid of cells that TDrawGrid and TStringGrid build on.
//
// Rows and columns are numbered from 0; the first FixedRows rows and FixedCols columns are fixed (headers
// that stay in place while the rest scrolls). Each cell is followed by a grid line of GridLineWidth
// pixels on its right and below it, so column c starts at the sum of (width + line) of the columns shown
// before it; grid lines count for an axis only while one of its line options is on. Coordinates are client
// coordinates of the grid's window, whose client area excludes the scroll bars.
//
// The current cell (Col, Row) moves with the mouse and the keyboard (arrows, Home/End, PgUp/PgDn, Tab
// with goTabs); every move asks SelectCell first, which may refuse. With goEditing an in-place editor
// (TInplaceEdit, made by CreateEditor) edits the current cell: Enter, F2, typing a character or clicking
// the current cell shows it; it reads the cell's text with GetEditText and hands back every change of
// its text with SetEditText; Enter ends editing, Escape restores the text the edit started with. With
// goAlwaysShowEditor the editor stays up and follows the current cell. goColSizing / goRowSizing let the
// user drag the edge of a column in the fixed rows / of a row in the fixed columns.
#pragma once

#include "core/Exceptions.h"
#include "ui/CustomControl.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#pragma GCC visibility push(default)

class TInplaceEdit;
class TControlScrollBars;
struct TGridAxis;

FW_DECLARE_EXCEPTION(EInvalidGridOperation, Exception);

FW_ENUM(TGridOption, goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
        goDrawFocusSelected, goRowSizing, goColSizing, goEditing, goTabs, goRowSelect, goAlwaysShowEditor,
        goThumbTracking);
FW_SET(TGridOptions, TGridOption);
FW_ENUM(TGridDrawStateFlag, gdSelected, gdFocused, gdFixed);
FW_SET(TGridDrawState, TGridDrawStateFlag);
FW_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth);
FW_ENUM(TGridState, gsNormal, gsSelecting, gsRowSizing, gsColSizing);

struct TGridCoord {
    int X = 0; // column
    int Y = 0; // row
    friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// A block of cells, both corners included.
struct TGridRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Contains(int col, int row) const {
        return col >= Left && col <= Right && row >= Top && row <= Bottom;
    }
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

inline constexpr TGridOptions DefaultGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine,
                                                 goRangeSelect};

class TCustomGrid : public TCustomControl {
    FW_CLASS(TCustomGrid, TCustomControl)
public:
    explicit TCustomGrid(TComponent* owner);
    ~TCustomGrid() override;

    // ---- size
    // At least 1; fixed rows (columns) are reduced to keep one that is not fixed.
    int ColCount() const { return FColCount; }
    void SetColCount(int count);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int count);
    // Fail with EInvalidGridOperation when not less than the column (row) count.
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int count);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int count);

    // ---- cell sizes (pixels, grid lines not included)
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int width); // resets every column to it
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int height); // resets every row to it
    int ColWidths(int col) const;
    void SetColWidths(int col, int width); // runs ColWidthsChanged
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height); // runs RowHeightsChanged
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int width);

    // ---- current cell, selection and scrolling
    int Col() const { return FCurrent.X; }
    void SetCol(int col);
    int Row() const { return FCurrent.Y; }
    void SetRow(int row);
    // The cells from the anchor to the current cell (whole rows with goRowSelect).
    TGridRect Selection() const;
    void SetSelection(const TGridRect& rect);
    // The first scrolled row (column) shown, at least FixedRows (FixedCols).
    int TopRow() const { return FTopLeft.Y; }
    void SetTopRow(int row);
    int LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int col);
    // Scrolled rows (columns) shown whole.
    int VisibleRowCount() const;
    int VisibleColCount() const;

    // ---- geometry
    // The visible part of the cell, clipped to the client area; empty when it is not shown.
    TRect CellRect(int col, int row) const;
    // The cell under a point; -1 for a column (row) when none is there.
    TGridCoord MouseCoord(int x, int y) const;
    void MouseToCell(int x, int y, int& col, int& row) const;

    // ---- look and behaviour
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions options);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle style);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor color);
    // On: the grid fills each cell (fixed colour, highlight, colour), draws raised fixed cells and the
    // focus rectangle around DrawCell. Off: DrawCell alone paints the cell.
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool value);
    TGridState GridState() const { return FGridState; }

    // ---- the in-place editor
    // Null until the editor is first shown.
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }
    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool value);
    // Turns editing on and puts the editor (made on first use) over the current cell.
    void ShowEditor();
    // Turns editing off and hides the editor; the focus goes back to the grid if the editor had it.
    void HideEditor();
    // Reloads the editor's text from the current cell and places it again.
    void InvalidateEditor();
    void InvalidateCell(int col, int row);
    void InvalidateRow(int row);
    void InvalidateCol(int col);

    // ---- overrides
    TRect ClientRect() const override;
    int ScrollPosition(int bar) const override;
    void ScrollRange(int bar, int& min, int& max) const override;
    bool WantsKey(uint16_t key) const override;
    void Dispatch(TMessage& message) override;

protected:
    // Paints one cell on Canvas(). `rect` is the whole cell (it may reach outside the client area).
    virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);
    // Asked before (col, row) becomes the current cell; false keeps the current cell.
    virtual bool SelectCell(int col, int row);
    // The text the editor starts with, and every change of the editor's text.
    virtual std::string GetEditText(int col, int row);
    virtual void SetEditText(int col, int row, const std::string& value);
    // The longest text the editor takes; 0 for no limit.
    virtual int GetEditLimit();
    // Makes the in-place editor; the grid sets it up and owns it.
    virtual TInplaceEdit* CreateEditor();
    // Whether the editor may show now: goEditing without goRowSelect, editing on, the grid visible with its
    // window made, and not being designed.
    virtual bool CanEditShow() const;
    // Notices: after column widths, row heights, the top-left cell or the counts changed.
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void TopLeftChanged();
    virtual void SizeChanged(int oldColCount, int oldRowCount);

    // Moves the current cell (asking SelectCell). `moveAnchor` collapses the selection to it; `show`
    // scrolls it into view.
    void MoveCurrent(int col, int row, bool moveAnchor, bool show);
    void MoveTopLeft(int col, int row);
    // Scrolls so that the cell is shown whole when it fits.
    void ClampInView(TGridCoord cell);

    void Paint() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CreateHandle() override;
    void Resize() override;
    void VisibleChanged() override;
    void DefineProperties(TFiler& filer) override;

private:
    friend class TInplaceEdit;
    // ---- geometry (CustomGrid.cpp)
    int LineWidth(int axis) const;
    int CellExtent(int axis, int index) const;
    int Count(int axis) const;
    int FixedCount(int axis) const;
    int First(int axis) const;
    int ClientExtent(int axis) const;
    int FixedBoundary(int axis) const;
    int CellStart(int axis, int index) const; // -1 when not shown
    int CellAt(int axis, int pixel) const;    // -1 when none
    int LastFullVisible(int axis) const;
    int MaxFirst(int axis) const;
    TGridAxis Axis(int axis) const;
    // The pixels [first, last) the shown cells of the range [from, to] take; (0, 0) when none is shown.
    std::pair<int, int> ShownPixels(int axis, int from, int to) const;
    void UpdateScrollRange();
    void ScrolledByUser(int bar, int position);
    void InvalidateGrid();
    void InvalidateSelection(const TGridRect& rect);
    void CountsChanged(int oldColCount, int oldRowCount);
    // ---- input and editing (CustomGridInput.cpp)
    void UpdateEdit();
    void HideEdit();
    void UpdateText(); // the editor's text changed
    void EndEdit(bool restore);
    void TypeIntoEditor(char byte);
    bool SizingBoundaryAt(int x, int y, TGridState& state, int& index) const;
    void DrawSizingLine();
    void CancelSizing();
    void MoveAnchor(TGridCoord cell);

    int FColCount = 5, FRowCount = 5;
    int FFixedCols = 1, FFixedRows = 1;
    int FDefaultColWidth = 64, FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    std::map<int, int> FColWidths, FRowHeights; // the sizes that differ from the default, by index
    TGridOptions FOptions = DefaultGridOptions;
    TScrollStyle FScrollBars = ssBoth;
    TColor FFixedColor = clBtnFace;
    bool FDefaultDrawing = true;
    TGridCoord FCurrent{1, 1};
    TGridCoord FAnchor{1, 1};
    TGridCoord FTopLeft{1, 1};
    std::unique_ptr<TControlScrollBars> FScrollBarsWidgets;

    TGridState FGridState = gsNormal;
    int FSizingIndex = -1;
    int FSizingPos = 0;    // where the sizing line is drawn
    int FSizingOffset = 0; // from the pressed point to the cell's far edge
    bool FSizingLineShown = false;
    bool FSizingCursor = false;

    TInplaceEdit* FInplaceEdit = nullptr;
    bool FEditorMode = false;
    TGridCoord FInplaceCell{-1, -1}; // the cell the editor's text was loaded from
    std::string FEditStartText;      // the cell's text when the edit began, for Escape
    std::string FTypedBytes;         // the start of a multi-byte character typed into the grid
};

#pragma GCC visibility pop
