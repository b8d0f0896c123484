#include "ui/GraphicControl.h"

FW_PUBLISH(TGraphicControl) {
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {
}

TCanvas* TGraphicControl::Canvas() const {
    return FCanvas.Current();
}

void TGraphicControl::PaintGraphic(TCanvas& canvas) {
    FCanvas.PaintOn(canvas, Font(), [this] { Paint(); });
}
