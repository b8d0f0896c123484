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
#include "widgets/GridAxis.h"
#include "widgets/InplaceEdit.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

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
    FColWidths.erase(FColWidths.lower_bound(count), FColWidths.end());
    CountsChanged(oldCols, FRowCount);
}

void TCustomGrid::SetRowCount(int count) {
    count = std::max(count, 1);
    if (count == FRowCount) return;
    const int oldRows = FRowCount;
    if (count <= FFixedRows) FFixedRows = count - 1;
    FRowCount = count;
    FRowHeights.erase(FRowHeights.lower_bound(count), FRowHeights.end());
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

namespace {

// Keeps `size` for the cell, or forgets the cell's own size when it is the default.
void SetSize(std::map<int, int>& sizes, int index, int size, int defaultSize) {
    if (size == defaultSize)
        sizes.erase(index);
    else
        sizes[index] = size;
}

} // namespace

int TCustomGrid::ColWidths(int col) const {
    if (col < 0 || col >= FColCount) throw EInvalidGridOperation("Grid index out of range");
    return Axis(Horz).Extent(col);
}

void TCustomGrid::SetColWidths(int col, int width) {
    if (col < 0 || col >= FColCount) throw EInvalidGridOperation("Grid index out of range");
    SetSize(FColWidths, col, std::max(width, 0), FDefaultColWidth);
    ColWidthsChanged();
}

int TCustomGrid::RowHeights(int row) const {
    if (row < 0 || row >= FRowCount) throw EInvalidGridOperation("Grid index out of range");
    return Axis(Vert).Extent(row);
}

void TCustomGrid::SetRowHeights(int row, int height) {
    if (row < 0 || row >= FRowCount) throw EInvalidGridOperation("Grid index out of range");
    SetSize(FRowHeights, row, std::max(height, 0), FDefaultRowHeight);
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

// Column widths and row heights, when any differs from the default, are stored as a list of every size.
// Past MaxListedSizes cells the list ends at the last size of its own, and at MaxStoredSizes at the most:
// a reader gives the cells after the list the default, and a grid of millions of rows writes no more
// than it holds (the sizes of cells past the millionth are not kept).
void TCustomGrid::DefineProperties(TFiler& filer) {
    static constexpr int MaxListedSizes = 65536, MaxStoredSizes = 1 << 20;
    TCustomControl::DefineProperties(filer);
    auto define = [&](const char* name, std::map<int, int>& sizes, int count, int defaultSize,
                      void (TCustomGrid::*changed)()) {
        filer.DefineProperty(
            name,
            [this, &sizes, count, defaultSize, changed](TReader& reader) {
                sizes.clear();
                reader.ReadListBegin();
                for (int i = 0; !reader.EndOfList(); ++i) {
                    const int size = std::max(static_cast<int>(reader.ReadInteger()), 0);
                    if (i < count) SetSize(sizes, i, size, defaultSize);
                }
                reader.ReadListEnd();
                (this->*changed)();
            },
            [&sizes, count, defaultSize](TWriter& writer) {
                const int listed =
                    count <= MaxListedSizes ? count : std::min(sizes.rbegin()->first + 1, MaxStoredSizes);
                writer.WriteListBegin();
                for (int i = 0; i < listed; ++i) {
                    const auto it = sizes.find(i);
                    writer.WriteInteger(it == sizes.end() ? defaultSize : it->second);
                }
                writer.WriteListEnd();
            },
            !sizes.empty());
    };
    define("ColWidths", FColWidths, FColCount, FDefaultColWidth, &TCustomGrid::ColWidthsChanged);
    define("RowHeights", FRowHeights, FRowCount, FDefaultRowHeight, &TCustomGrid::RowHeightsChanged);
}

// ---- 2. geometry ------------------------------------------------------------------------------------------

TGridAxis TCustomGrid::Axis(int axis) const {
    return axis == Horz ? TGridAxis{FColCount, FDefaultColWidth, LineWidth(Horz), &FColWidths}
                        : TGridAxis{FRowCount, FDefaultRowHeight, LineWidth(Vert), &FRowHeights};
}

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
    return static_cast<int>(std::min<int64_t>(Axis(axis).Span(0, FixedCount(axis)), INT32_MAX));
}

int TCustomGrid::CellStart(int axis, int index) const {
    if (index < 0 || index >= Count(axis)) return -1;
    const TGridAxis a = Axis(axis);
    int64_t pos;
    if (index < FixedCount(axis)) {
        pos = a.Span(0, index);
    } else {
        if (index < First(axis)) return -1;
        pos = FixedBoundary(axis) + a.Span(First(axis), index);
    }
    return pos < ClientExtent(axis) ? static_cast<int>(pos) : -1;
}

int TCustomGrid::CellAt(int axis, int pixel) const {
    if (pixel < 0 || pixel >= ClientExtent(axis)) return -1;
    const TGridAxis a = Axis(axis);
    const int fixedEnd = FixedBoundary(axis);
    if (pixel < fixedEnd) return a.IndexAt(0, pixel);
    const int cell = a.IndexAt(First(axis), pixel - fixedEnd);
    return cell < Count(axis) ? cell : -1;
}

int TCustomGrid::LastFullVisible(int axis) const {
    // The cells from the first scrolled one whose far edge (their line not counted) is inside the client.
    const int64_t room = int64_t(ClientExtent(axis)) - FixedBoundary(axis) + LineWidth(axis);
    return Axis(axis).IndexAt(First(axis), room) - 1;
}

int TCustomGrid::VisibleColCount() const {
    return std::max(LastFullVisible(Horz) - FTopLeft.X + 1, 0);
}

int TCustomGrid::VisibleRowCount() const {
    return std::max(LastFullVisible(Vert) - FTopLeft.Y + 1, 0);
}

// The largest first scrolled cell that still leaves no empty space after the last cell.
int TCustomGrid::MaxFirst(int axis) const {
    const int64_t room = int64_t(ClientExtent(axis)) + LineWidth(axis) - FixedBoundary(axis);
    const int first = Axis(axis).FirstOfTail(FixedCount(axis), Count(axis), room);
    return std::max(std::min(first, Count(axis) - 1), FixedCount(axis));
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
        // The cell becomes the last one shown whole, after as many cells before it as still fit.
        const int64_t room = int64_t(ClientExtent(axis)) - FixedBoundary(axis) - CellExtent(axis, index);
        first = Axis(axis).FirstOfTail(FixedCount(axis), index, room);
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
    InvalidateSelection({0, row, FColCount - 1, row});
}

void TCustomGrid::InvalidateCol(int col) {
    InvalidateSelection({col, 0, col, FRowCount - 1});
}

std::pair<int, int> TCustomGrid::ShownPixels(int axis, int from, int to) const {
    const TGridAxis a = Axis(axis);
    const int fixed = FixedCount(axis), fixedEnd = FixedBoundary(axis), extent = ClientExtent(axis);
    int64_t low = INT64_MAX, high = INT64_MIN;
    // The fixed cells of the range, then its scrolled cells up to the one the client's last pixel shows.
    if (from < fixed) {
        low = a.Span(0, std::max(from, 0));
        high = a.Span(0, std::min(to, fixed - 1) + 1);
    }
    const int lastShown = extent > fixedEnd
                              ? std::min(a.IndexAt(First(axis), extent - fixedEnd - 1), Count(axis) - 1)
                              : First(axis) - 1;
    const int first = std::max(from, First(axis)), last = std::min(to, lastShown);
    if (first <= last) {
        low = std::min(low, fixedEnd + a.Span(First(axis), first));
        high = std::max(high, fixedEnd + a.Span(First(axis), last + 1));
    }
    if (low >= high || low >= extent) return {0, 0};
    return {static_cast<int>(low), static_cast<int>(std::min<int64_t>(high, extent + a.Line))};
}

void TCustomGrid::InvalidateSelection(const TGridRect& rect) {
    if (!HandleAllocated()) return;
    const auto [left, right] = ShownPixels(Horz, rect.Left, rect.Right);
    const auto [top, bottom] = ShownPixels(Vert, rect.Top, rect.Bottom);
    if (left >= right || top >= bottom) return;
    const TRect r{left, top, right, bottom};
    InvalidateRect(Handle(), &r, false);
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

    // The rows and columns in screen order that reach into the dirty area, with where each starts: the
    // fixed ones, then the scrolled ones from the top left. Cells that take no pixels show nothing.
    auto shown = [this](int axis, int low, int high) {
        std::vector<std::pair<int, int>> cells;
        const TGridAxis a = Axis(axis);
        const int extent = ClientExtent(axis);
        auto walk = [&](int from, int end, int64_t start) {
            int i = a.IndexAt(from, low - start);
            start += a.Span(from, i);
            if (i < end && a.Extent(i) + a.Line == 0) i = a.NextShown(i);
            for (; i < end && start < high && start < extent; i = a.NextShown(i)) {
                cells.emplace_back(i, static_cast<int>(start));
                start += a.Extent(i) + a.Line;
            }
        };
        walk(0, FixedCount(axis), 0);
        walk(First(axis), Count(axis), FixedBoundary(axis));
        return cells;
    };
    const auto rows = shown(Vert, dirty.Top, dirty.Bottom), cols = shown(Horz, dirty.Left, dirty.Right);

    canvas.IntersectClipRect(client);
    for (const auto& [row, y] : rows) {
        const int height = RowHeights(row);
        for (const auto& [col, x] : cols) {
            const int width = ColWidths(col);
            const TRect cell{x, y, x + width, y + height};
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
