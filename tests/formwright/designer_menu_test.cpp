// The designer menu through real input: a right click on the design surface adjusts the selection and
// opens the menu at the pointer, with its entries enabled by the selection; a click, the keyboard or an
// accelerator chooses a command; after the menu closes by a choice, Escape or a click elsewhere,
// designing goes on.
#include "designing_fixture.h"
#include "menu_driving.h"
#include "widgets/Label.h"

namespace {

struct Entry {
    std::string caption;
    bool enabled;
    bool operator==(const Entry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Entry& entry) {
    return out << entry.caption << (entry.enabled ? "" : " (disabled)");
}

struct MenuSeen {
    std::vector<Entry> entries;
    TRect firstItem;
};

// The next menu is looked at, then closed with Escape.
void QueueLookAndEscape(MenuSeen& seen) {
    TModalDriver::QueueAction([&seen](TObject* window) {
        auto* menu = static_cast<TPopupMenu*>(window);
        TMenuItem* items = menu->Items();
        for (int i = 0; i < items->Count(); ++i)
            seen.entries.push_back({items->Items(i)->Caption(), items->Items(i)->Enabled()});
        seen.firstItem = menu->ItemRect(items->Items(0));
        TInputSimulator::KeyPress(VK_ESCAPE);
    });
}

std::vector<Entry> MenuEntries(bool selection) {
    return {{"Align To &Grid", selection},
            {"Bring To &Front", selection},
            {"Send To &Back", selection},
            {"Revert to &inherited", false},
            {"-", true},
            {"&Align...", selection},
            {"&Size...", selection},
            {"Scal&e...", false},
            {"Tab &Order...", true},
            {"&Creation Order...", true},
            // Nothing was changed yet: there is nothing to undo or redo.
            {"-", true},
            {"Undo", false},
            {"Redo", false},
            {"-", true},
            {"Snap to G&uides", true},
            {"Check &Design...", true}};
}

} // namespace

TEST_F(Designing, ARightClickOpensTheMenuAtThePointerWithEntriesEnabledByTheSelection) {
    struct Case {
        const char* what;
        TPoint point;
        std::vector<std::string> selected;
    } cases[] = {
        {"on a control", {20, 40}, {"Button1"}},
        {"on a placeholder", {100, 165}, {"Table1"}},
        {"on the bare form", {300, 290}, {}},
    };
    for (const Case& c : cases) {
        MenuSeen seen;
        QueueLookAndEscape(seen);
        RightClick(FormWindow(), c.point);
        std::vector<std::string> selected;
        for (TControl* object : Selection())
            selected.push_back(NameOf(TFormwright::ComponentOf(object)));
        EXPECT_EQ(selected, c.selected) << c.what;
        EXPECT_EQ(seen.entries, MenuEntries(!c.selected.empty())) << c.what;
        const TPoint pointer = ClientToScreen(FormWindow(), c.point);
        EXPECT_LE(pointer.X, seen.firstItem.Left) << c.what;
        EXPECT_LE(pointer.Y, seen.firstItem.Top) << c.what;
        EXPECT_LT(seen.firstItem.Top - pointer.Y, 10) << c.what << ": the menu opens at the pointer";
    }
    for (int i = 0; i < 9; ++i) {
        TMenuItem* item = designer->DesignerMenuItem(i);
        EXPECT_EQ(item->ShortCut(), TShortCut(0)) << item->Caption();
        EXPECT_FALSE(item->Checked());
        EXPECT_EQ(item->HelpContext(), 0);
        EXPECT_EQ(item->Name(), "");
    }
}

TEST_F(Designing, AClickAnAcceleratorOrTheArrowKeysChooseACommand) {
    struct Case {
        const char* what;
        std::function<void()> choose;
    } cases[] = {
        {"a click", [this] { QueueMenuChoice(designer, "Align To &Grid"); }},
        {"the accelerator", [] { QueueMenuKeys({'G'}); }},
        {"Down and Enter",
         [] {
             QueueMenuKeys({VK_DOWN, VK_RETURN});
         }},
    };
    for (const Case& c : cases) {
        form->Button1->SetBounds(13, 21, 75, 25);
        c.choose();
        RightClick(FormWindow(), {20, 30});
        EXPECT_EQ(form->Button1->BoundsRect(), TRect::FromBounds(8, 16, 75, 25)) << c.what;
        EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button1}) << c.what;
    }
}

TEST_F(Designing, DesigningGoesOnAfterTheMenuClosesByEscapeOrAClickElsewhere) {
    struct Case {
        const char* what;
        std::function<void()> close;
    } cases[] = {
        {"Escape", [] { QueueMenuKeys({VK_ESCAPE}); }},
        {"a click elsewhere",
         [this] {
             TModalDriver::QueueAction([this](TObject*) {
                 TInputSimulator::Click(FormWindow(), {350, 50}); // beside the menu
             });
         }},
    };
    for (const Case& c : cases) {
        const int refreshes = inspector->Count("RefreshValues");
        form->Button1->SetBounds(13, 21, 75, 25);
        c.close();
        RightClick(FormWindow(), {20, 30});
        EXPECT_EQ(form->Button1->BoundsRect(), TRect::FromBounds(13, 21, 75, 25)) << c.what;
        // The click that closed the menu changed nothing in the design.
        EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button1}) << c.what;
        EXPECT_EQ(designer->DragMode(), ddNone) << c.what;
        EXPECT_EQ(inspector->Count("RefreshValues"), refreshes) << c.what << ": no command ran";
        for (const std::string& failure : TModalDriver::TakeFailures())
            ADD_FAILURE() << c.what << ": " << failure;
        // The hooks are back: a click selects and a drag moves.
        Click({20, 70});
        EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button2}) << c.what;
        Drag({20, 70}, {36, 86});
        EXPECT_EQ(form->Button2->BoundsRect(), TRect::FromBounds(24, 80, 75, 25)) << c.what;
        form->Button2->SetBounds(8, 64, 75, 25);
    }
}

TEST_F(Designing, TheRightClickStillReachesTheControlAfterTheMenu) {
    struct TDowns : TObject {
        int rights = 0;
        bool menuWasClosed = true;
        void Down(TObject*, TMouseButton button, TShiftState, int, int) {
            rights += button == mbRight;
            menuWasClosed = menuWasClosed && TModalDriver::ActiveWindow() == nullptr;
        }
    } downs;
    form->Button1->OnMouseDown = TMouseEvent::Bind<&TDowns::Down>(&downs);
    QueueMenuKeys({VK_ESCAPE});
    RightClick(FormWindow(), {20, 40});
    EXPECT_EQ(downs.rights, 1);
    EXPECT_TRUE(downs.menuWasClosed);
}

namespace {

// A designer whose menu is its own: one command, none of the standard ones.
class TOwnMenuDesigner : public TFormwright {
    FW_CLASS(TOwnMenuDesigner, TFormwright)
public:
    int Clicks = 0;
    void MineClick(TObject*) { ++Clicks; }
    std::unique_ptr<TPopupMenu> CreateDesignerMenu() override {
        auto menu = std::make_unique<TPopupMenu>(nullptr);
        auto* item = new TMenuItem(nullptr);
        item->SetCaption("Only mine");
        item->OnClick = TNotifyEvent::Bind<&TOwnMenuDesigner::MineClick>(this);
        menu->Items()->Add(item);
        return menu;
    }
};

} // namespace

FW_PUBLISH(TOwnMenuDesigner) {
}

// The menu is built when it is first needed, so the subclass's menu is the one shown, and a menu without
// the standard commands is shown as it is.
TEST_F(Designing, ADesignerSubclassShowsItsOwnMenuWithoutTheStandardCommands) {
    designer->SetRoot(nullptr);
    TOwnMenuDesigner own;
    own.SetRoot(form);
    Application->ProcessMessages();
    QueueMenuChoice(&own, "Only mine");
    TInputSimulator::Click(form->Button1, {5, 5}, mbRight);
    EXPECT_EQ(TModalDriver::PendingActions(), 0);
    EXPECT_EQ(own.Clicks, 1);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(own.DesignerMenuItem(i), nullptr) << i;
    EXPECT_EQ(own.UndoMenuItem(), nullptr);
    own.SetRoot(nullptr);
}
