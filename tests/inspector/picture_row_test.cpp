// An image's Picture row in the inspector: its ellipsis button opens the picture editor dialog.
#include "../designer/picture_support.h"
#include "inspector_support.h"

#include "../make_control.h"
#include "ComponentList.h"
#include "widgets/Image.h"

namespace {

class PictureRow : public Inspecting, protected PictureHelpers {
protected:
    void SetUp() override {
        Inspecting::SetUp();
        Image1 = Make<TImage>(Form, "Image1", Form, 120, 80, 40, 40);
        TModalDriver::SetStrict(true);
    }
    void TearDown() override {
        EndStrictModalRuns();
        Inspecting::TearDown();
    }
    void ClickEllipsis() {
        TPropInplaceEditor* editor = Grid->PropEditor();
        ASSERT_EQ(editor->ButtonKind(), TPropInplaceEditor::bkEllipsis);
        const TRect button = editor->ButtonRect();
        TInputSimulator::Click(editor->Handle(),
                               {(button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2});
        EXPECT_FALSE(TModalDriver::HasPendingActions()) << "the dialog opened";
    }

    TImage* Image1 = nullptr;
};

TEST_F(PictureRow, TheEllipsisButtonLoadsAPictureAndTheRowShowsItsClass) {
    SolidBitmap(24, 16, clRed)->SaveToFile(File("red.bmp"));
    Inspect(Image1);
    SelectRow(Grid, "Picture");
    EXPECT_EQ(RowNamed(Grid, "Picture")->Value(), "(None)");

    InEditorDialog([this](TPictureEditorDlg& dialog) {
        ChooseFile(File("red.bmp"));
        Press(dialog.Load);
        Press(dialog.Cancel);
    });
    ClickEllipsis();
    EXPECT_EQ(Image1->Picture()->Graphic(), nullptr);
    EXPECT_EQ(RowNamed(Grid, "Picture")->Value(), "(None)");

    InEditorDialog([this](TPictureEditorDlg& dialog) {
        ChooseFile(File("red.bmp"));
        Press(dialog.Load);
        Press(dialog.OK);
    });
    ClickEllipsis();
    EXPECT_EQ(Image1->Picture()->Width(), 24);
    EXPECT_EQ(RowNamed(Grid, "Picture")->Value(), "(TBitmap)");
    EXPECT_EQ(Grid->PropEditor()->Text(), "(TBitmap)");
}

TEST_F(PictureRow, TwoImagesHaveNoPictureRow) {
    auto* image2 = new TImage(Form);
    image2->SetName("Image2");
    image2->SetParent(Form);
    Inspect(Image1);
    EXPECT_GE(RowIndex(Grid, "Picture"), 0);
    auto* both = new TComponentList;
    both->Add(Image1);
    both->Add(image2);
    Inspector->InspectList(both);
    EXPECT_EQ(RowIndex(Grid, "Picture"), -1);
    EXPECT_GE(RowIndex(Grid, "Stretch"), 0);
}

} // namespace
