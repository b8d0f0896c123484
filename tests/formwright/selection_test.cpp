// The ordered selection: grab handles on a single object, corner marks on a multiple selection, the
// report to the inspector, and objects that go away while selected.
#include "EditContainer.h"
#include "EditSelector.h"
#include "components/Table.h"
#include "designing_fixture.h"
#include "widgets/Label.h"

TEST_F(Designing, HandlesSitAroundTheSelectedControl) {
    Click({20, 40}); // Button1 at 8, 32, 75 x 25
    ASSERT_EQ(Selection(), std::vector<TControl*>{form->Button1});
    EXPECT_EQ(inspector->Calls.back(), "InspectObject Button1");
    EXPECT_TRUE(designer->Grab()->Visible());
    const struct {
        int index;
        TPoint place;
        TCursor cursor;
    } handles[] = {
        {0, {6, 30}, crSizeNWSE}, {1, {42, 30}, crSizeNS},   {2, {80, 30}, crSizeNESW},
        {3, {80, 41}, crSizeWE},  {4, {80, 54}, crSizeNWSE}, {5, {42, 54}, crSizeNS},
        {6, {6, 54}, crSizeNESW}, {7, {6, 41}, crSizeWE},
    };
    for (const auto& h : handles) {
        TGrabHandle* handle = designer->Grab()->Handles(h.index);
        EXPECT_EQ(HandleAt(h.index), h.place) << h.index;
        EXPECT_EQ(handle->Cursor(), h.cursor) << h.index;
        EXPECT_EQ(handle->Width(), 5);
        EXPECT_TRUE(IsWindowVisible(handle->Handle()));
        EXPECT_EQ(GetParent(handle->Handle()), FormWindow());
    }
    EXPECT_EQ(PixelOf(FormWindow(), 8, 32), TColor(0)) << "a black handle over the button's corner";

    // A control inside the panel: the handles live in the panel's window.
    TInputSimulator::Click(form->Button3, {10, 10});
    EXPECT_EQ(GetParent(designer->Grab()->Handles(0)->Handle()), form->Panel1->Handle());
    EXPECT_EQ(HandleAt(0), (TPoint{14, 14}));
}

TEST_F(Designing, HandlesFollowTheControlWhateverMovesIt) {
    Click({20, 40});
    form->Button1->SetBounds(40, 48, 75, 25); // as the inspector or a dialog would
    EXPECT_EQ(HandleAt(0), (TPoint{38, 46}));
    TInputSimulator::Click(form, {20, 12}); // Label1, a graphic control
    ASSERT_EQ(Selection(), std::vector<TControl*>{form->Label1});
    form->Label1->SetLeft(16);
    EXPECT_EQ(HandleAt(0), (TPoint{14, 6}));
}

TEST_F(Designing, ASecondObjectTurnsHandlesIntoCornerMarksAndBack) {
    Click({20, 40});
    Click({20, 70}, {ssShift});
    EXPECT_EQ(Selection(), (std::vector<TControl*>{form->Button1, form->Button2}));
    EXPECT_EQ(inspector->Calls.back(), "InspectList Button1,Button2");
    EXPECT_FALSE(designer->Grab()->Visible());
    Application->ProcessMessages();
    for (TButton* button : {form->Button1, form->Button2})
        for (TPoint corner : {TPoint{0, 0}, TPoint{72, 0}, TPoint{72, 22}, TPoint{2, 22}})
            EXPECT_EQ(PixelOf(button->Handle(), corner.X, corner.Y), GridGrey) << NameOf(button);

    TInputSimulator::Click(form, {20, 12}, mbLeft, {ssShift}); // Label1, painted by the form
    Application->ProcessMessages();
    EXPECT_EQ(PixelOf(FormWindow(), 8, 8), GridGrey);
    EXPECT_EQ(PixelOf(FormWindow(), 44, 20), GridGrey);
    TInputSimulator::Click(form, {20, 12}, mbLeft, {ssShift});
    Application->ProcessMessages();
    EXPECT_NE(PixelOf(FormWindow(), 10, 10), GridGrey);

    // A repaint of a marked control keeps its marks.
    form->Button1->SetCaption("Changed");
    Application->ProcessMessages();
    EXPECT_EQ(PixelOf(form->Button1->Handle(), 1, 1), GridGrey);

    Click({20, 40}, {ssShift}); // off again: only Button1 goes
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button2});
    EXPECT_EQ(inspector->Calls.back(), "InspectObject Button2");
    EXPECT_TRUE(designer->Grab()->Visible());
    EXPECT_EQ(HandleAt(0), (TPoint{6, 62}));
    Application->ProcessMessages();
    EXPECT_NE(PixelOf(form->Button1->Handle(), 1, 1), GridGrey) << "marks gone from the unselected button";
    EXPECT_NE(PixelOf(form->Button2->Handle(), 72, 22), GridGrey) << "a single selection has no marks";

    Click({20, 70}, {ssShift}); // the only selected object off: the inspector shows the root
    EXPECT_EQ(designer->SelectionCount(), 0);
    EXPECT_FALSE(designer->Grab()->Visible());
    EXPECT_EQ(inspector->Calls.back(), "InspectObject DesignSample");
    EXPECT_EQ(TEditSelector::LiveCount(), 0);
}

TEST_F(Designing, APlaceholderBoxCarriesHandlesInTheRootWindow) {
    Click({100, 164}); // Table1's box at 96, 160
    ASSERT_EQ(designer->SelectionCount(), 1);
    EXPECT_EQ(designer->Selected(0), designer->PlaceholderOf(form->Table1));
    EXPECT_EQ(inspector->Calls.back(), "InspectObject Table1");
    EXPECT_EQ(HandleAt(0), (TPoint{94, 158}));
    EXPECT_EQ(HandleAt(4), (TPoint{121, 185}));
    EXPECT_EQ(GetParent(designer->Grab()->Handles(4)->Handle()), FormWindow());
    Click({140, 164}, {ssShift});
    EXPECT_EQ(inspector->Calls.back(), "InspectList Table1,Query1");
}

TEST_F(Designing, ObjectsFreedWhileSelectedLeaveTheSelection) {
    Click({20, 40});
    Click({20, 70}, {ssShift});
    delete form->Button2;
    form->Button2 = nullptr;
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button1});
    EXPECT_TRUE(designer->Grab()->Visible()) << "the remaining object gets the handles";
    EXPECT_EQ(TEditSelector::LiveCount(), 1);

    Click({100, 164});
    delete form->Table1; // its placeholder goes with it
    form->Table1 = nullptr;
    EXPECT_EQ(designer->SelectionCount(), 0);
    EXPECT_EQ(designer->Placeholders().Count(), 1);
    Click({20, 40});
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button1});
}

TEST_F(Designing, TheHandlesAndMarksFollowWhatStaysSelectedWhenAnObjectIsFreed) {
    // Two selected, the second freed: the first carries the handles and loses its marks.
    Click({20, 40});
    Click({20, 70}, {ssShift});
    Application->ProcessMessages();
    ASSERT_EQ(PixelOf(form->Button1->Handle(), 72, 22), GridGrey);
    inspector->Calls.clear();
    delete form->Button2;
    form->Button2 = nullptr;
    Application->ProcessMessages();
    EXPECT_EQ(designer->Grab()->Control(), form->Button1);
    EXPECT_NE(PixelOf(form->Button1->Handle(), 72, 22), GridGrey) << "no grey mark is left on the button";
    EXPECT_EQ(inspector->CallsStartingWith("Inspect"), std::vector<std::string>{"InspectObject Button1"});

    // Three selected, the grabbed first one freed: the grab moves to the new first object.
    TInputSimulator::Click(form->Button3, {10, 10}, mbLeft, {ssShift});
    TInputSimulator::Click(form, {20, 12}, mbLeft, {ssShift}); // Label1
    ASSERT_EQ(designer->SelectionCount(), 3);
    inspector->Calls.clear();
    delete form->Button1;
    form->Button1 = nullptr;
    EXPECT_EQ(Selection(), (std::vector<TControl*>{form->Button3, form->Label1}));
    EXPECT_EQ(designer->Grab()->Control(), form->Button3);
    EXPECT_FALSE(designer->Grab()->Visible());
    EXPECT_EQ(inspector->CallsStartingWith("Inspect"),
              std::vector<std::string>{"InspectList Button3,Label1"});
}

TEST_F(Designing, KeepSiblingsOnlyDropsObjectsOfOtherParentsFromTheEnd) {
    Click({20, 40});
    Click({20, 70}, {ssShift});
    TInputSimulator::Click(form->Button3, {10, 10}, mbLeft, {ssShift});
    ASSERT_EQ(designer->SelectionCount(), 3);
    inspector->Calls.clear();
    designer->KeepSiblingsOnly(form->Button3);
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button3});
    EXPECT_EQ(inspector->Calls, std::vector<std::string>{"InspectObject Button3"});
    EXPECT_TRUE(designer->Grab()->Visible());
}
