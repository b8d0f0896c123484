#include "widgets/GroupBox.h"
#include "core/ClassRegistry.h"

#include "graphics/Canvas.h"
#include "graphics/QtConvert.h"
#include "ui/WindowRecord.h"
#include "widgets/StandardProperties.h"

#include <QGroupBox>

FW_PUBLISH(TGroupBox) {
    PublishAlign(p);
    p.Property("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption);
    PublishColor(p, clBtnFace);
    PublishDragMode(p);
    PublishEnabled(p);
    PublishFont(p);
    PublishParentColor(p, true);
    PublishParentFont(p);
    PublishShowHint(p);
    PublishTabOrderAndStop(p, false);
    PublishVisible(p);
    p.Event("OnClick", &TGroupBox::OnClick);
    p.Event("OnDblClick", &TGroupBox::OnDblClick);
    PublishDragEvents(p);
    PublishFocusEvents(p);
    PublishMouseEvents(p);
}
FW_STREAMABLE(TGroupBox);

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
    TControlStyle style = ControlStyle();
    style.Include(csAcceptsControls);
    SetControlStyle(style);
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    static const bool registered = [] {
        RegisterWindowClass("GROUPBOX", [](const TCreateParams&, QWidget* parent) {
            return new TFwWidget<QGroupBox>(parent);
        });
        return true;
    }();
    (void)registered;
    params.WinClassName = "GROUPBOX";
}

void TGroupBox::CreateHandle() {
    TWinControl::CreateHandle();
    auto* box = qobject_cast<QGroupBox*>(WidgetOf(Handle()));
    if (!box) return;
    box->setTitle(ToQString(Caption()));
    // A click on the box leaves the focus where it is.
    if (!TabStop()) box->setFocusPolicy(Qt::NoFocus);
}

void TGroupBox::TextChanged() {
    if (auto* box = HandleAllocated() ? qobject_cast<QGroupBox*>(WidgetOf(Handle())) : nullptr)
        box->setTitle(ToQString(Caption()));
    TWinControl::TextChanged();
}

void TGroupBox::AlignControls(TControl* control, TRect& rect) {
    TCanvas measure;
    measure.SetFont(Font());
    rect.Top += measure.TextHeight("0");
    rect.Inflate(-2, -2);
    TWinControl::AlignControls(control, rect);
}
