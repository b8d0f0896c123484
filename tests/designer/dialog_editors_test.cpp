// The editors that open common dialogs, driven inside the dialogs' modal loops as a person would: colour
// (custom colours kept in a temporary settings folder), font, and the media player's file name.
#include "designer_support.h"

#include "components/MediaPlayer.h"
#include "core/Strings.h"
#include "dialogs/ColorDialog.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/FontDialog.h"
#include "settings/RegIniFile.h"
#include "ui/ModalLoop.h"
#include "ui/Screen.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/inotify.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class DialogEditors : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/designer-dialogs-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        if (const char* old = getenv("XDG_CONFIG_HOME")) previousConfig = old;
        setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
        // A faulty action fails the test instead of leaving a dialog waiting for a person.
        TModalDriver::SetStrict(true);
    }
    void TearDown() override {
        if (previousConfig.empty())
            unsetenv("XDG_CONFIG_HOME");
        else
            setenv("XDG_CONFIG_HOME", previousConfig.c_str(), 1);
        for (const std::string& failure : TModalDriver::TakeFailures())
            ADD_FAILURE() << failure;
        EXPECT_FALSE(TModalDriver::HasPendingActions());
        TModalDriver::ClearActions();
        TModalDriver::SetStrict(false);
        fs::remove_all(folder);
    }

    // Runs the action inside the next dialog as its modal action.
    template <class Dialog> void InDialog(std::function<void(Dialog&)> action) {
        TModalDriver::QueueAction([action](TObject* window) {
            auto* dialog = dynamic_cast<Dialog*>(window);
            ASSERT_NE(dialog, nullptr);
            action(*dialog);
        });
    }

    std::string CustomColor(const std::string& name) {
        TRegIniFile settings(TColorProperty::CustomColorsKey);
        return settings.ReadString(TColorProperty::CustomColorsSection, name, "(none)");
    }

    fs::path folder;
    std::string previousConfig;
    TRecordingDesigner designer;
    TEdTarget a{nullptr};
};

// ---- colour -----------------------------------------------------------------------------------------------

// ---------------------------------------------------------------------------------------------------

TEST_F(DialogEditors, ColourDialogStoresTheAcceptedColourOnEveryObject) {
    TEdTarget b(nullptr);
    a.Color = clNavy;
    auto editor = EditorFor({&a, &b}, "Color", &designer);
    InDialog<TColorDialog>([](TColorDialog& dialog) {
        EXPECT_EQ(dialog.Color(), clNavy);
        EXPECT_EQ(dialog.HelpContext(), 25010);
        EXPECT_TRUE(dialog.Options() == TColorDialogOptions{cdShowHelp});
        EXPECT_TRUE(dialog.HasPart(dpHelp));
        dialog.TypeInto(dpColorName, "#ff0000");
        dialog.ClickPart(dpOK);
    });
    editor->Edit();
    EXPECT_EQ(a.Color, clRed);
    EXPECT_EQ(b.Color, clRed);
    EXPECT_EQ(designer.ModifiedCount, 1);
}

TEST_F(DialogEditors, CancelledColourDialogStoresNothingButKeepsTheCustomColours) {
    {
        TRegIniFile settings(TColorProperty::CustomColorsKey);
        settings.WriteString(TColorProperty::CustomColorsSection, "ColorC", "00FF00");
    }
    a.Color = clTeal;
    auto editor = EditorFor({&a}, "Color", &designer);
    InDialog<TColorDialog>([](TColorDialog& dialog) {
        EXPECT_EQ(dialog.CustomColors()->Values("ColorC"), "00FF00"); // read from the settings
        dialog.TypeInto(dpColorName, "#123456");
        dialog.ClickPart(dpAddCustomColor);
        dialog.ClickPart(dpCancel);
    });
    editor->Edit();
    EXPECT_EQ(a.Color, clTeal);
    EXPECT_EQ(designer.ModifiedCount, 0);

    // All sixteen custom colours went back to the settings, the new one among them.
    EXPECT_EQ(CustomColor("ColorC"), "00FF00");
    int found = 0;
    for (char c = 'A'; c <= 'P'; ++c) {
        const std::string value = CustomColor(std::string("Color") + c);
        EXPECT_NE(value, "(none)") << c;
        found += value == "563412"; // #123456 as a colour value: blue 56, green 34, red 12
    }
    EXPECT_EQ(found, 1);
}

// The settings file's writes, counted by the kernel's notices of its folder: QSettings writes a new file
// and moves it into the old one's place (it also opens the old one for writing, without writing to it).
class TWriteCounter {
public:
    explicit TWriteCounter(const std::string& file)
        : FName(fs::path(file).filename().string()), FHandle(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        inotify_add_watch(FHandle, fs::path(file).parent_path().c_str(), IN_MOVED_TO);
    }
    ~TWriteCounter() { close(FHandle); }
    int Writes() {
        alignas(inotify_event) char buffer[65536];
        for (ssize_t n; (n = read(FHandle, buffer, sizeof buffer)) > 0;)
            for (char* at = buffer; at < buffer + n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                if (event->len > 0 && FName == event->name) ++FWrites;
                at += sizeof(inotify_event) + event->len;
            }
        return FWrites;
    }

private:
    std::string FName;
    int FHandle;
    int FWrites = 0;
};

TEST_F(DialogEditors, TheColourDialogWritesTheCustomColoursOnceAndOnlyWhenTheUserChangedThem) {
    struct Row {
        const char* what;
        bool addCustomColour;
        TDialogPart button;
        int writes;
    } rows[] = {
        {"cancelled, nothing changed", false, dpCancel, 0},
        {"accepted, nothing changed", false, dpOK, 0},
        {"cancelled after adding a custom colour", true, dpCancel, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        // A thousand custom colours of another program, and the dialog's sixteen as it leaves them.
        std::string file;
        {
            TRegIniFile settings(TColorProperty::CustomColorsKey);
            file = settings.FileName();
        }
        {
            std::ofstream out(file, std::ios::trunc);
            out << "[Custom%20Colors]\n";
            for (char c = 'A'; c <= 'P'; ++c)
                out << "Color" << c << "=FFFFFF\n";
            for (int i = 0; i < 1000; ++i)
                out << "Other" << i << "=" << 100000 + i << "\n";
        }
        TWriteCounter counter(file);
        a.Color = clTeal;
        auto editor = EditorFor({&a}, "Color", &designer);
        InDialog<TColorDialog>([&](TColorDialog& dialog) {
            if (row.addCustomColour) {
                dialog.TypeInto(dpColorName, "#123456");
                dialog.ClickPart(dpAddCustomColor);
            }
            dialog.ClickPart(row.button);
        });
        editor->Edit();
        EXPECT_EQ(counter.Writes(), row.writes);
        EXPECT_EQ(CustomColor("Other999"), "100999");
        EXPECT_EQ(CustomColor("ColorA"), row.addCustomColour ? "563412" : "FFFFFF");
    }
}

// ---- font -------------------------------------------------------------------------------------------------

// -----------------------------------------------------------------------------------------------------

TEST_F(DialogEditors, FontDialogWorksOnACopyAndStoresTheAcceptedFont) {
    TStrings* fonts = TScreen::Instance().Fonts();
    if (fonts->Count() == 0) GTEST_SKIP() << "no fonts installed";
    a.Font()->SetName(fonts->Strings(0)); // an existing face: the dialog insists on one
    a.Font()->SetHeight(-11);
    a.Font()->SetColor(clRed);
    auto editor = EditorFor({&a}, "Font", &designer);

    InDialog<TFontDialog>([&](TFontDialog& dialog) {
        EXPECT_NE(dialog.Font(), a.Font());
        EXPECT_EQ(dialog.Font()->Height(), -11);
        EXPECT_EQ(dialog.HelpContext(), 25000);
        EXPECT_TRUE(dialog.Options() == (TFontDialogOptions{fdEffects, fdForceFontExist, fdShowHelp}));
        dialog.TypeInto(dpFontSize, "20");
        dialog.ClickPart(dpCancel);
    });
    editor->Edit();
    EXPECT_EQ(a.Font()->Height(), -11);
    EXPECT_EQ(designer.ModifiedCount, 0);

    InDialog<TFontDialog>([](TFontDialog& dialog) {
        dialog.TypeInto(dpFontSize, "20");
        dialog.ClickPart(dpOK);
    });
    editor->Edit();
    EXPECT_EQ(a.Font()->Size(), 20);
    EXPECT_EQ(a.Font()->Color(), clRed); // the dialog's font is copied whole
    EXPECT_EQ(designer.ModifiedCount, 1);
}

// ---- media-player file name -------------------------------------------------------------------------------

// -------------------------------------------------------------------------------------

TEST_F(DialogEditors, MediaPlayerFileNameIsChosenInTheOpenDialog) {
    TMediaPlayer player(nullptr), second(nullptr);
    const fs::path sound = folder / "ding.wav";
    std::ofstream(sound) << "RIFF";
    player.SetFileName((folder / "old.wav").string());

    EXPECT_EQ(Find(EditorsOf({&player, &second}), "FileName"), nullptr); // not for several players
    auto editor = EditorFor({&player}, "FileName", &designer);
    EXPECT_EQ(editor->ClassName(), "TMPFilenameProperty");
    EXPECT_TRUE(editor->GetAttributes() == TEditorAttributes{paDialog});

    InDialog<TOpenDialog>([&](TOpenDialog& dialog) {
        EXPECT_EQ(dialog.FileName(), (folder / "old.wav").string());
        EXPECT_EQ(dialog.Filter(), TMPFilenameProperty::Filter);
        EXPECT_EQ(dialog.HelpContext(), 25020);
        EXPECT_TRUE(dialog.Options().Contains(ofShowHelp));
        EXPECT_TRUE(dialog.Options().Contains(ofPathMustExist));
        EXPECT_TRUE(dialog.Options().Contains(ofFileMustExist));
        dialog.ClickPart(dpCancel);
    });
    editor->Edit();
    EXPECT_EQ(player.FileName(), (folder / "old.wav").string());

    InDialog<TOpenDialog>([&](TOpenDialog& dialog) {
        dialog.TypeInto(dpFileName, sound.string());
        dialog.ClickPart(dpOK);
    });
    editor->Edit();
    EXPECT_EQ(player.FileName(), sound.string());
    EXPECT_EQ(designer.ModifiedCount, 1);
}

} // namespace
