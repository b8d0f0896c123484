// TShape: a figure drawn on its parent, outlined with Pen and filled with Brush. The rectangle, rounded
// rectangle and ellipse fill the control; the square, rounded square and circle take the largest square
// centred in it. Rounded corners have a radius of an eighth of the smaller side.
#pragma once

#include "ui/GraphicControl.h"

#include <memory>

#pragma GCC visibility push(default)

class TPen;
class TBrush;

FW_ENUM(TShapeType, stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle);

class TShape : public TGraphicControl {
    FW_CLASS(TShape, TGraphicControl)
public:
    explicit TShape(TComponent* owner);
    ~TShape() override;

    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType value);
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* pen); // copies
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* brush); // copies

protected:
    void Paint() override;

private:
    void StyleChanged(TObject* sender);

    TShapeType FShape = stRectangle;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
};

#pragma GCC visibility pop
