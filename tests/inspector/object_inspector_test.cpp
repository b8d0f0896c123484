// The inspector window: its layout from the form resource, the component combo box, inspecting single
// objects and lists, notifications, update brackets, the property filter and closing.
#include "inspector_support.h"

#include "ComponentList.h"
#include "Formwright.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "ui/Application.h"
#include "ui/InputSimulator.h"
#include "ui/Screen.h"
#include "ui/Windows.h"
#include "widgets/Button.h"
#include "widgets/ComboBox.h"
#include "widgets/Edit.h"
#include "widgets/ImageList.h"
#include "widgets/PageControl.h"
#include "widgets/Panel.h"
#include "widgets/Shape.h"
#include "widgets/TabSheet.h"

#include <functional>

namespace {

std::vector<std::string> ComboLines(TObjectInspector* inspector) {
    std::vector<std::string> lines;
    for (int i = 0; i < inspector->Components->Items()->Count(); ++i)
        lines.push_back(inspector->Components->Items()->Strings(i));
    return lines;
}

std::string ChosenEntry(TObjectInspector* inspector) {
    const int index = inspector->Components->ItemIndex();
    return index < 0 ? "" : inspector->Components->Items()->Strings(index);
}

// A designer that records the components the inspector asks it to select.
class TSelectingDesigner : public TCustomDesigner {
    FW_CLASS(TSelectingDesigner, TCustomDesigner)
public:
    TSelectingDesigner() = default;
    std::vector<TPersistent*> Selected;
    void SelectComponent(TPersistent* component) override { Selected.push_back(component); }
};

FW_PUBLISH(TSelectingDesigner) {
}

// Renames rows and hides one, and records the calls it gets.
struct Filter : TObject {
    std::vector<std::string> Calls;
    void Run(TObject*, TPersistent* instance, TPropertyEditor* editor, std::string& name, bool& accept) {
        Calls.push_back(editor ? name : "(none) " + name);
        if (name == "Tag") accept = false;
        if (name == "Left") name = "X";
    }
};

} // namespace

TEST_F(Inspecting, TheWindowComesFromItsFormResource) {
    EXPECT_EQ(Inspector->Caption(), "Object Inspector");
    EXPECT_EQ(Inspector->BorderStyle(), bsSizeToolWin);
    EXPECT_EQ(Inspector->FormStyle(), fsStayOnTop);
    EXPECT_EQ(Inspector->Width(), 220);
    EXPECT_EQ(Inspector->Height(), 314);
    EXPECT_EQ(Inspector->Left(), Screen->Width() - 220);
    EXPECT_EQ(Inspector->Top(), Screen->Height() - 314);
    EXPECT_EQ(Inspector->Font()->Height(), -12);
    EXPECT_EQ(Inspector->Components->Style(), csDropDownList);
    EXPECT_TRUE(Inspector->Components->Sorted());
    EXPECT_EQ(Inspector->PropBook->ActivePage(), Inspector->PropSheet);
    EXPECT_EQ(Inspector->PropSheet->Caption(), "Properties");
    EXPECT_EQ(Inspector->MethodSheet->Caption(), "Events");
    EXPECT_EQ(Inspector->PropImages->Count(), 2);
    EXPECT_EQ(Inspector->PropImages->Width(), 9);
    EXPECT_EQ(Inspector->BooleanImages->Count(), 4);
    EXPECT_EQ(Inspector->BooleanImages->Width(), 21);
    EXPECT_EQ(Inspector->BooleanImages->Height(), 15);
    EXPECT_EQ(Inspector->PropGrid()->Parent(), Inspector->PropSheet);
    EXPECT_EQ(Inspector->MethodGrid()->Parent(), Inspector->MethodSheet);
    EXPECT_FALSE(Inspector->PropGrid()->Visible());
    EXPECT_NE(Inspector->OwnedDesigner(), nullptr);
    EXPECT_EQ(Inspector->OwnedDesigner()->Inspector(), Inspector);
    // The combo keeps a 4-pixel margin on both sides when the window is resized.
    Inspector->SetWidth(300);
    EXPECT_EQ(Inspector->Components->Width(), Inspector->Panel1->Width() - 8);
}

TEST_F(Inspecting, ItLiesWhollyOnTheScreenInItsCornerWithItsFrame) {
    const TRect outer = GetWindowRect(Inspector->Handle());
    EXPECT_EQ(outer, TRect::FromBounds(Screen->Width() - 220, Screen->Height() - 314, 220, 314));
    const TPoint client = Inspector->ClientToScreen({0, 0});
    EXPECT_GT(client.Y, outer.Top) << "the title bar is part of the bounds";
    EXPECT_LT(Inspector->ClientHeight(), 314);
    EXPECT_LE(client.Y + Inspector->ClientHeight(), Screen->Height());
    EXPECT_EQ(Inspector->PropBook->Width(), Inspector->ClientWidth()) << "the pages fill the client area";
}

TEST_F(Inspecting, TheComboListsTheRootAndItsComponentsSorted) {
    auto* unnamed = new TButton(Form);
    Inspector->SetInspectedRoot(Form);
    EXPECT_EQ(ComboLines(Inspector),
              (std::vector<std::string>{": TButton", "Button1: TButton", "Edit1: TEdit", "Form1: TForm",
                                        "Panel1: TPanel", "Shape1: TShape"}));
    EXPECT_EQ(Inspector->InspectedRoot(), Form);
    // The same root again changes nothing; no root empties the list and hides the grids.
    Inspect(Button1);
    Inspector->SetInspectedRoot(Form);
    EXPECT_TRUE(Grid->Visible());
    Inspector->SetInspectedRoot(nullptr);
    EXPECT_TRUE(ComboLines(Inspector).empty());
    EXPECT_FALSE(Grid->Visible());
    delete unnamed;
}

TEST_F(Inspecting, ReportingTheSameObjectAgainKeepsTheRowsButChoosingItInTheComboRebuildsThem) {
    auto* designer = CreateDesigner(TSelectingDesigner::StaticClass());
    delete designer; // the class constructs through its reference
    delete Inspector;
    Inspector = TObjectInspector::CreateWithDesigner(TSelectingDesigner::StaticClass());
    Inspector->Show();
    Grid = Inspector->PropGrid();
    auto* selecting = static_cast<TSelectingDesigner*>(Inspector->OwnedDesigner());
    Inspector->SetInspectedRoot(Form);
    Inspect(Button1);
    EXPECT_EQ(ChosenEntry(Inspector), "Button1: TButton");
    TPropObject* font = RowNamed(Grid, "Font");
    Grid->SetExpanded(font, true);
    Inspect(Button1);
    EXPECT_EQ(RowNamed(Grid, "Font"), font);
    EXPECT_TRUE(font->Expanded());

    // Choosing the entry by hand rebuilds the rows and tells the designer.
    Inspector->Components->SetItemIndex(Inspector->Components->Items()->IndexOf("Button1: TButton"));
    Inspector->ComponentsChange(Inspector->Components);
    EXPECT_FALSE(RowNamed(Grid, "Font")->Expanded());
    EXPECT_EQ(Grid->Row(), 0);
    ASSERT_EQ(selecting->Selected.size(), 1u);
    EXPECT_EQ(selecting->Selected[0], Button1);
}

TEST_F(Inspecting, AMultipleSelectionShowsNoComboEntry) {
    Inspector->SetInspectedRoot(Form);
    Inspect(Button1);
    auto* list = new TComponentList;
    list->Add(Button1);
    list->Add(Edit1);
    Inspector->InspectList(list);
    EXPECT_EQ(ChosenEntry(Inspector), "");
    EXPECT_EQ(Inspector->Selection(), list);
    EXPECT_NE(RowIndex(Grid, "Left"), -1);
    EXPECT_EQ(RowIndex(Grid, "Caption"), -1) << "the edit has no caption";
    Inspect(Edit1);
    EXPECT_EQ(ChosenEntry(Inspector), "Edit1: TEdit");
    // An object the root does not own is inspected, with no entry chosen.
    TForm other(nullptr);
    Inspect(&other);
    EXPECT_EQ(ChosenEntry(Inspector), "");
    EXPECT_TRUE(Grid->Visible());
    Inspector->ClearInspection();
}

TEST_F(Inspecting, FreeingAnInspectedComponentEmptiesAndHidesTheGrids) {
    Inspector->SetInspectedRoot(Form);
    Inspect(Edit1);
    delete Edit1;
    Edit1 = nullptr;
    EXPECT_EQ(Inspector->Selection(), nullptr);
    EXPECT_FALSE(Grid->Visible());
    EXPECT_EQ(Grid->VisibleRows().Count(), 0);
    EXPECT_EQ(ChosenEntry(Inspector), "");
    EXPECT_EQ(Inspector->Components->Items()->IndexOf("Edit1: TEdit"), -1);
    // Freeing a listed component that is not inspected only drops its entry (the designer forwards the
    // removal from the root).
    Inspect(Button1);
    Inspector->Notification(Shape1, opRemove);
    delete Shape1;
    Shape1 = nullptr;
    EXPECT_TRUE(Grid->Visible());
    EXPECT_EQ(Inspector->Components->Items()->IndexOf("Shape1: TShape"), -1);
}

TEST_F(Inspecting, AnObjectInspectedAgainAfterTheInspectionWasClearedShowsItsRows) {
    Inspector->SetInspectedRoot(Form);
    Inspect(Button1);
    Inspector->ClearInspection();
    EXPECT_FALSE(Grid->Visible());
    EXPECT_EQ(ChosenEntry(Inspector), "");
    Inspect(Button1);
    EXPECT_TRUE(Grid->Visible());
    EXPECT_NE(RowIndex(Grid, "Left"), -1);
    EXPECT_EQ(ChosenEntry(Inspector), "Button1: TButton");
}

TEST_F(Inspecting, RenamingAComponentInTheGridRenamesItsComboEntry) {
    Inspector->SetInspectedRoot(Form);
    Inspect(Button1);
    SelectRow(Grid, "Name");
    TInputSimulator::TypeText("Ok", Grid->PropEditor()->Handle());
    TInputSimulator::KeyPress(VK_RETURN, {}, Grid->PropEditor()->Handle());
    ASSERT_EQ(Button1->Name(), "Ok");
    EXPECT_EQ(ComboLines(Inspector), (std::vector<std::string>{"Edit1: TEdit", "Form1: TForm", "Ok: TButton",
                                                               "Panel1: TPanel", "Shape1: TShape"}));
    EXPECT_EQ(ChosenEntry(Inspector), "Ok: TButton");
}

TEST_F(Inspecting, ComponentsFreedInAnUpdateBracketLeaveTheListAtItsEnd) {
    Inspector->SetInspectedRoot(Form);
    Inspect(Edit1);
    Inspector->BeginComponentUpdate();
    for (TComponent* component : std::initializer_list<TComponent*>{Button1, Shape1}) {
        Inspector->Notification(component, opRemove); // as the owner announces it
        delete component;
    }
    Button1 = nullptr;
    Shape1 = nullptr;
    // Freed memory may be reused by a component created in the same update: its entry is its own.
    auto* added = new TButton(Form);
    added->SetName("Button9");
    Inspector->Notification(added, opInsert);
    Inspector->EndComponentUpdate();
    EXPECT_EQ(ComboLines(Inspector), (std::vector<std::string>{"Button9: TButton", "Edit1: TEdit",
                                                               "Form1: TForm", "Panel1: TPanel"}));
    EXPECT_EQ(ChosenEntry(Inspector), "") << "as when an entry goes outside an update";
}

TEST_F(Inspecting, ComponentsCreatedInAnUpdateBracketAppearAtItsEnd) {
    Inspector->SetInspectedRoot(Form);
    const size_t before = ComboLines(Inspector).size();
    Inspector->BeginComponentUpdate();
    auto* added = new TButton(Form);
    added->SetName("Button9");
    Inspector->Notification(added, opInsert); // as the designer forwards it
    EXPECT_EQ(ComboLines(Inspector).size(), before);
    Inspector->EndComponentUpdate();
    EXPECT_NE(Inspector->Components->Items()->IndexOf("Button9: TButton"), -1);
    // Outside a bracket an insertion is listed at once.
    auto* more = new TButton(Form);
    more->SetName("Button10");
    Inspector->Notification(more, opInsert);
    EXPECT_NE(Inspector->Components->Items()->IndexOf("Button10: TButton"), -1);
}

TEST_F(Inspecting, TheFilterRenamesAndHidesRows) {
    Filter filter;
    Inspector->OnFilterProperty = TFilterPropertyEvent::Bind<&Filter::Run>(&filter);
    Inspect(Button1);
    EXPECT_EQ(RowIndex(Grid, "Tag"), -1);
    EXPECT_EQ(RowIndex(Grid, "Left"), -1);
    EXPECT_NE(RowIndex(Grid, "X"), -1);
    EXPECT_EQ(filter.Calls.back(), "(none) TButton");
    Inspector->OnFilterProperty.Clear();
}

TEST_F(Inspecting, ClosingOnlyHidesTheWindowAndKeepsItsRows) {
    Inspect(Button1);
    Grid->SetExpanded(RowNamed(Grid, "Font"), true);
    const auto names = VisibleNames(Grid);
    Inspector->Close();
    EXPECT_FALSE(Inspector->Visible());
    Inspector->Show();
    EXPECT_TRUE(Inspector->Visible());
    EXPECT_EQ(VisibleNames(Grid), names);
    EXPECT_EQ(Inspector->Selection()->Items(0), Button1);
}

TEST_F(Inspecting, ChoosingAComboEntryByKeyInspectsIt) {
    Inspector->SetInspectedRoot(Form);
    Inspect(Button1);
    Inspector->Components->SetFocus();
    // Down moves the choice of a drop-down list to the next entry, as a person's key press does.
    TInputSimulator::KeyPress(VK_DOWN, {}, Inspector->Components->Handle());
    EXPECT_EQ(ChosenEntry(Inspector), "Edit1: TEdit");
    EXPECT_EQ(Inspector->Selection()->Items(0), Edit1);
}

TEST_F(Inspecting, AComboChoiceThatCannotBeTakenLeavesTheComboOnTheInspectedObject) {
    struct Log : TObject {
        std::vector<std::string> Messages;
        void Record(TObject*, const std::exception& e) { Messages.push_back(e.what()); }
    } log;
    Application->OnException = TExceptionEvent::Bind<&Log::Record>(&log);
    Inspector->SetInspectedRoot(Form);
    Inspect(Button1);
    SelectRow(Grid, "Left");
    TInputSimulator::TypeText("abc", Grid->PropEditor()->Handle());
    // Choosing the next entry must first apply the typed text, which fails.
    Inspector->Components->SetFocus();
    TInputSimulator::KeyPress(VK_DOWN, {}, Inspector->Components->Handle());
    Application->OnException.Clear();
    ASSERT_EQ(log.Messages.size(), 1u);
    EXPECT_EQ(Inspector->Selection()->Items(0), Button1);
    EXPECT_EQ(ChosenEntry(Inspector), "Button1: TButton");
    EXPECT_EQ(Grid->PropEditor()->Text(), "abc");
    EXPECT_TRUE(Grid->PropEditor()->Modified());
}

// ---- with the runtime designer ----------------------------------------------------------------------------

using DesigningInTheInspector = DesignedInspectorTest;

TEST_F(DesigningInTheInspector, TheGridFollowsTheDesignedFormAndEditsIt) {
    EXPECT_NE(Inspector->Components->Items()->IndexOf("Form1: TForm"), -1);

    // A click on the button selects it; a drag moves it by whole grid steps, and the grid shows it.
    TInputSimulator::Click(Button1, {10, 10});
    EXPECT_EQ(ChosenEntry(Inspector), "Button1: TButton");
    TInputSimulator::Drag(Form->Handle(), {Button1->Left() + 10, Button1->Top() + 10},
                          {Button1->Left() + 10 + 17, Button1->Top() + 10 + 9});
    EXPECT_EQ(Button1->Left(), 24);
    EXPECT_EQ(RowNamed(Grid, "Left")->Value(), "24");
    EXPECT_EQ(RowNamed(Grid, "Top")->Value(), "16");

    // Typing a value in the grid moves the button on the designed form.
    SelectRow(Grid, "Top");
    TInputSimulator::TypeText("40", Grid->PropEditor()->Handle());
    TInputSimulator::KeyPress(VK_RETURN, {}, Grid->PropEditor()->Handle());
    EXPECT_EQ(Button1->Top(), 40);
    EXPECT_TRUE(Designer->IsModified());

    // Choosing the edit in the combo selects it on the form too.
    Inspector->Components->SetItemIndex(Inspector->Components->Items()->IndexOf("Edit1: TEdit"));
    Inspector->ComponentsChange(Inspector->Components);
    EXPECT_EQ(Inspector->Selection()->Items(0), Edit1);
    EXPECT_EQ(ChosenEntry(Inspector), "Edit1: TEdit");
}

TEST_F(DesigningInTheInspector, DeletingAComponentWithTextTypedForItInspectsWhatIsSelectedNext) {
    TInputSimulator::Click(Button1, {10, 10});
    SelectRow(Grid, "Left");
    TInputSimulator::TypeText("50", Grid->PropEditor()->Handle());
    // Back on the form, without committing, the button is deleted: the text dies with it.
    TInputSimulator::Click(Button1, {10, 10});
    TInputSimulator::KeyPress(VK_DELETE, {}, Form->Handle());
    Button1 = nullptr;
    EXPECT_EQ(Form->FindComponent("Button1"), nullptr);
    ASSERT_NE(Inspector->Selection(), nullptr);
    EXPECT_NE(Inspector->Selection()->Items(0), nullptr);
    EXPECT_TRUE(Grid->Visible());
    EXPECT_EQ(RowNamed(Grid, "Left")->Value(), std::to_string(Shape1->Left()));
}

TEST_F(DesigningInTheInspector, ValuesChangedWhileThePropertiesPageWasHiddenShowWhenItComesBack) {
    TInputSimulator::Click(Button1, {10, 10});
    SelectRow(Grid, "Left");
    TPropInplaceEditor* editor = Grid->PropEditor();
    ASSERT_EQ(editor->Text(), "8");
    const struct {
        const char* what;
        std::function<void()> hide, show;
    } cases[] = {
        {"the Events page", [&] { Inspector->PropBook->SetActivePage(Inspector->MethodSheet); },
         [&] { Inspector->PropBook->SetActivePage(Inspector->PropSheet); }},
        {"the window closed", [&] { Inspector->Close(); }, [&] { Inspector->Show(); }},
    };
    for (const auto& c : cases) {
        c.hide();
        const TPoint at{Button1->Left() + 10, Button1->Top() + 10};
        TInputSimulator::Drag(Form->Handle(), at, {at.X + 16, at.Y});
        c.show();
        EXPECT_EQ(editor->Text(), std::to_string(Button1->Left())) << c.what;
        EXPECT_EQ(RowNamed(Grid, "Left")->Value(), std::to_string(Button1->Left())) << c.what;
    }
    // Text being typed stays.
    TInputSimulator::TypeText("99", editor->Handle());
    cases[0].hide();
    TInputSimulator::Drag(Form->Handle(), {Button1->Left() + 10, Button1->Top() + 10},
                          {Button1->Left() + 26, Button1->Top() + 10});
    cases[0].show();
    EXPECT_EQ(editor->Text(), "99");
    EXPECT_TRUE(editor->Modified());
    TInputSimulator::KeyPress(VK_ESCAPE, {}, editor->Handle());
}

// The press that opens the combo's list takes the mouse capture and the list keeps its release: the capture
// must not outlive the list, or the next click on the form would open the list again.
TEST_F(DesigningInTheInspector, AfterTheComboListClosesTheNextClickReachesTheForm) {
    const struct {
        const char* how;
        std::vector<uint16_t> keys;
        const char* chosen;
    } closings[] = {
        {"a choice", {VK_HOME, VK_DOWN, VK_RETURN}, "Edit1: TEdit"},
        {"Escape", {VK_ESCAPE}, ""},
    };
    for (const auto& closing : closings) {
        SCOPED_TRACE(closing.how);
        Designer->SelectComponent(nullptr);
        TInputSimulator::Click(Inspector->Components, {10, 10});
        ASSERT_TRUE(Inspector->Components->DroppedDown());
        for (uint16_t key : closing.keys)
            TInputSimulator::KeyPress(key);
        ASSERT_FALSE(Inspector->Components->DroppedDown());
        if (*closing.chosen) EXPECT_EQ(ChosenEntry(Inspector), closing.chosen);

        TInputSimulator::Click(Button1, {10, 10});
        EXPECT_FALSE(Inspector->Components->DroppedDown());
        ASSERT_EQ(Designer->SelectionCount(), 1);
        EXPECT_EQ(Designer->Selected(0), Button1);
        EXPECT_EQ(ChosenEntry(Inspector), "Button1: TButton");
    }
}

TEST_F(DesigningInTheInspector, ADesignedContainerListsWhatIsPlacedInIt) {
    auto* inside = new TEdit(Form);
    inside->SetName("Edit2");
    inside->SetParent(Panel1);
    Designer->SetRoot(Panel1);
    EXPECT_EQ(ComboLines(Inspector), (std::vector<std::string>{"Edit2: TEdit", "Panel1: TPanel"}))
        << "the form's controls inside the container, not those outside it";

    Designer->SetClassToPlace(TButton::StaticClass());
    TInputSimulator::Click(Panel1->Handle(), {50, 30});
    EXPECT_EQ(ComboLines(Inspector),
              (std::vector<std::string>{"Button2: TButton", "Edit2: TEdit", "Panel1: TPanel"}));
    EXPECT_EQ(ChosenEntry(Inspector), "Button2: TButton");
}
