// The modal driver and the common dialogs: every dialog opened, driven by real input inside its modal
// loop, and answered (accepted with a value, cancelled); strict mode reporting faulty actions.
#include "core/StringList.h"
#include "dialogs/Dialogs.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/Font.h"
#include "graphics/Picture.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/InputSimulator.h"
#include "ui/ModalLoop.h"
#include "ui/Windows.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Strict mode for every test: a faulty action fails the test instead of hanging it.
struct ModalTest : ::testing::Test {
    void SetUp() override {
        TModalDriver::SetStrict(true);
        folder =
            fs::temp_directory_path() / ("fw_dialogs_" + std::to_string(getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override {
        const std::vector<std::string> failures = TModalDriver::TakeFailures();
        for (const std::string& f : failures)
            ADD_FAILURE() << f;
        TModalDriver::SetStrict(false);
        fs::remove_all(folder);
    }
    std::string Touch(const std::string& name) {
        std::ofstream(folder / name) << "text";
        return (folder / name).string();
    }
    template <class T> static T* As(TObject* window) {
        auto* dialog = dynamic_cast<T*>(window);
        if (!dialog) throw Exception("the modal window is not the expected dialog");
        return dialog;
    }
    fs::path folder;
};

using ModalDriver = ModalTest;

TEST_F(ModalDriver, StrictModeReportsAndCancelsFaultyLoops) {
    TForm form(nullptr);
    TModalDriver::SetStrict(true);
    EXPECT_EQ(form.ShowModal(), mrCancel) << "no action queued: cancelled at once";
    TModalDriver::QueueAction([](TObject*) {});
    EXPECT_EQ(form.ShowModal(), mrCancel) << "an action that leaves its loop open";
    TModalDriver::QueueAction([](TObject*) { throw Exception("boom"); });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    TModalDriver::QueueAction([](TObject*) {});
    const std::vector<std::string> failures = TModalDriver::TakeFailures();
    ASSERT_EQ(failures.size(), 4u);
    EXPECT_EQ(failures[0], "A modal loop of TForm started with no action queued");
    EXPECT_EQ(failures[1], "The modal action for TForm returned and left its loop open");
    EXPECT_EQ(failures[2], "The modal action for TForm raised an exception: boom");
    EXPECT_EQ(failures[3], "1 queued modal action(s) never ran");
    EXPECT_FALSE(form.Visible());
}

TEST_F(ModalDriver, NestedLoopsTakeTheNextActionAndReportTheirWindows) {
    TForm outer(nullptr), inner(nullptr);
    std::vector<std::string> seen;
    TModalResult innerResult = mrNone;
    TModalDriver::QueueAction([&](TObject* window) {
        seen.push_back("outer:" + window->ClassName());
        EXPECT_EQ(TModalDriver::ActiveWindow(), &outer);
        innerResult = inner.ShowModal();
        static_cast<TForm*>(window)->SetModalResult(mrOk);
    });
    TModalDriver::QueueAction([&](TObject* window) {
        EXPECT_EQ(window, &inner);
        seen.push_back("inner");
        TInputSimulator::KeyPress(VK_ESCAPE, {}, inner.Handle());
    });
    EXPECT_EQ(outer.ShowModal(), mrOk);
    EXPECT_EQ(innerResult, mrCancel);
    EXPECT_EQ(seen, (std::vector<std::string>{"outer:TForm", "inner"}));
    EXPECT_EQ(TModalDriver::ActiveWindow(), nullptr);
}

// ---- message box ------------------------------------------------------------------------------------------

using MessageBoxes = ModalTest;

TEST_F(MessageBoxes, AnsweredByClickEnterAndEscape) {
    struct Case {
        unsigned flags;
        std::function<void(TMessageBox*)> answer;
        int expected;
    };
    const std::vector<Case> cases = {
        {MB_YESNOCANCEL, [](TMessageBox* b) { b->ClickPart(dpNo); }, IDNO},
        {MB_YESNOCANCEL, [](TMessageBox* b) { b->ClickPart(dpYes); }, IDYES},
        {MB_YESNOCANCEL, [](TMessageBox*) { TInputSimulator::KeyPress(VK_ESCAPE); }, IDCANCEL},
        {MB_YESNO, [](TMessageBox*) { TInputSimulator::KeyPress(VK_ESCAPE); }, IDNO},
        {MB_OKCANCEL | MB_DEFBUTTON2, [](TMessageBox*) { TInputSimulator::KeyPress(VK_RETURN); }, IDCANCEL},
        {MB_OK, [](TMessageBox* b) { SendMessage(b->Handle(), WM_CLOSE, 0, 0); }, IDOK},
        {MB_ABORTRETRYIGNORE, [](TMessageBox* b) { b->ClickPart(dpIgnore); }, IDIGNORE},
    };
    for (const Case& c : cases) {
        std::string text;
        std::vector<int> ids;
        TModalDriver::QueueAction([&](TObject* window) {
            auto* box = As<TMessageBox>(window);
            text = box->Text();
            ids = box->ButtonIds();
            c.answer(box);
        });
        EXPECT_EQ(Application->MessageBox("Save the changes?", "Test", c.flags), c.expected) << c.flags;
        EXPECT_EQ(text, "Save the changes?");
        EXPECT_FALSE(ids.empty());
    }
}

TEST_F(MessageBoxes, WithoutAnActionInStrictModeItIsEscapedAndReported) {
    EXPECT_EQ(TMessageBox::Show("Anything", "Test", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(TModalDriver::TakeFailures().size(), 1u);
}

// ---- file dialogs -----------------------------------------------------------------------------------------

using FileDialogs = ModalTest;

TEST_F(FileDialogs, NameFiltersFromTheFilterSyntax) {
    EXPECT_EQ(FileDialogNameFilters("Text File|*.TXT"), (std::vector<std::string>{"Text File (*.TXT)"}));
    EXPECT_EQ(FileDialogNameFilters("Bitmaps (*.bmp)|*.bmp|All|*.bmp;*.ico|Dangling"),
              (std::vector<std::string>{"Bitmaps (*.bmp)", "All (*.bmp *.ico)"}));
    EXPECT_EQ(FileDialogNameFilters("Nothing|"), (std::vector<std::string>{"Nothing (*)"}));
    EXPECT_TRUE(FileDialogNameFilters("").empty());
}

TEST_F(FileDialogs, OpenAcceptsATypedNameWithTheDefaultExtension) {
    const std::string notes = Touch("notes.txt");
    TOpenDialog dialog(nullptr);
    dialog.SetInitialDir(folder.string());
    dialog.SetFilter("Text File|*.TXT|All files|*.*");
    dialog.SetDefaultExt("txt");
    dialog.SetOptions({ofFileMustExist, ofHideReadOnly});
    std::string title;
    TModalDriver::QueueAction([&](TObject* window) {
        auto* d = As<TOpenDialog>(window);
        EXPECT_NE(d->Handle(), nullptr);
        title = GetWindowRect(d->Handle()).IsEmpty() ? "" : "shown";
        d->TypeInto(dpFileName, "notes");
        EXPECT_EQ(d->PartText(dpFileName), "notes");
        d->ClickPart(dpOK);
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(title, "shown");
    EXPECT_EQ(dialog.FileName(), notes);
    ASSERT_EQ(dialog.Files()->Count(), 1);
    EXPECT_EQ(dialog.Files()->Strings(0), notes);
    EXPECT_EQ(dialog.FilterIndex(), 1);
    EXPECT_FALSE(dialog.Options().Contains(ofExtensionDifferent));
    EXPECT_FALSE(dialog.Running());
}

TEST_F(FileDialogs, CancelLeavesTheFileNameAsItWas) {
    TOpenDialog dialog(nullptr);
    dialog.SetFileName((folder / "start.txt").string());
    for (const auto& cancel : std::vector<std::function<void(TOpenDialog*)>>{
             [](TOpenDialog* d) { d->ClickPart(dpCancel); },
             [](TOpenDialog* d) {
                 d->TypeInto(dpFileName, "other.txt");
                 TInputSimulator::KeyPress(VK_ESCAPE);
             },
         }) {
        TModalDriver::QueueAction([&](TObject* window) {
            auto* d = As<TOpenDialog>(window);
            EXPECT_EQ(d->PartText(dpFileName), "start.txt") << "opens on FileName";
            cancel(d);
        });
        EXPECT_FALSE(dialog.Execute());
        EXPECT_EQ(dialog.FileName(), (folder / "start.txt").string());
    }
}

TEST_F(FileDialogs, MissingFileIsRefusedWithAMessageAndTheDialogStaysOpen) {
    Touch("there.txt");
    TOpenDialog dialog(nullptr);
    dialog.SetInitialDir(folder.string());
    dialog.SetOptions({ofFileMustExist});
    std::string message;
    TModalDriver::QueueAction([&](TObject* window) {
        auto* d = As<TOpenDialog>(window);
        d->TypeInto(dpFileName, "missing.txt");
        d->ClickPart(dpOK); // the message box runs now, answered by the next action
        EXPECT_TRUE(d->Running());
        d->TypeInto(dpFileName, "there.txt");
        TInputSimulator::KeyPress(VK_RETURN);
    });
    TModalDriver::QueueAction([&](TObject* window) {
        auto* box = As<TMessageBox>(window);
        message = box->Text();
        box->ClickPart(dpOK);
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(message, "missing.txt\nFile not found.\nPlease verify the correct file name was given.");
    EXPECT_EQ(dialog.FileName(), (folder / "there.txt").string());
}

TEST_F(FileDialogs, SaveAsksBeforeReplacingAndAddsTheDefaultExtension) {
    Touch("notes.txt");
    TSaveDialog dialog(nullptr);
    dialog.SetInitialDir(folder.string());
    dialog.SetFilter("Text File|*.TXT");
    dialog.SetDefaultExt("TXT");
    dialog.SetOptions({ofOverwritePrompt, ofHideReadOnly});
    std::string question;
    TModalDriver::QueueAction([&](TObject* window) {
        auto* d = As<TSaveDialog>(window);
        d->TypeInto(dpFileName, "notes.txt");
        d->ClickPart(dpOK); // declined below: the dialog stays
        d->TypeInto(dpFileName, "fresh");
        d->ClickPart(dpOK);
    });
    TModalDriver::QueueAction([&](TObject* window) {
        auto* box = As<TMessageBox>(window);
        question = box->Text();
        box->ClickPart(dpNo);
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(question, "notes.txt already exists.\nDo you want to replace it?");
    EXPECT_EQ(dialog.FileName(), (folder / "fresh.TXT").string());
}

TEST_F(FileDialogs, AWildcardFiltersInsteadOfNamingAFile) {
    TOpenDialog dialog(nullptr);
    dialog.SetInitialDir(folder.string());
    TModalDriver::QueueAction([&](TObject* window) {
        auto* d = As<TOpenDialog>(window);
        d->TypeInto(dpFileName, "*.txt");
        d->ClickPart(dpOK);
        EXPECT_TRUE(d->Running()) << "a pattern is not a file name";
        d->ClickPart(dpCancel);
    });
    EXPECT_FALSE(dialog.Execute());
}

TEST_F(FileDialogs, TheFileTypeChosenByKeyboardBecomesFilterIndex) {
    TSaveDialog dialog(nullptr);
    dialog.SetInitialDir(folder.string());
    dialog.SetFilter("Text File|*.TXT|Form File|*.form");
    std::string shown;
    TModalDriver::QueueAction([&](TObject* window) {
        auto* d = As<TSaveDialog>(window);
        EXPECT_EQ(d->PartText(dpFileType), "Text File (*.TXT)");
        d->ClickPart(dpFileType); // opens the list; the keys go to it
        TInputSimulator::KeyPress(VK_DOWN);
        TInputSimulator::KeyPress(VK_RETURN);
        shown = d->PartText(dpFileType);
        d->TypeInto(dpFileName, "layout.form");
        d->ClickPart(dpOK);
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(shown, "Form File (*.form)");
    EXPECT_EQ(dialog.FilterIndex(), 2);
}

TEST_F(FileDialogs, HelpButtonOnlyWithShowHelp) {
    TOpenDialog dialog(nullptr);
    int helps = 0;
    struct Counter {
        int* count;
        void Help(TObject*) { ++*count; }
    } counter{&helps};
    dialog.OnHelp = TNotifyEvent::Bind<&Counter::Help>(&counter);
    bool hadHelp = true;
    TModalDriver::QueueAction([&](TObject* window) {
        hadHelp = As<TOpenDialog>(window)->HasPart(dpHelp);
        As<TOpenDialog>(window)->ClickPart(dpCancel);
    });
    dialog.Execute();
    EXPECT_FALSE(hadHelp);
    dialog.SetOptions({ofShowHelp});
    TModalDriver::QueueAction([&](TObject* window) {
        As<TOpenDialog>(window)->ClickPart(dpHelp);
        As<TOpenDialog>(window)->ClickPart(dpCancel);
    });
    dialog.Execute();
    EXPECT_EQ(helps, 1);
}

TEST_F(FileDialogs, PicturePreviewShowsTheTypedPicture) {
    TBitmap red;
    red.SetSize(60, 60);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect({0, 0, 60, 60});
    red.SaveToFile((folder / "red.bmp").string());
    Touch("plain.bmp"); // not a bitmap: the preview shows nothing

    TOpenPictureDialog dialog(nullptr);
    dialog.SetInitialDir(folder.string());
    EXPECT_NE(dialog.Filter().find("*.bmp"), std::string::npos);
    int previewWidth = -1, afterBadFile = -1;
    TColor middle = clNone;
    TModalDriver::QueueAction([&](TObject* window) {
        auto* d = As<TOpenPictureDialog>(window);
        d->TypeInto(dpFileName, "plain.bmp");
        afterBadFile = d->PreviewPicture()->Width();
        d->TypeInto(dpFileName, "red.bmp");
        previewWidth = d->PreviewPicture()->Width();
        TBitmap shot;
        GrabWindow(d->Handle(), shot);
        const TRect panel = d->PartRect(dpPreview);
        middle = shot.Canvas()->Pixels(panel.Left + panel.Width() / 2, panel.Top + panel.Height() / 2);
        d->ClickPart(dpOK);
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(afterBadFile, 0);
    EXPECT_EQ(previewWidth, 60);
    EXPECT_EQ(ColorToRGB(middle), ColorToRGB(clRed));
    EXPECT_EQ(dialog.FileName(), (folder / "red.bmp").string());
    EXPECT_EQ(dialog.PreviewPicture(), nullptr);
}

// ---- colour and font --------------------------------------------------------------------------------------

using ColorAndFont = ModalTest;

TEST_F(ColorAndFont, ColorChosenByTypingAndCustomColorsKeptEvenWhenCancelled) {
    TColorDialog dialog(nullptr);
    dialog.SetColor(clRed);
    dialog.CustomColors()->SetText("ColorB=zz\nColorC=0000FF\nOther=1\n");
    dialog.SetOptions({cdShowHelp});
    std::string initial;
    bool help = false;
    TModalDriver::QueueAction([&](TObject* window) {
        auto* d = As<TColorDialog>(window);
        initial = d->PartText(dpColorName);
        help = d->HasPart(dpHelp);
        d->TypeInto(dpColorName, "#123456");
        d->ClickPart(dpAddCustomColor);
        d->ClickPart(dpOK);
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(initial, "#ff0000");
    EXPECT_TRUE(help);
    EXPECT_EQ(dialog.Color(), RGB(0x12, 0x34, 0x56));
    TStrings* custom = dialog.CustomColors();
    EXPECT_EQ(custom->Values("ColorA"), "563412") << "the added colour";
    EXPECT_EQ(custom->Values("ColorB"), "FFFFFF") << "an unreadable value stays white";
    EXPECT_EQ(custom->Values("ColorC"), "0000FF");
    EXPECT_EQ(custom->Values("ColorP"), "FFFFFF");
    EXPECT_EQ(custom->Values("Other"), "1");

    TModalDriver::QueueAction([&](TObject* window) {
        auto* d = As<TColorDialog>(window);
        d->TypeInto(dpColorName, "#00ff00");
        d->ClickPart(dpAddCustomColor);
        d->ClickPart(dpCancel);
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Color(), RGB(0x12, 0x34, 0x56)) << "cancelled: the colour stays";
    EXPECT_EQ(custom->Values("ColorA"), "00FF00") << "the custom colours are kept";
}

TEST_F(ColorAndFont, CustomColorValues) {
    struct Case {
        std::string text;
        bool ok;
        TColor color;
    };
    for (const Case& c : std::vector<Case>{{"0000FF", true, clRed},
                                           {"ff", true, clRed},
                                           {"FFFFFFFF", false, clNone},
                                           {"", false, clNone},
                                           {"12G456", false, clNone},
                                           {"-1", false, clNone}}) {
        TColor color = clNone;
        EXPECT_EQ(ParseCustomColor(c.text, color), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(color, c.color) << c.text;
        }
    }
}

TEST_F(ColorAndFont, FontNameAndSizeTypedIntoTheDialog) {
    TFontDialog dialog(nullptr);
    dialog.Font()->SetName(TFontName("DejaVu Sans"));
    dialog.Font()->SetSize(10);
    dialog.Font()->SetColor(clRed);
    std::string shownName, shownSize;
    TModalDriver::QueueAction([&](TObject* window) {
        auto* d = As<TFontDialog>(window);
        shownName = d->PartText(dpFontName);
        shownSize = d->PartText(dpFontSize);
        d->TypeInto(dpFontName, "DejaVu Serif");
        d->TypeInto(dpFontSize, "14");
        d->ClickPart(dpOK);
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(shownName, "DejaVu Sans");
    EXPECT_EQ(shownSize, "10");
    EXPECT_EQ(dialog.Font()->Name(), "DejaVu Serif");
    EXPECT_EQ(dialog.Font()->Size(), 14);
    EXPECT_EQ(dialog.Font()->Color(), clRed) << "the colour is not the dialog's business";

    TModalDriver::QueueAction([&](TObject* window) {
        As<TFontDialog>(window)->TypeInto(dpFontSize, "30");
        TInputSimulator::KeyPress(VK_ESCAPE);
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Font()->Size(), 14);
}

TEST_F(ColorAndFont, ATypedNameOnlySearchesTheInstalledFonts) {
    TFontDialog dialog(nullptr);
    dialog.Font()->SetName(TFontName("DejaVu Sans"));
    dialog.SetOptions({fdForceFontExist, fdShowHelp});
    std::string shown;
    TModalDriver::QueueAction([&](TObject* window) {
        auto* d = As<TFontDialog>(window);
        EXPECT_TRUE(d->HasPart(dpHelp));
        // No installed family starts with "~", so no prefix of the text matches one either.
        d->TypeInto(dpFontName, "~No Such Font Anywhere");
        shown = d->PartText(dpFontName);
        d->ClickPart(dpOK);
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(shown, "DejaVu Sans") << "no font matches: the choice stays";
    EXPECT_EQ(dialog.Font()->Name(), "DejaVu Sans");
}

} // namespace
