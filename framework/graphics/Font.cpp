#include "graphics/Font.h"

#include "core/SysUtils.h"

FW_PUBLISH(TFont) {
    p.Property("Charset", &TFont::Charset, &TFont::SetCharset).Default(DEFAULT_CHARSET);
    p.Property("Color", &TFont::Color, &TFont::SetColor).Default(clWindowText);
    p.Property("Height", &TFont::Height, &TFont::SetHeight).NoDefault();
    p.Property("Name", &TFont::Name, &TFont::SetName);
    p.Property("Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
    p.Property("Size", &TFont::Size, &TFont::SetSize).Stored(false);
    p.Property("Style", &TFont::Style, &TFont::SetStyle).Default(TFontStyles{});
}

TFont::TFont() = default;

void TFont::Assign(const TPersistent* source) {
    if (auto* font = dynamic_cast<const TFont*>(source)) {
        FCharset = font->FCharset;
        FColor = font->FColor;
        FHeight = font->FHeight;
        FName = font->FName;
        FPitch = font->FPitch;
        FStyle = font->FStyle;
        FPixelsPerInch = font->FPixelsPerInch;
        Changed();
        return;
    }
    inherited::Assign(source);
}

bool TFont::SameAs(const TFont& other) const {
    return FCharset == other.FCharset && FColor == other.FColor && FHeight == other.FHeight &&
           FName == other.FName && FPitch == other.FPitch && FStyle == other.FStyle;
}

void TFont::SetCharset(TFontCharset charset) {
    if (charset == FCharset) return;
    FCharset = charset;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == FHeight) return;
    FHeight = height;
    Changed();
}

void TFont::SetName(const TFontName& name) {
    if (name == FName) return;
    FName = name;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == FPitch) return;
    FPitch = pitch;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(FHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, FPixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}
