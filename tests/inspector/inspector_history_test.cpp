// Edits made in the inspector as steps of the designer's history, through real keys: a value typed key
// by key is one step and Escape takes it back without one, Enter on an unchanged row changes nothing,
// text typed but not applied is dropped by undo and redo and stops a load before it starts, and a menu
// item chosen in the component list is deleted and comes back inside its menu.
#include "inspector_support.h"

#include "DesignHistory.h"
#include "Formwright.h"
#include "FormwrightText.h"
#include "PropInplaceEditor.h"
#include "core/Streams.h"
#include "graphics/Clipboard.h"
#include "ui/Application.h"
#include "ui/InputSimulator.h"
#include "ui/ModalLoop.h"
#include "widgets/Button.h"
#include "widgets/ComboBox.h"
#include "widgets/Menus.h"

namespace {

class InspectorHistory : public DesignedInspectorTest {
protected:
    struct TExceptionLog : TObject {
        std::vector<std::string> Messages;
        void Record(TObject*, const std::exception& e) { Messages.push_back(e.what()); }
    };

    void SetUp() override {
        DesignedInspectorTest::SetUp();
        Application->OnException = TExceptionEvent::Bind<&TExceptionLog::Record>(&Log);
        TInputSimulator::Click(Button1, {5, 5});
        Application->ProcessMessages();
    }
    void TearDown() override {
        Application->OnException.Clear();
        DesignedInspectorTest::TearDown();
    }

    HWND EditorWindow() const { return Grid->PropEditor()->Handle(); }
    // Text typed into the row, replacing what it shows; no Enter.
    void TypeWithoutEnter(const std::string& row, const std::string& text) {
        SelectRow(Grid, row);
        TInputSimulator::KeyPress('A', {ssCtrl}, EditorWindow());
        TInputSimulator::TypeText(text, EditorWindow());
        Application->ProcessMessages();
    }
    void PressInEditor(uint16_t key) {
        TInputSimulator::KeyPress(key, {}, EditorWindow());
        Application->ProcessMessages();
    }
    void PressOnForm(uint16_t key, TShiftState shift = {}) {
        TInputSimulator::KeyPress(key, shift, Form->Handle());
        Application->ProcessMessages();
    }
    std::string SavedText() {
        TStringStream text("");
        WriteRootText(Designer, text);
        return text.DataString();
    }

    TExceptionLog Log;
};

} // namespace

TEST_F(InspectorHistory, ACaptionTypedKeyByKeyIsOneStepThatUndoTakesBackWhole) {
    const int steps = Designer->History().Count();
    TypeWithoutEnter("Caption", "Hello");
    EXPECT_EQ(Button1->Caption(), "Hello") << "the caption follows every key";
    PressInEditor(VK_RETURN);
    EXPECT_EQ(Designer->History().Count(), steps + 1) << "one step for the five keys and Enter";
    PressOnForm('Z', {ssCtrl});
    EXPECT_EQ(Button1->Caption(), "Button1") << "not Hell";
    EXPECT_FALSE(Designer->IsModified());
    PressOnForm('Y', {ssCtrl});
    EXPECT_EQ(Button1->Caption(), "Hello");

    // Leaving the row ends the edit as well; the next typing is a step of its own.
    TypeWithoutEnter("Caption", "Hi");
    SelectRow(Grid, "Left");
    TypeWithoutEnter("Caption", "Yo");
    PressInEditor(VK_RETURN);
    EXPECT_EQ(Designer->History().Count(), steps + 3);
    PressOnForm('Z', {ssCtrl});
    EXPECT_EQ(Button1->Caption(), "Hi");
}

// A caption longer than the history is long still leaves the steps before it to undo.
TEST_F(InspectorHistory, ALongCaptionDoesNotPushEarlierStepsOut) {
    Designer->SetHistoryLimits(20, TDesignHistory::DefaultMaxBytes);
    PressOnForm(VK_RIGHT, {ssCtrl});
    TypeWithoutEnter("Caption", std::string(60, 'x'));
    PressInEditor(VK_RETURN);
    ASSERT_EQ(Designer->History().Count(), 2);
    PressOnForm('Z', {ssCtrl});
    PressOnForm('Z', {ssCtrl});
    EXPECT_EQ(Button1->Caption(), "Button1");
    EXPECT_EQ(Button1->Left(), 8);
}

TEST_F(InspectorHistory, EscapeAfterTypingPutsTheValueBackAndLeavesNoStep) {
    const int steps = Designer->History().Count();
    TypeWithoutEnter("Caption", "Hello");
    PressInEditor(VK_ESCAPE);
    EXPECT_EQ(Button1->Caption(), "Button1");
    EXPECT_EQ(Grid->PropEditor()->Text(), "Button1");
    EXPECT_EQ(Designer->History().Count(), steps);
    EXPECT_FALSE(Designer->IsModified());
}

TEST_F(InspectorHistory, EnterOnARowThatWasNotChangedChangesNothing) {
    SelectRow(Grid, "Left");
    PressInEditor(VK_RETURN);
    SelectRow(Grid, "Caption");
    PressInEditor(VK_RETURN);
    EXPECT_FALSE(Designer->IsModified());
    EXPECT_EQ(Designer->History().Count(), 0);
}

// Undo and redo drop text typed but not applied: applying it would make a step and lose the redo.
TEST_F(InspectorHistory, RedoDropsTextTypedButNotAppliedAndKeepsWhatCanBeRedone) {
    PressOnForm(VK_RIGHT, {ssCtrl});
    PressOnForm(VK_RIGHT, {ssCtrl});
    PressOnForm('Z', {ssCtrl});
    PressOnForm('Z', {ssCtrl});
    ASSERT_EQ(Button1->Left(), 8);
    TypeWithoutEnter("Left", "300");
    PressOnForm('Y', {ssCtrl});
    EXPECT_EQ(Button1->Left(), 9);
    EXPECT_TRUE(Designer->CanRedo()) << "the second step can still be redone";
    EXPECT_EQ(RowNamed(Grid, "Left")->Value(), "9");
    PressOnForm('Y', {ssCtrl});
    EXPECT_EQ(Button1->Left(), 10);
    // The same for undo: the typed text is not a step to undo first.
    TypeWithoutEnter("Left", "300");
    PressOnForm('Z', {ssCtrl});
    EXPECT_EQ(Button1->Left(), 9);
    EXPECT_TRUE(Log.Messages.empty());
}

// A load applies text typed for the design it replaces first; text that cannot be applied stops the
// load before it begins, and the history goes on as before it.
TEST_F(InspectorHistory, ALoadWithInvalidTextTypedStopsAndTheHistoryGoesOn) {
    const std::string saved = SavedText();
    TypeWithoutEnter("Left", "abc");
    TStringStream text(saved);
    EXPECT_THROW(ReadRootText(Designer, text), Exception);
    EXPECT_EQ(Button1->Left(), 8);
    PressInEditor(VK_ESCAPE);

    const int steps = Designer->History().Count();
    PressOnForm(VK_RIGHT, {ssCtrl});
    EXPECT_EQ(Designer->History().Count(), steps + 1) << "a later edit is recorded";
    TStringStream again(saved);
    ReadRootText(Designer, again);
    EXPECT_FALSE(Designer->IsModified()) << "the loaded design is the saved one";
    EXPECT_EQ(Designer->History().Count(), steps + 2);
    // The load made the button anew: it is found by its name.
    PressOnForm('Z', {ssCtrl});
    auto* button = dynamic_cast<TControl*>(Form->FindComponent("Button1"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Left(), 9) << "the load is undone to the edit before it";
}

// A menu item has no box on the form: it is chosen in the component list, deleted, and undo puts it back
// inside its menu.
TEST_F(InspectorHistory, AMenuItemChosenInTheListIsDeletedAndComesBackInsideItsMenu) {
    Clipboard()->SetAsText("object PopupMenu1: TPopupMenu\r\n  Left = 200\r\n  Top = 100\r\n"
                           "  object Item1: TMenuItem\r\n    Caption = 'One'\r\n  end\r\n"
                           "  object Item2: TMenuItem\r\n    Caption = 'Two'\r\n  end\r\nend\r\n");
    PressOnForm('V', {ssCtrl});
    auto* menu = dynamic_cast<TPopupMenu*>(Form->FindComponent("PopupMenu1"));
    ASSERT_NE(menu, nullptr);
    const std::string pasted = SavedText();

    // Up walks the sorted list from the pasted menu to the item, as a person's keys do.
    TComboBox* list = Inspector->Components;
    list->SetFocus();
    for (int i = 0; i < list->Items()->Count() && list->Text() != "Item1: TMenuItem"; ++i)
        TInputSimulator::KeyPress(VK_UP, {}, list->Handle());
    ASSERT_EQ(list->Text(), "Item1: TMenuItem");
    EXPECT_EQ(Designer->SelectedChild(), Form->FindComponent("Item1"));
    EXPECT_EQ(Designer->SelectionCount(), 0) << "no box stands for it";

    PressOnForm(VK_DELETE);
    EXPECT_EQ(Form->FindComponent("Item1"), nullptr);
    ASSERT_EQ(menu->Items()->Count(), 1);
    EXPECT_TRUE(Log.Messages.empty());
    PressOnForm('Z', {ssCtrl});
    EXPECT_EQ(SavedText(), pasted);
    ASSERT_EQ(menu->Items()->Count(), 2);
    EXPECT_EQ(menu->Items()->Items(0)->Name(), "Item1");
    EXPECT_EQ(Designer->SelectedChild(), Form->FindComponent("Item1")) << "selected as before";
}
