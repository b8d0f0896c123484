// What the standard controls draw: panel and bevel edges, shape fills, images, labels, speed and bitmap
// buttons, checked on grabbed pixels; and the glyph-and-caption layout of the bitmap buttons.
#include "widgets_support.h"

#include "graphics/Picture.h"

#include <algorithm>

namespace {

using namespace widgets_test;

using Painting = WidgetTest;

// Four coloured quadrants, so that placement and scaling show.
void Quadrants(TBitmap& bitmap, int width, int height) {
    bitmap.SetSize(width, height);
    TCanvas& c = *bitmap.Canvas();
    const std::pair<TColor, TRect> parts[] = {{clRed, {0, 0, width / 2, height / 2}},
                                              {clLime, {width / 2, 0, width, height / 2}},
                                              {clBlue, {0, height / 2, width / 2, height}},
                                              {clYellow, {width / 2, height / 2, width, height}}};
    for (const auto& [color, rect] : parts) {
        c.Brush()->SetColor(color);
        c.FillRect(rect);
    }
}

// Pixels of a grabbed window that count as ink: exactly `ink`, or any dark pixel for text (which is drawn
// with smoothed edges).
struct TInk {
    TColor color;
    bool dark = false;
    bool Matches(TColor pixel) const {
        if (!dark) return pixel == Rgb(color);
        return GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 3 * 96;
    }
};
const TInk darkText{clBlack, true};

// The leftmost and rightmost columns holding ink inside `area`; {-1, -1} when none.
std::pair<int, int> InkColumns(TWinControl* window, const TRect& area, TInk ink) {
    TBitmap bitmap;
    GrabWindow(window->Handle(), bitmap);
    int first = -1, last = -1;
    for (int x = area.Left; x < area.Right; ++x)
        for (int y = area.Top; y < area.Bottom; ++y)
            if (ink.Matches(bitmap.Canvas()->Pixels(x, y))) {
                if (first < 0) first = x;
                last = x;
                break;
            }
    return {first, last};
}

int CountInk(TWinControl* window, const TRect& area, TInk ink) {
    TBitmap bitmap;
    GrabWindow(window->Handle(), bitmap);
    int count = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            count += ink.Matches(bitmap.Canvas()->Pixels(x, y)) ? 1 : 0;
    return count;
}

struct BevelCase {
    const char* name;
    TBevelShape shape;
    TBevelStyle style;
    std::vector<std::pair<TPoint, TColor>> pixels; // in the bevel's coordinates; clBtnFace: untouched
};

class Bevels : public WidgetTest, public ::testing::WithParamInterface<BevelCase> {};

TEST_P(Bevels, DrawTheirLightAndDarkEdges) {
    const BevelCase& c = GetParam();
    auto* bevel = Add<TBevel>("Bevel1", TRect::FromBounds(20, 20, 60, 40));
    bevel->SetShape(c.shape);
    bevel->SetStyle(c.style);
    Show();
    for (const auto& [point, color] : c.pixels)
        EXPECT_EQ(PixelOf(form, 20 + point.X, 20 + point.Y), Rgb(color)) << point.X << ", " << point.Y;
}

const TColor dark = clBtnShadow, light = clBtnHighlight, face = clBtnFace;

INSTANTIATE_TEST_SUITE_P(
    Painting, Bevels,
    ::testing::Values(
        BevelCase{"LoweredBox",
                  bsBox,
                  bsLowered,
                  {{{0, 0}, dark},
                   {{0, 20}, dark},
                   {{30, 0}, dark},
                   {{59, 20}, light},
                   {{30, 39}, light},
                   {{30, 20}, face}}},
        BevelCase{"RaisedBox", bsBox, bsRaised, {{{0, 20}, light}, {{30, 0}, light}, {{59, 20}, dark}}},
        BevelCase{"LoweredFrame",
                  bsFrame,
                  bsLowered,
                  {{{0, 0}, dark},
                   {{1, 1}, light},
                   {{30, 0}, dark},
                   {{30, 1}, light},
                   {{58, 20}, dark},
                   {{59, 20}, light},
                   {{30, 20}, face}}},
        BevelCase{"TopLine", bsTopLine, bsLowered, {{{30, 0}, dark}, {{30, 1}, light}, {{30, 2}, face}}},
        BevelCase{
            "BottomLine", bsBottomLine, bsLowered, {{{30, 38}, dark}, {{30, 39}, light}, {{30, 37}, face}}},
        BevelCase{"LeftLine", bsLeftLine, bsLowered, {{{0, 20}, dark}, {{1, 20}, light}, {{2, 20}, face}}},
        BevelCase{"RaisedRightLine",
                  bsRightLine,
                  bsRaised,
                  {{{58, 20}, light}, {{59, 20}, dark}, {{57, 20}, face}}},
        BevelCase{"Spacer", bsSpacer, bsLowered, {{{0, 0}, face}, {{59, 39}, face}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct PanelCase {
    const char* name;
    TPanelBevel outer, inner;
    int bevelWidth, borderWidth;
    std::vector<std::pair<TPoint, TColor>> pixels;
};

class Panels : public WidgetTest, public ::testing::WithParamInterface<PanelCase> {};

TEST_P(Panels, DrawBevelsBorderAndFace) {
    const PanelCase& c = GetParam();
    auto* panel = Add<TPanel>("Panel1", TRect::FromBounds(10, 10, 100, 50));
    panel->SetColor(clYellow);
    panel->SetBevelOuter(c.outer);
    panel->SetBevelInner(c.inner);
    panel->SetBevelWidth(c.bevelWidth);
    panel->SetBorderWidth(c.borderWidth);
    Show();
    for (const auto& [point, color] : c.pixels)
        EXPECT_EQ(PixelOf(panel, point.X, point.Y), Rgb(color)) << point.X << ", " << point.Y;
}

INSTANTIATE_TEST_SUITE_P(
    Painting, Panels,
    ::testing::Values(
        PanelCase{"Raised",
                  bvRaised,
                  bvNone,
                  1,
                  0,
                  {{{0, 0}, light}, {{0, 49}, dark}, {{99, 0}, dark}, {{99, 49}, dark}, {{1, 1}, clYellow}}},
        PanelCase{"Lowered", bvLowered, bvNone, 1, 0, {{{0, 20}, dark}, {{50, 0}, dark}, {{99, 20}, light}}},
        PanelCase{"NoBevel", bvNone, bvNone, 1, 0, {{{0, 0}, clYellow}}},
        // Outer raised 2 wide, border 3 in the panel's colour, inner lowered 2 wide.
        PanelCase{"Layers",
                  bvRaised,
                  bvLowered,
                  2,
                  3,
                  {{{1, 20}, light},
                   {{2, 20}, clYellow},
                   {{4, 20}, clYellow},
                   {{5, 20}, dark},
                   {{6, 20}, dark},
                   {{7, 20}, clYellow},
                   {{93, 20}, light},
                   {{98, 20}, dark}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Painting, PanelCaptionFollowsAlignment) {
    auto* panel = Add<TPanel>("Panel1", TRect::FromBounds(10, 10, 200, 40));
    panel->SetCaption("WWWW");
    panel->Font()->SetColor(clBlack);
    Show();
    const TRect inside(1, 1, 199, 39);
    const auto [left, right] = InkColumns(panel, inside, darkText);
    ASSERT_GE(left, 0);
    EXPECT_LE(std::abs(left - (199 - right)), 2) << "centred";
    panel->SetAlignment(taLeftJustify);
    EXPECT_LT(InkColumns(panel, inside, darkText).first, 10);
    panel->SetAlignment(taRightJustify);
    EXPECT_GT(InkColumns(panel, inside, darkText).second, 188);
}

TEST_F(Painting, ShapesFillWithTheBrushAndOutlineWithThePen) {
    auto* rect = Add<TShape>("Shape1", TRect::FromBounds(10, 10, 40, 30));
    auto* circle = Add<TShape>("Shape2", TRect::FromBounds(60, 10, 40, 30));
    auto* wide = Add<TShape>("Shape3", TRect::FromBounds(110, 10, 40, 30));
    for (TShape* s : {rect, circle, wide}) {
        s->Brush()->SetColor(clRed);
        s->Pen()->SetColor(clBlue);
    }
    circle->SetShape(stCircle);
    wide->Pen()->SetWidth(3);
    Show();
    EXPECT_EQ(PixelOf(form, 10, 10), Rgb(clBlue));
    EXPECT_EQ(PixelOf(form, 49, 39), Rgb(clBlue));
    EXPECT_EQ(PixelOf(form, 30, 20), Rgb(clRed));
    EXPECT_EQ(PixelOf(form, 60, 10), Rgb(face)) << "outside the circle";
    EXPECT_EQ(PixelOf(form, 62, 25), Rgb(face)) << "the circle is the centred 30 x 30 square's";
    EXPECT_EQ(PixelOf(form, 80, 25), Rgb(clRed));
    EXPECT_EQ(PixelOf(form, 112, 12), Rgb(clBlue)) << "a 3-pixel pen";
    EXPECT_EQ(PixelOf(form, 113, 13), Rgb(clRed));

    rect->Brush()->SetStyle(bsClear);
    EXPECT_EQ(PixelOf(form, 30, 20), Rgb(face)) << "a hollow brush after a change repaints";
}

TEST_F(Painting, ImagesShowTheirPicturePlacedOrStretched) {
    auto* image = Add<TImage>("Image1", TRect::FromBounds(100, 100, 30, 30));
    TBitmap bitmap;
    Quadrants(bitmap, 10, 8);
    image->Picture()->SetGraphic(&bitmap);
    Show();
    EXPECT_EQ(PixelOf(form, 100, 100), clRed);
    EXPECT_EQ(PixelOf(form, 107, 106), clYellow);
    EXPECT_EQ(PixelOf(form, 115, 115), Rgb(face)) << "nothing beyond the picture";

    image->SetCenter(true);
    EXPECT_EQ(PixelOf(form, 110, 111), clRed);
    EXPECT_EQ(PixelOf(form, 100, 100), Rgb(face));

    image->SetStretch(true);
    EXPECT_EQ(PixelOf(form, 100, 100), clRed);
    EXPECT_EQ(PixelOf(form, 129, 100), clLime);
    EXPECT_EQ(PixelOf(form, 129, 129), clYellow);

    image->SetStretch(false);
    image->SetCenter(false);
    image->SetTransparent(true); // the bottom-left (blue) pixels drop out
    EXPECT_EQ(PixelOf(form, 100, 107), Rgb(face));
    EXPECT_EQ(PixelOf(form, 100, 100), clRed);

    image->SetAutoSize(true);
    EXPECT_EQ(image->Width(), 10);
    EXPECT_EQ(image->Height(), 8);
    Quadrants(bitmap, 24, 12);
    image->Picture()->SetGraphic(&bitmap);
    EXPECT_EQ(image->BoundsRect(), TRect::FromBounds(100, 100, 24, 12));
}

TEST_F(Painting, LabelsSizeToTheirTextAndUnderlineTheAccelerator) {
    auto* plain = Add<TLabel>("Label1", TRect::FromBounds(10, 10, 5, 5));
    auto* accel = Add<TLabel>("Label2", TRect::FromBounds(10, 40, 5, 5));
    plain->SetCaption("Ab");
    accel->SetCaption("&Ab");
    plain->Font()->SetColor(clBlack);
    accel->Font()->SetColor(clBlack);
    TCanvas measure;
    measure.SetFont(plain->Font());
    EXPECT_EQ(plain->Width(), measure.TextWidth("Ab"));
    EXPECT_EQ(plain->Height(), measure.TextHeight("Ab"));
    EXPECT_EQ(accel->Width(), plain->Width()) << "the '&' takes no room";
    Show();
    const int plainInk = CountInk(form, plain->BoundsRect(), darkText);
    const int accelInk = CountInk(form, accel->BoundsRect(), darkText);
    EXPECT_GT(plainInk, 0);
    EXPECT_GT(accelInk, plainInk) << "the underline";

    accel->SetShowAccelChar(false);
    EXPECT_GT(accel->Width(), plain->Width()) << "now the '&' shows";

    plain->SetAlignment(taRightJustify);
    const int right = plain->BoundsRect().Right;
    plain->SetCaption("Abcdef");
    EXPECT_EQ(plain->BoundsRect().Right, right) << "a right-aligned label grows to the left";
    plain->SetAutoSize(false);
    plain->SetCaption("A");
    EXPECT_EQ(plain->BoundsRect().Right, right);
    EXPECT_EQ(plain->Width(), measure.TextWidth("Abcdef"));
}

TEST_F(Painting, WordWrappedLabelsKeepTheirWidthAndGrowDown) {
    auto* label = Add<TLabel>("Label1", TRect::FromBounds(10, 10, 5, 5));
    label->SetCaption("one");
    const int lineHeight = label->Height();
    label->SetWordWrap(true);
    const int width = label->Width() + 4;
    label->SetBounds(10, 10, width, label->Height());
    label->SetCaption("one one one");
    EXPECT_EQ(label->Width(), width);
    EXPECT_GE(label->Height(), 3 * lineHeight - 3) << "three lines";
    label->SetWordWrap(false);
    EXPECT_EQ(label->Height(), lineHeight) << "one line again";
}

TEST_F(Painting, OpaqueLabelsFillWithTheirColourTransparentOnesDoNot) {
    auto* panel = Add<TPanel>("Panel1", TRect::FromBounds(10, 10, 200, 60));
    panel->SetColor(clRed);
    panel->SetBevelOuter(bvNone);
    auto* label = Add<TLabel>("Label1", panel, TRect::FromBounds(10, 10, 5, 5));
    label->SetCaption("i");
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 80, 20);
    Show();
    EXPECT_EQ(PixelOf(panel, 80, 25), clRed) << "takes the parent's colour";
    label->SetColor(clYellow);
    EXPECT_EQ(PixelOf(panel, 80, 25), clYellow);
    label->SetTransparent(true);
    EXPECT_EQ(PixelOf(panel, 80, 25), clRed);
}

TEST_F(Painting, SpeedButtonsLookRaisedUpAndPushedDown) {
    auto* s = Add<TSpeedButton>("S1", TRect::FromBounds(10, 10, 30, 24));
    s->SetGroupIndex(1);
    Show();
    EXPECT_EQ(PixelOf(form, 10, 10), Rgb(clBtnHighlight));
    EXPECT_EQ(PixelOf(form, 39, 33), Rgb(cl3DDkShadow));
    EXPECT_EQ(PixelOf(form, 25, 20), Rgb(clBtnFace));
    s->SetDown(true);
    EXPECT_EQ(PixelOf(form, 10, 10), Rgb(clWindowFrame));
    EXPECT_NE(PixelOf(form, 25, 20), Rgb(clBtnFace)) << "a latched face";
    s->SetFlat(true);
    s->SetAllowAllUp(true);
    s->SetDown(false);
    EXPECT_EQ(PixelOf(form, 10, 10), Rgb(clBtnFace)) << "a flat button up shows no frame";
}

TEST_F(Painting, BitButtonsDrawTheirGlyphBesideTheCaption) {
    auto* left = Add<TBitBtn>("BitBtn1", TRect::FromBounds(10, 10, 100, 30));
    auto* right = Add<TBitBtn>("BitBtn2", TRect::FromBounds(10, 50, 100, 30));
    left->SetKind(bkOK);
    right->SetKind(bkOK);
    right->SetLayout(blGlyphRight);
    Show();
    const TRect all(0, 0, 100, 30);
    const auto [l1, r1] = InkColumns(left, all, {clGreen});
    const auto [l2, r2] = InkColumns(right, all, {clGreen});
    ASSERT_GE(l1, 0) << "the check mark";
    EXPECT_LT(r1, 50);
    EXPECT_GT(l2, 50);
    left->SetMargin(4);
    const int atMargin4 = InkColumns(left, all, {clGreen}).first;
    left->SetMargin(10);
    EXPECT_EQ(InkColumns(left, all, {clGreen}).first, atMargin4 + 6);
    const TRect glyphArea(12, 6, 34, 26);
    const int shadowEnabled = CountInk(left, glyphArea, {clBtnShadow});
    left->SetEnabled(false);
    EXPECT_EQ(InkColumns(left, all, {clGreen}).first, -1) << "disabled: grey";
    EXPECT_GT(CountInk(left, glyphArea, {clBtnShadow}), shadowEnabled + 10);
}

struct PlaceCase {
    const char* name;
    TRect client;
    TSize glyph, caption;
    TButtonLayout layout;
    int margin, spacing;
    TPoint glyphAt, captionAt;
};

class ButtonContent : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(ButtonContent, PlacesGlyphAndCaption) {
    const PlaceCase& c = GetParam();
    const TButtonContentPlace place =
        PlaceButtonContent(c.client, c.glyph, c.caption, c.layout, c.margin, c.spacing);
    EXPECT_EQ(place.Glyph, c.glyphAt);
    EXPECT_EQ(place.Caption, TRect::FromBounds(c.captionAt.X, c.captionAt.Y, c.caption.cx, c.caption.cy));
}

INSTANTIATE_TEST_SUITE_P(
    Layout, ButtonContent,
    ::testing::Values(
        PlaceCase{
            "CentredTogether", {0, 0, 100, 30}, {16, 16}, {40, 13}, blGlyphLeft, -1, 4, {20, 7}, {40, 9}},
        PlaceCase{"EvenThirds", {0, 0, 100, 30}, {16, 16}, {40, 13}, blGlyphLeft, -1, -1, {14, 7}, {44, 9}},
        PlaceCase{"MarginCaptionCentredInRest",
                  {0, 0, 100, 30},
                  {16, 16},
                  {40, 13},
                  blGlyphLeft,
                  2,
                  -1,
                  {2, 7},
                  {39, 9}},
        PlaceCase{"Right", {0, 0, 100, 30}, {16, 16}, {40, 13}, blGlyphRight, 2, 4, {82, 7}, {38, 9}},
        PlaceCase{"Top", {0, 0, 60, 60}, {16, 16}, {40, 13}, blGlyphTop, 3, 2, {22, 3}, {10, 21}},
        PlaceCase{"Bottom", {0, 0, 60, 60}, {16, 16}, {40, 13}, blGlyphBottom, 3, 2, {22, 41}, {10, 26}},
        PlaceCase{
            "NoGlyphNoSpacing", {0, 0, 100, 30}, {0, 0}, {40, 13}, blGlyphLeft, -1, 4, {30, 15}, {30, 9}},
        PlaceCase{"ClientOffset", {5, 6, 105, 36}, {16, 16}, {40, 13}, blGlyphLeft, 2, 4, {7, 13}, {27, 15}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
