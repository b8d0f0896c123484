// TInplaceEdit: an edit box without frame that hands its text to its grid and passes it the keys that
// move between cells.
#include "widgets/InplaceEdit.h"

#include "core/ScopeGuard.h"
#include "ui/WindowRecord.h"
#include "ui/Windows.h"
#include "widgets/CustomGrid.h"

#include <QLineEdit>

FW_PUBLISH(TInplaceEdit) {
}

TInplaceEdit::TInplaceEdit(TComponent* owner) : TEdit(owner) {
    SetVisible(false);
    SetTabStop(false);
    SetBorderStyle(bsNone);
}

void TInplaceEdit::SetGrid(TCustomGrid* grid) {
    FGrid = grid;
    SetParent(grid);
}

void TInplaceEdit::CreateHandle() {
    TEdit::CreateHandle();
    SetTextArea(FTextArea);
}

void TInplaceEdit::Change() {
    if (!FLoading && FGrid) FGrid->UpdateText();
    TEdit::Change();
}

void TInplaceEdit::Deselect() {
    SetSelStart(static_cast<int>(Text().size()));
}

void TInplaceEdit::SetTextArea(const TRect& area) {
    FTextArea = area;
    auto* edit = HandleAllocated() ? qobject_cast<QLineEdit*>(WidgetOf(Handle())) : nullptr;
    if (!edit) return;
    // The line edit keeps its caret in view within the margins; selection and caret stay as they are.
    edit->setTextMargins(area.Left, area.Top, std::max(edit->width() - area.Right, 0),
                         std::max(edit->height() - area.Bottom, 0));
}

void TInplaceEdit::BoundsChanged() {
    TEdit::BoundsChanged();
    SetTextArea({2, 2, Width() - 2, Height()});
}

void TInplaceEdit::Move(const TRect& rect) {
    const bool same = BoundsRect() == rect;
    SetBoundsRect(rect);
    if (same) BoundsChanged();
    if (!Visible()) Show();
    if (FGrid && FGrid->Focused() && CanFocus()) SetFocus();
}

void TInplaceEdit::UpdateContents() {
    if (!FGrid) return;
    FLoading = true;
    const auto endLoading = ScopeGuard([this] { FLoading = false; });
    SetMaxLength(FGrid->GetEditLimit());
    SetText(FGrid->GetEditText(FGrid->Col(), FGrid->Row()));
}

bool TInplaceEdit::WantsKey(uint16_t key) const {
    if (key == VK_RETURN || key == VK_ESCAPE) return true;
    return key == VK_TAB && FGrid && FGrid->Options().Contains(goTabs);
}

void TInplaceEdit::KeyDown(uint16_t& key, TShiftState shift) {
    TEdit::KeyDown(key, shift);
    if (key == 0 || !FGrid) return;
    auto toGrid = [&] {
        FGrid->KeyDown(key, shift);
        key = 0;
    };
    const bool ctrl = shift.Contains(ssCtrl);
    const bool noSelection = SelLength() == 0;
    const int caret = SelStart();
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_RETURN:
    case VK_ESCAPE:
        toGrid();
        break;
    case VK_TAB:
        if (FGrid->Options().Contains(goTabs) && !shift.Contains(ssAlt)) toGrid();
        break;
    case VK_LEFT:
        if (ctrl || (noSelection && caret == 0)) toGrid();
        break;
    case VK_RIGHT:
        if (ctrl || (noSelection && caret == static_cast<int>(Text().size()))) toGrid();
        break;
    case VK_HOME:
    case VK_END:
        if (ctrl) toGrid();
        break;
    case VK_F2:
        Deselect();
        key = 0;
        break;
    default:
        break;
    }
}
