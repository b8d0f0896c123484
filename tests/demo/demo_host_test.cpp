// The demo host end to end: its forms started as the program starts them, its buttons pressed with real
// clicks, Form2 designed with real mouse and keys, the inspector following, and the design saved to a file
// and loaded back through the file dialogs.
#include "../../demo/test.h"
#include "../../demo/testform.h"

#include "Formwright.h"
#include "ObjAlign.h"
#include "ObjInsp.h"
#include "ObjTab.h"
#include "PicEdit.h"
#include "PopCtrls.h"
#include "components/Table.h"
#include "core/SysUtils.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/MessageBox.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "ui/Application.h"
#include "ui/InputSimulator.h"
#include "ui/ModalLoop.h"
#include "ui/Windows.h"
#include "widgets/BitBtn.h"
#include "widgets/Button.h"
#include "widgets/ComboBox.h"
#include "widgets/Edit.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/Menus.h"
#include "widgets/Panel.h"
#include "widgets/RadioButton.h"
#include "widgets/SpeedButton.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct ClickCounter {
    int clicks = 0;
    void Click(TObject*) { ++clicks; }
};

struct DemoHost : ::testing::Test {
    void SetUp() override {
        TModalDriver::SetStrict(true);
        CreateDemoForms();
        Application->MainForm()->Show(); // as the message loop does when it starts
        Application->ProcessMessages();
        host = Form1;
        designer = host->Designer();
        inspector = host->Inspector();
        folder = std::filesystem::temp_directory_path() /
                 ("formwright_demo_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        EXPECT_TRUE(TModalDriver::TakeFailures().empty());
        TModalDriver::ClearActions();
        designer->SetRoot(nullptr);
        delete Form2;
        Form2 = nullptr;
        delete inspector; // frees the designer
        delete Form1;
        Form1 = nullptr;
        Application->SetMainForm(nullptr);
        Application->ProcessMessages();
        std::filesystem::remove_all(folder);
    }

    static void Press(TControl* control) {
        TInputSimulator::Click(control, {control->Width() / 2, control->Height() / 2});
    }
    // The value text of the inspector's Properties row with that name.
    std::string RowValue(const std::string& name) const {
        for (TPropObject* row : inspector->PropGrid()->VisibleRows())
            if (row->Name() == name) return row->GetValue();
        return "(no row " + name + ")";
    }
    std::string ComboText() const { return inspector->Components->Text(); }
    // Clicks the name of the inspector's Properties row, which makes its value cell current.
    int SelectRow(const std::string& name) const {
        TPropGrid* grid = inspector->PropGrid();
        int index = -1;
        for (int i = 0; i < grid->VisibleRows().Count() && index < 0; ++i)
            if (grid->VisibleRow(i)->Name() == name) index = i;
        if (index < 0) return -1;
        if (index < grid->TopRow() || index >= grid->TopRow() + grid->VisibleRowCount())
            grid->SetTopRow(index);
        const TRect cell = grid->CellRect(0, index);
        TInputSimulator::Click(grid->Handle(), {cell.Right - 10, (cell.Top + cell.Bottom) / 2});
        return index;
    }
    static std::string ReadFile(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // Queues what a person does in the next file dialog: type a name and accept.
    static void QueueFileChoice(const std::string& fileName) {
        TModalDriver::QueueAction([fileName](TObject* window) {
            auto* dialog = static_cast<TCommonDialog*>(window);
            dialog->TypeInto(dpFileName, fileName);
            dialog->ClickPart(dpOK);
        });
    }

    TForm1* host = nullptr;
    TFormwright* designer = nullptr;
    TObjectInspector* inspector = nullptr;
    std::filesystem::path folder;
};

TEST_F(DemoHost, StartsWithTheHostTheInspectorAndTheSampleFormButDesignsNothing) {
    EXPECT_EQ(Application->MainForm(), host);
    EXPECT_TRUE(IsWindowVisible(host->Handle()));
    EXPECT_EQ(host->Caption(), "Test Window");
    EXPECT_EQ(host->BoundsRect(), TRect::FromBounds(2, 107, 269, 326));
    EXPECT_FALSE(host->Scaled());
    struct Row {
        TControl* control;
        const char* caption;
        TRect bounds;
    } rows[] = {
        {host->Button1, "Edit Form2", TRect::FromBounds(4, 3, 100, 25)},
        {host->Button5, "Edit Form2.Panel1", TRect::FromBounds(4, 31, 100, 25)},
        {host->Button2, "EndEdit", TRect::FromBounds(4, 60, 100, 25)},
        {host->Button3, "Save To Text", TRect::FromBounds(5, 90, 100, 25)},
        {host->Button4, "Load From Text", TRect::FromBounds(6, 122, 100, 25)},
        {host->SpeedButton1, "Table", TRect::FromBounds(8, 184, 40, 25)},
        {host->SpeedButton2, "Query", TRect::FromBounds(48, 184, 40, 25)},
        {host->SpeedButton3, "Label", TRect::FromBounds(88, 184, 40, 25)},
        {host->SpeedButton4, "Button", TRect::FromBounds(128, 184, 40, 25)},
        {host->SpeedButton5, "Panel", TRect::FromBounds(168, 184, 40, 25)},
    };
    for (const Row& r : rows) {
        ASSERT_NE(r.control, nullptr) << r.caption;
        EXPECT_EQ(r.control->Caption(), r.caption);
        EXPECT_EQ(r.control->BoundsRect(), r.bounds) << r.caption;
    }
    TButton* tabOrder[] = {host->Button1, host->Button2, host->Button3, host->Button4, host->Button5};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(tabOrder[i]->TabOrder(), i) << tabOrder[i]->Caption();
    for (TOpenDialog* dialog : {static_cast<TOpenDialog*>(host->SaveDialog1), host->OpenDialog1}) {
        EXPECT_EQ(dialog->DefaultExt(), "TXT");
        EXPECT_EQ(dialog->Filter(), "Text File|*.TXT");
    }

    ASSERT_NE(inspector, nullptr);
    ASSERT_NE(designer, nullptr);
    EXPECT_EQ(inspector->OwnedDesigner(), designer);
    EXPECT_TRUE(inspector->Visible());
    ASSERT_NE(Form2, nullptr);
    EXPECT_TRUE(IsWindowVisible(Form2->Handle()));
    EXPECT_EQ(designer->Root(), nullptr);
    EXPECT_EQ(Form2->Designer(), nullptr);
}

TEST_F(DemoHost, DesigningForm2TheInspectorFollowsSelectionAndDrags) {
    Press(host->Button1);
    ASSERT_EQ(designer->Root(), Form2);
    // The combo lists the root and its components; nothing is inspected until something is selected.
    TStrings* entries = inspector->Components->Items();
    EXPECT_GE(entries->IndexOf("Form2: TForm2"), 0);
    EXPECT_GE(entries->IndexOf("StringGrid1: TStringGrid"), 0);

    TInputSimulator::Click(Form2->Button1, {10, 10});
    ASSERT_EQ(designer->SelectionCount(), 1);
    EXPECT_EQ(designer->Selected(0), Form2->Button1);
    EXPECT_EQ(ComboText(), "Button1: TButton");
    EXPECT_EQ(RowValue("Left"), "8");
    EXPECT_EQ(RowValue("Top"), "32");

    // A drag moves by whole grid steps; the grid shows the new place.
    TInputSimulator::Drag(Form2->Button1->Handle(), {10, 10}, {31, 29});
    EXPECT_EQ(Form2->Button1->Left(), 24);
    EXPECT_EQ(Form2->Button1->Top(), 48);
    EXPECT_EQ(RowValue("Left"), "24");
    EXPECT_EQ(RowValue("Top"), "48");

    // A click on the form's background selects nothing and inspects the form again.
    TInputSimulator::Click(Form2->Handle(), {200, 12});
    EXPECT_EQ(designer->SelectionCount(), 0);
    EXPECT_EQ(ComboText(), "Form2: TForm2");

    Press(host->Button2);
    EXPECT_EQ(designer->Root(), nullptr);
    EXPECT_EQ(Form2->Designer(), nullptr);
    ClickCounter counter;
    Form2->Button1->OnClick = TNotifyEvent::Bind<&ClickCounter::Click>(&counter);
    TInputSimulator::Click(Form2->Button1, {10, 10});
    EXPECT_EQ(counter.clicks, 1) << "after EndEdit the button is a button again";
    EXPECT_EQ(designer->SelectionCount(), 0);
}

TEST_F(DemoHost, EndEditWithNothingDesignedAndEditForm2TwiceChangeNothing) {
    Press(host->Button2);
    EXPECT_EQ(designer->Root(), nullptr);
    EXPECT_TRUE(IsWindowVisible(Form2->Handle()));

    Press(host->Button1);
    TInputSimulator::Click(Form2->Button2, {10, 10});
    ASSERT_TRUE(designer->IsSelected(Form2->Button2));
    Press(host->Button1);
    EXPECT_EQ(designer->Root(), Form2);
    EXPECT_TRUE(designer->IsSelected(Form2->Button2)) << "the second press found the same root";
    EXPECT_EQ(ComboText(), "Button2: TButton");
}

TEST_F(DemoHost, ClosingForm2OnlyHidesItAndEditForm2BringsItBack) {
    // Designed: closing hides it, designing goes on with the selection intact.
    Press(host->Button1);
    TInputSimulator::Click(Form2->Button2, {10, 10});
    SendMessage(Form2->Handle(), WM_CLOSE, 0, 0);
    Application->ProcessMessages();
    EXPECT_FALSE(IsWindowVisible(Form2->Handle()));
    EXPECT_EQ(designer->Root(), Form2);
    Press(host->Button1);
    EXPECT_TRUE(IsWindowVisible(Form2->Handle()));
    EXPECT_TRUE(designer->IsSelected(Form2->Button2));

    // Not designed: closing hides it; Edit Form2 shows it and starts designing.
    Press(host->Button2);
    SendMessage(Form2->Handle(), WM_CLOSE, 0, 0);
    Application->ProcessMessages();
    EXPECT_FALSE(IsWindowVisible(Form2->Handle()));
    Press(host->Button1);
    EXPECT_TRUE(IsWindowVisible(Form2->Handle()));
    EXPECT_EQ(designer->Root(), Form2);
}

TEST_F(DemoHost, TheLastChosenClassIsPlacedOnTheNextPress) {
    Press(host->Button1);
    const int before = Form2->ComponentCount();
    Press(host->SpeedButton3); // Label
    EXPECT_EQ(designer->ClassToPlace(), TLabel::StaticClass());
    Press(host->SpeedButton4); // Button, before clicking on the form
    EXPECT_EQ(designer->ClassToPlace(), TButton::StaticClass());
    EXPECT_FALSE(host->SpeedButton4->Down()) << "speed buttons do not stay down";

    TInputSimulator::Click(Form2->Handle(), {160, 8});
    ASSERT_EQ(Form2->ComponentCount(), before + 1);
    TComponent* placed = Form2->Components(before);
    EXPECT_EQ(placed->ClassName(), "TButton");
    EXPECT_EQ(placed->Name(), "Button4");
    EXPECT_EQ(designer->ClassToPlace(), nullptr);
    EXPECT_EQ(ComboText(), "Button4: TButton");
    EXPECT_EQ(static_cast<TControl*>(placed)->Parent(), Form2);

    // A button placed over the panel's top edge: its grab handles, made before it, show above it and the
    // panel, all eight of them.
    Press(host->SpeedButton4);
    TInputSimulator::Click(Form2->Handle(), {330, 140});
    auto* over = static_cast<TControl*>(Form2->Components(before + 1));
    ASSERT_EQ(over->BoundsRect(), TRect::FromBounds(330, 140, 75, 25));
    TBitmap shot;
    GrabWindow(Form2->Handle(), shot);
    const int L = 330, T = 140, R = 330 + 75 - 1, B = 140 + 25 - 1;
    const TPoint centres[8] = {{L, T}, {(R + L) / 2, T}, {R, T}, {R, (B + T) / 2},
                               {R, B}, {(R + L) / 2, B}, {L, B}, {L, (B + T) / 2}};
    for (const TPoint& centre : centres)
        EXPECT_EQ(ColorToRGB(shot.Canvas()->Pixels(centre.X, centre.Y)), ColorToRGB(designer->HandleColor()))
            << centre.X << "," << centre.Y;
    TInputSimulator::KeyPress(VK_DELETE, {}, Form2->Handle());
    ASSERT_EQ(Form2->ComponentCount(), before + 1);

    // A non-visual class becomes a placeholder box on the form.
    Press(host->SpeedButton1); // Table
    TInputSimulator::Click(Form2->Handle(), {16, 8});
    ASSERT_EQ(Form2->ComponentCount(), before + 2);
    EXPECT_EQ(Form2->Components(before + 1)->ClassName(), "TTable");
    EXPECT_EQ(ComboText(), "Table2: TTable");
}

TEST_F(DemoHost, DesigningThePanelLeavesTheRestOfTheFormWorkingButKeysGoToTheDesigner) {
    ClickCounter counter;
    Form2->Button1->OnClick = TNotifyEvent::Bind<&ClickCounter::Click>(&counter);

    Press(host->Button5);
    ASSERT_EQ(designer->Root(), Form2->Panel1);
    TInputSimulator::Click(Form2->Button3, {10, 10});
    ASSERT_TRUE(designer->IsSelected(Form2->Button3));

    // Outside the panel the controls work as usual.
    TInputSimulator::Click(Form2->Button1, {10, 10});
    EXPECT_EQ(counter.clicks, 1);
    EXPECT_TRUE(designer->IsSelected(Form2->Button3));

    // A key pressed there still goes to the designer: Delete removes the selected Button3.
    TInputSimulator::KeyPress(VK_DELETE, {}, Form2->Button1->Handle());
    EXPECT_EQ(Form2->Button3, nullptr);
    EXPECT_EQ(Form2->Panel1->ControlCount(), 0);
    EXPECT_EQ(ComboText(), "Panel1: TPanel");

    // Switching straight to the whole form needs no EndEdit.
    Press(host->Button1);
    EXPECT_EQ(designer->Root(), Form2);
}

TEST_F(DemoHost, SaveToTextAndLoadFromTextGoThroughTheFileDialogs) {
    Press(host->Button1);
    TInputSimulator::Click(Form2->Button1, {10, 10});
    TInputSimulator::Drag(Form2->Button1->Handle(), {10, 10}, {42, 10});
    ASSERT_EQ(Form2->Button1->Left(), 40);

    // A name without extension gets the default one.
    const std::string base = (folder / "design").string();
    QueueFileChoice(base);
    Press(host->Button3);
    const std::filesystem::path saved = folder / "design.TXT";
    ASSERT_TRUE(std::filesystem::exists(saved));
    const std::string text = ReadFile(saved);
    EXPECT_EQ(text.rfind("object Form2: TForm2", 0), 0u) << text.substr(0, 80);
    const size_t button1 = text.find("object Button1: TButton");
    ASSERT_NE(button1, std::string::npos);
    EXPECT_NE(text.substr(button1, 60).find("Left = 40"), std::string::npos) << text.substr(button1, 100);
    EXPECT_NE(text.find("object Table1: TTable"), std::string::npos);

    // Change the design, then load the file back.
    TInputSimulator::Click(Form2->Button2, {10, 10});
    TInputSimulator::KeyPress(VK_DELETE, {}, Form2->Handle());
    ASSERT_EQ(Form2->Button2, nullptr);
    TInputSimulator::Drag(Form2->Button1->Handle(), {10, 10}, {10, 42});
    ASSERT_EQ(Form2->Button1->Top(), 64);

    QueueFileChoice(saved.string());
    Press(host->Button4);
    ASSERT_NE(Form2->Button2, nullptr) << "the deleted button is back";
    EXPECT_EQ(Form2->Button2->Parent(), Form2);
    EXPECT_EQ(Form2->Button1->BoundsRect(), TRect::FromBounds(40, 32, 75, 25));
    EXPECT_EQ(designer->Root(), Form2) << "still designing the same form";
    EXPECT_GE(inspector->Components->Items()->IndexOf("Button2: TButton"), 0);
    // Nothing is selected after the load: the inspector shows the root, and its combo says so.
    EXPECT_EQ(designer->SelectionCount(), 0);
    EXPECT_EQ(ComboText(), "Form2: TForm2");
    EXPECT_EQ(RowValue("Caption"), "Form2");

    // Cancelling either dialog does nothing.
    for (TButton* button : {host->Button3, host->Button4}) {
        TModalDriver::QueueAction(
            [](TObject* window) { static_cast<TCommonDialog*>(window)->ClickPart(dpCancel); });
        Press(button);
    }
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
}

TEST_F(DemoHost, AColourIsChosenFromTheInspectorsDropDownListWithSwatches) {
    Press(host->Button1);
    TInputSimulator::Click(Form2->Panel1, {150, 120});
    ASSERT_TRUE(designer->IsSelected(Form2->Panel1));
    ASSERT_GE(SelectRow("Color"), 0);
    auto* editor = dynamic_cast<TPropInplaceEditor*>(inspector->PropGrid()->InplaceEditor());
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(editor->ButtonKind(), TPropInplaceEditor::bkDropDown);
    TPopupListbox* list = editor->PopupList();

    const TRect button = editor->ButtonRect();
    TInputSimulator::Click(editor->Handle(),
                           {(button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2});
    ASSERT_TRUE(list->DroppedDown());
    EXPECT_EQ(list->Items()->Strings(list->ItemIndex()), "clBtnFace") << "the current value is selected";
    EXPECT_EQ(list->VisibleItemCount(), 8);
    // Below the editor, or above it when the screen ends first (the inspector sits at the bottom).
    const TRect listRect = GetWindowRect(list->Handle());
    const TRect editRect = GetWindowRect(editor->Handle());
    if (editRect.Bottom + listRect.Height() > GetSystemMetrics(SM_CYSCREEN))
        EXPECT_EQ(listRect.Bottom, editRect.Top);
    else
        EXPECT_EQ(listRect.Top, editRect.Bottom);
    EXPECT_EQ(listRect.Left, editRect.Left);
    EXPECT_EQ(listRect.Width(), editRect.Width());

    // Typing searches the list, not the editor; the swatch of the found colour shows in its row.
    TInputSimulator::TypeText("clre", editor->Handle());
    ASSERT_EQ(list->Items()->Strings(list->ItemIndex()), "clRed");
    TBitmap shot;
    GrabWindow(list->Handle(), shot);
    const TRect row = list->ItemRect(list->ItemIndex());
    EXPECT_EQ(ColorToRGB(shot.Canvas()->Pixels(row.Left + 8, row.Top + 8)), ColorToRGB(clRed));
    EXPECT_EQ(editor->Text(), "clBtnFace");

    // A click on the row chooses it; the property changes with Enter.
    TInputSimulator::Click(list->Handle(), {row.Left + 30, row.Top + 8});
    EXPECT_FALSE(list->DroppedDown());
    EXPECT_EQ(editor->Text(), "clRed");
    EXPECT_EQ(Form2->Panel1->Color(), clBtnFace);
    TInputSimulator::KeyPress(VK_RETURN, {}, editor->Handle());
    EXPECT_EQ(Form2->Panel1->Color(), clRed);
    EXPECT_EQ(RowValue("Color"), "clRed");
}

TEST_F(DemoHost, ABrokenFileIsReportedAndTheDesignStaysAsItWas) {
    Press(host->Button1);
    const std::filesystem::path broken = folder / "broken.TXT";
    {
        std::ofstream out(broken);
        out << "object Form2: TForm2\n  Left = \n  object Button9: TButton\nend\n";
    }
    const int before = Form2->ComponentCount();
    std::string reported;
    QueueFileChoice(broken.string());
    TModalDriver::QueueAction([&reported](TObject* window) {
        auto* box = static_cast<TMessageBox*>(window);
        reported = box->Text();
        box->ClickPart(dpOK);
    });
    Press(host->Button4);
    EXPECT_NE(reported.find("line"), std::string::npos) << reported;
    EXPECT_EQ(Form2->ComponentCount(), before);
    EXPECT_NE(Form2->Button2, nullptr);
    EXPECT_EQ(designer->Root(), Form2);

    // The host goes on working.
    TInputSimulator::Click(Form2->Button2, {10, 10});
    EXPECT_TRUE(designer->IsSelected(Form2->Button2));
    Press(host->Button2);
    EXPECT_EQ(designer->Root(), nullptr);
}

TEST_F(DemoHost, APictureIsLoadedIntoImage1ThroughTheInspector) {
    const std::filesystem::path sunrise =
        std::filesystem::path(FORMWRIGHT_SOURCE_DIR) / "demo/pictures/sunrise.svg";
    ASSERT_TRUE(std::filesystem::exists(sunrise));
    Press(host->Button1);
    TInputSimulator::Click(Form2->Image1, {20, 20});
    ASSERT_TRUE(designer->IsSelected(Form2->Image1));
    EXPECT_EQ(RowValue("Picture"), "(TBitmap)");
    ASSERT_GE(SelectRow("Picture"), 0);
    auto* editor = dynamic_cast<TPropInplaceEditor*>(inspector->PropGrid()->InplaceEditor());
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(editor->ButtonKind(), TPropInplaceEditor::bkEllipsis);

    TModalDriver::QueueAction([&](TObject* window) {
        auto* dialog = dynamic_cast<TPictureEditorDlg*>(window);
        ASSERT_NE(dialog, nullptr);
        QueueFileChoice(sunrise.string());
        Press(dialog->Load);
        Press(dialog->OK);
    });
    const TRect button = editor->ButtonRect();
    TInputSimulator::Click(editor->Handle(),
                           {(button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2});
    EXPECT_FALSE(TModalDriver::HasPendingActions());
    EXPECT_EQ(RowValue("Picture"), "(TMetafile)");
    EXPECT_EQ(Form2->Image1->Width(), 160) << "AutoSize takes the picture's size";
    EXPECT_EQ(Form2->Image1->Height(), 100);
    Application->ProcessMessages();
    TBitmap shot;
    GrabWindow(Form2->Handle(), shot);
    EXPECT_EQ(ColorToRGB(shot.Canvas()->Pixels(Form2->Image1->Left() + 10, Form2->Image1->Top() + 10)),
              0xEBCE87)
        << "the sky";
}

} // namespace

TEST_F(DemoHost, TheDesignerMenuAlignsTwoButtonsAndSetsTheTabOrder) {
    Press(host->Button1);
    TInputSimulator::Drag(Form2->Button1->Handle(), {10, 10}, {27, 10});
    ASSERT_EQ(Form2->Button1->Left(), 24);
    TInputSimulator::Click(Form2->Button2, {10, 10}, mbLeft, {ssShift});
    ASSERT_EQ(designer->SelectionCount(), 2);

    // "&Align..." by its accelerator, "&Right sides" checked, OK.
    TModalDriver::QueueAction([](TObject*) { TInputSimulator::KeyPress('A'); });
    TModalDriver::QueueAction([](TObject* window) {
        auto* dialog = static_cast<TAlignDialog*>(window);
        TInputSimulator::Click(dialog->hRightSides, {6, 9});
        Press(dialog->OKButton);
    });
    TInputSimulator::Click(Form2->Button2, {10, 10}, mbRight);
    EXPECT_EQ(Form2->Button2->Left(), 24);
    EXPECT_EQ(RowValue("Left"), "24") << "both selected buttons show the same Left";

    // "Tab &Order..." on the bare form: Button2's line dragged onto the first line.
    std::vector<std::string> lines;
    TModalDriver::QueueAction([this](TObject* window) {
        static_cast<TPopupMenu*>(window)->ClickItem(designer->DesignerMenuItem(7));
    });
    TModalDriver::QueueAction([&lines](TObject* window) {
        auto* dialog = static_cast<TTabOrderDlg*>(window);
        TListBox* list = dialog->TabList;
        for (int i = 0; i < list->Items()->Count(); ++i)
            lines.push_back(list->Items()->Strings(i));
        const TRect first = list->ItemRect(0), second = list->ItemRect(1);
        TInputSimulator::Drag(list->Handle(), {20, (second.Top + second.Bottom) / 2},
                              {20, (first.Top + first.Bottom) / 2});
        Press(dialog->OKButton);
    });
    TInputSimulator::Click(Form2->Handle(), {200, 12}, mbRight);
    EXPECT_EQ(lines, (std::vector<std::string>{"Button1: TButton", "Button2: TButton", "Panel1: TPanel",
                                               "StringGrid1: TStringGrid"}));
    EXPECT_EQ(Form2->Button2->TabOrder(), 0);
    EXPECT_EQ(Form2->Button1->TabOrder(), 1);
    TInputSimulator::Click(Form2->Button2, {10, 10});
    EXPECT_EQ(RowValue("TabOrder"), "0");
}

TEST_F(DemoHost, TheWalkthroughUndoesAMoveAndFiltersTheInspector) {
    Press(host->Button1);
    TInputSimulator::Drag(Form2->Button1->Handle(), {10, 10}, {31, 29});
    ASSERT_EQ(Form2->Button1->Left(), 24);
    TInputSimulator::KeyPress('Z', {ssCtrl}, Form2->Handle());
    EXPECT_EQ(Form2->Button1->Left(), 8);
    EXPECT_EQ(ComboText(), "Form2: TForm2") << "nothing was selected before the press";
    EXPECT_FALSE(designer->IsModified());
    TInputSimulator::KeyPress('Y', {ssCtrl}, Form2->Handle());
    EXPECT_EQ(Form2->Button1->Left(), 24);
    EXPECT_EQ(RowValue("Left"), "24");

    TInputSimulator::Click(Form2->Panel1, {150, 120});
    TInputSimulator::Click(inspector->Filter, {8, 8});
    TInputSimulator::TypeText("color", inspector->Filter->Handle());
    std::vector<std::string> rows;
    for (int i = 0; i < inspector->PropGrid()->VisibleRows().Count(); ++i)
        rows.push_back(inspector->PropGrid()->VisibleRow(i)->Name());
    EXPECT_EQ(rows, (std::vector<std::string>{"Color", "Font", "Color", "ParentColor"}));
    TInputSimulator::KeyPress(VK_ESCAPE, {}, inspector->Filter->Handle());
    EXPECT_GT(inspector->PropGrid()->VisibleRows().Count(), 4);
}
