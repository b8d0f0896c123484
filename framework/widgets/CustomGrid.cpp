// TCustomGrid: size and options, geometry, scrolling and painting. Input and the in-place editor are in
// CustomGridInput.cpp.
//
//   1. lifetime and properties
//   2. geometry (per axis: 0 = columns across, 1 = rows down)
//   3. scrolling
//   4. painting
#include "widgets/CustomGrid.h"

#include "graphics/Canvas.h"
#include "streaming/Reader.h"
#include "streaming/Writer.h"
#include "ui/Windows.h"
#include "widgets/ControlScrollBars.h"
#include "widgets/InplaceEdit.h"

#include <algorithm>

namespace {
constexpr int Horz = 0;
constexpr int Vert = 1;
} // namespace

// ---- 1. lifetime and properties ---------------------------------------------------------------------------

FW_PUBLISH(TCustomGrid) {
}

TCustomGrid::TCustomGrid(TComponent* owner)
    : TCustomControl(owner), FScrollBarsWidgets(std::make_unique<TControlScrollBars>(
                                 [this](int bar, int position) { ScrolledByUser(bar, position); })) {
    SetBounds(0, 0, 320, 120);
    SetTabStop(true);
    SetColor(clWindow);
    TControlStyle style = ControlStyle();
    style.Exclude(csClickEvents); // the grid clicks when a press moves the current cell
    SetControlStyle(style);
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::SetColCount(int count) {
    count = std::max(count, 1);
    if (count == FColCount) return;
    const int oldCols = FColCount;
    if (count <= FFixedCols) FFixedCols = count - 1;
    FColCount = count;
    if (!FColWidths.empty()) FColWidths.resize(count, FDefaultColWidth);
    CountsChanged(oldCols, FRowCount);
}

void TCustomGrid::SetRowCount(int count) {
    count = std::max(count, 1);
    if (count == FRowCount) return;
    const int oldRows = FRowCount;
    if (count <= FFixedRows) FFixedRows = count - 1;
    FRowCount = count;
    if (!FRowHeights.empty()) FRowHeights.resize(count, FDefaultRowHeight);
    CountsChanged(FColCount, oldRows);
}

void TCustomGrid::SetFixedCols(int count) {
    if (count < 0) throw EInvalidGridOperation("Grid index out of range");
    if (count >= FColCount) throw EInvalidGridOperation("Fixed column count must be less than column count");
    FFixedCols = count;
    CountsChanged(FColCount, FRowCount);
}

void TCustomGrid::SetFixedRows(int count) {
    if (count < 0) throw EInvalidGridOperation("Grid index out of range");
    if (count >= FRowCount) throw EInvalidGridOperation("Fixed row count must be less than row count");
    FFixedRows = count;
    CountsChanged(FColCount, FRowCount);
}

// Keeps the current cell, the anchor and the top-left cell among the cells that exist and are not fixed.
void TCustomGrid::CountsChanged(int oldColCount, int oldRowCount) {
    auto clampCell = [this](TGridCoord& c) {
        c.X = std::clamp(c.X, FFixedCols, FColCount - 1);
        c.Y = std::clamp(c.Y, FFixedRows, FRowCount - 1);
    };
    const TGridCoord oldCurrent = FCurrent;
    clampCell(FCurrent);
    clampCell(FAnchor);
    clampCell(FTopLeft);
    if (!(FCurrent == oldCurrent)) FInplaceCell = {-1, -1};
    UpdateScrollRange();
    InvalidateGrid();
    SizeChanged(oldColCount, oldRowCount);
    UpdateEdit();
}

void TCustomGrid::SetDefaultColWidth(int width) {
    FDefaultColWidth = std::max(width, 0);
    FColWidths.clear();
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int height) {
    FDefaultRowHeight = std::max(height, 0);
    FRowHeights.clear();
    RowHeightsChanged();
}

int TCustomGrid::ColWidths(int col) const {
    if (col < 0 || col >= FColCount) throw EInvalidGridOperation("Grid index out of range");
    return FColWidths.empty() ? FDefaultColWidth : FColWidths[col];
}

void TCustomGrid::SetColWidths(int col, int width) {
    if (col < 0 || col >= FColCount) throw EInvalidGridOperation("Grid index out of range");
    if (FColWidths.empty()) FColWidths.assign(FColCount, FDefaultColWidth);
    FColWidths[col] = std::max(width, 0);
    ColWidthsChanged();
}

int TCustomGrid::RowHeights(int row) const {
    if (row < 0 || row >= FRowCount) throw EInvalidGridOperation("Grid index out of range");
    return FRowHeights.empty() ? FDefaultRowHeight : FRowHeights[row];
}

void TCustomGrid::SetRowHeights(int row, int height) {
    if (row < 0 || row >= FRowCount) throw EInvalidGridOperation("Grid index out of range");
    if (FRowHeights.empty()) FRowHeights.assign(FRowCount, FDefaultRowHeight);
    FRowHeights[row] = std::max(height, 0);
    RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(int width) {
    FGridLineWidth = std::max(width, 0);
    UpdateScrollRange();
    InvalidateGrid();
    UpdateEdit();
}

void TCustomGrid::SetOptions(TGridOptions options) {
    const TGridOptions old = FOptions;
    FOptions = options;
    if (options.Contains(goAlwaysShowEditor) && !old.Contains(goAlwaysShowEditor)) FEditorMode = true;
    if (!options.Contains(goEditing) && old.Contains(goEditing)) HideEditor();
    FScrollBarsWidgets->SetTracking(options.Contains(goThumbTracking));
    UpdateScrollRange();
    InvalidateGrid();
    UpdateEdit();
}

void TCustomGrid::SetScrollBars(TScrollStyle style) {
    FScrollBars = style;
    UpdateScrollRange();
    InvalidateGrid();
}

void TCustomGrid::SetFixedColor(TColor color) {
    FFixedColor = color;
    InvalidateGrid();
}

void TCustomGrid::SetDefaultDrawing(bool value) {
    FDefaultDrawing = value;
    InvalidateGrid();
}

void TCustomGrid::ColWidthsChanged() {
    UpdateScrollRange();
    InvalidateGrid();
    UpdateEdit();
}

void TCustomGrid::RowHeightsChanged() {
    UpdateScrollRange();
    InvalidateGrid();
    UpdateEdit();
}

void TCustomGrid::TopLeftChanged() {
    UpdateEdit();
}

void TCustomGrid::SizeChanged(int, int) {
}

void TCustomGrid::CreateHandle() {
    TCustomControl::CreateHandle();
    FScrollBarsWidgets->SetTracking(FOptions.Contains(goThumbTracking));
    FScrollBarsWidgets->Attach(Handle());
    UpdateScrollRange();
}

void TCustomGrid::VisibleChanged() {
    TCustomControl::VisibleChanged();
    UpdateEdit();
}

void TCustomGrid::Resize() {
    UpdateScrollRange();
    UpdateEdit();
    TCustomControl::Resize();
}

// Column widths and row heights that differ from the defaults are stored as lists of numbers.
void TCustomGrid::DefineProperties(TFiler& filer) {
    TCustomControl::DefineProperties(filer);
    auto define = [&](const char* name, std::vector<int>& sizes, int count, int defaultSize,
                      void (TCustomGrid::*changed)()) {
        const bool custom = std::any_of(sizes.begin(), sizes.end(), [&](int s) { return s != defaultSize; });
        filer.DefineProperty(
            name,
            [this, &sizes, count, defaultSize, changed](TReader& reader) {
                std::vector<int> read;
                reader.ReadListBegin();
                while (!reader.EndOfList())
                    read.push_back(static_cast<int>(reader.ReadInteger()));
                reader.ReadListEnd();
                sizes.assign(std::max(count, 0), defaultSize);
                for (size_t i = 0; i < read.size() && i < sizes.size(); ++i)
                    sizes[i] = std::max(read[i], 0);
                (this->*changed)();
            },
            [&sizes](TWriter& writer) {
                writer.WriteListBegin();
                for (int s : sizes)
                    writer.WriteInteger(s);
                writer.WriteListEnd();
            },
            custom);
    };
    define("ColWidths", FColWidths, FColCount, FDefaultColWidth, &TCustomGrid::ColWidthsChanged);
    define("RowHeights", FRowHeights, FRowCount, FDefaultRowHeight, &TCustomGrid::RowHeightsChanged);
}

// ---- 2. geometry ------------------------------------------------------------------------------------------

int TCustomGrid::LineWidth(int axis) const {
    // Vertical lines separate columns, horizontal lines rows.
    const bool lines = axis == Horz ? FOptions.Contains(goFixedVertLine) || FOptions.Contains(goVertLine)
                                    : FOptions.Contains(goFixedHorzLine) || FOptions.Contains(goHorzLine);
    return lines ? FGridLineWidth : 0;
}

int TCustomGrid::CellExtent(int axis, int index) const {
    return axis == Horz ? ColWidths(index) : RowHeights(index);
}

int TCustomGrid::Count(int axis) const {
    return axis == Horz ? FColCount : FRowCount;
}

int TCustomGrid::FixedCount(int axis) const {
    return axis == Horz ? FFixedCols : FFixedRows;
}

int TCustomGrid::First(int axis) const {
    return axis == Horz ? FTopLeft.X : FTopLeft.Y;
}

int TCustomGrid::ClientExtent(int axis) const {
    const TRect client = ClientRect();
    return axis == Horz ? client.Width() : client.Height();
}

int TCustomGrid::FixedBoundary(int axis) const {
    int pos = 0;
    for (int i = 0; i < FixedCount(axis); ++i)
        pos += CellExtent(axis, i) + LineWidth(axis);
    return pos;
}

int TCustomGrid::CellStart(int axis, int index) const {
    if (index < 0 || index >= Count(axis)) return -1;
    const int line = LineWidth(axis);
    int pos = 0;
    if (index < FixedCount(axis)) {
        for (int i = 0; i < index; ++i)
            pos += CellExtent(axis, i) + line;
    } else {
        if (index < First(axis)) return -1;
        pos = FixedBoundary(axis);
        for (int i = First(axis); i < index; ++i) {
            pos += CellExtent(axis, i) + line;
            if (pos >= ClientExtent(axis)) return -1;
        }
    }
    return pos < ClientExtent(axis) ? pos : -1;
}

int TCustomGrid::CellAt(int axis, int pixel) const {
    if (pixel < 0 || pixel >= ClientExtent(axis)) return -1;
    const int line = LineWidth(axis);
    int pos = 0;
    for (int i = 0; i < FixedCount(axis); ++i) {
        pos += CellExtent(axis, i) + line;
        if (pixel < pos) return i;
    }
    for (int i = First(axis); i < Count(axis); ++i) {
        pos += CellExtent(axis, i) + line;
        if (pixel < pos) return i;
    }
    return -1;
}

int TCustomGrid::LastFullVisible(int axis) const {
    const int line = LineWidth(axis);
    const int extent = ClientExtent(axis);
    int pos = FixedBoundary(axis);
    int last = First(axis) - 1;
    for (int i = First(axis); i < Count(axis); ++i) {
        pos += CellExtent(axis, i);
        if (pos > extent) break;
        last = i;
        pos += line;
    }
    return last;
}

int TCustomGrid::VisibleColCount() const {
    return std::max(LastFullVisible(Horz) - FTopLeft.X + 1, 0);
}

int TCustomGrid::VisibleRowCount() const {
    return std::max(LastFullVisible(Vert) - FTopLeft.Y + 1, 0);
}

// The largest first scrolled cell that still leaves no empty space after the last cell.
int TCustomGrid::MaxFirst(int axis) const {
    const int line = LineWidth(axis);
    const int fixed = FixedBoundary(axis);
    int pos = ClientExtent(axis) + line;
    int result = Count(axis) - 1;
    for (int i = Count(axis) - 1; i >= FixedCount(axis); --i) {
        pos -= CellExtent(axis, i) + line;
        if (pos < fixed) break;
        result = i;
    }
    return std::max(result, FixedCount(axis));
}

TRect TCustomGrid::ClientRect() const {
    TRect client = TCustomControl::ClientRect();
    const int extent = TControlScrollBars::Extent();
    if (FScrollBarsWidgets && FScrollBarsWidgets->Shown(SB_VERT))
        client.Right = std::max(client.Right - extent, 0);
    if (FScrollBarsWidgets && FScrollBarsWidgets->Shown(SB_HORZ))
        client.Bottom = std::max(client.Bottom - extent, 0);
    return client;
}

TRect TCustomGrid::CellRect(int col, int row) const {
    const int x = CellStart(Horz, col);
    const int y = CellStart(Vert, row);
    if (x < 0 || y < 0) return {};
    const TRect client = ClientRect();
    return {x, y, std::min(x + ColWidths(col), client.Right), std::min(y + RowHeights(row), client.Bottom)};
}

TGridCoord TCustomGrid::MouseCoord(int x, int y) const {
    TGridCoord cell{CellAt(Horz, x), CellAt(Vert, y)};
    if (cell.X < 0 || cell.Y < 0) cell = {-1, -1};
    return cell;
}

void TCustomGrid::MouseToCell(int x, int y, int& col, int& row) const {
    const TGridCoord cell = MouseCoord(x, y);
    col = cell.X;
    row = cell.Y;
}

TGridRect TCustomGrid::Selection() const {
    TGridRect r{std::min(FAnchor.X, FCurrent.X), std::min(FAnchor.Y, FCurrent.Y),
                std::max(FAnchor.X, FCurrent.X), std::max(FAnchor.Y, FCurrent.Y)};
    if (FOptions.Contains(goRowSelect)) {
        r.Left = FFixedCols;
        r.Right = FColCount - 1;
    }
    return r;
}

// ---- 3. scrolling -----------------------------------------------------------------------------------------

void TCustomGrid::UpdateScrollRange() {
    if (!FScrollBarsWidgets) return;
    const bool wantVert = FScrollBars == ssVertical || FScrollBars == ssBoth;
    const bool wantHorz = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    // Showing one bar narrows the room for the other axis, so settle the pair twice.
    for (int pass = 0; pass < 2; ++pass) {
        for (int axis : {Vert, Horz}) {
            const int bar = axis == Vert ? SB_VERT : SB_HORZ;
            const int max = MaxFirst(axis) - FixedCount(axis);
            const int visible = axis == Vert ? VisibleRowCount() : VisibleColCount();
            FScrollBarsWidgets->Set(bar, max, std::max(visible, 1), First(axis) - FixedCount(axis),
                                    axis == Vert ? wantVert : wantHorz);
        }
    }
    const TGridCoord limit{MaxFirst(Horz), MaxFirst(Vert)};
    FScrollBarsWidgets->Layout(TCustomControl::ClientRect());
    if (FTopLeft.X > limit.X || FTopLeft.Y > limit.Y)
        MoveTopLeft(std::min(FTopLeft.X, limit.X), std::min(FTopLeft.Y, limit.Y));
}

void TCustomGrid::ScrolledByUser(int bar, int position) {
    if (bar == SB_VERT)
        MoveTopLeft(FTopLeft.X, FFixedRows + position);
    else
        MoveTopLeft(FFixedCols + position, FTopLeft.Y);
}

void TCustomGrid::MoveTopLeft(int col, int row) {
    col = std::clamp(col, FFixedCols, std::max(MaxFirst(Horz), FFixedCols));
    row = std::clamp(row, FFixedRows, std::max(MaxFirst(Vert), FFixedRows));
    if (col == FTopLeft.X && row == FTopLeft.Y) return;
    FTopLeft = {col, row};
    UpdateScrollRange();
    InvalidateGrid();
    TopLeftChanged();
}

void TCustomGrid::SetTopRow(int row) {
    MoveTopLeft(FTopLeft.X, row);
}

void TCustomGrid::SetLeftCol(int col) {
    MoveTopLeft(col, FTopLeft.Y);
}

void TCustomGrid::ClampInView(TGridCoord cell) {
    TGridCoord topLeft = FTopLeft;
    for (int axis : {Horz, Vert}) {
        const int index = axis == Horz ? cell.X : cell.Y;
        int& first = axis == Horz ? topLeft.X : topLeft.Y;
        if (index < FixedCount(axis)) continue;
        if (index < first) {
            first = index;
            continue;
        }
        if (index <= LastFullVisible(axis)) continue;
        // The cell becomes the last one shown whole: walk back from it while the cells still fit.
        const int line = LineWidth(axis);
        int room = ClientExtent(axis) - FixedBoundary(axis) - CellExtent(axis, index);
        first = index;
        while (first - 1 >= FixedCount(axis) && room - (CellExtent(axis, first - 1) + line) >= 0) {
            room -= CellExtent(axis, first - 1) + line;
            --first;
        }
    }
    MoveTopLeft(topLeft.X, topLeft.Y);
}

int TCustomGrid::ScrollPosition(int bar) const {
    if (bar != SB_VERT && bar != SB_HORZ) return 0;
    return FScrollBarsWidgets->Shown(bar) ? FScrollBarsWidgets->Position(bar) : 0;
}

void TCustomGrid::ScrollRange(int bar, int& min, int& max) const {
    min = 0;
    max = (bar == SB_VERT || bar == SB_HORZ) && FScrollBarsWidgets->Shown(bar) ? FScrollBarsWidgets->Max(bar)
                                                                               : 0;
}

// ---- 4. painting ------------------------------------------------------------------------------------------

void TCustomGrid::InvalidateGrid() {
    Invalidate();
}

void TCustomGrid::InvalidateCell(int col, int row) {
    if (!HandleAllocated()) return;
    TRect r = CellRect(col, row);
    if (r.IsEmpty()) return;
    r.Right += LineWidth(Horz);
    r.Bottom += LineWidth(Vert);
    InvalidateRect(Handle(), &r, false);
}

void TCustomGrid::InvalidateRow(int row) {
    for (int col = 0; col < FColCount; ++col)
        InvalidateCell(col, row);
}

void TCustomGrid::InvalidateCol(int col) {
    for (int row = 0; row < FRowCount; ++row)
        InvalidateCell(col, row);
}

void TCustomGrid::InvalidateSelection(const TGridRect& rect) {
    if (!HandleAllocated()) return;
    for (int row = rect.Top; row <= rect.Bottom; ++row) {
        if (CellStart(Vert, row) < 0) continue;
        for (int col = rect.Left; col <= rect.Right; ++col)
            InvalidateCell(col, row);
    }
}

void TCustomGrid::DrawCell(int, int, const TRect&, TGridDrawState) {
}

void TCustomGrid::Paint() {
    TCanvas& canvas = *Canvas();
    const TRect client = ClientRect();
    const TRect dirty = canvas.ClipRect();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(TCustomControl::ClientRect());

    const TGridRect selection = Selection();
    const bool focused = Focused();
    const bool editorShown = FInplaceEdit && FInplaceEdit->Visible();
    const int hLine = LineWidth(Horz), vLine = LineWidth(Vert);

    // Visible rows and columns in screen order: the fixed ones, then the scrolled ones from the top left.
    auto visible = [this](int axis) {
        std::vector<int> cells;
        for (int i = 0; i < FixedCount(axis); ++i)
            cells.push_back(i);
        for (int i = First(axis); i < Count(axis); ++i) {
            if (CellStart(axis, i) < 0) break;
            cells.push_back(i);
        }
        return cells;
    };
    const std::vector<int> rows = visible(Vert), cols = visible(Horz);

    canvas.IntersectClipRect(client);
    for (int row : rows) {
        const int y = CellStart(Vert, row);
        const int height = RowHeights(row);
        if (y + height + vLine <= dirty.Top || y >= dirty.Bottom) continue;
        for (int col : cols) {
            const int x = CellStart(Horz, col);
            const int width = ColWidths(col);
            const TRect cell{x, y, x + width, y + height};
            if (!cell.Inflated(hLine, vLine).Intersects(dirty)) continue;
            const bool fixed = col < FFixedCols || row < FFixedRows;
            TGridDrawState state;
            if (fixed) state.Include(gdFixed);
            if (!fixed && selection.Contains(col, row)) state.Include(gdSelected);
            if (!fixed && focused && col == FCurrent.X && row == FCurrent.Y) state.Include(gdFocused);

            canvas.SetFont(Font());
            if (FDefaultDrawing) {
                const bool highlight =
                    state.Contains(gdSelected) &&
                    (!state.Contains(gdFocused) || FOptions.Contains(goDrawFocusSelected) ||
                     FOptions.Contains(goRowSelect));
                if (fixed) {
                    canvas.Brush()->SetColor(FFixedColor);
                } else if (highlight) {
                    canvas.Brush()->SetColor(clHighlight);
                    canvas.Font()->SetColor(clHighlightText);
                } else {
                    canvas.Brush()->SetColor(Color());
                }
                canvas.FillRect(cell);
            } else {
                canvas.Brush()->SetColor(Color());
            }
            DrawCell(col, row, cell, state);
            if (FDefaultDrawing && fixed) {
                TRect edge = cell;
                canvas.DrawEdge(edge, BDR_RAISEDINNER, BF_RECT);
            }
            if (FDefaultDrawing && state.Contains(gdFocused) && !editorShown &&
                !FOptions.Contains(goRowSelect))
                canvas.DrawFocusRect(cell);

            // The lines after the cell: fixed cells use the fixed-line options and a dark line.
            const bool vertLine = FOptions.Contains(fixed ? goFixedVertLine : goVertLine);
            const bool horzLine = FOptions.Contains(fixed ? goFixedHorzLine : goHorzLine);
            canvas.Brush()->SetColor(fixed ? clBlack : clSilver);
            if (vertLine && hLine > 0)
                canvas.FillRect({cell.Right, cell.Top, cell.Right + hLine, cell.Bottom + vLine});
            if (horzLine && vLine > 0)
                canvas.FillRect({cell.Left, cell.Bottom, cell.Right + hLine, cell.Bottom + vLine});
        }
    }
    canvas.ResetClip();
}
