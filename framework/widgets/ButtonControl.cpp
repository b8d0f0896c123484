#include "widgets/ButtonControl.h"

#include "graphics/QtConvert.h"
#include "widgets/NativeButtons.h"

FW_PUBLISH(TButtonControl) {
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
    // The native button reports its clicks (releases inside, Space, mnemonics); the framework's own
    // press-and-release click would count each mouse click twice.
    TControlStyle style = ControlStyle();
    style.Exclude(csClickEvents);
    SetControlStyle(style);
}

void TButtonControl::CreateHandle() {
    TWinControl::CreateHandle();
    QAbstractButton* button = NativeButton(Handle());
    if (!button) return;
    QObject::connect(button, &QAbstractButton::clicked, button, [this] { Click(); });
    UpdateNativeCaption();
}

void TButtonControl::TextChanged() {
    UpdateNativeCaption();
    TWinControl::TextChanged();
}

void TButtonControl::UpdateNativeCaption() {
    if (QAbstractButton* button = HandleAllocated() ? NativeButton(Handle()) : nullptr)
        button->setText(ToQString(Caption()));
}
