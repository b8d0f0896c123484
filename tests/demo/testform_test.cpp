// The sample form read from its form resource: what a person sees when it opens.
#include "../../demo/testform.h"

#include "DesignCheck.h"
#include "components/Query.h"
#include "components/Table.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/Picture.h"
#include "ui/Application.h"
#include "ui/Windows.h"
#include "widgets/Button.h"
#include "widgets/Image.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"
#include "widgets/StringGrid.h"

#include <gtest/gtest.h>

namespace {

struct SampleForm : ::testing::Test {
    void SetUp() override {
        form = new TForm2(nullptr);
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override { delete form; }
    TForm2* form = nullptr;
};

TEST_F(SampleForm, HasEveryComponentWithItsPlaceOwnerAndParent) {
    EXPECT_EQ(form->Name(), "Form2");
    EXPECT_EQ(form->Caption(), "Form2");
    EXPECT_EQ(form->BoundsRect(), TRect::FromBounds(273, 107, 432, 340));
    struct Row {
        TControl* control;
        TWinControl* parent;
        TRect bounds;
        const char* caption;
    } rows[] = {

        {form->Image1, form, TRect::FromBounds(0, 144, 227, 149), ""},
        {form->Button1, form, TRect::FromBounds(8, 32, 75, 25), "Button1"},
        {form->Button2, form, TRect::FromBounds(8, 64, 75, 25), "Button2"},
        {form->Panel1, form, TRect::FromBounds(240, 160, 170, 137), "Panel1"},
        {form->Button3, form->Panel1, TRect::FromBounds(24, 8, 75, 25), "Button3"},
        {form->StringGrid1, form, TRect::FromBounds(104, 32, 313, 97), ""},
    };
    for (const Row& r : rows) {
        ASSERT_NE(r.control, nullptr);
        SCOPED_TRACE(r.control->Name());
        EXPECT_EQ(r.control->Owner(), form);
        EXPECT_EQ(r.control->Parent(), r.parent);
        EXPECT_EQ(r.control->BoundsRect(), r.bounds);
        if (*r.caption) {
            EXPECT_EQ(r.control->Caption(), r.caption);
        }
    }
    EXPECT_EQ(form->Button1->TabOrder(), 0);
    EXPECT_EQ(form->Button2->TabOrder(), 1);
    EXPECT_EQ(form->Panel1->TabOrder(), 2);
    EXPECT_EQ(form->StringGrid1->TabOrder(), 3);
    EXPECT_EQ(form->Button3->TabOrder(), 0);
    // The label sizes itself to its caption in its own large font, from where the form put it.
    ASSERT_NE(form->Label1, nullptr);
    EXPECT_EQ(form->Label1->Parent(), form);
    EXPECT_EQ(form->Label1->Caption(), "Label1");
    EXPECT_EQ(form->Label1->Left(), 8);
    EXPECT_EQ(form->Label1->Top(), 96);
    EXPECT_GT(form->Label1->Width(), 60);
    EXPECT_GT(form->Label1->Height(), 30);
    EXPECT_FALSE(form->Label1->ParentFont());
    EXPECT_EQ(form->Label1->Font()->Height(), -32);

    ASSERT_NE(form->Table1, nullptr);
    ASSERT_NE(form->Query1, nullptr);
    EXPECT_EQ(form->Table1->DesignInfo(), (136u << 16) | 248u);
    EXPECT_EQ(form->Query1->DesignInfo(), (136u << 16) | 280u);
    const char* order[] = {"Label1",  "Image1",      "Button1", "Button2", "Panel1",
                           "Button3", "StringGrid1", "Table1",  "Query1"};
    ASSERT_EQ(form->ComponentCount(), 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(form->Components(i)->Name(), order[i]);
}

TEST_F(SampleForm, ShowsTheImagesPictureAndTheButtons) {
    ASSERT_NE(form->Image1->Picture()->Graphic(), nullptr);
    EXPECT_EQ(form->Image1->Picture()->Width(), 227);
    EXPECT_EQ(form->Image1->Picture()->Height(), 149);
    TBitmap shown;
    GrabWindow(form->Handle(), shown);
    // The sun of the picture, at (170, 40) of the image, and the sea near its bottom.
    EXPECT_EQ(ColorToRGB(shown.Canvas()->Pixels(170, 144 + 40)), ColorToRGB(RGB(255, 210, 40)));
    const TColor sea = shown.Canvas()->Pixels(10, 144 + 140);
    EXPECT_LT(GetRValue(ColorToRGB(sea)), 60);
    EXPECT_GT(GetBValue(ColorToRGB(sea)), 90);
    // The form's own background between the controls.
    EXPECT_EQ(ColorToRGB(shown.Canvas()->Pixels(95, 10)), ColorToRGB(clBtnFace));
}

} // namespace

// What the design check finds on the sample form as it opens: Label1's large font makes the auto-sized
// label reach under the string grid beside it.
TEST_F(SampleForm, TheDesignCheckFindsTheLabelUnderTheGrid) {
    std::vector<std::string> texts;
    for (const TDesignFinding& finding : CheckDesign(form))
        texts.push_back(finding.Text);
    EXPECT_GT(form->Label1->BoundsRect().Right, form->StringGrid1->Left());
    EXPECT_EQ(texts, std::vector<std::string>{"StringGrid1 overlaps Label1."});
}
