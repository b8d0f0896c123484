// Undo and redo on a form that holds one of every streamable class: each kind of step, made with the
// mouse and the keys where a person would (and as the inspector and its property editors make it where
// they would), is undone to exactly the text a save wrote before it, with the same placeholders and window
// stacking, and redone to exactly the text after it. Components written inside others (menu items, pages,
// an embedded frame's children) come back inside them, in their places.
#include "DesignHistory.h"
#include "EditContainer.h"
#include "FormwrightText.h"
#include "core/Streams.h"
#include "designing_fixture.h"
#include "dialogs/MessageBox.h"
#include "every_class_form.h"
#include "graphics/Clipboard.h"
#include "menu_driving.h"
#include "widgets/Edit.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/Menus.h"
#include "widgets/PageControl.h"
#include "widgets/RadioButton.h"
#include "widgets/TabSheet.h"

#include <functional>
#include <set>
#include <sstream>

namespace {

class EveryClass : public ::testing::Test {
public:
    void SetUp() override {
        form = new TForm(nullptr);
        ReadEveryClassForm(form);
        form->Show();
        inspector = new TRecordingInspector(nullptr);
        designer = static_cast<TFormwright*>(CreateDesigner(TFormwright::StaticClass()));
        designer->SetInspector(inspector);
        designer->SetRoot(form);
        Application->ProcessMessages();
        TModalDriver::SetStrict(true);
    }
    void TearDown() override {
        delete designer;
        delete form;
        delete inspector;
        Application->ProcessMessages();
        EXPECT_TRUE(TModalDriver::TakeFailures().empty());
        TModalDriver::SetStrict(false);
    }

    template <class T = TComponent> T* Named(const std::string& name) const {
        auto* component = dynamic_cast<T*>(form->FindComponent(name));
        EXPECT_NE(component, nullptr) << name;
        return component;
    }
    std::string SavedText() const {
        TStringStream text("");
        WriteRootText(designer, text);
        return text.DataString();
    }
    // The saved text, the owned order with parents and bounds, the boxes and the window stacking.
    std::string WholeDesign() const {
        std::ostringstream out;
        out << SavedText();
        for (const std::string& line : DescribeDesign(form))
            out << line << "\n";
        for (TEditContainer* box : designer->Placeholders())
            out << "box " << box->Component()->Name() << " " << box->Left() << "," << box->Top()
                << (IsWindowVisible(box->Handle()) ? "" : " hidden") << "\n";
        for (HWND window : GetChildWindows(form->Handle()))
            if (TWinControl* control = FindControl(window); control && !dynamic_cast<TGrabHandle*>(control))
                out << "window " << NameOf(TFormwright::ComponentOf(control)) << "\n";
        return out.str();
    }
    void Press(uint16_t key, TShiftState shift = {}) {
        TInputSimulator::KeyPress(key, shift, form->Handle());
        Application->ProcessMessages();
    }
    void ClickOn(const std::string& name, TPoint at = {4, 4}) {
        TComponent* component = Named(name);
        TControl* object = dynamic_cast<TControl*>(component);
        if (!object) object = designer->PlaceholderOf(component);
        TInputSimulator::Click(object, at);
        Application->ProcessMessages();
    }
    // A value set as a property editor sets it: the objects it writes, the value, Modified.
    void SetAsTheInspectorDoes(TComponent* component, const std::function<void()>& set) {
        const TDesignChange change(designer);
        designer->ObjectEdited(component);
        set();
        designer->Modified();
    }

    TForm* form = nullptr;
    TRecordingInspector* inspector = nullptr;
    TFormwright* designer = nullptr;
};

struct ClassStep {
    const char* name;
    std::function<void(EveryClass&)> act;
};

void PrintTo(const ClassStep& step, std::ostream* out) {
    *out << step.name;
}

const ClassStep ClassSteps[] = {
    {"delete the popup menu with its items",
     [](EveryClass& t) {
         t.ClickOn("PopupMenu1");
         t.Press(VK_DELETE);
     }},
    {"delete one menu item chosen in the inspector",
     [](EveryClass& t) {
         t.designer->SelectComponent(t.Named("Item21"));
         t.Press(VK_DELETE);
     }},
    {"cut a menu item with its items",
     [](EveryClass& t) {
         t.designer->SelectComponent(t.Named("Item2"));
         t.Press('X', {ssCtrl});
     }},
    {"paste a copied menu item beside it",
     [](EveryClass& t) {
         t.designer->SelectComponent(t.Named("Item22"));
         t.Press('C', {ssCtrl});
         t.Press('V', {ssCtrl});
     }},
    {"make another sheet active",
     [](EveryClass& t) {
         auto* pages = t.Named<TPageControl>("PageControl1");
         t.SetAsTheInspectorDoes(pages, [&] { pages->SetActivePage(t.Named<TTabSheet>("TabSheet3")); });
     }},
    {"move the last sheet to the front by its PageIndex",
     [](EveryClass& t) {
         auto* sheet = t.Named<TTabSheet>("TabSheet3");
         t.SetAsTheInspectorDoes(sheet, [&] { sheet->SetPageIndex(0); });
     }},
    {"delete the active sheet",
     [](EveryClass& t) {
         t.ClickOn("TabSheet2", {150, 60});
         t.Press(VK_DELETE);
     }},
    {"delete the inline frame with its child",
     [](EveryClass& t) {
         t.ClickOn("Frame1", {120, 40});
         t.Press(VK_DELETE);
     }},
    {"nudge a button on the aligned panel",
     [](EveryClass& t) {
         t.ClickOn("Button3");
         t.Press(VK_RIGHT, {ssCtrl});
     }},
    {"shrink the bottom-aligned panel, which realigns the panel in it",
     [](EveryClass& t) {
         t.ClickOn("Panel1", {300, 30});
         t.Press(VK_UP, {ssShift});
     }},
    {"delete the checked radio button",
     [](EveryClass& t) {
         t.ClickOn("RadioButton1");
         t.Press(VK_DELETE);
     }},
    {"check the other radio button",
     [](EveryClass& t) {
         auto* radio = t.Named<TRadioButton>("RadioButton2");
         t.SetAsTheInspectorDoes(radio, [&] { radio->SetChecked(true); });
     }},
    {"rename the label's focus control",
     [](EveryClass& t) {
         auto* edit = t.Named("Edit1");
         t.SetAsTheInspectorDoes(edit, [&] { edit->SetName("NameEdit"); });
     }},
    {"delete the label's focus control",
     [](EveryClass& t) {
         t.designer->SelectComponent(t.Named("Edit1"));
         t.Press(VK_DELETE);
     }},
    {"move the image with its picture",
     [](EveryClass& t) {
         t.ClickOn("Image1");
         t.Press(VK_DOWN, {ssCtrl});
     }},
    {"copy everything and paste it",
     [](EveryClass& t) {
         t.Press('A', {ssCtrl});
         t.Press('C', {ssCtrl});
         t.Press('V', {ssCtrl});
     }},
    {"cut the page control",
     [](EveryClass& t) {
         t.ClickOn("PageControl1", {240, 4});
         t.Press('X', {ssCtrl});
     }},
    {"delete everything",
     [](EveryClass& t) {
         t.Press('A', {ssCtrl});
         t.Press(VK_DELETE);
     }},
};

struct EveryClassStep : EveryClass, ::testing::WithParamInterface<ClassStep> {};

} // namespace

TEST_F(EveryClass, HoldsOneOfEveryStreamableClass) {
    EXPECT_EQ(MissingStreamableClasses(form), "");
    EXPECT_TRUE(Named("Frame1")->ComponentState().Contains(csInline));
    EXPECT_EQ(Named<TPageControl>("PageControl1")->ActivePage(), Named("TabSheet2"));
}

TEST_F(EveryClass, OnlyComponentsWrittenAtTheFormsLevelHaveBoxes) {
    const std::set<std::string> expected{"PopupMenu1",
                                         "ImageList1",
                                         "Table1",
                                         "Query1",
                                         "OpenDialog1",
                                         "SaveDialog1",
                                         "OpenPictureDialog1",
                                         "SavePictureDialog1",
                                         "FontDialog1",
                                         "ColorDialog1"};
    auto boxes = [this] {
        std::set<std::string> names;
        for (TEditContainer* box : designer->Placeholders())
            names.insert(box->Component()->Name());
        return names;
    };
    EXPECT_EQ(boxes(), expected) << "menu items have no box at (0,0) of the form";

    // A pasted menu brings its items without boxes either.
    ClickOn("PopupMenu1");
    Press('C', {ssCtrl});
    Press('V', {ssCtrl});
    EXPECT_EQ(designer->Placeholders().Count(), static_cast<int>(expected.size()) + 1);
    for (TEditContainer* box : designer->Placeholders())
        EXPECT_FALSE(box->Component()->HasParent()) << box->Component()->Name();
}

// Deleting a menu frees its items with it: the designer does not free them a second time.
TEST_F(EveryClass, DeletingAMenuFreesItsItemsOnceAndSelectsWhatHasABox) {
    ClickOn("PopupMenu1");
    Press(VK_DELETE);
    for (const char* name : {"PopupMenu1", "Item1", "Item2", "Item21", "Item22", "Item3"})
        EXPECT_EQ(form->FindComponent(name), nullptr) << name;
    ASSERT_EQ(designer->SelectionCount(), 1);
    EXPECT_EQ(TFormwright::ComponentOf(designer->Selected(0))->Name(), "ColorDialog1");
}

TEST_P(EveryClassStep, UndoGivesBackTheSavedTextBeforeAndRedoTheTextAfter) {
    const ClassStep& step = GetParam();
    const int steps = designer->History().Count();
    const std::string before = WholeDesign();
    step.act(*this);
    const std::string after = WholeDesign();
    ASSERT_NE(after, before) << "the step changed nothing";
    EXPECT_EQ(designer->History().Count(), steps + 1) << "one step";
    EXPECT_TRUE(designer->HistoryMatchesDesign()) << "the step recorded the design as it is";
    EXPECT_TRUE(designer->IsModified());

    Press('Z', {ssCtrl});
    EXPECT_EQ(WholeDesign(), before);
    EXPECT_FALSE(designer->IsModified()) << "back at the state loaded";
    EXPECT_TRUE(designer->HistoryMatchesDesign());
    Press('Y', {ssCtrl});
    EXPECT_EQ(WholeDesign(), after);
    EXPECT_TRUE(designer->HistoryMatchesDesign());
    // Once more both ways: what undo made again is undone and redone as well.
    Press('Z', {ssCtrl});
    EXPECT_EQ(WholeDesign(), before);
    Press('Y', {ssCtrl});
    EXPECT_EQ(WholeDesign(), after);
}

INSTANTIATE_TEST_SUITE_P(EveryClass, EveryClassStep, ::testing::ValuesIn(ClassSteps),
                         [](const ::testing::TestParamInfo<ClassStep>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                             return name;
                         });

// The pieces the form file depends on come back in their places, not only their text.
TEST_F(EveryClass, PagesAndMenuItemsComeBackInTheirPlaces) {
    auto* pages = Named<TPageControl>("PageControl1");
    ClickOn("TabSheet2", {150, 60});
    Press(VK_DELETE);
    Press('Z', {ssCtrl});
    ASSERT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(pages->Pages(1)->Name(), "TabSheet2") << "the sheet comes back in the middle";
    EXPECT_EQ(pages->ActivePage(), pages->Pages(1));
    EXPECT_EQ(Named<TEdit>("Edit2")->Parent(), pages->Pages(1));

    designer->SelectComponent(Named("Item21"));
    Press(VK_DELETE);
    Press('Z', {ssCtrl});
    auto* item = Named<TMenuItem>("Item21");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Parent(), Named<TMenuItem>("Item2")) << "back inside its menu item";
    EXPECT_EQ(item->MenuIndex(), 0);

    ClickOn("Frame1", {120, 40});
    Press(VK_DELETE);
    Press('Z', {ssCtrl});
    TComponent* frame = Named("Frame1");
    EXPECT_TRUE(frame->ComponentState().Contains(csInline));
    ASSERT_EQ(frame->ComponentCount(), 1) << "the frame owns its child again";
    EXPECT_EQ(frame->Components(0)->Name(), "FrameButton1");
}

// A PageIndex is not stored, but the page order it sets is: changing it is a step of its own.
TEST_F(EveryClass, APageIndexEditIsAStepOfItsOwn) {
    const std::string loaded = SavedText();
    auto* first = Named<TTabSheet>("TabSheet1");
    SetAsTheInspectorDoes(first, [&] { first->SetPageIndex(2); });
    ASSERT_EQ(designer->History().Count(), 1);
    EXPECT_TRUE(designer->IsModified()) << "the design differs from the one loaded";
    Press('Z', {ssCtrl});
    EXPECT_EQ(SavedText(), loaded);
    EXPECT_EQ(first->PageIndex(), 0);
}
