// Double-clicking an image on the design surface opens the picture editor dialog on its picture.
#include "../designer/picture_support.h"
#include "designing_fixture.h"

#include "widgets/Image.h"

#include <algorithm>

namespace {

class DesignedPicture : public Designing, protected PictureHelpers {
protected:
    int RefreshCount() const {
        return int(std::count(inspector->Calls.begin(), inspector->Calls.end(), "RefreshValues"));
    }
};

TEST_F(DesignedPicture, DoubleClickingAnImageEditsItsPicture) {
    TImage* image = form->Image1;
    SolidBitmap(30, 20, clBlue)->SaveToFile(File("blue.bmp"));

    // Cancel changes nothing.
    InEditorDialog([](TPictureEditorDlg& dialog) {
        EXPECT_EQ(dialog.Picture()->Width(), 8) << "the image's own picture";
        // Centred in the preview: its left half red, its right half blue.
        EXPECT_EQ(PreviewInk(dialog, clRed), TRect::FromBounds(91, 93, 4, 8));
        EXPECT_EQ(PreviewInk(dialog, clBlue), TRect::FromBounds(95, 93, 4, 8));
        Press(dialog.Clear);
        Press(dialog.Cancel);
    });
    TInputSimulator::DoubleClick(image, {4, 4});
    EXPECT_FALSE(TModalDriver::HasPendingActions());
    EXPECT_EQ(image->Picture()->Width(), 8);
    EXPECT_EQ(RefreshCount(), 0);
    EXPECT_FALSE(designer->IsModified());

    InEditorDialog([this](TPictureEditorDlg& dialog) {
        ChooseFile(File("blue.bmp"));
        Press(dialog.Load);
        Press(dialog.OK);
    });
    TInputSimulator::DoubleClick(image, {4, 4});
    EXPECT_FALSE(TModalDriver::HasPendingActions());
    EXPECT_EQ(image->Picture()->Width(), 30);
    EXPECT_EQ(image->Width(), 30) << "the image sizes itself to its new picture";
    EXPECT_EQ(RefreshCount(), 1);
    EXPECT_TRUE(designer->IsModified());
    EXPECT_EQ(Selection(), std::vector<TControl*>{image});
    // The designed surface shows the new picture.
    Application->ProcessMessages();
    EXPECT_EQ(PixelOf(FormWindow(), 8 + 15, 200 + 10), clBlue);
}

} // namespace
