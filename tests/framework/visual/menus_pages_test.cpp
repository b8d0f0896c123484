// Popup menus chosen by input inside their loop, page controls switched by their tabs, image lists drawn
// and stored.
#include "core/Streams.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "streaming/Filer.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/InputSimulator.h"
#include "ui/ModalLoop.h"
#include "ui/Windows.h"
#include "widgets/ImageList.h"
#include "widgets/Menus.h"
#include "widgets/PageControl.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::vector<std::string>* menuLog = nullptr;
HHOOK menuHook = nullptr;

LRESULT MenuLoopHook(int code, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallNextHookEx(menuHook, code, wParam, lParam);
    const auto* info = &HookRecord<CWPSTRUCT>(lParam);
    if (menuLog && (info->message == WM_ENTERMENULOOP || info->message == WM_EXITMENULOOP)) {
        TWinControl* control = FindControl(info->hwnd);
        menuLog->push_back(std::string(info->message == WM_ENTERMENULOOP ? "enter " : "exit ") +
                           (control ? control->Name() : "?"));
    }
    return result;
}

struct Clicks {
    std::vector<std::string>* log;
    void Click(TObject* sender) { log->push_back("click " + static_cast<TComponent*>(sender)->Name()); }
};

struct Menus : ::testing::Test {
    void SetUp() override {
        TModalDriver::SetStrict(true);
        form = new TForm(nullptr);
        form->SetName("Form1");
        form->SetBounds(40, 40, 300, 200);
        form->Show();
        menu = new TPopupMenu(form);
        clicks = std::make_unique<Clicks>(Clicks{&log});
        for (const char* caption : {"Align To &Grid", "-", "&Size...", "Scal&e..."}) {
            auto* item = new TMenuItem(form);
            item->SetCaption(caption);
            item->OnClick = TNotifyEvent::Bind<&Clicks::Click>(clicks.get());
            menu->Items()->Add(item);
        }
        menu->Items()->Items(0)->SetName("GridItem");
        menu->Items()->Items(2)->SetName("SizeItem");
        menu->Items()->Items(3)->SetName("ScaleItem");
        menu->Items()->Items(3)->SetEnabled(false);
        menuLog = &log;
        menuHook = SetWindowsHookEx(WH_CALLWNDPROC, &MenuLoopHook);
    }
    void TearDown() override {
        UnhookWindowsHookEx(menuHook);
        menuLog = nullptr;
        delete form;
        for (const std::string& f : TModalDriver::TakeFailures())
            ADD_FAILURE() << f;
        TModalDriver::SetStrict(false);
    }
    TForm* form = nullptr;
    TPopupMenu* menu = nullptr;
    std::unique_ptr<Clicks> clicks;
    std::vector<std::string> log;
};

TEST_F(Menus, AnItemClickedInsideTheLoopRunsAfterTheExitMessage) {
    TRect itemRect;
    TModalDriver::QueueAction([&](TObject* window) {
        auto* m = dynamic_cast<TPopupMenu*>(window);
        ASSERT_EQ(m, menu);
        EXPECT_TRUE(m->Showing());
        EXPECT_EQ(log, (std::vector<std::string>{"enter Form1"})) << "entered before the menu shows";
        itemRect = m->ItemRect(m->Items()->Items(2));
        m->ClickItem(m->Items()->Items(2));
    });
    const TPoint at = form->ClientToScreen({20, 30});
    menu->Popup(at.X, at.Y);
    EXPECT_EQ(log, (std::vector<std::string>{"enter Form1", "exit Form1", "click SizeItem"}));
    EXPECT_FALSE(menu->Showing());
    EXPECT_GE(itemRect.Top, at.Y) << "the menu opened at the point";
    EXPECT_GE(itemRect.Left, at.X);
}

TEST_F(Menus, KeysChooseByAcceleratorAndEscapeChoosesNothing) {
    struct Case {
        std::vector<uint16_t> keys;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {{'G'}, {"enter Form1", "exit Form1", "click GridItem"}},
        {{VK_DOWN, VK_DOWN, VK_RETURN}, {"enter Form1", "exit Form1", "click SizeItem"}},
        {{'E', VK_ESCAPE}, {"enter Form1", "exit Form1"}}, // a disabled item does nothing
        {{VK_ESCAPE}, {"enter Form1", "exit Form1"}},
    };
    for (const Case& c : cases) {
        log.clear();
        TModalDriver::QueueAction([&](TObject*) {
            for (uint16_t key : c.keys)
                TInputSimulator::KeyPress(key);
        });
        menu->Popup(100, 100);
        EXPECT_EQ(log, c.expected) << c.keys.size();
    }
}

TEST_F(Menus, OnPopupRunsFirstAndTheOwnerlessMenuHasAWindowToo) {
    auto* free = new TPopupMenu(nullptr);
    auto* item = new TMenuItem(nullptr);
    item->SetCaption("&Tab Order...");
    free->Items()->Add(item);
    EXPECT_NE(free->WindowHandle(), nullptr);
    EXPECT_NE(free->WindowHandle(), form->Handle());
    free->SetPopupComponent(form);
    EXPECT_EQ(free->WindowHandle(), form->Handle()) << "the control it pops up for owns it";
    bool popupRan = false;
    struct Popup {
        bool* ran;
        TPopupMenu* menu;
        void Run(TObject*) {
            *ran = true;
            menu->Items()->Items(0)->SetEnabled(false);
        }
    } handler{&popupRan, free};
    free->OnPopup = TNotifyEvent::Bind<&Popup::Run>(&handler);
    TModalDriver::QueueAction([](TObject*) {
        TInputSimulator::KeyPress('T');
        TInputSimulator::KeyPress(VK_ESCAPE);
    });
    free->Popup(10, 10);
    EXPECT_TRUE(popupRan);
    delete free; // frees its items
}

TEST(MenuItems, TreeOperations) {
    TMenuItem root(nullptr);
    auto* a = new TMenuItem(nullptr);
    auto* b = new TMenuItem(nullptr);
    auto* c = new TMenuItem(nullptr);
    root.Add(a);
    root.Add(b);
    b->Add(c);
    EXPECT_EQ(root.Count(), 2);
    EXPECT_EQ(c->Parent(), b);
    EXPECT_THROW(c->Add(&root), EMenuError) << "an item inside itself";
    EXPECT_THROW(root.Items(5), EMenuError);
    b->SetMenuIndex(0);
    EXPECT_EQ(root.Items(0), b);
    a->Add(c); // moves
    EXPECT_EQ(b->Count(), 0);
    EXPECT_EQ(c->Parent(), a);
    delete a; // takes c with it and leaves root
    EXPECT_EQ(root.Count(), 1);
}

// ---- page control -----------------------------------------------------------------------------------------

struct Changes {
    int changes = 0;
    bool allow = true;
    void Change(TObject*) { ++changes; }
    void Changing(TObject*, bool& allowChange) { allowChange = allow; }
};

TEST(PageControl, TabsSwitchPagesByClickAndKeys) {
    TForm form(nullptr);
    form.SetBounds(10, 10, 300, 220);
    auto* pages = new TPageControl(&form);
    pages->SetParent(&form);
    pages->SetBounds(5, 5, 280, 200);
    pages->SetTabWidth(68);
    TTabSheet* sheets[3];
    for (int i = 0; i < 3; ++i) {
        sheets[i] = new TTabSheet(&form);
        sheets[i]->SetCaption(i == 0 ? "Properties" : i == 1 ? "Events" : "More");
        sheets[i]->SetPageControl(pages);
    }
    sheets[1]->SetColor(clRed);
    Changes changes;
    pages->OnChange = TNotifyEvent::Bind<&Changes::Change>(&changes);
    pages->OnChanging = TTabChangingEvent::Bind<&Changes::Changing>(&changes);
    form.Show();
    Application->ProcessMessages();

    EXPECT_EQ(pages->ActivePage(), sheets[0]) << "the first page is active";
    EXPECT_EQ(pages->TabRect(1), (TRect{70, 2, 138, pages->TabRect(1).Bottom}));
    const TRect tab = pages->TabRect(1);
    TInputSimulator::Click(pages->Handle(), {tab.Left + 10, tab.Top + 5});
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    EXPECT_EQ(changes.changes, 1);
    EXPECT_TRUE(sheets[1]->Visible());
    EXPECT_FALSE(sheets[0]->Visible());
    EXPECT_EQ(sheets[1]->BoundsRect(), pages->DisplayRect());
    Application->ProcessMessages();
    TBitmap shot;
    GrabWindow(pages->Handle(), shot);
    const TRect display = pages->DisplayRect();
    EXPECT_EQ(ColorToRGB(shot.Canvas()->Pixels(display.Left + 20, display.Top + 20)), ColorToRGB(clRed));

    TInputSimulator::KeyPress(VK_RIGHT, {}, pages->Handle());
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    TInputSimulator::KeyPress(VK_RIGHT, {}, pages->Handle());
    EXPECT_EQ(pages->ActivePage(), sheets[0]) << "wraps around";
    EXPECT_EQ(changes.changes, 3);

    changes.allow = false;
    TInputSimulator::Click(pages->Handle(), {tab.Left + 10, tab.Top + 5});
    EXPECT_EQ(pages->ActivePage(), sheets[0]) << "OnChanging refused";
    EXPECT_EQ(changes.changes, 3);

    pages->SetActivePage(sheets[2]);
    EXPECT_EQ(changes.changes, 3) << "setting the page by code runs no OnChange";
    sheets[2]->SetPageIndex(0);
    EXPECT_EQ(pages->Pages(0), sheets[2]);
    delete sheets[2];
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_NE(pages->ActivePage(), nullptr) << "another page takes over";
    EXPECT_EQ(pages->IndexOfTabAt(-5, -5), -1);
}

// ---- image list -------------------------------------------------------------------------------------------

// A 9 x 9 plus on a fuchsia background, and a 9 x 9 minus.
void PlusMinusStrip(TBitmap& strip) {
    strip.SetSize(18, 9);
    TCanvas* c = strip.Canvas();
    c->Brush()->SetColor(clFuchsia);
    c->FillRect({0, 0, 18, 9});
    c->Brush()->SetColor(clBlack);
    c->FillRect({4, 1, 5, 8});
    c->FillRect({1, 4, 8, 5});
    c->FillRect({10, 4, 17, 5});
}

TEST(ImageList, DrawsGlyphsWithTheirTransparentColour) {
    TImageList images(nullptr);
    images.SetWidth(9);
    images.SetHeight(9);
    TBitmap strip;
    PlusMinusStrip(strip);
    EXPECT_EQ(images.AddMasked(&strip, clFuchsia), 0);
    EXPECT_EQ(images.Count(), 2) << "a strip adds one glyph per column";

    TBitmap target;
    target.SetSize(40, 20);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect({0, 0, 40, 20});
    images.Draw(target.Canvas(), 5, 5, 0);
    images.Draw(target.Canvas(), 20, 5, 1, false);
    TCanvas* t = target.Canvas();
    EXPECT_EQ(ColorToRGB(t->Pixels(5 + 4, 5 + 2)), ColorToRGB(clBlack)) << "the plus's vertical bar";
    EXPECT_EQ(ColorToRGB(t->Pixels(5 + 0, 5 + 0)), ColorToRGB(clWhite)) << "the background stays";
    EXPECT_EQ(ColorToRGB(t->Pixels(20 + 4, 5 + 2)), ColorToRGB(clWhite)) << "the minus has no vertical bar";
    EXPECT_EQ(ColorToRGB(t->Pixels(20 + 3, 5 + 4)), ColorToRGB(clBtnShadow)) << "disabled: greyed";
    EXPECT_THROW(images.Draw(t, 0, 0, 2), EInvalidOperation);

    // A mask bitmap leaves out its non-black pixels.
    TBitmap mask;
    mask.SetSize(9, 9);
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect({0, 0, 9, 9});
    mask.Canvas()->Brush()->SetColor(clWhite);
    mask.Canvas()->FillRect({0, 0, 9, 4});
    EXPECT_EQ(images.Add(&strip, &mask), 2);
    images.Draw(t, 30, 5, 2);
    EXPECT_EQ(ColorToRGB(t->Pixels(30 + 4, 5 + 2)), ColorToRGB(clWhite)) << "masked out";
    EXPECT_EQ(ColorToRGB(t->Pixels(30 + 4, 5 + 6)), ColorToRGB(clBlack));
    EXPECT_EQ(ColorToRGB(t->Pixels(30 + 0, 5 + 8)), ColorToRGB(clFuchsia)) << "no transparent colour here";
}

// Captures DefineProperties' binary property, to store and read it back.
class TBinaryFiler : public TFiler {
public:
    std::function<void(TStream&)> Read, Write;
    bool HasData = false;
    void DefineProperty(const std::string&, const std::function<void(TReader&)>&,
                        const std::function<void(TWriter&)>&, bool) override {}
    void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& read,
                              const std::function<void(TStream&)>& write, bool hasData) override {
        if (name != "Bitmap") return;
        Read = read;
        Write = write;
        HasData = hasData;
    }
};

TEST(ImageList, GlyphsSurviveTheFormDataAndDamagedDataIsRefused) {
    TImageList images(nullptr);
    images.SetWidth(9);
    images.SetHeight(9);
    TBitmap strip;
    PlusMinusStrip(strip);
    images.AddMasked(&strip, clFuchsia);
    TBinaryFiler filer;
    images.DefineProperties(filer);
    ASSERT_TRUE(filer.HasData);
    TMemoryStream data;
    filer.Write(data);

    TImageList copy(nullptr);
    TBinaryFiler reader;
    copy.DefineProperties(reader);
    EXPECT_FALSE(reader.HasData);
    data.SetPosition(0);
    reader.Read(data);
    EXPECT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Width(), 9);
    TBitmap a, b;
    images.GetBitmap(0, &a);
    copy.GetBitmap(0, &b);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(a.Canvas()->Pixels(x, y), b.Canvas()->Pixels(x, y)) << x << "," << y;

    // Cut short, a huge count, a wrong magic: refused, and the list keeps what it had.
    const auto* bytes = static_cast<const char*>(data.Memory());
    const std::string whole(bytes, bytes + data.Size());
    std::string hugeCount = whole;
    hugeCount[12] = '\xFF';
    hugeCount[13] = '\xFF';
    for (const std::string& damaged :
         {whole.substr(0, whole.size() / 2), hugeCount, "XXXX" + whole.substr(4)}) {
        TMemoryStream bad;
        bad.WriteBuffer(damaged.data(), static_cast<int64_t>(damaged.size()));
        bad.SetPosition(0);
        EXPECT_ANY_THROW(reader.Read(bad));
        EXPECT_EQ(copy.Count(), 2);
    }
}

} // namespace
