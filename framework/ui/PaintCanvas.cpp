#include "ui/PaintCanvas.h"

#include "graphics/Canvas.h"

TPaintCanvas::TPaintCanvas() : FIdle(std::make_unique<TCanvas>()) {
}

TPaintCanvas::~TPaintCanvas() = default;

TCanvas* TPaintCanvas::Current() const {
    return FPainting ? FPainting : FIdle.get();
}

void TPaintCanvas::PaintOn(TCanvas& canvas, const TFont* font, const std::function<void()>& paint) {
    struct Restore {
        TCanvas*& slot;
        TCanvas* previous;
        ~Restore() { slot = previous; }
    } restore{FPainting, FPainting};
    FPainting = &canvas;
    canvas.SetFont(font);
    paint();
}
