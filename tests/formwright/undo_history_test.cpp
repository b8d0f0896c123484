// The undo history around the steps: identity of components across undo, the bound of the history, the
// modified flag following it, failed edits, the menu's Undo and Redo entries and the history event.
#include "DesignHistory.h"
#include "FormwrightText.h"
#include "core/Streams.h"
#include "designing_fixture.h"
#include "dialogs/MessageBox.h"
#include "graphics/Clipboard.h"
#include "menu_driving.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

struct History : Designing {
    std::string SavedText() {
        TStringStream text("");
        WriteRootText(designer, text);
        return text.DataString();
    }
    void Press(uint16_t key, TShiftState shift = {}) {
        TInputSimulator::KeyPress(key, shift, FormWindow());
        Application->ProcessMessages();
    }
    void SelectButton1() { TInputSimulator::Click(form->Button1, {5, 5}); }
};

struct TChangeCounter {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};

} // namespace

TEST_F(History, ComponentsThatStayKeepTheirIdentityAndFreedOnesComeBackWithTheirValues) {
    TButton* button1 = form->Button1;
    TPanel* panel = form->Panel1;
    TButton* button3 = form->Button3;
    SelectButton1();
    Press(VK_RIGHT, {ssCtrl});
    Press('Z', {ssCtrl});
    EXPECT_EQ(form->Button1, button1) << "moved and moved back: the same button";
    EXPECT_EQ(button1->Left(), 8);

    // The panel goes with its button, and both come back as new objects with the old names and values.
    TInputSimulator::Click(panel, {100, 100});
    Press(VK_DELETE);
    ASSERT_EQ(form->FindComponent("Panel1"), nullptr);
    Press('Z', {ssCtrl});
    auto* newPanel = dynamic_cast<TPanel*>(form->FindComponent("Panel1"));
    auto* newButton3 = dynamic_cast<TButton*>(form->FindComponent("Button3"));
    ASSERT_NE(newPanel, nullptr);
    ASSERT_NE(newButton3, nullptr);
    EXPECT_EQ(form->Panel1, newPanel) << "the form's field follows";
    EXPECT_EQ(newButton3->Parent(), newPanel);
    EXPECT_EQ(newButton3->BoundsRect(), TRect::FromBounds(16, 16, 75, 25));
    EXPECT_EQ(newPanel->Caption(), "Panel1");
    EXPECT_EQ(form->Button1, button1) << "untouched by the delete";
    (void)button3;

    // A step that renames keeps the object: undo renames it back.
    designer->SelectComponent(button1);
    button1->SetName("OK");
    designer->Modified();
    EXPECT_EQ(form->FindComponent("OK"), button1);
    Press('Z', {ssCtrl});
    EXPECT_EQ(button1->Name(), "Button1");
    EXPECT_EQ(form->Button1, button1);
    Press('Y', {ssCtrl});
    EXPECT_EQ(button1->Name(), "OK");
}

TEST_F(History, SwappedNamesAndASwappedParentComeBackTogether) {
    const std::string before = SavedText();
    // The form's fields follow the names, so the buttons are held here.
    TButton* b1 = form->Button1;
    TButton* b2 = form->Button2;
    TButton* b3 = form->Button3;
    designer->SelectComponent(b1);
    b1->SetName("Temp");
    b2->SetName("Button1");
    b3->SetName("Button2");
    b3->SetParent(form);
    designer->Modified();
    ASSERT_EQ(designer->History().Count(), 1);
    Press('Z', {ssCtrl});
    EXPECT_EQ(SavedText(), before);
    EXPECT_EQ(form->Button1, b1);
    EXPECT_EQ(form->Button3, b3);
    EXPECT_EQ(b3->Parent(), form->Panel1);
}

TEST_F(History, IsBoundedByStepsAndByMemoryAndClearedForAnotherRoot) {
    designer->SetHistoryLimits(3, TDesignHistory::DefaultMaxBytes);
    SelectButton1();
    for (int i = 0; i < 5; ++i)
        Press(VK_RIGHT, {ssCtrl});
    EXPECT_EQ(designer->History().Count(), 3);
    for (int i = 0; i < 3; ++i)
        Press('Z', {ssCtrl});
    EXPECT_FALSE(designer->CanUndo());
    EXPECT_EQ(form->Button1->Left(), 10) << "the two oldest steps are gone";

    // With room for hardly anything, only the newest step stays.
    designer->SetHistoryLimits(100, 1);
    Press(VK_RIGHT, {ssCtrl});
    Press(VK_RIGHT, {ssCtrl});
    EXPECT_EQ(designer->History().Count(), 1);
    EXPECT_LE(designer->History().Bytes(), size_t(1) << 20);

    designer->SetRoot(form->Panel1);
    EXPECT_FALSE(designer->CanUndo());
    EXPECT_FALSE(designer->CanRedo());
    EXPECT_EQ(designer->History().Count(), 0);
}

TEST_F(History, TheModifiedFlagFollowsTheHistoryFromTheStateLastSavedOrLoaded) {
    std::string pattern = (fs::temp_directory_path() / "formwright-undo-XXXXXX").string();
    const fs::path folder = mkdtemp(pattern.data());
    const std::string file = (folder / "design.txt").string();

    SelectButton1();
    EXPECT_FALSE(designer->IsModified());
    Press(VK_RIGHT, {ssCtrl});
    EXPECT_TRUE(designer->IsModified());
    Press('Z', {ssCtrl});
    EXPECT_FALSE(designer->IsModified()) << "back at the state it started from";
    Press('Y', {ssCtrl});
    EXPECT_TRUE(designer->IsModified());

    SaveRootToTextFile(designer, file);
    EXPECT_FALSE(designer->IsModified());
    Press(VK_DOWN, {ssCtrl});
    EXPECT_TRUE(designer->IsModified());
    Press('Z', {ssCtrl});
    EXPECT_FALSE(designer->IsModified()) << "back at the saved state";
    Press('Z', {ssCtrl});
    EXPECT_TRUE(designer->IsModified()) << "before the saved state";

    LoadRootFromTextFile(designer, file);
    EXPECT_FALSE(designer->IsModified()) << "the loaded state is the one on disk";
    EXPECT_TRUE(designer->CanUndo()) << "the load is a step";
    Press('Z', {ssCtrl});
    EXPECT_TRUE(designer->IsModified());
    Press('Y', {ssCtrl});
    EXPECT_FALSE(designer->IsModified());
    fs::remove_all(folder);
}

TEST_F(History, AFailedEditLeavesNoStep) {
    SelectButton1();
    Press(VK_RIGHT, {ssCtrl});
    const std::string saved = SavedText();
    const int steps = designer->History().Count();

    // A paste of text that is no form, and a load of a file with a syntax error: nothing changes.
    Clipboard()->SetAsText("object Broken: TButton\r\n  Left = \r\nend\r\n");
    TModalDriver::QueueAction([](TObject* window) {
        if (auto* box = dynamic_cast<TMessageBox*>(window)) box->ClickPart(dpOK);
    });
    Press(VK_INSERT, {ssShift});
    TStringStream broken("object DesignSample: TDesignSample\r\n  Left = \r\nend\r\n");
    EXPECT_THROW(ReadRootText(designer, broken), Exception);
    // A load whose second component has a class nobody knows fails after freeing the design: the
    // design comes back as it was.
    std::string text = saved;
    text.replace(text.find("TButton"), 7, "TNoSuchClass");
    TStringStream unknown(text);
    EXPECT_THROW(ReadRootText(designer, unknown), Exception);
    EXPECT_EQ(SavedText(), saved);
    EXPECT_EQ(designer->History().Count(), steps);
    EXPECT_EQ(designer->History().Position(), steps);
    Press('Z', {ssCtrl});
    EXPECT_EQ(form->Button1->Left(), 8);
}

TEST_F(History, TheMenuOffersUndoAndRedoWhenThereIsSomethingToUndoOrRedo) {
    TChangeCounter counter;
    int& changes = counter.Count;
    designer->OnHistoryChange = TNotifyEvent::Bind<&TChangeCounter::Changed>(&counter);
    SelectButton1();
    Press(VK_RIGHT, {ssCtrl});
    EXPECT_EQ(changes, 1);
    bool undoEnabled = false, redoEnabled = true;
    TModalDriver::QueueAction([&](TObject* window) {
        undoEnabled = DesignerMenuEntry(designer, "Undo")->Enabled();
        redoEnabled = DesignerMenuEntry(designer, "Redo")->Enabled();
        static_cast<TPopupMenu*>(window)->ClickItem(DesignerMenuEntry(designer, "Undo"));
    });
    TInputSimulator::Click(form->Button1, {5, 5}, mbRight);
    EXPECT_TRUE(undoEnabled);
    EXPECT_FALSE(redoEnabled);
    EXPECT_EQ(form->Button1->Left(), 8);
    EXPECT_EQ(changes, 2);
    QueueMenuChoice(designer, "Redo");
    TInputSimulator::Click(form->Button1, {5, 5}, mbRight);
    EXPECT_EQ(form->Button1->Left(), 9);
    EXPECT_EQ(changes, 3);
}

TEST_F(History, MovingTheDesignedFormByItsFrameIsOneStepHoweverManyMovesItTakes) {
    const std::string before = SavedText();
    SetWindowPos(FormWindow(), nullptr, 220, 110, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetWindowPos(FormWindow(), nullptr, 240, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Application->ProcessMessages();
    EXPECT_EQ(designer->History().Count(), 1);
    const std::string after = SavedText();
    ASSERT_NE(after, before);
    Press('Z', {ssCtrl});
    EXPECT_EQ(SavedText(), before);
    Press('Y', {ssCtrl});
    EXPECT_EQ(SavedText(), after);
}
