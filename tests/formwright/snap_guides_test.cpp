// Snap guides through real mouse input: moves and resizes whose edges or centre lines come near a
// neighbour's snap there instead of to the grid, show a guide line while they hold, and drop where the
// feedback showed; Alt drags freely; the switch is a menu entry remembered in the settings.
#include "DragGuides.h"
#include "EditContainer.h"
#include "GuideLine.h"
#include "SpecialisedEditors.h"
#include "components/Query.h"
#include "designing_fixture.h"
#include "menu_driving.h"
#include "rtti/Properties.h"
#include "settings/RegIniFile.h"

namespace {

std::string BoundsOf(TControl* c) {
    const TRect r = c->BoundsRect();
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Width()) + "," +
           std::to_string(r.Height());
}

// A form of known lines: its client area is 480 x 360 (x lines 0, 8, 240, 472, 480; y lines 0, 8, 180,
// 352, 360), and
//   Left1  40, 40, 80 x 24   x 40 120 80    y 40 64 52
//   Right1 240, 120, 100 x 30 x 240 340 290 y 120 150 135
//   Near   345, 20, 10 x 20  x 345 355 350  y 20 40 30
//   Mover  40, 200, 60 x 20  x 40 100 70    y 200 220 210   (the one dragged)
class SnapGuides : public DesigningAForm {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetName("SnapForm");
        form->SetBounds(100, 100, 500, 400);
        form->SetClientWidth(480);
        form->SetClientHeight(360);
        Left1 = Add("Left1", {40, 40, 120, 64});
        Right1 = Add("Right1", {240, 120, 340, 150});
        Near = Add("Near", {345, 20, 355, 40});
        Mover = Add("Mover", {40, 200, 100, 220});
        form->Show();
        Design(form);
        designer->SetSnapToGuides(true);
    }

    TButton* Add(const char* name, const TRect& r) {
        auto* button = new TButton(form);
        button->SetName(name);
        button->SetParent(form);
        button->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        return button;
    }
    HWND Window() const { return form->Handle(); }
    // Presses on a control's middle and drags it by the offset (in steps), releasing there.
    void DragBy(TControl* control, TPoint offset, TShiftState shift = {}) {
        const TPoint from{control->Left() + control->Width() / 2, control->Top() + control->Height() / 2};
        TInputSimulator::Drag(Window(), from, from + offset, shift);
    }
    // Presses a grab handle of the selected control at its middle and drags it to a point of the form.
    void DragHandleTo(int index, TPoint to) {
        TGrabHandle* handle = designer->Grab()->Handles(index);
        const TPoint at{handle->Left(), handle->Top()};
        TInputSimulator::Drag(handle->Handle(), {2, 2}, to - at);
    }
    const TGuideLine* Vertical() const { return designer->Guides().VerticalGuide(); }
    const TGuideLine* Horizontal() const { return designer->Guides().HorizontalGuide(); }

    TForm* form = nullptr;
    TButton *Left1 = nullptr, *Right1 = nullptr, *Near = nullptr, *Mover = nullptr;
};

} // namespace

TEST_F(SnapGuides, AMovedEdgeOrCentreSnapsToTheNearestLineAndTheOtherAxisKeepsTheGrid) {
    const struct {
        const char* what;
        TPoint offset;
        const char* bounds;
    } moves[] = {
        // left 337 meets Right1's right 340; y 213, 233, 223 meet nothing and take the grid (13 -> 8)
        {"edge to edge, y on the grid", {297, 13}, "340,208,60,20"},
        // centre x 288 meets Right1's centre 290; centre y 137 (2 away) beats bottom 147 (3 from 150)
        {"centre to centre on both axes", {218, -73}, "260,125,60,20"},
        // left 5 meets the inset 8 (the client edge 0 is 5 away); bottom 354 meets the inset 352
        {"the parent's inset edges", {-35, 134}, "8,332,60,20"},
        // left 342: Right1's right 340 (2) is nearer than Near's left 345 (3); at 343 it is the other way
        {"the nearer of two lines", {302, 13}, "340,208,60,20"},
        {"the nearer of two lines, the other way", {303, 13}, "345,208,60,20"},
        // nothing within four pixels: both axes on the grid
        {"nothing near", {27, 13}, "64,208,60,20"},
    };
    for (const auto& m : moves) {
        Mover->SetBounds(40, 200, 60, 20);
        TInputSimulator::Click(Window(), {50, 210});
        DragBy(Mover, m.offset);
        EXPECT_EQ(BoundsOf(Mover), m.bounds) << m.what;
        EXPECT_EQ(Vertical(), nullptr) << "no guide after the drop: " << m.what;
        EXPECT_EQ(Horizontal(), nullptr) << m.what;
    }
}

TEST_F(SnapGuides, AClickMovesNothingEvenBesideALine) {
    // Mover's left is a pixel from Left1's: nothing snaps before the mouse moves, and a drag that comes
    // back to the pressed point moves nothing either.
    Mover->SetBounds(41, 201, 60, 20);
    TInputSimulator::Click(Window(), {50, 210});
    EXPECT_EQ(BoundsOf(Mover), "41,201,60,20");
    EXPECT_FALSE(designer->IsModified());
    TInputSimulator::Drag(Window(), {50, 210}, {50, 210});
    EXPECT_EQ(BoundsOf(Mover), "41,201,60,20");
    EXPECT_EQ(Vertical(), nullptr);
}

TEST_F(SnapGuides, GuidesShowWhileTheSnapHoldsAndGoWithIt) {
    TInputSimulator::Click(Window(), {50, 210});
    TInputSimulator::MouseDown(Window(), {50, 210});
    // Left onto Right1's right edge: a vertical guide at x 340 from Right1's top to the frame's bottom.
    TInputSimulator::MouseMove(Window(), {50 + 297, 210 + 13}, {ssLeft});
    ASSERT_NE(Vertical(), nullptr);
    EXPECT_EQ(Vertical()->BoundsRect(), TRect(340, 120, 341, 229));
    EXPECT_EQ(Horizontal(), nullptr);
    // Centre to centre on both axes: two guides.
    TInputSimulator::MouseMove(Window(), {50 + 218, 210 - 73}, {ssLeft});
    ASSERT_NE(Vertical(), nullptr);
    ASSERT_NE(Horizontal(), nullptr);
    EXPECT_EQ(Vertical()->BoundsRect().Left, 290);
    EXPECT_EQ(Horizontal()->BoundsRect(), TRect(240, 135, 340, 136)) << "from Right1 through the frame";
    // Away from every line: the guides go.
    TInputSimulator::MouseMove(Window(), {50 + 27, 210 + 13}, {ssLeft});
    EXPECT_EQ(Vertical(), nullptr);
    EXPECT_EQ(Horizontal(), nullptr);
    TInputSimulator::MouseUp(Window(), {50 + 27, 210 + 13});
    EXPECT_EQ(BoundsOf(Mover), "64,208,60,20");
}

TEST_F(SnapGuides, TheGuideIsAOnePixelLineOfItsOwnColourOnTheForm) {
    TInputSimulator::Click(Window(), {50, 210});
    Application->ProcessMessages();
    TBitmap before, during, after;
    GrabWindow(Window(), before);
    TInputSimulator::MouseDown(Window(), {50, 210});
    TInputSimulator::MouseMove(Window(), {50 + 297, 210 + 13}, {ssLeft});
    Application->ProcessMessages();
    GrabWindow(Window(), during);
    const TColor guide = designer->GuideColor();
    EXPECT_NE(guide, GridGrey);
    EXPECT_NE(guide, designer->HandleColor());
    // Between Right1 and the dragged frame, and beside Right1: x 340 only.
    for (int y : {121, 140, 160, 200})
        EXPECT_EQ(during.Canvas()->Pixels(340, y), guide) << y;
    for (int y : {140, 160}) {
        EXPECT_NE(during.Canvas()->Pixels(339, y), guide) << y;
        EXPECT_NE(during.Canvas()->Pixels(341, y), guide) << y;
    }
    EXPECT_NE(during.Canvas()->Pixels(340, 250), guide) << "the guide ends at the frame";
    TInputSimulator::MouseUp(Window(), {50 + 297, 210 + 13});
    Application->ProcessMessages();
    GrabWindow(Window(), after);
    EXPECT_EQ(after.Canvas()->Pixels(340, 160), before.Canvas()->Pixels(340, 160)) << "gone after the drop";
}

TEST_F(SnapGuides, AltDragsFreelyWithoutGridOrGuides) {
    TInputSimulator::Click(Window(), {50, 210});
    TInputSimulator::MouseDown(Window(), {50, 210}, mbLeft, {ssAlt});
    TInputSimulator::MouseMove(Window(), {50 + 297, 210 + 13}, {ssLeft, ssAlt});
    EXPECT_EQ(Vertical(), nullptr);
    EXPECT_EQ(Horizontal(), nullptr);
    TInputSimulator::MouseUp(Window(), {50 + 297, 210 + 13}, mbLeft, {ssAlt});
    EXPECT_EQ(BoundsOf(Mover), "337,213,60,20");
}

TEST_F(SnapGuides, OffTheGridRulesStandAsTheyWere) {
    designer->SetSnapToGuides(false);
    for (TShiftState shift : {TShiftState{}, TShiftState{ssAlt}}) {
        Mover->SetBounds(40, 200, 60, 20);
        TInputSimulator::Click(Window(), {50, 210});
        DragBy(Mover, {297, 13}, shift);
        EXPECT_EQ(BoundsOf(Mover), "336,208,60,20");
        EXPECT_EQ(Vertical(), nullptr);
    }
}

TEST_F(SnapGuides, AMultipleSelectionSnapsAsItsBoundingBoxAndDropsAsShown) {
    // Left1 and Mover span 40..120 across: the right edge 337 meets Right1's right 340.
    TInputSimulator::Click(Window(), {50, 210});
    TInputSimulator::Click(Window(), {50, 50}, mbLeft, {ssShift});
    ASSERT_EQ(designer->SelectionCount(), 2);
    TInputSimulator::MouseDown(Window(), {50, 50});
    TInputSimulator::MouseMove(Window(), {50 + 217, 50 + 13}, {ssLeft});
    ASSERT_NE(Vertical(), nullptr);
    EXPECT_EQ(Vertical()->BoundsRect().Left, 340);
    TInputSimulator::MouseUp(Window(), {50 + 217, 50 + 13});
    EXPECT_EQ(BoundsOf(Left1), "260,48,80,24");
    EXPECT_EQ(BoundsOf(Mover), "260,208,60,20");
}

TEST_F(SnapGuides, EveryKindOfHandleSnapsItsMovingEdges) {
    // Mover is 40, 200 .. 100, 220. The dragged corner or edge follows the mouse; pinned coordinates stay.
    const struct {
        int handle;
        TPoint to;
        const char* bounds;
    } resizes[] = {
        {0, {11, 153}, "8,150,92,70"},    // top left: left to the inset 8, top to Right1's bottom 150
        {1, {90, 153}, "40,150,60,70"},   // top middle: only the top
        {2, {337, 153}, "40,150,300,70"}, // top right: right to Right1's right 340
        {3, {337, 260}, "40,200,300,20"}, // right middle: only the right
        {4, {337, 233}, "40,200,300,32"}, // bottom right: the bottom meets nothing and keeps the grid
        {5, {90, 349}, "40,200,60,152"},  // bottom middle: the bottom to the inset 352
        {6, {11, 349}, "8,200,92,152"},   // bottom left
        {7, {11, 100}, "8,200,92,20"},    // left middle: only the left
    };
    for (const auto& r : resizes) {
        Mover->SetBounds(40, 200, 60, 20);
        TInputSimulator::Click(Window(), {50, 210});
        DragHandleTo(r.handle, r.to);
        EXPECT_EQ(BoundsOf(Mover), r.bounds) << "handle " << r.handle;
        EXPECT_EQ(Vertical(), nullptr);
        EXPECT_TRUE(designer->Grab()->Visible());
    }
}

TEST_F(SnapGuides, ASnappedDragIsOneStepToUndo) {
    TInputSimulator::Click(Window(), {50, 210});
    DragBy(Mover, {297, 13});
    ASSERT_EQ(BoundsOf(Mover), "340,208,60,20");
    TInputSimulator::KeyPress('Z', {ssCtrl}, Window());
    EXPECT_EQ(BoundsOf(Mover), "40,200,60,20");
    TInputSimulator::KeyPress('Y', {ssCtrl}, Window());
    EXPECT_EQ(BoundsOf(Mover), "340,208,60,20");
}

TEST_F(SnapGuides, KeyboardMovesAreUnchanged) {
    TInputSimulator::Click(Window(), {50, 210});
    Mover->SetBounds(337, 200, 60, 20);
    TInputSimulator::KeyPress(VK_RIGHT, {ssCtrl}, Window());
    EXPECT_EQ(BoundsOf(Mover), "338,200,60,20") << "a nudge by one pixel, not onto the line at 340";
}

TEST_F(SnapGuides, TheMenuEntrySwitchesSnappingAndTheSettingsRememberIt) {
    // A published property, off unless set: hosts reach it like any other.
    const TPropInfo* published = GetPropInfo(designer, "SnapToGuides");
    ASSERT_NE(published, nullptr);
    SetOrdProp(designer, published, 0);
    EXPECT_FALSE(designer->SnapToGuidesMenuItem()->Checked());
    QueueMenuChoice(designer, "Snap to G&uides");
    RightClick(Window(), {400, 300});
    EXPECT_TRUE(designer->SnapToGuides());
    EXPECT_TRUE(designer->SnapToGuidesMenuItem()->Checked());
    {
        const TRegIniFile settings(TColorProperty::CustomColorsKey);
        EXPECT_TRUE(settings.ReadBool(TFormwright::SettingsSection, TFormwright::SnapToGuidesSetting, false));
    }
    // A designer made later starts with the remembered choice; switching off is remembered too.
    delete designer;
    designer = static_cast<TFormwright*>(CreateDesigner(TFormwright::StaticClass()));
    designer->SetInspector(inspector);
    designer->SetRoot(form);
    EXPECT_TRUE(designer->SnapToGuides());
    EXPECT_TRUE(designer->SnapToGuidesMenuItem()->Checked());
    QueueMenuChoice(designer, "Snap to G&uides");
    RightClick(Window(), {400, 300});
    EXPECT_FALSE(designer->SnapToGuides());
    const TRegIniFile settings(TColorProperty::CustomColorsKey);
    EXPECT_FALSE(settings.ReadBool(TFormwright::SettingsSection, TFormwright::SnapToGuidesSetting, true));
}

TEST_F(DesignedSample, PlaceholdersSnapToEachOther) {
    // Table1 and Query1 are 28 x 28 at (96, 160) and (136, 160). Query1's top 187 meets Table1's bottom
    // 188; across, placeholders meet nothing here and keep the grid (20 -> 16).
    Designer->SetSnapToGuides(true);
    TEditContainer* query = PlaceholderOf(Form->Query1);
    TInputSimulator::Drag(query->Handle(), {10, 10}, {30, 37});
    EXPECT_EQ(query->BoundsRect(), TRect::FromBounds(152, 188, 28, 28));
    EXPECT_EQ(Form->Query1->DesignInfo(), (188u << 16) | 152u) << "the design position follows";
}

TEST_F(Designing, AResizeInsideAPanelSnapsToThePanelsLinesInItsCoordinates) {
    // Button3 is 16, 16, 75 x 25 in Panel1 (185 x 120): its right edge dragged to 174 meets the panel's
    // inset right edge 177; its bottom dragged to 54 meets nothing and keeps the grid. (The click that
    // selects Button3, its right edge a pixel from the panel's centre line, moves nothing.)
    designer->SetSnapToGuides(true);
    TInputSimulator::Click(form->Button3, {10, 10});
    TGrabHandle* handle = designer->Grab()->Handles(4);
    const TPoint at{handle->Left(), handle->Top()};
    TInputSimulator::MouseDown(handle->Handle(), {2, 2});
    TInputSimulator::MouseMove(handle->Handle(), TPoint{174, 54} - at, {ssLeft});
    ASSERT_NE(designer->Guides().VerticalGuide(), nullptr);
    // The guide is drawn in the root window, where the panel's inset edge is 200 + 177.
    EXPECT_EQ(designer->Guides().VerticalGuide()->BoundsRect().Left, 377);
    TInputSimulator::MouseUp(handle->Handle(), TPoint{174, 54} - at);
    // The bottom: 38 below the anchor (16, 16), 32 on the grid.
    EXPECT_EQ(form->Button3->BoundsRect(), TRect::FromBounds(16, 16, 161, 32));
}
