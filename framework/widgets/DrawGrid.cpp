#include "widgets/DrawGrid.h"
#include "core/ClassRegistry.h"

#include "graphics/Font.h"
#include "widgets/StandardProperties.h"

FW_PUBLISH(TDrawGrid) {
    PublishAlign(p);
    PublishColor(p, clWindow);
    p.Property("ColCount", &TDrawGrid::ColCount, &TDrawGrid::SetColCount).Default(5);
    p.Property("DefaultColWidth", &TDrawGrid::DefaultColWidth, &TDrawGrid::SetDefaultColWidth).Default(64);
    p.Property("DefaultDrawing", &TDrawGrid::DefaultDrawing, &TDrawGrid::SetDefaultDrawing).Default(true);
    p.Property("DefaultRowHeight", &TDrawGrid::DefaultRowHeight, &TDrawGrid::SetDefaultRowHeight).Default(24);
    PublishDragMode(p);
    PublishEnabled(p);
    p.Property("FixedColor", &TDrawGrid::FixedColor, &TDrawGrid::SetFixedColor).Default(clBtnFace);
    p.Property("FixedCols", &TDrawGrid::FixedCols, &TDrawGrid::SetFixedCols).Default(1);
    p.Property("RowCount", &TDrawGrid::RowCount, &TDrawGrid::SetRowCount).Default(5);
    p.Property("FixedRows", &TDrawGrid::FixedRows, &TDrawGrid::SetFixedRows).Default(1);
    PublishFont(p);
    p.Property("GridLineWidth", &TDrawGrid::GridLineWidth, &TDrawGrid::SetGridLineWidth).Default(1);
    p.Property("Options", &TDrawGrid::Options, &TDrawGrid::SetOptions).Default(DefaultGridOptions);
    PublishParentColor(p, false);
    PublishParentFont(p);
    p.Property("ScrollBars", &TDrawGrid::ScrollBars, &TDrawGrid::SetScrollBars).Default(ssBoth);
    PublishShowHint(p);
    PublishTabOrderAndStop(p, true);
    PublishVisible(p);
    p.Event("OnClick", &TDrawGrid::OnClick);
    p.Event("OnDblClick", &TDrawGrid::OnDblClick);
    PublishDragEvents(p);
    p.Event("OnDrawCell", &TDrawGrid::OnDrawCell);
    PublishFocusEvents(p);
    p.Event("OnGetEditText", &TDrawGrid::OnGetEditText);
    PublishKeyEvents(p);
    PublishMouseEvents(p);
    p.Event("OnSelectCell", &TDrawGrid::OnSelectCell);
    p.Event("OnSetEditText", &TDrawGrid::OnSetEditText);
    p.Event("OnTopLeftChanged", &TDrawGrid::OnTopLeftChanged);
}
FW_STREAMABLE(TDrawGrid);

TDrawGrid::TDrawGrid(TComponent* owner) : TCustomGrid(owner) {
}

void TDrawGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
}

bool TDrawGrid::SelectCell(int col, int row) {
    bool canSelect = true;
    if (OnSelectCell) OnSelectCell(this, col, row, canSelect);
    return canSelect;
}

std::string TDrawGrid::GetEditText(int col, int row) {
    std::string value;
    if (OnGetEditText) OnGetEditText(this, col, row, value);
    return value;
}

void TDrawGrid::SetEditText(int col, int row, const std::string& value) {
    if (OnSetEditText) OnSetEditText(this, col, row, value);
}

void TDrawGrid::TopLeftChanged() {
    TCustomGrid::TopLeftChanged();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}
