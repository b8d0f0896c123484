// What the inspector holds on to: every object behind a row is watched, the root stays watched whatever is
// inspected, the chosen combo entry is always an inspected object, and a write that fails halfway through a
// selection still reports what it changed. Run under the sanitizer build, these tests catch every read or
// write of a freed object.
#include "inspector_support.h"

#include "ComponentList.h"
#include "Formwright.h"
#include "FormwrightText.h"
#include "dialogs/MessageBox.h"
#include "ui/Application.h"
#include "ui/InputSimulator.h"
#include "ui/ModalLoop.h"
#include "ui/Windows.h"
#include "widgets/Button.h"
#include "widgets/ComboBox.h"
#include "widgets/Edit.h"
#include "widgets/Panel.h"

#include <cstdio>
#include <filesystem>

namespace {

std::string ChosenEntry(TObjectInspector* inspector) {
    const int index = inspector->Components->ItemIndex();
    return index < 0 ? "" : inspector->Components->Items()->Strings(index);
}

class InspectionLifetime : public DesignedInspectorTest {
protected:
    void SetUp() override {
        DesignedInspectorTest::SetUp();
        TModalDriver::SetStrict(true);
    }
    void TearDown() override {
        DesignedInspectorTest::TearDown();
        EXPECT_TRUE(TModalDriver::TakeFailures().empty());
        TModalDriver::ClearActions();
        TModalDriver::SetStrict(false);
    }
    // The index of the first row named `name` below the row at `parent`, or -1.
    int ChildRowIndex(int parent, const std::string& name) const {
        for (int i = parent + 1; i < Grid->VisibleRows().Count(); ++i) {
            if (Grid->VisibleRow(i)->Indent() <= Grid->VisibleRow(parent)->Indent()) break;
            if (Grid->VisibleRow(i)->Name() == name) return i;
        }
        return -1;
    }
};

} // namespace

TEST_F(InspectionLifetime, RowsOfAnObjectBehindAPropertyGoWhenALoadFreesIt) {
    // The host makes the button the active control while the form is designed.
    Form->SetActiveControl(Button1);
    TInputSimulator::Click(Form->Handle(), {250, 150}); // the root is inspected
    const int activeRow = RowIndex(Grid, "ActiveControl");
    TInputSimulator::DoubleClick(Grid->Handle(), CellCenter(Grid, 0, activeRow));
    const int leftRow = ChildRowIndex(activeRow, "Left");
    ASSERT_GT(leftRow, activeRow) << "the button's rows are shown under ActiveControl";

    // Text typed for the button's Left, not committed, when a load frees the button.
    TInputSimulator::Click(Grid->Handle(), CellCenter(Grid, 1, leftRow));
    TInputSimulator::TypeText("77", Grid->PropEditor()->Handle());
    const std::string file = (std::filesystem::temp_directory_path() / "inspection_lifetime.txt").string();
    SaveRootToTextFile(Designer, file);
    LoadRootFromTextFile(Designer, file);
    std::remove(file.c_str());
    Button1 = dynamic_cast<TButton*>(Form->FindComponent("Button1"));

    EXPECT_EQ(ChildRowIndex(RowIndex(Grid, "ActiveControl"), "Left"), -1)
        << "the freed button's rows are gone";
    // Moving on commits nothing anywhere, and refreshing reads only live objects.
    TInputSimulator::Click(Grid->Handle(), CellCenter(Grid, 1, RowIndex(Grid, "Caption")));
    Inspector->RefreshValues();
    ASSERT_NE(Button1, nullptr);
    EXPECT_EQ(Button1->Left(), 8);
}

TEST_F(InspectionLifetime, TheRootIsWatchedWhateverWasInspectedBefore) {
    Designer->SetRoot(nullptr);
    Designer = nullptr;
    Inspector->SetInspectedRoot(Form);
    Inspect(Form);
    Inspect(Button1);
    Inspect(Edit1);
    delete Form;
    Form = nullptr;
    EXPECT_EQ(Inspector->InspectedRoot(), nullptr);
    EXPECT_EQ(Inspector->Components->Items()->Count(), 0);
}

TEST_F(InspectionLifetime, TheChosenEntryIsTheOneInspectedObject) {
    Inspect(Button1);
    ASSERT_EQ(ChosenEntry(Inspector), "Button1: TButton");
    auto* one = new TComponentList;
    one->Add(Edit1);
    Inspector->InspectList(one);
    EXPECT_EQ(ChosenEntry(Inspector), "Edit1: TEdit");
    auto* two = new TComponentList;
    two->Add(Edit1);
    two->Add(Button1);
    Inspector->InspectList(two);
    EXPECT_EQ(ChosenEntry(Inspector), "");
}

TEST_F(InspectionLifetime, RenamingTwoObjectsReportsTheFirstBeforeTheSecondFails) {
    TInputSimulator::Click(Button1, {10, 10});
    TInputSimulator::Click(Panel1, {10, 10}, mbLeft, {ssShift});
    ASSERT_EQ(Designer->SelectionCount(), 2);
    ASSERT_FALSE(Designer->IsModified());
    std::string shown;
    TModalDriver::QueueAction([&](TObject* window) {
        auto* box = dynamic_cast<TMessageBox*>(window);
        ASSERT_NE(box, nullptr);
        shown = box->Text();
        box->ClickPart(dpOK);
    });
    TypeIntoRow("Name", "Renamed");
    EXPECT_EQ(Button1->Name(), "Renamed");
    EXPECT_EQ(Panel1->Name(), "Panel1");
    EXPECT_EQ(shown, "A component named Renamed already exists");
    EXPECT_TRUE(Designer->IsModified());
    TInputSimulator::KeyPress(VK_ESCAPE, {}, Grid->PropEditor()->Handle()); // the refused text goes
}
