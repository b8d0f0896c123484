#include "widgets/Shape.h"
#include "core/ClassRegistry.h"

#include "graphics/Brush.h"
#include "graphics/Canvas.h"
#include "graphics/Pen.h"
#include "widgets/StandardProperties.h"

FW_PUBLISH(TShape) {
    PublishAlign(p);
    p.Property("Brush", &TShape::Brush, &TShape::SetBrush);
    PublishDragMode(p);
    PublishEnabled(p);
    p.Property("Pen", &TShape::Pen, &TShape::SetPen);
    p.Property("Shape", &TShape::Shape, &TShape::SetShape).Default(stRectangle);
    PublishShowHint(p);
    PublishVisible(p);
    PublishDragEvents(p);
    PublishMouseEvents(p);
}
FW_STREAMABLE(TShape);

TShape::TShape(TComponent* owner)
    : TGraphicControl(owner), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
    SetBounds(0, 0, 65, 65);
    FPen->OnChange = TNotifyEvent::Bind<&TShape::StyleChanged>(this);
    FBrush->OnChange = TNotifyEvent::Bind<&TShape::StyleChanged>(this);
}

TShape::~TShape() = default;

void TShape::StyleChanged(TObject*) {
    Invalidate();
}

void TShape::SetShape(TShapeType value) {
    FShape = value;
    Invalidate();
}

void TShape::SetPen(TPen* pen) {
    FPen->Assign(pen);
}

void TShape::SetBrush(TBrush* brush) {
    FBrush->Assign(brush);
}

void TShape::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.SetPen(FPen.get());
    canvas.SetBrush(FBrush.get());
    TRect r = ClientRect();
    const bool square = FShape == stSquare || FShape == stRoundSquare || FShape == stCircle;
    const int side = std::min(r.Width(), r.Height());
    if (square) r = TRect::FromBounds((r.Width() - side) / 2, (r.Height() - side) / 2, side, side);
    switch (FShape) {
    case stRectangle:
    case stSquare:
        canvas.Rectangle(r);
        break;
    case stRoundRect:
    case stRoundSquare:
        canvas.RoundRect(r.Left, r.Top, r.Right, r.Bottom, side / 4, side / 4);
        break;
    case stEllipse:
    case stCircle:
        canvas.Ellipse(r);
        break;
    }
}
