// TCustomControl: a windowed control that paints itself: Paint draws on Canvas while the window paints.
#pragma once

#include "ui/PaintCanvas.h"
#include "ui/WinControl.h"

#pragma GCC visibility push(default)

class TCustomControl : public TWinControl {
    FW_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* owner);

    // The canvas being painted on while Paint runs; outside painting a canvas that draws nothing.
    TCanvas* Canvas() const;

protected:
    virtual void Paint() {}
    void PaintWindow(TCanvas& canvas) override;

private:
    TPaintCanvas FCanvas;
};

#pragma GCC visibility pop
