// TPropInplaceEditor: the property grid's edit box with its drop-down or ellipsis button.
#include "PropInplaceEditor.h"

#include "PopCtrls.h"
#include "PropGrid.h"
#include "core/ScopeGuard.h"
#include "graphics/Canvas.h"
#include "ui/Windows.h"

#include <algorithm>

namespace {
constexpr int MaxDropDownItems = 8;
} // namespace

FW_PUBLISH(TPropInplaceEditor) {
}

TPropInplaceEditor::TPropInplaceEditor(TComponent* owner) : TInplaceEdit(owner) {
    FPopupList = new TPopupListbox(this);
    FPopupList->SetParent(this);
    FPopupList->SetColor(Color());
    FPopupList->OnCancelMode = TCancelModeEvent::Bind<&TPropInplaceEditor::ListCancelMode>(this);
    FPopupList->OnSendValue = TSendValueEvent::Bind<&TPropInplaceEditor::ListSendValue>(this);
    FButtonWidth = GetSystemMetrics(SM_CXVSCROLL);
}

TPropGrid* TPropInplaceEditor::PropGrid() const {
    return dynamic_cast<TPropGrid*>(Grid());
}

TRect TPropInplaceEditor::ButtonRect() const {
    return {Width() - FButtonWidth, 0, Width(), Height()};
}

void TPropInplaceEditor::SetButtonKind(int kind) {
    if (kind == FButtonKind) return;
    FButtonKind = kind;
    AdjustTextArea();
    Invalidate();
}

// ---- loading and refreshing -------------------------------------------------------------------------------

void TPropInplaceEditor::UpdateContents() {
    TPropGrid* grid = PropGrid();
    FRow = grid ? grid->CurrentRow() : nullptr;
    int kind = bkNone;
    if (FRow) {
        TPropertyEditor* editor = FRow->Editor();
        const TEditorAttributes attributes = editor->GetAttributes();
        if (attributes.Contains(paValueList)) {
            // A drawer still installed by an earlier load of the same row puts the list back first, so
            // what it remembers is the list's own state.
            ReleaseDrawer();
            TStrings* items = FPopupList->Items();
            {
                const auto update = UpdateScope(*items);
                items->Clear();
                editor->GetValues([items](const std::string& value) { items->Add(value); });
            }

            FPopupList->OnDrawItem.Clear();
            FDrawer = FindValueListDrawer(editor);
            if (FDrawer) {
                FDrawer->PrepareList(FPopupList);
                FPopupList->OnDrawItem = FDrawer->DrawItemHandler();
            }
            kind = bkDropDown;
        } else if (attributes.Contains(paDialog)) {
            kind = bkEllipsis;
        }
    }
    SetButtonKind(kind);
    ShowStored(FRow && FRow->Stored());
    TInplaceEdit::UpdateContents();
}

void TPropInplaceEditor::ShowStored(bool stored) {
    TFontStyles style = Font()->Style();
    if (style.Contains(fsBold) == stored) return;
    if (stored)
        style.Include(fsBold);
    else
        style.Exclude(fsBold);
    Font()->SetStyle(style);
}

void TPropInplaceEditor::RefreshText() {
    if (!FRow) return;
    const std::string value = FRow->GetValue();
    if (value != Text()) SetText(value);
}

void TPropInplaceEditor::ReleaseDrawer() {
    if (!FDrawer) return;
    TValueListDrawerClass drawer = FDrawer;
    FDrawer = nullptr;
    drawer->RestoreList(FPopupList);
}

// ---- layout and painting ----------------------------------------------------------------------------------

void TPropInplaceEditor::BoundsChanged() {
    TInplaceEdit::BoundsChanged();
    AdjustTextArea();
}

void TPropInplaceEditor::AdjustTextArea() {
    TRect area{2, 2, Width() - 2, Height()};
    if (FButtonKind != bkNone) area.Right -= FButtonWidth;
    SetTextArea(area);
}

void TPropInplaceEditor::PaintWindow(TCanvas& canvas) {
    TInplaceEdit::PaintWindow(canvas);
    if (FButtonKind != bkNone) DrawButton(canvas);
}

void TPropInplaceEditor::DrawButton(TCanvas& canvas) {
    TRect r = ButtonRect();
    if (FButtonKind == bkDropDown) {
        // A flat combo-box arrow button: a thin frame round the button face, darker and with the arrow one
        // pixel down and right while pushed.
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(r);
        canvas.Brush()->SetColor(FPressed ? cl3DDkShadow : clBtnShadow);
        canvas.FrameRect(r);
        const int shift = FPressed ? 1 : 0;
        const int cx = (r.Left + r.Right) / 2 + shift;
        const int cy = (r.Top + r.Bottom) / 2 + shift;
        canvas.Brush()->SetColor(clBlack);
        canvas.Pen()->SetColor(clBlack);
        const TPoint arrow[] = {{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}};
        canvas.Polygon(arrow);
        return;
    }
    // Ellipsis: a raised button (flat while pressed) with three black dots.
    if (FPressed) {
        canvas.Brush()->SetColor(clBtnShadow);
        canvas.FrameRect(r);
        TRect inside = r.Inflated(-1, -1);
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(inside);
    } else {
        TRect edge = r;
        canvas.DrawEdge(edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
    const int side = std::max(Height() / 8, 1);
    const int offset = r.Width() / 2 - 1 + (FPressed ? 1 : 0);
    const int x = r.Left + offset;
    const int y = r.Top + offset;
    canvas.Brush()->SetColor(clBlack);
    for (int dx : {-2 * side, 0, 2 * side})
        canvas.FillRect(TRect::FromBounds(x + dx, y, side, side));
}

// ---- the button under the mouse ---------------------------------------------------------------------------

void TPropInplaceEditor::StopTracking() {
    FTracking = false;
    if (FPressed) {
        FPressed = false;
        Invalidate();
    }
}

void TPropInplaceEditor::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && FButtonKind != bkNone && ButtonRect().Contains({x, y})) {
        FTracking = true;
        FPressed = true;
        Invalidate();
    }
    TInplaceEdit::MouseDown(button, shift, x, y);
}

void TPropInplaceEditor::MouseMove(TShiftState shift, int x, int y) {
    const bool over = FButtonKind != bkNone && ButtonRect().Contains({x, y});
    if (FTracking && over != FPressed) {
        FPressed = over;
        Invalidate();
    }
    if (over != FOverButton) {
        FOverButton = over;
        SetCursor(over ? crArrow : crDefault);
    }
    TInplaceEdit::MouseMove(shift, x, y);
}

void TPropInplaceEditor::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const bool wasPressed = FPressed;
    StopTracking();
    if (button == mbLeft && wasPressed) {
        if (FButtonKind == bkEllipsis) {
            if (TPropGrid* grid = PropGrid()) grid->EditCurrentRow();
        } else if (FButtonKind == bkDropDown) {
            if (FPopupList->DroppedDown())
                CloseUp(false);
            else
                DropDown();
        }
    }
    TInplaceEdit::MouseUp(button, shift, x, y);
}

void TPropInplaceEditor::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_CANCELMODE:
        StopTracking();
        break;
    case WM_KILLFOCUS:
        // Typing into a row that applies every key ends when the editor loses the focus.
        if (TPropGrid* grid = PropGrid()) grid->EndTyping();
        break;
    case WM_LBUTTONDBLCLK: {
        TInplaceEdit::WndProc(message);
        const TPoint p = PointFromLParam(message.LParam);
        if (!(FButtonKind != bkNone && ButtonRect().Contains(p)))
            if (TPropGrid* grid = PropGrid()) grid->EditCurrentRow();
        return;
    }
    default:
        break;
    }
    TInplaceEdit::WndProc(message);
}

// ---- the value list ---------------------------------------------------------------------------------------

void TPropInplaceEditor::DropDown() {
    TCustomGrid* grid = Grid();
    if (!grid) return;
    const int shown = std::min(FPopupList->Items()->Count(), MaxDropDownItems);
    FPopupList->SetItemIndex(FPopupList->Items()->IndexOf(Text()));
    TPoint p = grid->ClientToScreen({Left(), Top()});
    FPopupList->DropDownAt(grid, Handle(), p, Height(), Width(), FPopupList->ItemHeight() * shown + 2);
}

void TPropInplaceEditor::CloseUp(bool accept) {
    FPopupList->CloseUp(accept);
}

void TPropInplaceEditor::ListSendValue(TObject*, int, std::string& s, int&, bool& autoSend) {
    autoSend = false;
    SetText(s);
    SetModified(true);
}

void TPropInplaceEditor::ListCancelMode(TObject*, TCMCancelMode& message, bool& canClose) {
    canClose = message.Sender != this;
}

// ---- keys -------------------------------------------------------------------------------------------------

// Enter applies the text and Escape brings back the value; neither goes on to the grid. Typed but
// uncommitted text keeps its modified mark through other keys, so a change of row still applies it.
void TPropInplaceEditor::KeyDown(uint16_t& key, TShiftState shift) {
    if ((key == VK_RETURN || key == VK_ESCAPE) && FRow) {
        TPropGrid* grid = PropGrid();
        if (key == VK_RETURN) {
            FRow->SetValue(Text());
        } else {
            // A row that applied every key gets back the value it had before the first one.
            if (grid && grid->TypingRow() == FRow) grid->RevertTyping();
            SetText(FRow->GetValue());
            SelectAll();
        }
        SetModified(false);
        if (grid) grid->EndTyping();
        key = 0;
        return;
    }
    TInplaceEdit::KeyDown(key, shift);
}
