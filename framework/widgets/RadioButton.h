// TRadioButton: a radio button (a native Qt radio button). Radio buttons with the same parent form one
// group: checking one, by a click or by the program, unchecks the others; the program may also uncheck
// the checked one, leaving none checked. Only a checked radio button is a tab stop, so Tab enters a group
// at its checked button; the arrow keys then move to the previous or next button of the group, checking
// it and firing its OnClick.
#pragma once

#include "widgets/ButtonControl.h"
#include "widgets/ControlTypes.h"

#pragma GCC visibility push(default)

class TRadioButton : public TButtonControl {
    FW_CLASS(TRadioButton, TButtonControl)
public:
    explicit TRadioButton(TComponent* owner);

    // taRightJustify puts the caption right of the button (the default), taLeftJustify left of it.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;

private:
    void UpdateNativeState();
    // The radio buttons of the group (this one included) that can take the focus, in tab order.
    std::vector<TRadioButton*> FocusableGroup() const;

    TAlignment FAlignment = taRightJustify;
    bool FChecked = false;
};

#pragma GCC visibility pop
