// TGraphicControl: a control without a window of its own. Its parent paints it (Paint, on the parent's
// canvas moved to the control's origin and clipped to its bounds) and hands it the mouse messages that
// fall on it.
#pragma once

#include "ui/Control.h"
#include "ui/PaintCanvas.h"

#pragma GCC visibility push(default)

class TGraphicControl : public TControl {
    FW_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* owner);

    // The canvas being painted on while Paint runs; outside painting a canvas that draws nothing.
    TCanvas* Canvas() const;

protected:
    virtual void Paint() {}
    void PaintGraphic(TCanvas& canvas) override;

private:
    TPaintCanvas FCanvas;
};

#pragma GCC visibility pop
