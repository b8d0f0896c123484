// A top-level form in the frame the platform puts around it (the offscreen platform frames windows too):
// the form's bounds are its outer bounds, the client area is what the frame leaves inside, and the client
// size given last in a form file is kept.
#include "list_grid_support.h"
#include "widgets_support.h"

#include "ui/Screen.h"
#include "widgets/Panel.h"

namespace {

// How far the client area of a shown form lies inside its outer bounds on each side.
struct TFrameWidths {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

TFrameWidths FrameOf(TCustomForm& form) {
    const TRect outer = GetWindowRect(form.Handle());
    const TPoint client = form.ClientToScreen({0, 0});
    return {client.X - outer.Left, client.Y - outer.Top, outer.Right - client.X - form.ClientWidth(),
            outer.Bottom - client.Y - form.ClientHeight()};
}

} // namespace

TEST(FormFrame, AFormKeepsItsOuterBoundsAndItsClientAreaShrinksByTheFrame) {
    TForm form(nullptr);
    form.SetBounds(100, 60, 300, 200);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetAlign(alClient);
    EXPECT_EQ(form.ClientWidth(), 300) << "no frame before the form shows";
    form.Show();
    Application->ProcessMessages();

    const TFrameWidths frame = FrameOf(form);
    ASSERT_GT(frame.Left + frame.Top + frame.Right + frame.Bottom, 0) << "the platform frames windows";
    EXPECT_EQ(form.BoundsRect(), TRect::FromBounds(100, 60, 300, 200));
    EXPECT_EQ(GetWindowRect(form.Handle()), form.BoundsRect());
    EXPECT_EQ(form.ClientToScreen({0, 0}), (TPoint{100 + frame.Left, 60 + frame.Top}));
    EXPECT_EQ(form.ClientWidth(), 300 - frame.Left - frame.Right);
    EXPECT_EQ(form.ClientHeight(), 200 - frame.Top - frame.Bottom);
    EXPECT_EQ(panel->BoundsRect(), form.ClientRect()) << "aligned controls fill the client area in the frame";
}

TEST(FormFrame, TheSizeGivenLastInAFormFileWinsOnEachAxis) {
    struct Case {
        const char* properties;
        bool clientWidth, clientHeight; // the 300 x 200 given last is the client area's
    };
    const Case cases[] = {
        {"Width = 300\nHeight = 200\n", false, false},
        {"ClientWidth = 300\nClientHeight = 200\n", true, true},
        {"ClientWidth = 250\nWidth = 300\nHeight = 150\nClientHeight = 200\n", false, true},
        {"Width = 250\nClientWidth = 300\nClientHeight = 150\nHeight = 200\n", true, false},
    };
    RegisterStreamableClasses();
    for (const Case& c : cases) {
        TForm form(nullptr);
        list_grid_test::ReadFromText(std::string("object Form1: TForm\n") + c.properties + "end\n", &form);
        EXPECT_EQ(form.BoundsRect().Width(), 300) << c.properties << "no frame before the form shows";
        form.Show();
        Application->ProcessMessages();
        const TFrameWidths frame = FrameOf(form);
        const int frameWidth = frame.Left + frame.Right, frameHeight = frame.Top + frame.Bottom;
        EXPECT_EQ(form.Width(), c.clientWidth ? 300 + frameWidth : 300) << c.properties;
        EXPECT_EQ(form.ClientWidth(), c.clientWidth ? 300 : 300 - frameWidth) << c.properties;
        EXPECT_EQ(form.Height(), c.clientHeight ? 200 + frameHeight : 200) << c.properties;
        EXPECT_EQ(form.ClientHeight(), c.clientHeight ? 200 : 200 - frameHeight) << c.properties;
        EXPECT_EQ(GetWindowRect(form.Handle()), form.BoundsRect()) << c.properties;
    }
}

TEST(FormFrame, ADialogCentredOnTheScreenIsCentredByItsFrame) {
    TForm dialog(nullptr);
    dialog.SetBorderStyle(bsDialog);
    dialog.SetPosition(poScreenCenter);
    dialog.SetClientWidth(320);
    dialog.SetClientHeight(191);
    dialog.Show();
    Application->ProcessMessages();
    const TRect outer = GetWindowRect(dialog.Handle());
    EXPECT_EQ(dialog.ClientWidth(), 320);
    EXPECT_EQ(dialog.ClientHeight(), 191);
    EXPECT_GT(outer.Width(), 320) << "framed";
    EXPECT_EQ(outer.Left, (Screen->Width() - outer.Width()) / 2);
    EXPECT_EQ(outer.Top, (Screen->Height() - outer.Height()) / 2);
    EXPECT_EQ(outer, dialog.BoundsRect());

    // A dialog has a fixed size, and takes a new one when its bounds change.
    dialog.SetBounds(outer.Left, outer.Top, outer.Width() + 40, outer.Height() + 30);
    Application->ProcessMessages();
    EXPECT_EQ(GetWindowRect(dialog.Handle()), dialog.BoundsRect());
    EXPECT_EQ(dialog.ClientWidth(), 360);
    EXPECT_EQ(dialog.ClientHeight(), 221);
}
