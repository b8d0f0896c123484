// Undo and redo through real input: every kind of step is made with the mouse, the keys or the menu and
// its dialog; undo must give back exactly the design saved before it (text, owned order, placeholders,
// stacking) with the selection of then, and redo exactly the design saved after it.
#include "DesignHistory.h"
#include "EditContainer.h"
#include "FormwrightText.h"
#include "ObjAlign.h"
#include "ObjCreat.h"
#include "ObjSize.h"
#include "ObjTab.h"
#include "components/Table.h"
#include "core/Streams.h"
#include "designing_fixture.h"
#include "graphics/Clipboard.h"
#include "menu_driving.h"
#include "widgets/BitBtn.h"
#include "widgets/Edit.h"
#include "widgets/ListBox.h"
#include "widgets/RadioButton.h"
#include "widgets/StringGrid.h"

#include <functional>
#include <sstream>

namespace {

struct Undoing : Designing {
    // The step table drives the fixture from outside.
    using Designing::Click;
    using Designing::designer;
    using Designing::Drag;
    using Designing::form;
    using Designing::FormWindow;
    using Designing::HandleAt;
    using Designing::Selection;

    std::string SavedText() {
        TStringStream text("");
        WriteRootText(designer, text);
        return text.DataString();
    }
    // Everything a step may change: the saved text, the owned order with parents and bounds, the
    // placeholders' places and order, and the stacking of the form's windows.
    std::string WholeDesign() {
        std::ostringstream out;
        out << SavedText();
        for (const std::string& line : DescribeDesign(form))
            out << line << "\n";
        for (void* item : designer->Placeholders()) {
            auto* box = static_cast<TEditContainer*>(item);
            out << "box " << box->Component()->Name() << " " << box->Left() << "," << box->Top()
                << (box->Visible() ? "" : " hidden") << "\n";
        }
        for (HWND window : GetChildWindows(FormWindow()))
            if (TWinControl* control = FindControl(window); control && !dynamic_cast<TGrabHandle*>(control))
                out << "window " << NameOf(TFormwright::ComponentOf(control)) << "\n";
        return out.str();
    }
    std::vector<std::string> SelectedNames() {
        std::vector<std::string> names;
        for (TControl* object : Selection())
            names.push_back(NameOf(TFormwright::ComponentOf(object)));
        return names;
    }
    void Press(uint16_t key, TShiftState shift = {}) {
        TInputSimulator::KeyPress(key, shift, FormWindow());
        Application->ProcessMessages();
    }
    void ClickObject(TControl* control, TShiftState shift = {}) {
        TInputSimulator::Click(control, Middle(control), mbLeft, shift);
    }
    // A command of the designer menu, opened by a right click on a control (the bare form for null).
    template <class Dialog = TForm>
    void Command(const std::string& caption, TControl* at, std::function<void(Dialog&)> answer = {}) {
        QueueMenuChoice(designer, caption);
        if (answer) QueueDialog<Dialog>(std::move(answer));
        if (at)
            TInputSimulator::Click(at, Middle(at), mbRight);
        else
            RightClick(FormWindow(), {300, 290});
        EXPECT_EQ(TModalDriver::PendingActions(), 0) << caption;
    }
};

// One kind of step: `prepare` sets the scene (selection, clipboard), `act` makes the step.
struct StepKind {
    const char* name;
    std::function<void(Undoing&)> prepare;
    std::function<void(Undoing&)> act;
};

void PrintTo(const StepKind& kind, std::ostream* out) {
    *out << kind.name;
}

void Nothing(Undoing&) {
}

TPoint FirstLine(TListBox* list) {
    const TRect r = list->ItemRect(0);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

std::function<void(Undoing&)> Select(std::initializer_list<const char*> names) {
    const std::vector<std::string> list(names.begin(), names.end());
    return [list](Undoing& t) {
        t.Click({300, 290});
        bool first = true;
        for (const std::string& name : list) {
            auto* component = t.form->FindComponent(name);
            TControl* object = dynamic_cast<TControl*>(component);
            if (!object) object = t.designer->PlaceholderOf(component);
            t.ClickObject(object, first ? TShiftState{} : TShiftState{ssShift});
            first = false;
        }
        ASSERT_EQ(t.designer->SelectionCount(), static_cast<int>(list.size()));
    };
}

std::function<void(Undoing&)> Keys(uint16_t key, TShiftState shift) {
    return [key, shift](Undoing& t) { t.Press(key, shift); };
}

template <class Dialog>
std::function<void(Undoing&)> MenuDialog(const char* caption, std::function<void(Dialog&)> answer) {
    return [caption, answer](Undoing& t) {
        t.Command<Dialog>(caption, t.designer->SelectionCount() ? t.designer->Selected(0) : nullptr, answer);
    };
}

std::function<void(Undoing&)> Menu(const char* caption) {
    return [caption](Undoing& t) {
        t.Command(caption, t.designer->SelectionCount() ? t.designer->Selected(0) : nullptr);
    };
}

const StepKind StepKinds[] = {
    {"move by mouse", Nothing,
     [](Undoing& t) {
         t.Drag({20, 40}, {60, 90});
     }},
    {"move two controls by mouse", Select({"Button1", "Button2"}),
     [](Undoing& t) {
         t.Drag({20, 40}, {44, 40});
     }},
    {"move a placeholder by mouse", Nothing,
     [](Undoing& t) {
         t.Drag({100, 165}, {140, 210});
     }},
    {"resize by a grab handle", Select({"Button1"}),
     [](Undoing& t) {
         const TPoint corner = t.HandleAt(4);
         t.Drag({corner.X + 2, corner.Y + 2}, {corner.X + 26, corner.Y + 18});
     }},
    {"nudge with Ctrl+Right", Select({"Button1"}), Keys(VK_RIGHT, {ssCtrl})},
    {"grid step with Ctrl+Shift+Down", Select({"Panel1"}), Keys(VK_DOWN, {ssCtrl, ssShift})},
    {"resize with Shift+Left", Select({"Button2"}), Keys(VK_LEFT, {ssShift})},
    {"place a button", Nothing,
     [](Undoing& t) {
         t.designer->SetClassToPlace(TButton::StaticClass());
         t.Click({150, 120});
     }},
    {"place a button into the panel by dragging", Nothing,
     [](Undoing& t) {
         t.designer->SetClassToPlace(TButton::StaticClass());
         t.Drag({260, 210}, {340, 250});
     }},
    {"place a table", Nothing,
     [](Undoing& t) {
         t.designer->SetClassToPlace(TTable::StaticClass());
         t.Click({300, 60});
     }},
    {"delete a button", Select({"Button2"}), Keys(VK_DELETE, {})},
    {"delete the panel with its button", Select({"Panel1"}), Keys(VK_DELETE, {})},
    {"delete a table and a query", Select({"Table1", "Query1"}), Keys(VK_DELETE, {})},
    {"cut with Shift+Delete", Select({"Button1", "Label1"}), Keys(VK_DELETE, {ssShift})},
    {"cut with Ctrl+X", Select({"StringGrid1"}), Keys('X', {ssCtrl})},
    {"paste with Shift+Insert into the panel",
     [](Undoing& t) {
         Select({"Button1", "Table1"})(t);
         t.Press(VK_INSERT, {ssCtrl});
         Select({"Panel1"})(t);
     },
     Keys(VK_INSERT, {ssShift})},
    {"paste with Ctrl+V",
     [](Undoing& t) {
         Select({"Panel1"})(t);
         t.Press('C', {ssCtrl});
         t.Click({300, 290});
     },
     Keys('V', {ssCtrl})},
    {"align to grid",
     [](Undoing& t) {
         Select({"Button1"})(t);
         t.Press(VK_RIGHT, {ssCtrl});
         t.Press(VK_DOWN, {ssCtrl});
         Select({"Button1", "Label1"})(t);
     },
     Menu("Align To &Grid")},
    {"bring to front", Select({"Panel1"}), Menu("Bring To &Front")},
    {"send a placeholder to back", Select({"Table1"}), Menu("Send To &Back")},
    {"send two controls to back", Select({"StringGrid1", "Button2"}), Menu("Send To &Back")},
    {"align with the dialog", Select({"Button1", "StringGrid1"}),
     MenuDialog<TAlignDialog>("&Align...",
                              [](TAlignDialog& d) {
                                  ClickOn(d.hRightSides);
                                  ClickOn(d.vBottoms);
                                  ClickOn(d.OKButton);
                              })},
    {"size with the dialog", Select({"Button1", "Button2", "StringGrid1"}),
     MenuDialog<TSizeDialog>("&Size...",
                             [](TSizeDialog& d) {
                                 ClickOn(d.hGrow);
                                 ClickOn(d.vAbsolute);
                                 d.vHeight->SetText("33");
                                 ClickOn(d.OKButton);
                             })},
    {"tab order with the dialog", Nothing,
     MenuDialog<TTabOrderDlg>("Tab &Order...",
                              [](TTabOrderDlg& d) {
                                  TInputSimulator::Click(d.OrderList(), FirstLine(d.OrderList()));
                                  ClickOn(d.DownButton);
                                  ClickOn(d.DownButton);
                                  ClickOn(d.OKButton);
                              })},
    {"creation order with the dialog", Nothing,
     MenuDialog<TCreationOrderDlg>("&Creation Order...",
                                   [](TCreationOrderDlg& d) {
                                       TInputSimulator::Click(d.OrderList(), FirstLine(d.OrderList()));
                                       ClickOn(d.DownButton);
                                       ClickOn(d.OKButton);
                                   })},
    {"load from text", Nothing,
     [](Undoing& t) {
         std::string text = t.SavedText();
         text.replace(text.find("Caption = 'Button2'"), 19, "Caption = 'Loaded'");
         text.replace(text.find("  object Table1: TTable"), 0,
                      "  object Extra1: TEdit\r\n    Left = 300\r\n    Top = 40\r\n    Width = 60\r\n"
                      "    Height = 21\r\n    TabOrder = 4\r\n  end\r\n");
         TStringStream input(text);
         ReadRootText(t.designer, input);
     }},
};

struct EveryStepKind : Undoing, ::testing::WithParamInterface<StepKind> {};

} // namespace

TEST_P(EveryStepKind, UndoGivesBackTheDesignBeforeAndRedoTheDesignAfter) {
    const StepKind& kind = GetParam();
    kind.prepare(*this);
    Application->ProcessMessages();
    const int steps = designer->History().Count();
    const std::string before = WholeDesign();
    const std::vector<std::string> selectedBefore = SelectedNames();

    kind.act(*this);
    Application->ProcessMessages();
    const std::string after = WholeDesign();
    const std::vector<std::string> selectedAfter = SelectedNames();
    ASSERT_NE(after, before) << "the step changed nothing";
    ASSERT_EQ(designer->History().Count(), steps + 1) << "one step";

    Press('Z', {ssCtrl});
    EXPECT_EQ(WholeDesign(), before);
    EXPECT_EQ(SelectedNames(), selectedBefore);
    EXPECT_FALSE(designer->CanUndo() && designer->History().Position() != steps);

    Press('Y', {ssCtrl});
    EXPECT_EQ(WholeDesign(), after);
    EXPECT_EQ(SelectedNames(), selectedAfter);

    // Once more both ways: what undo made again is undone and redone as well.
    Press('Z', {ssCtrl});
    EXPECT_EQ(WholeDesign(), before);
    Press('Z', {ssCtrl, ssShift});
    EXPECT_EQ(WholeDesign(), after);
}

INSTANTIATE_TEST_SUITE_P(Undoing, EveryStepKind, ::testing::ValuesIn(StepKinds),
                         [](const ::testing::TestParamInfo<StepKind>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                             return name;
                         });
