// A design of ten thousand components: it loads through the designer's text load, is designed (all
// selected, moved by real key presses, half of it deleted with the Delete key), saved, and loads back
// to the same text. The size comes from FW_LARGE_DESIGN_COMPONENTS when set; how long it takes is the
// benchmark's business.
#include "EditContainer.h"
#include "Formwright.h"
#include "FormwrightText.h"
#include "core/Streams.h"
#include "design_invariants.h"
#include "large_design.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/InputSimulator.h"
#include "ui/Messages.h"
#include "ui/WinControl.h"

#include <gtest/gtest.h>

namespace {

void Press(TFormwright& designer, uint16_t key, TShiftState shift = {}) {
    TInputSimulator::KeyPress(key, shift, designer.Root()->Handle());
    Application->ProcessMessages();
}

// The root's child controls and the placeholders: every top-level design object.
std::vector<TControl*> TopLevelObjects(TFormwright& designer) {
    std::vector<TControl*> objects;
    TWinControl* root = designer.Root();
    for (int i = 0; i < root->ControlCount(); ++i)
        objects.push_back(root->Controls(i));
    for (int i = 0; i < designer.Placeholders().Count(); ++i)
        objects.push_back(designer.Placeholders().Items(i));
    return objects;
}

TEST(LargeDesign, LoadsIsDesignedSavesAndLoadsBackTheSame) {
    const int controls = LargeDesignSize(10000);
    TForm form(nullptr);
    form.Show();
    TFormwright designer;
    designer.SetRoot(&form);
    {
        TStringStream text(LargeDesignText(controls, "large"));
        ReadRootText(&designer, text);
    }
    EXPECT_EQ(form.ComponentCount(), controls + controls / 50);
    EXPECT_EQ(designer.Placeholders().Count(), controls / 50);
    EXPECT_EQ(DesignProblems(designer), std::vector<std::string>{});

    // Everything selected, then moved right by one pixel and down by eight (one grid step).
    std::vector<TControl*> all = TopLevelObjects(designer);
    for (TControl* object : all)
        designer.SelectObject(object, false);
    designer.SelectionChanged();
    // A nudge keeps the siblings of the first selected object: the panels, not the placeholders.
    TControl* lastPanel = form.Controls(form.ControlCount() - 1);
    const TRect firstBefore = all.front()->BoundsRect(), lastBefore = lastPanel->BoundsRect();
    Press(designer, VK_RIGHT, {ssCtrl});
    Press(designer, VK_DOWN, {ssCtrl, ssShift});
    EXPECT_EQ(all.front()->BoundsRect(), firstBefore.Offsetted(1, 8));
    EXPECT_EQ(lastPanel->BoundsRect(), lastBefore.Offsetted(1, 8));
    EXPECT_EQ(designer.SelectionCount(), form.ControlCount());

    // Every second top-level object deleted: half the panels with their controls, half the placeholders
    // with their components.
    designer.ClearSelection(true);
    for (size_t i = 0; i < all.size(); i += 2)
        designer.SelectObject(all[i], false);
    designer.SelectionChanged();
    Press(designer, VK_DELETE);
    const int left = form.ComponentCount();
    EXPECT_LT(left, (controls + controls / 50) / 2 + 30);
    EXPECT_GT(left, (controls + controls / 50) / 2 - 30);
    EXPECT_EQ(DesignProblems(designer), std::vector<std::string>{});

    // Once the designer has undo: undoing the delete gives back the text saved before it, and redoing
    // it the text after.
    const std::string saved = SavedDesignText(designer);
    EXPECT_EQ(ReloadProblems(designer, saved), std::vector<std::string>{});
    EXPECT_EQ(form.ComponentCount(), left);
    designer.SetRoot(nullptr);
}

} // namespace
