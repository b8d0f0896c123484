#include "widgets/NativeButtons.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

const char* PushButtonClass() {
    static const char* name = [] {
        RegisterWindowClass("BUTTON", [](const TCreateParams&, QWidget* parent) {
            auto* button = new TFwWidget<QPushButton>(parent);
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
            auto* box = new TFwWidget<TCheckableWidget<QCheckBox>>(parent);
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
            auto* radio = new TFwWidget<TCheckableWidget<QRadioButton>>(parent);
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
