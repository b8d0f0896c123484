// The specialised editors' texts, value lists and attributes.
#include "designer_support.h"

#include "core/Strings.h"
#include "core/SysUtils.h"
#include "ui/Screen.h"

#include <gtest/gtest.h>

namespace {

class SpecialisedEditors : public ::testing::Test {
protected:
    TRecordingDesigner designer;
    TEdTarget a{nullptr};

    std::unique_ptr<TPropertyEditor> Editor(const char* property) {
        return EditorFor({&a}, property, &designer);
    }
};

TEST_F(SpecialisedEditors, AttributesOfEveryEditor) {
    using A = TEditorAttributes;
    struct Row {
        const char* property;
        const char* editor;
        TEditorAttributes attributes;
    } rows[] = {
        {"Count", "TIntegerProperty", A{paMultiSelect}},
        {"Letter", "TCharProperty", A{paMultiSelect}},
        {"Double", "TFloatProperty", A{paMultiSelect}},
        {"Text", "TStringProperty", A{paMultiSelect}},
        {"Shape", "TEnumProperty", A{paValueList, paMultiSelect, paSortList}},
        {"Styles", "TSetProperty", A{paSubProperties, paMultiSelect}},
        {"Buddy", "TClassProperty", A{paSubProperties, paMultiSelect}},
        {"Font", "TFontProperty", A{paSubProperties, paDialog, paMultiSelect}},
        {"Color", "TColorProperty", A{paValueList, paDialog, paMultiSelect}},
        {"Cursor", "TCursorProperty", A{paValueList, paMultiSelect, paSortList}},
        {"ModalResult", "TModalResultProperty", A{paValueList, paMultiSelect}},
        {"Caption", "TCaptionProperty", A{paMultiSelect, paAutoUpdate}},
        {"TabOrder", "TTabOrderProperty", A{}},
        {"Date", "TDateProperty", A{paMultiSelect}},
        {"Time", "TTimeProperty", A{paMultiSelect}},
        {"Stamp", "TDateTimeProperty", A{paMultiSelect}},
    };
    for (const Row& row : rows) {
        auto editor = Editor(row.property);
        EXPECT_EQ(editor->ClassName(), row.editor) << row.property;
        EXPECT_TRUE(editor->GetAttributes() == row.attributes) << row.property;
    }
    TEditors font = SubEditors(*Editor("Font"));
    for (const char* name : {"Name", "Charset"})
        EXPECT_TRUE(Find(font, name)->GetAttributes() == (A{paValueList, paMultiSelect, paSortList})) << name;
}

TEST_F(SpecialisedEditors, ColourTexts) {
    struct Row {
        uint32_t stored;
        const char* shown;
    } rows[] = {{0x000000FF, "clRed"},     {0x00123456, "$00123456"}, {0x8000000F, "clBtnFace"},
                {0x80000030, "$80000030"}, {0x1FFFFFFF, "clNone"},    {0x00000000, "clBlack"}};
    auto editor = Editor("Color");
    for (const Row& row : rows) {
        a.Color = TColorOf(row.stored);
        EXPECT_EQ(editor->GetValue(), row.shown);
    }
    struct Typed {
        const char* typed;
        uint32_t stored;
        const char* shownAfter;
    } typed[] = {{"clbtnface", 0x8000000F, "clBtnFace"},
                 {"255", 0xFF, "clRed"},
                 {"$80000030", 0x80000030, "$80000030"},
                 {"-1", 0xFFFFFFFF, "$FFFFFFFF"}};
    for (const Typed& t : typed) {
        editor->SetValue(t.typed);
        EXPECT_EQ(static_cast<uint32_t>(a.Color), t.stored) << t.typed;
        EXPECT_EQ(editor->GetValue(), t.shownAfter) << t.typed;
    }
    EXPECT_EQ(MessageOf([&] { editor->SetValue("clPlaid"); }), "'clPlaid' is not a valid integer value");
    std::vector<std::string> names = ValuesOf(*editor);
    ASSERT_EQ(names.size(), 42u);
    EXPECT_EQ(names.front(), "clBlack");
    EXPECT_EQ(names[16], "clScrollBar");
    EXPECT_EQ(names.back(), "clNone");
}

TEST_F(SpecialisedEditors, CursorTexts) {
    auto editor = Editor("Cursor");
    struct Row {
        int stored;
        const char* shown;
    } rows[] = {{-5, "crSize"}, {7, "7"}, {0, "crDefault"}, {-21, "crHandPoint"}, {-1, "-1"}};
    for (const Row& row : rows) {
        a.Cursor = TCursor(row.stored);
        EXPECT_EQ(editor->GetValue(), row.shown);
    }
    std::vector<std::string> names = ValuesOf(*editor);
    ASSERT_EQ(names.size(), 20u); // crSize is not offered
    EXPECT_EQ(names.front(), "crDefault");
    EXPECT_EQ(names.back(), "crHandPoint");
    editor->SetValue("CRHOURGLASS");
    EXPECT_EQ(a.Cursor, crHourGlass);
    editor->SetValue("crsize");
    EXPECT_EQ(a.Cursor, crSize);
    EXPECT_EQ(MessageOf([&] { editor->SetValue("40000"); }), "Value must be between -32768 and 32767");
}

TEST_F(SpecialisedEditors, CharacterSetTexts) {
    TFont* font = a.Font();
    auto editor = EditorFor({font}, "Charset", &designer);
    EXPECT_EQ(editor->ClassName(), "TFontCharsetProperty");
    struct Row {
        int stored;
        const char* shown;
    } rows[] = {{1, "DEFAULT_CHARSET"}, {134, "GB2312_CHARSET"}, {255, "OEM_CHARSET"}, {3, "3"}};
    for (const Row& row : rows) {
        font->SetCharset(TFontCharset(row.stored));
        EXPECT_EQ(editor->GetValue(), row.shown);
    }
    editor->SetValue("russian_charset");
    EXPECT_EQ(font->Charset(), RUSSIAN_CHARSET);
    editor->SetValue("77");
    EXPECT_EQ(editor->GetValue(), "MAC_CHARSET");
    EXPECT_EQ(MessageOf([&] { editor->SetValue("300"); }), "Value must be between 0 and 255");
    EXPECT_EQ(ValuesOf(*editor).size(), 18u);
}

TEST_F(SpecialisedEditors, ModalResultTexts) {
    auto editor = Editor("ModalResult");
    struct Row {
        int stored;
        const char* shown;
    } rows[] = {{0, "mrNone"}, {1, "mrOk"}, {10, "mrYesToAll"}, {11, "11"}, {-1, "-1"}};
    for (const Row& row : rows) {
        a.ModalResult = TModalResult(row.stored);
        EXPECT_EQ(editor->GetValue(), row.shown);
    }
    struct Typed {
        const char* typed;
        int stored;
    } typed[] = {{"mrok", 1}, {"", 0}, {"MRNOTOALL", 9}, {"12", 12}, {"-7", -7}};
    for (const Typed& t : typed) {
        editor->SetValue(t.typed);
        EXPECT_EQ(a.ModalResult, t.stored) << t.typed;
    }
    EXPECT_EQ(MessageOf([&] { editor->SetValue("mrMaybe"); }), "'mrMaybe' is not a valid integer value");
    EXPECT_EQ(ValuesOf(*editor),
              (std::vector<std::string>{"mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore",
                                        "mrYes", "mrNo", "mrAll", "mrNoToAll", "mrYesToAll"}));
}

TEST_F(SpecialisedEditors, DateAndTimeTexts) {
    struct Row {
        const char* property;
        const char* typed;
        const char* shown;   // after storing
        const char* message; // "" when stored
    } rows[] = {
        {"Date", "2024-02-29", "2024-02-29", ""},
        {"Date", "", "", ""},
        {"Date", "2023-02-29", "", "'2023-02-29' is not a valid date"},
        {"Time", "12:30", "12:30:00", ""},
        {"Time", "25:00", "", "'25:00' is not a valid time"},
        {"Stamp", "2000-01-02 03:04:05", "2000-01-02 03:04:05", ""},
        {"Stamp", "2000-01-02", "2000-01-02", ""},
        {"Stamp", "noon", "", "'noon' is not a valid date and time"},
        {"Stamp", "", "", ""},
    };
    for (const Row& row : rows) {
        auto editor = Editor(row.property);
        const std::string before = editor->GetValue();
        EXPECT_EQ(MessageOf([&] { editor->SetValue(row.typed); }), row.message) << row.typed;
        EXPECT_EQ(editor->GetValue(), *row.message ? before : row.shown) << row.typed;
    }
    EXPECT_EQ(a.Date, 0); // the empty text stored 0
    a.Time = TTime(0);
    EXPECT_EQ(Editor("Time")->GetValue(), "");
}

TEST_F(SpecialisedEditors, FontNamesComeFromTheScreen) {
    auto editor = EditorFor({a.Font()}, "Name", &designer);
    EXPECT_EQ(editor->ClassName(), "TFontNameProperty");
    TStrings* fonts = TScreen::Instance().Fonts();
    std::vector<std::string> expected;
    for (int i = 0; i < fonts->Count(); ++i)
        expected.push_back(fonts->Strings(i));
    EXPECT_EQ(ValuesOf(*editor), expected);
    editor->SetValue("Any Face At All");
    EXPECT_EQ(a.Font()->Name(), "Any Face At All");
}

} // namespace
