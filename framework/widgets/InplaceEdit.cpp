// TInplaceEdit over a Qt line edit without frame.
#include "widgets/InplaceEdit.h"

#include "graphics/QtConvert.h"
#include "ui/WindowRecord.h"
#include "ui/Windows.h"
#include "widgets/CustomGrid.h"

#include <QLineEdit>

namespace {
void RegisterInplaceEditWindowClass() {
    static const bool registered = [] {
        RegisterWindowClass("FwInplaceEdit", [](const TCreateParams&, QWidget* parent) -> QWidget* {
            auto* edit = new TFwWidget<QLineEdit>(parent);
            edit->setFrame(false);
            return edit;
        });
        return true;
    }();
    (void)registered;
}

QLineEdit* LineEdit(const TInplaceEdit* edit) {
    return edit->HandleAllocated()
               ? qobject_cast<QLineEdit*>(WidgetOf(const_cast<TInplaceEdit*>(edit)->Handle()))
               : nullptr;
}
} // namespace

FW_PUBLISH(TInplaceEdit) {
}

TInplaceEdit::TInplaceEdit(TComponent* owner) : TWinControl(owner) {
    SetVisible(false);
    SetTabStop(false);
    SetColor(clWindow);
}

void TInplaceEdit::SetGrid(TCustomGrid* grid) {
    FGrid = grid;
    SetParent(grid);
}

void TInplaceEdit::CreateParams(TCreateParams& params) {
    RegisterInplaceEditWindowClass();
    TWinControl::CreateParams(params);
    params.WinClassName = "FwInplaceEdit";
}

void TInplaceEdit::CreateHandle() {
    TWinControl::CreateHandle();
    QLineEdit* edit = LineEdit(this);
    if (!edit) return;
    FSyncing = true;
    edit->setText(ToQString(Text()));
    edit->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
    FSyncing = false;
    QObject::connect(edit, &QLineEdit::textChanged, edit,
                     [this](const QString& text) { WidgetTextChanged(FromQString(text)); });
    ColorChanged();
    SetTextArea(FTextArea);
}

void TInplaceEdit::ColorChanged() {
    if (QWidget* widget = LineEdit(this)) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Base, ToQColor(Color()));
        widget->setPalette(palette);
    }
    TWinControl::ColorChanged();
}

void TInplaceEdit::TextChanged() {
    // Text set by code: the widget takes it, and its change signal tells the grid.
    if (QLineEdit* edit = LineEdit(this); edit && !FSyncing && edit->text() != ToQString(Text()))
        edit->setText(ToQString(Text()));
    else if (!LineEdit(this) && !FLoading && FGrid)
        FGrid->UpdateText();
    TWinControl::TextChanged();
}

void TInplaceEdit::WidgetTextChanged(const std::string& text) {
    if (FSyncing) return;
    FSyncing = true;
    TWinControl::SetText(text);
    FSyncing = false;
    if (!FLoading && FGrid) FGrid->UpdateText();
}

bool TInplaceEdit::Modified() const {
    QLineEdit* edit = LineEdit(this);
    return edit && edit->isModified();
}

void TInplaceEdit::SetModified(bool value) {
    if (QLineEdit* edit = LineEdit(this)) edit->setModified(value);
}

int TInplaceEdit::SelStart() const {
    QLineEdit* edit = LineEdit(this);
    if (!edit) return 0;
    return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

void TInplaceEdit::SetSelStart(int start) {
    if (QLineEdit* edit = LineEdit(this)) edit->setCursorPosition(start);
}

int TInplaceEdit::SelLength() const {
    QLineEdit* edit = LineEdit(this);
    return edit ? static_cast<int>(edit->selectedText().size()) : 0;
}

void TInplaceEdit::SetSelLength(int length) {
    if (QLineEdit* edit = LineEdit(this)) edit->setSelection(SelStart(), length);
}

void TInplaceEdit::SelectAll() {
    if (QLineEdit* edit = LineEdit(this)) edit->selectAll();
}

void TInplaceEdit::Deselect() {
    if (QLineEdit* edit = LineEdit(this)) {
        edit->deselect();
        edit->end(false);
    }
}

void TInplaceEdit::InsertText(std::string_view text) {
    if (QLineEdit* edit = LineEdit(this)) {
        edit->insert(ToQString(text));
        edit->setModified(true);
    }
}

void TInplaceEdit::SetMaxLength(int length) {
    FMaxLength = std::max(length, 0);
    if (QLineEdit* edit = LineEdit(this)) edit->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

void TInplaceEdit::SetTextArea(const TRect& area) {
    FTextArea = area;
    QLineEdit* edit = LineEdit(this);
    if (!edit) return;
    edit->setTextMargins(area.Left, area.Top, std::max(edit->width() - area.Right, 0),
                         std::max(edit->height() - area.Bottom, 0));
    // Keeps the caret in view after the text area changed.
    edit->setCursorPosition(edit->cursorPosition());
}

void TInplaceEdit::BoundsChanged() {
    TWinControl::BoundsChanged();
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
    try {
        SetMaxLength(FGrid->GetEditLimit());
        SetText(FGrid->GetEditText(FGrid->Col(), FGrid->Row()));
    } catch (...) {
        FLoading = false;
        throw;
    }
    FLoading = false;
    SetModified(false);
}

bool TInplaceEdit::WantsKey(uint16_t key) const {
    if (key == VK_RETURN || key == VK_ESCAPE) return true;
    return key == VK_TAB && FGrid && FGrid->Options().Contains(goTabs);
}

void TInplaceEdit::KeyDown(uint16_t& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == 0 || !FGrid) return;
    auto toGrid = [&] {
        FGrid->KeyDown(key, shift);
        key = 0;
    };
    const bool ctrl = shift.Contains(ssCtrl);
    QLineEdit* edit = LineEdit(this);
    const bool noSelection = !edit || !edit->hasSelectedText();
    const int caret = edit ? edit->cursorPosition() : 0;
    const int length = edit ? static_cast<int>(edit->text().size()) : 0;
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
        if (ctrl || (noSelection && caret == length)) toGrid();
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
