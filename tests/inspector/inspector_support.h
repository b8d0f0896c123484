// Shared fixtures of the inspector tests: a real Object Inspector (with the interface's default designer)
// and a real form with a few standard controls to inspect, plus helpers to find rows and cells.
#pragma once

#include "ObjInsp.h"
#include "ui/Form.h"

#include <gtest/gtest.h>

#include <string>

class TButton;
class TEdit;
class TFormwright;
class TPanel;
class TShape;

// The inspector is shown; the form ("Form1") holds Button1, Edit1, Panel1 and Shape1 and is shown too.
class Inspecting : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Inspects one object through the inspector interface, as the designer does.
    void Inspect(TPersistent* instance);

    // The displayed row index of the row with that name (the first one from the top), or -1.
    static int RowIndex(TPropGrid* grid, const std::string& name);
    static TPropObject* RowNamed(TPropGrid* grid, const std::string& name);
    // The middle of a cell, in the grid's client coordinates.
    static TPoint CellCenter(TPropGrid* grid, int col, int row);
    // The names of the displayed rows, in order.
    static std::vector<std::string> VisibleNames(TPropGrid* grid);
    // Clicks the value cell of the named row so that it becomes current (its editor loaded).
    void SelectRow(TPropGrid* grid, const std::string& name);

    TObjectInspector* Inspector = nullptr;
    TPropGrid* Grid = nullptr;
    TForm* Form = nullptr;
    TButton* Button1 = nullptr;
    TEdit* Edit1 = nullptr;
    TPanel* Panel1 = nullptr;
    TShape* Shape1 = nullptr;
};

// The same with the runtime designer (the inspector's own) designing the form.
class DesignedInspectorTest : public Inspecting {
protected:
    void SetUp() override;
    void TearDown() override;

    // Commits text into the named row by typing it and pressing Enter.
    void TypeIntoRow(const std::string& row, const std::string& text);

    TFormwright* Designer = nullptr;
};
