// The canvas a self-painting control hands its Paint: the canvas of the paint in progress, or, outside
// painting, a canvas with no surface that draws nothing.
#pragma once

#include <functional>
#include <memory>

#pragma GCC visibility push(default)

class TCanvas;
class TFont;

class TPaintCanvas {
public:
    TPaintCanvas();
    ~TPaintCanvas();

    TCanvas* Current() const;
    // Makes `canvas` (with `font`) current while `paint` runs, also when it throws.
    void PaintOn(TCanvas& canvas, const TFont* font, const std::function<void()>& paint);

private:
    TCanvas* FPainting = nullptr;
    std::unique_ptr<TCanvas> FIdle;
};

#pragma GCC visibility pop
