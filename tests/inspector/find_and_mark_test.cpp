// Finding and marking in the inspector through real input: the filter box (typing, nested matches, both
// pages, selection changes, Escape, Ctrl+F), stored values drawn in bold, "Revert to default" from a
// row's menu, and values set in the grid as single undo steps of the designer.
#include "inspector_support.h"

#include "DesignHistory.h"
#include "Formwright.h"
#include "PropInplaceEditor.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/Font.h"
#include "ui/Application.h"
#include "ui/InputSimulator.h"
#include "ui/ModalLoop.h"
#include "ui/Windows.h"
#include "widgets/Button.h"
#include "widgets/Edit.h"
#include "widgets/Menus.h"

#include <algorithm>
#include <cctype>

namespace {

bool ContainsIgnoringCase(std::string text, std::string part) {
    auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    };
    return lower(text).find(lower(part)) != std::string::npos;
}

class FindAndMark : public DesignedInspectorTest {
protected:
    void SetUp() override {
        DesignedInspectorTest::SetUp();
        TModalDriver::SetStrict(true);
        // An edit shows the text cursor, so a click on it goes to the edit: it is picked as from the
        // inspector's list.
        Designer->SelectComponent(Edit1);
    }
    void TearDown() override {
        DesignedInspectorTest::TearDown();
        EXPECT_TRUE(TModalDriver::TakeFailures().empty());
        TModalDriver::ClearActions();
        TModalDriver::SetStrict(false);
    }
    void TypeFilter(const std::string& text) {
        TInputSimulator::Click(Inspector->Filter, {5, 5});
        TInputSimulator::TypeText(text, Inspector->Filter->Handle());
        Application->ProcessMessages();
    }
    // Right-clicks the name of a row and answers the menu: the entry's enabled state is reported, and it
    // is clicked when `choose`.
    bool RowMenu(const std::string& row, bool choose) {
        const int index = RowIndex(Grid, row);
        EXPECT_GE(index, 0) << row;
        if (index < Grid->TopRow() || index >= Grid->TopRow() + Grid->VisibleRowCount())
            Grid->SetTopRow(index);
        bool enabled = false;
        TModalDriver::QueueAction([&](TObject* window) {
            TMenuItem* item = Inspector->RowMenu()->Items()->Items(0);
            EXPECT_EQ(item->Caption(), "Revert to default");
            enabled = item->Enabled();
            if (choose)
                static_cast<TPopupMenu*>(window)->ClickItem(item);
            else
                TInputSimulator::KeyPress(VK_ESCAPE);
        });
        TInputSimulator::Click(Grid->Handle(), CellCenter(Grid, 0, index), mbRight);
        EXPECT_EQ(TModalDriver::PendingActions(), 0);
        return enabled;
    }
    // Dark pixels in a row's value cell.
    int InkOf(int index) {
        FlushPaintMessages();
        TBitmap image;
        GrabWindow(Grid->Handle(), image);
        const TRect cell = Grid->CellRect(1, index);
        int ink = 0;
        for (int x = cell.Left; x < cell.Right; ++x)
            for (int y = cell.Top; y < cell.Bottom; ++y)
                if (image.Canvas()->Pixels(x, y) == clBlack) ++ink;
        return ink;
    }
    void PressOnForm(uint16_t key, TShiftState shift) {
        TInputSimulator::KeyPress(key, shift, Form->Handle());
        Application->ProcessMessages();
    }
};

} // namespace

TEST_F(FindAndMark, TheFilterKeepsMatchingRowsWithTheRowsAboveThemOnBothPages) {
    const size_t all = VisibleNames(Grid).size();
    TypeFilter("color");
    const std::vector<std::string> names = VisibleNames(Grid);
    ASSERT_FALSE(names.empty());
    EXPECT_LT(names.size(), all);
    // "Color", "Font" opened to show its "Color", "ParentColor"; nothing else.
    const int font = RowIndex(Grid, "Font");
    ASSERT_GE(font, 0);
    EXPECT_TRUE(Grid->VisibleRow(font)->Expanded());
    EXPECT_EQ(Grid->VisibleRow(font + 1)->Name(), "Color");
    EXPECT_EQ(Grid->VisibleRow(font + 1)->Indent(), 8);
    for (const std::string& name : names)
        EXPECT_TRUE(name == "Font" || ContainsIgnoringCase(name, "color")) << name;
    EXPECT_NE(std::find(names.begin(), names.end(), "ParentColor"), names.end());

    // The events page is filtered too.
    TInputSimulator::KeyPress(VK_BACK, {}, Inspector->Filter->Handle());
    for (int i = 0; i < 4; ++i)
        TInputSimulator::KeyPress(VK_BACK, {}, Inspector->Filter->Handle());
    TInputSimulator::TypeText("CLICK", Inspector->Filter->Handle());
    const std::vector<std::string> events = VisibleNames(Inspector->MethodGrid());
    EXPECT_EQ(events, (std::vector<std::string>{"OnClick", "OnDblClick"}));
}

TEST_F(FindAndMark, TheFilterStaysWhileTheSelectionChangesAndEscapeClearsIt) {
    const size_t all = VisibleNames(Grid).size();
    TypeFilter("Width");
    EXPECT_EQ(VisibleNames(Grid), std::vector<std::string>{"Width"});
    TInputSimulator::Click(Button1, {5, 5});
    EXPECT_EQ(VisibleNames(Grid), std::vector<std::string>{"Width"}) << "Button1 is inspected, filtered";
    EXPECT_EQ(Inspector->Selection()->Items(0), Button1);

    // Nothing matches: the page is empty; a match brings the grid back. (The box takes the focus back
    // with its text selected: End keeps the text.)
    TInputSimulator::KeyPress(VK_END, {}, Inspector->Filter->Handle());
    TInputSimulator::TypeText("zz", Inspector->Filter->Handle());
    EXPECT_FALSE(Grid->Visible());
    TInputSimulator::KeyPress(VK_BACK, {}, Inspector->Filter->Handle());
    TInputSimulator::KeyPress(VK_BACK, {}, Inspector->Filter->Handle());
    EXPECT_TRUE(Grid->Visible());
    EXPECT_EQ(VisibleNames(Grid), std::vector<std::string>{"Width"});

    TInputSimulator::KeyPress(VK_ESCAPE, {}, Inspector->Filter->Handle());
    EXPECT_EQ(std::string(Inspector->Filter->Text()), "");
    Designer->SelectComponent(Edit1);
    EXPECT_EQ(VisibleNames(Grid).size(), all);
    EXPECT_TRUE(Inspector->Visible()) << "Escape in the box does not close the window";
}

TEST_F(FindAndMark, CtrlFInTheInspectorGoesToTheFilterBox) {
    SelectRow(Grid, "Hint");
    ASSERT_NE(Inspector->ActiveControl(), Inspector->Filter);
    TInputSimulator::KeyPress('F', {ssCtrl}, Grid->PropEditor()->Handle());
    EXPECT_EQ(Inspector->ActiveControl(), Inspector->Filter);
    EXPECT_EQ(RowNamed(Grid, "Hint")->Value(), "") << "the key typed nothing into the row";
}

TEST_F(FindAndMark, StoredValuesAreBoldAndRevertToTheirDefaultAsOneStep) {
    EXPECT_TRUE(RowNamed(Grid, "Left")->Stored());
    EXPECT_FALSE(RowNamed(Grid, "Hint")->Stored());
    EXPECT_FALSE(RowNamed(Grid, "Font")->Stored()) << "the parent's font is not stored";
    EXPECT_FALSE(RowMenu("Hint", false)) << "nothing to revert";
    // The in-place editor over the current row shows its text the same way.
    EXPECT_FALSE(Grid->PropEditor()->Font()->Style().Contains(fsBold));
    SelectRow(Grid, "Left");
    EXPECT_TRUE(Grid->PropEditor()->Font()->Style().Contains(fsBold));

    TypeIntoRow("Hint", "Help text");
    TPropObject* hint = RowNamed(Grid, "Hint");
    EXPECT_TRUE(hint->Stored());
    const int steps = Designer->History().Count();

    // Bold is drawn heavier than the same text in the regular face.
    SelectRow(Grid, "Left");
    const int hintIndex = RowIndex(Grid, "Hint");
    const int bold = InkOf(hintIndex);
    Grid->SetRowStored(hint, false);
    const int regular = InkOf(hintIndex);
    Grid->SetRowStored(hint, true);
    EXPECT_GT(bold, regular);

    EXPECT_TRUE(RowMenu("Hint", true));
    EXPECT_EQ(Edit1->Hint(), "");
    EXPECT_FALSE(RowNamed(Grid, "Hint")->Stored());
    EXPECT_EQ(Designer->History().Count(), steps + 1) << "one step";
    PressOnForm('Z', {ssCtrl});
    EXPECT_EQ(Edit1->Hint(), "Help text");
    EXPECT_EQ(RowNamed(Grid, "Hint")->Value(), "Help text") << "the inspector shows the restored value";
    EXPECT_TRUE(RowNamed(Grid, "Hint")->Stored());
}

TEST_F(FindAndMark, ASubObjectRevertsAllItsStoredValues) {
    // ParentFont is a check box: a click in it makes the font the edit's own.
    const int parentFont = RowIndex(Grid, "ParentFont");
    Grid->SetTopRow(parentFont);
    const TRect box = Grid->CellRect(1, parentFont);
    TInputSimulator::Click(Grid->Handle(), {box.Left + 10, (box.Top + box.Bottom) / 2});
    ASSERT_FALSE(Edit1->ParentFont());
    const int font = RowIndex(Grid, "Font");
    Grid->SetTopRow(font);
    TInputSimulator::Click(Grid->Handle(), {4, CellCenter(Grid, 0, font).Y});
    TypeIntoRow("Size", "14");
    ASSERT_EQ(Edit1->Font()->Size(), 14);
    EXPECT_TRUE(RowNamed(Grid, "Font")->Stored());
    EXPECT_TRUE(RowMenu("Font", true));
    TEdit fresh(nullptr);
    EXPECT_EQ(Edit1->Font()->Size(), fresh.Font()->Size());
    EXPECT_EQ(Edit1->Font()->Name(), fresh.Font()->Name());
    EXPECT_FALSE(Edit1->ParentFont()) << "the font is still the edit's own";
}

TEST_F(FindAndMark, AValueSetOnASelectionIsOneStepThatUndoShowsInTheInspector) {
    TInputSimulator::Click(Button1, {5, 5}, mbLeft, {ssShift});
    ASSERT_EQ(Designer->SelectionCount(), 2) << "the edit and the button";
    const int steps = Designer->History().Count();
    TypeIntoRow("Hint", "Both");
    EXPECT_EQ(Edit1->Hint(), "Both");
    EXPECT_EQ(Button1->Hint(), "Both");
    EXPECT_EQ(Designer->History().Count(), steps + 1);
    PressOnForm('Z', {ssCtrl});
    EXPECT_EQ(Edit1->Hint(), "");
    EXPECT_EQ(Button1->Hint(), "");
    EXPECT_EQ(Designer->SelectionCount(), 2) << "the selection of then";
    EXPECT_EQ(RowNamed(Grid, "Hint")->Value(), "");
    PressOnForm('Y', {ssCtrl});
    EXPECT_EQ(RowNamed(Grid, "Hint")->Value(), "Both");
}

// "Revert to default" is offered where a default is known and differs: a form's place and size have no
// declared default, and a form class has no fresh object to take one from; an edit's place has one, a
// fresh edit's.
TEST_F(FindAndMark, RevertIsOfferedOnlyWhereItChangesSomethingAndWorksWhereOffered) {
    TInputSimulator::Click(Form->Handle(), {280, 180}); // nothing selected: the form is inspected
    Application->ProcessMessages();
    for (const char* row : {"Left", "Top", "Width", "Height"}) {
        EXPECT_TRUE(RowNamed(Grid, row)->Stored()) << row;
        EXPECT_FALSE(RowMenu(row, false)) << row;
    }
    Designer->SelectComponent(Edit1);
    const int steps = Designer->History().Count();
    EXPECT_TRUE(RowMenu("Left", true));
    TEdit fresh(nullptr);
    EXPECT_EQ(Edit1->Left(), fresh.Left());
    EXPECT_EQ(Designer->History().Count(), steps + 1);
}

// The filter is set only once the pending edit is applied: when that fails, the grid keeps the filter it
// shows, and the same text is taken once the edit is out of the way.
TEST_F(FindAndMark, AFilterStoppedByAFailingEditIsTakenWhenAskedAgain) {
    struct Log : TObject {
        std::vector<std::string> Messages;
        void Record(TObject*, const std::exception& e) { Messages.push_back(e.what()); }
    } log;
    Application->OnException = TExceptionEvent::Bind<&Log::Record>(&log);
    SelectRow(Grid, "Left");
    TInputSimulator::TypeText("abc", Grid->PropEditor()->Handle());
    TypeFilter("Hint");
    EXPECT_FALSE(log.Messages.empty()) << "the typed value could not be applied";
    EXPECT_EQ(Grid->Filter(), "") << "the rows are not filtered, and the grid says so";
    EXPECT_NE(RowIndex(Grid, "Left"), -1);

    TInputSimulator::Click(Grid->PropEditor()->Handle(), {5, 5});
    TInputSimulator::KeyPress(VK_ESCAPE, {}, Grid->PropEditor()->Handle());
    ASSERT_EQ(Inspector->Filter->Text(), "Hint");
    Inspector->FilterChange(Inspector->Filter); // the box reports the same text again
    Application->OnException.Clear();
    EXPECT_EQ(Grid->Filter(), "Hint");
    EXPECT_EQ(RowIndex(Grid, "Left"), -1);
    EXPECT_NE(RowIndex(Grid, "Hint"), -1);
}
