#include "widgets/RadioButton.h"
#include "core/ClassRegistry.h"

#include "widgets/NativeButtons.h"
#include "widgets/StandardProperties.h"

#include <QRadioButton>

#include <algorithm>

FW_PUBLISH(TRadioButton) {
    p.Property("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment)
        .Default(taRightJustify)
        .Type(LeftRightTypeInfo());
    p.Property("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption);
    p.Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked).Default(false);
    PublishColor(p, clBtnFace);
    PublishDragMode(p);
    PublishEnabled(p);
    PublishFont(p);
    PublishParentColor(p, true);
    PublishParentFont(p);
    PublishShowHint(p);
    PublishTabOrderAndStop(p, false);
    PublishVisible(p);
    p.Event("OnClick", &TRadioButton::OnClick);
    p.Event("OnDblClick", &TRadioButton::OnDblClick);
    PublishDragEvents(p);
    PublishFocusEvents(p);
    PublishKeyEvents(p);
    PublishMouseEvents(p);
}
FW_STREAMABLE(TRadioButton);

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.WinClassName = RadioButtonClass();
}

void TRadioButton::CreateHandle() {
    TButtonControl::CreateHandle();
    if (auto* radio = dynamic_cast<TCheckableWidget<QRadioButton>*>(WidgetOf(Handle()))) {
        // A click checks the button; clicking the checked button leaves it checked.
        radio->NextCheckState = [this] { SetChecked(true); };
        ApplyCheckAlignment(Handle(), FAlignment);
    }
    UpdateNativeState();
}

void TRadioButton::SetAlignment(TAlignment value) {
    FAlignment = ApplyCheckAlignment(HandleAllocated() ? Handle() : nullptr, value);
}

void TRadioButton::SetChecked(bool value) {
    if (value == FChecked) {
        UpdateNativeState();
        return;
    }
    FChecked = value;
    SetTabStop(value);
    UpdateNativeState();
    if (!value || !Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* sibling = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); sibling && sibling != this)
            sibling->SetChecked(false);
}

void TRadioButton::UpdateNativeState() {
    if (QAbstractButton* radio = HandleAllocated() ? NativeButton(Handle()) : nullptr)
        radio->setChecked(FChecked);
}

std::vector<TRadioButton*> TRadioButton::FocusableGroup() const {
    std::vector<TRadioButton*> group;
    if (!Parent()) return group;
    std::vector<TWinControl*> order;
    Parent()->GetTabOrderList(order);
    for (TWinControl* c : order)
        if (auto* radio = dynamic_cast<TRadioButton*>(c))
            if (radio->Parent() == Parent() && (radio == this || radio->CanFocus())) group.push_back(radio);
    return group;
}

void TRadioButton::KeyDown(uint16_t& key, TShiftState shift) {
    TButtonControl::KeyDown(key, shift);
    const bool back = key == VK_UP || key == VK_LEFT;
    const bool forward = key == VK_DOWN || key == VK_RIGHT;
    if (!back && !forward) return;
    key = 0;
    const std::vector<TRadioButton*> group = FocusableGroup();
    auto it = std::find(group.begin(), group.end(), this);
    if (group.size() < 2 || it == group.end()) return;
    const auto count = static_cast<long>(group.size());
    const long index = ((it - group.begin()) + (forward ? 1 : -1) + count) % count;
    TRadioButton* next = group[static_cast<size_t>(index)];
    next->SetFocus();
    next->SetChecked(true);
    next->Click();
}
