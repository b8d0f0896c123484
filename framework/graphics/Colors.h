// Colours, cursors and font character sets, with their identifier tables.
//
// A TColor is 32 bits. A fixed colour holds red in the low byte, then green, then blue (0x00BBGGRR). A
// system colour is 0x80000000 + its index; ColorToRGB maps it to the framework's palette, which looks like
// a classic light desktop theme (silver button faces, white windows, navy highlight). clNone and
// clDefault are markers that mean "no colour" and "the control's own default".
//
// Each table lists name and value in a fixed order. Lookups from text ignore letter case; lookups from a
// value find the first entry with that value.
#pragma once

#include "rtti/TypeInfo.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#pragma GCC visibility push(default)

FW_INTEGER_TYPE_WITH_IDENTS(TColor, int32_t, INT32_MIN, INT32_MAX, ColorToIdent, IdentToColor);
FW_INTEGER_TYPE_WITH_IDENTS(TCursor, int16_t, INT16_MIN, INT16_MAX, CursorToIdent, IdentToCursor);
FW_INTEGER_TYPE_WITH_IDENTS(TFontCharset, uint8_t, 0, 255, CharsetToIdent, IdentToCharset);

// One line of an identifier table.
struct TIdentMapEntry {
    int32_t Value;
    const char* Name;
};

// Receives the names of a table, one call per entry, in table order.
using TGetStrProc = std::function<void(const std::string& name)>;

// ---- colours ----------------------------------------------------------------------------------------------

inline constexpr TColor TColorOf(uint32_t value) {
    return static_cast<TColor>(static_cast<int32_t>(value));
}
// The fixed colour with these components.
inline constexpr TColor RGB(uint8_t red, uint8_t green, uint8_t blue) {
    return TColorOf(red | green << 8 | blue << 16);
}
inline constexpr uint8_t GetRValue(int32_t rgb) {
    return rgb & 0xFF;
}
inline constexpr uint8_t GetGValue(int32_t rgb) {
    return (rgb >> 8) & 0xFF;
}
inline constexpr uint8_t GetBValue(int32_t rgb) {
    return (rgb >> 16) & 0xFF;
}

inline constexpr TColor clBlack = TColorOf(0x000000);
inline constexpr TColor clMaroon = TColorOf(0x000080);
inline constexpr TColor clGreen = TColorOf(0x008000);
inline constexpr TColor clOlive = TColorOf(0x008080);
inline constexpr TColor clNavy = TColorOf(0x800000);
inline constexpr TColor clPurple = TColorOf(0x800080);
inline constexpr TColor clTeal = TColorOf(0x808000);
inline constexpr TColor clGray = TColorOf(0x808080);
inline constexpr TColor clSilver = TColorOf(0xC0C0C0);
inline constexpr TColor clRed = TColorOf(0x0000FF);
inline constexpr TColor clLime = TColorOf(0x00FF00);
inline constexpr TColor clYellow = TColorOf(0x00FFFF);
inline constexpr TColor clBlue = TColorOf(0xFF0000);
inline constexpr TColor clFuchsia = TColorOf(0xFF00FF);
inline constexpr TColor clAqua = TColorOf(0xFFFF00);
inline constexpr TColor clWhite = TColorOf(0xFFFFFF);

inline constexpr uint32_t clSystemColor = 0x80000000;
inline constexpr TColor clScrollBar = TColorOf(clSystemColor + 0);
inline constexpr TColor clBackground = TColorOf(clSystemColor + 1);
inline constexpr TColor clActiveCaption = TColorOf(clSystemColor + 2);
inline constexpr TColor clInactiveCaption = TColorOf(clSystemColor + 3);
inline constexpr TColor clMenu = TColorOf(clSystemColor + 4);
inline constexpr TColor clWindow = TColorOf(clSystemColor + 5);
inline constexpr TColor clWindowFrame = TColorOf(clSystemColor + 6);
inline constexpr TColor clMenuText = TColorOf(clSystemColor + 7);
inline constexpr TColor clWindowText = TColorOf(clSystemColor + 8);
inline constexpr TColor clCaptionText = TColorOf(clSystemColor + 9);
inline constexpr TColor clActiveBorder = TColorOf(clSystemColor + 10);
inline constexpr TColor clInactiveBorder = TColorOf(clSystemColor + 11);
inline constexpr TColor clAppWorkSpace = TColorOf(clSystemColor + 12);
inline constexpr TColor clHighlight = TColorOf(clSystemColor + 13);
inline constexpr TColor clHighlightText = TColorOf(clSystemColor + 14);
inline constexpr TColor clBtnFace = TColorOf(clSystemColor + 15);
inline constexpr TColor clBtnShadow = TColorOf(clSystemColor + 16);
inline constexpr TColor clGrayText = TColorOf(clSystemColor + 17);
inline constexpr TColor clBtnText = TColorOf(clSystemColor + 18);
inline constexpr TColor clInactiveCaptionText = TColorOf(clSystemColor + 19);
inline constexpr TColor clBtnHighlight = TColorOf(clSystemColor + 20);
inline constexpr TColor cl3DDkShadow = TColorOf(clSystemColor + 21);
inline constexpr TColor cl3DLight = TColorOf(clSystemColor + 22);
inline constexpr TColor clInfoText = TColorOf(clSystemColor + 23);
inline constexpr TColor clInfoBk = TColorOf(clSystemColor + 24);
inline constexpr int SystemColorCount = 25;

inline constexpr TColor clNone = TColorOf(0x1FFFFFFF);
inline constexpr TColor clDefault = TColorOf(0x20000000);

// The 0x00BBGGRR value shown for a colour: a system colour's palette entry, any other value unchanged.
int32_t ColorToRGB(TColor color);

// The 42 entries: the 16 fixed colours, the 25 system colours, clNone.
std::span<const TIdentMapEntry> ColorIdents();
bool ColorToIdent(int32_t color, std::string& ident);
bool IdentToColor(std::string_view ident, int32_t& color);
// The table name ("clRed"), else "$" and eight hexadecimal digits ("$00123456").
std::string ColorToString(TColor color);
// A table name (any case), else an integer in decimal or "$"/"0x" hexadecimal; other text fails with
// EConvertError "'%s' is not a valid integer value".
TColor StringToColor(std::string_view text);
void GetColorValues(const TGetStrProc& proc);

// ---- cursors ----------------------------------------------------------------------------------------------

inline constexpr TCursor crDefault = TCursor(0);
inline constexpr TCursor crNone = TCursor(-1);
inline constexpr TCursor crArrow = TCursor(-2);
inline constexpr TCursor crCross = TCursor(-3);
inline constexpr TCursor crIBeam = TCursor(-4);
inline constexpr TCursor crSize = TCursor(-5);
inline constexpr TCursor crSizeNESW = TCursor(-6);
inline constexpr TCursor crSizeNS = TCursor(-7);
inline constexpr TCursor crSizeNWSE = TCursor(-8);
inline constexpr TCursor crSizeWE = TCursor(-9);
inline constexpr TCursor crUpArrow = TCursor(-10);
inline constexpr TCursor crHourGlass = TCursor(-11);
inline constexpr TCursor crDrag = TCursor(-12);
inline constexpr TCursor crNoDrop = TCursor(-13);
inline constexpr TCursor crHSplit = TCursor(-14);
inline constexpr TCursor crVSplit = TCursor(-15);
inline constexpr TCursor crMultiDrag = TCursor(-16);
inline constexpr TCursor crSQLWait = TCursor(-17);
inline constexpr TCursor crNo = TCursor(-18);
inline constexpr TCursor crAppStart = TCursor(-19);
inline constexpr TCursor crHelp = TCursor(-20);
inline constexpr TCursor crHandPoint = TCursor(-21);

// The 21 entries, crDefault to crHandPoint, then crSize last. crNone has no name.
std::span<const TIdentMapEntry> CursorIdents();
bool CursorToIdent(int32_t cursor, std::string& ident);
bool IdentToCursor(std::string_view ident, int32_t& cursor);
// The table name, else the value in decimal.
std::string CursorToString(TCursor cursor);
// A table name (any case), else an integer; other text fails like StringToColor, and a number outside
// the 16-bit range with EConvertError "Value must be between -32768 and 32767".
TCursor StringToCursor(std::string_view text);
void GetCursorValues(const TGetStrProc& proc);

// ---- font character sets ----------------------------------------------------------------------------------

inline constexpr TFontCharset ANSI_CHARSET = TFontCharset(0);
inline constexpr TFontCharset DEFAULT_CHARSET = TFontCharset(1);
inline constexpr TFontCharset SYMBOL_CHARSET = TFontCharset(2);
inline constexpr TFontCharset MAC_CHARSET = TFontCharset(77);
inline constexpr TFontCharset SHIFTJIS_CHARSET = TFontCharset(128);
inline constexpr TFontCharset HANGEUL_CHARSET = TFontCharset(129);
inline constexpr TFontCharset JOHAB_CHARSET = TFontCharset(130);
inline constexpr TFontCharset GB2312_CHARSET = TFontCharset(134);
inline constexpr TFontCharset CHINESEBIG5_CHARSET = TFontCharset(136);
inline constexpr TFontCharset GREEK_CHARSET = TFontCharset(161);
inline constexpr TFontCharset TURKISH_CHARSET = TFontCharset(162);
inline constexpr TFontCharset HEBREW_CHARSET = TFontCharset(177);
inline constexpr TFontCharset ARABIC_CHARSET = TFontCharset(178);
inline constexpr TFontCharset BALTIC_CHARSET = TFontCharset(186);
inline constexpr TFontCharset RUSSIAN_CHARSET = TFontCharset(204);
inline constexpr TFontCharset THAI_CHARSET = TFontCharset(222);
inline constexpr TFontCharset EASTEUROPE_CHARSET = TFontCharset(238);
inline constexpr TFontCharset OEM_CHARSET = TFontCharset(255);

// The 18 entries, in the order of the constants above.
std::span<const TIdentMapEntry> CharsetIdents();
bool CharsetToIdent(int32_t charset, std::string& ident);
bool IdentToCharset(std::string_view ident, int32_t& charset);
void GetCharsetValues(const TGetStrProc& proc);

#pragma GCC visibility pop
