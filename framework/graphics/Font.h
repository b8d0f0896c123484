// TFont: the font of a control or a canvas.
//
// Height is in pixels; a negative height is the character height without internal leading, which is how
// forms store it. Size is in points at 96 pixels per inch (Size = -Height * 72 / 96, rounded), so setting
// one sets the other. Forms store Charset, Color, Height, Name, Pitch and Style under the owning property's
// name ("Font.Height"); Size is never stored, and values equal to a new font's are left out, except Height
// and Name, which are always written.
#pragma once

#include "graphics/Colors.h"
#include "graphics/GraphicsObject.h"

#include <string>

#pragma GCC visibility push(default)

FW_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut);
FW_SET(TFontStyles, TFontStyle);
FW_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed);
FW_STRING_TYPE(TFontName);

class TFont : public TGraphicsObject {
    FW_CLASS(TFont, TGraphicsObject)
public:
    static constexpr int DefaultHeight = -11;
    static constexpr const char* DefaultName = "MS Sans Serif";

    TFont();

    // Copies every property from another TFont and notifies once; other sources fail like TPersistent's.
    void Assign(const TPersistent* source) override;
    // True when both fonts would draw the same (PixelsPerInch aside).
    bool SameAs(const TFont& other) const;

    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset charset);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    int Height() const { return FHeight; }
    void SetHeight(int height);
    const TFontName& Name() const { return FName; }
    void SetName(const TFontName& name);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch pitch);
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);

    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int pixelsPerInch) { FPixelsPerInch = pixelsPerInch > 0 ? pixelsPerInch : 96; }

private:
    TFontCharset FCharset = DEFAULT_CHARSET;
    TColor FColor = clWindowText;
    int FHeight = DefaultHeight;
    TFontName FName = DefaultName;
    TFontPitch FPitch = fpDefault;
    TFontStyles FStyle;
    int FPixelsPerInch = 96;
};

#pragma GCC visibility pop
