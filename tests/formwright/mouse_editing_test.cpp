// Mouse editing on the design surface through real input: clicks, moves with the grid, rubber bands,
// resizing from handles, placing new components, double-click, the right button and cancelled drags.
#include "ComponentEditors.h"
#include "EditContainer.h"
#include "components/Table.h"
#include "designing_fixture.h"
#include "dialogs/MessageBox.h"
#include "widgets/Label.h"

namespace {

// A panel class with a component editor of its own, to see double-clicks run the grabbed object's editor.
class TEditedPanel : public TPanel {
    FW_CLASS(TEditedPanel, TPanel)
public:
    using TPanel::TPanel;
};

int edits = 0;
class TCountingEditor : public TComponentEditor {
    FW_CLASS(TCountingEditor, TComponentEditor)
public:
    using TComponentEditor::TComponentEditor;
    void Edit() override { ++edits; }
};

// An editor that asks in a real message box before it widens its control.
class TAskingPanel : public TPanel {
    FW_CLASS(TAskingPanel, TPanel)
public:
    using TPanel::TPanel;
};

class TAskingEditor : public TComponentEditor {
    FW_CLASS(TAskingEditor, TComponentEditor)
public:
    using TComponentEditor::TComponentEditor;
    void Edit() override {
        if (TMessageBox::Show("Widen it?", "", MB_YESNO) != IDYES) return;
        auto* control = static_cast<TControl*>(Component());
        control->SetWidth(control->Width() + 20);
        Designer()->Modified();
    }
};

} // namespace

FW_PUBLISH(TEditedPanel) {
}
FW_PUBLISH(TCountingEditor) {
}
FW_PUBLISH(TAskingPanel) {
}
FW_PUBLISH(TAskingEditor) {
}

namespace {

std::vector<std::string> Bounds(std::initializer_list<TControl*> controls) {
    std::vector<std::string> result;
    for (TControl* c : controls) {
        const TRect r = c->BoundsRect();
        result.push_back(NameOf(c) + " " + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
                         std::to_string(r.Width()) + "," + std::to_string(r.Height()));
    }
    return result;
}

// How many pixels of a row or column segment differ between two grabs of a window.
int Changed(TBitmap& before, TBitmap& after, TPoint from, TPoint to) {
    int changed = 0;
    for (int x = from.X; x <= to.X; ++x)
        for (int y = from.Y; y <= to.Y; ++y)
            changed += before.Canvas()->Pixels(x, y) != after.Canvas()->Pixels(x, y);
    return changed;
}

} // namespace

TEST_F(Designing, AClickSelectsAndMovesNothing) {
    Click({20, 40});
    EXPECT_EQ(Bounds({form->Button1}), std::vector<std::string>{"Button1 8,32,75,25"});
    EXPECT_TRUE(designer->Grab()->Visible());
    EXPECT_EQ(inspector->Count("RefreshValues"), 0);
    EXPECT_FALSE(designer->IsModified());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Designing, DraggingMovesTheWholeSelectionInGridStepsFromThePressPoint) {
    Click({20, 40});
    Click({20, 70}, {ssShift});
    const struct {
        TPoint to;
        TPoint offset;
    } drags[] = {{{33, 61}, {8, 16}}, {{27, 31}, {0, -8}}, {{12, 40}, {-8, 0}}};
    for (const auto& d : drags) {
        const TPoint b1{form->Button1->Left(), form->Button1->Top()};
        const TPoint b2{form->Button2->Left(), form->Button2->Top()};
        const TPoint from{b1.X + 12, b1.Y + 8};
        Drag(from, {from.X + d.to.X - 20, from.Y + d.to.Y - 40});
        EXPECT_EQ(form->Button1->Left(), b1.X + d.offset.X);
        EXPECT_EQ(form->Button1->Top(), b1.Y + d.offset.Y);
        EXPECT_EQ(form->Button2->Left(), b2.X + d.offset.X);
        EXPECT_EQ(form->Button2->Top(), b2.Y + d.offset.Y);
        EXPECT_EQ(designer->SelectionCount(), 2);
    }
    EXPECT_TRUE(designer->IsModified());
    EXPECT_GE(inspector->Count("RefreshValues"), 1);
    EXPECT_FALSE(designer->Grab()->Visible()) << "a multiple selection shows marks, not handles";
}

TEST_F(Designing, DraggingDropsSelectedObjectsOfAnotherParentFirst) {
    Click({20, 40});
    TInputSimulator::Click(form->Button3, {10, 10}, mbLeft, {ssShift});
    Drag({20, 40}, {36, 40});
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button1});
    EXPECT_EQ(Bounds({form->Button1, form->Button3}),
              (std::vector<std::string>{"Button1 24,32,75,25", "Button3 16,16,75,25"}));
    EXPECT_TRUE(designer->Grab()->Visible());
    EXPECT_EQ(HandleAt(0), (TPoint{22, 30}));
}

TEST_F(Designing, TheMoveFrameIsDrawnInvertedWhileDraggingAndGoneAfter) {
    Click({20, 40});
    Application->ProcessMessages();
    TBitmap before, during, after;
    GrabWindow(FormWindow(), before);
    TInputSimulator::MouseDown(FormWindow(), {20, 40});
    TInputSimulator::MouseMove(FormWindow(), {33, 61}, {ssLeft});
    GrabWindow(FormWindow(), during);
    // Button1 (8, 32, 75 x 25) offset by (8, 16): the frame's left edge runs down x = 16 from y = 48.
    EXPECT_GT(Changed(before, during, {16, 48}, {16, 73}), 5);
    EXPECT_GT(Changed(before, during, {16, 48}, {91, 48}), 20);
    TInputSimulator::MouseUp(FormWindow(), {33, 61});
    Application->ProcessMessages();
    GrabWindow(FormWindow(), after);
    EXPECT_EQ(form->Button1->Left(), 16);
    EXPECT_EQ(Changed(before, after, {100, 60}, {100, 90}), 0) << "no frame left on the surface";
}

TEST_F(Designing, ShiftClickTogglesOneObjectOfTheSelection) {
    Click({20, 40});
    Click({20, 70}, {ssShift});
    TInputSimulator::Click(form, {20, 12}, mbLeft, {ssShift}); // Label1
    EXPECT_EQ(inspector->Calls.back(), "InspectList Button1,Button2,Label1");
    Click({20, 70}, {ssShift});
    EXPECT_EQ(Selection(), (std::vector<TControl*>{form->Button1, form->Label1}));
}

TEST_F(Designing, RubberBandsSelectTheTouchedChildrenWhicheverWayTheyAreDrawn) {
    const struct {
        TPoint from, to;
        std::vector<std::string> selected;
    } bands[] = {
        {{4, 24}, {95, 70}, {"Button1", "Button2"}},
        {{95, 70}, {4, 24}, {"Button1", "Button2"}},
        {{95, 4}, {30, 40}, {"Label1", "Button1"}},
        {{90, 150}, {140, 190}, {"Table1", "Query1"}},
        {{4, 110}, {30, 130}, {}},
    };
    for (const auto& band : bands) {
        Click({20, 40}); // something selected before: the band starts afresh
        Drag(band.from, band.to);
        std::vector<std::string> names;
        for (TControl* object : Selection())
            names.push_back(NameOf(TFormwright::ComponentOf(object)));
        EXPECT_EQ(names, band.selected) << band.from.X << "," << band.from.Y;
    }
    EXPECT_EQ(inspector->Calls.back(), "InspectObject DesignSample") << "an empty band shows the root";
}

TEST_F(Designing, ControlClickStartsARubberBandInTheParentOrInsideAContainer) {
    // On a button: the band runs in the form, from the press point.
    Drag({20, 40}, {30, 70}, {ssCtrl});
    EXPECT_EQ(Selection(), (std::vector<TControl*>{form->Button1, form->Button2}));
    // On the panel: the band runs inside the panel and selects its child.
    TInputSimulator::Drag(form->Panel1->Handle(), {4, 4}, {30, 30}, {ssCtrl});
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button3});
    EXPECT_EQ(Bounds({form->Panel1}), std::vector<std::string>{"Panel1 200,144,185,120"});
}

TEST_F(Designing, APressOnTheEmptyRootClearsTheSelection) {
    Click({20, 40});
    Click({300, 290});
    EXPECT_EQ(designer->SelectionCount(), 0);
    EXPECT_EQ(inspector->Calls.back(), "InspectObject DesignSample");
}

TEST_F(Designing, HandlesResizeFromTheOppositeAnchorWithPinnedEdges) {
    // Button1 is 8, 32, 75 x 25: right 83, bottom 57. Each drag moves the handle's centre by the offset.
    const struct {
        int handle;
        TPoint offset;
        const char* bounds;
    } resizes[] = {
        {1, {30, -16}, "Button1 8,17,75,40"}, // top middle: only top and height, sideways ignored
        {3, {21, 40}, "Button1 8,32,88,25"},  // right middle: only the width
        {4, {-12, 9}, "Button1 8,32,56,32"},  // bottom right: distances from the anchor snapped
        {0, {100, 40}, "Button1 83,57,24,8"}, // across the anchor: the rectangle flips
    };
    for (const auto& r : resizes) {
        form->Button1->SetBounds(8, 32, 75, 25);
        Click({20, 40});
        HWND handle = designer->Grab()->Handles(r.handle)->Handle();
        TInputSimulator::Drag(handle, {2, 2}, {2 + r.offset.X, 2 + r.offset.Y});
        EXPECT_EQ(Bounds({form->Button1}), std::vector<std::string>{r.bounds}) << "handle " << r.handle;
        EXPECT_TRUE(designer->Grab()->Visible());
        EXPECT_EQ(designer->DragMode(), ddNone);
    }
    EXPECT_TRUE(designer->IsModified());
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button1})
        << "a handle press is no click on the surface";
}

// Pressing a handle and letting go where it was pressed resizes nothing, whichever handle it is and
// wherever on the handle: the dragged corner would otherwise jump to the pressed point.
TEST_F(Designing, AClickOnAHandleChangesNothing) {
    for (int index = 0; index < 8; ++index)
        for (TPoint press : {TPoint{0, 0}, TPoint{2, 2}, TPoint{4, 4}}) {
            form->Button1->SetBounds(8, 32, 75, 25);
            Click({20, 40});
            TInputSimulator::Click(designer->Grab()->Handles(index)->Handle(), press);
            EXPECT_EQ(Bounds({form->Button1}), std::vector<std::string>{"Button1 8,32,75,25"})
                << "handle " << index << " pressed at " << press.X << "," << press.Y;
            EXPECT_TRUE(designer->Grab()->Visible());
            EXPECT_EQ(designer->DragMode(), ddNone);
        }
    EXPECT_FALSE(designer->IsModified());
}

TEST_F(Designing, ResizingInsideAPanelWorksInThePanelsCoordinates) {
    TInputSimulator::Click(form->Button3, {10, 10});
    HWND handle = designer->Grab()->Handles(4)->Handle();
    TInputSimulator::Drag(handle, {2, 2}, {18, 10});
    EXPECT_EQ(Bounds({form->Button3}), std::vector<std::string>{"Button3 16,16,88,32"});
    EXPECT_EQ(HandleAt(4), (TPoint{101, 45}));
}

TEST_F(Designing, PlacingAComponentByClickOrByDrag) {
    designer->SetClassToPlace(TButton::StaticClass());
    Click({100, 100});
    TControl* placed = dynamic_cast<TControl*>(form->FindComponent("Button4"));
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->Parent(), form);
    EXPECT_EQ(Bounds({placed}), std::vector<std::string>{"Button4 100,100,75,25"});
    EXPECT_EQ(Selection(), std::vector<TControl*>{placed});
    EXPECT_EQ(designer->ClassToPlace(), nullptr);
    // The insertion is reported while the component is still being constructed, before it has a name.
    ASSERT_EQ(inspector->Calls.size(), 4u);
    EXPECT_EQ(inspector->Calls[0], "BeginComponentUpdate");
    EXPECT_EQ(inspector->Calls[1].rfind("Insert ", 0), 0u);
    EXPECT_EQ(inspector->Calls[2], "EndComponentUpdate");
    EXPECT_EQ(inspector->Calls[3], "InspectObject Button4");
    EXPECT_TRUE(designer->IsModified());
    EXPECT_EQ(designer->FindPlaceholder(placed), nullptr) << "a control gets no placeholder box";
    EXPECT_EQ(designer->Placeholders().Count(), 2);

    designer->SetClassToPlace(TPanel::StaticClass());
    Drag({24, 112}, {66, 139});
    auto* panel = dynamic_cast<TControl*>(form->FindComponent("Panel2"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(Bounds({panel}), std::vector<std::string>{"Panel2 24,112,42,27"}) << "dragged, not snapped";

    designer->SetClassToPlace(TButton::StaticClass());
    TInputSimulator::Click(form->Panel1->Handle(), {100, 60});
    auto* inPanel = dynamic_cast<TControl*>(form->FindComponent("Button5"));
    ASSERT_NE(inPanel, nullptr);
    EXPECT_EQ(inPanel->Parent(), form->Panel1);
    EXPECT_EQ(inPanel->Left(), 100);
    EXPECT_EQ(inPanel->Top(), 60);
    // On a control that takes no children, the new control goes next to it, at the pressed point.
    designer->SetClassToPlace(TButton::StaticClass());
    TInputSimulator::Click(form->Button3, {10, 10});
    auto* beside = dynamic_cast<TControl*>(form->FindComponent("Button6"));
    ASSERT_NE(beside, nullptr);
    EXPECT_EQ(beside->Parent(), form->Panel1);
    EXPECT_EQ(beside->Left(), 26);
}

TEST_F(Designing, PlacingANonVisualComponentShowsItsPlaceholderWhereClicked) {
    designer->SetClassToPlace(TTable::StaticClass());
    Click({300, 280});
    TComponent* table = form->FindComponent("Table2");
    ASSERT_NE(table, nullptr);
    TEditContainer* box = designer->PlaceholderOf(table);
    EXPECT_EQ(box->Left(), 300);
    EXPECT_EQ(box->Top(), 280);
    EXPECT_EQ(box->Width(), 28);
    EXPECT_TRUE(IsWindowVisible(box->Handle()));
    EXPECT_EQ(Selection(), std::vector<TControl*>{box});
    EXPECT_EQ(inspector->Calls.back(), "InspectObject Table2");
}

TEST_F(Designing, APressOnAControlWithItsOwnCursorReachesTheControl) {
    form->Button2->SetCursor(crHandPoint);
    Click({20, 70});
    EXPECT_EQ(designer->SelectionCount(), 0);
    EXPECT_EQ(designer->DragMode(), ddNone);
}

TEST_F(Designing, DraggingAPlaceholderMovesItsComponentsDesignPosition) {
    Drag({100, 164}, {117, 173});
    TEditContainer* box = designer->PlaceholderOf(form->Table1);
    EXPECT_EQ(box->Left(), 112);
    EXPECT_EQ(box->Top(), 168);
    EXPECT_EQ(form->Table1->DesignInfo(), (168u << 16) | 112u);
    // Its handles resize nothing.
    TInputSimulator::Drag(designer->Grab()->Handles(4)->Handle(), {2, 2}, {30, 30});
    EXPECT_EQ(box->Width(), 28);
    EXPECT_EQ(box->Left(), 112);
}

TEST_F(Designing, DoubleClickRunsTheComponentEditorOfTheObject) {
    RegisterComponentEditor(TEditedPanel::StaticClass(), ComponentEditorClassOf<TCountingEditor>());
    auto* panel = new TEditedPanel(form);
    panel->SetName("EditedPanel1");
    panel->SetBounds(16, 240, 60, 30);
    panel->SetParent(form);
    Application->ProcessMessages();
    edits = 0;
    TInputSimulator::DoubleClick(panel->Handle(), {30, 15});
    EXPECT_EQ(edits, 1);
    EXPECT_EQ(Selection(), std::vector<TControl*>{panel});
    // The root can be selected by a double-click; it has the default editor.
    TInputSimulator::DoubleClick(FormWindow(), {300, 290});
    EXPECT_EQ(Selection(), std::vector<TControl*>{form});
    EXPECT_EQ(edits, 1);
}

TEST_F(Designing, TheRightButtonAdjustsTheSelectionAndStillReachesTheControl) {
    struct TDowns : TObject {
        int rights = 0;
        void Down(TObject*, TMouseButton button, TShiftState, int, int) { rights += button == mbRight; }
    } downs;
    form->Button2->OnMouseDown = TMouseEvent::Bind<&TDowns::Down>(&downs);
    // Each right click opens the designer menu, closed here with Escape.
    for (int i = 0; i < 3; ++i)
        TModalDriver::QueueAction([](TObject*) { TInputSimulator::KeyPress(VK_ESCAPE); });
    Click({20, 40});
    Click({20, 70}, {ssShift});
    TInputSimulator::Click(FormWindow(), {20, 70}, mbRight);
    EXPECT_EQ(designer->SelectionCount(), 2) << "a right click inside a multiple selection keeps it";
    EXPECT_EQ(downs.rights, 1);
    TInputSimulator::Click(FormWindow(), {20, 12}, mbRight); // Label1
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Label1});
    EXPECT_EQ(inspector->Calls.back(), "InspectObject Label1");
    TInputSimulator::Click(FormWindow(), {300, 290}, mbRight);
    EXPECT_EQ(designer->SelectionCount(), 0);
    EXPECT_EQ(inspector->Calls.back(), "InspectObject DesignSample") << "the inspector shows the root";
}

TEST_F(Designing, CancelModeAbandonsADragWithoutEffect) {
    Click({20, 40});
    Application->ProcessMessages();
    TBitmap before, after;
    GrabWindow(FormWindow(), before);
    TInputSimulator::MouseDown(FormWindow(), {20, 40});
    TInputSimulator::MouseMove(FormWindow(), {60, 80}, {ssLeft});
    ASSERT_EQ(designer->DragMode(), ddMove);
    SendMessage(FormWindow(), WM_CANCELMODE, 0, 0);
    EXPECT_EQ(designer->DragMode(), ddNone);
    EXPECT_EQ(GetCapture(), nullptr);
    TInputSimulator::MouseUp(FormWindow(), {60, 80});
    EXPECT_EQ(Bounds({form->Button1}), std::vector<std::string>{"Button1 8,32,75,25"});
    EXPECT_FALSE(designer->Grab()->Visible()) << "the handles stay hidden until the selection changes";
    Application->ProcessMessages();
    GrabWindow(FormWindow(), after);
    EXPECT_EQ(Changed(before, after, {48, 72}, {48, 97}), 0) << "the frame was erased";
    Click({20, 70});
    EXPECT_TRUE(designer->Grab()->Visible());
}

TEST_F(Designing, TheRubberBandFrameAppearsOnlyOnceTheMouseMoves) {
    Application->ProcessMessages();
    TBitmap before, pressed, moved, released;
    GrabWindow(FormWindow(), before);
    TInputSimulator::MouseDown(FormWindow(), {24, 112});
    GrabWindow(FormWindow(), pressed);
    EXPECT_EQ(Changed(before, pressed, {20, 108}, {70, 140}), 0);
    TInputSimulator::MouseMove(FormWindow(), {64, 136}, {ssLeft});
    GrabWindow(FormWindow(), moved);
    EXPECT_GT(Changed(before, moved, {24, 112}, {64, 112}), 10) << "top edge";
    EXPECT_GT(Changed(before, moved, {64, 112}, {64, 136}), 5) << "right edge";
    EXPECT_EQ(Changed(before, moved, {30, 118}, {58, 130}), 0) << "inside stays as it was";
    TInputSimulator::MouseUp(FormWindow(), {64, 136});
    Application->ProcessMessages();
    GrabWindow(FormWindow(), released);
    EXPECT_EQ(Changed(before, released, {20, 108}, {70, 140}), 0);
}

TEST_F(Designing, KeysAndTheRightButtonDuringADragLeaveItsSelectionAlone) {
    Click({20, 40});
    TInputSimulator::MouseDown(FormWindow(), {20, 40});
    TInputSimulator::MouseMove(FormWindow(), {60, 80}, {ssLeft});
    TInputSimulator::KeyPress(VK_TAB, {}, FormWindow());     // would select Button2
    TInputSimulator::KeyPress(VK_DELETE, {}, FormWindow());  // would free the selection
    TInputSimulator::Click(FormWindow(), {20, 12}, mbRight); // would select Label1
    TInputSimulator::MouseUp(FormWindow(), {60, 80});
    EXPECT_EQ(Bounds({form->Button1, form->Button2}),
              (std::vector<std::string>{"Button1 48,72,75,25", "Button2 8,64,75,25"}));
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button1});
    EXPECT_TRUE(designer->Grab()->Visible());
}

TEST_F(Designing, ADoubleClickedRootCarriesItsHandlesAroundItsClientArea) {
    SetWindowPos(FormWindow(), nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Application->ProcessMessages();
    const TRect bounds = form->BoundsRect();
    TInputSimulator::DoubleClick(FormWindow(), {300, 290});
    ASSERT_EQ(Selection(), std::vector<TControl*>{form});
    ASSERT_TRUE(designer->Grab()->Visible());
    const int right = form->ClientWidth() - 1, bottom = form->ClientHeight() - 1;
    EXPECT_EQ(HandleAt(0), (TPoint{-2, -2})) << "not at the form's screen position";
    EXPECT_EQ(HandleAt(4), (TPoint{right - 2, bottom - 2}));
    EXPECT_EQ(HandleAt(5), (TPoint{(right - 5) / 2, bottom - 2}));
    // A form has no parent to be resized in: its handles change nothing.
    TInputSimulator::Drag(designer->Grab()->Handles(5)->Handle(), {2, 2}, {2, -40});
    EXPECT_EQ(form->BoundsRect(), bounds);
    EXPECT_EQ(HandleAt(4), (TPoint{right - 2, bottom - 2}));

    // A designed panel is resized from its own handles within its parent.
    designer->SetRoot(form->Panel1);
    TInputSimulator::DoubleClick(form->Panel1->Handle(), {150, 100});
    ASSERT_EQ(Selection(), std::vector<TControl*>{form->Panel1});
    EXPECT_EQ(HandleAt(4), (TPoint{184 - 2, 119 - 2}));
    TInputSimulator::Drag(designer->Grab()->Handles(4)->Handle(), {2, 2}, {2 - 16, 2 - 8});
    // The corner's distance from the top-left anchor snaps to the grid: 184 - 16 -> 168, 119 - 8 -> 104.
    EXPECT_EQ(Bounds({form->Panel1}), std::vector<std::string>{"Panel1 200,144,168,104"});
    EXPECT_EQ(HandleAt(4), (TPoint{167 - 2, 103 - 2}));
}

TEST_F(Designing, AComponentEditorsDialogTakesKeysAndDesigningGoesOnAfterIt) {
    RegisterComponentEditor(TAskingPanel::StaticClass(), ComponentEditorClassOf<TAskingEditor>());
    auto* panel = new TAskingPanel(form);
    panel->SetName("AskingPanel1");
    panel->SetBounds(16, 240, 60, 30);
    panel->SetParent(form);
    Application->ProcessMessages();
    std::string asked;
    TModalDriver::QueueAction([&asked](TObject* window) {
        auto* box = static_cast<TMessageBox*>(window);
        asked = box->Text();
        TInputSimulator::KeyPress(VK_RETURN, {}, box->Handle()); // the default button, Yes
    });
    TInputSimulator::DoubleClick(panel->Handle(), {30, 15});
    EXPECT_EQ(asked, "Widen it?");
    EXPECT_EQ(panel->Width(), 80) << "the key reached the dialog, not the designer";
    EXPECT_EQ(Selection(), std::vector<TControl*>{panel});
    EXPECT_EQ(HandleAt(4), (TPoint{16 + 80 - 1 - 2, 240 + 30 - 1 - 2})) << "the handles follow the edit";
    EXPECT_EQ(designer->DragMode(), ddNone);
    EXPECT_EQ(GetCapture(), nullptr);
    Drag({20, 40}, {36, 40});
    EXPECT_EQ(form->Button1->Left(), 24);
}

TEST_F(Designing, APressAfterALostReleaseAbandonsTheOldDragAndErasesItsFrame) {
    Click({20, 40});
    Application->ProcessMessages();
    TBitmap before, after;
    GrabWindow(FormWindow(), before);
    TInputSimulator::MouseDown(FormWindow(), {20, 40});
    TInputSimulator::MouseMove(FormWindow(), {60, 80}, {ssLeft});
    // The release went elsewhere; the next thing seen is a press on the empty surface.
    TInputSimulator::MouseDown(FormWindow(), {300, 290});
    TInputSimulator::MouseUp(FormWindow(), {300, 290});
    Application->ProcessMessages();
    GrabWindow(FormWindow(), after);
    EXPECT_EQ(Bounds({form->Button1}), std::vector<std::string>{"Button1 8,32,75,25"});
    EXPECT_EQ(Changed(before, after, {48, 72}, {48, 97}), 0) << "the old frame was erased";
    EXPECT_EQ(designer->DragMode(), ddNone);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Designing, TheMiddleButtonNeverReachesADesignedControl) {
    struct TDowns : TObject {
        int middles = 0;
        void Down(TObject*, TMouseButton button, TShiftState, int, int) { middles += button == mbMiddle; }
    } downs;
    form->Button1->OnMouseDown = TMouseEvent::Bind<&TDowns::Down>(&downs);
    TInputSimulator::Click(FormWindow(), {20, 40}, mbMiddle);
    EXPECT_EQ(downs.middles, 0);
    designer->SetRoot(nullptr);
    TInputSimulator::Click(FormWindow(), {20, 40}, mbMiddle);
    EXPECT_EQ(downs.middles, 1) << "the button hears it again once designing ends";
    form->Button1->OnMouseDown = TMouseEvent();
}
