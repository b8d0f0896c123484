// The design check: each kind of finding on small forms made to show it, a form holding one of every
// streamable class laid out cleanly that reports nothing, and the "Design Check" window opened from the
// designer menu, following the design and selecting a finding's component on a double-click.
#include "DesignCheck.h"
#include "DesignCheckWindow.h"
#include "core/ClassRegistry.h"
#include "designing_fixture.h"
#include "menu_driving.h"
#include "widgets/CheckBox.h"
#include "widgets/Edit.h"
#include "widgets/GroupBox.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/Menus.h"
#include "widgets/PageControl.h"
#include "widgets/RadioButton.h"
#include "widgets/StringGrid.h"
#include "widgets/TabSheet.h"

#include <functional>
#include <memory>

namespace {

// A shown form of 480 x 360 client pixels to put faults on.
struct TCheckedForm {
    TCheckedForm() : Form(std::make_unique<TForm>(nullptr)) {
        Form->SetName("CheckedForm");
        Form->SetClientWidth(480);
        Form->SetClientHeight(360);
        Form->Show();
    }
    template <class T> T* Add(const char* name, TRect bounds, TWinControl* parent = nullptr) {
        T* control = CreateComponent<T>(Form.get());
        control->SetName(name);
        control->SetParent(parent ? parent : Form.get());
        control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        return control;
    }
    std::unique_ptr<TForm> Form;
};

std::vector<std::string> Texts(const std::vector<TDesignFinding>& findings) {
    std::vector<std::string> texts;
    for (const TDesignFinding& finding : findings)
        texts.push_back(finding.Text);
    return texts;
}

const std::string Long = "A caption far too long for its control";

// A form made to show findings (or none), and the finding texts it must give.
struct TFindingCase {
    const char* what;
    std::function<void(TCheckedForm&)> make;
    std::vector<std::string> found;
};

void ExpectFindings(std::initializer_list<TFindingCase> cases) {
    for (const TFindingCase& c : cases) {
        TCheckedForm checked;
        c.make(checked);
        EXPECT_EQ(Texts(CheckDesign(checked.Form.get())), c.found) << c.what;
    }
}

// The names of the classes every design walk is tried on; each must be registered.
const char* const EveryStreamableClass[] = {
    "TButton",
    "TBitBtn",
    "TSpeedButton",
    "TLabel",
    "TEdit",
    "TCheckBox",
    "TRadioButton",
    "TGroupBox",
    "TPanel",
    "TListBox",
    "TComboBox",
    "TStringGrid",
    "TDrawGrid",
    "TPageControl",
    "TTabSheet",
    "TImage",
    "TShape",
    "TBevel",
    "TMediaPlayer",
    "TImageList",
    "TPopupMenu",
    "TMenuItem",
    "TTable",
    "TQuery",
    "TOpenDialog",
    "TSaveDialog",
    "TOpenPictureDialog",
    "TSavePictureDialog",
    "TFontDialog",
    "TColorDialog",
};

// One component of every streamable class on the form, without a fault: controls in cells of 120 x 40,
// the tab sheet in the page control, the menu item in the popup menu.
void AddOneOfEveryClass(TForm* form) {
    TPageControl* pages = nullptr;
    TPopupMenu* menu = nullptr;
    int cell = 0;
    for (const char* name : EveryStreamableClass) {
        TClass cls = GetClass(name);
        ASSERT_NE(cls, nullptr) << name;
        TComponent* component = TComponent::CreateInstance(cls, form);
        component->SetName(std::string(name + 1) + "1");
        if (auto* sheet = dynamic_cast<TTabSheet*>(component)) {
            sheet->SetPageControl(pages);
        } else if (auto* item = dynamic_cast<TMenuItem*>(component)) {
            menu->Items()->Add(item);
        } else if (auto* control = dynamic_cast<TControl*>(component)) {
            control->SetParent(form);
            control->SetBounds(8 + cell % 4 * 120, 8 + cell / 4 * 40, 110, 32);
            ++cell;
        }
        if (auto* found = dynamic_cast<TPageControl*>(component)) pages = found;
        if (auto* found = dynamic_cast<TPopupMenu*>(component)) menu = found;
    }
}

} // namespace

TEST(CheckDesign, AFormWithOneOfEveryClassLaidOutCleanlyReportsNothing) {
    TCheckedForm checked;
    checked.Form->SetClientHeight(8 + 8 * 40);
    AddOneOfEveryClass(checked.Form.get());
    ASSERT_EQ(checked.Form->ComponentCount(), static_cast<int>(std::size(EveryStreamableClass)));
    EXPECT_EQ(Texts(CheckDesign(checked.Form.get())), std::vector<std::string>{});
    // The walk reaches them: one fault among them is found.
    auto* button = static_cast<TControl*>(checked.Form->FindComponent("Button1"));
    button->SetLeft(button->Left() + 60);
    EXPECT_EQ(Texts(CheckDesign(checked.Form.get())), std::vector<std::string>{"BitBtn1 overlaps Button1."});
}

TEST(CheckDesign, CaptionsCutOffByTheirControls) {
    enum TLabelLook { Fixed, AutoSized, Wrapped };
    const struct {
        TClass cls;
        int width, height;
        std::string caption;
        TLabelLook look;
        bool cutOff;
    } cases[] = {
        {TButton::StaticClass(), 60, 25, Long, Fixed, true},
        {TCheckBox::StaticClass(), 88, 25, Long, Fixed, true},
        {TRadioButton::StaticClass(), 88, 25, Long, Fixed, true},
        {TGroupBox::StaticClass(), 88, 60, Long, Fixed, true},
        {TPanel::StaticClass(), 88, 60, Long, Fixed, true},
        {TLabel::StaticClass(), 60, 20, Long, Fixed, true},
        {TLabel::StaticClass(), 100, 16, Long, Wrapped, true},     // too low for its lines
        {TLabel::StaticClass(), 100, 16, "One\nTwo", Fixed, true}, // two lines by a line break
        {TLabel::StaticClass(), 60, 20, Long, AutoSized, false},   // fits itself
        {TButton::StaticClass(), 75, 25, "&OK", Fixed, false},     // the accelerator's "&" takes no room
        {TEdit::StaticClass(), 40, 21, Long, Fixed, false},        // an edit's text is no caption
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.cls->Name) + " " + c.caption);
        TCheckedForm checked;
        auto* control = static_cast<TControl*>(TComponent::CreateInstance(c.cls, checked.Form.get()));
        control->SetName("Control1");
        control->SetParent(checked.Form.get());
        if (auto* label = dynamic_cast<TLabel*>(control)) {
            label->SetAutoSize(c.look == AutoSized);
            label->SetWordWrap(c.look == Wrapped);
        }
        control->SetText(c.caption);
        control->SetBounds(8, 8, c.width, c.height);
        const auto findings = CheckDesign(checked.Form.get());
        if (!c.cutOff) {
            EXPECT_EQ(Texts(findings), std::vector<std::string>{});
            continue;
        }
        ASSERT_EQ(findings.size(), 1u) << ::testing::PrintToString(Texts(findings));
        EXPECT_EQ(findings[0].Component, control);
        EXPECT_EQ(findings[0].Kind, dfCutOffText);
        EXPECT_EQ(findings[0].Text.rfind("Control1's caption is cut off: it needs ", 0), 0u)
            << findings[0].Text;
    }
}

TEST(CheckDesign, TheTwoLabelCutsAreAcrossAndDown) {
    TCheckedForm checked;
    auto* wide = checked.Add<TLabel>("Wide", {8, 8, 40, 20});
    wide->SetAutoSize(false);
    wide->SetCaption(Long);
    wide->SetBounds(8, 8, 40, 20);
    auto* low = checked.Add<TLabel>("Low", {8, 40, 300, 10});
    low->SetAutoSize(false);
    low->SetCaption("One\nTwo\nThree");
    low->SetBounds(8, 40, 300, 10);
    const auto texts = Texts(CheckDesign(checked.Form.get()));
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[0].find("pixels across and has 40."), std::string::npos) << texts[0];
    EXPECT_NE(texts[1].find("pixels down and has 10."), std::string::npos) << texts[1];
}

TEST(CheckDesign, OverlapsPlacesAndSizes) {
    ExpectFindings({
        {"two overlapping buttons",
         [](TCheckedForm& f) {
             f.Add<TButton>("Button1", {8, 8, 83, 33});
             f.Add<TButton>("Button2", {60, 20, 135, 45});
         },
         {"Button2 overlaps Button1."}},
        {"touching edges do not overlap",
         [](TCheckedForm& f) {
             f.Add<TButton>("Button1", {8, 8, 83, 33});
             f.Add<TButton>("Button2", {83, 8, 158, 33});
             f.Add<TButton>("Button3", {8, 33, 83, 58});
         },
         {}},
        {"a hidden control overlaps nothing",
         [](TCheckedForm& f) {
             f.Add<TButton>("Button1", {8, 8, 83, 33});
             f.Add<TButton>("Button2", {60, 20, 135, 45})->SetVisible(false);
         },
         {}},
        {"a container and its children do not count; children of one container do",
         [](TCheckedForm& f) {
             auto* panel = f.Add<TPanel>("Panel1", {8, 8, 208, 108});
             f.Add<TButton>("Button1", {8, 8, 83, 33}, panel);
             f.Add<TButton>("Button2", {50, 8, 125, 33}, panel);
         },
         {"Button2 overlaps Button1."}},
        {"three overlapping, found as pairs",
         [](TCheckedForm& f) {
             f.Add<TButton>("Button1", {100, 8, 175, 33});
             f.Add<TButton>("Button2", {8, 8, 120, 33});
             f.Add<TButton>("Button3", {150, 20, 225, 45});
         },
         {"Button2 overlaps Button1.", "Button3 overlaps Button1."}},
        {"partly and wholly outside the parent",
         [](TCheckedForm& f) {
             f.Add<TButton>("Button1", {440, 8, 515, 33});
             f.Add<TButton>("Button2", {500, 50, 575, 75});
             auto* panel = f.Add<TPanel>("Panel1", {8, 100, 108, 150});
             f.Add<TButton>("Button3", {-10, 10, 65, 35}, panel);
         },
         {"Button1 lies partly outside CheckedForm.", "Button2 lies wholly outside CheckedForm.",
          "Button3 lies partly outside Panel1."}},
        {"zero width, zero height, both",
         [](TCheckedForm& f) {
             f.Add<TButton>("Button1", {8, 8, 8, 33});
             f.Add<TButton>("Button2", {100, 8, 175, 8});
             f.Add<TPanel>("Panel1", {200, 8, 200, 8});
         },
         {"Button1 has zero width.", "Button2 has zero height.", "Panel1 has zero width and height."}},
    });
}

TEST(CheckDesign, AcceleratorsUsedTwiceAndFocusControlsThatCannotTakeTheFocus) {
    ExpectFindings({
        {"one letter twice, case ignored",
         [](TCheckedForm& f) {
             f.Add<TButton>("Button1", {8, 8, 83, 33})->SetCaption("&Save");
             f.Add<TButton>("Button2", {100, 8, 175, 33})->SetCaption("&send");
             f.Add<TButton>("Button3", {200, 8, 275, 33})->SetCaption("&Open");
         },
         {"Button1 and Button2 both use the accelerator Alt+S."}},
        {"three users, one of them in a panel, one a check box",
         [](TCheckedForm& f) {
             f.Add<TButton>("Button1", {8, 8, 83, 33})->SetCaption("&Go");
             auto* panel = f.Add<TPanel>("Panel1", {8, 100, 208, 200});
             f.Add<TButton>("Button2", {8, 8, 83, 33}, panel)->SetCaption("&Get");
             f.Add<TCheckBox>("CheckBox1", {300, 8, 400, 33})->SetCaption("&gray");
         },
         {"Button1, Button2 and CheckBox1 all use the accelerator Alt+G."}},
        {"a doubled ampersand is no accelerator; a label that shows none does not count",
         [](TCheckedForm& f) {
             f.Add<TButton>("Button1", {8, 8, 83, 33})->SetCaption("&&Save");
             f.Add<TButton>("Button2", {100, 8, 175, 33})->SetCaption("&Save");
             auto* label = f.Add<TLabel>("Label1", {8, 50, 60, 63});
             label->SetShowAccelChar(false);
             label->SetCaption("&Size");
         },
         {}},
        {"a label's focus control: a panel, a hidden edit, a fine edit",
         [](TCheckedForm& f) {
             auto* panel = f.Add<TPanel>("Panel1", {8, 100, 208, 200});
             auto* hidden = f.Add<TEdit>("Edit1", {250, 8, 350, 29});
             hidden->SetVisible(false);
             auto* fine = f.Add<TEdit>("Edit2", {250, 50, 350, 71});
             f.Add<TLabel>("Label1", {8, 8, 60, 21})->SetFocusControl(panel);
             f.Add<TLabel>("Label2", {8, 30, 60, 43})->SetFocusControl(hidden);
             f.Add<TLabel>("Label3", {8, 50, 60, 63})->SetFocusControl(fine);
         },
         {"Label1's FocusControl Panel1 cannot take the focus.",
          "Label2's FocusControl Edit1 cannot take the focus."}},
    });
}

TEST(CheckDesign, FindingsComeInTheOrderOfTheControlsWithTheirComponents) {
    TCheckedForm checked;
    auto* panel = checked.Add<TPanel>("Panel1", {8, 8, 208, 108});
    auto* inner = checked.Add<TButton>("Inner", {150, 8, 250, 33}, panel); // partly outside Panel1
    auto* after = checked.Add<TButton>("After", {300, 8, 300, 33});        // zero width
    const auto findings = CheckDesign(checked.Form.get());
    ASSERT_EQ(Texts(findings),
              (std::vector<std::string>{"Inner lies partly outside Panel1.", "After has zero width."}));
    EXPECT_EQ(findings[0].Component, inner);
    EXPECT_EQ(findings[0].Kind, dfOutsideParent);
    EXPECT_EQ(findings[1].Component, after);
    EXPECT_EQ(findings[1].Kind, dfZeroSize);
}

// ---- the window ----------------------------------------------------------------------------------------

namespace {

std::vector<std::string> Lines(TDesignCheckWindow* window) {
    std::vector<std::string> lines;
    TStrings* items = window->List()->Items();
    for (int i = 0; i < items->Count(); ++i)
        lines.push_back(items->Strings(i));
    return lines;
}

// The middle of a line of the window's list, in the list's client coordinates.
TPoint LinePoint(TDesignCheckWindow* window, int line) {
    return {40, line * window->List()->ItemHeight() + window->List()->ItemHeight() / 2};
}

} // namespace

TEST_F(Designing, CheckDesignOpensAWindowThatStaysOnTopAndListsTheFindings) {
    QueueMenuChoice(designer, "Check &Design...");
    RightClick(FormWindow(), {300, 120});
    TDesignCheckWindow* window = designer->DesignCheckWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Visible());
    EXPECT_FALSE(window->Modal());
    EXPECT_EQ(window->Caption(), "Design Check");
    EXPECT_EQ(window->FormStyle(), fsStayOnTop);
    // The sample form is laid out cleanly.
    EXPECT_EQ(Texts(CheckDesign(form)), std::vector<std::string>{});
    EXPECT_EQ(Lines(window), std::vector<std::string>{"No problems found."});
    // Designing goes on while it is open.
    Click({20, 40});
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button1});
}

TEST_F(Designing, TheCheckWindowFollowsTheDesignAndSelectsOnDoubleClick) {
    designer->ShowDesignCheck();
    TDesignCheckWindow* window = designer->DesignCheckWindow();
    const std::vector<std::string> before = Lines(window);
    // Button2 dragged onto Button1: a new finding, listed at once.
    Click({20, 70});
    Drag({20, 70}, {20, 54});
    ASSERT_EQ(form->Button2->Top(), 48);
    const std::vector<std::string> after = Lines(window);
    ASSERT_NE(std::find(after.begin(), after.end(), "Button2 overlaps Button1."), after.end())
        << ::testing::PrintToString(after);
    // A double-click on that line selects Button2 on the form.
    Click({300, 120}); // the root: nothing selected
    const int line =
        static_cast<int>(std::find(after.begin(), after.end(), "Button2 overlaps Button1.") - after.begin());
    TInputSimulator::DoubleClick(window->List(), LinePoint(window, line));
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button2});
    // Undone, the finding goes again.
    TInputSimulator::KeyPress('Z', {ssCtrl}, FormWindow());
    EXPECT_EQ(Lines(window), before);
}

TEST_F(Designing, ACleanDesignSaysSoAndEndingTheDesignTakesTheWindowAway) {
    // Only the two buttons, clear of each other and of the edges.
    for (TControl* control :
         std::vector<TControl*>{form->Label1, form->Image1, form->Panel1, form->StringGrid1})
        delete control;
    designer->ShowDesignCheck();
    TDesignCheckWindow* window = designer->DesignCheckWindow();
    EXPECT_EQ(Lines(window), std::vector<std::string>{"No problems found."});
    designer->SetRoot(nullptr);
    EXPECT_FALSE(window->Visible());
}
