// The editors of the framework's own controls and components, as the inspector receives them.
#include "designer_support.h"

#include "components/Table.h"
#include "core/SysUtils.h"
#include "widgets/Button.h"
#include "widgets/Label.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class StandardControlEditors : public ::testing::Test {
protected:
    void SetUp() override {
        form.SetName("Form1");
        button = new TButton(&form);
        button->SetName("Button1");
        button->SetParent(&form);
        button->SetCaption("OK");
        second = new TButton(&form);
        second->SetName("Button2");
        second->SetParent(&form);
        label = new TLabel(&form);
        label->SetName("Label1");
        label->SetParent(&form);
        label->SetCaption("Name:");
    }
    TRecordingDesigner designer;
    TForm form{nullptr};
    TButton* button = nullptr;
    TButton* second = nullptr;
    TLabel* label = nullptr;
};

struct Row {
    const char* name;
    const char* editor;
    const char* value;
};

void ExpectRows(const TEditors& editors, std::initializer_list<Row> rows) {
    for (const Row& row : rows) {
        TPropertyEditor* editor = Find(editors, row.name);
        ASSERT_NE(editor, nullptr) << row.name;
        EXPECT_EQ(editor->ClassName(), row.editor) << row.name;
        EXPECT_EQ(editor->GetValue(), row.value) << row.name;
    }
}

TEST_F(StandardControlEditors, AButtonAloneOffersEveryEditablePropertyInNameOrder) {
    TEditors editors = EditorsOf({button}, tkProperties, &designer);
    ExpectRows(editors, {{"Caption", "TCaptionProperty", "OK"},
                         {"Cursor", "TCursorProperty", "crDefault"},
                         {"Font", "TFontProperty", "(TFont)"},
                         {"ModalResult", "TModalResultProperty", "mrNone"},
                         {"Name", "TStringProperty", "Button1"},
                         {"TabOrder", "TTabOrderProperty", "0"},
                         {"Visible", "TEnumProperty", "True"},
                         {"Left", "TIntegerProperty", "0"}});
    std::vector<std::string> names = NamesOf(editors);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const std::string& x, const std::string& y) {
        return CompareText(x, y) < 0;
    }));
    EXPECT_EQ(SubNames(*Find(editors, "Font")),
              (std::vector<std::string>{"Charset", "Color", "Height", "Name", "Pitch", "Size", "Style"}));
}

TEST_F(StandardControlEditors, AButtonAndALabelShareOnlyWhatBothHave) {
    TEditors editors = EditorsOf({button, label}, tkProperties, &designer);
    EXPECT_EQ(Find(editors, "TabOrder"), nullptr);
    EXPECT_EQ(Find(editors, "ModalResult"), nullptr);
    EXPECT_EQ(Find(editors, "FocusControl"), nullptr);
    ExpectRows(editors, {{"Caption", "TCaptionProperty", "OK"}, {"Font", "TFontProperty", "(TFont)"}});
    for (const auto& e : editors) {
        EXPECT_EQ(e->PropCount(), 2);
        EXPECT_EQ(e->GetComponent(1), label);
    }
    Find(editors, "Caption")->SetValue("Both");
    EXPECT_EQ(button->Caption(), "Both");
    EXPECT_EQ(label->Caption(), "Both");

    EXPECT_EQ(Find(EditorsOf({button, second}, tkProperties, &designer), "TabOrder"), nullptr);

    TEditors events = EditorsOf({button, label}, tkMethods, &designer);
    ExpectRows(events, {{"OnClick", "TMethodProperty", ""}});
    EXPECT_EQ(Find(events, "OnEnter"), nullptr); // labels take no focus
}

TEST_F(StandardControlEditors, ALabelsFocusControlExpandsToTheButton) {
    auto focus = EditorFor({label}, "FocusControl", &designer);
    EXPECT_EQ(focus->GetValue(), "(TWinControl)");
    EXPECT_TRUE(SubNames(*focus).empty());
    label->SetFocusControl(button);
    EXPECT_EQ(focus->GetValue(), "(TWinControl)");
    TEditors subs = SubEditors(*focus);
    ExpectRows(subs, {{"Caption", "TCaptionProperty", "OK"}, {"Name", "TStringProperty", "Button1"}});
    EXPECT_EQ(Find(subs, "OnClick"), nullptr);
}

TEST_F(StandardControlEditors, DoubleClickOpensTheTypicalEvent) {
    struct Case {
        TComponent* component;
        std::vector<std::string> calls;
    };
    TTable table(&form);
    table.SetName("Table1");
    for (const Case& c :
         {Case{button, {"CreateEventMethod Button1Click", "ShowEventMethod Button1Click"}},
          Case{&table, {"CreateEventMethod Table1AfterCancel", "ShowEventMethod Table1AfterCancel"}},
          Case{&form, {"CreateEventMethod Form1Create", "ShowEventMethod Form1Create"}}}) {
        TRecordingDesigner d;
        GetComponentEditor(c.component, &d)->Edit();
        EXPECT_EQ(d.Calls, c.calls) << c.component->Name();
    }
}

} // namespace
