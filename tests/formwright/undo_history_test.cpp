// The undo history around the steps: identity of components across undo, the bound of the history, the
// modified flag following it, failed edits, the menu's Undo and Redo entries and the history event.
#include "DesignHistory.h"
#include "EditContainer.h"
#include "FormwrightText.h"
#include "components/Table.h"
#include "core/ClassRegistry.h"
#include "core/Streams.h"
#include "designing_fixture.h"
#include "dialogs/MessageBox.h"
#include "graphics/Clipboard.h"
#include "graphics/Picture.h"
#include "menu_driving.h"
#include "widgets/Image.h"

#include <cstdlib>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

struct History : Designing {
    // The case tables drive the fixture from outside.
    using Designing::designer;
    using Designing::form;

    std::string SavedText() {
        TStringStream text("");
        WriteRootText(designer, text);
        return text.DataString();
    }
    void Press(uint16_t key, TShiftState shift = {}) {
        TInputSimulator::KeyPress(key, shift, FormWindow());
        Application->ProcessMessages();
    }
    void SelectButton1() { TInputSimulator::Click(form->Button1, {5, 5}); }
};

struct TChangeCounter {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};

// A component that counts how often its value is read (a form writer reads every value it writes), and
// refuses values while Refusing is set (a restore that makes it again then fails half way).
class TCounted : public TComponent {
    FW_CLASS(TCounted, TComponent)
public:
    explicit TCounted(TComponent* owner) : TComponent(owner) {}
    static inline int Reads = 0;
    static inline bool Refusing = false;
    int Value() const {
        ++Reads;
        return FValue;
    }
    void SetValue(int value) {
        if (Refusing) throw EComponentError("Refused");
        FValue = value;
    }

private:
    int FValue = 0;
};

// A bitmap that counts how often its form data is written.
class TCountedBitmap : public TBitmap {
    FW_CLASS(TCountedBitmap, TBitmap)
public:
    static inline int Writes = 0;
    void WriteData(TStream& stream) override {
        ++Writes;
        TBitmap::WriteData(stream);
    }
};

} // namespace

FW_PUBLISH(TCounted) {
    p.Property("Value", &TCounted::Value, &TCounted::SetValue).Default(0);
}

FW_PUBLISH(TCountedBitmap) {
}

TEST_F(History, ComponentsThatStayKeepTheirIdentityAndFreedOnesComeBackWithTheirValues) {
    TButton* button1 = form->Button1;
    TPanel* panel = form->Panel1;
    TButton* button3 = form->Button3;
    SelectButton1();
    Press(VK_RIGHT, {ssCtrl});
    Press('Z', {ssCtrl});
    EXPECT_EQ(form->Button1, button1) << "moved and moved back: the same button";
    EXPECT_EQ(button1->Left(), 8);

    // The panel goes with its button, and both come back as new objects with the old names and values.
    TInputSimulator::Click(panel, {100, 100});
    Press(VK_DELETE);
    ASSERT_EQ(form->FindComponent("Panel1"), nullptr);
    Press('Z', {ssCtrl});
    auto* newPanel = dynamic_cast<TPanel*>(form->FindComponent("Panel1"));
    auto* newButton3 = dynamic_cast<TButton*>(form->FindComponent("Button3"));
    ASSERT_NE(newPanel, nullptr);
    ASSERT_NE(newButton3, nullptr);
    EXPECT_EQ(form->Panel1, newPanel) << "the form's field follows";
    EXPECT_EQ(newButton3->Parent(), newPanel);
    EXPECT_EQ(newButton3->BoundsRect(), TRect::FromBounds(16, 16, 75, 25));
    EXPECT_EQ(newPanel->Caption(), "Panel1");
    EXPECT_EQ(form->Button1, button1) << "untouched by the delete";
    (void)button3;

    // A step that renames keeps the object: undo renames it back.
    designer->SelectComponent(button1);
    button1->SetName("OK");
    designer->Modified();
    EXPECT_EQ(form->FindComponent("OK"), button1);
    Press('Z', {ssCtrl});
    EXPECT_EQ(button1->Name(), "Button1");
    EXPECT_EQ(form->Button1, button1);
    Press('Y', {ssCtrl});
    EXPECT_EQ(button1->Name(), "OK");
}

TEST_F(History, SwappedNamesAndASwappedParentComeBackTogether) {
    const std::string before = SavedText();
    // The form's fields follow the names, so the buttons are held here.
    TButton* b1 = form->Button1;
    TButton* b2 = form->Button2;
    TButton* b3 = form->Button3;
    designer->SelectComponent(b1);
    b1->SetName("Temp");
    b2->SetName("Button1");
    b3->SetName("Button2");
    b3->SetParent(form);
    designer->Modified();
    ASSERT_EQ(designer->History().Count(), 1);
    Press('Z', {ssCtrl});
    EXPECT_EQ(SavedText(), before);
    EXPECT_EQ(form->Button1, b1);
    EXPECT_EQ(form->Button3, b3);
    EXPECT_EQ(b3->Parent(), form->Panel1);
}

TEST_F(History, IsBoundedByStepsAndByMemoryAndClearedForAnotherRoot) {
    designer->SetHistoryLimits(3, TDesignHistory::DefaultMaxBytes);
    SelectButton1();
    for (int i = 0; i < 5; ++i)
        Press(VK_RIGHT, {ssCtrl});
    EXPECT_EQ(designer->History().Count(), 3);
    for (int i = 0; i < 3; ++i)
        Press('Z', {ssCtrl});
    EXPECT_FALSE(designer->CanUndo());
    EXPECT_EQ(form->Button1->Left(), 10) << "the two oldest steps are gone";

    // With room for hardly anything, only the newest step stays.
    designer->SetHistoryLimits(100, 1);
    Press(VK_RIGHT, {ssCtrl});
    Press(VK_RIGHT, {ssCtrl});
    EXPECT_EQ(designer->History().Count(), 1);
    EXPECT_LE(designer->History().Bytes(), size_t(1) << 20);

    designer->SetRoot(form->Panel1);
    EXPECT_FALSE(designer->CanUndo());
    EXPECT_FALSE(designer->CanRedo());
    EXPECT_EQ(designer->History().Count(), 0);
}

TEST_F(History, TheModifiedFlagFollowsTheHistoryFromTheStateLastSavedOrLoaded) {
    std::string pattern = (fs::temp_directory_path() / "formwright-undo-XXXXXX").string();
    const fs::path folder = mkdtemp(pattern.data());
    const std::string file = (folder / "design.txt").string();

    SelectButton1();
    EXPECT_FALSE(designer->IsModified());
    Press(VK_RIGHT, {ssCtrl});
    EXPECT_TRUE(designer->IsModified());
    Press('Z', {ssCtrl});
    EXPECT_FALSE(designer->IsModified()) << "back at the state it started from";
    Press('Y', {ssCtrl});
    EXPECT_TRUE(designer->IsModified());

    SaveRootToTextFile(designer, file);
    EXPECT_FALSE(designer->IsModified());
    Press(VK_DOWN, {ssCtrl});
    EXPECT_TRUE(designer->IsModified());
    Press('Z', {ssCtrl});
    EXPECT_FALSE(designer->IsModified()) << "back at the saved state";
    Press('Z', {ssCtrl});
    EXPECT_TRUE(designer->IsModified()) << "before the saved state";

    LoadRootFromTextFile(designer, file);
    EXPECT_FALSE(designer->IsModified()) << "the loaded state is the one on disk";
    EXPECT_TRUE(designer->CanUndo()) << "the load is a step";
    Press('Z', {ssCtrl});
    EXPECT_TRUE(designer->IsModified());
    Press('Y', {ssCtrl});
    EXPECT_FALSE(designer->IsModified());
    fs::remove_all(folder);
}

TEST_F(History, AFailedEditLeavesNoStep) {
    SelectButton1();
    Press(VK_RIGHT, {ssCtrl});
    const std::string saved = SavedText();
    const int steps = designer->History().Count();

    // A paste of text that is no form, and a load of a file with a syntax error: nothing changes.
    Clipboard()->SetAsText("object Broken: TButton\r\n  Left = \r\nend\r\n");
    TModalDriver::QueueAction([](TObject* window) {
        if (auto* box = dynamic_cast<TMessageBox*>(window)) box->ClickPart(dpOK);
    });
    Press(VK_INSERT, {ssShift});
    TStringStream broken("object DesignSample: TDesignSample\r\n  Left = \r\nend\r\n");
    EXPECT_THROW(ReadRootText(designer, broken), Exception);
    // A load whose second component has a class nobody knows fails after freeing the design: the
    // design comes back as it was.
    std::string text = saved;
    text.replace(text.find("TButton"), 7, "TNoSuchClass");
    TStringStream unknown(text);
    EXPECT_THROW(ReadRootText(designer, unknown), Exception);
    EXPECT_EQ(SavedText(), saved);
    EXPECT_EQ(designer->History().Count(), steps);
    EXPECT_EQ(designer->History().Position(), steps);
    Press('Z', {ssCtrl});
    EXPECT_EQ(form->Button1->Left(), 8);
}

TEST_F(History, TheMenuOffersUndoAndRedoWhenThereIsSomethingToUndoOrRedo) {
    TChangeCounter counter;
    int& changes = counter.Count;
    designer->OnHistoryChange = TNotifyEvent::Bind<&TChangeCounter::Changed>(&counter);
    SelectButton1();
    Press(VK_RIGHT, {ssCtrl});
    EXPECT_EQ(changes, 1);
    bool undoEnabled = false, redoEnabled = true;
    TModalDriver::QueueAction([&](TObject* window) {
        undoEnabled = DesignerMenuEntry(designer, "Undo")->Enabled();
        redoEnabled = DesignerMenuEntry(designer, "Redo")->Enabled();
        static_cast<TPopupMenu*>(window)->ClickItem(DesignerMenuEntry(designer, "Undo"));
    });
    TInputSimulator::Click(form->Button1, {5, 5}, mbRight);
    EXPECT_TRUE(undoEnabled);
    EXPECT_FALSE(redoEnabled);
    EXPECT_EQ(form->Button1->Left(), 8);
    EXPECT_EQ(changes, 2);
    QueueMenuChoice(designer, "Redo");
    TInputSimulator::Click(form->Button1, {5, 5}, mbRight);
    EXPECT_EQ(form->Button1->Left(), 9);
    EXPECT_EQ(changes, 3);
}

TEST_F(History, MovingTheDesignedFormByItsFrameIsOneStepHoweverManyMovesItTakes) {
    const std::string before = SavedText();
    SetWindowPos(FormWindow(), nullptr, 220, 110, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetWindowPos(FormWindow(), nullptr, 240, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Application->ProcessMessages();
    EXPECT_EQ(designer->History().Count(), 1);
    const std::string after = SavedText();
    ASSERT_NE(after, before);
    Press('Z', {ssCtrl});
    EXPECT_EQ(SavedText(), before);
    Press('Y', {ssCtrl});
    EXPECT_EQ(SavedText(), after);
}

// Recording a step writes the values of what the edit touched: a nudge of a button reads no value of the
// other components and writes no picture, and a nudge of the image writes its picture's data only once.
TEST_F(History, RecordingAStepWritesOnlyWhatTheEditTouched) {
    auto* counted = CreateComponent<TCounted>(form);
    counted->SetName("Counted1");
    counted->SetValue(7);
    TCountedBitmap bitmap;
    bitmap.SetSize(40, 40);
    form->Image1->Picture()->SetGraphic(&bitmap);
    designer->Modified(); // an edit that says nothing of what it changed: everything is written
    ASSERT_GT(TCounted::Reads, 0);
    ASSERT_GT(TCountedBitmap::Writes, 0);
    TCounted::Reads = 0;
    TCountedBitmap::Writes = 0;

    SelectButton1();
    Press(VK_RIGHT, {ssCtrl});
    EXPECT_EQ(TCounted::Reads, 0) << "an untouched component is not written again";
    EXPECT_EQ(TCountedBitmap::Writes, 0) << "nor is an untouched picture";

    TInputSimulator::Click(form->Image1, {5, 5});
    Press(VK_DOWN, {ssCtrl});
    Press(VK_DOWN, {ssCtrl});
    EXPECT_EQ(TCountedBitmap::Writes, 0) << "the moved image's picture did not change";
    EXPECT_EQ(designer->History().Count(), 4);
    EXPECT_TRUE(designer->HistoryMatchesDesign());
}

// Edits that change nothing leave no step and no modified mark: the mark means that the design differs
// from the one last saved or loaded.
TEST_F(History, EditsThatChangeNothingLeaveTheDesignUnmodified) {
    Clipboard()->SetAsText("kept");
    struct Case {
        const char* what;
        std::function<void(History&)> act;
    } cases[] = {
        {"Delete with nothing selected", [](History& t) { t.Press(VK_DELETE); }},
        {"Ctrl+X with nothing selected", [](History& t) { t.Press('X', {ssCtrl}); }},
        {"Ctrl+arrow with nothing selected", [](History& t) { t.Press(VK_RIGHT, {ssCtrl}); }},
        {"Shift+arrow with nothing selected", [](History& t) { t.Press(VK_LEFT, {ssShift}); }},
        {"Delete with the root selected",
         [](History& t) {
             t.designer->SelectObject(t.form, true);
             t.Press(VK_DELETE);
         }},
        {"Ctrl+X with the root selected",
         [](History& t) {
             t.designer->SelectObject(t.form, true);
             t.Press('X', {ssCtrl});
         }},
        {"a value set to what it is",
         [](History& t) {
             const TDesignChange change(t.designer);
             t.designer->ObjectEdited(t.form->Button1);
             t.form->Button1->SetCaption(t.form->Button1->Caption());
             t.designer->Modified();
         }},
    };
    const std::string saved = SavedText();
    for (const Case& c : cases) {
        Click({300, 290}); // nothing selected
        c.act(*this);
        EXPECT_FALSE(designer->IsModified()) << c.what;
        EXPECT_EQ(designer->History().Count(), 0) << c.what;
        EXPECT_EQ(SavedText(), saved) << c.what;
    }
    EXPECT_EQ(Clipboard()->AsText(), "kept") << "nothing was cut";
    // A change and its opposite leave the design as it was saved: unmodified again.
    SelectButton1();
    Press(VK_RIGHT, {ssCtrl});
    EXPECT_TRUE(designer->IsModified());
    Press(VK_LEFT, {ssCtrl});
    EXPECT_FALSE(designer->IsModified()) << "two steps that end where the design began";
    EXPECT_EQ(designer->History().Count(), 2);
}

// A restore that fails half way (a component made again refuses its value) puts the design back as it
// was before the attempt, every placeholder shown, and the history goes on.
TEST_F(History, ARestoreThatFailsPutsTheDesignBackAsItWasWithItsBoxes) {
    RegisterClass(TCounted::StaticClass());
    auto* counted = CreateComponent<TCounted>(form);
    counted->SetName("Counted1");
    counted->SetValue(7);
    designer->PlaceholderOf(counted)->SetBounds(200, 260, 0, 0);
    designer->PlaceholderOf(counted)->Show();
    designer->Modified();
    // The table comes first in the owned order: it is made again before the refusing component fails.
    TInputSimulator::Click(designer->PlaceholderOf(form->Table1), {14, 14});
    TInputSimulator::Click(designer->PlaceholderOf(counted), {14, 14}, mbLeft, {ssShift});
    Press(VK_DELETE);
    ASSERT_EQ(form->FindComponent("Table1"), nullptr);
    const std::string deleted = SavedText();
    const int boxes = designer->Placeholders().Count();

    TCounted::Refusing = true;
    std::string message;
    TModalDriver::QueueAction([&message](TObject* window) {
        auto* box = static_cast<TMessageBox*>(window);
        message = box->Text();
        box->ClickPart(dpOK);
    });
    Press('Z', {ssCtrl});
    TCounted::Refusing = false;
    EXPECT_NE(message.find("Refused"), std::string::npos) << message;
    EXPECT_EQ(SavedText(), deleted) << "the state before the attempt";
    EXPECT_EQ(form->FindComponent("Table1"), nullptr);
    EXPECT_EQ(designer->Placeholders().Count(), boxes);
    for (TEditContainer* box : designer->Placeholders())
        EXPECT_TRUE(IsWindowVisible(box->Handle())) << box->Component()->Name();
    EXPECT_TRUE(designer->HistoryMatchesDesign());

    Press('Z', {ssCtrl});
    ASSERT_NE(form->FindComponent("Table1"), nullptr);
    auto* back = dynamic_cast<TCounted*>(form->FindComponent("Counted1"));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Value(), 7);
    EXPECT_TRUE(IsWindowVisible(designer->PlaceholderOf(form->Table1)->Handle()));
    EXPECT_TRUE(IsWindowVisible(designer->PlaceholderOf(back)->Handle()));
    UnRegisterClass(TCounted::StaticClass());
}
