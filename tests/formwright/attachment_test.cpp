// Attaching the designer to a root, switching and letting go; the hooks, close requests, the grid, the
// repaint pass and errors raised while input is handled.
#include "EditContainer.h"
#include "components/Query.h"
#include "components/Table.h"
#include "designing_fixture.h"
#include "dialogs/MessageBox.h"
#include "graphics/Clipboard.h"
#include "widgets/Label.h"

namespace {
int clicks = 0;
struct TClickCounter : TObject {
    void Clicked(TObject*) { ++clicks; }
};
TClickCounter counter;

// A container that reports a scroll position of its own, to see the grid follow scrolling.
class TScrolledBox : public TWinControl {
    FW_CLASS(TScrolledBox, TWinControl)
public:
    explicit TScrolledBox(TComponent* owner) : TWinControl(owner) {
        SetControlStyle(TControlStyle{csAcceptsControls});
    }
    int Scrolled = 0;
    int ScrollPosition(int) const override { return Scrolled; }
};
} // namespace

FW_PUBLISH(TScrolledBox) {
}

TEST_F(Designing, AttachingTakesOverTheFormAndLettingGoGivesItBack) {
    EXPECT_EQ(form->Designer(), designer);
    EXPECT_TRUE(form->Button3->ComponentState().Contains(csDesigning));
    EXPECT_EQ(designer->Placeholders().Count(), 2);
    EXPECT_EQ(designer->PlaceholderOf(form->Table1)->Left(), 96);
    EXPECT_TRUE(IsWindowVisible(designer->PlaceholderOf(form->Query1)->Handle()));

    clicks = 0;
    form->Button1->OnClick = TNotifyEvent::Bind<&TClickCounter::Clicked>(&counter);
    Click({20, 40});
    EXPECT_EQ(clicks, 0) << "the press never reaches the button";
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button1});

    designer->SetRoot(form); // the same root: nothing happens
    EXPECT_EQ(designer->SelectionCount(), 1);

    designer->SetRoot(nullptr);
    EXPECT_EQ(inspector->Calls.back(), "SetInspectedRoot null");
    EXPECT_EQ(form->Designer(), nullptr);
    EXPECT_FALSE(form->Button3->ComponentState().Contains(csDesigning));
    EXPECT_EQ(designer->Placeholders().Count(), 0);
    EXPECT_EQ(designer->SelectionCount(), 0);
    Click({20, 40});
    EXPECT_EQ(clicks, 1) << "the button works again";
    inspector->Calls.clear();
    designer->SetRoot(nullptr);
    EXPECT_TRUE(inspector->Calls.empty()) << "letting go while not designing does nothing";
}

TEST_F(Designing, WindowProceduresAreRestoredExactly) {
    designer->SetRoot(nullptr);
    const TMethod formProc = form->WindowProc.Method();
    const TMethod button1Proc = form->Button1->WindowProc.Method();
    const TMethod button2Proc = form->Button2->WindowProc.Method();
    designer->SetRoot(form);
    // The grab moves onto an object whose selector chained in first, then everything lets go.
    Click({20, 40});
    Click({20, 70}, {ssShift});
    Click({20, 40}, {ssShift});
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button2});
    EXPECT_TRUE(designer->Grab()->Visible());
    Click({20, 70}, {ssShift});
    EXPECT_EQ(designer->SelectionCount(), 0);
    EXPECT_EQ(form->Button2->WindowProc.Method(), button2Proc);
    // The root itself selected by a double-click, then the designer lets go.
    Click({20, 40});
    Click({20, 70}, {ssShift});
    TInputSimulator::DoubleClick(FormWindow(), {300, 290});
    EXPECT_EQ(Selection(), std::vector<TControl*>{form});
    designer->SetRoot(nullptr);
    EXPECT_EQ(form->WindowProc.Method(), formProc);
    EXPECT_EQ(form->Button1->WindowProc.Method(), button1Proc);
    EXPECT_EQ(form->Button2->WindowProc.Method(), button2Proc);
}

TEST_F(Designing, SwitchingToAPanelAndBackKeepsPlaceholdersOnlyForTheForm) {
    designer->SetRoot(form->Panel1);
    EXPECT_EQ(inspector->Calls, (std::vector<std::string>{"ClearInspection", "SetInspectedRoot Panel1"}));
    EXPECT_EQ(designer->Placeholders().Count(), 0);
    EXPECT_EQ(designer->DesignedForm(), form);
    EXPECT_EQ(form->Designer(), designer);
    // Only the panel is a design surface now.
    clicks = 0;
    form->Button1->OnClick = TNotifyEvent::Bind<&TClickCounter::Clicked>(&counter);
    Click({20, 40});
    EXPECT_EQ(clicks, 1);
    TInputSimulator::Click(form->Button3, {10, 10});
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button3});

    designer->SetRoot(form);
    EXPECT_EQ(designer->Placeholders().Count(), 2);
    EXPECT_EQ(designer->SelectionCount(), 0);
}

TEST_F(Designing, RefusesARootThatIsNoWindowedControlOnAFormAndKeepsTheCurrentOne) {
    EXPECT_THROW(designer->SetRoot(form->Label1), Exception);
    EXPECT_THROW(designer->SetRoot(form->Table1), Exception);
    TPanel loose(nullptr);
    EXPECT_THROW(designer->SetRoot(&loose), Exception);
    EXPECT_EQ(designer->Root(), form);
    EXPECT_EQ(form->Designer(), designer);
}

TEST_F(Designing, AControlHiddenAtRunTimeIsVisibleWhileDesigned) {
    designer->SetRoot(nullptr);
    form->Button2->Hide();
    Application->ProcessMessages();
    ASSERT_FALSE(IsWindowVisible(form->Button2->Handle()));
    designer->SetRoot(form);
    EXPECT_TRUE(IsWindowVisible(form->Button2->Handle()));
    designer->SetRoot(nullptr);
    EXPECT_FALSE(IsWindowVisible(form->Button2->Handle()));
    EXPECT_FALSE(form->Button2->Visible());
}

TEST_F(Designing, ClosingTheDesignedFormHidesItUnlessItIsTheMainForm) {
    // The form's own close handling is told to do nothing, so any hiding is the designer's.
    struct TKeepOpen : TObject {
        void Close(TObject*, TCloseAction& action) { action = caNone; }
    } keepOpen;
    form->OnClose = TCloseEvent::Bind<&TKeepOpen::Close>(&keepOpen);

    TCustomForm* mainForm = Application->MainForm();
    Application->SetMainForm(form);
    SendMessage(FormWindow(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindowVisible(FormWindow())) << "the main form is not hidden by the designer";
    Application->SetMainForm(mainForm);

    SendMessage(FormWindow(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(FormWindow()));
    EXPECT_EQ(designer->Root(), form) << "designing goes on";
}

TEST_F(Designing, TheGridDotsLieOnEveryEighthPixelOfTheEmptySurface) {
    Application->ProcessMessages();
    TBitmap bitmap;
    GrabWindow(FormWindow(), bitmap);
    TCanvas& pixels = *bitmap.Canvas();
    for (TPoint dot : {TPoint{16, 112}, TPoint{24, 120}, TPoint{0, 296}, TPoint{392, 0}})
        EXPECT_EQ(pixels.Pixels(dot.X, dot.Y), GridGrey) << dot.X << "," << dot.Y;
    for (TPoint between : {TPoint{17, 112}, TPoint{16, 113}, TPoint{20, 116}})
        EXPECT_NE(pixels.Pixels(between.X, between.Y), GridGrey) << between.X << "," << between.Y;

    designer->SetRoot(nullptr);
    Application->ProcessMessages();
    EXPECT_NE(PixelOf(FormWindow(), 16, 112), GridGrey) << "no grid once designing ends";
}

TEST_F(Designing, EveryDesignedRootShowsTheGridUnderItsChildrenWhateverRepaintsIt) {
    // A container paints its face over the surface: the dots still show on it, not on its children.
    designer->SetRoot(form->Panel1);
    Application->ProcessMessages();
    HWND panel = form->Panel1->Handle();
    for (TPoint dot : {TPoint{8, 56}, TPoint{160, 96}, TPoint{104, 8}})
        EXPECT_EQ(PixelOf(panel, dot.X, dot.Y), GridGrey) << dot.X << "," << dot.Y;
    EXPECT_NE(PixelOf(form->Button3->Handle(), 8, 8), GridGrey) << "none on the child";

    // The root in a multiple selection repaints with its corner marks: the grid stays around them.
    designer->SetRoot(form);
    TInputSimulator::DoubleClick(FormWindow(), {300, 280});
    Click({20, 40}, {ssShift});
    ASSERT_EQ(designer->SelectionCount(), 2);
    Application->ProcessMessages();
    const TRect client = form->ClientRect();
    for (TPoint dot : {TPoint{16, 112},
                       TPoint{client.Right - 8 - client.Right % 8, client.Bottom - 16 - client.Bottom % 8}})
        EXPECT_EQ(PixelOf(FormWindow(), dot.X, dot.Y), GridGrey) << dot.X << "," << dot.Y;
    // A graphic child keeps its own pixels.
    EXPECT_NE(PixelOf(FormWindow(), 16, 16), GridGrey) << "Label1 is not dotted";
}

TEST_F(Designing, MovingOrResizingTheDesignedFormRefreshesTheInspector) {
    SetWindowPos(FormWindow(), nullptr, 220, 110, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Application->ProcessMessages();
    const int refreshes = inspector->Count("RefreshValues");
    EXPECT_GE(refreshes, 1);
    SetWindowPos(FormWindow(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(inspector->Count("RefreshValues"), refreshes) << "neither moved nor sized";
    form->SetBounds(form->Left(), form->Top(), 440, 330);
    Application->ProcessMessages();
    EXPECT_GT(inspector->Count("RefreshValues"), refreshes) << "resized";
    EXPECT_TRUE(designer->IsModified());
}

TEST_F(Designing, AFrameAroundTheDesignedFormIsNoChangeOfTheDesign) {
    // The client size given last is kept, so the frame the form gets when it shows grows its bounds.
    TForm framed(nullptr);
    framed.SetClientWidth(300);
    framed.SetClientHeight(200);
    designer->SetRoot(&framed);
    framed.Show();
    Application->ProcessMessages();
    EXPECT_EQ(framed.ClientWidth(), 300);
    EXPECT_GT(framed.Width(), 300) << "framed";
    EXPECT_FALSE(designer->IsModified());
    designer->SetRoot(nullptr);
}

TEST_F(Designing, WhileAMenuOrASizeLoopRunsTheDesignerIgnoresInput) {
    for (auto [enter, exit] :
         {std::pair{WM_ENTERMENULOOP, WM_EXITMENULOOP}, {WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE}}) {
        SendMessage(FormWindow(), enter, 0, 0);
        Click({20, 40});
        EXPECT_EQ(designer->SelectionCount(), 0);
        SendMessage(FormWindow(), exit, 0, 0);
        Click({20, 40});
        EXPECT_EQ(designer->SelectionCount(), 1);
        Click({300, 290});
    }
}

TEST_F(Designing, GrabHandlesAndOtherWindowsAreNoDesignWindows) {
    Click({20, 40});
    HWND handle = designer->Grab()->Handles(0)->Handle();
    EXPECT_TRUE(IsChild(FormWindow(), handle));
    EXPECT_EQ(GetWindowLong(handle, GWL_USERDATA), GrabHandleMarker);
    EXPECT_FALSE(designer->IsDesignWindow(handle));
    EXPECT_TRUE(designer->IsDesignWindow(form->Button3->Handle()));
    EXPECT_TRUE(designer->IsDesignWindow(FormWindow()));
    EXPECT_FALSE(designer->IsDesignWindow(inspector->Handle()));
    EXPECT_EQ(designer->DesignWindowOf(form->Button3), form->Panel1->Handle());
    EXPECT_EQ(designer->DesignWindowOf(form->Label1), FormWindow());
    EXPECT_EQ(designer->DesignWindowOf(designer->PlaceholderOf(form->Table1)), FormWindow());
}

TEST_F(Designing, AnErrorWhileHandlingInputIsShownAndDesigningGoesOn) {
    designer->SetRoot(form->Panel1);
    Clipboard()->SetAsText("object Button9: TButton\r\n  = 5\r\nend\r\n");
    std::string shown;
    TModalDriver::QueueAction([&](TObject* window) {
        auto* box = static_cast<TMessageBox*>(window);
        shown = box->Text();
        EXPECT_EQ(box->ButtonIds(), std::vector<int>{IDOK});
        box->ClickPart(dpOK);
    });
    TInputSimulator::KeyPress(VK_INSERT, {ssShift}, form->Panel1->Handle());
    EXPECT_EQ(shown, "Identifier expected on line 2");
    EXPECT_EQ(form->FindComponent("Button9"), nullptr);
    EXPECT_EQ(designer->DragMode(), ddNone);
    TInputSimulator::Click(form->Button3, {10, 10});
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button3});
}

TEST_F(Designing, FreeingTheDesignedFormEndsDesigning) {
    Click({20, 40});
    delete form;
    form = nullptr;
    EXPECT_EQ(designer->Root(), nullptr);
    EXPECT_EQ(designer->SelectionCount(), 0);
    EXPECT_EQ(designer->Placeholders().Count(), 0);
}

TEST_F(Designing, AFormFreedAfterDesigningEndedIsForgotten) {
    designer->SetRoot(nullptr);
    ASSERT_EQ(designer->DesignedForm(), form);
    delete form;
    form = nullptr;
    EXPECT_EQ(designer->DesignedForm(), nullptr);
    EXPECT_EQ(designer->UniqueComponentName("Button"), "Button1");
    EXPECT_FALSE(designer->ComponentNameExists("Button1"));
}

TEST_F(Designing, TheGridFollowsTheScrollPositionOfTheRoot) {
    auto* box = new TScrolledBox(form);
    box->SetBounds(8, 240, 64, 40);
    box->SetParent(form);
    designer->SetRoot(box);
    Application->ProcessMessages();
    EXPECT_EQ(PixelOf(box->Handle(), 8, 8), GridGrey);
    EXPECT_NE(PixelOf(box->Handle(), 5, 5), GridGrey);
    box->Scrolled = 3;
    box->Invalidate();
    Application->ProcessMessages();
    EXPECT_EQ(PixelOf(box->Handle(), 5, 5), GridGrey) << "the dots shift with the scrolled origin";
    EXPECT_NE(PixelOf(box->Handle(), 8, 8), GridGrey);
}

TEST_F(Designing, KeysTypedAnywhereInTheDesignedFormGoToTheDesigner) {
    struct TKeys : TObject {
        int downs = 0;
        void Down(TObject*, uint16_t&, TShiftState) { ++downs; }
    } keys;
    form->Button1->OnKeyDown = TKeyEvent::Bind<&TKeys::Down>(&keys);
    designer->SetRoot(form->Panel1); // Button1 lies outside the designed panel
    form->Button1->SetFocus();
    Application->ProcessMessages();
    TInputSimulator::KeyPress('A', {}, FormWindow());
    EXPECT_EQ(keys.downs, 0);
    designer->SetRoot(nullptr);
    form->Button1->SetFocus();
    TInputSimulator::KeyPress('A', {}, FormWindow());
    EXPECT_EQ(keys.downs, 1);
}

TEST_F(Designing, AFailedSwitchKeepsDesigningThePreviousRoot) {
    // An inspector that refuses one root makes the switch fail halfway.
    struct TRefusingInspector : TRecordingInspector {
        TComponent* Refused = nullptr;
        void SetInspectedRoot(TComponent* root) override {
            if (root && root == Refused) throw Exception("refused");
            TRecordingInspector::SetInspectedRoot(root);
        }
    };
    auto* refusing = new TRefusingInspector;
    refusing->Refused = form->Panel1;
    designer->SetInspector(refusing);
    Click({20, 40});
    EXPECT_THROW(designer->SetRoot(form->Panel1), Exception);
    EXPECT_EQ(designer->Root(), form);
    EXPECT_EQ(refusing->Root, form);
    EXPECT_EQ(form->Designer(), designer);
    EXPECT_EQ(designer->Placeholders().Count(), 2);
    Click({20, 70});
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button2});
    designer->SetRoot(nullptr);
    designer->SetInspector(inspector);
    delete refusing;
}
