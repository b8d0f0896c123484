#include "inspector_support.h"

#include "Formwright.h"

#include "../make_control.h"
#include "ui/InputSimulator.h"
#include "ui/Windows.h"
#include "widgets/Button.h"
#include "widgets/Edit.h"
#include "widgets/Panel.h"
#include "widgets/Shape.h"

void Inspecting::SetUp() {
    Inspector = new TObjectInspector(nullptr);
    Inspector->Show();
    Grid = Inspector->PropGrid();
    Form = new TForm(nullptr);
    Form->SetName("Form1");
    Form->SetBounds(10, 10, 300, 200);
    Button1 = Make<TButton>(Form, "Button1", Form, 8, 8, 75, 25);
    Edit1 = Make<TEdit>(Form, "Edit1", Form, 8, 40, 121, 21);
    Panel1 = Make<TPanel>(Form, "Panel1", Form, 140, 8, 100, 60);
    Shape1 = Make<TShape>(Form, "Shape1", Form, 8, 80, 65, 65);
    Form->Show();
}

void Inspecting::TearDown() {
    delete Inspector;
    delete Form;
}

void Inspecting::Inspect(TPersistent* instance) {
    Inspector->InspectObject(instance);
    FlushPaintMessages();
}

int Inspecting::RowIndex(TPropGrid* grid, const std::string& name) {
    for (int i = 0; i < grid->VisibleRows().Count(); ++i)
        if (grid->VisibleRow(i)->Name() == name) return i;
    return -1;
}

TPropObject* Inspecting::RowNamed(TPropGrid* grid, const std::string& name) {
    return grid->VisibleRow(RowIndex(grid, name));
}

TPoint Inspecting::CellCenter(TPropGrid* grid, int col, int row) {
    const TRect r = grid->CellRect(col, row);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

std::vector<std::string> Inspecting::VisibleNames(TPropGrid* grid) {
    std::vector<std::string> names;
    for (int i = 0; i < grid->VisibleRows().Count(); ++i)
        names.push_back(grid->VisibleRow(i)->Name());
    return names;
}

void Inspecting::SelectRow(TPropGrid* grid, const std::string& name) {
    const int index = RowIndex(grid, name);
    ASSERT_GE(index, 0) << "no row " << name;
    // Scroll it into view, then click its name (right of the glyph), as a person would.
    if (index < grid->TopRow() || index >= grid->TopRow() + grid->VisibleRowCount()) grid->SetTopRow(index);
    const TRect cell = grid->CellRect(0, index);
    TInputSimulator::Click(grid->Handle(), {cell.Right - 10, (cell.Top + cell.Bottom) / 2});
    FlushPaintMessages();
}

void DesignedInspectorTest::SetUp() {
    Inspecting::SetUp();
    delete Inspector;
    Inspector = TObjectInspector::CreateWithDesigner(TFormwright::StaticClass());
    Inspector->Show();
    Grid = Inspector->PropGrid();
    Designer = static_cast<TFormwright*>(Inspector->OwnedDesigner());
    Designer->SetRoot(Form);
    FlushPaintMessages();
}

void DesignedInspectorTest::TearDown() {
    if (Designer) Designer->SetRoot(nullptr);
    Inspecting::TearDown();
}

void DesignedInspectorTest::TypeIntoRow(const std::string& row, const std::string& text) {
    SelectRow(Grid, row);
    TInputSimulator::KeyPress('A', {ssCtrl}, Grid->PropEditor()->Handle());
    TInputSimulator::TypeText(text, Grid->PropEditor()->Handle());
    TInputSimulator::KeyPress(VK_RETURN, {}, Grid->PropEditor()->Handle());
}
