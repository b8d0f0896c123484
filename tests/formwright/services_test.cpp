// Designer-interface services: unique names, name lookups and selecting on the inspector's behalf.
#include "EditContainer.h"
#include "Formwright.h"
#include "components/Table.h"
#include "formwright_support.h"
#include "ui/Application.h"
#include "widgets/Button.h"

namespace {

TEST(UniqueComponentName, TakesTheFirstNumberNotCoveredByTheNumbersInUse) {
    struct Row {
        std::vector<std::string> names;
        const char* base;
        const char* expected;
    } rows[] = {
        {{}, "Button", "Button1"},
        {{"Button1", "Button2"}, "Button", "Button3"},
        {{"Button2"}, "Button", "Button1"},
        {{"Button1", "Button3"}, "Button", "Button2"},
        {{"Button0", "Button2"}, "Button", "Button3"},
        {{"Button1", "Button01"}, "Button", "Button3"},
        {{"Label", "Label1"}, "Label", "Label2"},
        {{"button1"}, "Button", "Button1"},             // the prefix compares case-sensitively
        {{"Button1x", "ButtonA"}, "Button", "Button1"}, // the rest must be digits only
        {{"Button99999999999999999999999"}, "Button", "Button1"},
        {{"Button3", "Button1", "Button2"}, "Button", "Button4"},
    };
    for (const Row& row : rows) {
        TForm form(nullptr);
        for (const std::string& name : row.names)
            (new TComponent(&form))->SetName(name);
        TFormwright designer;
        designer.SetRoot(&form);
        EXPECT_EQ(designer.UniqueComponentName(row.base), row.expected) << row.names.size() << " names";
        designer.SetRoot(nullptr);
    }
}

using Services = DesignedSample;

TEST_F(Services, ComponentNameExistsAmongTheFormsComponentsIgnoringCase) {
    EXPECT_TRUE(Designer->ComponentNameExists("Button1"));
    EXPECT_TRUE(Designer->ComponentNameExists("bUTTON1"));
    EXPECT_TRUE(Designer->ComponentNameExists("Query1"));
    EXPECT_FALSE(Designer->ComponentNameExists("Button9"));
    EXPECT_FALSE(Designer->ComponentNameExists("DesignSample")) << "the form does not own itself";
}

TEST_F(Services, SelectComponentSelectsControlsAndPlaceholdersOfTheDesignedForm) {
    TForm other(nullptr);
    auto* stranger = new TButton(&other);
    struct Row {
        const char* what;
        TPersistent* component;
        std::vector<std::string> selected;
        const char* inspected;
    } rows[] = {
        {"a button", Form->Button3, {"Button3"}, "InspectObject Button3"},
        {"a table", Form->Table1, {"Table1"}, "InspectObject Table1"},
        {"the root", Form, {}, "InspectObject DesignSample"},
        {"a control of another form", stranger, {}, "InspectObject DesignSample"},
        {"nothing", nullptr, {}, "InspectObject DesignSample"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Designer->SelectComponent(Form->Button1);
        Inspector->Calls.clear();
        Designer->SelectComponent(row.component);
        EXPECT_EQ(SelectedNames(), row.selected);
        EXPECT_EQ(Inspector->Calls, std::vector<std::string>{row.inspected});
    }
}

TEST_F(Services, SelectingTheSelectedComponentAgainReportsNothing) {
    Designer->SelectComponent(Form->Button2);
    Inspector->Calls.clear();
    Designer->SelectComponent(Form->Button2);
    EXPECT_EQ(Inspector->Calls, std::vector<std::string>{});
}

TEST_F(Services, ANonVisualComponentWithoutPlaceholderCannotBeSelected) {
    TComponent elsewhere(nullptr);
    auto* table = new TTable(&elsewhere);
    try {
        Designer->SelectComponent(table);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Can not find container of this component");
    }
}

TEST_F(Services, ResizingByNothingChangesNothing) {
    Designer->SelectComponent(Form->Button1);
    Inspector->Calls.clear();
    Designer->ResizeSelectionBy(0, 0);
    EXPECT_EQ(Inspector->Calls, std::vector<std::string>{});
    EXPECT_FALSE(Designer->IsModified());
    Designer->ResizeSelectionBy(-70, -20);
    EXPECT_EQ(Form->Button1->BoundsRect(), TRect::FromBounds(8, 32, 5, 5));
}

} // namespace
