#include "widgets/Button.h"
#include "core/ClassRegistry.h"

#include "widgets/NativeButtons.h"
#include "widgets/StandardProperties.h"

#include <QPushButton>

FW_PUBLISH(TButton) {
    p.Property("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
    p.Property("Caption", &TButton::Caption, &TButton::SetCaption);
    p.Property("Default", &TButton::Default, &TButton::SetDefault).Default(false);
    PublishDragMode(p);
    PublishEnabled(p);
    PublishFont(p);
    p.Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(mrNone);
    PublishParentFont(p);
    PublishShowHint(p);
    PublishTabOrderAndStop(p, true);
    PublishVisible(p);
    p.Event("OnClick", &TButton::OnClick);
    PublishDragEvents(p);
    PublishFocusEvents(p);
    PublishKeyEvents(p);
    PublishMouseEvents(p);
}
FW_STREAMABLE(TButton);

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.WinClassName = PushButtonClass();
}

void TButton::CreateHandle() {
    TButtonControl::CreateHandle();
    if (auto* button = qobject_cast<QPushButton*>(NativeButton(Handle()))) button->setDefault(FDefault);
}

void TButton::SetDefault(bool value) {
    FDefault = value;
    if (auto* button = HandleAllocated() ? qobject_cast<QPushButton*>(NativeButton(Handle())) : nullptr)
        button->setDefault(value);
}

void TButton::Click() {
    if (FModalResult != mrNone)
        if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    TButtonControl::Click();
}

bool TButton::AnswersEnter() const {
    const TCustomForm* form = GetParentForm(this);
    const TWinControl* active = form ? form->ActiveControl() : nullptr;
    if (active == this) return true;
    return FDefault && !dynamic_cast<const TButton*>(active);
}

void TButton::Dispatch(TMessage& message) {
    if (message.Msg == CM_DIALOGKEYBUTTON) {
        message.Result = (message.WParam ? AnswersEnter() : FCancel) ? 1 : 0;
        return;
    }
    TButtonControl::Dispatch(message);
}
