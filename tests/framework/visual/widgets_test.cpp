// Standard controls driven by real input: buttons, default and cancel keys, modal results, check boxes,
// radio groups, edits, speed-button groups, label accelerators and disabled controls.
#include "widgets_support.h"

#include "ui/ModalLoop.h"

namespace {

using namespace widgets_test;

using Buttons = WidgetTest;

TEST_F(Buttons, AMouseClickOrSpaceFiresOnClickOnce) {
    TEventLog log;
    auto* button = Add<TButton>("Button1", {10, 10, 85, 35});
    button->OnClick = ClickTo(log);
    Show();
    TInputSimulator::Click(button, {20, 10});
    EXPECT_EQ(log.entries, (std::vector<std::string>{"click Button1"}));
    Focus(button);
    TInputSimulator::KeyPress(VK_SPACE);
    EXPECT_EQ(log.Count("click Button1"), 2);
    TInputSimulator::MouseDown(button->Handle(), {20, 10});
    TInputSimulator::MouseUp(form->Handle(), {200, 200});
    EXPECT_EQ(log.Count("click Button1"), 2) << "released outside the button";
}

// Enter clicks the focused button, else the default one; Escape clicks the cancel button.
TEST_F(Buttons, EnterAndEscapeClickTheDefaultAndCancelButtons) {
    TEventLog log;
    auto* ok = Add<TButton>("OkButton", {10, 10, 85, 35});
    auto* cancel = Add<TButton>("CancelButton", {90, 10, 165, 35});
    auto* other = Add<TButton>("OtherButton", {170, 10, 245, 35});
    auto* edit = Add<TEdit>("Edit1", {10, 50, 130, 71});
    ok->SetDefault(true);
    cancel->SetCancel(true);
    for (TButton* b : {ok, cancel, other})
        b->OnClick = ClickTo(log);
    Show();

    Focus(edit);
    TInputSimulator::KeyPress(VK_RETURN);
    TInputSimulator::KeyPress(VK_ESCAPE);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"click OkButton", "click CancelButton"}));
    EXPECT_EQ(edit->Text(), "") << "the edit never saw the keys";

    log.entries.clear();
    Focus(other);
    TInputSimulator::KeyPress(VK_RETURN);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"click OtherButton"})) << "the focused button";

    log.entries.clear();
    ok->SetEnabled(false);
    Focus(edit);
    TInputSimulator::KeyPress(VK_RETURN);
    EXPECT_TRUE(log.entries.empty()) << "a disabled default button";
}

struct ModalCase {
    const char* name;
    TModalResult buttonResult;
    TBitBtnKind kind; // bkCustom: a plain TButton with buttonResult
    uint16_t key;     // 0: click the button
    TModalResult expected;
};

class ModalResults : public WidgetTest, public ::testing::WithParamInterface<ModalCase> {};

TEST_P(ModalResults, ButtonsEndShowModalWithTheirResult) {
    const ModalCase& c = GetParam();
    auto* dialog = new TForm(nullptr);
    TButton* button = c.kind == bkCustom ? new TButton(dialog) : new TBitBtn(dialog);
    button->SetParent(dialog);
    button->SetBounds(10, 10, 75, 25);
    if (c.kind == bkCustom)
        button->SetModalResult(c.buttonResult);
    else
        static_cast<TBitBtn*>(button)->SetKind(c.kind);
    auto* edit = new TEdit(dialog); // has the focus
    edit->SetParent(dialog);
    edit->SetBounds(100, 10, 75, 21);
    dialog->SetActiveControl(edit);
    const uint16_t key = c.key;
    TModalDriver::QueueAction([button, key, dialog](TObject*) {
        if (key) {
            TInputSimulator::KeyPress(key, {}, dialog->Handle());
            if (dialog->ModalResult() == mrNone)
                dialog->SetModalResult(TModalResult(99)); // the key did nothing
        } else {
            TInputSimulator::Click(button, {10, 10});
        }
    });
    EXPECT_EQ(dialog->ShowModal(), c.expected);
    delete dialog;
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ModalResults,
    ::testing::Values(ModalCase{"ClickOk", mrOk, bkCustom, 0, mrOk},
                      ModalCase{"ClickRetry", mrRetry, bkCustom, 0, mrRetry},
                      ModalCase{"ClickYesKind", mrNone, bkYes, 0, mrYes},
                      ModalCase{"ClickAbortKind", mrNone, bkAbort, 0, mrAbort},
                      // Enter reaches the OK kind only because it is the default button.
                      ModalCase{"EnterOkKind", mrNone, bkOK, VK_RETURN, mrOk},
                      ModalCase{"EscapeCancelKind", mrNone, bkCancel, VK_ESCAPE, mrCancel},
                      ModalCase{"EscapeNoKind", mrNone, bkNo, VK_ESCAPE, mrNo},
                      ModalCase{"EnterWithoutDefault", mrIgnore, bkCustom, VK_RETURN, TModalResult(99)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Buttons, BitBtnKindsSetCaptionResultAndRoleUntilChanged) {
    auto* b = Add<TBitBtn>("BitBtn1", {10, 10, 85, 35});
    struct Row {
        TBitBtnKind kind;
        const char* caption;
        TModalResult result;
        bool isDefault, isCancel;
    };
    for (const Row& r : {Row{bkOK, "OK", mrOk, true, false}, Row{bkCancel, "Cancel", mrCancel, false, true},
                         Row{bkHelp, "&Help", mrNone, false, false}, Row{bkYes, "&Yes", mrYes, true, false},
                         Row{bkNo, "&No", mrNo, false, true}, Row{bkClose, "&Close", mrNone, false, false},
                         Row{bkAll, "&All", mrAll, false, false}}) {
        b->SetKind(r.kind);
        EXPECT_EQ(b->Kind(), r.kind);
        EXPECT_EQ(b->Caption(), r.caption);
        EXPECT_EQ(b->ModalResult(), r.result) << r.caption;
        EXPECT_EQ(b->Default(), r.isDefault) << r.caption;
        EXPECT_EQ(b->Cancel(), r.isCancel) << r.caption;
        EXPECT_EQ(b->Glyph()->Width(), 18) << r.caption;
    }
    b->SetKind(bkOK);
    b->SetModalResult(mrRetry);
    EXPECT_EQ(b->Kind(), bkCustom) << "a changed modal result";
    b->SetKind(bkOK);
    b->Glyph()->SetSize(4, 4);
    EXPECT_EQ(b->Kind(), bkCustom) << "a changed glyph";
}

TEST_F(Buttons, ACloseKindButtonClosesItsForm) {
    auto* other = new TForm(nullptr);
    auto* close = new TBitBtn(other);
    close->SetParent(other);
    close->SetBounds(10, 10, 75, 25);
    close->SetKind(bkClose);
    TEventLog log;
    close->SetName("CloseButton");
    close->OnClick = ClickTo(log);
    other->Show();
    Application->ProcessMessages();
    TInputSimulator::Click(close, {10, 10});
    EXPECT_EQ(log.entries, (std::vector<std::string>{"click CloseButton"}));
    EXPECT_FALSE(other->Visible());
    delete other;
}

using CheckBoxes = WidgetTest;

TEST_F(CheckBoxes, ClickAndSpaceMoveThroughTheStates) {
    TEventLog log;
    auto* box = Add<TCheckBox>("CheckBox1", {10, 10, 110, 27});
    box->OnClick = ClickTo(log);
    Show();
    TInputSimulator::Click(box, {5, 8});
    EXPECT_TRUE(box->Checked());
    Focus(box);
    TInputSimulator::KeyPress(VK_SPACE);
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(log.Count("click CheckBox1"), 2);

    box->SetAllowGrayed(true);
    std::vector<TCheckBoxState> seen;
    for (int i = 0; i < 3; ++i) {
        TInputSimulator::Click(box, {5, 8});
        seen.push_back(box->State());
    }
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));

    box->SetChecked(true);
    box->SetState(cbGrayed);
    EXPECT_EQ(log.Count("click CheckBox1"), 5) << "setting the state is not a click";
}

using RadioButtons = WidgetTest;

TEST_F(RadioButtons, CheckingOneUnchecksItsSiblingsOnly) {
    TEventLog log;
    auto* a1 = Add<TRadioButton>("A1", {10, 10, 110, 27});
    auto* a2 = Add<TRadioButton>("A2", {10, 30, 110, 47});
    auto* box = Add<TGroupBox>("GroupBox1", {130, 10, 300, 120});
    auto* b1 = Add<TRadioButton>("B1", box, {10, 20, 110, 37});
    auto* b2 = Add<TRadioButton>("B2", box, {10, 40, 110, 57});
    for (TRadioButton* r : {a1, a2, b1, b2})
        r->OnClick = ClickTo(log);
    a1->SetChecked(true);
    b1->SetChecked(true);
    Show();

    TInputSimulator::Click(a2, {5, 8});
    TInputSimulator::Click(b2, {5, 8});
    EXPECT_FALSE(a1->Checked());
    EXPECT_TRUE(a2->Checked());
    EXPECT_FALSE(b1->Checked());
    EXPECT_TRUE(b2->Checked());
    EXPECT_EQ(log.entries, (std::vector<std::string>{"click A2", "click B2"}));

    TInputSimulator::Click(a2, {5, 8});
    EXPECT_TRUE(a2->Checked()) << "clicking the checked button leaves it checked";
    EXPECT_TRUE(a2->TabStop());
    EXPECT_FALSE(a1->TabStop()) << "only the checked button is a tab stop";

    a1->SetChecked(true);
    EXPECT_FALSE(a2->Checked());
    EXPECT_TRUE(b2->Checked());
    a1->SetChecked(false);
    EXPECT_FALSE(a1->Checked() || a2->Checked()) << "the program may leave none checked";
}

TEST_F(RadioButtons, ArrowKeysMoveCheckAndClickWithinTheGroup) {
    TEventLog log;
    auto* r1 = Add<TRadioButton>("R1", {10, 10, 110, 27});
    auto* r2 = Add<TRadioButton>("R2", {10, 30, 110, 47});
    auto* r3 = Add<TRadioButton>("R3", {10, 50, 110, 67});
    for (TRadioButton* r : {r1, r2, r3})
        r->OnClick = ClickTo(log);
    r1->SetChecked(true);
    Show();
    Focus(r1);
    TInputSimulator::KeyPress(VK_DOWN);
    EXPECT_TRUE(r2->Checked());
    EXPECT_TRUE(r2->Focused());
    TInputSimulator::KeyPress(VK_UP);
    TInputSimulator::KeyPress(VK_UP);
    EXPECT_TRUE(r3->Checked()) << "wraps round";
    EXPECT_FALSE(r1->Checked() || r2->Checked());
    EXPECT_EQ(log.entries, (std::vector<std::string>{"click R2", "click R1", "click R3"}));
}

using Edits = WidgetTest;

TEST_F(Edits, TypingChangesTextFiresOnChangeAndSetsModified) {
    TEventLog log;
    auto* edit = Add<TEdit>("Edit1", {10, 10, 130, 31});
    edit->OnChange = ChangeTo(log);
    Show();
    Focus(edit);
    TInputSimulator::TypeText("Hi 5");
    EXPECT_EQ(edit->Text(), "Hi 5");
    EXPECT_EQ(log.Count("change Edit1"), 4);
    EXPECT_TRUE(edit->Modified());
    TInputSimulator::KeyPress(VK_BACK);
    EXPECT_EQ(edit->Text(), "Hi ");

    edit->SetText("set");
    EXPECT_FALSE(edit->Modified()) << "the program's text is not a modification";
    EXPECT_EQ(log.Count("change Edit1"), 6);
    edit->SetModified(true);
    EXPECT_TRUE(edit->Modified());
}

TEST_F(Edits, ReadOnlyCharCaseAndMaxLengthShapeWhatIsEntered) {
    auto* edit = Add<TEdit>("Edit1", {10, 10, 130, 31});
    edit->SetCharCase(ecUpperCase);
    edit->SetMaxLength(5);
    Show();
    Focus(edit);
    TInputSimulator::TypeText("abcdefg");
    EXPECT_EQ(edit->Text(), "ABCDE");
    edit->SetCharCase(ecLowerCase);
    EXPECT_EQ(edit->Text(), "abcde") << "the text already there follows";
    edit->SetText("Overlong text");
    EXPECT_EQ(edit->Text(), "overl");
    edit->SetReadOnly(true);
    TInputSimulator::TypeText("x");
    EXPECT_EQ(edit->Text(), "overl");
    EXPECT_FALSE(edit->Modified());
}

TEST_F(Edits, SelectionWorksInUtf8BytesWithAndWithoutAWindow) {
    for (bool shown : {false, true}) {
        SCOPED_TRACE(shown ? "with a window" : "without a window");
        auto* edit = new TEdit(form);
        if (shown) {
            edit->SetParent(form);
            Show();
        }
        edit->SetText("a\xC3\xA9z-end"); // "aéz-end": é takes two bytes
        edit->SetSelStart(1);
        edit->SetSelLength(3);
        EXPECT_EQ(edit->SelStart(), 1);
        EXPECT_EQ(edit->SelLength(), 3);
        EXPECT_EQ(edit->SelText(), "\xC3\xA9z");
        edit->SetSelStart(2); // inside é: moves back to its start
        EXPECT_EQ(edit->SelStart(), 1);
        edit->SetSelLength(2);
        edit->SetSelText("E");
        EXPECT_EQ(edit->Text(), "aEz-end");
        edit->SelectAll();
        EXPECT_EQ(edit->SelLength(), 7);
        delete edit;
    }
}

TEST_F(Edits, EnteringByTabSelectsTheWholeText) {
    auto* first = Add<TEdit>("Edit1", {10, 10, 130, 31});
    auto* second = Add<TEdit>("Edit2", {10, 40, 130, 61});
    second->SetText("all of it");
    Show();
    Focus(first);
    TInputSimulator::KeyPress(VK_TAB);
    EXPECT_TRUE(second->Focused());
    EXPECT_EQ(second->SelText(), "all of it");
    TInputSimulator::TypeText("n");
    EXPECT_EQ(second->Text(), "n");
}

TEST_F(Edits, APasswordCharHidesEveryCharacter) {
    auto* hidden = Add<TEdit>("Edit1", {10, 10, 130, 31});
    auto* shown = Add<TEdit>("Edit2", {10, 40, 130, 61});
    hidden->SetText("abc");
    hidden->SetPasswordChar('*');
    shown->SetText("***");
    auto* elsewhere = Add<TButton>("Button1", {10, 70, 85, 95});
    Show();
    Focus(elsewhere); // neither edit shows a caret or a selection
    TBitmap a, b;
    GrabWindow(hidden->Handle(), a);
    GrabWindow(shown->Handle(), b);
    int differing = 0;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 120; ++x)
            differing += a.Canvas()->Pixels(x, y) != b.Canvas()->Pixels(x, y) ? 1 : 0;
    EXPECT_EQ(differing, 0) << "drawn as three stars";
    EXPECT_EQ(hidden->Text(), "abc");
    hidden->SetPasswordChar(0);
    GrabWindow(hidden->Handle(), a);
    differing = 0;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 120; ++x)
            differing += a.Canvas()->Pixels(x, y) != b.Canvas()->Pixels(x, y) ? 1 : 0;
    EXPECT_GT(differing, 0) << "the text itself again";
}

using SpeedButtons = WidgetTest;

TEST_F(SpeedButtons, AGroupKeepsOneButtonDown) {
    TEventLog log;
    auto* s1 = Add<TSpeedButton>("S1", {10, 10, 33, 32});
    auto* s2 = Add<TSpeedButton>("S2", {33, 10, 56, 32});
    auto* plain = Add<TSpeedButton>("Plain", {60, 10, 83, 32});
    for (TSpeedButton* s : {s1, s2}) {
        s->SetGroupIndex(1);
        s->OnClick = ClickTo(log);
    }
    plain->OnClick = ClickTo(log);
    Show();

    TInputSimulator::Click(s1, {5, 5});
    EXPECT_TRUE(s1->Down());
    TInputSimulator::Click(s2, {5, 5});
    EXPECT_TRUE(s2->Down());
    EXPECT_FALSE(s1->Down());
    TInputSimulator::Click(s2, {5, 5});
    EXPECT_TRUE(s2->Down()) << "without AllowAllUp one stays down";
    s1->SetAllowAllUp(true);
    TInputSimulator::Click(s2, {5, 5});
    EXPECT_FALSE(s2->Down()) << "AllowAllUp is shared by the group";

    TInputSimulator::Click(plain, {5, 5});
    EXPECT_FALSE(plain->Down());
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down()) << "no group, never down";
    EXPECT_EQ(log.entries,
              (std::vector<std::string>{"click S1", "click S2", "click S2", "click S2", "click Plain"}));
}

TEST_F(SpeedButtons, ClicksOnlyWhenReleasedInside) {
    TEventLog log;
    auto* s = Add<TSpeedButton>("S1", {10, 10, 33, 32});
    s->SetGroupIndex(1);
    s->OnClick = ClickTo(log);
    Show();
    TInputSimulator::Drag(form->Handle(), {15, 15}, {100, 100});
    EXPECT_TRUE(log.entries.empty());
    EXPECT_FALSE(s->Down());
    TInputSimulator::Drag(form->Handle(), {15, 15}, {30, 30});
    EXPECT_EQ(log.Count("click S1"), 1);
    EXPECT_TRUE(s->Down());
}

using Disabled = WidgetTest;

TEST_F(Disabled, DisabledControlsIgnoreClicks) {
    TEventLog log;
    auto* button = Add<TButton>("Button1", {10, 10, 85, 35});
    auto* box = Add<TCheckBox>("CheckBox1", {10, 40, 110, 57});
    auto* radio = Add<TRadioButton>("Radio1", {10, 60, 110, 77});
    auto* speed = Add<TSpeedButton>("Speed1", {10, 80, 33, 102});
    auto* label = Add<TLabel>("Label1", {10, 110, 60, 125});
    speed->SetGroupIndex(1);
    button->OnClick = ClickTo(log);
    box->OnClick = ClickTo(log);
    radio->OnClick = ClickTo(log);
    speed->OnClick = ClickTo(log);
    label->OnClick = ClickTo(log);
    for (TControl* c : std::initializer_list<TControl*>{button, box, radio, speed, label})
        c->SetEnabled(false);
    Show();
    for (TControl* c : std::initializer_list<TControl*>{button, box, radio, speed, label})
        TInputSimulator::Click(c, {4, 4});
    EXPECT_TRUE(log.entries.empty());
    EXPECT_FALSE(box->Checked() || radio->Checked() || speed->Down());

    label->SetEnabled(true);
    TInputSimulator::Click(label, {4, 4});
    EXPECT_EQ(log.entries, (std::vector<std::string>{"click Label1"}));
}

using Labels = WidgetTest;

TEST_F(Labels, AltAndTheAcceleratorFocusTheFocusControl) {
    auto* label = Add<TLabel>("Label1", {10, 10, 60, 25});
    auto* edit = Add<TEdit>("Edit1", {70, 10, 190, 31});
    auto* other = Add<TEdit>("Edit2", {70, 40, 190, 61});
    label->SetCaption("&Name:");
    label->SetFocusControl(edit);
    Show();
    Focus(other);
    TInputSimulator::KeyPress('N', {ssAlt});
    EXPECT_TRUE(edit->Focused());

    Focus(other);
    label->SetShowAccelChar(false);
    Application->ProcessMessages();
    TInputSimulator::KeyPress('N', {ssAlt});
    EXPECT_TRUE(other->Focused()) << "no accelerator without ShowAccelChar";

    label->SetShowAccelChar(true);
    delete edit; // the label forgets its focus control
    EXPECT_EQ(label->FocusControl(), nullptr);
    TInputSimulator::KeyPress('N', {ssAlt});
    EXPECT_TRUE(other->Focused());
}

TEST_F(Labels, NamingAControlGivesItTheNameAsCaptionOnce) {
    auto* button = new TButton(form);
    button->SetName("Button7");
    EXPECT_EQ(button->Caption(), "Button7");
    button->SetName("OkButton");
    EXPECT_EQ(button->Caption(), "OkButton") << "the caption still was the name";
    button->SetCaption("OK");
    button->SetName("Other");
    EXPECT_EQ(button->Caption(), "OK") << "a caption of its own stays";
}

} // namespace
