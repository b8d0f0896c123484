// Set and set-element editors, the class editor with its sub-properties (cyclic references included), and
// the method editor's conversation with the designer.
#include "designer_support.h"

#include <gtest/gtest.h>

namespace {

class CompositeEditors : public ::testing::Test {
protected:
    void SetUp() override {
        a.SetName("Button1");
        b.SetName("Button2");
    }
    TRecordingDesigner designer;
    TEdTarget a{nullptr}, b{nullptr};
};

// ---- sets -------------------------------------------------------------------------------------------------

// ------------------------------------------------------------------------------------------------------

TEST_F(CompositeEditors, SetShowsItsMembersInElementOrder) {
    struct Row {
        TFontStyles set;
        const char* shown;
    } rows[] = {
        {{}, "[]"},
        {{fsBold, fsUnderline}, "[fsBold,fsUnderline]"},
        {{fsStrikeOut, fsBold, fsItalic, fsUnderline}, "[fsBold,fsItalic,fsUnderline,fsStrikeOut]"},
    };
    auto editor = EditorFor({&a}, "Styles", &designer);
    EXPECT_TRUE(editor->GetAttributes() == (TEditorAttributes{paSubProperties, paMultiSelect}));
    for (const Row& row : rows) {
        a.Styles = row.set;
        EXPECT_EQ(editor->GetValue(), row.shown);
    }
    editor->SetValue("[fsItalic]"); // text typed into a set row is ignored
    editor->Edit();
    EXPECT_EQ(a.Styles, rows[2].set);
}

TEST_F(CompositeEditors, SetElementsAreChildRowsThatIncludeAndExclude) {
    a.Styles = {fsBold, fsUnderline};
    b.Styles = {fsStrikeOut};
    auto editor = EditorFor({&a, &b}, "Styles", &designer);
    TEditors elements = SubEditors(*editor);
    ASSERT_EQ(NamesOf(elements),
              (std::vector<std::string>{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}));
    std::vector<std::string> values;
    for (auto& e : elements)
        values.push_back(e->GetValue());
    EXPECT_EQ(values, (std::vector<std::string>{"True", "False", "True", "False"}));
    EXPECT_EQ(ValuesOf(*elements[1]), (std::vector<std::string>{"False", "True"}));

    elements[1]->SetValue("tRUE");
    // every object receives the first object's set with the one element changed
    EXPECT_EQ(a.Styles, (TFontStyles{fsBold, fsItalic, fsUnderline}));
    EXPECT_EQ(b.Styles, (TFontStyles{fsBold, fsItalic, fsUnderline}));
    elements[0]->SetValue("yes"); // anything but "True" clears
    EXPECT_EQ(a.Styles, (TFontStyles{fsItalic, fsUnderline}));
    elements[0]->Edit(); // toggles back
    EXPECT_EQ(a.Styles, (TFontStyles{fsBold, fsItalic, fsUnderline}));
    EXPECT_EQ(designer.ModifiedCount, 3);
}

TEST_F(CompositeEditors, SetElementsOutliveTheirSetEditor) {
    auto editor = EditorFor({&a}, "Styles", &designer);
    TEditors elements = SubEditors(*editor);
    editor.reset();
    elements[3]->SetValue("True");
    EXPECT_EQ(a.Styles, TFontStyles{fsStrikeOut});
}

// ---- objects ----------------------------------------------------------------------------------------------

// --------------------------------------------------------------------------------------------------

TEST_F(CompositeEditors, ClassRowShowsTheDeclaredTypeAndTheObjectsProperties) {
    auto font = EditorFor({&a}, "Font", &designer);
    EXPECT_EQ(font->ClassName(), "TFontProperty");
    EXPECT_EQ(font->GetValue(), "(TFont)");
    EXPECT_EQ(SubNames(*font),
              (std::vector<std::string>{"Charset", "Color", "Height", "Name", "Pitch", "Size", "Style"}));

    auto buddy = EditorFor({&a}, "Buddy", &designer);
    EXPECT_EQ(buddy->ClassName(), "TClassProperty");
    EXPECT_EQ(buddy->GetValue(), "(TComponent)");
    EXPECT_TRUE(SubNames(*buddy).empty()); // nothing held: no sub-properties
    a.Buddy = &b;
    EXPECT_EQ(buddy->GetValue(), "(TComponent)");
    TEditors subs = SubEditors(*buddy);
    EXPECT_NE(Find(subs, "Count"), nullptr);
    EXPECT_EQ(Find(subs, "OnClick"), nullptr); // no events among sub-properties
    Find(subs, "Count")->SetValue("12");
    EXPECT_EQ(b.FCount, 12);
}

TEST_F(CompositeEditors, SubPropertiesOfASelectionAreThoseTheHeldObjectsShare) {
    b.Font()->SetHeight(-20);
    auto font = EditorFor({&a, &b}, "Font", &designer);
    TEditors subs = SubEditors(*font);
    TPropertyEditor* height = Find(subs, "Height");
    ASSERT_NE(height, nullptr);
    EXPECT_EQ(height->GetValue(), "-11"); // the first object's font
    height->SetValue("-14");
    EXPECT_EQ(a.Font()->Height(), -14);
    EXPECT_EQ(b.Font()->Height(), -14);
}

// Walks every sub-property row to the end, as the inspector does when it fills its grid.
int CountRows(TEditors editors, int depth = 0) {
    int rows = 0;
    for (auto& e : editors) {
        ++rows;
        if (depth > 50) return rows; // a runaway expansion shows up as a huge count
        if (e->GetAttributes().Contains(paSubProperties)) rows += CountRows(SubEditors(*e), depth + 1);
    }
    return rows;
}

TEST_F(CompositeEditors, ObjectsThatReferToEachOtherStopExpandingWhereTheyLoopBack) {
    a.Buddy = &b;
    b.Buddy = &a;
    auto buddy = EditorFor({&a}, "Buddy", &designer);
    TEditors bRows = SubEditors(*buddy); // Button2's properties
    TPropertyEditor* back = Find(bRows, "Buddy");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetValue(), "(TComponent)"); // still shown...
    EXPECT_TRUE(SubNames(*back).empty());        // ...but Button1 is already being expanded

    TEdTarget self(nullptr);
    self.Buddy = &self;
    EXPECT_TRUE(SubNames(*EditorFor({&self}, "Buddy", &designer)).empty());

    // The whole tree of either component is finite; Button2's Font still expands below Button1.
    EXPECT_LT(CountRows(EditorsOf({&a}, tkProperties, &designer)), 200);
    EXPECT_NE(Find(SubEditors(*Find(bRows, "Font")), "Height"), nullptr);
}

// ---- events -----------------------------------------------------------------------------------------------

// ---------------------------------------------------------------------------------------------------

TEST_F(CompositeEditors, MethodNamesComeFromTheDesigner) {
    auto editor = EditorFor({&a}, "OnClick", &designer, tkMethods);
    EXPECT_EQ(editor->ClassName(), "TMethodProperty");
    EXPECT_TRUE(editor->GetAttributes() == (TEditorAttributes{paValueList, paMultiSelect, paSortList}));
    EXPECT_EQ(editor->GetValue(), "");
    a.OnClick.SetMethod(designer.CreatedMethod);
    designer.HandlerName = "Button1Click";
    EXPECT_EQ(editor->GetValue(), "Button1Click");
    designer.CompatibleMethods = {"FormClick", "Button1Click"};
    EXPECT_EQ(ValuesOf(*editor), designer.CompatibleMethods);
}

TEST_F(CompositeEditors, TrimmedAndDefaultMethodNames) {
    auto editor = EditorFor({&a}, "OnChange", &designer, tkMethods);
    auto* method = dynamic_cast<TMethodProperty*>(editor.get());
    ASSERT_NE(method, nullptr);
    EXPECT_EQ(method->TrimmedEventName(), "Change");
    EXPECT_EQ(method->DefaultMethodName(), "Button1Change");
    a.SetName("");
    EXPECT_EQ(MessageOf([&] { method->DefaultMethodName(); }),
              "Cannot create a default method name for an unnamed component");
}

TEST_F(CompositeEditors, MethodEditorConversations) {
    using Calls = std::vector<std::string>;
    struct Row {
        const char* what;
        bool assigned;           // the event holds a handler (named HandlerName)
        std::string handlerName; // what the designer calls it
        std::set<std::string> existing;
        bool inherited;
        bool edit; // Edit() instead of SetValue(text)
        std::string text;
        Calls calls;
        bool stored; // the created method value ends up in the event
    } rows[] = {
        {"edit without handler creates the default",
         false,
         "",
         {},
         false,
         true,
         "",
         {"CreateEventMethod Button1Click", "ShowEventMethod Button1Click"},
         true},
        {"edit with handler shows it",
         true,
         "Button1Click",
         {"Button1Click"},
         false,
         true,
         "",
         {"ShowEventMethod Button1Click"},
         false},
        {"edit with inherited handler replaces it",
         true,
         "Button1Click",
         {"Button1Click"},
         true,
         true,
         "",
         {"CreateEventMethod Button1Click", "ShowEventMethod Button1Click"},
         true},
        {"new name renames",
         true,
         "Button1Click",
         {"Button1Click"},
         false,
         false,
         "OkClick",
         {"RenameEventMethod Button1Click OkClick"},
         false},
        {"same name in other case renames",
         true,
         "Button1Click",
         {"Button1Click"},
         false,
         false,
         "BUTTON1CLICK",
         {"RenameEventMethod Button1Click BUTTON1CLICK"},
         false},
        {"existing other method is bound",
         true,
         "Button1Click",
         {"Button1Click", "FormClick"},
         false,
         false,
         "FormClick",
         {"CreateEventMethod FormClick"},
         true},
        {"name without handler creates and shows",
         false,
         "",
         {},
         false,
         false,
         "OkClick",
         {"CreateEventMethod OkClick", "ShowEventMethod OkClick"},
         true},
        {"empty text detaches",
         true,
         "Button1Click",
         {"Button1Click"},
         false,
         false,
         "",
         {"CreateEventMethod "},
         false},
    };
    for (const Row& row : rows) {
        TRecordingDesigner d;
        d.HandlerName = row.handlerName;
        d.ExistingMethods = row.existing;
        d.Inherited = row.inherited;
        TMethod previous{reinterpret_cast<void*>(0x77), &a};
        a.OnClick.SetMethod(row.assigned ? previous : TMethod{});
        b.OnClick.SetMethod(row.assigned ? previous : TMethod{});
        auto editor = EditorFor({&a, &b}, "OnClick", &d, tkMethods);
        if (row.edit)
            editor->Edit();
        else
            editor->SetValue(row.text);
        EXPECT_EQ(d.Calls, row.calls) << row.what;
        const TMethod expected = row.stored                      ? d.CreatedMethod
                                 : row.text.empty() && !row.edit ? TMethod{}
                                                                 : previous;
        if (row.assigned || row.stored) {
            EXPECT_EQ(a.OnClick.Method(), expected) << row.what;
            EXPECT_EQ(b.OnClick.Method(), expected) << row.what;
        }
        EXPECT_EQ(d.ModifiedCount, (row.stored || (row.text.empty() && !row.edit)) ? 1 : 0) << row.what;
    }
}

TEST_F(CompositeEditors, EditOnAnUnnamedComponentFailsAndCallsNothing) {
    a.SetName("");
    auto editor = EditorFor({&a}, "OnClick", &designer, tkMethods);
    EXPECT_EQ(MessageOf([&] { editor->Edit(); }),
              "Cannot create a default method name for an unnamed component");
    EXPECT_TRUE(designer.Calls.empty());
}

TEST_F(CompositeEditors, WithTheSystemsDesignerEveryEventShowsThePlaceholder) {
    TCustomDesigner plain;
    a.OnChange.SetMethod({reinterpret_cast<void*>(0x10), &a});
    for (auto& editor : EditorsOf({&a}, tkMethods, &plain)) {
        EXPECT_EQ(editor->GetValue(), TCustomDesigner::NoEventMethodName) << editor->GetName();
        editor->Edit(); // only shows the placeholder "handler", which the default designer ignores
    }
    EXPECT_EQ(a.OnChange.Method().Code, reinterpret_cast<void*>(0x10));
    EXPECT_FALSE(plain.IsModified());
    // Clearing the text stores the empty method value the default designer creates.
    EditorFor({&a}, "OnChange", &plain, tkMethods)->SetValue("");
    EXPECT_FALSE(a.OnChange);
}

} // namespace
