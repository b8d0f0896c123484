#include "inspector_support.h"

#include "Formwright.h"

#include "ui/InputSimulator.h"
#include "ui/Windows.h"
#include "widgets/Button.h"
#include "widgets/Edit.h"
#include "widgets/Panel.h"
#include "widgets/Shape.h"

void InspectorTest::SetUp() {
    Inspector = new TObjectInspector(nullptr);
    Inspector->Show();
    Grid = Inspector->PropGrid();
    Form = new TForm(nullptr);
    Form->SetName("Form1");
    Form->SetBounds(10, 10, 300, 200);
    Button1 = new TButton(Form);
    Button1->SetName("Button1");
    Button1->SetParent(Form);
    Button1->SetBounds(8, 8, 75, 25);
    Edit1 = new TEdit(Form);
    Edit1->SetName("Edit1");
    Edit1->SetParent(Form);
    Edit1->SetBounds(8, 40, 121, 21);
    Panel1 = new TPanel(Form);
    Panel1->SetName("Panel1");
    Panel1->SetParent(Form);
    Panel1->SetBounds(140, 8, 100, 60);
    Shape1 = new TShape(Form);
    Shape1->SetName("Shape1");
    Shape1->SetParent(Form);
    Shape1->SetBounds(8, 80, 65, 65);
    Form->Show();
}

void InspectorTest::TearDown() {
    delete Inspector;
    delete Form;
}

void InspectorTest::Inspect(TPersistent* instance) {
    Inspector->InspectObject(instance);
    FlushPaintMessages();
}

int InspectorTest::RowIndex(TPropGrid* grid, const std::string& name) {
    for (int i = 0; i < grid->VisibleRows().Count(); ++i)
        if (grid->VisibleRow(i)->Name() == name) return i;
    return -1;
}

TPropObject* InspectorTest::RowNamed(TPropGrid* grid, const std::string& name) {
    return grid->VisibleRow(RowIndex(grid, name));
}

TPoint InspectorTest::CellCenter(TPropGrid* grid, int col, int row) {
    const TRect r = grid->CellRect(col, row);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

std::vector<std::string> InspectorTest::VisibleNames(TPropGrid* grid) {
    std::vector<std::string> names;
    for (int i = 0; i < grid->VisibleRows().Count(); ++i)
        names.push_back(grid->VisibleRow(i)->Name());
    return names;
}

void InspectorTest::SelectRow(TPropGrid* grid, const std::string& name) {
    const int index = RowIndex(grid, name);
    ASSERT_GE(index, 0) << "no row " << name;
    // Scroll it into view, then click its name (right of the glyph), as a person would.
    if (index < grid->TopRow() || index >= grid->TopRow() + grid->VisibleRowCount()) grid->SetTopRow(index);
    const TRect cell = grid->CellRect(0, index);
    TInputSimulator::Click(grid->Handle(), {cell.Right - 10, (cell.Top + cell.Bottom) / 2});
    FlushPaintMessages();
}

void DesignedInspectorTest::SetUp() {
    InspectorTest::SetUp();
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
    InspectorTest::TearDown();
}

void DesignedInspectorTest::TypeIntoRow(const std::string& row, const std::string& text) {
    SelectRow(Grid, row);
    TInputSimulator::KeyPress('A', {ssCtrl}, Grid->PropEditor()->Handle());
    TInputSimulator::TypeText(text, Grid->PropEditor()->Handle());
    TInputSimulator::KeyPress(VK_RETURN, {}, Grid->PropEditor()->Handle());
}
