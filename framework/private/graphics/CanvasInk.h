// How a canvas's pen and brush become Qt painting, and pixel-exact drawing of thin lines. Private to
// framework/.
#pragma once

#include "graphics/Brush.h"
#include "graphics/Pen.h"

#include <QBrush>
#include <QColor>
#include <QPainter>
#include <QPen>

#include <span>

// The colour and the combination with the pixels there that a pen's mode asks for.
struct TPenInk {
    bool Draws = true; // false for psClear and pmNop
    QColor Color;
    QPainter::CompositionMode Mode = QPainter::CompositionMode_SourceOver;

    void Apply(QPainter& painter) const { painter.setCompositionMode(Mode); }
};
TPenInk PenInk(const TPen& pen);
// The brush as it fills a figure drawn with this pen (pmBlack and pmWhite override its colour).
QBrush PenModeBrush(const TPen& pen, const TBrush& brush);
QBrush BrushOf(const TBrush& brush);
// The outline pen of ellipses, rounded rectangles and polygons.
QPen ShapePen(const TPen& pen, const QColor& color);
// On and off lengths of a 1-pixel line of this style; empty for a solid line.
std::span<const int> PenDashes(TPenStyle style);

// What the painter can change, in its logical coordinates: its device, within its clip.
QRect PainterReach(const QPainter& painter);

// A frame `width` pixels thick inside `rect`, each pixel painted once.
void FillFrame(QPainter& painter, const QRect& rect, int width, const QColor& color);

// Plots 1-pixel lines pixel by pixel, following a dash pattern across calls, and paints neighbouring
// pixels in one go. Every pixel of a line or perimeter is painted exactly once, so raster operations
// such as exclusive-or undo themselves when repeated. Only the pixels the painter can reach (its device
// and clip) are visited; the dash pattern is carried past the others by arithmetic, so a figure far
// larger than what is painted costs what is painted.
class TPixelRuns {
public:
    TPixelRuns(QPainter& painter, const QColor& color, std::span<const int> dashes);
    ~TPixelRuns();
    TPixelRuns(const TPixelRuns&) = delete;
    TPixelRuns& operator=(const TPixelRuns&) = delete;

    // The pixels from a to b, b excluded.
    void Line(QPoint a, QPoint b);
    // The border pixels of `rect`, clockwise from the top-left corner.
    void Perimeter(const QRect& rect);

private:
    // `count` pixels from `start` in steps of `step` (one of the eight directions).
    void Straight(QPoint start, QPoint step, int64_t count);
    // The dash pattern moves on by one pixel, which is painted when `visible` and on.
    void Plot(int x, int y, bool visible = true);
    // The dash pattern moves on by `count` pixels that are not painted.
    void Skip(int64_t count);
    void Flush();

    QPainter& FPainter;
    QColor FColor;
    std::span<const int> FDashes;
    int FDashPeriod = 0;
    size_t FDashIndex = 0;
    int FDashLeft = 0;
    QRect FReach; // logical coordinates
    QRect FRun;
    bool FHasRun = false;
};
