// TCheckBox: a check box (a native Qt check box) with the states unchecked, checked and grayed.
//
// A click (mouse, Space, mnemonic) moves to the next state: unchecked -> checked -> unchecked, or with
// AllowGrayed unchecked -> grayed -> checked -> unchecked; then OnClick fires. The program may set any
// state, grayed included, whatever AllowGrayed says. Forms store State; Checked is State == cbChecked.
#pragma once

#include "widgets/ButtonControl.h"
#include "widgets/ControlTypes.h"

#pragma GCC visibility push(default)

FW_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed);

class TCheckBox : public TButtonControl {
    FW_CLASS(TCheckBox, TButtonControl)
public:
    explicit TCheckBox(TComponent* owner);

    // taRightJustify puts the caption right of the box (the default), taLeftJustify left of it.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool value) { FAllowGrayed = value; }
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState state);

    // Moves to the state a click leads to.
    virtual void Toggle();

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;

private:
    void UpdateNativeState();

    TAlignment FAlignment = taRightJustify;
    bool FAllowGrayed = false;
    TCheckBoxState FState = cbUnchecked;
};

#pragma GCC visibility pop
