// TStringGrid: a grid that keeps a text and an object for every cell, draws the texts and lets the user
// edit them (with goEditing) in the in-place editor. Each edit of the editor's text is stored in the cell
// at once; setting the current cell's text from code reloads an open editor.
#pragma once

#include "widgets/DrawGrid.h"

#include <map>
#include <string>
#include <utility>

#pragma GCC visibility push(default)

class TStringGrid : public TDrawGrid {
    FW_CLASS(TStringGrid, TDrawGrid)
public:
    explicit TStringGrid(TComponent* owner);

    // Cells outside the grid fail with EInvalidGridOperation "Grid index out of range".
    std::string Cells(int col, int row) const;
    void SetCells(int col, int row, const std::string& text);
    TObject* Objects(int col, int row) const;
    void SetObjects(int col, int row, TObject* object);

protected:
    // With DefaultDrawing, the cell's text at 2 pixels from the cell's top-left corner; then OnDrawCell.
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
    // The cell's text, unless OnGetEditText supplies another.
    std::string GetEditText(int col, int row) override;
    // Stores the text in the cell, then OnSetEditText.
    void SetEditText(int col, int row, const std::string& value) override;
    void SizeChanged(int oldColCount, int oldRowCount) override;

private:
    struct TCell {
        std::string Text;
        TObject* Object = nullptr;
    };
    void CheckCell(int col, int row) const;
    std::map<std::pair<int, int>, TCell> FCells; // (row, col) -> cell; cells never set are absent
    bool FStoringEdit = false;
};

#pragma GCC visibility pop
