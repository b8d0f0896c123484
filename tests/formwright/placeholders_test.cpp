// Placeholder boxes of non-visual components: place, size, look, naming and lifetime.
#include "EditContainer.h"
#include "Formwright.h"
#include "FormwrightText.h"
#include "components/Query.h"
#include "components/Table.h"
#include "core/Streams.h"
#include "formwright_support.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "ui/Application.h"
#include "ui/InputSimulator.h"
#include "ui/Windows.h"

namespace {

// A table class of its own: it has no picture and shows its ancestor's.
class TLocalTable : public TTable {
    FW_CLASS(TLocalTable, TTable)
public:
    using TTable::TTable;
};

} // namespace

FW_PUBLISH(TLocalTable) {
}

namespace {

using Placeholders = DesignedSample;

// The box's pixel at (x, y) as the user sees it on the designed form.
TColor BoxPixel(TEditContainer* box, int x, int y) {
    TBitmap image;
    GrabWindow(box->Handle(), image);
    return image.Canvas()->Pixels(x, y);
}

TEST_F(Placeholders, StandAtTheDesignPositionsAsSilverBoxesInTheRootWindow) {
    struct Row {
        TComponent* component;
        TRect bounds;
    } rows[] = {{Form->Table1, TRect::FromBounds(96, 160, 28, 28)},
                {Form->Query1, TRect::FromBounds(136, 160, 28, 28)}};
    ASSERT_EQ(Designer->Placeholders().Count(), 2);
    for (const Row& row : rows) {
        TEditContainer* box = PlaceholderOf(row.component);
        EXPECT_EQ(box->BoundsRect(), row.bounds);
        EXPECT_EQ(box->Color(), TColor(12632256));
        EXPECT_EQ(box->Owner(), nullptr);
        EXPECT_EQ(box->Parent(), nullptr);
        EXPECT_EQ(GetParent(box->Handle()), Form->Handle());
        EXPECT_TRUE(IsWindowVisible(box->Handle()));
        EXPECT_TRUE(box->ComponentState().Contains(csDesigning));
    }
}

TEST_F(Placeholders, ShowTheClassPictureWithItsTransparentColourReplacedBySilver) {
    auto* local = new TLocalTable(Form);
    auto* plain = new TComponent(Form);
    Application->ProcessMessages();
    for (TComponent* c : {static_cast<TComponent*>(local), plain})
        PlaceholderOf(c)->Show();
    Application->ProcessMessages();
    // Picture pixel (x, y) lands at (x + 2, y + 2), inside the raised edge.
    const TColor silver = TColor(12632256);
    const TColor teal = RGB(0, 128, 128), white = RGB(255, 255, 255), yellow = RGB(255, 255, 0);
    struct Row {
        const char* what;
        TComponent* component;
        TPoint point;
        TColor colour;
    } rows[] = {
        {"table: magenta corner shows silver", Form->Table1, {2, 2}, silver},
        {"table: header row", Form->Table1, {2 + 5, 2 + 6}, teal},
        {"table: a cell", Form->Table1, {2 + 4, 2 + 10}, white},
        {"query: the sheet", Form->Query1, {2 + 6, 2 + 4}, white},
        {"query: magenta outside the sheet", Form->Query1, {2 + 1, 2 + 10}, silver},
        {"derived table: the ancestor's picture", local, {2 + 5, 2 + 6}, teal},
        {"no picture: the default one", plain, {2 + 7, 2 + 7}, yellow},
    };
    for (const Row& row : rows)
        EXPECT_EQ(BoxPixel(PlaceholderOf(row.component), row.point.X, row.point.Y), row.colour) << row.what;
    // The raised edge: light on the top left, dark on the bottom right.
    TEditContainer* box = PlaceholderOf(Form->Table1);
    EXPECT_NE(BoxPixel(box, 0, 0), silver);
    EXPECT_NE(BoxPixel(box, 27, 27), silver);
    EXPECT_NE(BoxPixel(box, 0, 0), BoxPixel(box, 27, 27));
}

TEST_F(Placeholders, KeepTheirSizeAndCarryTheirPositionIntoTheComponent) {
    TEditContainer* box = PlaceholderOf(Form->Table1);
    box->SetBounds(100, 50, 300, 7);
    EXPECT_EQ(box->BoundsRect(), TRect::FromBounds(100, 50, 28, 28));
    EXPECT_EQ(Form->Table1->DesignInfo(), (50u << 16) | 100u);
    TStringStream text; // a zero position is the default and not written
    WriteRootText(Designer, text);
    EXPECT_NE(text.DataString().find("object Table1: TTable\r\n    Left = 100\r\n    Top = 50\r\n"),
              std::string::npos)
        << text.DataString();
}

TEST_F(Placeholders, AWindowMovedUnderneathAlsoMovesTheDesignPosition) {
    TEditContainer* box = PlaceholderOf(Form->Query1);
    SetWindowPos(box->Handle(), nullptr, 60, 70, 120, 5, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(GetClientRect(box->Handle()), TRect(0, 0, 28, 28));
    EXPECT_EQ(Form->Query1->DesignInfo(), (70u << 16) | 60u);
}

TEST_F(Placeholders, StayOnTheSurfaceWhenMovedPastItsLeftOrTopEdge) {
    // Dragged from its right part to the form's left edge, then nudged further up and left.
    TInputSimulator::Drag(Form->Handle(), {120, 164}, {2, 164});
    TEditContainer* box = PlaceholderOf(Form->Table1);
    EXPECT_EQ(box->BoundsRect(), TRect::FromBounds(0, 160, 28, 28));
    Designer->SelectComponent(Form->Query1);
    PlaceholderOf(Form->Query1)->SetBounds(136, 4, 28, 28);
    Press(VK_UP, {ssCtrl, ssShift});
    EXPECT_EQ(PlaceholderOf(Form->Query1)->Top(), 0);
    TStringStream text; // a zero position is the default and not written
    WriteRootText(Designer, text);
    EXPECT_NE(text.DataString().find("object Table1: TTable\r\n    Top = 160\r\n  end"), std::string::npos)
        << text.DataString();
    EXPECT_NE(text.DataString().find("object Query1: TQuery\r\n    Left = 136\r\n  end"), std::string::npos);
}

TEST_F(Placeholders, NamingTheBoxNamesTheComponent) {
    TQuery* query = Form->Query1;
    TEditContainer* box = PlaceholderOf(query);
    box->SetName("Customers");
    EXPECT_EQ(Form->FindComponent("Customers"), query);
    EXPECT_EQ(query->Name(), "Customers");
    EXPECT_EQ(box->Name(), "");
}

TEST_F(Placeholders, GoAtOnceWithTheirComponent) {
    TEditContainer* box = PlaceholderOf(Form->Table1);
    HWND window = box->Handle();
    delete Form->Table1;
    EXPECT_EQ(Designer->Placeholders().Count(), 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(Form->Table1, nullptr);
}

TEST_F(Placeholders, ANewNonVisualComponentGetsAHiddenBoxUntilShown) {
    auto* query = new TQuery(Form);
    query->SetDesignInfo((16u << 16) | 24u);
    TEditContainer* box = PlaceholderOf(query);
    EXPECT_FALSE(box->HandleAllocated() && IsWindowVisible(box->Handle()));
    box->MoveToDesignPosition();
    box->Show();
    EXPECT_EQ(box->BoundsRect(), TRect::FromBounds(24, 16, 28, 28));
    EXPECT_TRUE(IsWindowVisible(box->Handle()));
}

TEST_F(Placeholders, AreFreedWhenDesigningStops) {
    Designer->SetRoot(nullptr);
    EXPECT_EQ(Designer->Placeholders().Count(), 0);
    EXPECT_EQ(Form->Table1->DesignInfo(), (160u << 16) | 96u) << "the component keeps its position";
}

} // namespace
