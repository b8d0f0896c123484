#include "ui/CustomControl.h"

FW_PUBLISH(TCustomControl) {
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {
}

TCanvas* TCustomControl::Canvas() const {
    return FCanvas.Current();
}

void TCustomControl::PaintWindow(TCanvas& canvas) {
    FCanvas.PaintOn(canvas, Font(), [this] { Paint(); });
}
