// The message layer over Qt: window procedures, hooks, graphic children, capture, painting, the xor
// device context, modal forms. Input is real Qt input sent through TInputSimulator.
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "ui/Application.h"
#include "ui/CustomControl.h"
#include "ui/Form.h"
#include "ui/GraphicControl.h"
#include "ui/InputSimulator.h"
#include "ui/ModalLoop.h"
#include "ui/Windows.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A windowed control that fills itself with one colour and logs the messages its window procedure sees.
class TSwatch : public TCustomControl {
    FW_CLASS(TSwatch, TCustomControl)
public:
    explicit TSwatch(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
    TColor Fill = clRed;
    std::vector<UINT> seen;
    void WndProc(TMessage& m) override {
        seen.push_back(m.Msg);
        TCustomControl::WndProc(m);
    }

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(ClientRect());
    }
};

// A graphic control that paints a blue square and counts clicks.
class TDot : public TGraphicControl {
    FW_CLASS(TDot, TGraphicControl)
public:
    explicit TDot(TComponent* owner) : TGraphicControl(owner) {}
    int downs = 0;
    TPoint lastDown;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect({0, 0, Width(), Height()});
    }
    void MouseDown(TMouseButton, TShiftState, int x, int y) override {
        ++downs;
        lastDown = {x, y};
    }
};

} // namespace

FW_PUBLISH(TSwatch) {
}
FW_PUBLISH(TDot) {
}

namespace {

struct Fixture : ::testing::Test {
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(50, 50, 200, 150);
        swatch = new TSwatch(form);
        swatch->SetParent(form);
        swatch->SetBounds(10, 10, 40, 30);
        dot = new TDot(form);
        dot->SetParent(form);
        dot->SetBounds(100, 20, 20, 20);
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        delete form;
        Application->ProcessMessages();
    }
    TColor PixelAt(TWinControl* control, int x, int y) {
        TBitmap bitmap;
        GrabWindow(control->Handle(), bitmap);
        return bitmap.Canvas()->Pixels(x, y);
    }
    TForm* form = nullptr;
    TSwatch* swatch = nullptr;
    TDot* dot = nullptr;
};

using Windows = Fixture;

TEST_F(Windows, ControlsPaintThemselvesAndGraphicChildrenOnTheParent) {
    EXPECT_EQ(PixelAt(form, 15, 15), clRed) << "the windowed child";
    EXPECT_EQ(PixelAt(form, 105, 25), clBlue) << "the graphic child, painted by the form";
    EXPECT_EQ(ColorToRGB(PixelAt(form, 80, 100)), ColorToRGB(clBtnFace)) << "the form's background";
}

// Window procedures are replaced and restored in reverse order; every replacement sees the message.
struct Chain {
    TWndMethod saved;
    std::vector<std::string>* log;
    std::string name;
    void Proc(TMessage& m) {
        if (m.Msg == WM_LBUTTONDOWN) log->push_back(name);
        saved(m);
    }
};

} // namespace

FW_EVENT_TYPE(TChainProc, void(TMessage& Message));

namespace {

TEST_F(Windows, WindowProcChainsRunNewestFirstAndRestoreExactly) {
    std::vector<std::string> log;
    const TWndMethod original = swatch->WindowProc;
    auto first = std::make_unique<Chain>(Chain{swatch->WindowProc, &log, "first"});
    swatch->WindowProc = TWndMethod(TMethod{MethodCode<&Chain::Proc>(), first.get()});
    auto second = std::make_unique<Chain>(Chain{swatch->WindowProc, &log, "second"});
    swatch->WindowProc = TWndMethod(TMethod{MethodCode<&Chain::Proc>(), second.get()});

    TInputSimulator::Click(swatch->Handle(), {5, 5});
    EXPECT_EQ(log, (std::vector<std::string>{"second", "first"}));
    EXPECT_NE(std::find(swatch->seen.begin(), swatch->seen.end(), WM_LBUTTONDOWN), swatch->seen.end());

    swatch->WindowProc = second->saved;
    swatch->WindowProc = first->saved;
    EXPECT_EQ(swatch->WindowProc.Method(), original.Method());
}

// Get-message hooks see posted input first and can consume it.
HHOOK hook = nullptr;
std::vector<MSG> hooked;
bool consumeDowns = false;
LRESULT CALLBACK_GetMessage(int code, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CallNextHookEx(hook, code, wParam, lParam);
    auto* msg = &HookRecord<MSG>(lParam);
    hooked.push_back(*msg);
    if (consumeDowns && msg->message == WM_LBUTTONDOWN) msg->message = WM_NULL;
    return result;
}

TEST_F(Windows, GetMessageHookSeesInputFirstAndCanConsumeIt) {
    hooked.clear();
    consumeDowns = false;
    hook = SetWindowsHookEx(WH_GETMESSAGE, &CALLBACK_GetMessage);
    ASSERT_NE(hook, nullptr);
    swatch->seen.clear();
    TInputSimulator::MouseDown(swatch->Handle(), {7, 9});
    ASSERT_FALSE(hooked.empty());
    EXPECT_EQ(hooked.back().message, WM_LBUTTONDOWN);
    EXPECT_EQ(hooked.back().hwnd, swatch->Handle());
    EXPECT_EQ(PointFromLParam(hooked.back().lParam), (TPoint{7, 9}));
    EXPECT_EQ(hooked.back().pt, swatch->ClientToScreen({7, 9}));
    EXPECT_NE(std::find(swatch->seen.begin(), swatch->seen.end(), WM_LBUTTONDOWN), swatch->seen.end());
    TInputSimulator::MouseUp(swatch->Handle(), {7, 9});

    consumeDowns = true;
    swatch->seen.clear();
    TInputSimulator::MouseDown(swatch->Handle(), {7, 9});
    EXPECT_EQ(std::find(swatch->seen.begin(), swatch->seen.end(), WM_LBUTTONDOWN), swatch->seen.end())
        << "a consumed message never reaches the control";
    TInputSimulator::MouseUp(swatch->Handle(), {7, 9});
    EXPECT_TRUE(UnhookWindowsHookEx(hook));
    EXPECT_FALSE(UnhookWindowsHookEx(hook));
}

TEST_F(Windows, GraphicChildrenGetTheirMouseMessagesFromTheParent) {
    TInputSimulator::Click(form->Handle(), {105, 27});
    EXPECT_EQ(dot->downs, 1);
    EXPECT_EQ(dot->lastDown, (TPoint{5, 7})) << "in the graphic control's own coordinates";
    TInputSimulator::Click(dot, {1, 2});
    EXPECT_EQ(dot->downs, 2);
}

TEST_F(Windows, CaptureSendsEverythingToOneWindowAndCancelModeOnLoss) {
    SetCapture(swatch->Handle());
    EXPECT_EQ(GetCapture(), swatch->Handle());
    swatch->seen.clear();
    TInputSimulator::MouseMove(form->Handle(), {150, 100});
    EXPECT_NE(std::find(swatch->seen.begin(), swatch->seen.end(), WM_MOUSEMOVE), swatch->seen.end());
    auto* other = new TSwatch(form);
    other->SetParent(form);
    SetCapture(other->Handle());
    EXPECT_NE(std::find(swatch->seen.begin(), swatch->seen.end(), WM_CANCELMODE), swatch->seen.end());
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Windows, TheCursorShownIsThatOfTheWindowTheMouseWentTo) {
    // Another top-level window lies over the swatch's place on the screen; the mouse goes to the swatch
    // all the same (the simulated input names its window). The cursor reported is the swatch's, as it
    // would be on a desktop where the pointer is in the swatch.
    swatch->SetCursor(crCross);
    auto cover = std::make_unique<TForm>(nullptr);
    cover->SetBounds(0, 0, 400, 300);
    cover->SetCursor(crHelp);
    cover->Show();
    Application->ProcessMessages();
    for (const TPoint point : {TPoint{5, 5}, TPoint{35, 25}}) {
        TInputSimulator::Click(swatch->Handle(), point);
        EXPECT_EQ(GetCursor(), crCross) << point.X << "," << point.Y;
    }
    TInputSimulator::MouseMove(cover->Handle(), {300, 250});
    EXPECT_EQ(GetCursor(), crHelp) << "the pointer in the covering window";
}

TEST_F(Windows, ClipCursorKeepsReportedPointsInside) {
    const TPoint origin = form->ClientToScreen({0, 0});
    TRect clip = TRect::FromBounds(origin.X + 10, origin.Y + 10, 50, 50);
    ClipCursor(&clip);
    hooked.clear();
    hook = SetWindowsHookEx(WH_GETMESSAGE, &CALLBACK_GetMessage);
    consumeDowns = false;
    TInputSimulator::MouseMove(form->Handle(), {150, 120});
    UnhookWindowsHookEx(hook);
    ClipCursor(nullptr);
    ASSERT_FALSE(hooked.empty());
    EXPECT_EQ(hooked.back().pt, (TPoint{origin.X + 59, origin.Y + 59}));
}

TEST_F(Windows, XorDeviceContextDrawsAndErasesFigures) {
    const TColor before = PixelAt(form, 150, 60);
    HDC dc = GetDC(form->Handle());
    dc->Pen()->SetMode(pmNot);
    dc->Rectangle(140, 50, 170, 80);
    ReleaseDC(form->Handle(), dc);
    const TColor drawn = PixelAt(form, 140, 60);
    EXPECT_EQ(ColorToRGB(drawn), ColorToRGB(before) ^ 0xFFFFFF) << "inverted";
    dc = GetDC(form->Handle());
    dc->Pen()->SetMode(pmNot);
    dc->Rectangle(140, 50, 170, 80);
    ReleaseDC(form->Handle(), dc);
    EXPECT_EQ(PixelAt(form, 140, 60), before) << "drawn twice is gone";
}

TEST_F(Windows, WindowUserDataParentsAndGeometry) {
    HWND h = swatch->Handle();
    EXPECT_EQ(SetWindowLong(h, GWL_USERDATA, 197131), 0);
    EXPECT_EQ(GetWindowLong(h, GWL_USERDATA), 197131);
    EXPECT_EQ(GetParent(h), form->Handle());
    EXPECT_TRUE(IsChild(form->Handle(), h));
    EXPECT_FALSE(IsChild(h, form->Handle()));
    EXPECT_EQ(GetClientRect(h), (TRect{0, 0, 40, 30}));
    TPoint p{3, 4};
    MapWindowPoints(h, form->Handle(), &p, 1);
    EXPECT_EQ(p, (TPoint{13, 14}));
    swatch->SetBounds(20, 25, 50, 35);
    EXPECT_EQ(GetWindowRect(h),
              TRect::FromBounds(form->ClientToScreen({20, 25}).X, form->ClientToScreen({20, 25}).Y, 50, 35));
    EXPECT_TRUE(IsWindowVisible(h));
    swatch->Hide();
    EXPECT_FALSE(IsWindowVisible(h));
}

TEST_F(Windows, SetWindowPosReportsWhatChanged) {
    std::vector<UINT> flags;
    swatch->seen.clear();
    SetWindowPos(swatch->Handle(), nullptr, 30, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(swatch->Left(), 30);
    EXPECT_EQ(swatch->Width(), 40);
    EXPECT_NE(std::find(swatch->seen.begin(), swatch->seen.end(), WM_WINDOWPOSCHANGING), swatch->seen.end());
    EXPECT_NE(std::find(swatch->seen.begin(), swatch->seen.end(), WM_WINDOWPOSCHANGED), swatch->seen.end());
}

// A graphic control has no window, but its window procedure hears its bounds changes (without a record).
struct PositionLog {
    TWndMethod saved;
    std::vector<LPARAM> changes;
    void Proc(TMessage& m) {
        if (m.Msg == WM_WINDOWPOSCHANGED) changes.push_back(m.LParam);
        saved(m);
    }
};

TEST_F(Windows, GraphicControlsReportBoundsChangesToTheirWindowProcedure) {
    PositionLog log{dot->WindowProc, {}};
    dot->WindowProc = TWndMethod(TMethod{MethodCode<&PositionLog::Proc>(), &log});
    dot->SetBounds(110, 20, 20, 20);
    dot->SetWidth(30);
    dot->SetBounds(110, 20, 30, 20); // unchanged
    dot->WindowProc = log.saved;
    EXPECT_EQ(log.changes, (std::vector<LPARAM>{0, 0}));
}

TEST_F(Windows, ShowModalReturnsTheResultSetInsideTheLoop) {
    auto* dialog = new TForm(nullptr);
    TModalDriver::QueueAction([](TObject* window) {
        auto* f = dynamic_cast<TCustomForm*>(window);
        ASSERT_NE(f, nullptr);
        EXPECT_TRUE(f->Visible());
        f->SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_FALSE(dialog->Visible());

    TModalDriver::QueueAction([](TObject* window) {
        TInputSimulator::KeyPress(VK_ESCAPE, {}, static_cast<TCustomForm*>(window)->Handle());
    });
    EXPECT_EQ(dialog->ShowModal(), mrCancel) << "Escape without a cancel button";

    TModalDriver::QueueAction([](TObject* window) { static_cast<TCustomForm*>(window)->Close(); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel) << "the close box";
    delete dialog;
}

TEST_F(Windows, KeysReachTheFocusedControlAndCanBeSwallowed) {
    swatch->SetFocus();
    Application->ProcessMessages();
    std::vector<uint16_t> keys;
    swatch->seen.clear();
    TInputSimulator::KeyPress('A');
    EXPECT_NE(std::find(swatch->seen.begin(), swatch->seen.end(), WM_KEYDOWN), swatch->seen.end());
    EXPECT_NE(std::find(swatch->seen.begin(), swatch->seen.end(), WM_CHAR), swatch->seen.end());
    EXPECT_NE(std::find(swatch->seen.begin(), swatch->seen.end(), WM_KEYUP), swatch->seen.end());
}

// A windowed control freed on its own leaves its parent's tab order: the siblings after it move up, and
// walking the tab order never meets the freed control.
TEST_F(Windows, AFreedWindowedControlLeavesItsParentsTabOrder) {
    auto* second = new TSwatch(form);
    second->SetParent(form);
    auto* third = new TSwatch(form);
    third->SetParent(form);
    EXPECT_EQ(third->TabOrder(), 2);
    delete second;
    EXPECT_EQ(swatch->TabOrder(), 0);
    EXPECT_EQ(third->TabOrder(), 1);
    std::vector<TWinControl*> order;
    form->GetTabOrderList(order);
    EXPECT_EQ(order, (std::vector<TWinControl*>{swatch, third}));
}

} // namespace
