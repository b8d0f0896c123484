// Value-list drawers: the registry (replacing, exact-class lookup), the colour swatches and the cursor
// pictures as a person sees them in a list box, and the cursor drawer's row height going and coming back.
#include "ValueListDrawers.h"

#include "SpecialisedEditors.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Windows.h"
#include "widgets/ListBox.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// An editor class derived from a registered one: it gets no drawer of its own.
class TDerivedColorProperty : public TColorProperty {
    FW_CLASS(TDerivedColorProperty, TColorProperty)
public:
    using TColorProperty::TColorProperty;
};

} // namespace

FW_PUBLISH(TDerivedColorProperty) {
}

namespace {

template <class E> std::unique_ptr<TPropertyEditor> MakeEditor() {
    return std::unique_ptr<TPropertyEditor>(PropertyEditorClassOf<E>()->Create(nullptr, 1));
}

TEST(ValueListDrawerRegistry, FindsTheExactClassAndReplacesOnReRegistration) {
    RegisterStandardValueListDrawers();
    const TValueListDrawerClass color = TValueListDrawer::ClassOf<TColorDrawer>();
    const TValueListDrawerClass cursor = TValueListDrawer::ClassOf<TCursorDrawer>();
    EXPECT_EQ(FindValueListDrawer(MakeEditor<TColorProperty>().get()), color);
    EXPECT_EQ(FindValueListDrawer(MakeEditor<TCursorProperty>().get()), cursor);
    EXPECT_EQ(FindValueListDrawer(MakeEditor<TDerivedColorProperty>().get()), nullptr)
        << "a derived editor class draws as plain text";
    EXPECT_EQ(FindValueListDrawer(MakeEditor<TFontNameProperty>().get()), nullptr);
    EXPECT_EQ(FindValueListDrawer(nullptr), nullptr);

    // Registering again replaces and hands back the previous drawer; a new name returns the drawer itself.
    const TValueListDrawerClass base = TValueListDrawer::ClassOf<TValueListDrawer>();
    EXPECT_EQ(RegisterValueListDrawer(PropertyEditorClassOf<TColorProperty>(), base), color);
    EXPECT_EQ(FindValueListDrawer(MakeEditor<TColorProperty>().get()), base);
    EXPECT_EQ(RegisterValueListDrawer(PropertyEditorClassOf<TColorProperty>(), color), base);
    EXPECT_EQ(RegisterValueListDrawer(PropertyEditorClassOf<TDerivedColorProperty>(), cursor), cursor);
    EXPECT_EQ(FindValueListDrawer(MakeEditor<TDerivedColorProperty>().get()), cursor);
    EXPECT_EQ(RegisterValueListDrawer(PropertyEditorClassOf<TDerivedColorProperty>(), nullptr), cursor);
    EXPECT_EQ(FindValueListDrawer(MakeEditor<TDerivedColorProperty>().get()), nullptr);
}

TEST(ValueListDrawerRegistry, CursorPicturesFollowTheCursorValues) {
    struct Case {
        int cursor;
        int picture;
    } cases[] = {{0, 0},    {-1, 1},   {-2, 1}, {-3, 2},   {-5, 4},
                 {-14, 13}, {-21, 20}, {1, -1}, {-22, -1}, {-32768, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(CursorPictureIndex(c.cursor), c.picture) << c.cursor;
}

struct DrawerList : ::testing::Test {
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(40, 40, 300, 300);
        list = new TListBox(form);
        list->SetParent(form);
        list->SetBounds(10, 10, 200, 260);
        list->SetStyle(lbOwnerDrawFixed);
        list->SetItemHeight(16);
        list->SetColor(clWhite);
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        delete form;
        Application->ProcessMessages();
    }
    void Use(TValueListDrawerClass drawer) {
        drawer->PrepareList(list);
        list->OnDrawItem = drawer->DrawItemHandler();
    }
    int32_t Pixel(TBitmap& shot, int x, int y) const { return ColorToRGB(shot.Canvas()->Pixels(x, y)); }
    TForm* form = nullptr;
    TListBox* list = nullptr;
};

TEST_F(DrawerList, ColourItemsShowASwatchBeforeTheirName) {
    for (const char* name : {"clRed", "clLime", "$00FF0000", "nonsense"})
        list->Items()->Add(name);
    Use(TValueListDrawer::ClassOf<TColorDrawer>());
    TBitmap shot;
    GrabWindow(list->Handle(), shot);
    struct Case {
        int index;
        TColor fill;
    } cases[] = {{0, clRed}, {1, clLime}, {2, clBlue}};
    for (const Case& c : cases) {
        const TRect row = list->ItemRect(c.index);
        // The swatch: 16 x 14 from (left, top + 1), outlined with the pen, filled with the colour.
        EXPECT_EQ(Pixel(shot, row.Left + 8, row.Top + 8), ColorToRGB(c.fill)) << c.index;
        EXPECT_EQ(Pixel(shot, row.Left, row.Top + 8), ColorToRGB(clBlack)) << "left outline " << c.index;
        EXPECT_EQ(Pixel(shot, row.Left + 15, row.Top + 8), ColorToRGB(clBlack)) << "right outline";
        EXPECT_EQ(Pixel(shot, row.Left + 8, row.Top + 1), ColorToRGB(clBlack)) << "top outline";
        EXPECT_EQ(Pixel(shot, row.Left + 8, row.Top + 14), ColorToRGB(clBlack)) << "bottom outline";
        EXPECT_EQ(Pixel(shot, row.Left + 8, row.Top), ColorToRGB(clWhite)) << "a pixel above the swatch";
        EXPECT_EQ(Pixel(shot, row.Left + 8, row.Top + 15), ColorToRGB(clWhite)) << "a pixel below it";
        EXPECT_EQ(Pixel(shot, row.Left + 16, row.Top + 8), ColorToRGB(clWhite)) << "the gap";
        EXPECT_EQ(Pixel(shot, row.Left + 17, row.Top + 8), ColorToRGB(clWhite)) << "the gap";
        // The name starts 18 pixels in.
        bool ink = false;
        for (int x = row.Left + 18; x < row.Left + 40 && !ink; ++x)
            for (int y = row.Top + 2; y < row.Bottom - 2 && !ink; ++y)
                ink = Pixel(shot, x, y) != ColorToRGB(clWhite);
        EXPECT_TRUE(ink) << "the name of item " << c.index;
    }
    const TRect bad = list->ItemRect(3);
    EXPECT_EQ(Pixel(shot, bad.Left + 8, bad.Top + 8), ColorToRGB(clWhite)) << "no swatch for a non-colour";
}

TEST_F(DrawerList, CursorItemsShowTheirPictureInThirtyTwoPixelRows) {
    for (const char* name : {"crDefault", "crCross", "crHSplit", "crHandPoint", "-40"})
        list->Items()->Add(name);
    const TValueListDrawerClass drawer = TValueListDrawer::ClassOf<TCursorDrawer>();
    list->SetItemHeight(13);
    Use(drawer);
    EXPECT_EQ(list->ItemHeight(), 32);

    TBitmap pictures;
    pictures.LoadFromResourceName("CRBITMAP");
    ASSERT_EQ(pictures.Width(), 32);
    ASSERT_EQ(pictures.Height(), 672);
    TBitmap shot;
    GrabWindow(list->Handle(), shot);
    const int pictureOf[] = {0, 2, 13, 20};
    for (int i = 0; i < 4; ++i) {
        const TRect row = list->ItemRect(i);
        EXPECT_EQ(row.Height(), 32);
        int differing = 0, black = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const int32_t expected = ColorToRGB(pictures.Canvas()->Pixels(x, 32 * pictureOf[i] + y));
                differing += Pixel(shot, row.Left + x, row.Top + y) != expected;
                black += expected == 0;
            }
        EXPECT_EQ(differing, 0) << "picture of item " << i;
        EXPECT_GT(black, 20) << "a picture with something in it";
    }
    const TRect none = list->ItemRect(4);
    for (int x = 0; x < 32; ++x)
        ASSERT_EQ(Pixel(shot, none.Left + x, none.Top + 10), ColorToRGB(clWhite)) << "no picture for -40";

    drawer->RestoreList(list);
    EXPECT_EQ(list->ItemHeight(), 13);
}

TEST_F(DrawerList, TheBaseDrawerDrawsNothing) {
    list->Items()->Add("text");
    list->SetColor(clYellow);
    Use(TValueListDrawer::ClassOf<TValueListDrawer>());
    TBitmap shot;
    GrabWindow(list->Handle(), shot);
    const TRect row = list->ItemRect(0);
    for (int x = row.Left; x < row.Left + 40; ++x)
        ASSERT_EQ(Pixel(shot, x, row.Top + 8), ColorToRGB(clYellow)) << x;
}

} // namespace
