#include "ui/GraphicControl.h"

#include "graphics/Canvas.h"

FW_PUBLISH(TGraphicControl) {
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), FIdleCanvas(std::make_unique<TCanvas>()) {
}

TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::Canvas() const {
    return FPaintCanvas ? FPaintCanvas : FIdleCanvas.get();
}

void TGraphicControl::PaintGraphic(TCanvas& canvas) {
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
