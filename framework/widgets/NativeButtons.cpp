#include "widgets/NativeButtons.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcutEvent>

namespace {

// A mnemonic ("&Go") presses the button at once, as the framework's accelerators do, rather than through
// Qt's animated click that lands a tenth of a second later.
template <class Base> class TImmediateMnemonic : public Base {
public:
    using Base::Base;

protected:
    bool event(QEvent* e) override {
        if (e->type() != QEvent::Shortcut || static_cast<QShortcutEvent*>(e)->isAmbiguous() ||
            !this->isEnabled())
            return Base::event(e);
        if (this->focusPolicy() != Qt::NoFocus) this->setFocus(Qt::ShortcutFocusReason);
        this->click();
        return true;
    }
};

} // namespace

const char* PushButtonClass() {
    static const char* name = [] {
        RegisterWindowClass("BUTTON", [](const TCreateParams&, QWidget* parent) {
            auto* button = new TFwWidget<TImmediateMnemonic<QPushButton>>(parent);
            button->setAutoDefault(false);
            return button;
        });
        return "BUTTON";
    }();
    return name;
}

const char* CheckBoxClass() {
    static const char* name = [] {
        RegisterWindowClass("CHECKBOX", [](const TCreateParams&, QWidget* parent) {
            auto* box = new TFwWidget<TImmediateMnemonic<TCheckableWidget<QCheckBox>>>(parent);
            box->setTristate(true); // so that the grayed state can be shown
            return box;
        });
        return "CHECKBOX";
    }();
    return name;
}

const char* RadioButtonClass() {
    static const char* name = [] {
        RegisterWindowClass("RADIOBUTTON", [](const TCreateParams&, QWidget* parent) {
            auto* radio = new TFwWidget<TImmediateMnemonic<TCheckableWidget<QRadioButton>>>(parent);
            // The framework keeps radio buttons exclusive among their siblings; Qt's own exclusivity would
            // also refuse to uncheck the checked button when the program asks for it.
            radio->setAutoExclusive(false);
            return radio;
        });
        return "RADIOBUTTON";
    }();
    return name;
}

QAbstractButton* NativeButton(HWND window) {
    return qobject_cast<QAbstractButton*>(WidgetOf(window));
}

TAlignment ApplyCheckAlignment(HWND window, TAlignment value) {
    const TAlignment alignment = value == taLeftJustify ? taLeftJustify : taRightJustify;
    if (QWidget* widget = WidgetOf(window))
        widget->setLayoutDirection(alignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
    return alignment;
}
