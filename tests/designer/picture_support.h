// Shared helpers of the picture editing tests (the designer's, the inspector's and the runtime
// designer's): a temporary folder, the picture editor dialog and the dialogs it opens driven through
// TModalDriver, and pixel checks of the preview.
#pragma once

#include "../bitmap_file.h"
#include "PicEdit.h"
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/MessageBox.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/Metafile.h"
#include "graphics/Picture.h"
#include "ui/InputSimulator.h"
#include "ui/ModalLoop.h"
#include "ui/Windows.h"
#include "widgets/BitBtn.h"
#include "widgets/Button.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

inline void PrintTo(const TRect& r, std::ostream* os) {
    *os << "(" << r.Left << ", " << r.Top << ")-(" << r.Right << ", " << r.Bottom << ")";
}

// The inside of the preview frame (9, 13)-(181, 182), within its one-pixel outline.
inline constexpr TRect FrameInterior{10, 14, 180, 181};

// A temporary folder, removed with the object, and the helpers.
class PictureHelpers {
public:
    PictureHelpers() {
        char pattern[] = "/tmp/picture-editing-XXXXXX";
        if (!mkdtemp(pattern)) throw std::runtime_error("no temporary folder");
        Folder = pattern;
    }
    ~PictureHelpers() { std::filesystem::remove_all(Folder); }

    std::string File(const std::string& name) const { return (Folder / name).string(); }
    static void WriteFile(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    // Reports what went wrong in the modal loops, and every action no loop took, and leaves strict mode.
    static void EndStrictModalRuns() {
        for (const std::string& failure : TModalDriver::TakeFailures())
            ADD_FAILURE() << failure;
        EXPECT_FALSE(TModalDriver::HasPendingActions());
        TModalDriver::ClearActions();
        TModalDriver::SetStrict(false);
    }

    // Runs the action inside the next modal window, which must be a `Window`.
    template <class Window> static void InDialog(std::function<void(Window&)> action) {
        TModalDriver::QueueAction([action](TObject* window) {
            auto* dialog = dynamic_cast<Window*>(window);
            ASSERT_NE(dialog, nullptr) << "another window opened: " << window->ClassName();
            action(*dialog);
        });
    }
    static void InEditorDialog(std::function<void(TPictureEditorDlg&)> action) {
        InDialog<TPictureEditorDlg>(std::move(action));
    }
    // Answers the next file dialog with this file.
    static void ChooseFile(const std::string& path) {
        InDialog<TOpenDialog>([path](TOpenDialog& dialog) {
            dialog.TypeInto(dpFileName, path);
            dialog.ClickPart(dpOK);
        });
    }
    // Answers the next message box with OK, keeping its text in Messages.
    void AnswerMessage() {
        InDialog<TMessageBox>([this](TMessageBox& box) {
            Messages.push_back(box.Text());
            box.ClickPart(dpOK);
        });
    }
    static void Press(TControl* button) {
        TInputSimulator::Click(button, {button->Width() / 2, button->Height() / 2});
    }

    static std::unique_ptr<TBitmap> SolidBitmap(int width, int height, TColor color) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(width, height);
        bitmap->Canvas()->Brush()->SetColor(color);
        bitmap->Canvas()->FillRect(TRect(0, 0, width, height));
        return bitmap;
    }
    static std::unique_ptr<TMetafile> GreenMetafile() {
        auto metafile = std::make_unique<TMetafile>();
        TStringStream document(R"(<svg xmlns="http://www.w3.org/2000/svg" width="30" height="10">)"
                               R"(<rect width="30" height="10" fill="#00ff00"/></svg>)");
        metafile->LoadFromStream(document);
        return metafile;
    }
    // A .bmp header claiming 20000 x 20000 pixels, without them.
    static std::string HugeBitmapHeader() { return BitmapFile(20000, 20000, 24, BitmapUncompressed, "", ""); }

    // The smallest rectangle holding every pixel within `area` that `matches`; empty when there is none.
    static TRect PixelBounds(TBitmap& shot, const TRect& area,
                             const std::function<bool(int32_t rgb)>& matches) {
        TRect bounds;
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x)
                if (matches(ColorToRGB(shot.Canvas()->Pixels(x, y))))
                    bounds = bounds.Union(TRect(x, y, x + 1, y + 1));
        return bounds;
    }
    static TRect InkBounds(TBitmap& shot, TColor ink, const TRect& area) {
        return PixelBounds(shot, area, [ink](int32_t rgb) { return rgb == ColorToRGB(ink); });
    }
    // Where text is: pixels darker than mid-grey in every channel (smoothed edges included).
    static TRect TextBounds(TBitmap& shot, const TRect& area) {
        return PixelBounds(shot, area, [](int32_t rgb) {
            return (rgb & 0xFF) < 0x80 && ((rgb >> 8) & 0xFF) < 0x80 && ((rgb >> 16) & 0xFF) < 0x80;
        });
    }
    // Where `ink` shows in the dialog above its bottom row of buttons (whose glyphs have colours too).
    static TRect PreviewInk(TPictureEditorDlg& dialog, TColor ink) {
        TBitmap shot;
        GrabWindow(dialog.Handle(), shot);
        return InkBounds(shot, ink, TRect(0, 0, dialog.ClientWidth(), 190));
    }

    std::filesystem::path Folder;
    std::vector<std::string> Messages;
};

class PictureTest : public ::testing::Test, protected PictureHelpers {
protected:
    // A faulty action fails the test instead of leaving a dialog waiting for a person.
    void SetUp() override { TModalDriver::SetStrict(true); }
    void TearDown() override { EndStrictModalRuns(); }
};
