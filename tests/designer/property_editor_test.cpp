// The editor base (writers, multi-selection, default stepping) and the simple value editors.
#include "designer_support.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

class PropertyEditors : public ::testing::Test {
protected:
    void SetUp() override {
        a.SetName("A");
        b.SetName("B");
        c.SetName("C");
        TEdTarget::StoreLog().clear();
    }
    TRecordingDesigner designer;
    TEdTarget a{nullptr}, b{nullptr}, c{nullptr};
};

// ---- writers and multiple selection -----------------------------------------------------------------------

// ------------------------------------------------------------------------

TEST_F(PropertyEditors, WriterStoresOnEveryObjectInOrderAndReportsOnce) {
    auto editor = EditorFor({&a, &b, &c}, "Count", &designer);
    ASSERT_EQ(editor->PropCount(), 3);
    editor->SetValue("42");
    EXPECT_EQ(TEdTarget::StoreLog(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(a.FCount, 42);
    EXPECT_EQ(c.FCount, 42);
    EXPECT_EQ(designer.ModifiedCount, 1);
}

TEST_F(PropertyEditors, FailingSetterStopsTheWriterAndWhatWasWrittenIsReported) {
    auto editor = EditorFor({&a, &b, &c}, "Count", &designer);
    editor->SetValue("5");
    designer.ModifiedCount = 0;
    TEdTarget::StoreLog().clear();
    // B's setter refuses 666 (see TEdTarget::SetCount): A already holds it, C is never written.
    EXPECT_EQ(MessageOf([&] { editor->SetValue("666"); }), "666 refused by B");
    EXPECT_EQ(TEdTarget::StoreLog(), std::vector<std::string>{"A"});
    EXPECT_EQ(a.FCount, 666);
    EXPECT_EQ(b.FCount, 5);
    EXPECT_EQ(c.FCount, 5);
    EXPECT_EQ(designer.ModifiedCount, 1) << "A changed, so the designer hears of it";

    // Refused by the first object, nothing changed and nothing is reported.
    auto fromB = EditorFor({&b, &a}, "Count", &designer);
    designer.ModifiedCount = 0;
    EXPECT_EQ(MessageOf([&] { fromB->SetValue("666"); }), "666 refused by B");
    EXPECT_EQ(designer.ModifiedCount, 0);
}

TEST_F(PropertyEditors, ValueOfASelectionIsTheFirstObjects) {
    a.Text = "first";
    b.Text = "second";
    auto editor = EditorFor({&a, &b}, "Text", &designer);
    EXPECT_EQ(editor->GetValue(), "first");
    EXPECT_EQ(editor->GetComponent(1), &b);
}

TEST_F(PropertyEditors, BaseEditorHasUnknownValueAndIgnoresText) {
    auto editor = EditorFor({&a}, "Wide", &designer); // a wide character: the base editor
    EXPECT_EQ(editor->ClassName(), "TPropertyEditor");
    EXPECT_EQ(editor->GetValue(), "(Unknown)");
    EXPECT_TRUE(editor->GetAttributes() == TEditorAttributes{paMultiSelect});
    editor->SetValue("x");
    editor->Edit(); // no value list: nothing happens
    EXPECT_EQ(a.Wide, u'w');
    EXPECT_EQ(designer.ModifiedCount, 0);
}

// ---- default stepping -------------------------------------------------------------------------------------

// ---------------------------------------------------------------------------------------

TEST_F(PropertyEditors, DefaultEditStepsThroughTheValueListAndWraps) {
    struct Row {
        const char* property;
        std::function<void()> prepare;
        std::string after;
    } rows[] = {
        {"Flag", [&] { a.Flag = false; }, "True"},
        {"Flag", [&] { a.Flag = true; }, "False"},
        // enumerations step in alphabetical order: shCircle, shSquare, shTriangle
        {"Shape", [&] { a.Shape = shSquare; }, "shTriangle"},
        {"Shape", [&] { a.Shape = shTriangle; }, "shCircle"},
        // modal results are not sorted: value order, wrapping after mrYesToAll
        {"ModalResult", [&] { a.ModalResult = mrOk; }, "mrCancel"},
        {"ModalResult", [&] { a.ModalResult = mrYesToAll; }, "mrNone"},
        // a value that is not in the list steps to the first entry (in sorted order)
        {"Cursor", [&] { a.Cursor = TCursor(7); }, "crAppStart"},
    };
    for (const Row& row : rows) {
        row.prepare();
        auto editor = EditorFor({&a}, row.property, &designer);
        editor->Edit();
        EXPECT_EQ(editor->GetValue(), row.after) << row.property;
    }
}

// ---- integer ----------------------------------------------------------------------------------------------

// ---------------------------------------------------------------------------------------------------

TEST_F(PropertyEditors, IntegerTextsRangesAndMessages) {
    struct Row {
        const char* property;
        const char* typed;
        const char* message; // "" when stored
        const char* shown;   // after a successful store
    } rows[] = {
        {"Byte", "255", "", "255"},
        {"Byte", "300", "Value must be between 0 and 255", ""},
        {"Byte", "-1", "Value must be between 0 and 255", ""},
        {"Small", "-128", "", "-128"},
        {"Small", "128", "Value must be between -128 and 127", ""},
        {"Count", "abc", "'abc' is not a valid integer value", ""},
        {"Count", "-2147483648", "", "-2147483648"},
        {"Count", "$10", "", "16"},
        {"Cardinal", "4294967295", "", "4294967295"},
        {"Cardinal", "-1", "Value must be between 0 and 4294967295", ""},
        {"TabOrder", "40000", "Value must be between -1 and 32767", ""},
        {"TabOrder", "-1", "", "-1"},
    };
    for (const Row& row : rows) {
        designer.ModifiedCount = 0;
        auto editor = EditorFor({&a}, row.property, &designer);
        const std::string before = editor->GetValue();
        EXPECT_EQ(MessageOf([&] { editor->SetValue(row.typed); }), row.message)
            << row.property << " " << row.typed;
        if (*row.message) {
            EXPECT_EQ(editor->GetValue(), before);
            EXPECT_EQ(designer.ModifiedCount, 0);
        } else {
            EXPECT_EQ(editor->GetValue(), row.shown);
            EXPECT_EQ(designer.ModifiedCount, 1);
        }
    }
}

// ---- character --------------------------------------------------------------------------------------------

// ------------------------------------------------------------------------------------------------

TEST_F(PropertyEditors, CharacterShowsPrintableCodesAndHashNumbersForTheRest) {
    struct Row {
        char code;
        const char* shown;
    } rows[] = {{65, "A"},     {13, "#13"},         {32, "#32"}, {33, "!"},
                {127, "\x7F"}, {char(200), "#200"}, {0, "#0"}};
    auto editor = EditorFor({&a}, "Letter", &designer);
    for (const Row& row : rows) {
        a.Letter = row.code;
        EXPECT_EQ(editor->GetValue(), row.shown);
    }
}

TEST_F(PropertyEditors, CharacterTextRules) {
    struct Row {
        const char* typed;
        int stored; // -1: rejected
        const char* message;
    } rows[] = {
        {"", 0, ""},
        {"Z", 90, ""},
        {"#9", 9, ""},
        {"#", 35, ""},
        {"#255", 255, ""},
        {"AB", -1, "Invalid property value"},
        {"#300", -1, "Value must be between 0 and 255"},
        {"#x", -1, "'x' is not a valid integer value"},
        {"\xC3\xA9", 233, ""}, // one UTF-8 character: its code
        {"\xE2\x82\xAC", -1, "Value must be between 0 and 255"},
    };
    auto editor = EditorFor({&a}, "Letter", &designer);
    for (const Row& row : rows) {
        a.Letter = 'q';
        EXPECT_EQ(MessageOf([&] { editor->SetValue(row.typed); }), row.message) << row.typed;
        EXPECT_EQ(static_cast<unsigned char>(a.Letter), row.stored < 0 ? 'q' : row.stored) << row.typed;
    }
}

// ---- enumeration ------------------------------------------------------------------------------------------

// ----------------------------------------------------------------------------------------------

TEST_F(PropertyEditors, EnumerationNamesLookupAndOutOfRangeValue) {
    auto editor = EditorFor({&a}, "Shape", &designer);
    EXPECT_EQ(ValuesOf(*editor), (std::vector<std::string>{"shCircle", "shSquare", "shTriangle"}));
    editor->SetValue("SHSQUARE");
    EXPECT_EQ(a.Shape, shSquare);
    EXPECT_EQ(MessageOf([&] { editor->SetValue("shHexagon"); }), "Invalid property value");
    EXPECT_EQ(a.Shape, shSquare);
    a.Shape = static_cast<TEdShape>(9);
    EXPECT_EQ(editor->GetValue(), "shTriangle");

    auto flag = EditorFor({&a}, "Flag", &designer);
    EXPECT_EQ(ValuesOf(*flag), (std::vector<std::string>{"False", "True"}));
    flag->SetValue("true");
    EXPECT_TRUE(a.Flag);
}

// ---- floating point and string ----------------------------------------------------------------------------

// ---------------------------------------------------------------------------------

TEST_F(PropertyEditors, FloatPrecisionFollowsTheFloatKind) {
    a.Single = 0.1f;
    a.Double = 1.0 / 3;
    a.Ext = 1.0L / 3;
    EXPECT_EQ(EditorFor({&a}, "Single", &designer)->GetValue(), "0.1");
    EXPECT_EQ(EditorFor({&a}, "Double", &designer)->GetValue(), "0.333333333333333");
    EXPECT_EQ(EditorFor({&a}, "Ext", &designer)->GetValue(), "0.333333333333333333");
    a.Double = 1e20;
    EXPECT_EQ(EditorFor({&a}, "Double", &designer)->GetValue(), "1E20");

    auto editor = EditorFor({&a}, "Double", &designer);
    editor->SetValue("-2.5e3");
    EXPECT_EQ(a.Double, -2500);
    EXPECT_EQ(MessageOf([&] { editor->SetValue("1,5"); }), "'1,5' is not a valid floating point value");
    EXPECT_EQ(a.Double, -2500);
}

TEST_F(PropertyEditors, StringStoresTheTextAsTypedIncludingEmpty) {
    auto editor = EditorFor({&a, &b}, "Text", &designer);
    editor->SetValue("  spaced  ");
    EXPECT_EQ(b.Text, "  spaced  ");
    editor->SetValue("");
    EXPECT_EQ(a.Text, "");
    EXPECT_EQ(b.Text, "");
    EXPECT_EQ(designer.ModifiedCount, 2);
}

} // namespace
