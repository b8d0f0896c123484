#include "graphics/Pen.h"

FW_PUBLISH(TPen) {
    p.Property("Color", &TPen::Color, &TPen::SetColor).Default(clBlack);
    p.Property("Mode", &TPen::Mode, &TPen::SetMode).Default(pmCopy);
    p.Property("Style", &TPen::Style, &TPen::SetStyle).Default(psSolid);
    p.Property("Width", &TPen::Width, &TPen::SetWidth).Default(1);
}

TPen::TPen() = default;

void TPen::Assign(const TPersistent* source) {
    if (auto* pen = dynamic_cast<const TPen*>(source)) {
        FColor = pen->FColor;
        FMode = pen->FMode;
        FStyle = pen->FStyle;
        FWidth = pen->FWidth;
        Changed();
        return;
    }
    inherited::Assign(source);
}

void TPen::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TPen::SetMode(TPenMode mode) {
    if (mode == FMode) return;
    FMode = mode;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TPen::SetWidth(int width) {
    if (width < 1) width = 1;
    if (width == FWidth) return;
    FWidth = width;
    Changed();
}
