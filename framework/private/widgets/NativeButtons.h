// Private to framework/widgets: the Qt button widgets behind push buttons, check boxes and radio buttons,
// and the lazy registration of their window classes.
#pragma once

#include "ui/WindowRecord.h"
#include "widgets/ControlTypes.h"

#include <QAbstractButton>

#include <functional>

// A Qt button whose next state after a click (mouse, Space or mnemonic) is decided by its control rather
// than by Qt's own rule: check boxes cycle through their states, radio buttons never uncheck themselves.
template <class Base> class TCheckableWidget : public Base {
public:
    using Base::Base;
    std::function<void()> NextCheckState;

protected:
    void nextCheckState() override {
        if (NextCheckState)
            NextCheckState();
        else
            Base::nextCheckState();
    }
};

// Window class names of the native buttons; the first use registers them.
const char* PushButtonClass();  // "BUTTON": QPushButton
const char* CheckBoxClass();    // "CHECKBOX": QCheckBox, three states
const char* RadioButtonClass(); // "RADIOBUTTON": QRadioButton, exclusivity left to the framework

// The native button of a windowed button control; null when it has no window.
QAbstractButton* NativeButton(HWND window);

// The side of its box a check box's or radio button's caption stands on: taLeftJustify puts it on the
// left, any other value counts as taRightJustify. Shows it on the button's window when there is one and
// returns the alignment kept.
TAlignment ApplyCheckAlignment(HWND window, TAlignment value);
