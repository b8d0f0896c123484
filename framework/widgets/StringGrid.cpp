#include "widgets/StringGrid.h"
#include "core/ClassRegistry.h"
#include "core/ScopeGuard.h"

#include "graphics/Canvas.h"
#include "widgets/InplaceEdit.h"

FW_PUBLISH(TStringGrid) {
}
FW_STREAMABLE(TStringGrid);

TStringGrid::TStringGrid(TComponent* owner) : TDrawGrid(owner) {
}

void TStringGrid::CheckCell(int col, int row) const {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
        throw EInvalidGridOperation("Grid index out of range");
}

std::string TStringGrid::Cells(int col, int row) const {
    CheckCell(col, row);
    auto it = FCells.find({row, col});
    return it == FCells.end() ? std::string() : it->second.Text;
}

void TStringGrid::SetCells(int col, int row, const std::string& text) {
    CheckCell(col, row);
    FCells[{row, col}].Text = text;
    InvalidateCell(col, row);
    // An open editor on this cell shows the new text, unless the text came from that editor.
    if (!FStoringEdit && col == Col() && row == Row() && InplaceEditor() && InplaceEditor()->Visible())
        InvalidateEditor();
}

TObject* TStringGrid::Objects(int col, int row) const {
    CheckCell(col, row);
    auto it = FCells.find({row, col});
    return it == FCells.end() ? nullptr : it->second.Object;
}

void TStringGrid::SetObjects(int col, int row, TObject* object) {
    CheckCell(col, row);
    FCells[{row, col}].Object = object;
}

void TStringGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    if (DefaultDrawing()) Canvas()->TextRect(rect, rect.Left + 2, rect.Top + 2, Cells(col, row));
    TDrawGrid::DrawCell(col, row, rect, state);
}

std::string TStringGrid::GetEditText(int col, int row) {
    std::string value = Cells(col, row);
    if (OnGetEditText) OnGetEditText(this, col, row, value);
    return value;
}

void TStringGrid::SetEditText(int col, int row, const std::string& value) {
    {
        FStoringEdit = true;
        const auto endStoring = ScopeGuard([this] { FStoringEdit = false; });
        SetCells(col, row, value);
    }
    TDrawGrid::SetEditText(col, row, value);
}

void TStringGrid::SizeChanged(int oldColCount, int oldRowCount) {
    // Cells that fell outside the grid are forgotten, so growing it again shows them empty.
    std::erase_if(FCells, [this](const auto& entry) {
        return entry.first.first >= RowCount() || entry.first.second >= ColCount();
    });
    TDrawGrid::SizeChanged(oldColCount, oldRowCount);
}
