// TButtonControl: what push buttons, check boxes and radio buttons have in common. Each is a native Qt
// button whose caption is the control's Caption ("&" marks the mnemonic) and whose clicks by mouse,
// Space or mnemonic call Click(), which fires OnClick. Clicks come only from the user (or from calling
// Click()); setting a property never fires OnClick.
#pragma once

#include "ui/WinControl.h"

#pragma GCC visibility push(default)

class TButtonControl : public TWinControl {
    FW_CLASS(TButtonControl, TWinControl)
public:
    explicit TButtonControl(TComponent* owner);

protected:
    void CreateHandle() override;
    void TextChanged() override;
    // Shows the caption on the native button; a control that draws its caption itself overrides it.
    virtual void UpdateNativeCaption();
};

#pragma GCC visibility pop
