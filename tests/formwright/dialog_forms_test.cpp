// The four designer dialogs as their form resources make them: frame, buttons, keys, glyphs and the
// order in which Tab walks their controls; each run starts from the resource's defaults.
#include "ObjAlign.h"
#include "ObjCreat.h"
#include "ObjSize.h"
#include "ObjTab.h"
#include "graphics/Bitmap.h"
#include "menu_driving.h"
#include "ui/Application.h"
#include "widgets/BitBtn.h"
#include "widgets/Button.h"
#include "widgets/Label.h"
#include "widgets/ListBox.h"
#include "widgets/RadioButton.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct DialogForm {
    TClass cls;
    std::string caption;
    int clientWidth, clientHeight, helpContext;
    std::vector<std::string> tabWalk; // from the first control, by Tab
};

std::vector<DialogForm> Dialogs() {
    return {
        {TAlignDialog::StaticClass(),
         "Alignment",
         320,
         191,
         1475,
         {"hNoChange", "vNoChange", "OKButton", "CancelButton", "HelpButton", "hNoChange"}},
        {TSizeDialog::StaticClass(),
         "Size",
         324,
         171,
         0,
         {"hNoChange", "vNoChange", "OKButton", "CancelButton", "HelpButton", "hNoChange"}},
        {TTabOrderDlg::StaticClass(),
         "Edit Tab Order",
         273,
         258,
         1638,
         {"TabList", "UpButton", "DownButton", "OKButton", "CancelButton", "HelpButton", "TabList"}},
        {TCreationOrderDlg::StaticClass(),
         "Creation Order",
         273,
         258,
         1638,
         {"CreationList", "UpButton", "DownButton", "OKButton", "CancelButton", "HelpButton",
          "CreationList"}},
    };
}

struct DialogForms : ::testing::Test {
    void SetUp() override { TModalDriver::SetStrict(true); }
    void TearDown() override { EXPECT_TRUE(TModalDriver::TakeFailures().empty()); }
};

} // namespace

TEST_F(DialogForms, ComeFromTheirResourcesWithFrameButtonsAndTabOrder) {
    for (const DialogForm& d : Dialogs()) {
        std::unique_ptr<TForm> dialog(static_cast<TForm*>(TComponent::CreateInstance(d.cls, nullptr)));
        EXPECT_EQ(dialog->Caption(), d.caption);
        EXPECT_EQ(dialog->ClientWidth(), d.clientWidth) << d.caption;
        EXPECT_EQ(dialog->ClientHeight(), d.clientHeight) << d.caption;
        EXPECT_EQ(dialog->BorderStyle(), bsDialog) << d.caption;
        EXPECT_EQ(dialog->Position(), poScreenCenter) << d.caption;
        EXPECT_EQ(dialog->HelpContext(), d.helpContext) << d.caption;
        auto* ok = static_cast<TButton*>(dialog->FindComponent("OKButton"));
        auto* cancel = static_cast<TButton*>(dialog->FindComponent("CancelButton"));
        EXPECT_TRUE(ok->Default() && ok->ModalResult() == mrOk) << d.caption;
        EXPECT_TRUE(cancel->Cancel() && cancel->ModalResult() == mrCancel) << d.caption;
        if (auto* up = dynamic_cast<TBitBtn*>(dialog->FindComponent("UpButton"))) {
            auto* down = static_cast<TBitBtn*>(dialog->FindComponent("DownButton"));
            EXPECT_EQ(up->Glyph()->Width(), 16);
            EXPECT_EQ(down->Glyph()->Height(), 16);
            EXPECT_EQ(up->Caption(), "");
            EXPECT_FALSE(up->Glyph()->Canvas()->Pixels(1, 8) == down->Glyph()->Canvas()->Pixels(1, 8))
                << "an arrow up and an arrow down";
            auto* label = static_cast<TLabel*>(dialog->FindComponent("Label1"));
            EXPECT_EQ(label->FocusControl(), dialog->FindComponent(d.tabWalk[0]));
        }

        // Tab walks the controls in the resource's order (into each radio group at its checked button).
        std::vector<std::string> walked;
        TModalDriver::QueueAction([&walked, &d](TObject* window) {
            auto* form = static_cast<TForm*>(window);
            static_cast<TWinControl*>(form->FindComponent(d.tabWalk[0]))->SetFocus();
            for (size_t i = 0; i < d.tabWalk.size(); ++i) {
                walked.push_back(form->ActiveControl() ? form->ActiveControl()->Name() : "none");
                TInputSimulator::KeyPress(VK_TAB, {}, form->Handle());
            }
            // "&Help" does nothing; Escape presses Cancel.
            ClickOn(static_cast<TControl*>(form->FindComponent("HelpButton")));
            EXPECT_EQ(form->ModalResult(), mrNone);
            TInputSimulator::KeyPress(VK_ESCAPE, {}, form->Handle());
        });
        EXPECT_EQ(dialog->ShowModal(), mrCancel) << d.caption;
        EXPECT_EQ(walked, d.tabWalk) << d.caption;
    }
}

TEST_F(DialogForms, TheRoutinesWriteTheCheckedCodesOnlyWhenConfirmed) {
    struct Case {
        const char* what;
        std::vector<const char*> clicks;
        uint16_t confirm;
        int h, v; // alignment codes, or width and height codes
    };
    const Case alignCases[] = {
        {"both no change", {}, VK_RETURN, 0, 0},
        {"right sides and bottoms", {"hRightSides", "vBottoms"}, VK_RETURN, 3, 8},
        {"space equally and center in window", {"hSpaceEqual", "vCenterInWindow"}, VK_RETURN, 4, 10},
        {"cancelled", {"hLeftSides", "vTops"}, VK_ESCAPE, 0, 0},
    };
    const Case sizeCases[] = {
        {"both no change", {}, VK_RETURN, 0, 0},
        {"grow widths, shrink heights", {"hGrow", "vShrink"}, VK_RETURN, 3, 2},
        {"grow heights only", {"vGrow"}, VK_RETURN, 0, 3},
        {"same as first", {"hSameAsFirst", "vSameAsFirst"}, VK_RETURN, 1, 1},
        {"cancelled", {"hGrow", "vGrow"}, VK_ESCAPE, 0, 0},
    };
    auto queue = [](const Case& c) {
        TModalDriver::QueueAction([&c](TObject* window) {
            auto* form = static_cast<TForm*>(window);
            for (const char* name : c.clicks)
                ClickOn(static_cast<TControl*>(form->FindComponent(name)));
            TInputSimulator::KeyPress(c.confirm, {}, form->Handle());
        });
    };
    for (const Case& c : alignCases) {
        queue(c);
        TAlignCode h = acNoChange, v = acNoChange;
        ShowAlignDialog(h, v);
        EXPECT_EQ(std::make_pair(int(h), int(v)), std::make_pair(c.h, c.v)) << c.what;
    }
    for (const Case& c : sizeCases) {
        queue(c);
        TSizeCode h = szNoChange, v = szNoChange;
        int width = 0, height = 0;
        ShowSizeDialog(h, v, width, height);
        EXPECT_EQ(std::make_pair(int(h), int(v)), std::make_pair(c.h, c.v)) << c.what;
        EXPECT_EQ(std::make_pair(width, height), std::make_pair(0, 0)) << c.what;
    }
}
