// TListBox over real input: owner drawing checked by pixels, hit testing, scrolling, typed prefix search,
// keyboard and mouse selection, and reordering by drag and drop as the order dialogs do it.
#include "list_grid_support.h"

#include "ui/InputSimulator.h"
#include "widgets/ListBox.h"

#include <string>
#include <vector>

using list_grid_test::FormFixture;

namespace {

// What a list's event handlers saw.
struct Recorder {
    std::vector<int> drawn;
    std::vector<TOwnerDrawState> states;
    int clicks = 0;
    int indexAtMouseDown = -2;
    TListBox* list = nullptr;
    bool paintRowsByIndex = true;

    static TColor RowColor(int index) {
        static const TColor colors[] = {clRed, clLime, clBlue, clYellow, clFuchsia, clAqua};
        return colors[index % 6];
    }
    void DrawItem(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state) {
        drawn.push_back(index);
        states.push_back(state);
        TCanvas* canvas = static_cast<TListBox*>(control)->Canvas();
        // The left half shows the brush the list prepared for the row's state, the right half the row's
        // colour.
        canvas->FillRect({rect.Left, rect.Top, rect.Left + rect.Width() / 2, rect.Bottom});
        canvas->Brush()->SetColor(RowColor(index));
        canvas->FillRect({rect.Left + rect.Width() / 2, rect.Top, rect.Right, rect.Bottom});
    }
    void Click(TObject*) { ++clicks; }
    // The reordering gestures of the tab order and creation order dialogs.
    void MouseDown(TObject*, TMouseButton, TShiftState, int x, int y) {
        indexAtMouseDown = list->ItemIndex();
        if (list->ItemAtPos({x, y}, true) >= 0) list->BeginDrag(false);
    }
    void DragOver(TObject* sender, TObject*, int, int, TDragState, bool& accept) { accept = sender == list; }
    void DragDrop(TObject*, TObject*, int x, int y) {
        const int source = list->ItemIndex();
        const int target = list->ItemAtPos({x, y}, true);
        if (target < 0 || target == source) return;
        list->Items()->Move(source, target);
        list->SetItemIndex(target);
    }
};

struct ListBoxes : FormFixture {
    void SetUp() override {
        FormFixture::SetUp();
        list = new TListBox(form);
        list->SetParent(form);
        list->SetBounds(10, 10, 150, 100);
        rec.list = list;
        Application->ProcessMessages();
    }
    void Fill(std::initializer_list<const char*> lines) {
        for (const char* line : lines)
            list->Items()->Add(line);
    }
    TListBox* list = nullptr;
    Recorder rec;
};

TEST_F(ListBoxes, OwnerDrawnRowsArePaintedByTheHandlerOnAPreparedCanvas) {
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(16);
    list->OnDrawItem = TDrawItemEvent::Bind<&Recorder::DrawItem>(&rec);
    Fill({"zero", "one", "two"});
    list->SetItemIndex(1);
    const TRect row0 = list->ItemRect(0);
    EXPECT_EQ(row0, (TRect{2, 2, 148, 18})) << "rows start inside the sunken edge";

    for (int i = 0; i < 3; ++i) {
        const TRect row = list->ItemRect(i);
        EXPECT_EQ(PixelAt(list, row.Right - 5, row.Top + 8), ColorToRGB(Recorder::RowColor(i)))
            << "row " << i;
    }
    EXPECT_EQ(PixelAt(list, row0.Left + 10, row0.Top + 8), ColorToRGB(clWindow))
        << "an unselected row's brush";
    const TRect row1 = list->ItemRect(1);
    EXPECT_EQ(PixelAt(list, row1.Left + 10, row1.Top + 8), ColorToRGB(clHighlight))
        << "the selected row's brush";
    EXPECT_EQ(PixelAt(list, 20, 80), ColorToRGB(clWindow)) << "below the last row";
    ASSERT_FALSE(rec.states.empty());
    for (size_t i = 0; i < rec.drawn.size(); ++i)
        EXPECT_EQ(rec.states[i].Contains(odSelected), rec.drawn[i] == 1);
}

TEST_F(ListBoxes, ItemAtPosCountsExistingLinesOrReportsTheCount) {
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(13);
    Fill({"a", "b", "c"});
    struct Case {
        TPoint point;
        bool existing;
        int expected;
    } cases[] = {
        {{5, 2}, true, 0},   {{5, 14}, true, 0},   {{5, 15}, true, 1},    {{140, 40}, true, 2},
        {{5, 41}, true, -1}, {{5, 41}, false, 3},  {{5, 90}, false, 3},   {{1, 5}, true, -1},
        {{1, 5}, false, -1}, {{-3, 5}, false, -1}, {{5, 200}, false, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(list->ItemAtPos(c.point, c.existing), c.expected)
            << "(" << c.point.X << ", " << c.point.Y << ") existing=" << c.existing;
}

TEST_F(ListBoxes, ItemsShowAtOnceAndTheSelectionStaysOnItsItem) {
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(16);
    Fill({"one", "two"});
    list->SetItemIndex(0);
    // Right of the texts, the rows show their background.
    EXPECT_EQ(PixelAt(list, 100, list->ItemRect(0).Top + 8), ColorToRGB(clHighlight));
    list->Items()->Insert(0, "zero");
    EXPECT_EQ(list->ItemIndex(), 1) << "the selection follows its item";
    EXPECT_EQ(PixelAt(list, 100, list->ItemRect(0).Top + 8), ColorToRGB(clWindow));
    EXPECT_EQ(PixelAt(list, 100, list->ItemRect(1).Top + 8), ColorToRGB(clHighlight));
    list->Items()->Delete(1);
    EXPECT_EQ(list->ItemIndex(), -1) << "deleting the selected item selects nothing";
    list->Items()->Clear();
    EXPECT_EQ(list->Items()->Count(), 0);
}

TEST_F(ListBoxes, OverflowingItemsGetAScrollBarThatFollowsTheSelection) {
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(16);
    Fill({"0", "1", "2"});
    int min = -1, max = -1;
    GetScrollRange(list->Handle(), SB_VERT, min, max);
    EXPECT_EQ(max, 0) << "no scroll range while everything fits";
    for (int i = 3; i < 20; ++i)
        list->Items()->Add(std::to_string(i));
    EXPECT_EQ(list->VisibleItemCount(), 6);
    GetScrollRange(list->Handle(), SB_VERT, min, max);
    EXPECT_EQ(max, 20 - 6);
    EXPECT_LT(list->ItemsArea().Right, 146) << "the scroll bar takes room from the rows";
    list->SetItemIndex(15);
    EXPECT_EQ(list->TopIndex(), 10) << "the selected item is scrolled into view at the bottom";
    EXPECT_EQ(GetScrollPos(list->Handle(), SB_VERT), 10);
    list->SetItemIndex(2);
    EXPECT_EQ(list->TopIndex(), 2);
    list->SetTopIndex(100);
    EXPECT_EQ(list->TopIndex(), 14) << "never past the last full page";
}

TEST_F(ListBoxes, IntegralHeightLeavesThePartialRowEmpty) {
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(30); // 96 pixels inside the edge: three whole rows and a 6-pixel strip
    list->OnDrawItem = TDrawItemEvent::Bind<&Recorder::DrawItem>(&rec);
    Fill({"0", "1", "2", "3"});
    list->SetBounds(10, 10, 150, 100);
    EXPECT_EQ(PixelAt(list, 100, 95), ColorToRGB(Recorder::RowColor(3))) << "a partial row is drawn";
    list->SetIntegralHeight(true);
    EXPECT_EQ(list->ItemAtPos({40, 95}, true), -1);
    EXPECT_EQ(PixelAt(list, 100, 95), ColorToRGB(clWindow)) << "only whole rows are shown";
}

TEST_F(ListBoxes, TypedCharactersSelectByPrefix) {
    struct Case {
        const char* typed;
        int expected;
    } cases[] = {
        {"b", 2},
        {"br", 3},
        {"BR", 3},
        {"al", 0},
        {"alb", 1},
        {"bx", 2}, // no item begins with "bx": the selection stays
        {"bb", 3}, // "bb" matches nothing, so the second b steps to the next item beginning with b
        {"c", 4},
        {"z", -1},
        {"\xC3\xA9", 5},
        {"\xC3\xA9"
         "c",
         5},
        {"\xC3\xA9t", 6}, // characters of two bytes
    };
    for (const Case& c : cases) {
        auto* probe = new TListBox(form);
        probe->SetParent(form);
        probe->SetBounds(200, 10, 150, 100);
        for (const char* line : {"Alpha", "alBatross", "Beta", "Bravo", "Charlie",
                                 "\xC3\xA9"
                                 "clair",
                                 "\xC3\xA9t\xC3\xA9"})
            probe->Items()->Add(line);
        probe->SetFocus();
        Application->ProcessMessages();
        TInputSimulator::TypeText(c.typed);
        EXPECT_EQ(probe->ItemIndex(), c.expected) << "typed " << c.typed;
        delete probe;
    }
}

TEST_F(ListBoxes, MouseAndKeysSelectAndClick) {
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(16);
    Fill({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
    list->OnClick = TNotifyEvent::Bind<&Recorder::Click>(&rec);
    list->OnMouseDown = TMouseEvent::Bind<&Recorder::MouseDown>(&rec);
    list->SetDragMode(dmManual);
    TInputSimulator::Click(list->Handle(), {20, list->ItemRect(2).Top + 3});
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(rec.indexAtMouseDown, 2) << "the press selects before OnMouseDown runs";
    EXPECT_EQ(rec.clicks, 1);
    TInputSimulator::Click(list->Handle(), {20, 95});
    EXPECT_EQ(list->ItemIndex(), 5) << "the partly shown last row";

    list->SetFocus();
    Application->ProcessMessages();
    struct Case {
        uint16_t key;
        int expected;
    } keys[] = {{VK_DOWN, 6},  {VK_UP, 5},   {VK_HOME, 0}, {VK_UP, 0},   {VK_END, 9},
                {VK_PRIOR, 4}, {VK_NEXT, 9}, {VK_LEFT, 8}, {VK_RIGHT, 9}};
    for (const Case& k : keys) {
        TInputSimulator::KeyPress(k.key);
        EXPECT_EQ(list->ItemIndex(), k.expected) << "key " << k.key;
    }
    EXPECT_EQ(rec.clicks, 2 + 8) << "one click per change of the selection";
}

TEST_F(ListBoxes, DragAndDropReordersLinesWithTheirObjects) {
    TObject tokens[4];
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(13);
    for (int i = 0; i < 4; ++i)
        list->Items()->AddObject("line " + std::to_string(i), &tokens[i]);
    list->OnMouseDown = TMouseEvent::Bind<&Recorder::MouseDown>(&rec);
    list->OnDragOver = TDragOverEvent::Bind<&Recorder::DragOver>(&rec);
    list->OnDragDrop = TDragDropEvent::Bind<&Recorder::DragDrop>(&rec);

    const TPoint from{30, list->ItemRect(0).Top + 5};
    const TPoint to{30, list->ItemRect(2).Top + 5};
    TInputSimulator::Drag(list->Handle(), from, to);
    EXPECT_FALSE(list->Dragging());
    ASSERT_EQ(list->Items()->Count(), 4);
    EXPECT_EQ(list->Items()->Strings(0), "line 1");
    EXPECT_EQ(list->Items()->Strings(1), "line 2");
    EXPECT_EQ(list->Items()->Strings(2), "line 0");
    EXPECT_EQ(list->Items()->Objects(2), &tokens[0]) << "the object moves with its line";
    EXPECT_EQ(list->ItemIndex(), 2) << "the moved line stays selected";

    // A drop on the empty space below the last line moves nothing.
    TInputSimulator::Drag(list->Handle(), {30, list->ItemRect(3).Top + 5}, {30, 90});
    EXPECT_EQ(list->Items()->Strings(3), "line 3");
    EXPECT_EQ(list->ItemIndex(), 3);
}

TEST_F(ListBoxes, SortedListsPlaceAddedLinesInOrder) {
    TObject a, b, c;
    list->SetSorted(true);
    list->Items()->AddObject("beta", &b);
    list->Items()->AddObject("Alpha", &a);
    list->Items()->AddObject("gamma", &c);
    EXPECT_EQ(list->Items()->Text(), "Alpha\r\nbeta\r\ngamma\r\n");
    EXPECT_EQ(list->Items()->Objects(0), &a);
    EXPECT_EQ(list->Items()->IndexOfObject(&c), 2);
    list->SetSorted(false);
    list->Items()->Add("aardvark");
    EXPECT_EQ(list->Items()->Strings(3), "aardvark");
    list->SetSorted(true);
    EXPECT_EQ(list->Items()->Strings(0), "aardvark");
    EXPECT_THROW(list->Items()->Strings(4), EStringListError);
}

// A descendant choosing a thin border instead of the sunken edge, as a popup list does.
class TThinList : public TListBox {
    FW_CLASS(TThinList, TListBox)
public:
    using TListBox::TListBox;

protected:
    void CreateParams(TCreateParams& params) override {
        TListBox::CreateParams(params);
        params.Style |= WS_BORDER;
        params.ExStyle = WS_EX_TOOLWINDOW;
    }
};

TEST_F(ListBoxes, TheFrameFollowsTheWindowParameters) {
    auto* thin = new TThinList(form);
    thin->SetParent(form);
    thin->SetBounds(200, 10, 100, 16 * 3 + 2);
    thin->SetStyle(lbOwnerDrawFixed);
    thin->SetItemHeight(16);
    thin->Items()->Add("x");
    EXPECT_EQ(thin->ItemRect(0), (TRect{1, 1, 99, 17}));
    EXPECT_EQ(thin->VisibleItemCount(), 3);
    EXPECT_EQ(PixelAt(thin, 0, 20), ColorToRGB(clWindowFrame));

    list->Items()->Add("y");
    list->SetBorderStyle(bsNone);
    EXPECT_EQ(list->ItemRect(0).TopLeft(), (TPoint{0, 0}));
    EXPECT_EQ(PixelAt(list, 0, 60), ColorToRGB(clWindow));
    list->SetBorderStyle(bsSingle);
    EXPECT_EQ(list->ItemRect(0).TopLeft(), (TPoint{2, 2}));
    EXPECT_EQ(PixelAt(list, 0, 60), ColorToRGB(clBtnShadow)) << "the sunken edge";
}

TEST_F(ListBoxes, ItemsStreamWithTheForm) {
    list->SetName("List1");
    list->Items()->SetText("one\r\ntwo\r\n");
    list->SetItemHeight(13);
    list->SetStyle(lbOwnerDrawFixed);
    const std::string text = list_grid_test::WriteAsText(form);
    EXPECT_NE(text.find("Items.Strings = (\r\n      'one'\r\n      'two')"), std::string::npos) << text;
    EXPECT_NE(text.find("Style = lbOwnerDrawFixed"), std::string::npos) << text;
}

} // namespace

FW_PUBLISH(TThinList) {
}
