// TBrush: how a canvas fills figures and text backgrounds. bsClear fills nothing (text is drawn without
// background); the hatch styles draw lines of the brush colour over what is there.
#pragma once

#include "graphics/Colors.h"
#include "graphics/GraphicsObject.h"

#pragma GCC visibility push(default)

FW_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
        bsDiagCross);

class TBrush : public TGraphicsObject {
    FW_CLASS(TBrush, TGraphicsObject)
public:
    TBrush();

    void Assign(const TPersistent* source) override;

    TColor Color() const { return FColor; }
    // Also makes a bsClear brush solid.
    void SetColor(TColor color);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle style);

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

#pragma GCC visibility pop
