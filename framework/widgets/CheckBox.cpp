#include "widgets/CheckBox.h"
#include "core/ClassRegistry.h"

#include "widgets/NativeButtons.h"
#include "widgets/StandardProperties.h"

#include <QCheckBox>

FW_PUBLISH(TCheckBox) {
    p.Property("Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment)
        .Default(taRightJustify)
        .Type(LeftRightTypeInfo());
    p.Property("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed).Default(false);
    p.Property("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption);
    p.Property("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked).Stored(false);
    PublishColor(p, clBtnFace);
    PublishDragMode(p);
    PublishEnabled(p);
    PublishFont(p);
    PublishParentColor(p, true);
    PublishParentFont(p);
    PublishShowHint(p);
    p.Property("State", &TCheckBox::State, &TCheckBox::SetState).Default(cbUnchecked);
    PublishTabOrderAndStop(p, true);
    PublishVisible(p);
    p.Event("OnClick", &TCheckBox::OnClick);
    PublishDragEvents(p);
    PublishFocusEvents(p);
    PublishKeyEvents(p);
    PublishMouseEvents(p);
}
FW_STREAMABLE(TCheckBox);

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TCheckBox::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.WinClassName = CheckBoxClass();
}

void TCheckBox::CreateHandle() {
    TButtonControl::CreateHandle();
    if (auto* box = dynamic_cast<TCheckableWidget<QCheckBox>*>(WidgetOf(Handle()))) {
        box->NextCheckState = [this] { Toggle(); };
        ApplyCheckAlignment(Handle(), FAlignment);
    }
    UpdateNativeState();
}

void TCheckBox::SetAlignment(TAlignment value) {
    FAlignment = ApplyCheckAlignment(HandleAllocated() ? Handle() : nullptr, value);
}

void TCheckBox::SetState(TCheckBoxState state) {
    FState = state;
    UpdateNativeState();
}

void TCheckBox::Toggle() {
    switch (FState) {
    case cbUnchecked:
        SetState(FAllowGrayed ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

void TCheckBox::UpdateNativeState() {
    auto* box = HandleAllocated() ? qobject_cast<QCheckBox*>(NativeButton(Handle())) : nullptr;
    if (!box) return;
    static constexpr Qt::CheckState states[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
    box->setCheckState(states[FState]);
}
