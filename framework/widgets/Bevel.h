// TBevel: a 3-D box, frame or line drawn on its parent. A lowered bevel has its dark side top-left and
// its light side bottom-right, a raised one the reverse:
//   bsBox        one rectangle round the whole bevel;
//   bsFrame      two rectangles, one pixel apart, that make an etched (or embossed) frame;
//   bsTopLine, bsBottomLine, bsLeftLine, bsRightLine   a two-pixel line along that edge;
//   bsSpacer     nothing (a dotted outline while designed).
#pragma once

#include "ui/GraphicControl.h"

#pragma GCC visibility push(default)

FW_ENUM(TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer);
FW_ENUM(TBevelStyle, bsLowered, bsRaised);

class TBevel : public TGraphicControl {
    FW_CLASS(TBevel, TGraphicControl)
public:
    explicit TBevel(TComponent* owner);

    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

#pragma GCC visibility pop
