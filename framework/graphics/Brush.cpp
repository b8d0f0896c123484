#include "graphics/Brush.h"

FW_PUBLISH(TBrush) {
    p.Property("Color", &TBrush::Color, &TBrush::SetColor).Default(clWhite);
    p.Property("Style", &TBrush::Style, &TBrush::SetStyle).Default(bsSolid);
}

TBrush::TBrush() = default;

void TBrush::Assign(const TPersistent* source) {
    if (auto* brush = dynamic_cast<const TBrush*>(source)) {
        FColor = brush->FColor;
        FStyle = brush->FStyle;
        Changed();
        return;
    }
    inherited::Assign(source);
}

void TBrush::SetColor(TColor color) {
    // Picking a colour for a hollow brush makes it solid again.
    if (color == FColor && FStyle != bsClear) return;
    FColor = color;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}
