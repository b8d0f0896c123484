#include "widgets/StockGlyphs.h"

#include "graphics/Bitmap.h"
#include "widgets/BitBtn.h"

#include <array>

namespace {

constexpr int Size = 18;

void Line(TCanvas& c, TColor color, int width, std::initializer_list<TPoint> points) {
    c.Pen()->SetColor(color);
    c.Pen()->SetWidth(width);
    std::vector<TPoint> list(points);
    c.Polyline(list);
}

void CheckMark(TCanvas& c, int dx, int dy) {
    Line(c, clGreen, 3, {{3 + dx, 9 + dy}, {7 + dx, 13 + dy}, {15 + dx, 4 + dy}});
}

void Cross(TCanvas& c, TColor color, int inset) {
    Line(c, color, 3, {{inset, inset}, {Size - inset, Size - inset}});
    Line(c, color, 3, {{Size - inset, inset}, {inset, Size - inset}});
}

void Triangle(TCanvas& c, TColor color, std::array<TPoint, 3> points) {
    c.Pen()->SetColor(color);
    c.Pen()->SetWidth(1);
    c.Brush()->SetColor(color);
    c.Polygon(points);
}

} // namespace

void DrawStockGlyph(int kind, TBitmap& glyph) {
    if (kind == bkCustom) {
        glyph.SetSize(0, 0);
        return;
    }
    glyph.SetSize(Size, Size);
    TCanvas& c = *glyph.Canvas();
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clOlive);
    c.FillRect({0, 0, Size, Size});
    switch (kind) {
    case bkOK:
    case bkYes:
        CheckMark(c, 0, 0);
        break;
    case bkAll:
        CheckMark(c, -2, -2);
        CheckMark(c, 1, 2);
        break;
    case bkCancel:
        Cross(c, clRed, 4);
        break;
    case bkHelp: {
        TFont font;
        font.SetName("Arial");
        font.SetHeight(-16);
        font.SetStyle({fsBold});
        font.SetColor(clNavy);
        c.SetFont(&font);
        c.Brush()->SetStyle(bsClear);
        TRect r(0, 0, Size, Size);
        c.DrawText(r, "?", DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        break;
    }
    case bkNo:
        c.Brush()->SetStyle(bsClear);
        c.Pen()->SetColor(clRed);
        c.Pen()->SetWidth(2);
        c.Ellipse(2, 2, 16, 16);
        Line(c, clRed, 2, {{5, 13}, {13, 5}});
        break;
    case bkClose:
        c.Brush()->SetColor(clYellow);
        c.FillRect({5, 2, 14, 17}); // the open doorway
        Triangle(c, clMaroon, {TPoint{5, 2}, TPoint{10, 5}, TPoint{5, 17}});
        c.Brush()->SetColor(clMaroon);
        c.FillRect({5, 5, 10, 17});
        c.SetPixels(8, 10, clYellow); // the knob
        break;
    case bkAbort:
        c.Pen()->SetColor(clRed);
        c.Pen()->SetWidth(1);
        c.Brush()->SetColor(clRed);
        c.Ellipse(1, 1, 17, 17);
        Cross(c, clWhite, 6);
        break;
    case bkRetry:
        c.Brush()->SetStyle(bsClear);
        c.Pen()->SetColor(clGreen);
        c.Pen()->SetWidth(3);
        c.Ellipse(3, 3, 15, 15);
        c.Brush()->SetColor(clOlive);
        c.FillRect({9, 1, 17, 8}); // the gap the arrow points across
        Triangle(c, clGreen, {TPoint{9, 1}, TPoint{9, 9}, TPoint{14, 5}});
        break;
    case bkIgnore:
        Line(c, clBlack, 2, {{8, 16}, {16, 16}});
        Line(c, clNavy, 2, {{2, 15}, {5, 6}, {12, 6}});
        Triangle(c, clNavy, {TPoint{12, 2}, TPoint{12, 10}, TPoint{16, 6}});
        break;
    default:
        break;
    }
}
