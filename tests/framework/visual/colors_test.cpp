// Colour, cursor and character-set tables and their conversions.
#include "core/Exceptions.h"
#include "core/SysUtils.h"
#include "graphics/Colors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Collect(void (*list)(const TGetStrProc&)) {
    std::vector<std::string> names;
    list([&](const std::string& name) { names.push_back(name); });
    return names;
}

TEST(ColorTable, ListsTheFortyTwoNamesInOrder) {
    const std::vector<std::string> expected = {
        "clBlack",        "clMaroon",      "clGreen",         "clOlive",
        "clNavy",         "clPurple",      "clTeal",          "clGray",
        "clSilver",       "clRed",         "clLime",          "clYellow",
        "clBlue",         "clFuchsia",     "clAqua",          "clWhite",
        "clScrollBar",    "clBackground",  "clActiveCaption", "clInactiveCaption",
        "clMenu",         "clWindow",      "clWindowFrame",   "clMenuText",
        "clWindowText",   "clCaptionText", "clActiveBorder",  "clInactiveBorder",
        "clAppWorkSpace", "clHighlight",   "clHighlightText", "clBtnFace",
        "clBtnShadow",    "clGrayText",    "clBtnText",       "clInactiveCaptionText",
        "clBtnHighlight", "cl3DDkShadow",  "cl3DLight",       "clInfoText",
        "clInfoBk",       "clNone"};
    EXPECT_EQ(Collect(GetColorValues), expected);
}

TEST(ColorTable, ValuesOfEveryEntry) {
    const uint32_t fixed[] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
                              0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    auto table = ColorIdents();
    ASSERT_EQ(table.size(), 42u);
    for (size_t i = 0; i < 16; ++i)
        EXPECT_EQ(static_cast<uint32_t>(table[i].Value), fixed[i]) << table[i].Name;
    for (size_t i = 16; i < 41; ++i)
        EXPECT_EQ(static_cast<uint32_t>(table[i].Value), 0x80000000u + (i - 16)) << table[i].Name;
    EXPECT_EQ(table[41].Value, 0x1FFFFFFF);
}

TEST(ColorConversion, TextAndValue) {
    struct Row {
        int32_t value;
        const char* text;
    } rows[] = {
        {0x000000FF, "clRed"},
        {0x00123456, "$00123456"},
        {static_cast<int32_t>(0x8000000F), "clBtnFace"},
        {0x1FFFFFFF, "clNone"},
        {0x20000000, "$20000000"},
        {-1, "$FFFFFFFF"},
        {static_cast<int32_t>(0x80000019), "$80000019"}, // one past the last system colour
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(ColorToString(TColor(r.value)), r.text);
        EXPECT_EQ(StringToColor(r.text), TColor(r.value));
    }
}

TEST(ColorConversion, NamesIgnoreCaseAndNumbersAreAccepted) {
    EXPECT_EQ(StringToColor("clbtnface"), clBtnFace);
    EXPECT_EQ(StringToColor("CLRED"), clRed);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_EQ(StringToColor("$80000005"), clWindow);
    EXPECT_EQ(StringToColor("-1"), TColor(-1));
    int32_t value = 0;
    EXPECT_TRUE(IdentToColor("cl3ddkshadow", value));
    EXPECT_EQ(value, static_cast<int32_t>(0x80000015));
    EXPECT_FALSE(IdentToColor("clOrange", value));
    std::string ident;
    EXPECT_FALSE(ColorToIdent(0x123456, ident));
}

TEST(ColorConversion, BadTextFails) {
    for (const char* text : {"clOrange", "", "12abc", "$"}) {
        SCOPED_TRACE(text);
        try {
            StringToColor(text);
            FAIL() << "no error";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), std::string("'") + text + "' is not a valid integer value");
        }
    }
}

TEST(ColorToRGB, SystemColoursFollowTheClassicLightPalette) {
    struct Row {
        TColor color;
        int32_t rgb;
    } rows[] = {
        {clBtnFace, 0xC0C0C0},      {clWindow, 0xFFFFFF},         {clWindowText, 0x000000},
        {clHighlight, 0x800000},    {clHighlightText, 0xFFFFFF},  {clBtnShadow, 0x808080},
        {clBtnHighlight, 0xFFFFFF}, {cl3DDkShadow, 0x000000},     {clGrayText, 0x808080},
        {clRed, 0x0000FF},          {TColor(0x123456), 0x123456},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ColorToRGB(r.color), r.rgb) << ColorToString(r.color);
    // The light 3-D colour lies between the button face and white, so raised edges show.
    const int32_t light = ColorToRGB(cl3DLight);
    EXPECT_GT(GetRValue(light), 0xC0);
    EXPECT_LT(GetRValue(light), 0xFF);
}

TEST(ColorComponents, RedIsTheLowByte) {
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), TColor(0x563412));
    EXPECT_EQ(GetRValue(0x563412), 0x12);
    EXPECT_EQ(GetGValue(0x563412), 0x34);
    EXPECT_EQ(GetBValue(0x563412), 0x56);
}

TEST(CursorTable, ListsTwentyOneNamesWithSizeLast) {
    const std::vector<std::string> expected = {
        "crDefault",   "crArrow",   "crCross",     "crIBeam",    "crSizeNESW", "crSizeNS",    "crSizeNWSE",
        "crSizeWE",    "crUpArrow", "crHourGlass", "crDrag",     "crNoDrop",   "crHSplit",    "crVSplit",
        "crMultiDrag", "crSQLWait", "crNo",        "crAppStart", "crHelp",     "crHandPoint", "crSize"};
    EXPECT_EQ(Collect(GetCursorValues), expected);
    const int values[] = {0,   -2,  -3,  -4,  -6,  -7,  -8,  -9,  -10, -11, -12,
                          -13, -14, -15, -16, -17, -18, -19, -20, -21, -5};
    auto table = CursorIdents();
    ASSERT_EQ(table.size(), 21u);
    for (size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(table[i].Value, values[i]) << table[i].Name;
}

TEST(CursorConversion, TextAndValue) {
    EXPECT_EQ(CursorToString(crSize), "crSize");
    EXPECT_EQ(CursorToString(TCursor(7)), "7");
    EXPECT_EQ(CursorToString(crNone), "-1");
    EXPECT_EQ(StringToCursor("crhsplit"), crHSplit);
    EXPECT_EQ(StringToCursor("-5"), crSize);
    int32_t value = 1;
    EXPECT_TRUE(IdentToCursor("CRDEFAULT", value));
    EXPECT_EQ(value, 0);
    EXPECT_THROW(StringToCursor("crBogus"), EConvertError);
    try {
        StringToCursor("40000");
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Value must be between -32768 and 32767");
    }
}

TEST(CharsetTable, ListsEighteenWindowsCharacterSets) {
    struct Row {
        const char* name;
        int value;
    } rows[] = {
        {"ANSI_CHARSET", 0},     {"DEFAULT_CHARSET", 1},      {"SYMBOL_CHARSET", 2},
        {"MAC_CHARSET", 77},     {"SHIFTJIS_CHARSET", 128},   {"HANGEUL_CHARSET", 129},
        {"JOHAB_CHARSET", 130},  {"GB2312_CHARSET", 134},     {"CHINESEBIG5_CHARSET", 136},
        {"GREEK_CHARSET", 161},  {"TURKISH_CHARSET", 162},    {"HEBREW_CHARSET", 177},
        {"ARABIC_CHARSET", 178}, {"BALTIC_CHARSET", 186},     {"RUSSIAN_CHARSET", 204},
        {"THAI_CHARSET", 222},   {"EASTEUROPE_CHARSET", 238}, {"OEM_CHARSET", 255},
    };
    std::vector<std::string> names = Collect(GetCharsetValues);
    ASSERT_EQ(names.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(names[i], rows[i].name);
        std::string ident;
        EXPECT_TRUE(CharsetToIdent(rows[i].value, ident));
        EXPECT_EQ(ident, rows[i].name);
        int32_t value = -1;
        EXPECT_TRUE(IdentToCharset(LowerCase(rows[i].name), value));
        EXPECT_EQ(value, rows[i].value);
    }
    std::string ident;
    EXPECT_FALSE(CharsetToIdent(3, ident));
}

} // namespace
