#include "ui/PaintCanvas.h"

#include "core/ScopeGuard.h"
#include "graphics/Canvas.h"

TPaintCanvas::TPaintCanvas() : FIdle(std::make_unique<TCanvas>()) {
}

TPaintCanvas::~TPaintCanvas() = default;

TCanvas* TPaintCanvas::Current() const {
    return FPainting ? FPainting : FIdle.get();
}

void TPaintCanvas::PaintOn(TCanvas& canvas, const TFont* font, const std::function<void()>& paint) {
    const TRestore<TCanvas*> painting(FPainting, &canvas);

    canvas.SetFont(font);
    paint();
}
