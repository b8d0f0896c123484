// The property grid's mouse input (splitter drag, plus/minus glyphs, check boxes, double clicks) and its
// cell drawing. The grid handles the mouse entirely itself: no cell selection or column sizing of the
// framework grid runs.
#include "PropGrid.h"

#include "PropInplaceEditor.h"
#include "core/ScopeGuard.h"
#include "core/SysUtils.h"
#include "graphics/Canvas.h"
#include "ui/Windows.h"
#include "widgets/ImageList.h"

#include <algorithm>

namespace {
constexpr int SplitterMargin = 32; // closest the splitter comes to either side of the grid
constexpr int CheckBoxWidth = 21;
constexpr int CheckBoxHeight = 15;
} // namespace

// ---- cell drawing -----------------------------------------------------------------------------------------

void TPropGrid::DrawRowCell(int col, int row, const TRect& rect) {
    TCanvas& canvas = *Canvas();
    canvas.SetFont(Font());
    TPropObject* item = VisibleRow(row);
    const bool checkCell = item && item->IsBoolean() && row == Row() && col == 1;
    canvas.Brush()->SetColor(checkCell ? clWindow : Color());
    canvas.FillRect(rect);
    if (!item) return;
    TRect r = rect;
    if (col == 0) {
        r.Left += item->Indent() + 2;
        r.Right -= 2;
        if (item->HasChildren() && FPropImages)
            FPropImages->Draw(&canvas, r.Left, (r.Top + r.Bottom - FPropImages->Height()) / 2,
                              item->Expanded() ? 1 : 0);
        r.Left += FGlyphWidth + 2;
        canvas.DrawText(r, item->Name(), DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        return;
    }
    r.Left += 2;
    if (item->Stored()) {
        TFontStyles style = canvas.Font()->Style();
        style.Include(fsBold);
        canvas.Font()->SetStyle(style);
    }
    const std::string value = item->GetValue();
    if (item->IsBoolean() && FBooleanImages) {
        int glyph = UpperCase(value) == "TRUE" ? 1 : 0;
        if (FCheckTracking && FCheckInside && row == Row()) glyph += 2;
        FBooleanImages->Draw(&canvas, r.Left, (r.Top + r.Bottom - FBooleanImages->Height()) / 2, glyph);
        return;
    }
    canvas.DrawText(r, value, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

// ---- splitter ---------------------------------------------------------------------------------------------

// The column whose right edge (widths summed, grid lines not counted) is within 2 pixels of x; -1 when none.
int TPropGrid::SplitterAt(int x) const {
    int edge = 0;
    for (int col = 0; col < ColCount(); ++col) {
        edge += ColWidths(col);
        if (std::abs(x - edge) <= 2) return col;
    }
    return -1;
}

// A white exclusive-or line over the whole height: drawing it again erases it.
void TPropGrid::DrawSplitLine() {
    if (!HandleAllocated()) return;
    HDC dc = GetDC(Handle());
    if (!dc) return;
    TPen saved;
    saved.Assign(dc->Pen());
    dc->Pen()->SetColor(clWhite);
    dc->Pen()->SetStyle(psSolid);
    dc->Pen()->SetWidth(1);
    dc->Pen()->SetMode(pmXor);
    dc->MoveTo(FSplitX, 0);
    dc->LineTo(FSplitX, Height());
    dc->Pen()->Assign(&saved);
    ReleaseDC(Handle(), dc);
    FSplitLineShown = !FSplitLineShown;
}

void TPropGrid::EndSplitterDrag() {
    if (FSplitLineShown) DrawSplitLine();
    FSplitting = false;
    FShownCursor = crDefault;
    ::SetCursor(crDefault);
}

// ---- check boxes ------------------------------------------------------------------------------------------

TRect TPropGrid::CheckBoxRect(int row) const {
    const TRect cell = CellRect(1, row);
    const int top = (cell.Top + cell.Bottom - CheckBoxHeight) / 2;
    return TRect::FromBounds(cell.Left + 2, top, CheckBoxWidth, CheckBoxHeight);
}

void TPropGrid::InvalidateCheckBox() {
    if (HandleAllocated()) InvalidateRect(Handle(), &FCheckRect, false);
}

// ---- mouse ------------------------------------------------------------------------------------------------

void TPropGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (CanFocus() && !Focused() && !(InplaceEditor() && InplaceEditor()->Focused())) SetFocus();
    if (FSplitting) EndSplitterDrag();
    TCustomControl::MouseDown(button, shift, x, y);
    const int row = MouseCoord(0, y).Y;
    if (button == mbRight && row >= 0 && row < FVisibleRows.Count()) {
        if (row != Row()) SetRow(row);
        if (OnRowMenu) OnRowMenu(this, VisibleRow(row), ::ClientToScreen(Handle(), TPoint{x, y}));
        return;
    }
    if (button != mbLeft) return;
    if (row < 0 || row >= FVisibleRows.Count()) return;
    if (SplitterAt(x) == 0) {
        FSplitting = true;
        FSplitX = x;
        FSplitLineShown = false;
        DrawSplitLine();
        return;
    }
    TPropObject* item = VisibleRow(row);
    const int col = MouseCoord(x, y).X;
    if (x < item->Indent() + FGlyphWidth + 2) {
        SetExpanded(item, !item->Expanded());
    } else if (col == 1 && item->IsBoolean()) {
        const TRect box = CheckBoxRect(row);
        if (box.Contains({x, y})) {
            FCheckRect = box;
            FCheckRow = row;
            FCheckTracking = FCheckInside = true;
            InvalidateCheckBox();
        }
    }
    if (row != Row()) SetRow(row);
}

void TPropGrid::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (FCheckTracking) {
        const bool inside = FCheckRect.Contains({x, y});
        if (inside != FCheckInside) {
            FCheckInside = inside;
            InvalidateCheckBox();
        }
        return;
    }
    if (FSplitting) {
        const int clamped = std::clamp(x, SplitterMargin, std::max(Width() - SplitterMargin, SplitterMargin));
        if (clamped != FSplitX) {
            if (FSplitLineShown) DrawSplitLine();
            FSplitX = clamped;
            DrawSplitLine();
        }
        return;
    }
    const bool leftDown = shift.Contains(ssLeft);
    if (leftDown && !FNoDragSelect) {
        const int row = MouseCoord(0, y).Y;
        if (row >= 0 && row < FVisibleRows.Count() && row != Row()) SetRow(row);
    }
    const TCursor cursor = SplitterAt(x) == 0 && !leftDown ? crHSplit : crDefault;
    if (cursor != FShownCursor) {
        FShownCursor = cursor;
        ::SetCursor(cursor);
    }
}

void TPropGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    FNoDragSelect = false;
    if (FCheckTracking) {
        FCheckTracking = false;
        FCheckInside = FCheckRect.Contains({x, y});
        if (FCheckInside) {
            FCheckInside = false;
            if (FCheckRow == Row()) EditCurrentRow();
        }
        InvalidateCheckBox();
    } else if (FSplitting) {
        EndSplitterDrag();
        FSuppressWidthNotice = true;
        const auto noticeWidths = ScopeGuard([this] {
            FSuppressWidthNotice = false;
            ColWidthsChanged();
        });
        SetColWidths(0, FSplitX + 1);
        AdjustValueColumn();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TPropGrid::DoubleClick(int x, int y) {
    const TGridCoord cell = MouseCoord(x, y);
    if (cell.Y < 0 || cell.Y >= FVisibleRows.Count()) return;
    if (cell.Y != Row()) SetRow(cell.Y);
    if (cell.X == 0) {
        TPropObject* item = VisibleRow(cell.Y);
        SetExpanded(item, !item->Expanded());
    }
}

// A double click is the grid's own: it does not count as a second press. Shown again, the grid catches up
// with the values that changed meanwhile.
void TPropGrid::WndProc(TMessage& message) {
    if (message.Msg == WM_LBUTTONDBLCLK) {
        const TPoint p = PointFromLParam(message.LParam);
        DoubleClick(p.X, p.Y);
        return;
    }
    if (message.Msg == WM_SHOWWINDOW && message.WParam != 0) {
        TDrawGrid::WndProc(message);
        CatchUpValues();
        return;
    }
    if (message.Msg == WM_CANCELMODE) {
        if (FSplitting) EndSplitterDrag();
        if (FCheckTracking) {
            FCheckTracking = FCheckInside = false;
            InvalidateCheckBox();
        }
    }
    TDrawGrid::WndProc(message);
}
