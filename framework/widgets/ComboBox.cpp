// TCustomComboBox over a Qt combo box: the control keeps the lines, the choice and the text, and the
// widget mirrors them; only the widget's user signals become events.
#include "widgets/ComboBox.h"
#include "core/ClassRegistry.h"

#include "core/SysUtils.h"
#include "graphics/Font.h"
#include "graphics/QtConvert.h"
#include "ui/Application.h"
#include "ui/WidgetLook.h"
#include "ui/WindowRecord.h"
#include "ui/Windows.h"
#include "widgets/ItemStrings.h"
#include "widgets/StandardProperties.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

#include <algorithm>
#include <vector>

// ---- the window class -------------------------------------------------------------------------------------

class TComboBoxWidget : public TFwWidget<QComboBox> {
public:
    using TFwWidget<QComboBox>::TFwWidget;

    void showPopup() override {
        if (auto* box = Box()) box->DropDown();
        if (!Record) return; // the handler destroyed the box
        QComboBox::showPopup();
    }

private:
    TCustomComboBox* Box() const { return Record ? dynamic_cast<TCustomComboBox*>(Record->Owner) : nullptr; }
};

namespace {
void RegisterComboBoxWindowClass() {
    static const bool registered = [] {
        RegisterWindowClass("FwComboBox", [](const TCreateParams&, QWidget* parent) -> QWidget* {
            return new TComboBoxWidget(parent);
        });
        return true;
    }();
    (void)registered;
}

QComboBox* ComboWidget(const TCustomComboBox* box) {
    return box->HandleAllocated()
               ? qobject_cast<QComboBox*>(WidgetOf(const_cast<TCustomComboBox*>(box)->Handle()))
               : nullptr;
}
} // namespace

// ---- the items --------------------------------------------------------------------------------------------

class TComboBoxStrings : public TItemStrings {
    FW_CLASS(TComboBoxStrings, TItemStrings)
public:
    explicit TComboBoxStrings(TCustomComboBox* box) : FBox(box) {}

protected:
    bool Sorted() const override { return FBox->Sorted(); }
    void ItemsChanged() override { FBox->ItemsChanged(); }
    void ItemInserted(int index) override { FBox->ItemInserted(index); }
    void ItemDeleted(int index) override { FBox->ItemDeleted(index); }
    void ItemsCleared() override { FBox->FItemIndex = -1; }
    void SetUpdateState(bool updating) override {
        FBox->FUpdating = updating;
        if (QComboBox* widget = ComboWidget(FBox)) widget->setUpdatesEnabled(!updating);
        if (!updating) FBox->ItemsChanged();
    }

private:
    TCustomComboBox* FBox;
};

FW_PUBLISH(TComboBoxStrings) {
}

// ---- the control ------------------------------------------------------------------------------------------

FW_PUBLISH(TCustomComboBox) {
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TComboBoxStrings>(this)) {
    SetBounds(0, 0, 145, 24);
    SetTabStop(true);
    SetColor(clWindow);
    TControlStyle style = ControlStyle();
    style.Exclude(csClickEvents); // a click is a choice of a line, reported with OnChange
    SetControlStyle(style);
}

TCustomComboBox::~TCustomComboBox() = default;

TStrings* TCustomComboBox::Items() const {
    return FItems.get();
}

void TCustomComboBox::SetItems(TStrings* items) {
    if (items && items != FItems.get()) FItems->Assign(*items);
}

void TCustomComboBox::Clear() {
    FItems->Clear();
    TWinControl::SetText("");
}

void TCustomComboBox::SetSorted(bool sorted) {
    if (sorted == FSorted) return;
    FSorted = sorted;
    if (sorted) FItems->Sort();
}

void TCustomComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= FItems->Count()) index = -1;
    FItemIndex = index;
    TWinControl::SetText(index >= 0 ? TCaption(FItems->Strings(index)) : TCaption());
    ShowChoice();
}

void TCustomComboBox::SetText(const TCaption& text) {
    if (FStyle == csDropDownList) {
        SetItemIndex(FItems->IndexOf(text));
        return;
    }
    TWinControl::SetText(text);
}

void TCustomComboBox::TextChanged() {
    if (QComboBox* widget = ComboWidget(this); widget && widget->isEditable() && !FSyncing) {
        FSyncing = true;
        if (widget->currentText() != ToQString(Text())) widget->setEditText(ToQString(Text()));
        FSyncing = false;
    }
    TWinControl::TextChanged();
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    if (style == csDropDownList)
        TWinControl::SetText(FItemIndex >= 0 ? TCaption(FItems->Strings(FItemIndex)) : TCaption());
    LoadWidget();
}

void TCustomComboBox::SetItemHeight(int height) {
    if (height <= 0) return;
    FItemHeight = height;
    LoadWidget();
}

void TCustomComboBox::SetDropDownCount(int count) {
    FDropDownCount = std::max(count, 1);
    if (QComboBox* widget = ComboWidget(this)) widget->setMaxVisibleItems(FDropDownCount);
}

bool TCustomComboBox::DroppedDown() const {
    QComboBox* widget = ComboWidget(this);
    return widget && widget->view() && widget->view()->isVisible();
}

void TCustomComboBox::SetDroppedDown(bool value) {
    QComboBox* widget = ComboWidget(this);
    if (!widget || value == DroppedDown()) return;
    if (value)
        widget->showPopup();
    else
        widget->hidePopup();
}

void TCustomComboBox::ItemsChanged() {
    if (FUpdating) return;
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    // A drop-down list shows the chosen line, also after that line's text changed.
    if (FStyle == csDropDownList)
        TWinControl::SetText(FItemIndex >= 0 ? TCaption(FItems->Strings(FItemIndex)) : TCaption());
    LoadWidget();
}

void TCustomComboBox::ItemInserted(int index) {
    if (FItemIndex >= index) ++FItemIndex;
    QComboBox* widget = ComboWidget(this);
    // One line more: the widget takes that line, instead of being loaded again with all of them.
    if (FUpdating || !widget || widget->count() != FItems->Count() - 1) {
        ItemsChanged();
        return;
    }
    FSyncing = true;
    widget->insertItem(index, ToQString(FItems->Strings(index)));
    widget->setItemData(index, QSize(-1, FItemHeight), Qt::SizeHintRole);
    FSyncing = false;
    ShowChoice();
}

void TCustomComboBox::ItemDeleted(int index) {
    if (FItemIndex == index) {
        FItemIndex = -1;
        if (FStyle == csDropDownList) TWinControl::SetText("");
    } else if (FItemIndex > index) {
        --FItemIndex;
    }
    QComboBox* widget = ComboWidget(this);
    if (FUpdating || !widget || widget->count() != FItems->Count() + 1) {
        ItemsChanged();
        return;
    }
    FSyncing = true;
    widget->removeItem(index);
    FSyncing = false;
    ShowChoice();
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
    RegisterComboBoxWindowClass();
    TWinControl::CreateParams(params);
    params.WinClassName = "FwComboBox";
}

void TCustomComboBox::CreateHandle() {
    TWinControl::CreateHandle();
    QComboBox* widget = ComboWidget(this);
    if (!widget) return;
    // A handler's exception is reported here: unwinding through the Qt signal would leak what Qt holds.
    QObject::connect(widget, &QComboBox::activated, widget, [this](int index) {
        if (!FSyncing) Application->HandleException([&] { UserChose(index); });
    });
    LoadWidget();
}

void TCustomComboBox::ColorChanged() {
    if (QWidget* widget = ComboWidget(this)) {
        SetWidgetColors(widget, {{QPalette::Base, ToQColor(Color())}});
    }
    TWinControl::ColorChanged();
}

// Brings the widget in line with the lines, the choice and the text.
void TCustomComboBox::LoadWidget() {
    QComboBox* widget = ComboWidget(this);
    if (!widget || FUpdating) return;
    FSyncing = true;
    const bool editable = FStyle == csDropDown;
    if (widget->isEditable() != editable) {
        widget->setEditable(editable);
        if (editable)
            QObject::connect(widget->lineEdit(), &QLineEdit::textEdited, widget->lineEdit(),
                             [this](const QString& text) {
                                 if (!FSyncing)
                                     Application->HandleException([&] { UserTyped(FromQString(text)); });
                             });
    }
    widget->clear();
    for (int i = 0; i < FItems->Count(); ++i) {
        widget->addItem(ToQString(FItems->Strings(i)));
        widget->setItemData(i, QSize(-1, FItemHeight), Qt::SizeHintRole);
    }
    widget->setMaxVisibleItems(FDropDownCount);
    FSyncing = false;
    ShowChoice();
}

void TCustomComboBox::ShowChoice() {
    QComboBox* widget = ComboWidget(this);
    if (!widget || FUpdating) return;
    FSyncing = true;
    // Qt chooses the first line of a filled box on its own; the control's choice wins.
    widget->setCurrentIndex(FItemIndex);
    if (widget->isEditable()) widget->setEditText(ToQString(Text()));
    FSyncing = false;
}

void TCustomComboBox::UserChose(int index) {
    FItemIndex = index >= 0 && index < FItems->Count() ? index : -1;
    TWinControl::SetText(FItemIndex >= 0 ? TCaption(FItems->Strings(FItemIndex)) : TCaption());
    Click();
    Change();
}

void TCustomComboBox::UserTyped(const std::string& text) {
    FItemIndex = -1;
    FSyncing = true; // the widget already shows the text
    TWinControl::SetText(text);
    FSyncing = false;
    Change();
}

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

// ================================================================================================

FW_PUBLISH(TComboBox) {
    p.Property("Style", &TComboBox::Style, &TComboBox::SetStyle).Default(csDropDown);
    PublishAlign(p);
    PublishColor(p, clWindow);
    PublishDragMode(p);
    p.Property("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount).Default(8);
    PublishEnabled(p);
    PublishFont(p);
    p.Property("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight);
    p.Property("Items", &TComboBox::Items, &TComboBox::SetItems);
    PublishParentColor(p, false);
    PublishParentFont(p);
    PublishShowHint(p);
    p.Property("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted).Default(false);
    PublishTabOrderAndStop(p, true);
    p.Property("Text", &TComboBox::Text, [](TComboBox* c, const TCaption& text) { c->SetText(text); });
    PublishVisible(p);
    p.Event("OnChange", &TComboBox::OnChange);
    p.Event("OnClick", &TComboBox::OnClick);
    p.Event("OnDblClick", &TComboBox::OnDblClick);
    PublishDragEvents(p);
    p.Event("OnDropDown", &TComboBox::OnDropDown);
    PublishFocusEvents(p);
    PublishKeyEvents(p);
}
FW_STREAMABLE(TComboBox);

TComboBox::TComboBox(TComponent* owner) : TCustomComboBox(owner) {
}
