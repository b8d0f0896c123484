// The in-place editor of the property grid: typing, Enter and Escape, the drop-down and ellipsis buttons,
// the value list, double-click stepping and the dialogs behind the buttons, over real input.
#include "inspector_support.h"

#include "ComponentList.h"
#include "PopCtrls.h"
#include "dialogs/ColorDialog.h"
#include "dialogs/FontDialog.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/Font.h"
#include "ui/Application.h"
#include "ui/InputSimulator.h"
#include "ui/ModalLoop.h"
#include "ui/Windows.h"
#include "widgets/Button.h"
#include "widgets/Edit.h"
#include "widgets/PageControl.h"
#include "widgets/Panel.h"

#include <functional>

namespace {

// Collects the messages of exceptions that reach the application instead of showing a message box.
struct ExceptionLog : TObject {
    std::vector<std::string> Messages;
    void Record(TObject*, const std::exception& e) { Messages.push_back(e.what()); }
};

TPoint Middle(const TRect& r) {
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

int CountPixels(TBitmap& shot, const TRect& r, TColor color) {
    int count = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (ColorToRGB(shot.Canvas()->Pixels(x, y)) == ColorToRGB(color)) ++count;
    return count;
}

} // namespace

class InplaceEditing : public Inspecting {
protected:
    void SetUp() override {
        Inspecting::SetUp();
        Application->OnException = TExceptionEvent::Bind<&ExceptionLog::Record>(&Log);
        TModalDriver::SetStrict(true);
    }
    void TearDown() override {
        Application->OnException.Clear();
        EXPECT_TRUE(TModalDriver::TakeFailures().empty());
        TModalDriver::ClearActions();
        TModalDriver::SetStrict(false);
        Inspecting::TearDown();
    }

    TPropInplaceEditor* Editor() const { return Grid->PropEditor(); }
    HWND EditorWindow() const { return Grid->PropEditor()->Handle(); }
    void Type(std::string_view text) { TInputSimulator::TypeText(text, EditorWindow()); }
    void Press(uint16_t key) { TInputSimulator::KeyPress(key, {}, EditorWindow()); }
    void ClickButton() { TInputSimulator::Click(EditorWindow(), Middle(Editor()->ButtonRect())); }

    ExceptionLog Log;
};

TEST_F(InplaceEditing, TypedTextIsAppliedByEnter) {
    Inspect(Button1);
    SelectRow(Grid, "Left");
    ASSERT_TRUE(Editor()->Visible());
    EXPECT_EQ(Editor()->Text(), "8");
    EXPECT_EQ(Editor()->ButtonKind(), TPropInplaceEditor::bkNone);
    Type("123");
    EXPECT_EQ(Button1->Left(), 8) << "an integer is applied only when committed";
    Press(VK_RETURN);
    EXPECT_EQ(Button1->Left(), 123);
    EXPECT_EQ(Editor()->Text(), "123");
    EXPECT_FALSE(Editor()->Modified());
    EXPECT_EQ(RowNamed(Grid, "Left")->Value(), "123") << "the modification refreshed the rows";
}

TEST_F(InplaceEditing, EscapeRestoresTheValueAndSelectsIt) {
    Inspect(Button1);
    SelectRow(Grid, "Width");
    Type("999");
    Press(VK_ESCAPE);
    EXPECT_EQ(Editor()->Text(), "75");
    EXPECT_EQ(Editor()->SelStart(), 0);
    EXPECT_EQ(Editor()->SelLength(), 2);
    EXPECT_FALSE(Editor()->Modified());
    EXPECT_EQ(Button1->Width(), 75);
    // Nothing is applied when the row changes afterwards.
    Press(VK_DOWN);
    EXPECT_EQ(Button1->Width(), 75);
}

TEST_F(InplaceEditing, UncommittedTextIsAppliedWhenTheRowChanges) {
    Inspect(Button1);
    SelectRow(Grid, "Top");
    Type("40");
    Press(VK_HOME); // moving the caret keeps the typed text marked as changed
    Press(VK_UP);
    EXPECT_EQ(Button1->Top(), 40);
    EXPECT_EQ(Grid->Row(), RowIndex(Grid, "Top") - 1);
}

TEST_F(InplaceEditing, AnInvalidValueIsReportedAndKeptForTheNextTry) {
    Inspect(Button1);
    SelectRow(Grid, "Left");
    const int row = Grid->Row();
    Type("abc");
    Press(VK_RETURN);
    ASSERT_EQ(Log.Messages.size(), 1u);
    EXPECT_EQ(Log.Messages[0], "'abc' is not a valid integer value");
    EXPECT_EQ(Editor()->Text(), "abc");
    EXPECT_TRUE(Editor()->Modified());
    // Changing the row tries again: it fails again and the row stays.
    Press(VK_DOWN);
    EXPECT_EQ(Log.Messages.size(), 2u);
    EXPECT_EQ(Grid->Row(), row);
    EXPECT_EQ(Button1->Left(), 8);
    Press(VK_ESCAPE);
    Press(VK_DOWN);
    EXPECT_EQ(Grid->Row(), row + 1);
}

TEST_F(InplaceEditing, ACaptionFollowsEveryKeystroke) {
    Inspect(Button1);
    SelectRow(Grid, "Caption");
    Type("G");
    EXPECT_EQ(Button1->Caption(), "G");
    Type("o");
    EXPECT_EQ(Button1->Caption(), "Go");
}

TEST_F(InplaceEditing, DropDownListsTheValuesAndChoosingOnlyFillsTheBox) {
    Inspect(Panel1);
    SelectRow(Grid, "Align");
    EXPECT_EQ(Editor()->ButtonKind(), TPropInplaceEditor::bkDropDown);
    TPopupListbox* list = Editor()->PopupList();
    ClickButton();
    ASSERT_TRUE(list->DroppedDown());
    EXPECT_EQ(list->Items()->Count(), 6);
    EXPECT_EQ(list->Items()->Strings(list->ItemIndex()), "alNone");
    EXPECT_EQ(list->Height(), 6 * list->ItemHeight() + 2);
    EXPECT_EQ(list->Width(), Editor()->Width());
    // Directly below the box.
    const TPoint boxBottom = Editor()->ClientToScreen({0, Editor()->Height()});
    EXPECT_EQ(GetWindowRect(list->Handle()).Left, boxBottom.X);
    EXPECT_EQ(GetWindowRect(list->Handle()).Top, boxBottom.Y);

    TInputSimulator::Click(list->Handle(), Middle(list->ItemRect(list->Items()->IndexOf("alTop"))));
    EXPECT_FALSE(list->DroppedDown());
    EXPECT_EQ(Editor()->Text(), "alTop");
    EXPECT_TRUE(Editor()->Modified());
    EXPECT_EQ(Panel1->Align(), alNone);
    Press(VK_RETURN);
    EXPECT_EQ(Panel1->Align(), alTop);
}

TEST_F(InplaceEditing, AChoiceIsAppliedWhenAnotherRowIsChosen) {
    Inspect(Edit1);
    SelectRow(Grid, "CharCase");
    ClickButton();
    TPopupListbox* list = Editor()->PopupList();
    ASSERT_TRUE(list->DroppedDown());
    TInputSimulator::Click(list->Handle(), Middle(list->ItemRect(list->Items()->IndexOf("ecUpperCase"))));
    SelectRow(Grid, "Left");
    EXPECT_EQ(Edit1->CharCase(), ecUpperCase);
}

TEST_F(InplaceEditing, ClickingTheButtonAgainClosesTheListWithoutChoosing) {
    Inspect(Panel1);
    SelectRow(Grid, "Align");
    ClickButton();
    TPopupListbox* list = Editor()->PopupList();
    ASSERT_TRUE(list->DroppedDown());
    ClickButton();
    EXPECT_FALSE(list->DroppedDown());
    EXPECT_EQ(Editor()->Text(), "alNone");
    EXPECT_FALSE(Editor()->Modified());
}

TEST_F(InplaceEditing, AListLongerThanEightOpensEightTallWithTheCurrentValueSelected) {
    Inspect(Panel1);
    SelectRow(Grid, "Cursor");
    TPopupListbox* list = Editor()->PopupList();
    // A colour row has both a value list and a dialog: it gets the drop-down button.
    SelectRow(Grid, "Color");
    EXPECT_EQ(Editor()->ButtonKind(), TPropInplaceEditor::bkDropDown);
    ASSERT_GT(list->Items()->Count(), 8);
    ClickButton();
    ASSERT_TRUE(list->DroppedDown());
    EXPECT_EQ(list->Height(), 8 * list->ItemHeight() + 2);
    EXPECT_EQ(list->Items()->Strings(list->ItemIndex()), "clBtnFace");
    Press(VK_ESCAPE);
    EXPECT_FALSE(list->DroppedDown());

    // A text that matches no entry opens the list with nothing selected.
    Type("nonsense");
    ClickButton();
    ASSERT_TRUE(list->DroppedDown());
    EXPECT_EQ(list->ItemIndex(), -1);
    Press(VK_ESCAPE);
}

TEST_F(InplaceEditing, TheCursorListDrawsTallRowsOnlyWhileItsRowIsCurrent) {
    Inspect(Panel1);
    SelectRow(Grid, "Cursor");
    TPopupListbox* list = Editor()->PopupList();
    EXPECT_EQ(list->ItemHeight(), 32);
    EXPECT_NE(Editor()->Drawer(), nullptr);
    SelectRow(Grid, "Color");
    EXPECT_EQ(list->ItemHeight(), 16);
    EXPECT_TRUE(static_cast<bool>(list->OnDrawItem)) << "the colour drawer draws the colour list";
    SelectRow(Grid, "Align");
    EXPECT_FALSE(static_cast<bool>(list->OnDrawItem));
    EXPECT_EQ(list->ItemHeight(), 16);
}

TEST_F(InplaceEditing, ReleasingOutsideTheButtonDoesNothing) {
    Inspect(Panel1);
    SelectRow(Grid, "Align");
    const TRect button = Editor()->ButtonRect();
    TInputSimulator::MouseDown(EditorWindow(), Middle(button));
    EXPECT_TRUE(Editor()->ButtonPressed());
    TInputSimulator::MouseMove(EditorWindow(), {2, Editor()->Height() / 2}, {ssLeft});
    EXPECT_FALSE(Editor()->ButtonPressed());
    TInputSimulator::MouseUp(EditorWindow(), {2, Editor()->Height() / 2});
    EXPECT_FALSE(Editor()->PopupList()->DroppedDown());
}

TEST_F(InplaceEditing, TheDropDownButtonShowsAnArrowAndLooksPushedWhilePressed) {
    Inspect(Panel1);
    SelectRow(Grid, "Align");
    const TRect button = Editor()->ButtonRect();
    TBitmap idle;
    GrabWindow(EditorWindow(), idle);
    EXPECT_GE(CountPixels(idle, button, clBlack), 7) << "the arrow";
    EXPECT_EQ(CountPixels(idle, {button.Left - 30, 0, button.Left - 1, Editor()->Height()}, clBlack), 0)
        << "the text \"alNone\" is short and stays left of it";
    TInputSimulator::MouseDown(EditorWindow(), Middle(button));
    TBitmap pressed;
    GrabWindow(EditorWindow(), pressed);
    TInputSimulator::MouseUp(EditorWindow(), Middle(button));
    int differing = 0;
    for (int y = button.Top; y < button.Bottom; ++y)
        for (int x = button.Left; x < button.Right; ++x)
            if (idle.Canvas()->Pixels(x, y) != pressed.Canvas()->Pixels(x, y)) ++differing;
    EXPECT_GT(differing, 10);
    Press(VK_ESCAPE);
}

TEST_F(InplaceEditing, TheEllipsisButtonOpensTheFontDialog) {
    Inspect(Button1);
    SelectRow(Grid, "Font");
    ASSERT_EQ(Editor()->ButtonKind(), TPropInplaceEditor::bkEllipsis);
    // Three black squares of side height / 8 across the middle of the button.
    const TRect button = Editor()->ButtonRect();
    const int side = std::max(Editor()->Height() / 8, 1);
    const int offset = button.Width() / 2 - 1;
    TBitmap shot;
    GrabWindow(EditorWindow(), shot);
    for (int dx : {-2 * side, 0, 2 * side})
        EXPECT_EQ(
            CountPixels(shot, TRect::FromBounds(button.Left + offset + dx, offset, side, side), clBlack),
            side * side)
            << dx;
    EXPECT_EQ(CountPixels(shot, button.Inflated(-2, -2), clBlack), 3 * side * side) << "nothing else inside";

    TModalDriver::QueueAction([](TObject* window) {
        auto* dialog = dynamic_cast<TFontDialog*>(window);
        ASSERT_NE(dialog, nullptr);
        dialog->TypeInto(dpFontSize, "20");
        dialog->ClickPart(dpOK);
    });
    ClickButton();
    EXPECT_FALSE(TModalDriver::HasPendingActions());
    EXPECT_EQ(Button1->Font()->Size(), 20);
}

TEST_F(InplaceEditing, DoubleClickingTheTextStepsToTheNextValue) {
    Inspect(Edit1);
    SelectRow(Grid, "CharCase");
    TInputSimulator::DoubleClick(EditorWindow(), {8, Editor()->Height() / 2});
    EXPECT_EQ(Edit1->CharCase(), ecUpperCase);
    EXPECT_EQ(Editor()->Text(), "ecUpperCase");
    TInputSimulator::DoubleClick(EditorWindow(), {8, Editor()->Height() / 2});
    EXPECT_EQ(Edit1->CharCase(), ecLowerCase) << "wraps to the first value";
}

TEST_F(InplaceEditing, DoubleClickingAColourRunsTheColourDialog) {
    Inspect(Panel1);
    SelectRow(Grid, "Color");
    TModalDriver::QueueAction([](TObject* window) {
        auto* dialog = dynamic_cast<TColorDialog*>(window);
        ASSERT_NE(dialog, nullptr);
        dialog->TypeInto(dpColorName, "#ff0000");
        dialog->ClickPart(dpOK);
    });
    TInputSimulator::DoubleClick(EditorWindow(), {8, Editor()->Height() / 2});
    EXPECT_FALSE(TModalDriver::HasPendingActions());
    EXPECT_EQ(Panel1->Color(), clRed);
    EXPECT_EQ(Editor()->Text(), "clRed");
}

TEST_F(InplaceEditing, AnEmptyValueListOpensNothing) {
    Inspector->PropBook->SetActivePage(Inspector->MethodSheet);
    Inspect(Button1);
    TPropGrid* events = Inspector->MethodGrid();
    ASSERT_TRUE(events->Visible());
    SelectRow(events, "OnClick");
    TPropInplaceEditor* editor = events->PropEditor();
    ASSERT_EQ(editor->ButtonKind(), TPropInplaceEditor::bkDropDown);
    EXPECT_EQ(editor->PopupList()->Items()->Count(), 0);
    TInputSimulator::Click(editor->Handle(), Middle(editor->ButtonRect()));
    EXPECT_FALSE(editor->PopupList()->DroppedDown());
}

TEST_F(InplaceEditing, PressingAnotherRowClosesTheListWithoutChoosing) {
    Inspect(Panel1);
    SelectRow(Grid, "Align");
    ClickButton();
    TPopupListbox* list = Editor()->PopupList();
    ASSERT_TRUE(list->DroppedDown());
    SelectRow(Grid, "Caption");
    EXPECT_FALSE(list->DroppedDown());
    EXPECT_EQ(Panel1->Align(), alNone);
    EXPECT_EQ(Grid->CurrentRow()->Name(), "Caption");
    EXPECT_EQ(Editor()->Text(), "Panel1");
}

TEST_F(InplaceEditing, TypedTextStaysWithItsRowWhenRowsAreExpandedOrCollapsedAboveIt) {
    Inspect(Button1);
    const int fontHeight = Button1->Font()->Height();
    // Typed in Left, then Font (above it) is expanded: the text goes to Left, not to the Font row that
    // now sits at Left's old place.
    SelectRow(Grid, "Left");
    Type("77");
    const int font = RowIndex(Grid, "Font");
    TInputSimulator::Click(Grid->Handle(), {4, CellCenter(Grid, 0, font).Y});
    ASSERT_TRUE(RowNamed(Grid, "Font")->Expanded());
    EXPECT_EQ(Button1->Left(), 77);
    EXPECT_EQ(Button1->Font()->Height(), fontHeight);
    EXPECT_EQ(Grid->CurrentRow()->Name(), "Font");

    // Typed in Font.Size, then Font is collapsed: the size is applied, nothing else is touched.
    SelectRow(Grid, "Size");
    Type("20");
    TInputSimulator::Click(Grid->Handle(), {4, CellCenter(Grid, 0, font).Y});
    EXPECT_FALSE(RowNamed(Grid, "Font")->Expanded());
    EXPECT_EQ(Button1->Font()->Size(), 20);
    EXPECT_TRUE(Log.Messages.empty());

    // Text that cannot be applied keeps the rows as they are, and its row current.
    SelectRow(Grid, "Left");
    Type("abc");
    TInputSimulator::Click(Grid->Handle(), {4, CellCenter(Grid, 0, font).Y});
    EXPECT_EQ(Log.Messages.size(), 1u);
    EXPECT_FALSE(RowNamed(Grid, "Font")->Expanded());
    EXPECT_EQ(Grid->CurrentRow()->Name(), "Left");
    Press(VK_ESCAPE);

    // Rows moving in above the current one: the editor follows the row now at the current index.
    Grid->SetExpanded(RowNamed(Grid, "Font"), true);
    EXPECT_EQ(Editor()->EditedRow(), Grid->CurrentRow());
    EXPECT_EQ(Editor()->Text(), Grid->CurrentRow()->GetValue());
}

TEST_F(InplaceEditing, TextTypedForAComponentThatIsFreedIsDropped) {
    auto* both = new TComponentList;
    both->Add(Button1);
    both->Add(Edit1);
    Inspector->InspectList(both);
    SelectRow(Grid, "Left");
    Type("50");
    delete Button1;
    Button1 = nullptr;
    EXPECT_FALSE(Grid->Visible());
    EXPECT_EQ(Edit1->Left(), 8) << "the pending text is not written to what is left of the selection";
    EXPECT_TRUE(Log.Messages.empty());
}

TEST_F(InplaceEditing, TheValueListClosesWhenItsRowGoesAwayOrTheWindowCloses) {
    TPopupListbox* list = nullptr;
    auto open = [&] {
        SelectRow(Grid, "Align");
        ClickButton();
        list = Editor()->PopupList();
        ASSERT_TRUE(list->DroppedDown());
    };
    const struct {
        const char* what;
        std::function<void()> action;
    } cases[] = {
        {"another object inspected", [&] { Inspect(Edit1); }},
        {"the window closed", [&] { Inspector->Close(); }},
        {"the Events page shown", [&] { Inspector->PropBook->SetActivePage(Inspector->MethodSheet); }},
        {"the inspected panel freed",
         [&] {
             delete Panel1;
             Panel1 = nullptr;
         }},
    };
    for (const auto& c : cases) {
        Inspector->Show();
        Inspector->PropBook->SetActivePage(Inspector->PropSheet);
        Inspect(Panel1);
        open();
        c.action();
        EXPECT_FALSE(list->DroppedDown()) << c.what;
        EXPECT_FALSE(IsWindowVisible(list->Handle())) << c.what;
    }
    // Keys go to the editor of the new rows again: Enter no longer chooses from the old list.
    Inspector->Show();
    Inspect(Button1);
    SelectRow(Grid, "Hint");
    Type("x");
    Press(VK_RETURN);
    EXPECT_EQ(Button1->Hint(), "x");
}
