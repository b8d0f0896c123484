// The property grid on a real inspector and a real form: rows, expanding, the splitter, check boxes and
// refreshing, driven by real mouse and key input.
#include "inspector_support.h"

#include "core/SysUtils.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "ui/InputSimulator.h"
#include "ui/Windows.h"
#include "widgets/Button.h"
#include "widgets/Edit.h"
#include "widgets/PageControl.h"
#include "widgets/Shape.h"

#include <algorithm>

namespace {

// Whether any pixel of the rectangle (grid client coordinates) has the colour.
bool AnyPixel(TPropGrid* grid, const TRect& r, TColor color) {
    TBitmap shot;
    GrabWindow(grid->Handle(), shot);
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (ColorToRGB(shot.Canvas()->Pixels(x, y)) == ColorToRGB(color)) return true;
    return false;
}

int CountPixels(TPropGrid* grid, const TRect& r, TColor color) {
    TBitmap shot;
    GrabWindow(grid->Handle(), shot);
    int count = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (ColorToRGB(shot.Canvas()->Pixels(x, y)) == ColorToRGB(color)) ++count;
    return count;
}

// The 9 x 9 glyph of a row: indent + 2 from the cell's left, vertically centred.
TRect GlyphRect(TPropGrid* grid, int row) {
    const TRect cell = grid->CellRect(0, row);
    const int top = (cell.Top + cell.Bottom - 9) / 2;
    return TRect::FromBounds(cell.Left + grid->VisibleRow(row)->Indent() + 2, top, 9, 9);
}

} // namespace

TEST_F(Inspecting, InspectingShowsTheTopLevelRowsInNameOrder) {
    Inspect(Button1);
    ASSERT_TRUE(Grid->Visible());
    const auto names = VisibleNames(Grid);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return CompareText(a, b) < 0;
    }));
    EXPECT_NE(RowIndex(Grid, "Font"), -1);
    EXPECT_EQ(RowIndex(Grid, "Style"), -1) << "sub-properties start hidden";
    EXPECT_EQ(Grid->RowCount(), static_cast<int>(names.size()));
    EXPECT_EQ(Grid->ColWidths(0), 98);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 0);
    // The events grid has its rows, but its page is not the active one, so it stays hidden.
    EXPECT_GT(Inspector->MethodGrid()->VisibleRows().Count(), 0);
    EXPECT_FALSE(Inspector->MethodGrid()->Visible());
}

TEST_F(Inspecting, ClickingThePlusGlyphExpandsAndCollapsesFont) {
    Inspect(Button1);
    const int font = RowIndex(Grid, "Font");
    ASSERT_GE(font, 0);
    TPropObject* fontRow = Grid->VisibleRow(font);
    ASSERT_TRUE(fontRow->HasChildren());
    // The collapsed glyph is a plus: black pixels in its middle column above the bar.
    const TRect glyph = GlyphRect(Grid, font);
    EXPECT_TRUE(AnyPixel(Grid, {glyph.Left + 4, glyph.Top + 2, glyph.Left + 5, glyph.Top + 3}, clBlack));

    TInputSimulator::Click(Grid->Handle(), {glyph.Left + 4, glyph.Top + 4});
    FlushPaintMessages();
    EXPECT_TRUE(fontRow->Expanded());
    const int children = fontRow->Children().Count();
    EXPECT_EQ(Grid->RowCount(), Grid->VisibleRows().Count());
    for (int i = 1; i <= children; ++i) {
        EXPECT_EQ(Grid->VisibleRow(font + i), fontRow->Children().Items(i - 1));
        EXPECT_EQ(Grid->VisibleRow(font + i)->Indent(), 8);
    }
    // Expanded: a minus, nothing above the bar (the rows may have scrolled to show the last child).
    const TRect minus = GlyphRect(Grid, font);
    EXPECT_FALSE(AnyPixel(Grid, {minus.Left + 4, minus.Top + 2, minus.Left + 5, minus.Top + 3}, clBlack));
    EXPECT_TRUE(AnyPixel(Grid, {minus.Left + 2, minus.Top + 4, minus.Left + 7, minus.Top + 5}, clBlack));
    // The press on the glyph made the row current too.
    EXPECT_EQ(Grid->Row(), font);

    // Anywhere left of indent + 11 toggles as well.
    TInputSimulator::Click(Grid->Handle(), {10, CellCenter(Grid, 0, font).Y});
    EXPECT_FALSE(fontRow->Expanded());
    EXPECT_EQ(Grid->VisibleRow(font + 1)->Indent(), 0);
}

TEST_F(Inspecting, ClickingLeftOnARowWithoutChildrenChangesNothing) {
    Inspect(Button1);
    const int count = Grid->VisibleRows().Count();
    const int cancel = RowIndex(Grid, "Cancel");
    TInputSimulator::Click(Grid->Handle(), {4, CellCenter(Grid, 0, cancel).Y});
    EXPECT_EQ(Grid->VisibleRows().Count(), count);
    EXPECT_FALSE(Grid->VisibleRow(cancel)->Expanded());
}

TEST_F(Inspecting, CollapsedGrandchildrenComeBackUnderTheirParent) {
    Inspect(Button1);
    TPropObject* font = RowNamed(Grid, "Font");
    Grid->SetExpanded(font, true);
    TPropObject* style = RowNamed(Grid, "Style");
    ASSERT_NE(style, nullptr);
    ASSERT_TRUE(style->HasChildren()) << "a set expands into its elements";
    Grid->SetExpanded(style, true);
    const auto expanded = VisibleNames(Grid);
    EXPECT_NE(RowIndex(Grid, "fsBold"), -1);
    EXPECT_EQ(RowNamed(Grid, "fsBold")->Indent(), 16);

    Grid->SetExpanded(font, false);
    EXPECT_EQ(RowIndex(Grid, "fsBold"), -1);
    EXPECT_EQ(RowIndex(Grid, "Style"), -1);
    EXPECT_TRUE(style->Expanded());

    Grid->SetExpanded(font, true);
    EXPECT_EQ(VisibleNames(Grid), expanded);
    EXPECT_EQ(RowIndex(Grid, "fsBold"), RowIndex(Grid, "Style") + 1);
}

TEST_F(Inspecting, ExpandingNearTheBottomScrollsTheLastNewRowIntoView) {
    Inspect(Button1);
    const int font = RowIndex(Grid, "Font");
    // A short window, with Font on the last line of the view.
    Inspector->SetHeight(Inspector->Height() - 10 * 17);
    ASSERT_LT(Grid->VisibleRowCount(), font);
    SelectRow(Grid, "Font");
    Grid->SetTopRow(std::max(font - Grid->VisibleRowCount() + 1, 0));
    const int top = Grid->TopRow();
    ASSERT_LT(font - top, Grid->VisibleRowCount());
    TPropObject* fontRow = Grid->VisibleRow(font);
    const TRect glyph = GlyphRect(Grid, font);
    TInputSimulator::Click(Grid->Handle(), {glyph.Left + 4, glyph.Top + 4});
    const int last = font + fontRow->Children().Count();
    EXPECT_GT(Grid->TopRow(), top);
    EXPECT_EQ(last, Grid->TopRow() + Grid->VisibleRowCount() - 1) << "the last new row ends at the bottom";
}

TEST_F(Inspecting, DoubleClickOnANameTogglesItsRow) {
    Inspect(Button1);
    const int font = RowIndex(Grid, "Font");
    TPropObject* fontRow = Grid->VisibleRow(font);
    const TRect cell = Grid->CellRect(0, font);
    TInputSimulator::DoubleClick(Grid->Handle(), {cell.Right - 10, (cell.Top + cell.Bottom) / 2});
    EXPECT_TRUE(fontRow->Expanded());
    EXPECT_EQ(Grid->Row(), font);
    // The rows may have scrolled to show the last child.
    const TRect moved = Grid->CellRect(0, font);
    TInputSimulator::DoubleClick(Grid->Handle(), {moved.Right - 10, (moved.Top + moved.Bottom) / 2});
    EXPECT_FALSE(fontRow->Expanded());
}

TEST_F(Inspecting, SplitterDragIsClampedAndResizesBothColumns) {
    Inspect(Button1);
    const int y = CellCenter(Grid, 0, 0).Y;
    struct Case {
        int to;
        int width;
    };
    const int right = Grid->Width() - 32;
    for (const Case& c : {Case{5, 33}, Case{60, 61}, Case{Grid->Width() - 3, right + 1}}) {
        const int from = Grid->ColWidths(0);
        TInputSimulator::Drag(Grid->Handle(), {from, y}, {c.to, y});
        EXPECT_EQ(Grid->ColWidths(0), c.width) << "dragged to " << c.to;
        EXPECT_EQ(Grid->ColWidths(0) + Grid->ColWidths(1),
                  Grid->Width() - 2 * GetSystemMetrics(SM_CXBORDER) - 3 -
                      (Grid->VisibleRowCount() < Grid->RowCount() ? GetSystemMetrics(SM_CXVSCROLL) : 0));
    }
}

TEST_F(Inspecting, SplitterLineIsDrawnByExclusiveOrWhileDragging) {
    Inspect(Button1);
    const int y = CellCenter(Grid, 0, 0).Y;
    TBitmap before;
    GrabWindow(Grid->Handle(), before);
    TInputSimulator::MouseDown(Grid->Handle(), {98, y});
    TInputSimulator::MouseMove(Grid->Handle(), {70, y}, {ssLeft});
    TBitmap during;
    GrabWindow(Grid->Handle(), during);
    // The line at x = 70 inverts what is under it, from top to bottom.
    for (int py : {1, y, Grid->ClientHeight() - 2})
        EXPECT_EQ(ColorToRGB(during.Canvas()->Pixels(70, py)),
                  ColorToRGB(before.Canvas()->Pixels(70, py)) ^ 0xFFFFFF)
            << py;
    EXPECT_EQ(Grid->ColWidths(0), 98) << "nothing is resized before the release";
    TInputSimulator::MouseUp(Grid->Handle(), {70, y});
    TBitmap after;
    GrabWindow(Grid->Handle(), after);
    EXPECT_EQ(Grid->ColWidths(0), 71);
    EXPECT_NE(ColorToRGB(after.Canvas()->Pixels(70, 1)), ColorToRGB(during.Canvas()->Pixels(70, 1)));
}

TEST_F(Inspecting, CursorShowsTheSplitterOverTheColumnLine) {
    Inspect(Button1);
    const int y = CellCenter(Grid, 0, 1).Y;
    TInputSimulator::MouseMove(Grid->Handle(), {99, y});
    EXPECT_EQ(GetCursor(), crHSplit);
    TInputSimulator::MouseMove(Grid->Handle(), {150, y});
    EXPECT_EQ(GetCursor(), crDefault);
}

TEST_F(Inspecting, CheckBoxFlipsOnlyWhenReleasedInsideIt) {
    Inspect(Button1);
    const int row = RowIndex(Grid, "Cancel");
    ASSERT_TRUE(Grid->VisibleRow(row)->IsBoolean());
    const TRect cell = Grid->CellRect(1, row);
    const TPoint inBox{cell.Left + 2 + 10, (cell.Top + cell.Bottom) / 2};
    const TRect box = TRect::FromBounds(cell.Left + 2, (cell.Top + cell.Bottom - 15) / 2, 21, 15);

    // Press inside, leave, release outside: nothing changes.
    TInputSimulator::MouseDown(Grid->Handle(), inBox);
    FlushPaintMessages();
    const int pressedFace = CountPixels(Grid, box, clBtnFace);
    TInputSimulator::MouseMove(Grid->Handle(), {cell.Left + 60, inBox.Y}, {ssLeft});
    TInputSimulator::MouseUp(Grid->Handle(), {cell.Left + 60, inBox.Y});
    EXPECT_FALSE(Button1->Cancel());
    FlushPaintMessages();
    EXPECT_LT(CountPixels(Grid, box, clBtnFace), pressedFace)
        << "drawn pressed only while the press is inside";
    EXPECT_FALSE(AnyPixel(Grid, box, clBlack)) << "no tick while False";

    // Press and release inside: the value flips and the tick shows.
    TInputSimulator::Click(Grid->Handle(), inBox);
    FlushPaintMessages();
    EXPECT_TRUE(Button1->Cancel());
    EXPECT_EQ(Grid->VisibleRow(row)->GetValue(), "True");
    EXPECT_TRUE(AnyPixel(Grid, box, clBlack));
    // The current check-box row shows no in-place editor.
    EXPECT_EQ(Grid->Row(), row);
    EXPECT_FALSE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
    // Neither Enter nor typing brings it up there.
    TInputSimulator::KeyPress(VK_RETURN, {}, Grid->Handle());
    TInputSimulator::TypeText("x", Grid->Handle());
    EXPECT_FALSE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
    EXPECT_TRUE(Button1->Cancel());
    // The next row gets its editor again.
    TInputSimulator::KeyPress(VK_DOWN, {}, Grid->Handle());
    ASSERT_NE(Grid->InplaceEditor(), nullptr);
    EXPECT_TRUE(Grid->InplaceEditor()->Visible());
    EXPECT_EQ(Grid->InplaceEditor()->Text(), Grid->CurrentRow()->GetValue());
}

TEST_F(Inspecting, AStringSayingTrueIsShownAsText) {
    Button1->SetCaption("True");
    Inspect(Button1);
    EXPECT_FALSE(RowNamed(Grid, "Caption")->IsBoolean());
    EXPECT_TRUE(RowNamed(Grid, "Cancel")->IsBoolean());
    EXPECT_FALSE(RowNamed(Grid, "Left")->IsBoolean());
}

TEST_F(Inspecting, ArrowKeysNeverMakeTheNameColumnCurrent) {
    Inspect(Button1);
    SelectRow(Grid, "Left");
    const int row = Grid->Row();
    HWND editor = Grid->InplaceEditor()->Handle();
    for (uint16_t key : {VK_HOME, VK_LEFT, VK_LEFT, VK_RIGHT, VK_LEFT}) {
        TInputSimulator::KeyPress(key, {}, editor);
        EXPECT_EQ(Grid->Col(), 1);
    }
    TInputSimulator::KeyPress(VK_DOWN, {}, editor);
    EXPECT_EQ(Grid->Row(), row + 1);
    EXPECT_EQ(Grid->Col(), 1);
}

TEST_F(Inspecting, RefreshValuesReReadsOnlyTheShownPropertyGrid) {
    Inspect(Button1);
    TPropObject* left = RowNamed(Grid, "Left");
    SelectRow(Grid, "Left");
    Button1->SetLeft(42);
    Inspector->RefreshValues();
    EXPECT_EQ(left->Value(), "42");
    EXPECT_EQ(Grid->InplaceEditor()->Text(), "42");

    // With the events page showing the property grid is hidden and is not read.
    Inspector->PropBook->SetActivePage(Inspector->MethodSheet);
    FlushPaintMessages();
    Button1->SetLeft(43);
    Inspector->RefreshValues();
    EXPECT_EQ(left->Value(), "42");
}

TEST_F(Inspecting, PickingTheEventsPageShowsTheGridFilledWhileItWasHidden) {
    Inspect(Button1);
    TPropGrid* events = Inspector->MethodGrid();
    ASSERT_FALSE(events->Visible());
    const TRect tab = Inspector->PropBook->TabRect(1);
    TInputSimulator::Click(Inspector->PropBook, {(tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2});
    ASSERT_EQ(Inspector->PropBook->ActivePage(), Inspector->MethodSheet);
    EXPECT_TRUE(events->Visible());
    EXPECT_TRUE(IsWindowVisible(events->Handle()));
    EXPECT_EQ(events->RowCount(), events->VisibleRows().Count());
    EXPECT_NE(RowIndex(events, "OnClick"), -1);
}

TEST_F(Inspecting, AHiddenGridStaysHiddenUntilFilledWhileItsPageIsActive) {
    Inspect(Button1);
    EXPECT_FALSE(Inspector->MethodGrid()->Visible());
    Inspector->ClearInspection();
    EXPECT_FALSE(Grid->Visible());
    Inspector->PropBook->SetActivePage(Inspector->MethodSheet);
    Inspect(Edit1);
    EXPECT_TRUE(Inspector->MethodGrid()->Visible());
    EXPECT_FALSE(Grid->Visible());
    Inspector->PropBook->SetActivePage(Inspector->PropSheet);
    Inspect(Button1);
    EXPECT_TRUE(Grid->Visible());
}
