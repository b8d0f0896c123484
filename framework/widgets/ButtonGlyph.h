// The glyph and caption of bitmap buttons and speed buttons: where they go and how they are drawn.
//
// A glyph bitmap holds NumGlyphs images of equal width side by side: up, disabled, pressed, down (stays
// down). A state whose image is missing uses the up image; a missing disabled image is made from the up
// image as an embossed grey shape. The glyph is drawn transparently: pixels of its transparent colour
// (by default its bottom-left pixel) show the button face.
//
// Layout puts the glyph left, right, above or below the caption. Margin is the distance from the edge of
// the button to the glyph (-1: glyph and caption are centred together); Spacing the distance between
// glyph and caption (-1: the free space is shared out evenly).
#pragma once

#include "graphics/Types.h"
#include "rtti/TypeInfo.h"

#include <string>

#pragma GCC visibility push(default)

class TBitmap;
class TCanvas;

FW_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom);
FW_INTEGER_TYPE(TNumGlyphs, uint8_t, 1, 4);

enum class TGlyphState { Up, Disabled, Pressed, Down };

struct TButtonContentPlace {
    TPoint Glyph;  // top-left corner of the glyph
    TRect Caption; // the caption's rectangle
};

// Places a glyph and a caption of the given sizes in `client`. Either may be empty (0 x 0); then there
// is no spacing between them.
TButtonContentPlace PlaceButtonContent(const TRect& client, TSize glyphSize, TSize captionSize,
                                       TButtonLayout layout, int margin, int spacing);

// The size of one glyph image (0 x 0 without a glyph).
TSize GlyphImageSize(const TBitmap* glyph, int numGlyphs);

// Draws glyph and caption ("&" underlines the next character) in `client`, shifted by `offset` (a
// pressed button's content moves by one pixel). Disabled captions are drawn embossed.
void DrawButtonContent(TCanvas& canvas, const TRect& client, TBitmap* glyph, int numGlyphs, TGlyphState state,
                       const std::string& caption, TButtonLayout layout, int margin, int spacing,
                       TPoint offset);

#pragma GCC visibility pop
