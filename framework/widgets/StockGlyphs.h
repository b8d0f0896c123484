// The glyphs of the standard bitmap-button kinds, drawn in code: a check mark for OK and Yes, a cross for
// Cancel, a question mark for Help, a barred circle for No, a door for Close, a crossed red disc for
// Abort, a circular arrow for Retry, a jump arrow for Ignore and a double check mark for All.
#pragma once

#pragma GCC visibility push(default)

class TBitmap;

// Draws the glyph of kind `kind` (a TBitBtnKind value other than bkCustom) into `glyph`: 18 x 18 pixels
// on an olive background, which its bottom-left pixel makes the transparent colour. bkCustom clears it.
void DrawStockGlyph(int kind, TBitmap& glyph);

#pragma GCC visibility pop
