#include "ui/CustomControl.h"

#include "graphics/Canvas.h"

FW_PUBLISH(TCustomControl) {
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), FIdleCanvas(std::make_unique<TCanvas>()) {
}

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas() const {
    return FPaintCanvas ? FPaintCanvas : FIdleCanvas.get();
}

void TCustomControl::PaintWindow(TCanvas& canvas) {
    TCanvas* previous = FPaintCanvas;
    FPaintCanvas = &canvas;
    canvas.SetFont(Font());
    try {
        Paint();
    } catch (...) {
        FPaintCanvas = previous;
        throw;
    }
    FPaintCanvas = previous;
}
