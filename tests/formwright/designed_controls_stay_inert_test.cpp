// While designed, the controls of the form do not act as controls: no accelerator presses a button, the
// wheel changes no value and the focus they would take does not become the form's active control.
#include "FormwrightText.h"
#include "core/Streams.h"
#include "designing_fixture.h"
#include "widgets/ComboBox.h"

#include <memory>

namespace {

struct TClickCount : TObject {
    int Clicks = 0;
    void Clicked(TObject*) { ++Clicks; }
};

bool AnyControlFocused(TWinControl* container) {
    for (int i = 0; i < container->ControlCount(); ++i) {
        auto* child = dynamic_cast<TWinControl*>(container->Controls(i));
        if (child && (child->Focused() || AnyControlFocused(child))) return true;
    }
    return false;
}

} // namespace

TEST_F(Designing, AttachingTakesTheFocusAndTheActiveControlFromTheForm) {
    designer->SetRoot(nullptr);
    form->Button2->SetFocus();
    ASSERT_EQ(form->ActiveControl(), form->Button2);

    designer->SetRoot(form);
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_FALSE(AnyControlFocused(form));

    // Clicks and keys of a design session leave the active control alone, so a save does not write one.
    Click({300, 280});
    Click({20, 40});
    TInputSimulator::KeyPress(VK_TAB, {}, FormWindow());
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_FALSE(AnyControlFocused(form));
    TStringStream text("");
    WriteRootText(designer, text);
    EXPECT_EQ(text.DataString().find("ActiveControl"), std::string::npos) << text.DataString();
}

TEST_F(Designing, AnAcceleratorOfADesignedButtonDoesNotPressIt) {
    TClickCount count;
    form->Button1->SetCaption("&Go");
    form->Button1->OnClick = TNotifyEvent::Bind<&TClickCount::Clicked>(&count);
    Click({300, 280});
    TInputSimulator::KeyPress('G', {ssAlt}, FormWindow());
    EXPECT_EQ(count.Clicks, 0);

    // The same key presses the button once the form is no longer designed: the accelerator is real.
    designer->SetRoot(nullptr);
    TInputSimulator::KeyPress('G', {ssAlt}, FormWindow());
    EXPECT_EQ(count.Clicks, 1);
}

TEST_F(Designing, TheWheelOverADesignedComboBoxKeepsItsItem) {
    auto* combo = new TComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(200, 280, 120, 24);
    combo->SetStyle(csDropDownList);
    for (const char* item : {"one", "two", "three"})
        combo->Items()->Add(item);
    combo->SetItemIndex(0);

    TInputSimulator::Wheel(combo->Handle(), {10, 10}, -120);
    EXPECT_EQ(combo->ItemIndex(), 0);

    designer->SetRoot(nullptr);
    TInputSimulator::Wheel(combo->Handle(), {10, 10}, -120);
    EXPECT_EQ(combo->ItemIndex(), 1) << "the wheel does change an undesigned combo box";
}
