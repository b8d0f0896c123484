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

namespace {

// The grid's geometry as the cells' sizes define it, walked cell by cell: what the grid answers from
// its sizes by arithmetic must agree with it on every grid.
struct TWalkedAxis {
    int count, fixed, first, line, client;
    std::vector<int> extents;

    int64_t FixedEnd() const {
        int64_t pos = 0;
        for (int i = 0; i < fixed; ++i)
            pos += extents[i] + line;
        return pos;
    }
    int Start(int index) const {
        int64_t pos = 0;
        if (index < fixed) {
            for (int i = 0; i < index; ++i)
                pos += extents[i] + line;
        } else {
            if (index < first) return -1;
            pos = FixedEnd();
            for (int i = first; i < index; ++i)
                pos += extents[i] + line;
        }
        return pos < client ? int(pos) : -1;
    }
    int At(int pixel) const {
        if (pixel < 0 || pixel >= client) return -1;
        int64_t pos = 0;
        for (int i = 0; i < fixed; ++i)
            if (pixel < (pos += extents[i] + line)) return i;
        for (int i = first; i < count; ++i)
            if (pixel < (pos += extents[i] + line)) return i;
        return -1;
    }
    int FullyShown() const {
        int64_t pos = FixedEnd();
        int last = first - 1;
        for (int i = first; i < count && (pos += extents[i]) <= client; ++i, pos += line)
            last = i;
        return std::max(last - first + 1, 0);
    }
    int LargestFirst() const {
        int64_t pos = client + line;
        int result = count - 1;
        for (int i = count - 1; i >= fixed; --i) {
            if ((pos -= extents[i] + line) < FixedEnd()) break;
            result = i;
        }
        return std::max(result, fixed);
    }
};

TWalkedAxis Walked(const TStringGrid& grid, bool columns) {
    const TRect client = grid.ClientRect();
    const TGridOptions options = grid.Options();
    const bool lines = columns ? options.Contains(goFixedVertLine) || options.Contains(goVertLine)
                               : options.Contains(goFixedHorzLine) || options.Contains(goHorzLine);
    TWalkedAxis axis{
        columns ? grid.ColCount() : grid.RowCount(), columns ? grid.FixedCols() : grid.FixedRows(),
        columns ? grid.LeftCol() : grid.TopRow(),    lines ? grid.GridLineWidth() : 0,
        columns ? client.Width() : client.Height(),  {}};
    for (int i = 0; i < axis.count; ++i)
        axis.extents.push_back(columns ? grid.ColWidths(i) : grid.RowHeights(i));
    return axis;
}

} // namespace

TEST_F(Grids, GeometryAgreesWithWalkingTheCellsOnEveryGrid) {
    uint32_t random = 3;
    auto next = [&](int below) { return int((random = random * 1103515245u + 12345u) >> 16) % below; };
    for (int trial = 0; trial < 150; ++trial) {
        SCOPED_TRACE(trial);
        grid->SetColCount(1 + next(12));
        grid->SetRowCount(1 + next(12));
        grid->SetFixedCols(next(grid->ColCount()));
        grid->SetFixedRows(next(grid->RowCount()));
        grid->SetDefaultColWidth(next(4) == 0 ? 0 : next(60));
        grid->SetDefaultRowHeight(next(4) == 0 ? 0 : next(40));
        grid->SetGridLineWidth(next(3));
        for (int i = 0; i < grid->ColCount(); ++i)
            if (next(3) == 0) grid->SetColWidths(i, next(5) == 0 ? 0 : next(90));
        for (int i = 0; i < grid->RowCount(); ++i)
            if (next(3) == 0) grid->SetRowHeights(i, next(5) == 0 ? 0 : next(50));
        grid->SetTopRow(next(grid->RowCount()));
        grid->SetLeftCol(next(grid->ColCount()));

        const TWalkedAxis cols = Walked(*grid, true), rows = Walked(*grid, false);
        EXPECT_EQ(grid->VisibleColCount(), cols.FullyShown());
        EXPECT_EQ(grid->VisibleRowCount(), rows.FullyShown());
        for (int col = 0; col < cols.count; ++col)
            for (int row = 0; row < rows.count; ++row) {
                const int x = cols.Start(col), y = rows.Start(row);
                const TRect expected = x < 0 || y < 0
                                           ? TRect()
                                           : TRect(x, y, std::min(x + cols.extents[col], cols.client),
                                                   std::min(y + rows.extents[row], rows.client));
                EXPECT_EQ(grid->CellRect(col, row), expected) << col << "," << row;
            }
        for (int x = -1; x <= cols.client; x += 3)
            for (int y = -1; y <= rows.client; y += 5) {
                const TGridCoord cell = grid->MouseCoord(x, y);
                const int col = cols.At(x), row = rows.At(y);
                const TGridCoord expected = col < 0 || row < 0 ? TGridCoord{-1, -1} : TGridCoord{col, row};
                EXPECT_TRUE(cell == expected) << x << "," << y;
            }
        // Scrolling past the end stops where the last cell ends at the client's edge.
        grid->SetTopRow(grid->RowCount());
        grid->SetLeftCol(grid->ColCount());
        EXPECT_EQ(grid->TopRow(), Walked(*grid, false).LargestFirst());
        EXPECT_EQ(grid->LeftCol(), Walked(*grid, true).LargestFirst());
    }
}

TEST_F(Grids, AGridOfHalfABillionRowsScrollsToItsEndAndStoresOnlyTheSizesItHas) {
    grid->SetName("Grid1");
    grid->SetRowCount(500000000);
    grid->SetRowHeights(3, 40);
    grid->SetRowHeights(499999998, 50);
    grid->SetTopRow(grid->RowCount());
    // Below the fixed row the last rows fill the client to its bottom edge: the last one 20 + 1 pixels,
    // the one before 50 + 1, then as many of 20 + 1 as fit.
    const int room = grid->ClientRect().Height() + 1 - 21;
    EXPECT_EQ(grid->TopRow(), 500000000 - 2 - (room - 21 - 51) / 21);
    const TRect last = grid->CellRect(0, 499999999);
    EXPECT_EQ(last.Height(), 20);
    EXPECT_EQ(grid->CellRect(0, 499999998).Height(), 50);
    EXPECT_EQ(grid->MouseCoord(5, last.Top + 2).Y, 499999999);
    EXPECT_GT(PixelAt(grid, 5, 5), -1); // it paints

    const std::string text = list_grid_test::WriteAsText(form);
    const size_t list = text.find("RowHeights = (");
    ASSERT_NE(list, std::string::npos);
    EXPECT_LT(text.size() - list, 12u * 1048576) << "no more than the millionth size is stored";
    EXPECT_EQ(text.find("ColWidths"), std::string::npos);
}
