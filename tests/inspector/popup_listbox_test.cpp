// TPopupListbox over real input: a top-level list that opens beside an edit box, takes the edit's keys
// while the focus stays in the edit, searches by typed prefix, chooses by Enter or a click inside, cancels
// by Escape, focus loss, moving, hiding or destroying the edit, and sends the chosen text into the edit.
#include "PopCtrls.h"

#include "../make_control.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/InputSimulator.h"
#include "ui/Windows.h"
#include "widgets/Edit.h"
#include "widgets/Panel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Events {
    std::vector<std::string> log;
    bool allowCancel = true;
    bool autoSend = true;
    TPoint popupMove{0, 0};
    std::vector<std::string> items{"one", "two", "three"};
    void CloseUp(TObject*) { log.push_back("closeup"); }
    void SendValue(TObject*, int kind, std::string& s, int& offset, bool& autoSendRef) {
        log.push_back("send " + std::to_string(kind) + " " + s + " " + std::to_string(offset));
        autoSendRef = autoSend;
    }
    void CancelMode(TObject*, TCMCancelMode& message, bool& canClose) {
        log.push_back(std::string("cancel ") + (message.Sender ? message.Sender->Name() : "?"));
        canClose = allowCancel;
    }
    void GetItems(TObject*, int kind, TStrings* list) {
        log.push_back("items " + std::to_string(kind));
        for (const auto& item : items)
            list->Add(item);
    }
    void Popup(TObject*, int&, TPoint& pos) {
        log.push_back("popup");
        pos.X += popupMove.X;
        pos.Y += popupMove.Y;
    }
};

struct PopupListbox : ::testing::Test {
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(40, 40, 400, 300);
        panel = Make<TPanel>(form, "Panel1", form, 0, 0, 400, 200);
        edit = Make<TEdit>(form, "Edit1", panel, 10, 10, 200, 21);
        other = Make<TEdit>(form, "Edit2", form, 10, 230, 200, 21);
        edit->SetText("");
        other->SetText("");
        list = new TPopupListbox(form);
        list->SetParent(panel); // survives the edit, which some tests destroy
        for (const char* name : {"alBottom", "alClient", "alLeft", "alNone", "alRight", "alTop"})
            list->Items()->Add(name);
        form->Show();
        edit->SetFocus();
        Application->ProcessMessages();
    }
    void TearDown() override {
        delete form;
        Application->ProcessMessages();
    }
    // Opens the list under the edit, as wide as the edit and `rows` rows tall.
    void Open(int rows = 6) {
        TPoint p = edit->ClientToScreen({0, 0});
        list->DropDownAt(panel, edit->Handle(), p, edit->Height(), edit->Width(), 16 * rows + 2);
        Application->ProcessMessages();
    }
    void Type(const std::string& text) { TInputSimulator::TypeText(text, edit->Handle()); }
    void Key(uint16_t key) { TInputSimulator::KeyPress(key, {}, edit->Handle()); }
    std::string Selected() const {
        return list->ItemIndex() < 0 ? "(none)" : list->Items()->Strings(list->ItemIndex());
    }
    bool Shown() const { return list->HandleAllocated() && IsWindowVisible(list->Handle()); }

    TForm* form = nullptr;
    TPanel* panel = nullptr;
    TEdit* edit = nullptr;
    TEdit* other = nullptr;
    TPopupListbox* list = nullptr;
    Events events;
};

TEST_F(PopupListbox, OpensAsATopLevelWindowBelowTheTextWhileTheEditKeepsTheFocus) {
    ASSERT_TRUE(edit->Focused());
    Open();
    ASSERT_TRUE(list->DroppedDown());
    ASSERT_TRUE(Shown());
    EXPECT_TRUE(edit->Focused()) << "opening must not take the focus";
    EXPECT_FALSE(list->Focused());
    const TPoint editOrigin = edit->ClientToScreen({0, 0});
    const TRect bounds = GetWindowRect(list->Handle());
    EXPECT_EQ(bounds, (TRect{editOrigin.X, editOrigin.Y + 21, editOrigin.X + 200, editOrigin.Y + 21 + 98}));
    EXPECT_EQ(GetParent(list->Handle()), nullptr) << "a top-level window, free to leave the form";
    EXPECT_EQ(list->VisibleItemCount(), 6);

    // Thin border, rows drawn by the list itself: text on the info colour, 2 pixels in.
    TBitmap shot;
    GrabWindow(list->Handle(), shot);
    EXPECT_EQ(ColorToRGB(shot.Canvas()->Pixels(0, 10)), ColorToRGB(clWindowFrame));
    EXPECT_EQ(ColorToRGB(shot.Canvas()->Pixels(150, 10)), ColorToRGB(clInfoBk));
    bool ink = false;
    for (int x = 3; x < 40 && !ink; ++x)
        for (int y = 2; y < 16 && !ink; ++y)
            ink = ColorToRGB(shot.Canvas()->Pixels(x, y)) != ColorToRGB(clInfoBk);
    EXPECT_TRUE(ink) << "the first item's text";

    // A click inside the list does not move the focus either.
    TInputSimulator::MouseDown(list->Handle(), {20, 20});
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(Selected(), "alClient");
    TInputSimulator::MouseUp(list->Handle(), {20, 20});
    EXPECT_FALSE(list->DroppedDown());
    EXPECT_EQ(edit->Text(), "alClient");
}

TEST_F(PopupListbox, NearTheScreenEdgesItOpensAboveAndToTheLeft) {
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        TPoint at;
        TPoint expected;
    } cases[] = {
        {{100, 100}, {100, 121}},                         // room below
        {{100, screenH - 50}, {100, screenH - 50 - 98}},  // bottom: above, its bottom at the line
        {{screenW - 50, 100}, {screenW - 50 - 200, 121}}, // right edge: left by its width
        {{screenW - 50, screenH - 50}, {screenW - 250, screenH - 148}},
    };
    for (const Case& c : cases) {
        TPoint p = c.at;
        list->DropDownAt(panel, edit->Handle(), p, 21, 200, 98);
        EXPECT_EQ(p, c.expected) << c.at.X << "," << c.at.Y;
        EXPECT_EQ(GetWindowRect(list->Handle()).TopLeft(), c.expected);
        list->CloseUp(false);
    }
}

TEST_F(PopupListbox, OpeningIsRefusedWhenEmptyHiddenOrAlreadyOpen) {
    TPoint p{10, 10};
    other->SetVisible(false);
    list->DropDownAt(panel, other->Handle(), p, 21, 100, 50);
    EXPECT_FALSE(list->DroppedDown()) << "hidden target";
    list->DropDownAt(panel, nullptr, p, 21, 100, 50);
    EXPECT_FALSE(list->DroppedDown()) << "no target";

    Open();
    const TRect first = GetWindowRect(list->Handle());
    TPoint again{5, 5};
    list->DropDownAt(panel, edit->Handle(), again, 0, 50, 50);
    EXPECT_EQ(GetWindowRect(list->Handle()), first) << "a second open request is ignored";
    EXPECT_EQ(again, (TPoint{5, 5}));
    list->CloseUp(false);
    list->CloseUp(false); // closing a closed list does nothing

    list->Items()->Clear();
    Open();
    EXPECT_FALSE(list->DroppedDown()) << "empty list";
}

TEST_F(PopupListbox, TypedPrefixSelectsWhileTheEditHearsNoKeys) {
    edit->SetText("keep");
    Open();
    struct Step {
        std::string typed;
        std::string selected;
        std::string search;
    } steps[] = {
        {"a", "alBottom", "a"},  {"L", "alBottom", "aL"}, // either case
        {"x", "alBottom", "aL"},                          // extends no entry: dropped, selection stays
        {"r", "alRight", "aLr"}, {"\b", "(none)", ""},    // Backspace clears all, not one character
        {"alt", "alTop", "alt"},
    };
    for (const Step& s : steps) {
        if (s.typed == "\b")
            Key(VK_BACK);
        else
            Type(s.typed);
        EXPECT_EQ(Selected(), s.selected) << "after " << s.typed;
        EXPECT_EQ(list->SearchText(), s.search) << "after " << s.typed;
    }
    Key(VK_DOWN);
    EXPECT_EQ(Selected(), "alTop") << "already the last";
    Key(VK_UP);
    EXPECT_EQ(Selected(), "alRight") << "arrow keys move the list's selection";
    EXPECT_EQ(edit->Text(), "keep") << "no key reached the edit";
    EXPECT_TRUE(list->DroppedDown());

    Key(VK_ESCAPE);
    EXPECT_FALSE(list->DroppedDown());
    EXPECT_EQ(list->CloseResult(), 2);
    EXPECT_EQ(list->Value(), "");
    EXPECT_EQ(list->SearchText(), "");
    EXPECT_EQ(edit->Text(), "keep");
    Type("!");
    EXPECT_EQ(edit->Text(), "keep!") << "after closing, keys reach the edit again";
}

TEST_F(PopupListbox, TypedSearchTakesMultiByteCharactersWhole) {
    list->Items()->Clear();
    for (const char* name : {"Zebra", "\xC3\x84rger", "\xC3\x84pfel", "\xE5\x9B\xBD\xE5\xAE\xB6"})
        list->Items()->Add(name);
    Open(4);
    Type("\xC3\x84p");
    EXPECT_EQ(Selected(), "\xC3\x84pfel");
    EXPECT_EQ(list->SearchText(), "\xC3\x84p");
    Key(VK_BACK);
    Type("\xE5\x9B\xBD");
    EXPECT_EQ(Selected(), "\xE5\x9B\xBD\xE5\xAE\xB6");
    Type("\xE5\x9B\xBD"); // the character again extends no entry
    EXPECT_EQ(list->SearchText(), "\xE5\x9B\xBD");
    EXPECT_EQ(edit->Text(), "");
}

TEST_F(PopupListbox, EnterChoosesTheSelectionOrCancelsWithoutOne) {
    list->OnCloseUp = TNotifyEvent::Bind<&Events::CloseUp>(&events);
    edit->SetText("xx");
    edit->SelectAll();
    Open();
    Key(VK_RETURN);
    EXPECT_FALSE(list->DroppedDown());
    EXPECT_EQ(list->CloseResult(), 2) << "nothing was selected";
    EXPECT_EQ(list->Value(), "");
    EXPECT_EQ(edit->Text(), "xx") << "nothing is sent";
    EXPECT_EQ(events.log, std::vector<std::string>{"closeup"});

    edit->SelectAll();
    Open();
    Type("alr");
    Key(VK_RETURN);
    EXPECT_EQ(list->CloseResult(), 1);
    EXPECT_EQ(list->Value(), "alRight");
    EXPECT_EQ(edit->Text(), "alRight") << "the edit's selection is replaced";
    EXPECT_EQ(edit->SelStart(), 7);
    EXPECT_TRUE(edit->Focused());
}

TEST_F(PopupListbox, OnlyAReleaseStrictlyInsideTheListChooses) {
    Open();
    Type("aln");
    ASSERT_EQ(Selected(), "alNone");
    const TRect client = GetClientRect(list->Handle());
    // Press and release on the edge rows and columns, and a release outside after pressing inside.
    TInputSimulator::Click(list->Handle(), {20, 0});
    TInputSimulator::Click(list->Handle(), {0, 40});
    TInputSimulator::MouseDown(list->Handle(), {20, 40});
    TInputSimulator::MouseUp(list->Handle(), {client.Right + 5, 40});
    EXPECT_TRUE(list->DroppedDown());
    EXPECT_EQ(edit->Text(), "");

    TInputSimulator::Click(list->Handle(), {1, 1});
    EXPECT_FALSE(list->DroppedDown());
    EXPECT_EQ(list->Value(), "alBottom") << "the first pixel inside the frame is inside";
}

TEST_F(PopupListbox, KindTwoAddsParenthesesAndAHandlerDecidesWhatIsSent) {
    edit->SetText("f");
    edit->SetSelStart(1);
    list->SetKind(2);
    Open();
    Type("alt");
    Key(VK_RETURN);
    EXPECT_EQ(edit->Text(), "falTop()");
    EXPECT_EQ(edit->SelStart(), 7) << "the caret sits between the parentheses";
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_TRUE(edit->Modified());

    // A handler replaces the default; without AutoSend the edit is left alone.
    list->OnSendValue = TSendValueEvent::Bind<&Events::SendValue>(&events);
    events.autoSend = false;
    Open();
    Type("alc");
    Key(VK_RETURN);
    EXPECT_EQ(events.log, std::vector<std::string>{"send 2 alClient 0"});
    EXPECT_EQ(edit->Text(), "falTop()");

    events.autoSend = true;
    Open();
    Type("all");
    Key(VK_RETURN);
    EXPECT_EQ(edit->Text(), "falTop(alLeft)") << "the handler left the caret where the text ended";
}

TEST_F(PopupListbox, TheListClosesWhenItsEditLosesTheFocusMovesOrGoesAway) {
    list->OnCloseUp = TNotifyEvent::Bind<&Events::CloseUp>(&events);
    Open();
    Type("alb");
    TInputSimulator::Click(other->Handle(), {5, 5});
    EXPECT_FALSE(list->DroppedDown()) << "focus moved to another edit";
    EXPECT_EQ(list->CloseResult(), 2);
    EXPECT_EQ(edit->Text(), "");
    Type("z");
    EXPECT_EQ(other->Text(), "z") << "the other edit types normally";

    edit->SetFocus();
    Application->ProcessMessages();
    Open();
    edit->SetBounds(20, 10, 200, 21);
    EXPECT_FALSE(list->DroppedDown()) << "the edit moved";

    // Hiding closes it too, also while the edit does not have the focus (its window is not the active one).
    other->SetFocus();
    Application->ProcessMessages();
    Open();
    ASSERT_TRUE(list->DroppedDown());
    edit->Hide();
    EXPECT_FALSE(list->DroppedDown()) << "the edit was hidden";
    edit->Show();
    Open();
    ASSERT_TRUE(list->DroppedDown());
    form->Hide();
    EXPECT_FALSE(list->DroppedDown()) << "the edit's form was hidden";
    EXPECT_FALSE(Shown());
    form->Show();
    edit->SetFocus();
    Application->ProcessMessages();

    Open();
    ASSERT_TRUE(list->DroppedDown());
    delete edit;
    edit = nullptr;
    EXPECT_FALSE(list->DroppedDown()) << "the edit was destroyed";
    EXPECT_EQ(events.log.size(), 5u);
}

TEST_F(PopupListbox, APressOnTheFormAsksTheOwnerHandlerWhetherToClose) {
    list->OnCancelMode = TCancelModeEvent::Bind<&Events::CancelMode>(&events);
    events.allowCancel = false;
    Open();
    TInputSimulator::Click(edit->Handle(), {5, 5});
    EXPECT_EQ(events.log, std::vector<std::string>{"cancel Edit1"});
    EXPECT_TRUE(list->DroppedDown()) << "the handler kept it open";

    events.allowCancel = true;
    TInputSimulator::Click(edit->Handle(), {5, 5});
    EXPECT_FALSE(list->DroppedDown());
    EXPECT_EQ(list->CloseResult(), 2);

    // Without a handler a press on the edit closes it; the owner's own presses do not count.
    list->OnCancelMode = {};
    Open();
    TInputSimulator::Click(panel, {300, 150});
    EXPECT_FALSE(list->DroppedDown()) << "the panel took the focus from the edit";
}

TEST_F(PopupListbox, TheCaretPopupFetchesItemsAndOpensAtTheCaret) {
    list->Items()->Clear();
    list->OnGetItems = TGetItemsEvent::Bind<&Events::GetItems>(&events);
    list->OnPopup = TPopupEvent::Bind<&Events::Popup>(&events);
    list->SetPopupControl(edit);
    list->SetPopupWindow(edit->Handle());
    list->SetKind(2);
    list->SetAlwaysFetch(false);
    edit->SetText("call ");
    edit->SetSelStart(5);

    list->StartCaretPopup();
    for (int i = 0; i < 50 && !list->DroppedDown(); ++i)
        Application->ProcessMessages();
    ASSERT_TRUE(list->DroppedDown());
    EXPECT_EQ(events.log, (std::vector<std::string>{"items 2", "popup"}));
    const TRect bounds = GetWindowRect(list->Handle());
    const TPoint editOrigin = edit->ClientToScreen({0, 0});
    EXPECT_GT(bounds.Left, editOrigin.X + 5) << "at the caret, after the typed text";
    EXPECT_GT(bounds.Top, editOrigin.Y) << "below the caret's line";
    EXPECT_GE(bounds.Width(), list->Canvas()->TextWidth("three") + GetSystemMetrics(SM_CXVSCROLL) + 8);

    Type("tw");
    Key(VK_RETURN);
    EXPECT_EQ(edit->Text(), "call two()");

    // Same kind and items in the list: no second fetch unless always fetching.
    events.log.clear();
    list->StartCaretPopup();
    for (int i = 0; i < 50 && !list->DroppedDown(); ++i)
        Application->ProcessMessages();
    EXPECT_EQ(events.log, std::vector<std::string>{"popup"});
    Key(VK_ESCAPE);
}

} // namespace
