// A window's colour and font when its parent's change: a child that follows its parent takes the new
// ones, a child with its own keeps them, whether they happened to be the same as the parent's or not.
// Checked on grabbed pixels, since the child's window may share what it shows with its parent's. A custom
// control that paints nothing shows its background colour only.
#include "widgets_support.h"

#include "graphics/Font.h"

namespace {

using namespace widgets_test;

using WidgetLook = WidgetTest;

struct ColorCase {
    const char* name;
    bool parentColor;
    TColor own; // the box's colour before the form's changes
    TColor after;
};

TEST_F(WidgetLook, AChildKeepsItsColourUnlessItFollowsItsParent) {
    const ColorCase cases[] = {
        {"follows the form", true, clBtnFace, clRed},
        {"same colour, its own", false, clBtnFace, clBtnFace},
        {"another colour, its own", false, clLime, clLime},
    };
    form->SetColor(clBtnFace);
    std::vector<TCustomControl*> boxes;
    for (int i = 0; i < 3; ++i) {
        auto* box =
            Add<TCustomControl>("Box" + std::to_string(i), TRect::FromBounds(10 + i * 100, 10, 90, 80));
        box->SetParentFont(false); // a font that follows would have the colours set again as well
        if (cases[i].parentColor)
            box->SetParentColor(true);
        else
            box->SetColor(cases[i].own);
        boxes.push_back(box);
    }
    Show();
    form->SetColor(clRed);
    Application->ProcessMessages();
    EXPECT_EQ(PixelOf(form, 5, 5), Rgb(clRed));
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(boxes[i]->Color(), cases[i].after);
        EXPECT_EQ(PixelOf(form, 10 + i * 100 + 45, 10 + 50), Rgb(cases[i].after));
    }
}

// The columns of the check box holding dark (text) pixels.
int TextWidth(TWinControl* form, const TRect& box) {
    TBitmap bitmap;
    GrabWindow(form->Handle(), bitmap);
    int first = -1, last = -1;
    for (int x = box.Left + 20; x < box.Right; ++x)
        for (int y = box.Top; y < box.Bottom; ++y) {
            const TColor pixel = bitmap.Canvas()->Pixels(x, y);
            if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 3 * 96) {
                if (first < 0) first = x;
                last = x;
                break;
            }
        }
    return first < 0 ? 0 : last - first + 1;
}

TEST_F(WidgetLook, AChildKeepsItsFontUnlessItFollowsItsParent) {
    form->Font()->SetSize(9);
    const TRect followsAt = TRect::FromBounds(10, 10, 300, 40), ownAt = TRect::FromBounds(10, 60, 300, 40);
    auto* follows = Add<TCheckBox>("Follows", followsAt);
    auto* own = Add<TCheckBox>("Own", ownAt);
    for (TCheckBox* box : {follows, own})
        box->SetText("Wide caption");
    own->SetParentFont(false); // the same font as the form's, but its own
    Show();
    const int before = TextWidth(form, followsAt);
    ASSERT_GT(before, 0);
    EXPECT_EQ(TextWidth(form, ownAt), before);

    form->Font()->SetSize(16);
    Application->ProcessMessages();
    EXPECT_GT(TextWidth(form, followsAt), before);
    EXPECT_EQ(TextWidth(form, ownAt), before);
}

TEST_F(WidgetLook, AButtonCaptionHasItsFontColourFromTheStart) {
    auto* button = Add<TButton>("Button1", TRect::FromBounds(10, 10, 120, 30));
    button->SetText("MMMM");
    button->Font()->SetColor(clRed);
    Show(); // the window is made with the red font already set
    const std::string ink = Ink(form, TRect::FromBounds(10, 10, 120, 30), clRed);
    EXPECT_NE(ink.find('x'), std::string::npos);
}

} // namespace
