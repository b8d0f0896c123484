// TCanvas drawing on a bitmap, checked pixel by pixel.
#include "graphics_support.h"

#include "graphics/Canvas.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace graphics_test;

// A bitmap whose every pixel has its own colour, so that any change to a pixel shows.
void FillPattern(TBitmap& bitmap, int width, int height) {
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.Canvas()->SetPixels(x, y,
                                       RGB(uint8_t(x * 17 + 3), uint8_t(y * 29 + 5), uint8_t(x * y + 7)));
}

std::vector<TColor> Snapshot(TCanvas& canvas, int width, int height) {
    std::vector<TColor> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(canvas.Pixels(x, y));
    return pixels;
}

// The smallest rectangle holding every pixel that is not `background`; empty when there is none.
TRect InkBounds(TCanvas& canvas, const TRect& area, TColor background) {
    TRect bounds;
    bool any = false;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if (canvas.Pixels(x, y) != background) {
                bounds = any ? bounds.Union(TRect(x, y, x + 1, y + 1)) : TRect(x, y, x + 1, y + 1);
                any = true;
            }
    return bounds;
}

TEST(Canvas, PixelsReadBackWhatWasSetAndMinusOneOutside) {
    TBitmap bitmap;
    Fill(bitmap, 4, 3, clWhite);
    TCanvas& c = *bitmap.Canvas();
    c.SetPixels(1, 2, TColor(0x123456));
    c.SetPixels(3, 0, clBtnFace); // system colours are stored as their palette colour
    EXPECT_EQ(c.Pixels(1, 2), TColor(0x123456));
    EXPECT_EQ(c.Pixels(3, 0), TColor(0xC0C0C0));
    EXPECT_EQ(c.Pixels(0, 0), clWhite);
    for (TPoint p : {TPoint(-1, 0), TPoint(4, 0), TPoint(0, 3), TPoint(100, 100)})
        EXPECT_EQ(c.Pixels(p.X, p.Y), TColor(-1)) << p.X << "," << p.Y;
}

TEST(Canvas, RectangleOutlinesWithThePenAndFillsInsideWithTheBrush) {
    TBitmap bitmap;
    Fill(bitmap, 8, 7, clWhite);
    TCanvas& c = *bitmap.Canvas();
    c.Brush()->SetColor(clRed);
    c.Rectangle(1, 1, 6, 5);
    EXPECT_EQ(Picture(c, TRect(0, 0, 7, 6), clBlack), ".......|"
                                                      ".xxxxx.|"
                                                      ".x...x.|"
                                                      ".x...x.|"
                                                      ".xxxxx.|"
                                                      ".......");
    EXPECT_EQ(Picture(c, TRect(0, 0, 7, 6), clRed), ".......|"
                                                    ".......|"
                                                    "..xxx..|"
                                                    "..xxx..|"
                                                    ".......|"
                                                    ".......");
}

TEST(Canvas, PenStylesWidthsAndHollowBrushes) {
    struct Row {
        const char* name;
        TPenStyle style;
        int width;
        TBrushStyle brush;
        const char* outline; // black pixels of Rectangle(0, 0, 6, 4)
    } rows[] = {
        {"solid, hollow brush", psSolid, 1, bsClear, "xxxxxx|x....x|x....x|xxxxxx"},
        {"dotted", psDot, 1, bsClear, "x.x.x.|.....x|x.....|.x.x.x"},
        {"two pixels inside", psSolid, 2, bsClear, "xxxxxx|xxxxxx|xxxxxx|xxxxxx"},
        {"no outline, full fill", psClear, 1, bsSolid, "......|......|......|......"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TBitmap bitmap;
        Fill(bitmap, 6, 4, clWhite);
        TCanvas& c = *bitmap.Canvas();
        c.Pen()->SetStyle(r.style);
        c.Pen()->SetWidth(r.width);
        c.Brush()->SetColor(clLime);
        c.Brush()->SetStyle(r.brush);
        c.Rectangle(0, 0, 6, 4);
        EXPECT_EQ(Picture(c, TRect(0, 0, 6, 4), clBlack), r.outline);
        if (r.style == psClear) {
            EXPECT_EQ(Picture(c, TRect(0, 0, 6, 4), clLime), "xxxxxx|xxxxxx|xxxxxx|xxxxxx");
        }
    }
}

TEST(Canvas, LinesLeaveOutTheirEndPointAndMoveThePen) {
    TBitmap bitmap;
    Fill(bitmap, 6, 5, clWhite);
    TCanvas& c = *bitmap.Canvas();
    c.MoveTo(0, 0);
    c.LineTo(4, 0);
    c.LineTo(4, 3);
    EXPECT_EQ(c.PenPos(), TPoint(4, 3));
    c.MoveTo(0, 1);
    c.LineTo(3, 4);
    EXPECT_EQ(Picture(c, TRect(0, 0, 6, 5), clBlack), "xxxxx.|"
                                                      "x...x.|"
                                                      ".x..x.|"
                                                      "..x...|"
                                                      "......");
    const TPoint zigzag[] = {{0, 4}, {2, 4}, {2, 2}};
    c.Pen()->SetColor(clRed);
    c.Polyline(zigzag);
    EXPECT_EQ(Picture(c, TRect(0, 2, 3, 5), clRed), "...|..x|xxx");
}

TEST(Canvas, InvertingPenModesUndoThemselvesWhenDrawnTwice) {
    struct Row {
        const char* name;
        TPenMode mode;
        TPenStyle style;
        TBrushStyle brush;
    } rows[] = {
        {"xor dotted frame", pmXor, psDot, bsClear},       {"xor solid frame", pmXor, psSolid, bsClear},
        {"not solid frame", pmNot, psSolid, bsClear},      {"xor filled rectangle", pmXor, psSolid, bsSolid},
        {"not dash-dot frame", pmNot, psDashDot, bsClear},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TBitmap bitmap;
        FillPattern(bitmap, 12, 10);
        TCanvas& c = *bitmap.Canvas();
        const std::vector<TColor> before = Snapshot(c, 12, 10);
        c.Pen()->SetMode(r.mode);
        c.Pen()->SetStyle(r.style);
        c.Pen()->SetColor(clWhite);
        c.Brush()->SetStyle(r.brush);
        c.Rectangle(2, 1, 10, 9);
        // Every corner is inverted exactly once, not twice.
        for (TPoint corner : {TPoint(2, 1), TPoint(9, 8)}) {
            const int32_t was = before[corner.Y * 12 + corner.X];
            EXPECT_EQ(c.Pixels(corner.X, corner.Y), TColor(was ^ 0xFFFFFF)) << corner.X << "," << corner.Y;
        }
        EXPECT_NE(Snapshot(c, 12, 10), before);
        c.Rectangle(2, 1, 10, 9);
        EXPECT_EQ(Snapshot(c, 12, 10), before);
    }
}

TEST(Canvas, XorLinesAndFocusRectanglesUndoThemselves) {
    TBitmap bitmap;
    FillPattern(bitmap, 12, 10);
    TCanvas& c = *bitmap.Canvas();
    const std::vector<TColor> before = Snapshot(c, 12, 10);
    c.Pen()->SetMode(pmXor);
    c.Pen()->SetColor(clWhite);
    c.MoveTo(5, 0);
    c.LineTo(5, 10);
    EXPECT_EQ(c.Pixels(5, 0), TColor(before[5] ^ 0xFFFFFF));
    c.MoveTo(5, 0);
    c.LineTo(5, 10);
    EXPECT_EQ(Snapshot(c, 12, 10), before);

    c.DrawFocusRect(TRect(1, 1, 9, 7));
    EXPECT_EQ(c.Pixels(1, 1), TColor(before[1 * 12 + 1] ^ 0xFFFFFF));
    EXPECT_EQ(c.Pixels(2, 1), TColor(before[1 * 12 + 2])); // dotted: every other pixel
    EXPECT_EQ(c.Pixels(4, 4), TColor(before[4 * 12 + 4])); // nothing inside
    c.DrawFocusRect(TRect(1, 1, 9, 7));
    EXPECT_EQ(Snapshot(c, 12, 10), before);
}

// The pixels of the line from a to b (b left out) by the error-term walk: what a thin line sets.
std::vector<TPoint> WalkedLine(TPoint a, TPoint b) {
    std::vector<TPoint> pixels;
    const int dx = std::abs(b.X - a.X), dy = -std::abs(b.Y - a.Y);
    const int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
    for (int err = dx + dy, x = a.X, y = a.Y; x != b.X || y != b.Y;) {
        pixels.push_back({x, y});
        const int e2 = 2 * err;
        if (e2 >= dy) err += dy, x += sx;
        if (e2 <= dx) err += dx, y += sy;
    }
    return pixels;
}

// Thin lines skip what the canvas cannot reach by counting the dash pattern on, so each pixel they can
// reach must be the one a walk over the whole figure sets.
TEST(Canvas, ThinLinesAndFramesSetTheSamePixelsWhereverTheyAreCut) {
    constexpr int Cut = 80, Margin = 80, Whole = Cut + 2 * Margin;
    struct Figure {
        bool rectangle;
        TPoint a, b;
    };
    std::vector<Figure> figures = {
        {true, {-60, -60}, {140, 140}}, {true, {-5, 10}, {300, 30}},   {true, {10, -70}, {30, 70}},
        {true, {79, 79}, {81, 81}},     {false, {-70, 40}, {150, 40}}, {false, {40, 150}, {40, -70}},
    };
    uint32_t random = 7;
    auto next = [&] { return int((random = random * 1103515245u + 12345u) >> 16) % 220 - 70; };
    for (int i = 0; i < 120; ++i)
        figures.push_back({false, {next(), next()}, {next(), next()}});

    for (const TPenStyle style : {psSolid, psDash, psDot, psDashDot, psDashDotDot}) {
        TBitmap whole, cut, clipped;
        Fill(whole, Whole, Whole, clWhite);
        Fill(cut, Cut, Cut, clWhite);
        Fill(clipped, Whole, Whole, clWhite);
        clipped.Canvas()->SetClipRect({Margin, Margin, Margin + Cut, Margin + Cut});
        for (TBitmap* bitmap : {&whole, &cut, &clipped}) {
            TCanvas& canvas = *bitmap->Canvas();
            const int shift = bitmap == &cut ? 0 : Margin;
            canvas.Pen()->SetStyle(style);
            canvas.Pen()->SetMode(pmXor); // where figures cross, a pixel set twice shows as set twice
            canvas.Pen()->SetColor(clWhite);
            canvas.Brush()->SetStyle(bsClear);
            for (const Figure& f : figures)
                if (f.rectangle) {
                    canvas.Rectangle(f.a.X + shift, f.a.Y + shift, f.b.X + shift, f.b.Y + shift);
                } else {
                    canvas.MoveTo(f.a.X + shift, f.a.Y + shift);
                    canvas.LineTo(f.b.X + shift, f.b.Y + shift);
                }
        }
        clipped.Canvas()->ResetClip();
        int differences = 0, clippedOutside = 0;
        for (int y = 0; y < Whole; ++y)
            for (int x = 0; x < Whole; ++x) {
                const bool inside = x >= Margin && x < Margin + Cut && y >= Margin && y < Margin + Cut;
                if (!inside) {
                    clippedOutside += clipped.Canvas()->Pixels(x, y) != clWhite;
                    continue;
                }
                const TColor expected = whole.Canvas()->Pixels(x, y);
                differences += cut.Canvas()->Pixels(x - Margin, y - Margin) != expected;
                differences += clipped.Canvas()->Pixels(x, y) != expected;
            }
        EXPECT_EQ(differences, 0) << "pen style " << style;
        EXPECT_EQ(clippedOutside, 0) << "pen style " << style;
    }

    // Each line on its own, solid, is the walk's pixels and nothing else.
    int wrong = 0;
    for (const Figure& f : figures) {
        if (f.rectangle) continue;
        TBitmap line;
        Fill(line, Whole, Whole, clWhite);
        line.Canvas()->Pen()->SetColor(clBlack);
        line.Canvas()->MoveTo(f.a.X + Margin, f.a.Y + Margin);
        line.Canvas()->LineTo(f.b.X + Margin, f.b.Y + Margin);
        std::vector<TPoint> walked =
            WalkedLine({f.a.X + Margin, f.a.Y + Margin}, {f.b.X + Margin, f.b.Y + Margin});
        for (const TPoint& p : walked)
            wrong += line.Canvas()->Pixels(p.X, p.Y) != clBlack;
        int black = 0;
        for (int y = 0; y < Whole; ++y)
            for (int x = 0; x < Whole; ++x)
                black += line.Canvas()->Pixels(x, y) == clBlack;
        wrong += black != static_cast<int>(walked.size());
    }
    EXPECT_EQ(wrong, 0);
}

TEST(Canvas, FillRectAndFrameRectUseTheBrush) {
    TBitmap bitmap;
    Fill(bitmap, 6, 5, clWhite);
    TCanvas& c = *bitmap.Canvas();
    c.Pen()->SetMode(pmXor); // fills and frames ignore the pen
    c.Brush()->SetColor(clBlue);
    c.FrameRect(TRect(0, 0, 5, 4));
    c.Brush()->SetColor(clRed);
    c.FillRect(TRect(2, 1, 4, 3));
    EXPECT_EQ(Picture(c, TRect(0, 0, 6, 5), clBlue), "xxxxx.|x...x.|x...x.|xxxxx.|......");
    EXPECT_EQ(Picture(c, TRect(0, 0, 6, 5), clRed), "......|..xx..|..xx..|......|......");
    c.Brush()->SetStyle(bsClear);
    c.FillRect(TRect(0, 0, 6, 5));
    EXPECT_EQ(c.Pixels(5, 4), clWhite);
}

TEST(Canvas, RaisedAndSunkenEdgesAreLightTopLeftAndDarkBottomRight) {
    const TColor light = TColor(ColorToRGB(cl3DLight)), white = clWhite, grey = TColor(0x808080),
                 black = clBlack, face = TColor(0xC0C0C0);
    struct Row {
        const char* name;
        unsigned edge, flags;
        TColor outerTopLeft, innerTopLeft, outerBottomRight, innerBottomRight;
    } rows[] = {
        {"raised", EDGE_RAISED, BF_RECT, light, white, black, grey},
        {"raised soft", EDGE_RAISED, BF_RECT | BF_SOFT, white, light, black, grey},
        {"sunken", EDGE_SUNKEN, BF_RECT, grey, black, white, light},
        {"etched", EDGE_ETCHED, BF_RECT, grey, white, white, grey},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TBitmap bitmap;
        Fill(bitmap, 10, 10, clRed);
        TCanvas& c = *bitmap.Canvas();
        TRect rect(0, 0, 10, 10);
        c.DrawEdge(rect, r.edge, r.flags | BF_MIDDLE | BF_ADJUST);
        EXPECT_EQ(rect, TRect(2, 2, 8, 8));
        EXPECT_EQ(c.Pixels(0, 0), r.outerTopLeft);
        EXPECT_EQ(c.Pixels(5, 0), r.outerTopLeft);
        EXPECT_EQ(c.Pixels(0, 5), r.outerTopLeft);
        EXPECT_EQ(c.Pixels(1, 1), r.innerTopLeft);
        EXPECT_EQ(c.Pixels(9, 9), r.outerBottomRight);
        EXPECT_EQ(c.Pixels(9, 0), r.outerBottomRight); // the dark side owns the corners it shares
        EXPECT_EQ(c.Pixels(0, 9), r.outerBottomRight);
        EXPECT_EQ(c.Pixels(8, 8), r.innerBottomRight);
        EXPECT_EQ(c.Pixels(5, 5), face);
    }
}

TEST(Canvas, EdgesOnSomeSidesAndFrame3D) {
    TBitmap bitmap;
    Fill(bitmap, 6, 6, clWhite);
    TCanvas& c = *bitmap.Canvas();
    TRect rect(0, 0, 6, 6);
    c.DrawEdge(rect, BDR_SUNKENOUTER, BF_BOTTOM); // only the bottom line, in the dark colour
    EXPECT_EQ(rect, TRect(0, 0, 6, 6));           // no BF_ADJUST
    EXPECT_EQ(Picture(c, TRect(0, 0, 6, 6), clWhite), "xxxxxx|xxxxxx|xxxxxx|xxxxxx|xxxxxx|xxxxxx");
    c.DrawEdge(rect, BDR_RAISEDOUTER, BF_BOTTOM);
    EXPECT_EQ(Picture(c, TRect(0, 0, 6, 6), clBlack), "......|......|......|......|......|xxxxxx");

    Fill(bitmap, 6, 6, clWhite);
    rect = TRect(0, 0, 6, 6);
    c.Frame3D(rect, clRed, clBlue, 2);
    EXPECT_EQ(rect, TRect(2, 2, 4, 4));
    EXPECT_EQ(Picture(c, TRect(0, 0, 6, 6), clRed), "xxxxx.|xxxx..|xx....|xx....|x.....|......");
    EXPECT_EQ(Picture(c, TRect(0, 0, 6, 6), clBlue), ".....x|....xx|....xx|....xx|.xxxxx|xxxxxx");
}

TEST(Canvas, CheckBoxesAndButtonFrames) {
    TBitmap bitmap;
    Fill(bitmap, 40, 13, clRed);
    TCanvas& c = *bitmap.Canvas();
    c.DrawCheckBox(TRect(0, 0, 13, 13), false, false);
    c.DrawCheckBox(TRect(20, 0, 33, 13), true, false);
    EXPECT_EQ(c.Pixels(0, 0), TColor(0x808080)); // sunken
    EXPECT_EQ(c.Pixels(6, 6), clWhite);
    EXPECT_EQ(InkBounds(c, TRect(2, 2, 11, 11), clWhite), TRect());
    const TRect mark = InkBounds(c, TRect(22, 2, 31, 11), clWhite);
    EXPECT_EQ(mark.Width(), 7);
    EXPECT_EQ(mark.Height(), 7);
    c.DrawCheckBox(TRect(0, 0, 13, 13), false, true);
    EXPECT_EQ(c.Pixels(6, 6), TColor(0xC0C0C0)); // pressed: button face

    Fill(bitmap, 20, 10, clRed);
    const TRect up = c.DrawButtonFrame(TRect(0, 0, 20, 10), false);
    EXPECT_EQ(up, TRect(2, 2, 18, 8));
    EXPECT_EQ(c.Pixels(0, 0), clWhite);
    EXPECT_EQ(c.Pixels(19, 9), clBlack);
    EXPECT_EQ(c.Pixels(10, 5), TColor(0xC0C0C0));
    const TRect down = c.DrawButtonFrame(TRect(0, 0, 20, 10), true);
    EXPECT_EQ(down, TRect(3, 3, 19, 9));
    EXPECT_EQ(c.Pixels(0, 0), clBlack);
}

TEST(Canvas, TextChangesPixelsOnlyInsideItsExtent) {
    TBitmap bitmap;
    Fill(bitmap, 120, 30, clWhite);
    TCanvas& c = *bitmap.Canvas();
    const TSize extent = c.TextExtent("Hello");
    EXPECT_GT(extent.cx, 10);
    EXPECT_GT(extent.cy, 8);
    EXPECT_EQ(c.TextWidth("Hello"), extent.cx);
    EXPECT_EQ(c.TextHeight("Hello"), extent.cy);
    EXPECT_GT(c.TextWidth("Hello, world"), extent.cx);
    EXPECT_EQ(c.TextWidth(""), 0);

    c.Brush()->SetStyle(bsClear);
    c.TextOut(10, 5, "Hello");
    const TRect ink = InkBounds(c, TRect(0, 0, 120, 30), clWhite);
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_TRUE(TRect::FromBounds(10, 5, extent.cx, extent.cy).Contains(ink));
    EXPECT_EQ(c.PenPos(), TPoint(10 + extent.cx, 5));

    // A solid brush paints the background of the text cell.
    c.Brush()->SetColor(clYellow);
    c.TextOut(60, 5, "Hi");
    EXPECT_EQ(c.Pixels(60, 5), clYellow);
    EXPECT_EQ(c.Pixels(60 + c.TextWidth("Hi") - 1, 5 + extent.cy - 1), clYellow);
    EXPECT_EQ(c.Pixels(60 + c.TextWidth("Hi"), 5), clWhite);
}

TEST(Canvas, TextRectClipsToItsRectangle) {
    TBitmap bitmap;
    Fill(bitmap, 100, 30, clWhite);
    TCanvas& c = *bitmap.Canvas();
    c.Font()->SetColor(clBlack);
    c.Brush()->SetColor(clYellow);
    c.TextRect(TRect(10, 5, 20, 25), 12, 6, "WWWWWWWW");
    EXPECT_EQ(c.Pixels(10, 24), clYellow); // the whole rectangle gets the background
    EXPECT_EQ(InkBounds(c, TRect(0, 0, 100, 30), clWhite), TRect(10, 5, 20, 25));
    EXPECT_FALSE(InkBounds(c, TRect(12, 6, 20, 25), clYellow).IsEmpty());
}

TEST(Canvas, DrawTextMeasuresAndAligns) {
    TBitmap bitmap;
    Fill(bitmap, 100, 40, clWhite);
    TCanvas& c = *bitmap.Canvas();
    TRect measure(5, 5, 6, 6);
    const int height = c.DrawText(measure, "Caption", DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(height, c.TextHeight("Caption"));
    EXPECT_EQ(measure, TRect::FromBounds(5, 5, c.TextWidth("Caption"), c.TextHeight("Caption")));
    EXPECT_EQ(InkBounds(c, TRect(0, 0, 100, 40), clWhite), TRect()); // measuring draws nothing

    TRect cell(0, 0, 100, 40);
    c.Brush()->SetStyle(bsClear);
    c.DrawText(cell, "Caption", DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const TRect ink = InkBounds(c, cell, clWhite);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 50, 3);
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 20, 4);

    // "&&" is one ampersand unless DT_NOPREFIX.
    TRect a(0, 0, 1, 1), b(0, 0, 1, 1);
    c.DrawText(a, "A&&B", DT_CALCRECT | DT_SINGLELINE);
    c.DrawText(b, "A&&B", DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_LT(a.Width(), b.Width());
}

TEST(Canvas, ClippingAndOrigin) {
    TBitmap bitmap;
    Fill(bitmap, 8, 6, clWhite);
    TCanvas& c = *bitmap.Canvas();
    EXPECT_EQ(c.ClipRect(), TRect(0, 0, 8, 6));
    c.SetClipRect(TRect(1, 1, 7, 5));
    c.ExcludeClipRect(TRect(3, 2, 5, 4));
    EXPECT_EQ(c.ClipRect(), TRect(1, 1, 7, 5));
    c.Brush()->SetColor(clRed);
    c.FillRect(TRect(0, 0, 8, 6));
    EXPECT_EQ(Picture(c, TRect(0, 0, 8, 6), clRed), "........|.xxxxxx.|.xx..xx.|.xx..xx.|.xxxxxx.|........");
    EXPECT_EQ(c.Pixels(0, 0), TColor(-1)); // outside the clip

    c.ResetClip();
    c.SetOrigin(TPoint(2, 1));
    EXPECT_EQ(c.ClipRect(), TRect(-2, -1, 6, 5));
    c.Brush()->SetColor(clBlue);
    c.FillRect(TRect(0, 0, 1, 1));
    c.SetOrigin(TPoint());
    EXPECT_EQ(c.Pixels(2, 1), clBlue);
}

TEST(Canvas, CopyRectScalesAndCombinesByCopyMode) {
    TBitmap source;
    Fill(source, 2, 2, clRed);
    source.Canvas()->SetPixels(1, 1, clBlue);
    TBitmap target;
    Fill(target, 6, 4, clWhite);
    TCanvas& c = *target.Canvas();
    c.CopyRect(TRect(0, 0, 4, 4), *source.Canvas(), TRect(0, 0, 2, 2));
    EXPECT_EQ(Picture(c, TRect(0, 0, 6, 4), clBlue), "......|......|..xx..|..xx..");
    EXPECT_EQ(c.Pixels(1, 1), clRed);

    const std::vector<TColor> before = Snapshot(c, 6, 4);
    c.SetCopyMode(cmSrcInvert);
    c.CopyRect(TRect(2, 0, 6, 4), *source.Canvas(), TRect(0, 0, 2, 2));
    EXPECT_EQ(c.Pixels(5, 0), TColor(0xFFFFFF ^ 0x0000FF));
    c.CopyRect(TRect(2, 0, 6, 4), *source.Canvas(), TRect(0, 0, 2, 2));
    EXPECT_EQ(Snapshot(c, 6, 4), before);

    // A canvas may copy from itself.
    c.SetCopyMode(cmSrcCopy);
    c.CopyRect(TRect(4, 0, 6, 4), c, TRect(0, 0, 2, 4));
    EXPECT_EQ(c.Pixels(4, 0), clRed);
}

TEST(Canvas, BrushCopyReplacesTheTransparentColour) {
    TBitmap glyph;
    Fill(glyph, 3, 1, clFuchsia);
    glyph.Canvas()->SetPixels(1, 0, clBlack);
    for (TBrushStyle style : {bsClear, bsSolid}) {
        SCOPED_TRACE(style == bsClear ? "hollow brush" : "solid brush");
        TBitmap target;
        Fill(target, 6, 2, clWhite);
        target.Canvas()->SetPixels(0, 0, clRed);
        TCanvas& c = *target.Canvas();
        c.Brush()->SetColor(clLime);
        c.Brush()->SetStyle(style);
        c.BrushCopy(TRect(0, 0, 6, 2), glyph, TRect(0, 0, 3, 1), clFuchsia);
        EXPECT_EQ(Picture(c, TRect(0, 0, 6, 2), clBlack), "..xx..|..xx..");
        EXPECT_EQ(Picture(c, TRect(0, 0, 6, 2), clFuchsia), "......|......");
        EXPECT_EQ(c.Pixels(0, 0), style == bsClear ? clRed : clLime);
        EXPECT_EQ(c.Pixels(5, 1), style == bsClear ? clWhite : clLime);
    }
}

TEST(Canvas, DrawAndStretchDrawBitmaps) {
    TBitmap glyph;
    Fill(glyph, 2, 2, clRed);
    glyph.Canvas()->SetPixels(0, 1, clBlue); // bottom-left: the transparent colour
    TBitmap target;
    Fill(target, 6, 6, clWhite);
    TCanvas& c = *target.Canvas();
    c.Draw(1, 1, &glyph);
    EXPECT_EQ(Picture(c, TRect(0, 0, 4, 4), clRed), "....|.xx.|..x.|....");
    EXPECT_EQ(c.Pixels(1, 2), clBlue);

    Fill(target, 6, 6, clWhite);
    glyph.SetTransparent(true);
    c.StretchDraw(TRect(0, 0, 4, 4), &glyph);
    EXPECT_EQ(Picture(c, TRect(0, 0, 4, 4), clRed), "xxxx|xxxx|..xx|..xx");
    EXPECT_EQ(c.Pixels(0, 3), clWhite);

    c.Draw(0, 0, nullptr); // nothing to draw, no failure
    TBitmap empty;
    c.Draw(0, 0, &empty);
}

TEST(Canvas, FiguresFillTheirInside) {
    TBitmap bitmap;
    Fill(bitmap, 20, 20, clWhite);
    TCanvas& c = *bitmap.Canvas();
    c.Brush()->SetColor(clRed);
    c.Ellipse(0, 0, 20, 20);
    EXPECT_EQ(c.Pixels(10, 10), clRed);
    EXPECT_EQ(c.Pixels(0, 0), clWhite);
    EXPECT_EQ(InkBounds(c, TRect(0, 0, 20, 20), clWhite), TRect(0, 0, 20, 20));

    Fill(bitmap, 20, 20, clWhite); // leaves the brush white
    c.Brush()->SetColor(clRed);
    const TPoint triangle[] = {{0, 0}, {19, 0}, {0, 19}};
    c.Polygon(triangle);
    EXPECT_EQ(c.Pixels(4, 4), clRed);
    EXPECT_EQ(c.Pixels(15, 15), clWhite);

    Fill(bitmap, 20, 20, clWhite);
    c.Brush()->SetColor(clRed);
    c.RoundRect(0, 0, 20, 20, 8, 8);
    EXPECT_EQ(c.Pixels(0, 0), clWhite);
    EXPECT_EQ(c.Pixels(10, 0), clBlack);
    EXPECT_EQ(c.Pixels(10, 10), clRed);
}

TEST(Canvas, ACanvasWithoutSurfaceDrawsNothing) {
    TCanvas canvas;
    EXPECT_FALSE(canvas.HandleAllocated());
    canvas.Rectangle(0, 0, 10, 10);
    canvas.TextOut(0, 0, "x");
    EXPECT_EQ(canvas.Pixels(0, 0), TColor(-1));
    EXPECT_EQ(canvas.ClipRect(), TRect());
    TBitmap empty;
    empty.Canvas()->FillRect(TRect(0, 0, 5, 5)); // an empty bitmap has no pixels to draw on
    EXPECT_TRUE(empty.Empty());
}

// A dot grid in one pass sets exactly the pixels that setting each dot would, and none inside the spared
// rectangles (exclusive right and bottom edges); a clip limits it like any drawing.
TEST(Canvas, DotGridSetsTheDotsOutsideTheSparedRectangles) {
    TBitmap expected, drawn;
    FillPattern(expected, 40, 30);
    FillPattern(drawn, 40, 30);
    const std::vector<TRect> spared{{4, 4, 13, 10}, {30, 0, 31, 30}, {-5, 25, 100, 100}};
    const TColor grey = TColor(8421504);
    for (int x = 2; x <= 38; x += 4)
        for (int y = 1; y <= 28; y += 3) {
            bool inside = false;
            for (const TRect& r : spared)
                inside = inside || r.Contains({x, y});
            if (!inside) expected.Canvas()->SetPixels(x, y, grey);
        }
    drawn.Canvas()->DotGrid({2, 1}, {38, 28}, 4, 3, grey, spared);
    EXPECT_EQ(Snapshot(*drawn.Canvas(), 40, 30), Snapshot(*expected.Canvas(), 40, 30));

    TBitmap clipped;
    FillPattern(clipped, 40, 30);
    const auto before = Snapshot(*clipped.Canvas(), 40, 30);
    clipped.Canvas()->SetClipRect({0, 0, 10, 10});
    clipped.Canvas()->DotGrid({2, 1}, {38, 28}, 4, 3, grey, {});
    clipped.Canvas()->ResetClip();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool dot = x >= 2 && (x - 2) % 4 == 0 && y >= 1 && (y - 1) % 3 == 0 && x < 10 && y < 10;
            EXPECT_EQ(clipped.Canvas()->Pixels(x, y), dot ? grey : before[size_t(y * 40 + x)])
                << x << "," << y;
        }
}

} // namespace
