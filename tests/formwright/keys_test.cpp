// The designer's keyboard: every row of the key table through real key presses on the designed form.
#include "EditGrab.h"
#include "Formwright.h"
#include "formwright_support.h"
#include "graphics/Clipboard.h"
#include "ui/Application.h"
#include "ui/InputSimulator.h"
#include "widgets/Button.h"
#include "widgets/Edit.h"
#include "widgets/Panel.h"
#include "widgets/StringGrid.h"

#include <functional>

namespace {

struct KeyRow {
    const char* what;
    uint16_t key;
    TShiftState shift;
    // The selection after the key (names), and the bounds of Button1 after it.
    std::vector<std::string> selected;
    TRect button1;
};

const TRect B1 = TRect::FromBounds(8, 32, 75, 25);

std::string Describe(const TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + " " + std::to_string(r.Width()) + "x" +
           std::to_string(r.Height());
}

using KeyTable = DesignedSample;

TEST_F(KeyTable, EachRowActsOnTheSelectedButtonAndIsConsumed) {
    const KeyRow rows[] = {
        {"Tab walks forwards", VK_TAB, {}, {"Button2"}, B1},
        {"Shift+Tab before the first entry does nothing", VK_TAB, {ssShift}, {"Button1"}, B1},
        {"Right walks forwards", VK_RIGHT, {}, {"Button2"}, B1},
        {"Down walks forwards", VK_DOWN, {}, {"Button2"}, B1},
        {"Left walks backwards", VK_LEFT, {}, {"Button1"}, B1},
        {"Up walks backwards", VK_UP, {}, {"Button1"}, B1},
        {"Shift+Left narrows", VK_LEFT, {ssShift}, {"Button1"}, TRect::FromBounds(8, 32, 74, 25)},
        {"Shift+Right widens", VK_RIGHT, {ssShift}, {"Button1"}, TRect::FromBounds(8, 32, 76, 25)},
        {"Shift+Up shortens", VK_UP, {ssShift}, {"Button1"}, TRect::FromBounds(8, 32, 75, 24)},
        {"Shift+Down lengthens", VK_DOWN, {ssShift}, {"Button1"}, TRect::FromBounds(8, 32, 75, 26)},
        {"Ctrl+Left nudges", VK_LEFT, {ssCtrl}, {"Button1"}, TRect::FromBounds(7, 32, 75, 25)},
        {"Ctrl+Right nudges", VK_RIGHT, {ssCtrl}, {"Button1"}, TRect::FromBounds(9, 32, 75, 25)},
        {"Ctrl+Up nudges", VK_UP, {ssCtrl}, {"Button1"}, TRect::FromBounds(8, 31, 75, 25)},
        {"Ctrl+Down nudges", VK_DOWN, {ssCtrl}, {"Button1"}, TRect::FromBounds(8, 33, 75, 25)},
        {"Ctrl+Shift+Left steps a grid cell",
         VK_LEFT,
         {ssCtrl, ssShift},
         {"Button1"},
         TRect::FromBounds(0, 32, 75, 25)},
        {"Ctrl+Shift+Right steps a grid cell",
         VK_RIGHT,
         {ssCtrl, ssShift},
         {"Button1"},
         TRect::FromBounds(16, 32, 75, 25)},
        {"Ctrl+Shift+Up steps a grid cell",
         VK_UP,
         {ssCtrl, ssShift},
         {"Button1"},
         TRect::FromBounds(8, 24, 75, 25)},
        {"Ctrl+Shift+Down steps a grid cell",
         VK_DOWN,
         {ssCtrl, ssShift},
         {"Button1"},
         TRect::FromBounds(8, 40, 75, 25)},
        {"Ctrl+Tab does nothing", VK_TAB, {ssCtrl}, {"Button1"}, B1},
        {"Alt+Right does nothing", VK_RIGHT, {ssAlt}, {"Button1"}, B1},
        {"Alt+Shift+Right does nothing", VK_RIGHT, {ssAlt, ssShift}, {"Button1"}, B1},
        {"Ctrl+Shift+Tab does nothing", VK_TAB, {ssCtrl, ssShift}, {"Button1"}, B1},
        {"Insert alone does nothing", VK_INSERT, {}, {"Button1"}, B1},
        {"Ctrl+Shift+Delete does nothing", VK_DELETE, {ssCtrl, ssShift}, {"Button1"}, B1},
        {"a letter does nothing", 'A', {}, {"Button1"}, B1},
    };
    for (const KeyRow& row : rows) {
        SCOPED_TRACE(row.what);
        // Left and Up start from Button2, everything else from Button1.
        const bool back = (row.key == VK_LEFT || row.key == VK_UP) && row.shift == TShiftState{};
        Designer->SelectComponent(back ? static_cast<TComponent*>(Form->Button2) : Form->Button1);
        Form->Button1->SetBounds(B1.Left, B1.Top, B1.Width(), B1.Height());
        Press(row.key, row.shift);
        EXPECT_EQ(SelectedNames(), row.selected);
        EXPECT_EQ(Describe(Form->Button1->BoundsRect()), Describe(row.button1));
    }
}

TEST_F(KeyTable, ResizingAndNudgingReportTheChangeAndMoveTheHandles) {
    Designer->SelectComponent(Form->Button1);
    Inspector->Calls.clear();
    // The bottom-right handle follows the new right edge.
    TWinControl* handle = Designer->Grab()->Handles(4);
    const int handleLeft = handle->Left();
    Press(VK_RIGHT, {ssShift});
    EXPECT_EQ(Inspector->Count("RefreshValues"), 1);
    EXPECT_TRUE(Designer->IsModified());
    EXPECT_EQ(handle->Left(), handleLeft + 1);
    Inspector->Calls.clear();
    Press(VK_DOWN, {ssCtrl});
    EXPECT_EQ(Inspector->Count("RefreshValues"), 1);
}

TEST_F(KeyTable, DeleteKeysFreeTheSelection) {
    struct Row {
        const char* what;
        TShiftState shift;
        bool copied;
    } rows[] = {
        {"Delete", {}, false}, {"Ctrl+Delete", {ssCtrl}, false}, {"Shift+Delete cuts", {ssShift}, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Clipboard()->SetAsText("before");
        auto* button = new TButton(Form);
        button->SetParent(Form);
        button->SetName("Doomed");
        Designer->SelectComponent(button);
        Press(VK_DELETE, row.shift);
        EXPECT_EQ(Form->FindComponent("Doomed"), nullptr);
        EXPECT_EQ(Clipboard()->AsText().find("object Doomed: TButton") == 0, row.copied)
            << Clipboard()->AsText();
    }
}

TEST_F(KeyTable, CtrlInsertCopiesAndShiftInsertPastes) {
    Designer->SelectComponent(Form->Button2);
    Press(VK_INSERT, {ssCtrl});
    EXPECT_EQ(Clipboard()->AsText().rfind("object Button2: TButton", 0), 0u) << Clipboard()->AsText();
    Press(VK_INSERT, {ssShift});
    ASSERT_NE(Form->FindComponent("Button4"), nullptr);
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{"Button4"});
}

TEST_F(KeyTable, TabFromNothingStartsAtTheLabelWhichIsNotInTheTabOrder) {
    // The first child control is Label1: forwards from the end of the tab order there is nothing, backwards
    // the next-to-last entry (Button1, Button2, Panel1, Button3, StringGrid1).
    ASSERT_EQ(Designer->SelectionCount(), 0);
    Press(VK_TAB);
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{});
    Press(VK_TAB, {ssShift});
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{"Button3"});
}

TEST_F(KeyTable, TabWalksIntoContainersAndStopsAtTheEnd) {
    Designer->SelectComponent(Form->Button2);
    const char* expected[] = {"Panel1", "Button3", "StringGrid1", "StringGrid1"};
    for (const char* name : expected) {
        Press(VK_TAB);
        EXPECT_EQ(SelectedNames(), std::vector<std::string>{name});
    }
}

TEST_F(KeyTable, NudgingTwoButtonsOfDifferentParentsKeepsTheFirstOnesSiblings) {
    Designer->SelectObject(Form->Button1, true);
    Designer->SelectObject(Form->Button3, false);
    Press(VK_RIGHT, {ssCtrl});
    EXPECT_EQ(SelectedNames(), std::vector<std::string>{"Button1"});
    EXPECT_EQ(Form->Button1->Left(), 9);
    EXPECT_EQ(Form->Button3->Left(), 16) << "the dropped button stays where it was";
}

TEST_F(KeyTable, TypingNeverReachesTheFocusedControl) {
    auto* edit = new TEdit(Form);
    edit->SetParent(Form);
    edit->SetBounds(8, 120, 80, 21);
    Application->ProcessMessages();
    edit->SetFocus();
    Application->ProcessMessages();
    TInputSimulator::TypeText("ab", Form->Handle());
    Application->ProcessMessages();
    EXPECT_EQ(edit->Text(), "");
}

TEST_F(KeyTable, KeysWithAltNeverReachTheFocusedControl) {
    struct TKeys : TObject {
        int downs = 0;
        void Down(TObject*, uint16_t&, TShiftState) { ++downs; }
    } keys;
    Form->Button1->OnKeyDown = TKeyEvent::Bind<&TKeys::Down>(&keys);
    Form->Button1->SetFocus();
    Application->ProcessMessages();
    for (uint16_t key : {uint16_t(VK_DOWN), uint16_t('X'), uint16_t(VK_DELETE)})
        Press(key, {ssAlt});
    EXPECT_EQ(keys.downs, 0);
    EXPECT_EQ(Form->ComponentCount(), 9) << "Alt+Delete matches no row";
    Designer->SetRoot(nullptr);
    Form->Button1->SetFocus();
    Press(VK_DOWN, {ssAlt});
    EXPECT_EQ(keys.downs, 1) << "the control hears Alt keys again once designing ends";
    Form->Button1->OnKeyDown = TKeyEvent();
}

TEST(KeysOutsideADesignedPanel, StillReachTheDesigner) {
    TDesignSample form(nullptr);
    form.Show();
    TRecordingInspector inspector;
    TFormwright designer;
    designer.SetInspector(&inspector);
    designer.SetRoot(form.Panel1);
    Application->ProcessMessages();
    designer.SelectComponent(form.Button3);
    form.Button1->SetFocus(); // outside the designed panel
    Application->ProcessMessages();
    TInputSimulator::KeyPress(VK_RIGHT, {ssCtrl}, form.Handle());
    Application->ProcessMessages();
    EXPECT_EQ(form.Button3->Left(), 17);
    designer.SetRoot(nullptr);
}

} // namespace
