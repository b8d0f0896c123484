#include "graphics/CanvasInk.h"

#include "graphics/QtConvert.h"

#include <cstdlib>

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

TPixelRuns::TPixelRuns(QPainter& painter, const QColor& color, std::span<const int> dashes)
    : FPainter(painter), FColor(color), FDashes(dashes), FDashLeft(dashes.empty() ? 0 : dashes[0]) {
}

TPixelRuns::~TPixelRuns() {
    Flush();
}

void TPixelRuns::Line(QPoint a, QPoint b) {
    const int dx = std::abs(b.x() - a.x());
    const int dy = -std::abs(b.y() - a.y());
    const int sx = a.x() < b.x() ? 1 : -1;
    const int sy = a.y() < b.y() ? 1 : -1;
    int err = dx + dy;
    int x = a.x(), y = a.y();
    while (x != b.x() || y != b.y()) {
        Plot(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void TPixelRuns::Perimeter(const QRect& r) {
    if (r.isEmpty()) return;
    if (r.width() == 1 || r.height() == 1) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                Plot(x, y);
        return;
    }
    for (int x = r.left(); x <= r.right(); ++x)
        Plot(x, r.top());
    for (int y = r.top() + 1; y <= r.bottom(); ++y)
        Plot(r.right(), y);
    for (int x = r.right() - 1; x >= r.left(); --x)
        Plot(x, r.bottom());
    for (int y = r.bottom() - 1; y > r.top(); --y)
        Plot(r.left(), y);
}

void TPixelRuns::Plot(int x, int y) {
    bool on = true;
    if (!FDashes.empty()) {
        on = FDashIndex % 2 == 0;
        if (--FDashLeft == 0) {
            FDashIndex = (FDashIndex + 1) % FDashes.size();
            FDashLeft = FDashes[FDashIndex];
        }
    }
    if (!on) {
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

void TPixelRuns::Flush() {
    if (!FHasRun) return;
    FPainter.fillRect(FRun, FColor);
    FHasRun = false;
}
