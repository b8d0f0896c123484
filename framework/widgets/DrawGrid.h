// TDrawGrid: a grid whose cells the application paints (OnDrawCell) and whose cell texts it supplies
// and stores itself (OnGetEditText, OnSetEditText). OnSelectCell can refuse a cell as the current cell.
#pragma once

#include "widgets/CustomGrid.h"

#include <string>

#pragma GCC visibility push(default)

// `Rect` is the whole cell in client coordinates; draw on the grid's Canvas().
FW_EVENT_TYPE(TDrawCellEvent,
              void(TObject* Sender, int ACol, int ARow, const TRect& Rect, TGridDrawState State));
FW_EVENT_TYPE(TSelectCellEvent, void(TObject* Sender, int ACol, int ARow, bool& CanSelect));
FW_EVENT_TYPE(TGetEditEvent, void(TObject* Sender, int ACol, int ARow, std::string& Value));
FW_EVENT_TYPE(TSetEditEvent, void(TObject* Sender, int ACol, int ARow, const std::string& Value));

class TDrawGrid : public TCustomGrid {
    FW_CLASS(TDrawGrid, TCustomGrid)
public:
    explicit TDrawGrid(TComponent* owner);

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;
    TNotifyEvent OnTopLeftChanged;

protected:
    // OnDrawCell, when assigned.
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
    // True unless OnSelectCell says otherwise.
    bool SelectCell(int col, int row) override;
    // Empty unless OnGetEditText supplies it.
    std::string GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const std::string& value) override;
    void TopLeftChanged() override;
};

#pragma GCC visibility pop
