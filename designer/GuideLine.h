// TGuideLine: a one-pixel line in the designer's guide colour, shown on a drag window while a dragged
// frame lines up with a neighbour (TDragGuides). Like a grab handle it is a small window of its own above
// the controls, and its window carries the grab-handle marker, so the designer never takes it for the
// design surface.
#pragma once

#include "graphics/Colors.h"
#include "ui/WinControl.h"

#pragma GCC visibility push(default)

class TGuideLine : public TWinControl {
    FW_CLASS(TGuideLine, TWinControl)
public:
    // A hidden line of the colour, drawn on `window` once shown.
    TGuideLine(HWND window, TColor color);
    // Shows the line over the rectangle of the window's client area, above every other child window.
    void ShowAt(const TRect& rect);
    void Hide();
    bool Shown() const { return FShown; }

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    bool FShown = false;
};

#pragma GCC visibility pop
