// TCustomControl: a windowed control that paints itself: Paint draws on Canvas while the window paints.
#pragma once

#include "ui/WinControl.h"

#include <memory>

class TCustomControl : public TWinControl {
    FW_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    // The canvas being painted on while Paint runs; outside painting a canvas that draws nothing.
    TCanvas* Canvas() const;

protected:
    virtual void Paint() {}
    void PaintWindow(TCanvas& canvas) override;

private:
    TCanvas* FPaintCanvas = nullptr;
    std::unique_ptr<TCanvas> FIdleCanvas;
};
