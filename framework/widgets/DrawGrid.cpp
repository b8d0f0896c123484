#include "widgets/DrawGrid.h"
#include "graphics/Font.h"

FW_PUBLISH(TDrawGrid) {
    p.Property("Align", &TDrawGrid::Align, &TDrawGrid::SetAlign).Default(alNone);
    p.Property("Color", &TDrawGrid::Color, &TDrawGrid::SetColor).Default(clWindow);
    p.Property("ColCount", &TDrawGrid::ColCount, &TDrawGrid::SetColCount).Default(5);
    p.Property("DefaultColWidth", &TDrawGrid::DefaultColWidth, &TDrawGrid::SetDefaultColWidth).Default(64);
    p.Property("DefaultDrawing", &TDrawGrid::DefaultDrawing, &TDrawGrid::SetDefaultDrawing).Default(true);
    p.Property("DefaultRowHeight", &TDrawGrid::DefaultRowHeight, &TDrawGrid::SetDefaultRowHeight).Default(24);
    p.Property("DragMode", &TDrawGrid::DragMode, &TDrawGrid::SetDragMode).Default(dmManual);
    p.Property("Enabled", &TDrawGrid::Enabled, &TDrawGrid::SetEnabled).Default(true);
    p.Property("FixedColor", &TDrawGrid::FixedColor, &TDrawGrid::SetFixedColor).Default(clBtnFace);
    p.Property("FixedCols", &TDrawGrid::FixedCols, &TDrawGrid::SetFixedCols).Default(1);
    p.Property("RowCount", &TDrawGrid::RowCount, &TDrawGrid::SetRowCount).Default(5);
    p.Property("FixedRows", &TDrawGrid::FixedRows, &TDrawGrid::SetFixedRows).Default(1);
    p.Property("Font", &TDrawGrid::Font, &TDrawGrid::SetFont);
    p.Property("GridLineWidth", &TDrawGrid::GridLineWidth, &TDrawGrid::SetGridLineWidth).Default(1);
    p.Property("Options", &TDrawGrid::Options, &TDrawGrid::SetOptions).Default(DefaultGridOptions);
    p.Property("ParentColor", &TDrawGrid::ParentColor, &TDrawGrid::SetParentColor).Default(false);
    p.Property("ParentFont", &TDrawGrid::ParentFont, &TDrawGrid::SetParentFont).Default(true);
    p.Property("ScrollBars", &TDrawGrid::ScrollBars, &TDrawGrid::SetScrollBars).Default(ssBoth);
    p.Property("ShowHint", &TDrawGrid::ShowHint, &TDrawGrid::SetShowHint).Default(false);
    p.Property(
        "TabOrder", [](TDrawGrid* g) { return TTabOrder(g->TabOrder()); },
        [](TDrawGrid* g, TTabOrder order) { g->SetTabOrder(order); });
    p.Property("TabStop", &TDrawGrid::TabStop, &TDrawGrid::SetTabStop).Default(true);
    p.Property("Visible", &TDrawGrid::Visible, &TDrawGrid::SetVisible).Default(true);
    p.Event("OnClick", &TDrawGrid::OnClick);
    p.Event("OnDblClick", &TDrawGrid::OnDblClick);
    p.Event("OnDragDrop", &TDrawGrid::OnDragDrop);
    p.Event("OnDragOver", &TDrawGrid::OnDragOver);
    p.Event("OnDrawCell", &TDrawGrid::OnDrawCell);
    p.Event("OnEndDrag", &TDrawGrid::OnEndDrag);
    p.Event("OnEnter", &TDrawGrid::OnEnter);
    p.Event("OnExit", &TDrawGrid::OnExit);
    p.Event("OnGetEditText", &TDrawGrid::OnGetEditText);
    p.Event("OnKeyDown", &TDrawGrid::OnKeyDown);
    p.Event("OnKeyPress", &TDrawGrid::OnKeyPress);
    p.Event("OnKeyUp", &TDrawGrid::OnKeyUp);
    p.Event("OnMouseDown", &TDrawGrid::OnMouseDown);
    p.Event("OnMouseMove", &TDrawGrid::OnMouseMove);
    p.Event("OnMouseUp", &TDrawGrid::OnMouseUp);
    p.Event("OnSelectCell", &TDrawGrid::OnSelectCell);
    p.Event("OnSetEditText", &TDrawGrid::OnSetEditText);
    p.Event("OnTopLeftChanged", &TDrawGrid::OnTopLeftChanged);
}

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
