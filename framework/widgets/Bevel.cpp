#include "widgets/Bevel.h"
#include "core/ClassRegistry.h"

#include "graphics/Canvas.h"
#include "widgets/StandardProperties.h"

FW_PUBLISH(TBevel) {
    PublishAlign(p);
    p.Property("Shape", &TBevel::Shape, &TBevel::SetShape).Default(bsBox);
    PublishShowHint(p);
    p.Property("Style", &TBevel::Style, &TBevel::SetStyle).Default(bsLowered);
    PublishVisible(p);
}
FW_STREAMABLE(TBevel);

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape value) {
    FShape = value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
    FStyle = value;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas& canvas = *Canvas();
    const TColor dark = clBtnShadow, light = clBtnHighlight;
    const TColor first = FStyle == bsLowered ? dark : light;  // top and left
    const TColor second = FStyle == bsLowered ? light : dark; // bottom and right
    const int w = Width(), h = Height();
    auto fill = [&](TColor color, const TRect& r) {
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(color);
        canvas.FillRect(r);
    };
    switch (FShape) {
    case bsBox: {
        TRect r(0, 0, w, h);
        canvas.Frame3D(r, first, second, 1);
        break;
    }
    case bsFrame: {
        // The outer ring's light side lies under the inner ring's dark side and the other way round:
        // an etched groove (lowered) or a ridge (raised).
        TRect outer(1, 1, w, h);
        canvas.Frame3D(outer, second, second, 1);
        TRect inner(0, 0, w - 1, h - 1);
        canvas.Frame3D(inner, first, first, 1);
        break;
    }
    case bsTopLine:
        fill(first, {0, 0, w, 1});
        fill(second, {0, 1, w, 2});
        break;
    case bsBottomLine:
        fill(first, {0, h - 2, w, h - 1});
        fill(second, {0, h - 1, w, h});
        break;
    case bsLeftLine:
        fill(first, {0, 0, 1, h});
        fill(second, {1, 0, 2, h});
        break;
    case bsRightLine:
        fill(first, {w - 2, 0, w - 1, h});
        fill(second, {w - 1, 0, w, h});
        break;
    case bsSpacer:
        if (ComponentState().Contains(csDesigning)) {
            canvas.Pen()->SetStyle(psDot);
            canvas.Pen()->SetColor(clBlack);
            canvas.Brush()->SetStyle(bsClear);
            canvas.Rectangle(0, 0, w, h);
        }
        break;
    }
}
