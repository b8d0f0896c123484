// The arrangement commands of the designer menu through real input: the selection is made by clicks, the
// command chosen from the menu opened by a right click, its dialog answered with radio buttons, typing
// and buttons; then bounds, the selection, z-order (in a grabbed image) and the reports are checked.
#include "EditContainer.h"
#include "ObjAlign.h"
#include "ObjSize.h"
#include "components/Table.h"
#include "designing_fixture.h"
#include "dialogs/MessageBox.h"
#include "menu_driving.h"
#include "widgets/Edit.h"
#include "widgets/RadioButton.h"
#include "widgets/StringGrid.h"

#include <functional>

namespace {

struct Arranging : Designing {
    // Selects the objects in this order: a click on the first, shift-clicks on the others.
    void SelectInOrder(std::initializer_list<TControl*> objects) {
        Click({300, 290}); // nothing selected
        bool first = true;
        for (TControl* object : objects) {
            TInputSimulator::Click(object, Middle(object), mbLeft,
                                   first ? TShiftState{} : TShiftState{ssShift});
            first = false;
        }
        ASSERT_EQ(designer->SelectionCount(), static_cast<int>(objects.size()));
    }
    // Opens the menu with a right click on a selected object and chooses the command; `answer` answers
    // the command's dialog.
    template <class Dialog = TForm>
    void Command(const std::string& caption, TControl* at, std::function<void(Dialog&)> answer = {}) {
        QueueMenuChoice(designer, caption);
        if (answer) QueueDialog<Dialog>(std::move(answer));
        TInputSimulator::Click(at, Middle(at), mbRight);
        EXPECT_EQ(TModalDriver::PendingActions(), 0) << caption << ": a queued answer was not used";
    }
    // Button1 at (8, 32) 75 x 25 and Button2 at (40, 64) 50 x 41, selected in this order.
    void SelectTwoButtons() {
        form->Button1->SetBounds(8, 32, 75, 25);
        form->Button2->SetBounds(40, 64, 50, 41);
        SelectInOrder({form->Button1, form->Button2});
    }
    TButton* AddButton(const std::string& name, TRect bounds) {
        auto* button = CreateComponent<TButton>(form);
        button->SetName(name);
        button->SetParent(form);
        button->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        Application->ProcessMessages();
        return button;
    }
    int Refreshes() const { return inspector->Count("RefreshValues"); }
    // Whether every pixel of an area of the form shows the control there, not something above it.
    bool ShowsOnTop(TWinControl* control, TRect area) {
        Application->ProcessMessages();
        TBitmap whole, own;
        GrabWindow(FormWindow(), whole);
        GrabWindow(control->Handle(), own);
        TPoint origin{0, 0};
        MapWindowPoints(control->Handle(), FormWindow(), &origin, 1);
        for (int x = area.Left; x <= area.Right; ++x)
            for (int y = area.Top; y <= area.Bottom; ++y)
                if (whole.Canvas()->Pixels(x, y) != own.Canvas()->Pixels(x - origin.X, y - origin.Y))
                    return false;
        return true;
    }
};

using TAlignButton = TRadioButton* TAlignDialog::*;
using TSizeButton = TRadioButton* TSizeDialog::*;

} // namespace

TEST_F(Arranging, AlignMovesTheOthersToTheFirstSelectedControl) {
    struct Case {
        const char* what;
        TAlignButton horizontal;
        TAlignButton vertical;
        uint16_t confirm; // Enter for OK, Escape for Cancel
        TRect button2;
        bool reported;
    } cases[] = {
        {"left sides", &TAlignDialog::hLeftSides, nullptr, VK_RETURN, TRect::FromBounds(8, 64, 50, 41), true},
        {"centers", &TAlignDialog::hCenters, nullptr, VK_RETURN, TRect::FromBounds(20, 64, 50, 41), true},
        {"right sides and bottoms", &TAlignDialog::hRightSides, &TAlignDialog::vBottoms, VK_RETURN,
         TRect::FromBounds(33, 16, 50, 41), true},
        {"tops", nullptr, &TAlignDialog::vTops, VK_RETURN, TRect::FromBounds(40, 32, 50, 41), true},
        {"vertical centers", nullptr, &TAlignDialog::vCenters, VK_RETURN, TRect::FromBounds(40, 24, 50, 41),
         true},
        {"no change twice", nullptr, nullptr, VK_RETURN, TRect::FromBounds(40, 64, 50, 41), false},
        {"a choice, then Cancel", &TAlignDialog::hLeftSides, &TAlignDialog::vTops, VK_ESCAPE,
         TRect::FromBounds(40, 64, 50, 41), false},
    };
    for (const Case& c : cases) {
        SelectTwoButtons();
        const int refreshes = Refreshes();
        Command<TAlignDialog>("&Align...", form->Button2, [&c](TAlignDialog& dialog) {
            EXPECT_TRUE(dialog.hNoChange->Checked() && dialog.vNoChange->Checked())
                << "every run starts anew";
            if (c.horizontal) ClickOn(dialog.*c.horizontal);
            if (c.vertical) ClickOn(dialog.*c.vertical);
            TInputSimulator::KeyPress(c.confirm, {}, dialog.Handle());
        });
        EXPECT_EQ(form->Button1->BoundsRect(), TRect::FromBounds(8, 32, 75, 25)) << c.what;
        EXPECT_EQ(form->Button2->BoundsRect(), c.button2) << c.what;
        EXPECT_EQ(Refreshes() > refreshes, c.reported) << c.what;
        EXPECT_EQ(Selection(), (std::vector<TControl*>{form->Button1, form->Button2})) << c.what;
    }
}

TEST_F(Arranging, CenterInWindowCentresTheSelectionAsAGroup) {
    form->Button1->SetBounds(8, 32, 75, 25);
    form->Button2->SetBounds(40, 64, 50, 41);
    SelectInOrder({form->Button2, form->Button1});
    Command<TAlignDialog>("&Align...", form->Button1, [](TAlignDialog& dialog) {
        ClickOn(dialog.hCenterInWindow);
        ClickOn(dialog.vCenterInWindow);
        ClickOn(dialog.OKButton);
    });
    const TRect b1 = form->Button1->BoundsRect(), b2 = form->Button2->BoundsRect();
    EXPECT_EQ(b2.Left - b1.Left, 32) << "relative places kept";
    EXPECT_EQ(b2.Top - b1.Top, 32);
    EXPECT_EQ(b1.Width(), 75);
    EXPECT_EQ(b2.Height(), 41);
    const int leftMargin = b1.Left, rightMargin = form->ClientWidth() - b2.Right;
    const int topMargin = b1.Top, bottomMargin = form->ClientHeight() - b2.Bottom;
    EXPECT_LE(std::abs(leftMargin - rightMargin), 1) << leftMargin << " vs " << rightMargin;
    EXPECT_LE(std::abs(topMargin - bottomMargin), 1) << topMargin << " vs " << bottomMargin;
    EXPECT_GT(leftMargin, 100);
    EXPECT_TRUE(designer->IsModified());
}

TEST_F(Arranging, SpaceEquallySpreadsTheGapsAndLeavesTheSelectionSorted) {
    struct Case {
        const char* what;
        TAlignButton button;
        TRect a, b, c;      // selected c, b, a
        int bMoved, cMoved; // Left or Top afterwards
        TSizeButton follow; // a size command taking the first entry as its reference
    } cases[] = {
        {"horizontal", &TAlignDialog::hSpaceEqual, TRect::FromBounds(0, 100, 10, 20),
         TRect::FromBounds(15, 130, 10, 24), TRect::FromBounds(31, 230, 10, 28), 15, 30,
         &TSizeDialog::vSameAsFirst},
        {"vertical", &TAlignDialog::vSpaceEqual, TRect::FromBounds(0, 100, 20, 10),
         TRect::FromBounds(30, 130, 24, 10), TRect::FromBounds(60, 161, 28, 10), 130, 160,
         &TSizeDialog::hSameAsFirst},
    };
    for (const Case& c : cases) {
        TButton* a = AddButton("A", c.a);
        TButton* b = AddButton("B", c.b);
        TButton* last = AddButton("C", c.c);
        SelectInOrder({last, b, a});
        Command<TAlignDialog>("&Align...", b, [&c](TAlignDialog& dialog) {
            ClickOn(dialog.*c.button);
            ClickOn(dialog.OKButton);
        });
        const bool horizontal = c.button == &TAlignDialog::hSpaceEqual;
        auto position = [horizontal](TControl* control) {
            return horizontal ? control->Left() : control->Top();
        };
        EXPECT_EQ(position(a), horizontal ? 0 : 100) << c.what << ": the first never moves";
        EXPECT_EQ(position(b), c.bMoved) << c.what;
        EXPECT_EQ(position(last), c.cMoved) << c.what;
        EXPECT_EQ(Selection(), (std::vector<TControl*>{a, b, last})) << c.what << ": sorted by position";

        Command<TSizeDialog>("&Size...", b, [&c](TSizeDialog& dialog) {
            ClickOn(dialog.*c.follow);
            ClickOn(dialog.OKButton);
        });
        for (TControl* control : {a, b, last})
            EXPECT_EQ(horizontal ? control->Height() : control->Width(), 20) << c.what << ": the leftmost's";
        delete a;
        delete b;
        delete last;
    }
}

TEST_F(Arranging, AlignAndSizeKeepOnlyTheFirstSelectedControlsSiblings) {
    form->Button1->SetBounds(8, 32, 75, 25);
    SelectInOrder({form->Button1, form->Button3});
    Command<TAlignDialog>("&Align...", form->Button1, [](TAlignDialog& dialog) {
        ClickOn(dialog.hLeftSides);
        ClickOn(dialog.OKButton);
    });
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button1});
    EXPECT_EQ(form->Button3->BoundsRect(), TRect::FromBounds(16, 16, 75, 25))
        << "nothing moves with one left";

    // A cancelled size dialog still restricts the selection.
    SelectInOrder({form->Button3, form->Button1, form->Button2});
    Command<TSizeDialog>("&Size...", form->Button1, [](TSizeDialog& dialog) {
        ClickOn(dialog.hGrow);
        ClickOn(dialog.CancelButton);
    });
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button3});
    EXPECT_EQ(inspector->Calls.back(), "InspectObject Button3");
}

TEST_F(Arranging, AlignToGridSnapsInRootCoordinatesWhateverTheParent) {
    form->StringGrid1->SetBounds(250, 8, 100, 40);
    form->Panel1->SetBounds(100, 50, 185, 120);
    form->Button1->SetBounds(13, 21, 75, 25);
    form->Button3->SetBounds(5, 5, 75, 25);
    Application->ProcessMessages();
    TPoint clientOrigin{0, 0};
    MapWindowPoints(form->Panel1->Handle(), FormWindow(), &clientOrigin, 1);
    ASSERT_EQ(clientOrigin, (TPoint{100, 50}));
    SelectInOrder({form->Button1, form->Button3});
    Command("Align To &Grid", form->Button1);
    EXPECT_EQ(form->Button1->BoundsRect(), TRect::FromBounds(8, 16, 75, 25));
    EXPECT_EQ(form->Button3->BoundsRect(), TRect::FromBounds(4, -2, 75, 25))
        << "towards zero in root coordinates";
    EXPECT_EQ(designer->SelectionCount(), 2) << "no restriction to one parent";

    // A single control: its handles follow it.
    SelectInOrder({form->Button2});
    form->Button2->SetBounds(11, 67, 75, 25);
    Command("Align To &Grid", form->Button2);
    EXPECT_EQ(form->Button2->BoundsRect(), TRect::FromBounds(8, 64, 75, 25));
    EXPECT_EQ(HandleAt(0), (TPoint{6, 62}));
}

TEST_F(Arranging, SizeAppliesEachGroupsChoiceToEverySelectedControl) {
    struct Case {
        const char* what;
        TSizeButton width;
        TSizeButton height;
        std::string typed; // into the box of an absolute button
        TRect b1, b2;
        bool reported;
    } cases[] = {
        {"grow widths, shrink heights", &TSizeDialog::hGrow, &TSizeDialog::vShrink, "",
         TRect::FromBounds(8, 32, 75, 25), TRect::FromBounds(40, 64, 75, 25), true},
        {"same width as the first", &TSizeDialog::hSameAsFirst, nullptr, "", TRect::FromBounds(8, 32, 75, 25),
         TRect::FromBounds(40, 64, 75, 41), true},
        {"grow heights only", nullptr, &TSizeDialog::vGrow, "", TRect::FromBounds(8, 32, 75, 41),
         TRect::FromBounds(40, 64, 50, 41), true},
        {"absolute width", &TSizeDialog::hAbsolute, nullptr, "120", TRect::FromBounds(8, 32, 120, 25),
         TRect::FromBounds(40, 64, 120, 41), true},
        {"absolute height", nullptr, &TSizeDialog::vAbsolute, "60", TRect::FromBounds(8, 32, 75, 60),
         TRect::FromBounds(40, 64, 50, 60), true},
        {"no change", nullptr, nullptr, "", TRect::FromBounds(8, 32, 75, 25),
         TRect::FromBounds(40, 64, 50, 41), false},
    };
    for (const Case& c : cases) {
        SelectTwoButtons();
        const int refreshes = Refreshes();
        Command<TSizeDialog>("&Size...", form->Button2, [&c](TSizeDialog& dialog) {
            if (c.width) ClickOn(dialog.*c.width);
            if (c.height) ClickOn(dialog.*c.height);
            if (!c.typed.empty()) TInputSimulator::TypeText(c.typed, dialog.Handle());
            TInputSimulator::KeyPress(VK_RETURN, {}, dialog.Handle());
        });
        EXPECT_EQ(form->Button1->BoundsRect(), c.b1) << c.what;
        EXPECT_EQ(form->Button2->BoundsRect(), c.b2) << c.what;
        EXPECT_EQ(Refreshes() > refreshes, c.reported) << c.what;
    }
}

TEST_F(Arranging, TheSizeDialogsBoxFollowsItsAbsoluteButton) {
    SelectInOrder({form->Button1, form->Button2});
    Command<TSizeDialog>("&Size...", form->Button1, [](TSizeDialog& dialog) {
        EXPECT_FALSE(dialog.hWidth->Enabled());
        EXPECT_FALSE(dialog.vHeight->Enabled());
        ClickOn(dialog.hAbsolute);
        EXPECT_TRUE(dialog.hWidth->Enabled());
        EXPECT_EQ(dialog.ActiveControl(), dialog.hWidth) << "checking the button enters the box";
        ClickOn(dialog.hGrow);
        EXPECT_FALSE(dialog.hWidth->Enabled());
        // The arrow keys check the next button of the group, which enters the box as well.
        ClickOn(dialog.vGrow);
        TInputSimulator::KeyPress(VK_DOWN, {}, dialog.Handle());
        EXPECT_TRUE(dialog.vAbsolute->Checked());
        EXPECT_TRUE(dialog.vHeight->Enabled());
        EXPECT_EQ(dialog.ActiveControl(), dialog.vHeight);
        TInputSimulator::KeyPress(VK_ESCAPE, {}, dialog.Handle());
    });
    EXPECT_EQ(form->Button1->BoundsRect(), TRect::FromBounds(8, 32, 75, 25));
}

TEST_F(Arranging, TheSizeDialogRefusesAnAbsoluteSizeThatIsNoWholeNumberInRange) {
    std::vector<std::string> shown;
    std::vector<std::string> selectedAfter;
    QueueMenuChoice(designer, "&Size...");
    QueueDialog<TSizeDialog>([&](TSizeDialog& dialog) {
        ClickOn(dialog.hAbsolute);
        for (const char* text : {"abc", "0", "32768", "", "90"}) {
            dialog.hWidth->SelectAll();
            if (*text)
                TInputSimulator::TypeText(text, dialog.Handle());
            else
                TInputSimulator::KeyPress(VK_DELETE, {}, dialog.Handle());
            ClickOn(dialog.OKButton);
            if (dialog.ModalResult() != mrNone) break;
            EXPECT_EQ(dialog.ActiveControl(), dialog.hWidth) << text;
            selectedAfter.push_back(dialog.hWidth->SelText());
        }
    });
    for (int i = 0; i < 4; ++i)
        TModalDriver::QueueAction([&shown](TObject* window) {
            auto* box = dynamic_cast<TMessageBox*>(window);
            ASSERT_NE(box, nullptr);
            shown.push_back(box->Text());
            box->ClickPart(dpOK);
        });
    SelectTwoButtons();
    const int refreshes = Refreshes();
    TInputSimulator::Click(form->Button1, Middle(form->Button1), mbRight);
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "'abc' is not a valid integer value", "Value must be between 1 and 32767",
                         "Value must be between 1 and 32767", "'' is not a valid integer value"}));
    EXPECT_EQ(selectedAfter, (std::vector<std::string>{"abc", "0", "32768", ""}));
    EXPECT_EQ(Refreshes(), refreshes + 1) << "one size applied, at the end";
    EXPECT_EQ(form->Button1->Width(), 90);
    EXPECT_EQ(form->Button2->Width(), 90);
}

TEST_F(Arranging, OneSelectedControlIsNeitherAlignedNorSized) {
    form->Button1->SetBounds(13, 32, 75, 25);
    SelectInOrder({form->Button1});
    const int refreshes = Refreshes();
    Command<TAlignDialog>("&Align...", form->Button1, [](TAlignDialog& dialog) {
        ClickOn(dialog.hCenterInWindow);
        ClickOn(dialog.OKButton);
    });
    Command<TSizeDialog>("&Size...", form->Button1, [](TSizeDialog& dialog) {
        ClickOn(dialog.hAbsolute);
        TInputSimulator::TypeText("200", dialog.Handle());
        ClickOn(dialog.OKButton);
    });
    EXPECT_EQ(form->Button1->BoundsRect(), TRect::FromBounds(13, 32, 75, 25));
    EXPECT_EQ(Refreshes(), refreshes);
}

TEST_F(Arranging, BringToFrontRaisesTheSelectionThenThePlaceholdersAndSendToBackLowersIt) {
    // The grid overlaps the panel (the grid is above it) and covers both placeholders.
    form->StringGrid1->SetBounds(40, 140, 260, 60);
    TEditContainer* box = designer->PlaceholderOf(form->Table1);
    const TRect overlap{205, 150, 235, 195}; // panel and grid
    const TRect boxArea{96, 160, 123, 187};  // grid and the table's box
    SelectInOrder({form->Panel1});
    ASSERT_TRUE(ShowsOnTop(form->StringGrid1, overlap));
    ASSERT_TRUE(ShowsOnTop(box, boxArea));

    const int refreshes = Refreshes();
    Command("Bring To &Front", form->Panel1);
    EXPECT_TRUE(ShowsOnTop(form->Panel1, overlap));
    EXPECT_EQ(form->Controls(form->ControlCount() - 1), form->Panel1);
    EXPECT_TRUE(designer->IsModified());
    EXPECT_EQ(Refreshes(), refreshes) << "the modified flag alone";

    SelectInOrder({form->StringGrid1, box});
    Command("Bring To &Front", form->StringGrid1);
    EXPECT_TRUE(ShowsOnTop(form->StringGrid1, overlap));
    EXPECT_TRUE(ShowsOnTop(box, boxArea)) << "placeholders stay above the controls";

    SelectInOrder({form->StringGrid1});
    Command("Send To &Back", form->StringGrid1);
    EXPECT_TRUE(ShowsOnTop(form->Panel1, overlap));
    EXPECT_EQ(form->Controls(0), form->StringGrid1);
    Command("Bring To &Front", form->StringGrid1);
    EXPECT_EQ(PixelOf(FormWindow(), HandleAt(0).X + 2, HandleAt(0).Y + 2), designer->HandleColor())
        << "the handles are raised above the control";
    EXPECT_EQ(Refreshes(), refreshes);
}
