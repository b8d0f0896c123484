#include "graphics/Colors.h"

#include "core/SysUtils.h"

namespace {

constexpr TIdentMapEntry colorTable[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
};

// The palette behind the system colours, indexed like them.
constexpr int32_t systemPalette[SystemColorCount] = {
    RGB(192, 192, 192), // scroll bar
    RGB(0, 128, 128),   // desktop background
    RGB(0, 0, 128),     // active caption
    RGB(128, 128, 128), // inactive caption
    RGB(192, 192, 192), // menu
    RGB(255, 255, 255), // window
    RGB(0, 0, 0),       // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(255, 255, 255), // caption text
    RGB(192, 192, 192), // active border
    RGB(192, 192, 192), // inactive border
    RGB(128, 128, 128), // application work space
    RGB(0, 0, 128),     // highlight
    RGB(255, 255, 255), // highlight text
    RGB(192, 192, 192), // button face
    RGB(128, 128, 128), // button shadow
    RGB(128, 128, 128), // grey text
    RGB(0, 0, 0),       // button text
    RGB(192, 192, 192), // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(0, 0, 0),       // 3-D dark shadow
    RGB(223, 223, 223), // 3-D light
    RGB(0, 0, 0),       // tooltip text
    RGB(255, 255, 225), // tooltip background
};

constexpr TIdentMapEntry cursorTable[] = {
    {crDefault, "crDefault"},
    {crArrow, "crArrow"},
    {crCross, "crCross"},
    {crIBeam, "crIBeam"},
    {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},
    {crSizeNWSE, "crSizeNWSE"},
    {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},
    {crHourGlass, "crHourGlass"},
    {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},
    {crHSplit, "crHSplit"},
    {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"},
    {crSQLWait, "crSQLWait"},
    {crNo, "crNo"},
    {crAppStart, "crAppStart"},
    {crHelp, "crHelp"},
    {crHandPoint, "crHandPoint"},
    {crSize, "crSize"},
};

constexpr TIdentMapEntry charsetTable[] = {
    {ANSI_CHARSET, "ANSI_CHARSET"},
    {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
    {MAC_CHARSET, "MAC_CHARSET"},
    {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
    {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
    {JOHAB_CHARSET, "JOHAB_CHARSET"},
    {GB2312_CHARSET, "GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
    {GREEK_CHARSET, "GREEK_CHARSET"},
    {TURKISH_CHARSET, "TURKISH_CHARSET"},
    {HEBREW_CHARSET, "HEBREW_CHARSET"},
    {ARABIC_CHARSET, "ARABIC_CHARSET"},
    {BALTIC_CHARSET, "BALTIC_CHARSET"},
    {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
    {THAI_CHARSET, "THAI_CHARSET"},
    {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"},
};

bool ValueToIdent(std::span<const TIdentMapEntry> table, int32_t value, std::string& ident) {
    for (const TIdentMapEntry& e : table)
        if (e.Value == value) {
            ident = e.Name;
            return true;
        }
    return false;
}

bool IdentToValue(std::span<const TIdentMapEntry> table, std::string_view ident, int32_t& value) {
    for (const TIdentMapEntry& e : table)
        if (SameText(e.Name, ident)) {
            value = e.Value;
            return true;
        }
    return false;
}

void ListNames(std::span<const TIdentMapEntry> table, const TGetStrProc& proc) {
    for (const TIdentMapEntry& e : table)
        proc(e.Name);
}

} // namespace

int32_t ColorToRGB(TColor color) {
    const uint32_t value = static_cast<uint32_t>(color);
    if ((value & 0xFF000000u) == clSystemColor) {
        const uint32_t index = value & 0xFFu;
        return index < SystemColorCount ? systemPalette[index] : 0;
    }
    return color;
}

std::span<const TIdentMapEntry> ColorIdents() {
    return colorTable;
}
bool ColorToIdent(int32_t color, std::string& ident) {
    return ValueToIdent(colorTable, color, ident);
}
bool IdentToColor(std::string_view ident, int32_t& color) {
    return IdentToValue(colorTable, ident, color);
}
std::string ColorToString(TColor color) {
    std::string ident;
    if (ColorToIdent(color, ident)) return ident;
    return Format("$%.8x", static_cast<int32_t>(color));
}
TColor StringToColor(std::string_view text) {
    int32_t value;
    if (IdentToColor(text, value)) return TColor(value);
    return TColor(StrToInt(text));
}
void GetColorValues(const TGetStrProc& proc) {
    ListNames(colorTable, proc);
}

std::span<const TIdentMapEntry> CursorIdents() {
    return cursorTable;
}
bool CursorToIdent(int32_t cursor, std::string& ident) {
    return ValueToIdent(cursorTable, cursor, ident);
}
bool IdentToCursor(std::string_view ident, int32_t& cursor) {
    return IdentToValue(cursorTable, ident, cursor);
}
std::string CursorToString(TCursor cursor) {
    std::string ident;
    if (CursorToIdent(cursor, ident)) return ident;
    return IntToStr(cursor);
}
TCursor StringToCursor(std::string_view text) {
    int32_t ident;
    if (IdentToCursor(text, ident)) return TCursor(ident);
    const int value = StrToInt(text);
    if (value < INT16_MIN || value > INT16_MAX)
        throw EConvertError(Format("Value must be between %d and %d", INT16_MIN, INT16_MAX));
    return TCursor(value);
}
void GetCursorValues(const TGetStrProc& proc) {
    ListNames(cursorTable, proc);
}

std::span<const TIdentMapEntry> CharsetIdents() {
    return charsetTable;
}
bool CharsetToIdent(int32_t charset, std::string& ident) {
    return ValueToIdent(charsetTable, charset, ident);
}
bool IdentToCharset(std::string_view ident, int32_t& charset) {
    return IdentToValue(charsetTable, ident, charset);
}
void GetCharsetValues(const TGetStrProc& proc) {
    ListNames(charsetTable, proc);
}
