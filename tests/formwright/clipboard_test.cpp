// Copy, cut, paste and delete of design objects through the real clipboard, as text form blocks.
#include "EditContainer.h"
#include "Formwright.h"
#include "FormwrightText.h"
#include "components/Query.h"
#include "components/Table.h"
#include "core/Streams.h"
#include "dialogs/MessageBox.h"
#include "formwright_support.h"
#include "graphics/Clipboard.h"
#include "ui/Application.h"
#include "ui/ModalLoop.h"
#include "ui/Windows.h"
#include "widgets/Button.h"
#include "widgets/Panel.h"

namespace {

using DesignClipboard = DesignedSample;

template <class F> std::string MessageOf(F&& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(no error)";
}

std::string ClipboardText() {
    return Clipboard()->AsText();
}

TEST_F(DesignClipboard, CopyPutsOneTextBlockPerTopLevelObject) {
    Designer->SelectObject(Form->Panel1, true);
    Designer->SelectObject(Form->Button3, false); // inside the panel: goes with it
    Designer->SelectObject(Form->Button1, false);
    Designer->CopySelection();
    const std::string text = ClipboardText();
    EXPECT_EQ(text.rfind("object Panel1: TPanel\r\n", 0), 0u) << text;
    EXPECT_EQ(text.find("object Button3: TButton"), text.rfind("object Button3: TButton")) << "once, nested";
    EXPECT_LT(text.find("object Button3: TButton"), text.find("object Button1: TButton"));
    EXPECT_NE(text.find("end\r\nobject Button1: TButton"), std::string::npos) << "blocks follow each other";
}

TEST_F(DesignClipboard, CopyWithNothingSelectedLeavesTheClipboardAlone) {
    Clipboard()->SetAsText("untouched");
    Designer->CopySelection();
    EXPECT_EQ(ClipboardText(), "untouched");
}

TEST_F(DesignClipboard, PasteGoesIntoTheGrabbedContainerTheGrabbedControlsParentOrTheRoot) {
    struct Row {
        const char* what;
        TControl* selected;
        TWinControl* parent;
    } rows[] = {
        {"a panel selected", Form->Panel1, Form->Panel1},
        {"a button in the panel selected", Form->Button3, Form->Panel1},
        {"a button on the form selected", Form->Button2, Form},
        {"nothing selected", nullptr, Form},
        {"a placeholder selected", PlaceholderOf(Form->Table1), Form},
    };
    Designer->SelectObject(Form->Button1, true);
    Designer->CopySelection();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.selected)
            Designer->SelectObject(row.selected, true);
        else
            Designer->ClearSelection(true);
        Designer->SelectionChanged();
        Press(VK_INSERT, {ssShift});
        ASSERT_EQ(Designer->SelectionCount(), 1);
        auto* pasted = dynamic_cast<TButton*>(Designer->Selected(0));
        ASSERT_NE(pasted, nullptr);
        EXPECT_EQ(pasted->Parent(), row.parent);
        EXPECT_EQ(pasted->Owner(), Form);
        EXPECT_EQ(pasted->Caption(), "Button1");
        EXPECT_EQ(pasted->BoundsRect(), Form->Button1->BoundsRect());
        EXPECT_NE(pasted->Name(), "Button1");
    }
}

TEST_F(DesignClipboard, PastedPanelWithAButtonGetsNewNamesAndOnlyThePanelIsSelected) {
    Designer->SelectComponent(Form->Panel1);
    Designer->CopySelection();
    Inspector->Calls.clear();
    Designer->PasteSelection();
    auto* panel = dynamic_cast<TPanel*>(Form->FindComponent("Panel2"));
    auto* button = dynamic_cast<TButton*>(Form->FindComponent("Button4"));
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Parent(), panel);
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{"Panel2"});
    EXPECT_EQ(Inspector->Calls,
              (std::vector<std::string>{"BeginComponentUpdate", "Insert TPanel", "Insert TButton",
                                        "EndComponentUpdate", "InspectObject Panel2"}))
        << "the inspector hears of each new component before it has its name";
    EXPECT_TRUE(Designer->IsModified());
    EXPECT_EQ(panel->Parent(), Form->Panel1) << "pasted into the selected panel";
    EXPECT_EQ(Form->Button3->Parent(), Form->Panel1);
}

TEST_F(DesignClipboard, PastedNamesThatAreFreeStay) {
    Designer->SelectComponent(Form->Button2);
    Designer->CutSelection();
    EXPECT_EQ(Form->Button2, nullptr) << "cut frees the button and clears the form's field";
    Designer->PasteSelection();
    ASSERT_NE(Form->FindComponent("Button2"), nullptr);
    EXPECT_EQ(Form->Button2, Form->FindComponent("Button2")) << "the published field is bound again";
}

TEST_F(DesignClipboard, ManyBlocksPastedAtOnceAreNamedAsWhenPastedOneByOne) {
    // Beside the sample's Button1..3: a second use of 1 and a gap before 7.
    for (const char* name : {"Button01", "Button7"})
        (new TButton(Form))->SetName(name);
    const std::vector<std::string> blocks = {
        "object Button1: TButton\r\nend\r\n",
        "object Button1: TButton\r\nend\r\n",
        "object Button9: TButton\r\nend\r\n", // free: kept, and counted from then on
        "object Panel1: TPanel\r\n  object Button1: TButton\r\n  end\r\n  object Label1: TLabel\r\n  "
        "end\r\nend\r\n",
        "object Button1: TButton\r\nend\r\n",
        "object Button01x: TButton\r\nend\r\n",
        "object Button10: TButton\r\nend\r\n",
        "object Table1: TTable\r\nend\r\n",
    };
    const std::vector<std::string> expected = {"Button5", "Button6",  "Button9",   "Panel2",   "Button8",
                                               "Label2",  "Button10", "Button01x", "Button11", "Table2"};
    const std::vector<std::string> before = OwnedNames(Form);
    auto pastedNames = [&] {
        std::vector<std::string> names = OwnedNames(Form);
        names.erase(names.begin(), names.begin() + static_cast<long>(before.size()));
        return names;
    };
    std::string all;
    for (const std::string& block : blocks)
        all += block;
    Clipboard()->SetAsText(all);
    Designer->ClearSelection(true);
    Designer->PasteSelection();
    EXPECT_EQ(pastedNames(), expected);

    Designer->DeleteSelection();
    ASSERT_EQ(OwnedNames(Form), before);
    for (const std::string& block : blocks) {
        Clipboard()->SetAsText(block);
        Designer->ClearSelection(true);
        Designer->PasteSelection();
    }
    EXPECT_EQ(pastedNames(), expected);
}

TEST_F(DesignClipboard, TwoCopiedButtonsPasteAsTwoSelectedButtons) {
    Designer->SelectObject(Form->Button1, true);
    Designer->SelectObject(Form->Button2, false);
    Designer->CopySelection();
    Designer->PasteSelection();
    EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"Button4", "Button5"}));
}

TEST_F(DesignClipboard, APastedTablePlaceholderSitsAtTheSameDesignPositionAndShows) {
    Designer->SelectComponent(Form->Table1);
    Designer->CopySelection();
    EXPECT_EQ(ClipboardText().rfind("object Table1: TTable\r\n  Left = 96\r\n  Top = 160\r\n", 0), 0u)
        << ClipboardText();
    Designer->PasteSelection();
    auto* table = dynamic_cast<TTable*>(Form->FindComponent("Table2"));
    ASSERT_NE(table, nullptr);
    TEditContainer* box = PlaceholderOf(table);
    EXPECT_EQ(box->BoundsRect(), TRect::FromBounds(96, 160, 28, 28));
    EXPECT_TRUE(IsWindowVisible(box->Handle()));
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{"Table2"});
}

TEST_F(DesignClipboard, TextThatIsNoFormFailsBeforeAnythingIsCreated) {
    const int before = Form->ComponentCount();
    Clipboard()->SetAsText("object Button9: TButton\r\n  Caption = 'ok'\r\nend\r\nthis is not a form\r\n");
    try {
        Designer->PasteSelection();
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "'object' expected on line 4") << "the line in the whole text";
    }
    EXPECT_EQ(Form->ComponentCount(), before);
    EXPECT_EQ(Inspector->CallsStartingWith("BeginComponentUpdate").size(), 0u);
}

TEST_F(DesignClipboard, ASyntaxErrorInALaterBlockNamesItsLineInTheWholeText) {
    Clipboard()->SetAsText("\r\n\r\nobject A1: TButton\r\nend\r\n\r\nobject B1: TButton\r\n  = 5\r\nend\r\n");
    EXPECT_EQ(MessageOf([&] { Designer->PasteSelection(); }), "Identifier expected on line 7");
    EXPECT_EQ(Form->FindComponent("A1"), nullptr);
}

// A paste is all or nothing, as a load is: a failing record takes back what the blocks before it made,
// and no step is left to undo.
TEST_F(DesignClipboard, AFailingRecordPastesNothingAndClosesTheInspectorsBatch) {
    Clipboard()->SetAsText(
        "object Button9: TButton\r\nend\r\nobject Table9: TTable\r\n  Left = 40\r\n  Top = 48\r\n"
        "end\r\nobject Table8: TTable\r\n  Bogus = 1\r\nend\r\n");
    std::string message;
    TModalDriver::QueueAction([&message](TObject* window) {
        auto* box = static_cast<TMessageBox*>(window);
        message = box->Text();
        box->ClickPart(dpOK);
    });
    const int before = Form->ComponentCount();
    const int boxes = Designer->Placeholders().Count();
    Designer->SelectObject(Form->Button1, true);
    Press(VK_INSERT, {ssShift}); // the hook shows the error and designing goes on
    EXPECT_EQ(message, "Error reading Table8.Bogus: Property does not exist");
    for (const char* name : {"Button9", "Table9", "Table8"})
        EXPECT_EQ(Form->FindComponent(name), nullptr) << name;
    EXPECT_EQ(Form->ComponentCount(), before);
    EXPECT_EQ(Designer->Placeholders().Count(), boxes);
    EXPECT_EQ(Inspector->UpdateDepth, 0);
    EXPECT_EQ(Designer->PastedComponents(), nullptr);
    EXPECT_FALSE(Designer->CanUndo()) << "nothing to undo at the start of the history";
    EXPECT_FALSE(Designer->IsModified());
}

TEST_F(DesignClipboard, AControlHiddenAtRunTimeStaysVisibleWhenPastedOrLoaded) {
    Form->Button2->SetVisible(false); // as the inspector sets it
    Designer->SelectComponent(Form->Button2);
    Designer->CopySelection();
    Designer->PasteSelection();
    auto* pasted = dynamic_cast<TButton*>(Form->FindComponent("Button4"));
    ASSERT_NE(pasted, nullptr);
    EXPECT_FALSE(pasted->Visible());
    EXPECT_TRUE(IsWindowVisible(pasted->Handle())) << "it can be seen and selected";
    TStringStream text;
    WriteRootText(Designer, text);
    text.SetPosition(0);
    ReadRootText(Designer, text);
    EXPECT_TRUE(IsWindowVisible(Form->Button2->Handle()));
    EXPECT_FALSE(Form->Button2->Visible());
}

TEST_F(DesignClipboard, AnEmptyOrBlankClipboardPastesNothing) {
    for (const char* text : {"", "  \r\n\t"}) {
        Clipboard()->SetAsText(text);
        const int before = Form->ComponentCount();
        Designer->PasteSelection();
        EXPECT_EQ(Form->ComponentCount(), before);
    }
}

// ---- delete -----------------------------------------------------------------------------------------------

using Deleting = DesignedSample;

TEST_F(Deleting, APanelWithItsSelectedButtonIsFreedOnce) {
    Designer->SelectObject(Form->Button3, true);
    Designer->SelectObject(Form->Panel1, false);
    Designer->DeleteSelection();
    EXPECT_EQ(Form->Panel1, nullptr);
    EXPECT_EQ(Form->Button3, nullptr);
    EXPECT_EQ(Form->FindComponent("Button3"), nullptr);
}

TEST_F(Deleting, TheLastComponentTheRootOwnsIsSelectedAfterwards) {
    Designer->SelectComponent(Form->Button1);
    Inspector->Calls.clear();
    Designer->DeleteSelection();
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{"Query1"});
    // The inspector's list of components changes inside one update.
    EXPECT_EQ(Inspector->Calls, (std::vector<std::string>{"BeginComponentUpdate", "Remove Button1",
                                                          "EndComponentUpdate", "InspectObject Query1"}));
    EXPECT_TRUE(Designer->IsModified());
}

TEST_F(Deleting, TheSelectedRootIsNeverFreed) {
    Designer->SelectObject(Form, true);
    Press(VK_DELETE);
    EXPECT_EQ(Designer->Root(), Form);
    EXPECT_EQ(Form->ComponentCount(), 9);
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{"DesignSample"}) << "nothing was deleted";
    EXPECT_FALSE(Designer->IsModified());
}

TEST_F(Deleting, TheSelectedRootIsNeitherCopiedNorCut) {
    for (TShiftState shift : {TShiftState{ssCtrl}, TShiftState{ssShift}}) {
        Clipboard()->SetAsText("untouched");
        Designer->SelectObject(Form, true);
        Press(shift == TShiftState{ssCtrl} ? VK_INSERT : VK_DELETE, shift);
        EXPECT_EQ(ClipboardText(), "untouched");
        EXPECT_EQ(Designer->Root(), Form);
        EXPECT_EQ(Form->ComponentCount(), 9);
    }
}

TEST_F(Deleting, APlaceholderFreesItsComponentAndItself) {
    Designer->SelectComponent(Form->Query1);
    const int boxes = Designer->Placeholders().Count();
    Designer->DeleteSelection();
    EXPECT_EQ(Form->Query1, nullptr);
    EXPECT_EQ(Designer->Placeholders().Count(), boxes - 1);
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{"Table1"});
}

TEST(DeletingInAPanel, TheLastOneLeavesNothingSelectedAndTheInspectorShowsTheRoot) {
    TDesignSample form(nullptr);
    form.Show();
    TRecordingInspector inspector;
    TFormwright designer;
    designer.SetInspector(&inspector);
    designer.SetRoot(form.Panel1);
    designer.SelectComponent(form.Button3);
    designer.DeleteSelection();
    EXPECT_EQ(designer.SelectionCount(), 0);
    EXPECT_EQ(inspector.Calls.back(), "InspectObject Panel1");
    designer.SetRoot(nullptr);
}

} // namespace
