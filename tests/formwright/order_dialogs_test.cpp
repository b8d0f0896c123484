// "Tab Order..." and "Creation Order..." from the designer menu, their dialogs answered by dragging lines
// and pressing the up, down, OK and Cancel buttons; then the TabOrder values, the owned-component order,
// the placeholders and a following text save.
#include "EditContainer.h"
#include "FormwrightText.h"
#include "ObjCreat.h"
#include "ObjTab.h"
#include "components/Query.h"
#include "components/Table.h"
#include "core/Streams.h"
#include "designing_fixture.h"
#include "menu_driving.h"
#include "widgets/BitBtn.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/StringGrid.h"

#include <functional>

namespace {

using TGesture = std::function<void(TOrderListDialog&)>;

TPoint LineMiddle(TListBox* list, int line) {
    const TRect r = list->ItemRect(line);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

void ClickLine(TOrderListDialog& dialog, int line) {
    TInputSimulator::Click(dialog.OrderList(), LineMiddle(dialog.OrderList(), line));
}

TGesture DragLine(int from, int to) {
    return [from, to](TOrderListDialog& dialog) {
        TListBox* list = dialog.OrderList();
        TInputSimulator::Drag(list->Handle(), LineMiddle(list, from), LineMiddle(list, to));
    };
}

// Dragging a line onto the empty space below the last line.
TGesture DragBelowTheLines(int from) {
    return [from](TOrderListDialog& dialog) {
        TListBox* list = dialog.OrderList();
        TInputSimulator::Drag(list->Handle(), LineMiddle(list, from),
                              {list->ClientWidth() / 2, list->ClientHeight() - 10});
    };
}

// Selects a line (none for -1) and presses the up or down button.
TGesture SelectAndPress(int line, TBitBtn* TOrderListDialog::*button) {
    return [line, button](TOrderListDialog& dialog) {
        if (line >= 0) ClickLine(dialog, line);
        ClickOn(dialog.*button);
    };
}

std::vector<std::string> Lines(TListBox* list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list->Items()->Count(); ++i)
        lines.push_back(list->Items()->Strings(i));
    return lines;
}

struct Ordering : Designing {
    std::vector<int> TabOrders(std::initializer_list<TWinControl*> controls) {
        std::vector<int> orders;
        for (TWinControl* control : controls)
            orders.push_back(control->TabOrder());
        return orders;
    }
    std::string SavedText() {
        TStringStream text("");
        WriteRootText(designer, text);
        return text.DataString();
    }
    // Where each object block starts in the saved text.
    std::vector<size_t> SavedPositions(std::initializer_list<const char*> names) {
        const std::string text = SavedText();
        std::vector<size_t> positions;
        for (const char* name : names)
            positions.push_back(text.find(std::string("object ") + name + ":"));
        return positions;
    }
    // Opens the dialog of the command with a right click on an object (the bare form for null) and
    // answers it.
    template <class Dialog>
    void Run(const std::string& command, TControl* at, TGesture gesture, uint16_t confirm,
             std::vector<std::string>* lines = nullptr) {
        QueueMenuChoice(designer, command);
        QueueDialog<Dialog>([&](Dialog& dialog) {
            if (lines) *lines = Lines(dialog.OrderList());
            if (gesture) gesture(dialog);
            TInputSimulator::KeyPress(confirm, {}, dialog.Handle());
        });
        if (at)
            TInputSimulator::Click(at, {4, 4}, mbRight);
        else
            RightClick(FormWindow(), {300, 290});
        EXPECT_EQ(TModalDriver::PendingActions(), 0);
    }
};

} // namespace

TEST_F(Ordering, TabOrderListsTheContainersOwnWindowedControlsAndNumbersThemInTheNewOrder) {
    TWinControl* B1 = form->Button1;
    TWinControl* B2 = form->Button2;
    TWinControl* P1 = form->Panel1;
    TWinControl* G1 = form->StringGrid1;
    const std::vector<std::string> formLines{"Button1: TButton", "Button2: TButton", "Panel1: TPanel",
                                             "StringGrid1: TStringGrid"};
    struct Case {
        const char* what;
        std::vector<TControl*> selection; // clicked in order, the first without shift
        TGesture gesture;
        uint16_t confirm;
        std::vector<std::string> lines;
        std::vector<int> orders; // Button1, Button2, Panel1, StringGrid1
        bool reported;
    } cases[] = {
        {"nothing selected, a line dragged", {}, DragLine(0, 2), VK_RETURN, formLines, {2, 0, 1, 3}, true},
        {"several selected, Down",
         {B1, B2},
         SelectAndPress(1, &TOrderListDialog::DownButton),
         VK_RETURN,
         formLines,
         {0, 2, 1, 3},
         true},
        {"a line dropped below the lines",
         {},
         DragBelowTheLines(1),
         VK_RETURN,
         formLines,
         {0, 1, 2, 3},
         true},
        {"Up on the first line",
         {},
         SelectAndPress(0, &TOrderListDialog::UpButton),
         VK_RETURN,
         formLines,
         {0, 1, 2, 3},
         true},
        {"Down on the last line",
         {},
         SelectAndPress(3, &TOrderListDialog::DownButton),
         VK_RETURN,
         formLines,
         {0, 1, 2, 3},
         true},
        {"Up with no line selected",
         {},
         SelectAndPress(-1, &TOrderListDialog::UpButton),
         VK_RETURN,
         formLines,
         {0, 1, 2, 3},
         true},
        {"a press without a move drags nothing",
         {},
         [](TOrderListDialog& d) { ClickLine(d, 0); },
         VK_RETURN,
         formLines,
         {0, 1, 2, 3},
         false},
        {"no gesture", {}, nullptr, VK_RETURN, formLines, {0, 1, 2, 3}, false},
        {"Cancel after a drag", {}, DragLine(0, 3), VK_ESCAPE, formLines, {0, 1, 2, 3}, false},
        {"a control in the panel",
         {form->Button3},
         nullptr,
         VK_RETURN,
         {"Button3: TButton"},
         {0, 1, 2, 3},
         false},
        {"the panel itself",
         {P1},
         SelectAndPress(0, &TOrderListDialog::UpButton),
         VK_RETURN,
         {"Button3: TButton"},
         {0, 1, 2, 3},
         true},
    };
    for (const Case& c : cases) {
        int order = 0;
        for (TWinControl* control : {B1, B2, P1, G1})
            control->SetTabOrder(order++);
        Click({300, 290});
        for (size_t i = 0; i < c.selection.size(); ++i)
            TInputSimulator::Click(c.selection[i], {4, 4}, mbLeft, i ? TShiftState{ssShift} : TShiftState{});
        const int refreshes = inspector->Count("RefreshValues");
        std::vector<std::string> lines;
        Run<TTabOrderDlg>("Tab &Order...", c.selection.empty() ? nullptr : c.selection.back(), c.gesture,
                          c.confirm, &lines);
        EXPECT_EQ(lines, c.lines) << c.what;
        EXPECT_EQ(TabOrders({B1, B2, P1, G1}), c.orders) << c.what;
        EXPECT_EQ(inspector->Count("RefreshValues") > refreshes, c.reported) << c.what;
    }
}

TEST_F(Ordering, ATabOrderIsSavedAndAContainerWithoutWindowedControlsListsNothing) {
    Run<TTabOrderDlg>("Tab &Order...", nullptr, DragLine(3, 0), VK_RETURN);
    const std::string text = SavedText();
    const size_t grid = text.find("object StringGrid1:");
    ASSERT_NE(grid, std::string::npos);
    EXPECT_EQ(text.substr(text.find("TabOrder = ", grid), 12), "TabOrder = 0") << text;
    EXPECT_EQ(form->Button1->TabOrder(), 1);

    // A panel holding only a label: the list is empty and OK changes nothing.
    auto* empty = CreateComponent<TPanel>(form);
    empty->SetName("Panel2");
    empty->SetParent(form);
    empty->SetBounds(8, 240, 60, 40);
    auto* label = CreateComponent<TLabel>(form);
    label->SetName("Label2");
    label->SetParent(empty);
    Application->ProcessMessages();
    TInputSimulator::Click(empty, {50, 30});
    ASSERT_EQ(Selection(), std::vector<TControl*>{empty});
    const int refreshes = inspector->Count("RefreshValues");
    std::vector<std::string> lines{"not read"};
    Run<TTabOrderDlg>("Tab &Order...", empty, nullptr, VK_RETURN, &lines);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(inspector->Count("RefreshValues"), refreshes);
}

TEST_F(Ordering, CreationOrderPutsTheListedComponentsLastInTheNewOrder) {
    TEditContainer* tableBox = designer->PlaceholderOf(form->Table1);
    TEditContainer* queryBox = designer->PlaceholderOf(form->Query1);
    std::vector<std::string> lines;
    Run<TCreationOrderDlg>("&Creation Order...", nullptr, SelectAndPress(1, &TOrderListDialog::UpButton),
                           VK_RETURN, &lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"Table1: TTable", "Query1: TQuery"}));
    const std::vector<std::string> owned = OwnedNames(form);
    EXPECT_EQ(std::vector<std::string>(owned.end() - 2, owned.end()),
              (std::vector<std::string>{"Query1", "Table1"}));
    EXPECT_TRUE(designer->IsModified());
    EXPECT_EQ(static_cast<TComponent*>(form->Query1), form->FindComponent("Query1"))
        << "the published field is set again";
    const auto saved = SavedPositions({"Query1", "Table1"});
    EXPECT_LT(saved[0], saved[1]) << SavedText();

    // Each component keeps its one box, where it was.
    EXPECT_EQ(designer->Placeholders().Count(), 2);
    EXPECT_EQ(designer->PlaceholderOf(form->Table1), tableBox);
    EXPECT_EQ(designer->PlaceholderOf(form->Query1), queryBox);
    EXPECT_EQ(queryBox->BoundsRect(), TRect::FromBounds(136, 160, 28, 28));
    // Deleting the component leaves no box behind.
    TInputSimulator::Click(queryBox, {14, 14});
    TInputSimulator::KeyPress(VK_DELETE, {}, FormWindow());
    EXPECT_EQ(form->FindComponent("Query1"), nullptr);
    EXPECT_EQ(designer->Placeholders().Count(), 1);
}

// Reordering takes the components out of the form and puts them back, which empties an inspector that
// showed one of them: the selection is reported again.
TEST_F(Ordering, AfterACreationOrderTheInspectorShowsTheSelectionAgain) {
    TInputSimulator::Click(designer->PlaceholderOf(form->Table1), {14, 14});
    Application->ProcessMessages();
    Run<TCreationOrderDlg>("&Creation Order...", designer->PlaceholderOf(form->Table1),
                           SelectAndPress(1, &TOrderListDialog::UpButton), VK_RETURN);
    EXPECT_EQ(inspector->Calls.back(), "InspectObject Table1");
    EXPECT_EQ(inspector->Inspected, std::vector<TPersistent*>{form->Table1});
    ASSERT_EQ(designer->SelectionCount(), 1);
    EXPECT_EQ(TFormwright::ComponentOf(designer->Selected(0)), form->Table1)
        << "the box still looks selected";
}

TEST_F(Ordering, CreationOrderChangesNothingWithoutAGestureOrWhenCancelled) {
    // A table owned before a button: a confirmed gesture moves it behind every control even unmoved.
    auto* table = CreateComponent<TTable>(form);
    table->SetName("Table2");
    auto* button = CreateComponent<TButton>(form);
    button->SetName("Button4");
    button->SetParent(form);
    Application->ProcessMessages();
    const std::vector<std::string> before = OwnedNames(form);
    ASSERT_FALSE(designer->IsModified());
    struct Case {
        const char* what;
        TGesture gesture;
        uint16_t confirm;
        bool changed;
    } cases[] = {
        {"no gesture", nullptr, VK_RETURN, false},
        {"Cancel after a drag", DragLine(0, 2), VK_ESCAPE, false},
        {"Down with no line selected", SelectAndPress(-1, &TOrderListDialog::DownButton), VK_RETURN, true},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines;
        Run<TCreationOrderDlg>("&Creation Order...", nullptr, c.gesture, c.confirm, &lines);
        EXPECT_EQ(lines, (std::vector<std::string>{"Table1: TTable", "Query1: TQuery", "Table2: TTable"}))
            << c.what;
        EXPECT_EQ(designer->IsModified(), c.changed) << c.what;
        if (!c.changed) {
            EXPECT_EQ(OwnedNames(form), before) << c.what;
        }
    }
    const std::vector<std::string> owned = OwnedNames(form);
    EXPECT_EQ(std::vector<std::string>(owned.end() - 4, owned.end()),
              (std::vector<std::string>{"Button4", "Table1", "Query1", "Table2"}));
    EXPECT_EQ(designer->Placeholders().Count(), 3);

    // A root that owns no non-visual component lists none, and OK changes nothing.
    designer->SetRoot(form->Panel1);
    std::vector<std::string> lines{"not read"};
    Run<TCreationOrderDlg>("&Creation Order...", form->Panel1,
                           SelectAndPress(-1, &TOrderListDialog::UpButton), VK_RETURN, &lines);
    EXPECT_TRUE(lines.empty());
}
