#include "graphics/CanvasInk.h"

#include "graphics/QtConvert.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

TPenInk PenInk(const TPen& pen) {
    TPenInk ink;
    ink.Draws = pen.Style() != psClear && pen.Mode() != pmNop;
    ink.Color = ToQColor(pen.Color());
    switch (pen.Mode()) {
    case pmBlack:
        ink.Color = Qt::black;
        break;
    case pmWhite:
        ink.Color = Qt::white;
        break;
    case pmNot:
        ink.Mode = QPainter::RasterOp_NotDestination;
        break;
    case pmNotCopy:
        ink.Mode = QPainter::RasterOp_NotSource;
        break;
    case pmMergePenNot:
        ink.Mode = QPainter::RasterOp_SourceOrNotDestination;
        break;
    case pmMaskPenNot:
        ink.Mode = QPainter::RasterOp_SourceAndNotDestination;
        break;
    case pmMergeNotPen:
        ink.Mode = QPainter::RasterOp_NotSourceOrDestination;
        break;
    case pmMaskNotPen:
        ink.Mode = QPainter::RasterOp_NotSourceAndDestination;
        break;
    case pmMerge:
        ink.Mode = QPainter::RasterOp_SourceOrDestination;
        break;
    case pmNotMerge:
        ink.Mode = QPainter::RasterOp_NotSourceAndNotDestination;
        break;
    case pmMask:
        ink.Mode = QPainter::RasterOp_SourceAndDestination;
        break;
    case pmNotMask:
        ink.Mode = QPainter::RasterOp_NotSourceOrNotDestination;
        break;
    case pmXor:
        ink.Mode = QPainter::RasterOp_SourceXorDestination;
        break;
    case pmNotXor:
        ink.Mode = QPainter::RasterOp_NotSourceXorDestination;
        break;
    default:
        break;
    }
    return ink;
}

namespace {

Qt::BrushStyle QtBrushStyle(TBrushStyle style) {
    switch (style) {
    case bsClear:
        return Qt::NoBrush;
    case bsHorizontal:
        return Qt::HorPattern;
    case bsVertical:
        return Qt::VerPattern;
    case bsFDiagonal:
        return Qt::FDiagPattern;
    case bsBDiagonal:
        return Qt::BDiagPattern;
    case bsCross:
        return Qt::CrossPattern;
    case bsDiagCross:
        return Qt::DiagCrossPattern;
    default:
        return Qt::SolidPattern;
    }
}

constexpr int dashPattern[] = {6, 2};
constexpr int dotPattern[] = {1, 1};
constexpr int dashDotPattern[] = {6, 2, 1, 2};
constexpr int dashDotDotPattern[] = {6, 2, 1, 2, 1, 2};

} // namespace

QBrush BrushOf(const TBrush& brush) {
    return QBrush(ToQColor(brush.Color()), QtBrushStyle(brush.Style()));
}

QBrush PenModeBrush(const TPen& pen, const TBrush& brush) {
    QBrush result = BrushOf(brush);
    if (pen.Mode() == pmBlack) result.setColor(Qt::black);
    if (pen.Mode() == pmWhite) result.setColor(Qt::white);
    return result;
}

QPen ShapePen(const TPen& pen, const QColor& color) {
    QPen result(color, pen.Width(), Qt::SolidLine, pen.Width() > 1 ? Qt::RoundCap : Qt::FlatCap,
                Qt::MiterJoin);
    const std::span<const int> dashes = pen.Width() == 1 ? PenDashes(pen.Style()) : std::span<const int>();
    if (!dashes.empty()) result.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
    return result;
}

std::span<const int> PenDashes(TPenStyle style) {
    switch (style) {
    case psDash:
        return dashPattern;
    case psDot:
        return dotPattern;
    case psDashDot:
        return dashDotPattern;
    case psDashDotDot:
        return dashDotDotPattern;
    default:
        return {};
    }
}

void FillFrame(QPainter& painter, const QRect& rect, int width, const QColor& color) {
    const int w = std::min(width, std::min(rect.width(), rect.height()));
    if (w <= 0) return;
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), w), color);
    if (rect.height() > w)
        painter.fillRect(QRect(rect.left(), rect.bottom() - w + 1, rect.width(), w), color);
    const int middle = rect.height() - 2 * w;
    if (middle > 0) {
        painter.fillRect(QRect(rect.left(), rect.top() + w, w, middle), color);
        if (rect.width() > w) painter.fillRect(QRect(rect.right() - w + 1, rect.top() + w, w, middle), color);
    }
}

QRect PainterReach(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    QRectF reach = painter.transform().inverted().mapRect(QRectF(0, 0, device->width(), device->height()));
    if (painter.hasClipping()) reach &= painter.clipBoundingRect();
    return reach.toAlignedRect();
}

namespace {

// The steps k in [0, count) with from + k * step inside [low, high], as [first, last]; empty when first >
// last.
std::pair<int64_t, int64_t> StepsWithin(int64_t from, int step, int64_t count, int64_t low, int64_t high) {
    if (step == 0)
        return from >= low && from <= high ? std::pair<int64_t, int64_t>{0, count - 1}
                                           : std::pair<int64_t, int64_t>{0, -1};
    int64_t first = step > 0 ? low - from : from - high;
    int64_t last = step > 0 ? high - from : from - low;
    return {std::max<int64_t>(first, 0), std::min(last, count - 1)};
}

} // namespace

TPixelRuns::TPixelRuns(QPainter& painter, const QColor& color, std::span<const int> dashes)
    : FPainter(painter), FColor(color), FDashes(dashes), FDashLeft(dashes.empty() ? 0 : dashes[0]),
      FReach(PainterReach(painter)) {
    for (int length : dashes)
        FDashPeriod += length;
}

TPixelRuns::~TPixelRuns() {
    Flush();
}

// The pixels of this Bresenham line lie at known places: along the major axis one per step, and across it
// the i-th pixel at floor((2 * minor * i + major) / (2 * major)), the rounding the error term makes. So
// the steps outside the reach are counted, not walked.
void TPixelRuns::Line(QPoint a, QPoint b) {
    const int64_t dx = std::abs(int64_t(b.x()) - a.x()), dy = std::abs(int64_t(b.y()) - a.y());
    const int sx = a.x() < b.x() ? 1 : -1, sy = a.y() < b.y() ? 1 : -1;
    if (dx == 0 || dy == 0) return Straight(a, {dx ? sx : 0, dy ? sy : 0}, std::max(dx, dy));
    const bool xMajor = dx >= dy;
    const int64_t major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    const int64_t from = xMajor ? a.x() : a.y(), across = xMajor ? a.y() : a.x();
    const int step = xMajor ? sx : sy, acrossStep = xMajor ? sy : sx;
    const auto [first, last] = xMajor ? StepsWithin(from, step, major, FReach.left(), FReach.right())
                                      : StepsWithin(from, step, major, FReach.top(), FReach.bottom());
    if (first > last) return Skip(major);
    Skip(first);
    for (int64_t i = first; i <= last; ++i) {
        const int64_t along = from + step * i;
        const int64_t side =
            across + acrossStep * static_cast<int64_t>((__int128(2) * minor * i + major) / (2 * major));
        const int x = static_cast<int>(xMajor ? along : side), y = static_cast<int>(xMajor ? side : along);
        Plot(x, y, FReach.contains(x, y));
    }
    Skip(major - 1 - last);
}

void TPixelRuns::Perimeter(const QRect& r) {
    if (r.isEmpty()) return;
    const int64_t width = r.width(), height = r.height();
    if (width == 1 || height == 1) {
        // One row or column, walked from its first pixel.
        return Straight(r.topLeft(), {width > 1 ? 1 : 0, height > 1 ? 1 : 0}, std::max(width, height));
    }
    Straight(r.topLeft(), {1, 0}, width);
    Straight({r.right(), r.top() + 1}, {0, 1}, height - 1);
    Straight({r.right() - 1, r.bottom()}, {-1, 0}, width - 1);
    Straight({r.left(), r.bottom() - 1}, {0, -1}, height - 2);
}

void TPixelRuns::Straight(QPoint start, QPoint step, int64_t count) {
    if (count <= 0) return;
    // The steps inside the reach along each axis; the line is inside where both hold.
    const auto [firstX, lastX] = StepsWithin(start.x(), step.x(), count, FReach.left(), FReach.right());
    const auto [firstY, lastY] = StepsWithin(start.y(), step.y(), count, FReach.top(), FReach.bottom());
    const int64_t first = std::max(firstX, firstY), last = std::min(lastX, lastY);
    if (first > last) return Skip(count);
    Skip(first);
    for (int64_t i = first; i <= last; ++i)
        Plot(static_cast<int>(start.x() + step.x() * i), static_cast<int>(start.y() + step.y() * i));
    Skip(count - 1 - last);
}

void TPixelRuns::Plot(int x, int y, bool visible) {
    bool on = true;
    if (!FDashes.empty()) {
        on = FDashIndex % 2 == 0;
        if (--FDashLeft == 0) {
            FDashIndex = (FDashIndex + 1) % FDashes.size();
            FDashLeft = FDashes[FDashIndex];
        }
    }
    if (!on || !visible) {
        Flush();
        return;
    }
    if (FHasRun) {
        if (FRun.height() == 1 && y == FRun.top()) {
            if (x == FRun.right() + 1) return FRun.setRight(x);
            if (x == FRun.left() - 1) return FRun.setLeft(x);
        }
        if (FRun.width() == 1 && x == FRun.left()) {
            if (y == FRun.bottom() + 1) return FRun.setBottom(y);
            if (y == FRun.top() - 1) return FRun.setTop(y);
        }
        Flush();
    }
    FRun = QRect(x, y, 1, 1);
    FHasRun = true;
}

void TPixelRuns::Skip(int64_t count) {
    if (count <= 0) return;
    Flush();
    if (FDashes.empty()) return;
    // A whole period of the pattern leaves it where it was.
    for (int64_t left = count % FDashPeriod; left > 0; --left)
        if (--FDashLeft == 0) {
            FDashIndex = (FDashIndex + 1) % FDashes.size();
            FDashLeft = FDashes[FDashIndex];
        }
}

void TPixelRuns::Flush() {
    if (!FHasRun) return;
    FPainter.fillRect(FRun, FColor);
    FHasRun = false;
}
