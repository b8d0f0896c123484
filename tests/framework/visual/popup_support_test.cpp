// The window facilities drop-down lists build on: windows that never activate, the cancel-mode notice of
// presses, key-downs taken from their window that still type characters, the caret position and window
// timers. Real Qt input through TInputSimulator.
#include "../../make_control.h"
#include "ui/Application.h"
#include "ui/CustomControl.h"
#include "ui/Form.h"
#include "ui/InputSimulator.h"
#include "ui/Windows.h"
#include "widgets/Edit.h"
#include "widgets/Panel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A top-level window that never takes the activation or the focus, and logs what it hears.
class TFloater : public TCustomControl {
    FW_CLASS(TFloater, TCustomControl)
public:
    explicit TFloater(TComponent* owner) : TCustomControl(owner) { SetVisible(false); }
    std::vector<UINT> seen;
    void WndProc(TMessage& m) override {
        seen.push_back(m.Msg);
        TCustomControl::WndProc(m);
    }

protected:
    void CreateParams(TCreateParams& params) override {
        TCustomControl::CreateParams(params);
        params.Style &= ~(WS_CHILD | WS_POPUP);
        params.WndParent = nullptr;
        params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    }
};

// Logs the messages reaching a control after its own window procedure was replaced.
struct Spy {
    TWinControl* control = nullptr;
    TWndMethod saved;
    std::vector<std::string> log;
    bool takeKeys = false;
    bool translate = false;
    TWinControl* translateFor = nullptr; // the window named when translating; the spied control when null
    void Proc(TMessage& m) {
        if (m.Msg == CM_CANCELMODE) {
            auto* sender = TCMCancelMode::From(m).Sender;
            log.push_back("cancel " + (sender ? sender->Name() : std::string("?")));
        }
        if (m.Msg == WM_TIMER) log.push_back("timer " + std::to_string(m.WParam));
        if (takeKeys && m.Msg == WM_KEYDOWN) {
            log.push_back("keydown");
            if (translate) TranslateKeyDown((translateFor ? translateFor : control)->Handle(), m);
            return;
        }
        if (takeKeys && m.Msg == WM_CHAR) {
            log.push_back(std::string("char ") + static_cast<char>(m.WParam));
            return;
        }
        saved(m);
    }
    void Attach(TWinControl* c) {
        control = c;
        saved = c->WindowProc;
        c->WindowProc = TWndMethod::Bind<&Spy::Proc>(this);
    }
    ~Spy() {
        if (control) control->WindowProc = saved;
    }
};

struct PopupSupport : ::testing::Test {
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(50, 50, 300, 200);
        panel = Make<TPanel>(form, "Panel1", form, 0, 0, 300, 100);
        edit = Make<TEdit>(form, "Edit1", panel, 10, 10, 150, 21);
        other = Make<TEdit>(form, "Edit2", form, 10, 150, 150, 21);
        edit->SetText("");
        form->Show();
        edit->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override {
        delete form;
        Application->ProcessMessages();
    }
    TForm* form = nullptr;
    TPanel* panel = nullptr;
    TEdit* edit = nullptr;
    TEdit* other = nullptr;
};

} // namespace

FW_PUBLISH(TFloater) {
}

TEST_F(PopupSupport, AWindowThatNeverActivatesLeavesTheFocusWhereItIs) {
    auto* floater = new TFloater(form);
    floater->SetBounds(400, 300, 80, 60);
    SetWindowPos(floater->Handle(), HWND_TOP, 400, 300, 80, 60, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Application->ProcessMessages();
    EXPECT_TRUE(IsWindowVisible(floater->Handle()));
    EXPECT_EQ(GetWindowRect(floater->Handle()), (TRect{400, 300, 480, 360})) << "no frame around it";
    EXPECT_TRUE(edit->Focused());

    TInputSimulator::Click(floater->Handle(), {10, 10});
    EXPECT_TRUE(edit->Focused()) << "a click on it does not take the focus";
    const auto& seen = floater->seen;
    EXPECT_NE(std::find(seen.begin(), seen.end(), WM_LBUTTONDOWN), seen.end()) << "but it hears the click";
    ShowWindow(floater->Handle(), SW_HIDE);
    ShowWindow(floater->Handle(), SW_SHOWNA);
    Application->ProcessMessages();
    EXPECT_TRUE(edit->Focused());
    delete floater;
}

TEST_F(PopupSupport, APressTellsTheActiveControlAndItsContainersWhoWasPressed) {
    Spy onEdit, onPanel, onForm;
    onEdit.Attach(edit);
    onPanel.Attach(panel);
    onForm.Attach(form);
    TInputSimulator::Click(edit->Handle(), {5, 5});
    EXPECT_EQ(onEdit.log, std::vector<std::string>{"cancel Edit1"});
    EXPECT_EQ(onPanel.log, std::vector<std::string>{"cancel Edit1"});
    EXPECT_TRUE(onForm.log.empty()) << "the form itself is not told";

    // The press on the other edit focuses it first: it is the active control now, outside the panel.
    Spy onOther;
    onOther.Attach(other);
    TInputSimulator::Click(other->Handle(), {5, 5}, mbRight);
    EXPECT_EQ(onOther.log, std::vector<std::string>{"cancel Edit2"});
    EXPECT_EQ(onEdit.log.size(), 1u);
    EXPECT_EQ(onPanel.log.size(), 1u);
}

TEST_F(PopupSupport, AKeyDownTakenFromItsWindowTypesItsCharactersOnlyWhenTranslated) {
    Spy spy;
    spy.Attach(edit);
    spy.takeKeys = true;
    TInputSimulator::TypeText("a", edit->Handle());
    EXPECT_EQ(spy.log, std::vector<std::string>{"keydown"}) << "a swallowed key-down types nothing";
    spy.log.clear();
    spy.translate = true;
    TInputSimulator::TypeText("b", edit->Handle());
    EXPECT_EQ(spy.log, (std::vector<std::string>{"keydown", "char b"}));
    EXPECT_EQ(edit->Text(), "") << "the edit itself got neither";
    EXPECT_FALSE(TranslateKeyDown(edit->Handle(), TMessage{WM_KEYDOWN, VK_SPACE, 0, 0}))
        << "outside a key-down";
    // The key-down belongs to the window it came from: naming another window translates nothing.
    spy.log.clear();
    spy.translateFor = other;
    TInputSimulator::TypeText("c", edit->Handle());
    EXPECT_EQ(spy.log, std::vector<std::string>{"keydown"});
    EXPECT_EQ(other->Text(), "Edit2") << "nor did the window named";
}

TEST_F(PopupSupport, TheCaretPositionFollowsTheTextCursor) {
    edit->SetText("wide text here");
    TPoint start, end;
    edit->SetSelStart(0);
    ASSERT_TRUE(GetCaretPos(start));
    edit->SetSelStart(14);
    ASSERT_TRUE(GetCaretPos(end));
    EXPECT_GT(end.X, start.X + 30);
    EXPECT_EQ(end.Y, start.Y);
    EXPECT_GE(start.Y, 0);
    EXPECT_LT(start.Y, edit->Height());
}

TEST_F(PopupSupport, TimersPostTheirIdUntilKilled) {
    Spy spy;
    spy.Attach(edit);
    ASSERT_TRUE(SetTimer(edit->Handle(), 7, 0));
    for (int i = 0; i < 50 && spy.log.empty(); ++i)
        Application->ProcessMessages();
    ASSERT_FALSE(spy.log.empty());
    EXPECT_EQ(spy.log.front(), "timer 7");
    EXPECT_TRUE(KillTimer(edit->Handle(), 7));
    EXPECT_FALSE(KillTimer(edit->Handle(), 7));
    spy.log.clear();
    for (int i = 0; i < 5; ++i)
        Application->ProcessMessages();
    EXPECT_TRUE(spy.log.empty());
}
