// TDrawGrid / TStringGrid over real input: scrolling, keyboard moves, mouse selection with a refusing
// selection test, column sizing by dragging, the in-place editor, and cell drawing checked by pixels.
#include "core/ClassRegistry.h"
#include "list_grid_support.h"

#include "ui/InputSimulator.h"
#include "widgets/DrawGrid.h"
#include "widgets/GridAndListControls.h"
#include "widgets/InplaceEdit.h"
#include "widgets/StringGrid.h"

#include <string>
#include <vector>

using list_grid_test::FormFixture;

namespace {

// A string grid that reports the grid's notices.
class TProbeGrid : public TStringGrid {
    FW_CLASS(TProbeGrid, TStringGrid)
public:
    using TStringGrid::TStringGrid;
    int colWidthNotices = 0;
    int topLeftNotices = 0;
    std::vector<TGridCoord> refused; // cells SelectCell refuses
    std::vector<TGridCoord> asked;
    using TCustomGrid::CellRect;

protected:
    void ColWidthsChanged() override {
        ++colWidthNotices;
        TStringGrid::ColWidthsChanged();
    }
    void TopLeftChanged() override {
        ++topLeftNotices;
        TStringGrid::TopLeftChanged();
    }
    bool SelectCell(int col, int row) override {
        asked.push_back({col, row});
        for (const TGridCoord& c : refused)
            if (c.X == col || (c.X < 0 && c.Y == row)) return false;
        return TStringGrid::SelectCell(col, row);
    }
};

// An editor like the property inspector's: a button area at the right, and a log of the two loads.
class TButtonEdit : public TInplaceEdit {
    FW_CLASS(TButtonEdit, TInplaceEdit)
public:
    using TInplaceEdit::TInplaceEdit;
    std::vector<std::string> log;

    void UpdateContents() override {
        log.push_back("contents");
        TInplaceEdit::UpdateContents();
    }

protected:
    void BoundsChanged() override {
        log.push_back("bounds");
        TInplaceEdit::BoundsChanged();
        TRect area = TextArea();
        area.Right -= 16;
        SetTextArea(area);
    }
};

class TButtonEditGrid : public TStringGrid {
    FW_CLASS(TButtonEditGrid, TStringGrid)
public:
    using TStringGrid::TStringGrid;

protected:
    TInplaceEdit* CreateEditor() override { return new TButtonEdit(this); }
};

struct Events {
    std::vector<std::string> set;
    int clicks = 0;
    int formKeys = 0;
    static TColor CellColor(int col, int row) { return RGB(40 * col, 20 * row, 100); }
    void DrawCell(TObject* sender, int col, int row, const TRect& rect, TGridDrawState) {
        TCanvas* canvas = static_cast<TDrawGrid*>(sender)->Canvas();
        canvas->Brush()->SetColor(CellColor(col, row));
        canvas->FillRect(rect);
    }
    void SetEditText(TObject*, int col, int row, const std::string& value) {
        set.push_back(std::to_string(col) + "," + std::to_string(row) + "=" + value);
    }
    void Click(TObject*) { ++clicks; }
    int textsAsked = 0;
    void GetEditText(TObject*, int col, int row, std::string& value) {
        ++textsAsked;
        value = "cell " + std::to_string(col) + "," + std::to_string(row);
    }
    void FormKeyDown(TObject*, uint16_t&, TShiftState) { ++formKeys; }
};

struct Grids : FormFixture {
    void SetUp() override {
        FormFixture::SetUp();
        grid = new TProbeGrid(form);
        grid->SetParent(form);
        grid->SetBounds(10, 10, 300, 200);
        grid->SetColCount(6);
        grid->SetRowCount(30);
        grid->SetDefaultColWidth(50);
        grid->SetDefaultRowHeight(20);
        Application->ProcessMessages();
    }
    void Focus() {
        grid->SetFocus();
        Application->ProcessMessages();
    }
    TPoint CellCenter(int col, int row) {
        const TRect r = grid->CellRect(col, row);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    TProbeGrid* grid = nullptr;
    Events events;
};

TEST_F(Grids, GeometryFollowsWidthsLinesAndScrolling) {
    // Rows of 20 + 1 line; 200 pixels less the horizontal scroll bar leave room for 8 whole rows.
    EXPECT_EQ(grid->CellRect(0, 0), (TRect{0, 0, 50, 20}));
    EXPECT_EQ(grid->CellRect(2, 3), (TRect{102, 63, 152, 83}));
    grid->SetColWidths(1, 80);
    EXPECT_EQ(grid->CellRect(2, 3), (TRect{132, 63, 182, 83}));
    const TRect client = grid->ClientRect();
    EXPECT_LT(client.Right, 300) << "the vertical scroll bar is outside the client area";
    EXPECT_EQ(grid->VisibleRowCount(), (client.Bottom - 21) / 21);
    struct Case {
        int x, y, col, row;
    } cases[] = {{0, 0, 0, 0},
                 {49, 19, 0, 0},
                 {50, 20, 0, 0},
                 {51, 21, 1, 1},
                 {131, 30, 1, 1},
                 {132, 30, 2, 1},
                 {-1, 5, -1, -1},
                 {client.Right, 5, -1, -1},
                 {5, client.Bottom, -1, -1}};
    for (const Case& c : cases) {
        int col = -2, row = -2;
        grid->MouseToCell(c.x, c.y, col, row);
        EXPECT_EQ(col, c.col) << c.x << "," << c.y;
        EXPECT_EQ(row, c.row) << c.x << "," << c.y;
    }
    grid->SetTopRow(10);
    EXPECT_EQ(grid->CellRect(2, 3), TRect()) << "scrolled out";
    EXPECT_EQ(grid->CellRect(2, 10).Top, 21) << "the first scrolled row follows the fixed row";
    EXPECT_EQ(grid->CellRect(0, 0).Top, 0) << "fixed rows stay";
}

TEST_F(Grids, ScrollingMovesTopRowAndTheScrollPosition) {
    int min = -1, max = -1;
    GetScrollRange(grid->Handle(), SB_VERT, min, max);
    const int visible = grid->VisibleRowCount();
    EXPECT_EQ(max, 30 - visible - 1) << "the last page starts at row 30 - visible";
    grid->SetTopRow(5);
    EXPECT_EQ(grid->TopRow(), 5);
    EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), 4);
    EXPECT_EQ(grid->topLeftNotices, 1);
    grid->SetTopRow(1000);
    EXPECT_EQ(grid->TopRow(), 30 - visible);
    grid->SetTopRow(0);
    EXPECT_EQ(grid->TopRow(), 1) << "never onto the fixed row";

    // The keyboard scrolls the current row into view.
    Focus();
    TInputSimulator::KeyPress(VK_NEXT);
    EXPECT_EQ(grid->Row(), 1 + visible);
    EXPECT_GE(grid->Row(), grid->TopRow());
    EXPECT_LT(grid->Row(), grid->TopRow() + visible);
    EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), grid->TopRow() - 1);
    TInputSimulator::KeyPress(VK_END, {ssCtrl});
    EXPECT_EQ(grid->Row(), 29);
    EXPECT_EQ(grid->TopRow(), 30 - visible);

    // Everything fits: no scroll range.
    grid->SetRowCount(3);
    GetScrollRange(grid->Handle(), SB_VERT, min, max);
    EXPECT_EQ(max, 0);
    EXPECT_EQ(grid->TopRow(), 1);
}

TEST_F(Grids, KeysMoveTheCurrentCell) {
    grid->SetOptions(grid->Options() + TGridOptions{goTabs});
    Focus();
    struct Step {
        uint16_t key;
        TShiftState shift;
        int col, row;
    } steps[] = {
        {VK_DOWN, {}, 1, 2},       {VK_DOWN, {}, 1, 3},       {VK_RIGHT, {}, 2, 3},      {VK_UP, {}, 2, 2},
        {VK_END, {}, 5, 2},        {VK_RIGHT, {}, 5, 2},      {VK_HOME, {}, 1, 2},       {VK_LEFT, {}, 1, 2},
        {VK_HOME, {ssCtrl}, 1, 1}, {VK_UP, {}, 1, 1},         {VK_TAB, {}, 2, 1},        {VK_END, {}, 5, 1},
        {VK_TAB, {}, 1, 2},        {VK_TAB, {ssShift}, 5, 1}, {VK_END, {ssCtrl}, 5, 29},
    };
    for (const Step& s : steps) {
        TInputSimulator::KeyPress(s.key, s.shift);
        EXPECT_EQ(grid->Col(), s.col) << "key " << s.key;
        EXPECT_EQ(grid->Row(), s.row) << "key " << s.key;
    }
}

TEST_F(Grids, MouseSelectsCellsUnlessTheSelectionTestRefuses) {
    grid->OnClick = TNotifyEvent::Bind<&Events::Click>(&events);
    grid->refused = {{3, -1}}; // column 3 can never be current
    TInputSimulator::Click(grid->Handle(), CellCenter(2, 4));
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 4);
    ASSERT_FALSE(grid->asked.empty());
    EXPECT_EQ(grid->asked.back(), (TGridCoord{2, 4}));
    TInputSimulator::Click(grid->Handle(), CellCenter(3, 5));
    EXPECT_EQ(grid->Col(), 2) << "refused";
    EXPECT_EQ(grid->Row(), 4);
    TInputSimulator::Click(grid->Handle(), CellCenter(0, 5));
    EXPECT_EQ(grid->Row(), 4) << "fixed cells are never current";
    Focus();
    TInputSimulator::KeyPress(VK_RIGHT);
    EXPECT_EQ(grid->Col(), 2) << "the keyboard asks too";
    EXPECT_EQ(events.clicks, 2);

    // Dragging over cells selects a range.
    TInputSimulator::Drag(grid->Handle(), CellCenter(1, 2), CellCenter(2, 4));
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 2, 4}));
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 2);
}

TEST_F(Grids, DraggingAColumnEdgeInTheFixedRowResizesIt) {
    grid->SetOptions(grid->Options() + TGridOptions{goColSizing});
    const int edge = grid->CellRect(2, 0).Right; // the right edge of column 2
    const int before = grid->colWidthNotices;
    TInputSimulator::Drag(grid->Handle(), {edge + 1, 10}, {edge + 31, 12});
    EXPECT_EQ(grid->ColWidths(2), 80);
    EXPECT_EQ(grid->colWidthNotices, before + 1);
    EXPECT_EQ(grid->GridState(), gsNormal);
    EXPECT_EQ(grid->CellRect(3, 1).Left, 51 * 2 + 81);
    // A drag over the edge below the fixed row selects cells instead.
    TInputSimulator::Drag(grid->Handle(), {grid->CellRect(2, 2).Right, 50},
                          {grid->CellRect(2, 2).Right + 30, 50});
    EXPECT_EQ(grid->ColWidths(2), 80);
    // A drag to the left never makes a column narrower than nothing.
    const int left = grid->CellRect(1, 0).Right;
    TInputSimulator::Drag(grid->Handle(), {left, 10}, {2, 10});
    EXPECT_EQ(grid->ColWidths(1), 0);
}

TEST_F(Grids, EditorEditsAndCommitsIntoTheCell) {
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    grid->OnSetEditText = TSetEditEvent::Bind<&Events::SetEditText>(&events);
    grid->SetCells(1, 1, "old");
    Focus();
    TInputSimulator::KeyPress(VK_RETURN);
    TInplaceEdit* editor = grid->InplaceEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(editor->Text(), "old");
    EXPECT_EQ(editor->BoundsRect(), grid->CellRect(1, 1));
    EXPECT_TRUE(editor->Focused());
    EXPECT_TRUE(events.set.empty()) << "loading the editor stores nothing";
    TInputSimulator::TypeText("new");
    EXPECT_EQ(grid->Cells(1, 1), "new") << "every change goes into the cell";
    EXPECT_EQ(events.set, (std::vector<std::string>{"1,1=n", "1,1=ne", "1,1=new"}));
    EXPECT_TRUE(editor->Modified());
    TInputSimulator::KeyPress(VK_RETURN);
    EXPECT_FALSE(editor->Visible()) << "Enter ends the edit";
    EXPECT_TRUE(grid->Focused());
    EXPECT_EQ(grid->Cells(1, 1), "new");

    // F2 edits with the caret at the end; Escape restores the text the edit started with.
    TInputSimulator::KeyPress(VK_F2);
    EXPECT_TRUE(editor->Visible());
    TInputSimulator::TypeText("er");
    EXPECT_EQ(grid->Cells(1, 1), "newer");
    TInputSimulator::KeyPress(VK_ESCAPE);
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(grid->Cells(1, 1), "new");

    // Typing on the grid starts an edit that replaces the text; Down ends it and moves on.
    TInputSimulator::TypeText("x");
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(grid->Cells(1, 1), "x");
    TInputSimulator::KeyPress(VK_DOWN);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(grid->Cells(1, 1), "x");

    // A character of several bytes starts an edit as a whole.
    TInputSimulator::TypeText("\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(grid->Cells(1, 2), "\xC3\xA9t\xC3\xA9");
    TInputSimulator::KeyPress(VK_ESCAPE);
    EXPECT_EQ(grid->Cells(1, 2), "");

    // Clicking the current cell edits it.
    TInputSimulator::Click(grid->Handle(), CellCenter(1, 2));
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(editor->BoundsRect(), grid->CellRect(1, 2));
}

TEST_F(Grids, AnAlwaysShownEditorFollowsTheCurrentCell) {
    grid->SetOptions(grid->Options() + TGridOptions{goEditing, goAlwaysShowEditor});
    for (int row = 1; row < 5; ++row)
        grid->SetCells(2, row, "r" + std::to_string(row));
    grid->SetCol(2);
    Focus();
    TInplaceEdit* editor = grid->InplaceEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(editor->Text(), "r1");
    TInputSimulator::KeyPress(VK_DOWN);
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(editor->Text(), "r2");
    EXPECT_EQ(editor->BoundsRect(), grid->CellRect(2, 2));
    TInputSimulator::TypeText("Z");
    EXPECT_EQ(grid->Cells(2, 2), "Z") << "the text of a new cell is selected, so typing replaces it";
    TInputSimulator::KeyPress(VK_END);
    TInputSimulator::TypeText("z");
    TInputSimulator::KeyPress(VK_RETURN);
    EXPECT_TRUE(editor->Visible()) << "Enter keeps an always-shown editor";
    EXPECT_EQ(grid->Cells(2, 2), "Zz");
    // Setting the current cell's text by code reloads the editor.
    grid->SetCells(2, 2, "by code");
    EXPECT_EQ(editor->Text(), "by code");
    grid->HideEditor();
    EXPECT_FALSE(editor->Visible());
    grid->ShowEditor();
    EXPECT_TRUE(editor->Visible());
    // Scrolling the current cell out of view hides the editor until it comes back.
    grid->SetTopRow(10);
    EXPECT_FALSE(editor->Visible());
    grid->SetTopRow(1);
    EXPECT_TRUE(editor->Visible());
}

TEST_F(Grids, AHiddenGridAsksForNoCellTextUntilItShows) {
    auto* hidden = new TDrawGrid(form);
    hidden->SetVisible(false);
    hidden->SetParent(form);
    hidden->OnGetEditText = TGetEditEvent::Bind<&Events::GetEditText>(&events);
    hidden->SetOptions(hidden->Options() + TGridOptions{goEditing, goAlwaysShowEditor});
    EXPECT_EQ(hidden->InplaceEditor(), nullptr);
    EXPECT_EQ(events.textsAsked, 0);
    hidden->Show();
    ASSERT_NE(hidden->InplaceEditor(), nullptr);
    EXPECT_TRUE(hidden->InplaceEditor()->Visible());
    EXPECT_EQ(hidden->InplaceEditor()->Text(), "cell 1,1");
    EXPECT_EQ(events.textsAsked, 1);
}

TEST_F(Grids, ADescendantEditorGetsItsLoadsAndLaysOutItsTextArea) {
    auto* custom = new TButtonEditGrid(form);
    custom->SetParent(form);
    custom->SetBounds(10, 10, 300, 200);
    custom->SetCells(1, 1, "a");
    custom->SetCells(1, 2, "b");
    custom->SetOptions(custom->Options() + TGridOptions{goEditing, goAlwaysShowEditor});
    auto* editor = dynamic_cast<TButtonEdit*>(custom->InplaceEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->log, (std::vector<std::string>{"contents", "bounds"}));
    EXPECT_EQ(editor->TextArea(), (TRect{2, 2, editor->Width() - 2 - 16, editor->Height()}));
    editor->log.clear();
    custom->SetRow(2);
    EXPECT_EQ(editor->log, (std::vector<std::string>{"contents", "bounds"}))
        << "every cell reloads and places it";
    EXPECT_EQ(editor->Text(), "b");
    editor->log.clear();
    custom->InvalidateEditor();
    EXPECT_EQ(editor->log, (std::vector<std::string>{"contents", "bounds"}));
}

TEST_F(Grids, OnDrawCellPaintsEveryCellWhenDefaultDrawingIsOff) {
    grid->SetDefaultDrawing(false);
    grid->OnDrawCell = TDrawCellEvent::Bind<&Events::DrawCell>(&events);
    for (auto [col, row] : {std::pair{0, 0}, {1, 1}, {2, 3}, {5, 7}, {0, 4}}) {
        const TPoint p = CellCenter(col, row);
        EXPECT_EQ(PixelAt(grid, p.X, p.Y), ColorToRGB(Events::CellColor(col, row))) << col << "," << row;
    }
    const TRect fixed = grid->CellRect(0, 0);
    EXPECT_EQ(PixelAt(grid, fixed.Left, fixed.Top), ColorToRGB(Events::CellColor(0, 0))) << "no raised edge";
    EXPECT_EQ(PixelAt(grid, 50, 30), ColorToRGB(clBlack)) << "the fixed column's line";
    EXPECT_EQ(PixelAt(grid, 101, 30), ColorToRGB(clSilver)) << "a line between scrolled cells";
}

TEST_F(Grids, DefaultDrawingFillsFixedAndSelectedCells) {
    grid->SetCells(3, 2, "x");
    TInputSimulator::Drag(grid->Handle(), CellCenter(1, 1), CellCenter(2, 2));
    const TRect fixed = grid->CellRect(2, 0);
    EXPECT_EQ(PixelAt(grid, fixed.Right - 10, fixed.Top + 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelAt(grid, fixed.Left, fixed.Top + 10), ColorToRGB(clBtnHighlight)) << "raised";
    const TRect selected = grid->CellRect(2, 2);
    EXPECT_EQ(PixelAt(grid, selected.Right - 5, selected.Top + 5), ColorToRGB(clHighlight));
    const TRect plain = grid->CellRect(3, 2);
    EXPECT_EQ(PixelAt(grid, plain.Right - 5, plain.Bottom - 3), ColorToRGB(clWindow));
}

TEST_F(Grids, KeysTheGridDoesNotUseStayWithIt) {
    form->OnKeyDown = TKeyEvent::Bind<&Events::FormKeyDown>(&events);
    Focus();
    TInputSimulator::KeyPress('Q');
    TInputSimulator::KeyPress(VK_DOWN);
    EXPECT_EQ(events.formKeys, 0) << "a key goes to the focused window only";
}

TEST_F(Grids, FixedCountsAndSizesAreChecked) {
    EXPECT_THROW(grid->SetFixedRows(30), EInvalidGridOperation);
    EXPECT_THROW(grid->ColWidths(6), EInvalidGridOperation);
    EXPECT_THROW(grid->Cells(0, 30), EInvalidGridOperation);
    grid->SetRow(20);
    grid->SetCells(5, 20, "far");
    grid->SetRowCount(10);
    EXPECT_EQ(grid->Row(), 9) << "the current cell stays inside";
    grid->SetRowCount(30);
    EXPECT_EQ(grid->Cells(5, 20), "") << "cells cut off are gone";
    grid->SetRowCount(1);
    EXPECT_EQ(grid->FixedRows(), 0) << "one row that is not fixed remains";
}

TEST_F(Grids, OptionsAndCustomSizesStreamWithTheForm) {
    grid->SetName("Grid1");
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    grid->SetColWidths(2, 99);
    const std::string text = list_grid_test::WriteAsText(form);
    EXPECT_NE(text.find("goEditing]"), std::string::npos) << text;
    EXPECT_NE(text.find("ColWidths = (\r\n      50\r\n      50\r\n      99"), std::string::npos) << text;
    EXPECT_EQ(text.find("RowHeights"), std::string::npos) << text;

    RegisterStreamableClasses();
    auto* copy = new TForm(nullptr);
    std::string renamed = text;
    renamed.replace(renamed.find("TProbeGrid"), 10, "TStringGrid");
    list_grid_test::ReadFromText(renamed, copy);
    auto* other = dynamic_cast<TStringGrid*>(copy->FindComponent("Grid1"));
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->ColWidths(2), 99);
    EXPECT_EQ(other->ColWidths(3), 50);
    EXPECT_EQ(other->RowCount(), 30);
    EXPECT_TRUE(other->Options().Contains(goEditing));
    delete copy;
}

} // namespace

FW_PUBLISH(TProbeGrid) {
}
FW_PUBLISH(TButtonEdit) {
}
FW_PUBLISH(TButtonEditGrid) {
}
