// The picture and graphic property editors and the image component editor, with the picture editor dialog
// driven as a person would.
#include "designer_support.h"
#include "picture_support.h"

#include "graphics/Clipboard.h"
#include "graphics/Icon.h"
#include "rtti/Publisher.h"
#include "widgets/BitBtn.h"
#include "widgets/Image.h"

namespace {

class TEdImage : public TImage {
    FW_CLASS(TEdImage, TImage)
public:
    using TImage::TImage;
};

FW_PUBLISH(TEdImage) {
}

class PictureProperty : public PictureTest {
protected:
    void SetUp() override {
        PictureTest::SetUp();
        SolidBitmap(20, 10, clRed)->SaveToFile(File("red.bmp"));
        SolidBitmap(8, 8, clBlue)->SaveToFile(File("blue.bmp"));
    }

    TColor PixelOf(TGraphic* graphic) {
        TBitmap bitmap;
        bitmap.Assign(graphic);
        return bitmap.Canvas()->Pixels(1, 1);
    }

    TRecordingDesigner designer;
    TImage image{nullptr};
    TBitBtn button{nullptr};
};

TEST_F(PictureProperty, APictureRowShowsItsGraphicsClassAndLoadsThroughTheDialog) {
    auto editor = EditorFor({&image}, "Picture", &designer);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->ClassName(), "TPictureProperty");
    EXPECT_TRUE(editor->GetAttributes() == TEditorAttributes{paDialog});
    EXPECT_EQ(editor->GetValue(), "(None)");

    InEditorDialog([&](TPictureEditorDlg& dialog) {
        EXPECT_EQ(dialog.Picture()->Graphic(), nullptr);
        ChooseFile(File("red.bmp"));
        Press(dialog.Load);
        Press(dialog.OK);
    });
    editor->Edit();
    EXPECT_EQ(editor->GetValue(), "(TBitmap)");
    ASSERT_EQ(image.Picture()->Width(), 20);
    EXPECT_EQ(PixelOf(image.Picture()->Graphic()), clRed);
    EXPECT_EQ(designer.ModifiedCount, 1);

    // An empty graphic is still a graphic of its class.
    image.Picture()->Icon();
    EXPECT_EQ(editor->GetValue(), "(TIcon)");
}

TEST_F(PictureProperty, CancelLeavesThePropertyWhateverWasDoneInTheDialog) {
    image.Picture()->SetGraphic(SolidBitmap(20, 10, clRed).get());
    button.SetGlyph(SolidBitmap(6, 6, clRed).get());
    Clipboard()->Assign(SolidBitmap(5, 5, clLime).get());
    for (const char* name : {"Picture", "Glyph"}) {
        SCOPED_TRACE(name);
        auto editor = EditorFor(
            {name == std::string("Picture") ? static_cast<TPersistent*>(&image) : &button}, name, &designer);
        InEditorDialog([&](TPictureEditorDlg& dialog) {
            EXPECT_EQ(PixelOf(dialog.Picture()->Graphic()), clRed) << "the dialog shows the property's value";
            EXPECT_TRUE(dialog.Save->Enabled());
            EXPECT_TRUE(dialog.Clear->Enabled());
            Press(dialog.Clear);
            Press(dialog.Button2); // paste
            ChooseFile(File("blue.bmp"));
            Press(dialog.Load);
            Press(dialog.Cancel);
        });
        editor->Edit();
    }
    EXPECT_EQ(image.Picture()->Width(), 20);
    EXPECT_EQ(PixelOf(image.Picture()->Graphic()), clRed);
    EXPECT_EQ(button.Glyph()->Width(), 6);
    EXPECT_EQ(designer.ModifiedCount, 0);
}

TEST_F(PictureProperty, TheEmptyTextClearsAndAnyOtherTextChangesNothing) {
    image.Picture()->SetGraphic(SolidBitmap(4, 4, clRed).get());
    button.SetGlyph(SolidBitmap(4, 4, clRed).get());
    auto picture = EditorFor({&image}, "Picture", &designer);
    auto glyph = EditorFor({&button}, "Glyph", &designer);
    for (TPropertyEditor* editor : {picture.get(), glyph.get()}) {
        SCOPED_TRACE(editor->GetName());
        editor->SetValue("(TIcon)");
        EXPECT_EQ(editor->GetValue(), "(TBitmap)");
        editor->SetValue("");
        EXPECT_EQ(editor->GetValue(), "(None)");
    }
    EXPECT_EQ(image.Picture()->Graphic(), nullptr);
    EXPECT_TRUE(button.Glyph()->Empty());
    EXPECT_EQ(designer.ModifiedCount, 2);
}

TEST_F(PictureProperty, NeitherRowIsOfferedForSeveralObjects) {
    TImage second(nullptr);
    TBitBtn other(nullptr);
    EXPECT_NE(Find(EditorsOf({&image}), "Picture"), nullptr);
    EXPECT_EQ(Find(EditorsOf({&image, &second}), "Picture"), nullptr);
    EXPECT_NE(Find(EditorsOf({&button}), "Glyph"), nullptr);
    EXPECT_EQ(Find(EditorsOf({&button, &other}), "Glyph"), nullptr);
}

TEST_F(PictureProperty, AGraphicRowOffersItsClassesFormatsAndRefusesAnotherClass) {
    auto editor = EditorFor({&button}, "Glyph", &designer);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->ClassName(), "TGraphicProperty") << "TBitmap derives from TGraphic";
    EXPECT_TRUE(editor->GetAttributes() == TEditorAttributes{paDialog});
    EXPECT_EQ(editor->GetValue(), "(None)") << "an empty glyph";

    InEditorDialog([&](TPictureEditorDlg& dialog) {
        InDialog<TOpenDialog>([&](TOpenDialog& open) {
            EXPECT_EQ(open.Filter(), "Bitmaps (*.bmp)|*.bmp");
            EXPECT_EQ(open.DefaultExt(), "bmp");
            open.TypeInto(dpFileName, File("red.bmp"));
            open.ClickPart(dpOK);
        });
        Press(dialog.Load);
        Press(dialog.OK);
    });
    editor->Edit();
    EXPECT_EQ(editor->GetValue(), "(TBitmap)");
    EXPECT_EQ(button.Glyph()->Width(), 20);
    EXPECT_EQ(designer.ModifiedCount, 1);

    // A metafile pasted from the clipboard is no bitmap: refused after OK, and nothing is stored.
    Clipboard()->Assign(GreenMetafile().get());
    InEditorDialog([&](TPictureEditorDlg& dialog) {
        Press(dialog.Button2);
        Press(dialog.OK);
    });
    EXPECT_EQ(MessageOf([&] { editor->Edit(); }), "Format 'TMetafile' invalid or incompatible with argument");
    EXPECT_EQ(button.Glyph()->Width(), 20);
    EXPECT_EQ(PixelOf(button.Glyph()), clRed);
    EXPECT_EQ(designer.ModifiedCount, 1);

    // Clearing in the dialog stores none.
    InEditorDialog([&](TPictureEditorDlg& dialog) {
        Press(dialog.Clear);
        Press(dialog.OK);
    });
    editor->Edit();
    EXPECT_TRUE(button.Glyph()->Empty());
    EXPECT_EQ(editor->GetValue(), "(None)");
    EXPECT_EQ(designer.ModifiedCount, 2);
}

TEST_F(PictureProperty, EditingAnImageOpensItsPictureAndChoosesNoEvent) {
    TEdImage derived(nullptr);
    TButton plain(nullptr);
    EXPECT_EQ(GetComponentEditor(&image, &designer)->ClassName(), "TGraphicEditor");
    EXPECT_EQ(GetComponentEditor(&derived, &designer)->ClassName(), "TGraphicEditor");
    EXPECT_EQ(GetComponentEditor(&plain, &designer)->ClassName(), "TDefaultEditor");

    image.Picture()->SetGraphic(SolidBitmap(20, 10, clRed).get());
    auto componentEditor = GetComponentEditor(&image, &designer);
    InEditorDialog([&](TPictureEditorDlg& dialog) {
        EXPECT_EQ(dialog.Picture()->Width(), 20);
        Press(dialog.Cancel);
    });
    componentEditor->Edit();
    EXPECT_EQ(designer.Calls, std::vector<std::string>{}) << "no event handler is created or shown";
    EXPECT_EQ(designer.ModifiedCount, 0);

    InEditorDialog([&](TPictureEditorDlg& dialog) {
        ChooseFile(File("blue.bmp"));
        Press(dialog.Load);
        Press(dialog.OK);
    });
    componentEditor->Edit();
    EXPECT_EQ(image.Picture()->Width(), 8);
    EXPECT_EQ(designer.ModifiedCount, 1);
    EXPECT_EQ(designer.Calls, std::vector<std::string>{});
}

} // namespace
