// The picture editor dialog and TPictureEditor, driven inside their modal loops as a person would: the
// buttons are clicked with real input, the file dialogs and message boxes answered, the system clipboard
// used, and the preview checked in the grabbed window.
#include "picture_support.h"

#include "core/Strings.h"
#include "dialogs/PictureDialogs.h"
#include "graphics/Clipboard.h"
#include "graphics/Metafile.h"
#include "graphics/PngImage.h"
#include "widgets/BitBtn.h"
#include "widgets/Shape.h"

namespace {

class PictureDialog : public PictureTest {
protected:
    // Runs the editor with `action` inside its dialog; returns what Execute returned.
    bool Run(TPictureEditor& editor, std::function<void(TPictureEditorDlg&)> action) {
        InEditorDialog(std::move(action));
        return editor.Execute();
    }

    TPictureEditor editor{nullptr};
};

// ---- the form resource ------------------------------------------------------------------------------------

TEST_F(PictureDialog, TheDialogIsBuiltFromItsFormResource) {
    TPictureEditorDlg dialog(nullptr);
    EXPECT_EQ(dialog.Caption(), "Picture");
    EXPECT_EQ(dialog.ClientWidth(), 281);
    EXPECT_EQ(dialog.ClientHeight(), 226);
    EXPECT_EQ(dialog.BorderStyle(), bsDialog);
    EXPECT_TRUE(dialog.BorderIcons() == TBorderIcons{biSystemMenu});
    EXPECT_EQ(dialog.HelpContext(), 26030);
    EXPECT_EQ(dialog.Font()->Name(), "宋体");
    EXPECT_EQ(dialog.Font()->Charset(), GB2312_CHARSET);
    EXPECT_EQ(dialog.Font()->Height(), -12);
    EXPECT_EQ(dialog.Font()->Color(), clBlack);
    EXPECT_EQ(dialog.ActiveControl(), dialog.OK);
    EXPECT_EQ(dialog.Picture()->Graphic(), nullptr);
    EXPECT_EQ(dialog.Shape1->BoundsRect(), TRect::FromBounds(9, 13, 172, 169));
    EXPECT_EQ(dialog.Shape1->Brush()->Style(), bsClear);

    struct Row {
        TButton* button;
        const char* caption;
        TRect bounds;
        int tabOrder;
    } rows[] = {
        {dialog.OK, "OK", TRect::FromBounds(10, 192, 77, 25), 0},
        {dialog.Cancel, "Cancel", TRect::FromBounds(101, 192, 77, 25), 1},
        {dialog.Load, "Open...", TRect::FromBounds(192, 12, 77, 25), 2},
        {dialog.Save, "Save", TRect::FromBounds(192, 45, 77, 25), 3},
        {dialog.Clear, "Clear", TRect::FromBounds(192, 156, 77, 25), 4},
        {dialog.HelpBtn, "&Help", TRect::FromBounds(192, 192, 77, 25), 5},
        {dialog.btnCopy, "Copy", TRect::FromBounds(193, 77, 77, 25), 6},
        {dialog.Button2, "Paste", TRect::FromBounds(193, 110, 77, 25), 7},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.caption);
        EXPECT_EQ(r.button->Caption(), r.caption);
        EXPECT_EQ(r.button->BoundsRect(), r.bounds);
        EXPECT_EQ(r.button->TabOrder(), r.tabOrder);
    }
    EXPECT_EQ(dialog.OK->Kind(), bkOK);
    EXPECT_EQ(dialog.OK->ModalResult(), mrOk);
    EXPECT_TRUE(dialog.OK->Default());
    EXPECT_EQ(dialog.Cancel->Kind(), bkCancel);
    EXPECT_TRUE(dialog.Cancel->Cancel());
    EXPECT_EQ(dialog.HelpBtn->Kind(), bkHelp);
    EXPECT_EQ(dialog.OK->Margin(), 2);
    EXPECT_EQ(dialog.Cancel->Margin(), 2);
    EXPECT_FALSE(dialog.OK->Glyph()->Empty());
    EXPECT_FALSE(dialog.Save->Enabled()) << "disabled when the form is created";
    EXPECT_TRUE(dialog.Clear->Enabled()) << "left to the caller";
    ASSERT_NE(dialog.OpenDialog, nullptr);
    ASSERT_NE(dialog.SaveDialog, nullptr);
}

// ---- the preview ------------------------------------------------------------------------------------------

TEST_F(PictureDialog, AnEmptyPictureShowsNoneCentredWithSaveAndClearDisabled) {
    const bool accepted = Run(editor, [&](TPictureEditorDlg& dialog) {
        EXPECT_EQ(dialog.ActiveControl(), dialog.OK);
        EXPECT_FALSE(dialog.Save->Enabled());
        EXPECT_FALSE(dialog.Clear->Enabled());
        TBitmap shot;
        GrabWindow(dialog.Handle(), shot);
        const TRect text = TextBounds(shot, FrameInterior);
        ASSERT_FALSE(text.IsEmpty()) << "\"(None)\" is drawn";
        TBitmap measure;
        measure.Canvas()->SetFont(dialog.Font());
        EXPECT_LE(text.Width(), measure.Canvas()->TextWidth("(None)"));
        EXPECT_GE(text.Width(), measure.Canvas()->TextWidth("(None)") - 3);
        EXPECT_NEAR(text.Left + text.Width() / 2.0, 9 + 172 / 2.0, 2.0);
        EXPECT_NEAR(text.Top + text.Height() / 2.0, 13 + 169 / 2.0, 3.0);
        // The resource's font falls back to an installed one: every enabled button shows its caption.
        for (TButton* button :
             {static_cast<TButton*>(dialog.OK), static_cast<TButton*>(dialog.Cancel), dialog.Load,
              dialog.btnCopy, dialog.Button2, static_cast<TButton*>(dialog.HelpBtn)}) {
            SCOPED_TRACE(button->Name());
            std::string caption = button->Caption();
            std::erase(caption, '&');
            const TRect inside = button->BoundsRect().Inflated(-3, -3);
            EXPECT_GE(TextBounds(shot, inside).Width(), measure.Canvas()->TextWidth(caption) * 3 / 4);
        }
        Press(dialog.Cancel);
    });
    EXPECT_FALSE(accepted);
}

TEST_F(PictureDialog, ThePictureIsDrawnUnscaledWhenItFitsAndScaledDownFromTheTopLeftWhenNot) {
    // The frame is (9, 13)-(181, 182); its outline covers the outermost pixels.
    struct Row {
        int width, height;
        TRect drawn;
    } rows[] = {
        {100, 50, {45, 72, 145, 122}},  // centred, unscaled
        {172, 169, {9, 13, 181, 182}},  // exactly the frame
        {344, 100, {9, 13, 181, 63}},   // wider than high: 172 x MulDiv(100, 172, 344) = 50
        {100, 338, {9, 13, 59, 182}},   // higher than wide: MulDiv(100, 169, 338) = 50 x 169
        {200, 200, {9, 13, 178, 182}},  // square: scaled by the frame's height, 169 x 169
        {1000, 990, {9, 13, 180, 182}}, // a little wider than high, but the height limits: 171 x 169
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(Format("%d x %d", r.width, r.height));
        editor.Picture()->SetGraphic(SolidBitmap(r.width, r.height, clRed).get());
        Run(editor, [&](TPictureEditorDlg& dialog) {
            EXPECT_TRUE(dialog.Save->Enabled());
            EXPECT_TRUE(dialog.Clear->Enabled());
            TBitmap shot;
            GrabWindow(dialog.Handle(), shot);
            EXPECT_EQ(InkBounds(shot, clRed, TRect(0, 0, 281, 190)), r.drawn.Intersect(FrameInterior));
            Press(dialog.Cancel);
        });
    }
}

// ---- the buttons ------------------------------------------------------------------------------------------

TEST_F(PictureDialog, OpenSaveAndClearWorkOnTheWorkingPicture) {
    SolidBitmap(30, 20, clBlue)->SaveToFile(File("blue.bmp"));
    WriteFile(File("old.bmp"), "replaced");
    const bool accepted = Run(editor, [&](TPictureEditorDlg& dialog) {
        InDialog<TOpenPictureDialog>([&](TOpenPictureDialog& open) {
            EXPECT_EQ(open.Filter(), GraphicFilter(TGraphic::StaticClass()));
            EXPECT_EQ(open.DefaultExt(), "");
            EXPECT_TRUE(open.Options() == (TOpenOptions{ofHideReadOnly, ofShowHelp, ofFileMustExist}));
            EXPECT_EQ(open.HelpContext(), 27000);
            open.TypeInto(dpFileName, File("blue.bmp"));
            open.ClickPart(dpOK);
        });
        Press(dialog.Load);
        EXPECT_TRUE(dialog.Save->Enabled());
        EXPECT_TRUE(dialog.Clear->Enabled());
        EXPECT_EQ(PreviewInk(dialog, clBlue), TRect::FromBounds(80, 87, 30, 20)) << "centred in the frame";

        InDialog<TSavePictureDialog>([&](TSavePictureDialog& save) {
            EXPECT_EQ(save.Filter(), "Bitmaps (*.bmp)|*.bmp");
            EXPECT_EQ(save.DefaultExt(), "bmp");
            EXPECT_TRUE(save.Options() == (TOpenOptions{ofHideReadOnly, ofShowHelp, ofOverwritePrompt}));
            EXPECT_EQ(save.HelpContext(), 27010);
            save.TypeInto(dpFileName, File("copy")); // a new file, given the default extension
            save.ClickPart(dpOK);
        });
        Press(dialog.Save);
        // Saving over a file asks first.
        ChooseFile(File("old.bmp"));
        InDialog<TMessageBox>([](TMessageBox& box) { box.ClickPart(dpYes); });
        Press(dialog.Save);

        Press(dialog.Clear);
        EXPECT_FALSE(dialog.Save->Enabled());
        EXPECT_FALSE(dialog.Clear->Enabled());
        EXPECT_EQ(PreviewInk(dialog, clBlue), TRect());
        Press(dialog.Save); // disabled: opens nothing
        Press(dialog.OK);
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(editor.Picture()->Graphic(), nullptr) << "cleared before OK";
    for (const char* name : {"copy.bmp", "old.bmp"}) {
        TBitmap saved;
        saved.LoadFromFile(File(name));
        EXPECT_EQ(saved.Width(), 30);
        EXPECT_EQ(saved.Canvas()->Pixels(5, 5), clBlue);
    }
}

TEST_F(PictureDialog, DamagedAndUnknownFilesAreReportedAndLeaveThePictureAsItWas) {
    struct Row {
        const char* file;
        std::string bytes;
        const char* message;
    } rows[] = {
        {"damaged.bmp", "BM not really", "Bitmap image is not valid"},
        {"damaged.ico", std::string("\0\0\1\0\1\0garbage", 13), "Icon image is not valid"},
        {"damaged.svg", "<svg", "Metafile is not valid"},
        {"damaged.png", "\x89PNG\r\n\x1a\n and then nothing", "PNG image is not valid"},
        {"damaged.jpg", "\xff\xd8\xff and then nothing", "JPEG image is not valid"},
        {"damaged.jpeg", "", "JPEG image is not valid"},
        {"huge.bmp", HugeBitmapHeader(), "Bitmap image is not valid"},
        {"picture.gif", "GIF89a", "Unknown picture file extension (.gif)"},
    };
    for (const Row& r : rows)
        WriteFile(File(r.file), r.bytes);
    editor.Picture()->SetGraphic(SolidBitmap(20, 20, clLime).get());

    Run(editor, [&](TPictureEditorDlg& dialog) {
        for (const Row& r : rows) {
            ChooseFile(File(r.file));
            AnswerMessage();
            Press(dialog.Load);
        }
        EXPECT_EQ(dialog.Picture()->Bitmap()->Canvas()->Pixels(3, 3), clLime);
        EXPECT_TRUE(dialog.Save->Enabled());
        EXPECT_TRUE(dialog.Clear->Enabled());
        EXPECT_FALSE(PreviewInk(dialog, clLime).IsEmpty());
        Press(dialog.OK);
    });
    std::vector<std::string> expected;
    for (const Row& r : rows)
        expected.push_back(r.message);
    EXPECT_EQ(Messages, expected);
}

TEST_F(PictureDialog, PastingTakesTheClipboardsPictureAndCopyingPutsItBack) {
    Clipboard()->SetAsText("no picture here");
    SolidBitmap(40, 10, clRed)->SaveToFile(File("red.bmp"));
    const auto lime = SolidBitmap(12, 8, clLime);
    const bool accepted = Run(editor, [&](TPictureEditorDlg& dialog) {
        AnswerMessage();
        Press(dialog.Button2);
        EXPECT_EQ(dialog.Picture()->Graphic(), nullptr);

        Clipboard()->Assign(lime.get());
        Press(dialog.Button2);
        EXPECT_EQ(PreviewInk(dialog, clLime), TRect::FromBounds(89, 93, 12, 8));
        EXPECT_FALSE(dialog.Save->Enabled()) << "pasting leaves Save and Clear as they were";
        EXPECT_FALSE(dialog.Clear->Enabled());

        ChooseFile(File("red.bmp"));
        Press(dialog.Load);
        Press(dialog.btnCopy);
        Press(dialog.Cancel);
    });
    EXPECT_FALSE(accepted);
    EXPECT_EQ(editor.Picture()->Graphic(), nullptr) << "Cancel keeps the caller's picture";
    EXPECT_EQ(Messages, std::vector<std::string>{"Invalid clipboard format"});

    TPicture copied;
    copied.Assign(Clipboard());
    ASSERT_EQ(copied.Width(), 40);
    EXPECT_EQ(copied.Bitmap()->Canvas()->Pixels(39, 9), clRed);

    // A metafile comes back from the clipboard as a metafile.
    Clipboard()->Assign(GreenMetafile().get());
    Run(editor, [&](TPictureEditorDlg& dialog) {
        Press(dialog.Button2);
        EXPECT_TRUE(dialog.Picture()->Graphic()->InheritsFrom(TMetafile::StaticClass()));
        Press(dialog.OK);
    });
    ASSERT_NE(editor.Picture()->Graphic(), nullptr);
    EXPECT_EQ(editor.Picture()->Graphic()->ClassName(), "TMetafile");
}

TEST_F(PictureDialog, OnlyOkHandsTheResultBackAndTheEditorKeepsItsOwnCopy) {
    TPicture original;
    original.SetGraphic(SolidBitmap(10, 10, clRed).get());
    editor.SetPicture(&original);
    EXPECT_NE(editor.Picture()->Graphic(), original.Graphic()) << "a copy";
    SolidBitmap(16, 16, clBlue)->SaveToFile(File("blue.bmp"));

    for (TBitBtn* TPictureEditorDlg::*closing : {&TPictureEditorDlg::Cancel, &TPictureEditorDlg::OK}) {
        Run(editor, [&](TPictureEditorDlg& dialog) {
            EXPECT_EQ(dialog.Picture()->Width(), 10) << "the editor's picture was copied in";
            ChooseFile(File("blue.bmp"));
            Press(dialog.Load);
            Press(dialog.*closing);
        });
    }
    EXPECT_EQ(editor.Picture()->Width(), 16);
    EXPECT_EQ(original.Width(), 10);

    // The graphic class narrows what the file dialogs offer.
    editor.SetGraphicClass(TPngImage::StaticClass());
    Run(editor, [&](TPictureEditorDlg& dialog) {
        EXPECT_EQ(dialog.OpenDialog->Filter(), "PNG images (*.png)|*.png");
        EXPECT_EQ(dialog.OpenDialog->DefaultExt(), "png");
        EXPECT_EQ(dialog.SaveDialog->Filter(), "PNG images (*.png)|*.png");
        Press(dialog.Cancel);
    });
}

} // namespace
