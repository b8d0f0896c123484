// TCustomGrid: the current cell, mouse and keyboard input, column and row sizing, and the in-place editor.
//
//   1. the current cell and the selection
//   2. mouse: cell selection and sizing
//   3. keyboard
//   4. the in-place editor
#include "widgets/CustomGrid.h"
#include "widgets/GridAxis.h"

#include "graphics/Canvas.h"
#include "ui/Windows.h"
#include "widgets/InplaceEdit.h"

#include <algorithm>

namespace {
constexpr int Horz = 0;
constexpr int Vert = 1;
} // namespace

// ---- 1. the current cell and the selection ----------------------------------------------------------------

bool TCustomGrid::SelectCell(int, int) {
    return true;
}

void TCustomGrid::SetCol(int col) {
    if (col != FCurrent.X) MoveCurrent(col, FCurrent.Y, true, true);
}

void TCustomGrid::SetRow(int row) {
    if (row != FCurrent.Y) MoveCurrent(FCurrent.X, row, true, true);
}

void TCustomGrid::SetSelection(const TGridRect& rect) {
    const TGridRect old = Selection();
    FAnchor = {std::clamp(rect.Right, FFixedCols, FColCount - 1),
               std::clamp(rect.Bottom, FFixedRows, FRowCount - 1)};
    FCurrent = {std::clamp(rect.Left, FFixedCols, FColCount - 1),
                std::clamp(rect.Top, FFixedRows, FRowCount - 1)};
    InvalidateSelection(old);
    InvalidateSelection(Selection());
    UpdateEdit();
}

void TCustomGrid::MoveCurrent(int col, int row, bool moveAnchor, bool show) {
    if (col < 0 || row < 0 || col >= FColCount || row >= FRowCount)
        throw EInvalidGridOperation("Grid index out of range");
    const TGridRect oldSelection = Selection();
    if (col == FCurrent.X && row == FCurrent.Y) {
        if (moveAnchor) FAnchor = FCurrent;
    } else {
        if (!SelectCell(col, row)) return;
        FCurrent = {col, row};
        if (moveAnchor || !FOptions.Contains(goRangeSelect)) FAnchor = FCurrent;
        if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
    }
    if (show) ClampInView(FCurrent);
    InvalidateSelection(oldSelection);
    InvalidateSelection(Selection());
    UpdateEdit();
}

// The far corner of a range selection; without range selection the current cell moves instead.
void TCustomGrid::MoveAnchor(TGridCoord cell) {
    if (!FOptions.Contains(goRangeSelect) || FOptions.Contains(goEditing)) {
        MoveCurrent(cell.X, cell.Y, true, true);
        return;
    }
    const TGridRect old = Selection();
    FAnchor = cell;
    ClampInView(cell);
    InvalidateSelection(old);
    InvalidateSelection(Selection());
}

// ---- 2. mouse ---------------------------------------------------------------------------------------------

// A column edge in the fixed rows (goColSizing) or a row edge in the fixed columns (goRowSizing) within
// a few pixels of the point.
bool TCustomGrid::SizingBoundaryAt(int x, int y, TGridState& state, int& index) const {
    auto edgeNear = [this](int axis, int pos, int& found) {
        const TGridAxis a = Axis(axis);
        const int range = std::max(a.Line, 7);
        const int back = a.Line < 7 ? (range - a.Line) / 2 : 0;
        // Near means the cell's far edge (before its line) lies in [pos + back - range, pos + back]. The
        // edges only grow, so the first scrolled cell whose edge reaches the start is the one to check.
        const int fixedEnd = FixedBoundary(axis);
        const int i = a.IndexAt(First(axis), int64_t(pos) + back - range - fixedEnd + a.Line - 1);
        if (i >= Count(axis)) return false;
        const int64_t edge = fixedEnd + a.Span(First(axis), i) + a.Extent(i);
        if (edge > ClientExtent(axis) || edge > int64_t(pos) + back) return false;
        found = i;
        return true;
    };
    if (FOptions.Contains(goColSizing) && x > FixedBoundary(Horz) && y < FixedBoundary(Vert) &&
        edgeNear(Horz, x, index)) {
        state = gsColSizing;
        return true;
    }
    if (FOptions.Contains(goRowSizing) && y > FixedBoundary(Vert) && x < FixedBoundary(Horz) &&
        edgeNear(Vert, y, index)) {
        state = gsRowSizing;
        return true;
    }
    return false;
}

// The sizing line is drawn by exclusive-or on the window, so drawing it again at the same place erases it.
void TCustomGrid::DrawSizingLine() {
    if (!HandleAllocated()) return;
    HDC dc = GetDC(Handle());
    if (!dc) return;
    dc->Pen()->SetColor(clWhite);
    dc->Pen()->SetMode(pmXor);
    dc->Pen()->SetWidth(1);
    const TRect client = ClientRect();
    if (FGridState == gsColSizing) {
        dc->MoveTo(FSizingPos, 0);
        dc->LineTo(FSizingPos, client.Bottom);
    } else {
        dc->MoveTo(0, FSizingPos);
        dc->LineTo(client.Right, FSizingPos);
    }
    ReleaseDC(Handle(), dc);
    FSizingLineShown = !FSizingLineShown;
}

void TCustomGrid::CancelSizing() {
    if ((FGridState == gsColSizing || FGridState == gsRowSizing) && FSizingLineShown) DrawSizingLine();
    FGridState = gsNormal;
    FSizingLineShown = false;
}

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const bool designing = ComponentState().Contains(csDesigning);
    if (!designing && CanFocus() && !Focused() && !(FInplaceEdit && FInplaceEdit->Focused())) SetFocus();
    if (button == mbLeft && !shift.Contains(ssDouble)) {
        TGridState sizing = gsNormal;
        int index = -1;
        if (SizingBoundaryAt(x, y, sizing, index)) {
            FGridState = sizing;
            FSizingIndex = index;
            const int axis = sizing == gsColSizing ? Horz : Vert;
            const int edge = CellStart(axis, index) + CellExtent(axis, index);
            FSizingOffset = edge - (axis == Horz ? x : y);
            FSizingPos = edge;
            FSizingLineShown = false;
            DrawSizingLine();
        } else {
            const TGridCoord cell = MouseCoord(x, y);
            if (cell.X >= FFixedCols && cell.Y >= FFixedRows) {
                if (FOptions.Contains(goEditing)) {
                    if (cell == FCurrent)
                        ShowEditor();
                    else
                        MoveCurrent(cell.X, cell.Y, true, true);
                } else {
                    if (shift.Contains(ssShift))
                        MoveAnchor(cell);
                    else
                        MoveCurrent(cell.X, cell.Y, true, true);
                    FGridState = gsSelecting;
                }
                Click();
            }
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomGrid::MouseMove(TShiftState shift, int x, int y) {
    switch (FGridState) {
    case gsSelecting: {
        const TGridCoord cell = MouseCoord(x, y);
        if (cell.X >= FFixedCols && cell.Y >= FFixedRows &&
            !(cell == (FOptions.Contains(goRangeSelect) ? FAnchor : FCurrent)))
            MoveAnchor(cell);
        break;
    }
    case gsColSizing:
    case gsRowSizing: {
        const int axis = FGridState == gsColSizing ? Horz : Vert;
        const int start = CellStart(axis, FSizingIndex);
        const int pos = std::clamp((axis == Horz ? x : y) + FSizingOffset, start, ClientExtent(axis));
        if (pos != FSizingPos) {
            if (FSizingLineShown) DrawSizingLine();
            FSizingPos = pos;
            DrawSizingLine();
        }
        break;
    }
    default: {
        TGridState sizing = gsNormal;
        int index = -1;
        const bool overEdge = SizingBoundaryAt(x, y, sizing, index);
        if (overEdge) {
            ::SetCursor(sizing == gsColSizing ? crHSplit : crVSplit);
            FSizingCursor = true;
        } else if (FSizingCursor) {
            ::SetCursor(Cursor());
            FSizingCursor = false;
        }
        break;
    }
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    switch (FGridState) {
    case gsSelecting:
        MouseMove(shift, x, y);
        FGridState = gsNormal;
        UpdateEdit();
        break;
    case gsColSizing:
    case gsRowSizing: {
        const TGridState state = FGridState;
        const int axis = state == gsColSizing ? Horz : Vert;
        const int size = FSizingPos - CellStart(axis, FSizingIndex);
        CancelSizing();
        if (state == gsColSizing)
            SetColWidths(FSizingIndex, size);
        else
            SetRowHeights(FSizingIndex, size);
        break;
    }
    default:
        break;
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomGrid::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_MOUSEWHEEL:
        MoveTopLeft(FTopLeft.X, FTopLeft.Y - TWMMouseWheel::From(message).Lines());
        return;
    case WM_CANCELMODE:
        CancelSizing();
        break;
    case WM_SETFOCUS:
        TCustomControl::Dispatch(message);
        InvalidateSelection(Selection());
        UpdateEdit();
        return;
    case WM_KILLFOCUS:
        TCustomControl::Dispatch(message);
        InvalidateSelection(Selection());
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}

// ---- 3. keyboard ------------------------------------------------------------------------------------------

bool TCustomGrid::WantsKey(uint16_t key) const {
    switch (key) {
    case VK_RETURN:
        return FOptions.Contains(goEditing);
    case VK_ESCAPE:
        return FInplaceEdit && FInplaceEdit->Visible();
    case VK_TAB:
        return FOptions.Contains(goTabs);
    default:
        return false;
    }
}

void TCustomGrid::KeyDown(uint16_t& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == 0) return;
    const uint16_t pressed = key;
    const bool ctrl = shift.Contains(ssCtrl);
    const bool rowSelect = FOptions.Contains(goRowSelect);
    const bool editing = FInplaceEdit && FInplaceEdit->Visible();
    TGridCoord target = FCurrent;
    TGridCoord topLeft = FTopLeft;
    const int page = std::max(VisibleRowCount(), 1);
    switch (key) {
    case VK_UP:
        --target.Y;
        break;
    case VK_DOWN:
        ++target.Y;
        break;
    case VK_LEFT:
        if (rowSelect)
            --topLeft.X;
        else
            --target.X;
        break;
    case VK_RIGHT:
        if (rowSelect)
            ++topLeft.X;
        else
            ++target.X;
        break;
    case VK_PRIOR:
        target.Y -= page;
        topLeft.Y -= page;
        break;
    case VK_NEXT:
        target.Y += page;
        topLeft.Y += page;
        break;
    case VK_HOME:
        if (ctrl || rowSelect)
            target.Y = FFixedRows;
        else
            target.X = FFixedCols;
        break;
    case VK_END:
        if (ctrl || rowSelect)
            target.Y = FRowCount - 1;
        else
            target.X = FColCount - 1;
        break;
    case VK_TAB:
        if (!FOptions.Contains(goTabs) || shift.Contains(ssAlt)) return;
        // The next (previous with Shift) cell, on to the next row at the end of one.
        if (shift.Contains(ssShift)) {
            if (--target.X < FFixedCols) {
                target.X = FColCount - 1;
                if (--target.Y < FFixedRows) target.Y = FRowCount - 1;
            }
        } else if (++target.X >= FColCount) {
            target.X = FFixedCols;
            if (++target.Y >= FRowCount) target.Y = FFixedRows;
        }
        break;
    case VK_F2:
        if (!FOptions.Contains(goEditing)) return;
        ShowEditor();
        if (FInplaceEdit && FInplaceEdit->Visible()) FInplaceEdit->Deselect();
        key = 0;
        return;
    case VK_RETURN:
        if (!FOptions.Contains(goEditing)) return;
        if (editing) {
            EndEdit(false);
        } else {
            ShowEditor();
            if (FInplaceEdit && FInplaceEdit->Visible()) FInplaceEdit->SelectAll();
        }
        key = 0;
        return;
    case VK_ESCAPE:
        if (!editing) return;
        EndEdit(true);
        key = 0;
        return;
    default:
        return;
    }
    key = 0;
    if (!(topLeft == FTopLeft)) MoveTopLeft(topLeft.X, topLeft.Y);
    target.X = std::clamp(target.X, FFixedCols, FColCount - 1);
    target.Y = std::clamp(target.Y, FFixedRows, FRowCount - 1);
    const bool extend = shift.Contains(ssShift) && pressed != VK_TAB && FOptions.Contains(goRangeSelect) &&
                        !FOptions.Contains(goEditing);
    if (!(target == FCurrent)) MoveCurrent(target.X, target.Y, !extend, true);
}

void TCustomGrid::KeyPress(char& key) {
    TCustomControl::KeyPress(key);
    if (key == 0) return;
    if (!FOptions.Contains(goEditing) || FOptions.Contains(goRowSelect)) return;
    if (static_cast<unsigned char>(key) < 32) return;
    TypeIntoEditor(key);
    key = 0;
}

// A character typed on the grid starts an edit of the current cell that replaces its text.
void TCustomGrid::TypeIntoEditor(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    if (value >= 0xC0 || value < 0x80) FTypedBytes.clear();
    FTypedBytes += byte;
    const auto lead = static_cast<unsigned char>(FTypedBytes[0]);
    const size_t needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (FTypedBytes.size() < needed) return;
    const std::string typed = std::move(FTypedBytes);
    FTypedBytes.clear();
    ShowEditor();
    if (!FInplaceEdit || !FInplaceEdit->Visible()) return;
    if (FInplaceEdit->CanFocus()) FInplaceEdit->SetFocus();
    FInplaceEdit->SelectAll();
    FInplaceEdit->SetSelText(typed);
    FInplaceEdit->SetModified(true);
}

// ---- 4. the in-place editor -------------------------------------------------------------------------------

std::string TCustomGrid::GetEditText(int, int) {
    return {};
}

void TCustomGrid::SetEditText(int, int, const std::string&) {
}

int TCustomGrid::GetEditLimit() {
    return 0;
}

TInplaceEdit* TCustomGrid::CreateEditor() {
    return new TInplaceEdit(this);
}

bool TCustomGrid::CanEditShow() const {
    // A hidden grid makes no editor: its cells may have no text to give yet.
    return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && FEditorMode && Visible() &&
           !ComponentState().Contains(csDesigning) && !ComponentState().Contains(csDestroying) &&
           HandleAllocated();
}

void TCustomGrid::SetEditorMode(bool value) {
    if (value)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid::ShowEditor() {
    FEditorMode = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor() {
    FEditorMode = false;
    HideEdit();
}

void TCustomGrid::InvalidateEditor() {
    FInplaceCell = {-1, -1};
    UpdateEdit();
}

// Loads the editor when it is not loaded for the current cell yet, and places it over that cell.
void TCustomGrid::UpdateEdit() {
    if (!CanEditShow()) return;
    if (!FInplaceEdit) {
        FInplaceEdit = CreateEditor();
        FInplaceEdit->SetGrid(this);
    }
    if (!(FInplaceCell == FCurrent)) {
        FInplaceCell = FCurrent;
        FInplaceEdit->UpdateContents();
        FEditStartText = FInplaceEdit->Text();
        // A freshly loaded text is selected, so typing replaces it.
        FInplaceEdit->SelectAll();
    }
    const TRect rect = CellRect(FCurrent.X, FCurrent.Y);
    if (rect.IsEmpty()) {
        // The cell is scrolled out of view: the editor waits, loaded, until it shows again.
        if (FInplaceEdit->Visible()) {
            const bool hadFocus = FInplaceEdit->Focused();
            FInplaceEdit->Hide();
            if (hadFocus && CanFocus()) SetFocus();
        }
        return;
    }
    FInplaceEdit->Move(rect);
    InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::HideEdit() {
    if (!FInplaceEdit) return;
    FInplaceCell = {-1, -1};
    if (!FInplaceEdit->Visible()) return;
    const bool hadFocus = FInplaceEdit->Focused();
    FInplaceEdit->Hide();
    if (hadFocus && CanFocus()) SetFocus();
    InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::UpdateText() {
    if (FInplaceEdit && FInplaceCell.X >= 0 && FInplaceCell.Y >= 0)
        SetEditText(FInplaceCell.X, FInplaceCell.Y, FInplaceEdit->Text());
}

// Enter ends the edit (the text is already handed back); Escape first restores the text the edit started
// with. With goAlwaysShowEditor the editor stays and selects its text.
void TCustomGrid::EndEdit(bool restore) {
    if (!FInplaceEdit) return;
    if (restore) {
        FInplaceEdit->SetText(FEditStartText);
        FInplaceEdit->SetModified(false);
    }
    if (FOptions.Contains(goAlwaysShowEditor))
        FInplaceEdit->SelectAll();
    else
        HideEditor();
}
