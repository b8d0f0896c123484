// Designing a container on a form: what is placed or pasted into it belongs to the form, exactly like what
// a load reads, so it is named, selected, moved and saved as any other component of the form.
#include "EditContainer.h"
#include "FormwrightText.h"
#include "components/Table.h"
#include "core/Exceptions.h"
#include "core/Streams.h"
#include "designing_fixture.h"
#include "dialogs/MessageBox.h"
#include "graphics/Clipboard.h"

namespace {

// A control whose construction always fails, to see what a failed placement leaves behind.
class TRefusingControl : public TButton {
    FW_CLASS(TRefusingControl, TButton)
public:
    explicit TRefusingControl(TComponent* owner) : TButton(owner) {
        throw EComponentError("This control cannot be placed");
    }
};

std::string SavedText(TFormwright* designer) {
    TStringStream text("");
    WriteRootText(designer, text);
    return text.DataString();
}

} // namespace

FW_PUBLISH(TRefusingControl) {
}

class DesigningAContainer : public Designing {
protected:
    void SetUp() override {
        Designing::SetUp();
        designer->SetRoot(form->Panel1);
    }
    TControl* PlaceButtonAt(TPoint point) {
        designer->SetClassToPlace(TButton::StaticClass());
        const int before = form->ComponentCount();
        TInputSimulator::Click(form->Panel1->Handle(), point);
        if (form->ComponentCount() != before + 1) return nullptr;
        return dynamic_cast<TControl*>(form->Components(form->ComponentCount() - 1));
    }
};

TEST_F(DesigningAContainer, PlacedControlsBelongToTheFormAndGetNamesUniqueOverIt) {
    TControl* first = PlaceButtonAt({100, 8});
    TControl* second = PlaceButtonAt({100, 48});
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr) << "a second placement in the container works too";
    EXPECT_EQ(first->Name(), "Button4");
    EXPECT_EQ(second->Name(), "Button5");
    for (TControl* placed : {first, second}) {
        EXPECT_EQ(placed->Owner(), form);
        EXPECT_EQ(placed->Parent(), form->Panel1);
    }
    EXPECT_EQ(form->Panel1->ComponentCount(), 0);
    EXPECT_EQ(inspector->Count("Insert Button4") + inspector->Count("Insert Button5"), 0)
        << "insertions are reported before the name is set";
    EXPECT_EQ(inspector->CallsStartingWith("Insert").size(), 2u);

    // Back on the whole form, a new button does not take a name the container's buttons have.
    designer->SetRoot(form);
    designer->SetClassToPlace(TButton::StaticClass());
    Click({300, 40});
    EXPECT_NE(form->FindComponent("Button6"), nullptr);
}

TEST_F(DesigningAContainer, APlacedControlIsSelectedByAClickAndMovedByADrag) {
    TControl* placed = PlaceButtonAt({96, 48});
    ASSERT_NE(placed, nullptr);
    TInputSimulator::Click(form->Button3, {5, 5});
    ASSERT_EQ(Selection(), std::vector<TControl*>{form->Button3});

    TInputSimulator::Drag(form->Panel1->Handle(), {100, 52}, {100, 76});
    EXPECT_EQ(Selection(), std::vector<TControl*>{placed});
    EXPECT_EQ(placed->Top(), 72);
    EXPECT_EQ(placed->Left(), 96);
}

TEST_F(DesigningAContainer, WhatIsPlacedOrPastedThereIsSavedWithTheForm) {
    ASSERT_NE(PlaceButtonAt({96, 48}), nullptr);
    TInputSimulator::Click(form->Button3, {5, 5});
    TInputSimulator::KeyPress(VK_INSERT, {ssCtrl}, form->Handle());
    TInputSimulator::KeyPress(VK_INSERT, {ssShift}, form->Handle());
    ASSERT_NE(form->FindComponent("Button5"), nullptr);
    EXPECT_EQ(form->FindComponent("Button5")->Owner(), form);

    designer->SetRoot(form);
    const std::string text = SavedText(designer);
    const size_t panel = text.find("  object Panel1: TPanel");
    const size_t panelEnd = text.find("\r\n  end\r\n", panel);
    ASSERT_NE(panel, std::string::npos);
    for (const char* name : {"Button3", "Button4", "Button5"}) {
        const size_t at = text.find(std::string("    object ") + name + ": TButton", panel);
        EXPECT_TRUE(at != std::string::npos && at < panelEnd) << name << " in Panel1's block:\n" << text;
    }
}

TEST_F(DesigningAContainer, DeletingSelectsTheLastComponentInsideTheContainer) {
    TControl* placed = PlaceButtonAt({96, 48});
    ASSERT_NE(placed, nullptr);
    TInputSimulator::KeyPress(VK_DELETE, {}, form->Handle());
    EXPECT_EQ(form->FindComponent("Button4"), nullptr);
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button3}) << "not a control outside the container";
}

TEST_F(DesigningAContainer, ANonVisualComponentPlacedThereGetsAPlaceholder) {
    designer->SetClassToPlace(TTable::StaticClass());
    TInputSimulator::Click(form->Panel1->Handle(), {120, 64});
    auto* table = dynamic_cast<TTable*>(form->FindComponent("Table2"));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->Owner(), form);
    ASSERT_NE(designer->FindPlaceholder(table), nullptr);
    EXPECT_EQ(Selection(), std::vector<TControl*>{static_cast<TControl*>(designer->FindPlaceholder(table))});
}

TEST_F(DesigningAContainer, AFailedPlacementIsShownOnceAndTheNextClickSelects) {
    designer->SetClassToPlace(TRefusingControl::StaticClass());
    std::vector<std::string> shown;
    TModalDriver::QueueAction([&](TObject* window) {
        auto* box = static_cast<TMessageBox*>(window);
        shown.push_back(box->Text());
        box->ClickPart(dpOK);
    });
    TInputSimulator::Click(form->Panel1->Handle(), {120, 64});
    EXPECT_EQ(shown, std::vector<std::string>{"This control cannot be placed"});
    EXPECT_EQ(designer->ClassToPlace(), nullptr);
    TInputSimulator::Click(form->Button3, {5, 5});
    EXPECT_EQ(shown.size(), 1u) << "the failure does not repeat";
    EXPECT_EQ(Selection(), std::vector<TControl*>{form->Button3});
}
