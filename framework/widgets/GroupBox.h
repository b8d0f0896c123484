// TGroupBox: a framed container with a caption in its top edge (a native Qt group box). Its child
// controls are placed relative to its top-left corner; aligned children fill the area inside the frame
// and below the caption. "&" in the caption marks a mnemonic that moves the focus into the box.
#pragma once

#include "ui/WinControl.h"

#pragma GCC visibility push(default)

class TGroupBox : public TWinControl {
    FW_CLASS(TGroupBox, TWinControl)
public:
    explicit TGroupBox(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void TextChanged() override;
    void AlignControls(TControl* control, TRect& rect) override;
};

#pragma GCC visibility pop
