#include "graphics/Canvas.h"

#include "graphics/BitmapPrivate.h"
#include "graphics/CanvasInk.h"
#include "graphics/CanvasPrivate.h"
#include "graphics/Graphic.h"
#include "graphics/QtConvert.h"

#include <QFontMetrics>
#include <QPolygon>

#include <algorithm>
#include <vector>

FW_PUBLISH(TCanvas) {
}

// ---- attaching and the painter of an operation ------------------------------------------------------------

// ---------------------------------------------------------------

namespace {

QPainter* OpenPainter(TCanvasPrivate& d) {
    if (d.External) return d.External;
    if (d.Own) return d.Own.get();
    if (!d.Device) return nullptr;
    if (d.Device->devType() == QInternal::Image && static_cast<QImage*>(d.Device)->isNull()) return nullptr;
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(d.Device)) return nullptr;
    painter->translate(-d.DeviceOrigin);
    d.Own = std::move(painter);
    return d.Own.get();
}

QPaintDevice* SurfaceOf(const TCanvasPrivate& d) {
    if (d.External) return d.External->device();
    return d.Device;
}

// Big enough for any surface; the region an exclusion starts from when nothing was clipped yet.
const QRect everywhere(-(1 << 20), -(1 << 20), 1 << 21, 1 << 21);

} // namespace

void TCanvasAccess::AttachDevice(TCanvas& canvas, QPaintDevice* device, QPoint origin) {
    Detach(canvas);
    canvas.FPrivate->Device = device;
    canvas.FPrivate->DeviceOrigin = origin;
}

void TCanvasAccess::AttachPainter(TCanvas& canvas, QPainter* painter) {
    Detach(canvas);
    canvas.FPrivate->External = painter;
}

void TCanvasAccess::Detach(TCanvas& canvas) {
    EndPainting(canvas);
    canvas.FPrivate->Device = nullptr;
    canvas.FPrivate->DeviceOrigin = {};
    canvas.FPrivate->External = nullptr;
}

void TCanvasAccess::EndPainting(TCanvas& canvas) {
    if (canvas.FPrivate->Own) {
        canvas.FPrivate->Own->end();
        canvas.FPrivate->Own.reset();
    }
}

QPaintDevice* TCanvasAccess::Device(const TCanvas& canvas) {
    return SurfaceOf(*canvas.FPrivate);
}

const QImage* TCanvasAccess::Image(const TCanvas& canvas) {
    QPaintDevice* device = SurfaceOf(*canvas.FPrivate);
    if (!device || device->devType() != QInternal::Image) return nullptr;
    return static_cast<const QImage*>(device);
}

TCanvasPainter::TCanvasPainter(TCanvas& canvas, std::optional<TRect> bounds) {
    TCanvasPrivate& d = TCanvasAccess::Private(canvas);
    if (d.Touched) {
        constexpr int Everything = 1 << 24;
        // A pixel of margin: a pen's last pixel may lie on the exclusive edge.
        *d.Touched |= bounds
                          ? ToQRect(bounds->Inflated(1, 1)).translated(canvas.Origin().X, canvas.Origin().Y)
                          : QRect(-Everything, -Everything, 2 * Everything, 2 * Everything);
    }
    if (!d.External && !d.Device) TCanvasAccess::CreateHandle(canvas);
    FPainter = OpenPainter(d);
    if (!FPainter) return;
    FPainter->save();
    if (d.Clip) FPainter->setClipRegion(*d.Clip, Qt::IntersectClip);
    FPainter->translate(canvas.Origin().X, canvas.Origin().Y);
    FPainter->setRenderHint(QPainter::Antialiasing, false);
    FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

TCanvasPainter::~TCanvasPainter() {
    if (FPainter) FPainter->restore();
}

QPainter::CompositionMode CopyModeComposition(TCopyMode mode) {
    switch (mode) {
    case cmSrcInvert:
        return QPainter::RasterOp_SourceXorDestination;
    case cmSrcAnd:
        return QPainter::RasterOp_SourceAndDestination;
    case cmSrcPaint:
        return QPainter::RasterOp_SourceOrDestination;
    case cmNotSrcCopy:
        return QPainter::RasterOp_NotSource;
    case cmSrcErase:
        return QPainter::RasterOp_SourceAndNotDestination;
    case cmNotSrcErase:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case cmMergePaint:
        return QPainter::RasterOp_NotSourceOrDestination;
    case cmDstInvert:
        return QPainter::RasterOp_NotDestination;
    case cmPatInvert:
        return QPainter::RasterOp_SourceXorDestination;
    default:
        return QPainter::CompositionMode_Source;
    }
}

// ---- the canvas -------------------------------------------------------------------------------------------

TCanvas::TCanvas()
    : FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()), FFont(std::make_unique<TFont>()),
      FPrivate(std::make_unique<TCanvasPrivate>()) {
}

TCanvas::~TCanvas() {
    TCanvasAccess::Detach(*this);
}

bool TCanvas::HandleAllocated() const {
    return FPrivate->External || FPrivate->Device;
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

TColor TCanvas::Pixels(int x, int y) const {
    const QImage* image = TCanvasAccess::Image(*this);
    if (!image) return TColor(-1);
    QPoint point(x + FOrigin.X, y + FOrigin.Y);
    if (FPrivate->Clip && !FPrivate->Clip->contains(point)) return TColor(-1);
    if (FPrivate->External) point = FPrivate->External->transform().map(point);
    point -= FPrivate->DeviceOrigin;
    if (!image->valid(point)) return TColor(-1);
    return FromQRgb(image->pixel(point));
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    if (TCanvasPainter p{*this, TRect(x, y, x + 1, y + 1)}) {
        p->setCompositionMode(QPainter::CompositionMode_Source);
        p->fillRect(QRect(x, y, 1, 1), ToQColor(color));
    }
    Changed();
}

void TCanvas::DotGrid(TPoint first, TPoint last, int stepX, int stepY, TColor color,
                      std::span<const TRect> spared) {
    stepX = std::max(stepX, 1);
    stepY = std::max(stepY, 1);
    if (last.X < first.X || last.Y < first.Y) return;
    const int columns = (last.X - first.X) / stepX + 1;
    const int rows = (last.Y - first.Y) / stepY + 1;
    // The dots inside spared rectangles are crossed off, each rectangle visiting only its own dots.
    std::vector<bool> skip(static_cast<size_t>(columns) * static_cast<size_t>(rows));
    const auto firstIndex = [](int from, int origin, int step) { // first dot at or after `from`
        return from <= origin ? 0 : (from - origin + step - 1) / step;
    };
    for (const TRect& r : spared) {
        const int c0 = firstIndex(r.Left, first.X, stepX), r0 = firstIndex(r.Top, first.Y, stepY);
        for (int row = r0; row < rows && first.Y + row * stepY < r.Bottom; ++row)
            for (int column = c0; column < columns && first.X + column * stepX < r.Right; ++column)
                skip[static_cast<size_t>(row) * columns + column] = true;
    }
    QVector<QPoint> dots;
    dots.reserve(static_cast<qsizetype>(columns) * rows);
    for (int column = 0; column < columns; ++column)
        for (int row = 0; row < rows; ++row)
            if (!skip[static_cast<size_t>(row) * columns + column])
                dots.append(QPoint(first.X + column * stepX, first.Y + row * stepY));
    if (dots.isEmpty()) return;
    if (TCanvasPainter p{*this, TRect(first.X, first.Y, last.X + 1, last.Y + 1)}) {
        p->setCompositionMode(QPainter::CompositionMode_Source);
        p->setPen(QPen(ToQColor(color), 1));
        p->drawPoints(dots.constData(), static_cast<int>(dots.size()));
    }
    Changed();
}

// ---- lines and figures ------------------------------------------------------------------------------------

void TCanvas::LineTo(int x, int y) {
    const TPoint points[] = {FPenPos, {x, y}};
    Polyline(points);
}

void TCanvas::Polyline(std::span<const TPoint> points) {
    if (points.empty()) return;
    FPenPos = points.back();
    const TPenInk ink = PenInk(*FPen);
    if (!ink.Draws) return;
    TRect bounds(points[0].X, points[0].Y, points[0].X, points[0].Y);
    for (const TPoint& point : points)
        bounds = TRect(std::min(bounds.Left, point.X), std::min(bounds.Top, point.Y),
                       std::max(bounds.Right, point.X), std::max(bounds.Bottom, point.Y));
    const int reach = FPen->Width() + 1;
    if (TCanvasPainter p{*this, bounds.Inflated(reach, reach)}) {
        ink.Apply(*p);
        if (FPen->Width() == 1) {
            TPixelRuns runs(*p, ink.Color, PenDashes(FPen->Style()));
            for (size_t i = 1; i < points.size(); ++i)
                runs.Line(ToQPoint(points[i - 1]), ToQPoint(points[i]));
        } else {
            QPolygon polygon;
            for (const TPoint& point : points)
                polygon << ToQPoint(point);
            p->setPen(QPen(ink.Color, FPen->Width(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p->drawPolyline(polygon);
        }
    }
    Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    const TRect r = TRect(left, top, right, bottom).Normalized();
    const TPenInk ink = PenInk(*FPen);
    if (r.IsEmpty() || FPen->Mode() == pmNop) return;
    if (TCanvasPainter p{*this, r}) {
        ink.Apply(*p);
        const int w = ink.Draws ? std::min(FPen->Width(), std::min(r.Width(), r.Height())) : 0;
        if (FBrush->Style() != bsClear) {
            const TRect inside = r.Inflated(-w, -w);
            if (!inside.IsEmpty()) p->fillRect(ToQRect(inside), PenModeBrush(*FPen, *FBrush));
        }
        if (w == 1) {
            TPixelRuns runs(*p, ink.Color, PenDashes(FPen->Style()));
            runs.Perimeter(ToQRect(r));
        } else if (w > 1) {
            FillFrame(*p, ToQRect(r), w, ink.Color);
        }
    }
    Changed();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    EllipticFigure(false, left, top, right, bottom, 0, 0);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
    EllipticFigure(true, left, top, right, bottom, cornerWidth, cornerHeight);
}

// Ellipses and rounded rectangles: Qt outlines the pixels left..right and top..bottom of a QRect, so the
// rectangle is one pixel smaller than the exclusive TRect.
void TCanvas::EllipticFigure(bool rounded, int left, int top, int right, int bottom, int cornerWidth,
                             int cornerHeight) {
    const TRect r = TRect(left, top, right, bottom).Normalized();
    if (r.IsEmpty() || FPen->Mode() == pmNop) return;
    if (TCanvasPainter p{*this}) {
        const TPenInk ink = PenInk(*FPen);
        ink.Apply(*p);
        p->setPen(ink.Draws ? ShapePen(*FPen, ink.Color) : QPen(Qt::NoPen));
        p->setBrush(FBrush->Style() == bsClear ? QBrush(Qt::NoBrush) : PenModeBrush(*FPen, *FBrush));
        const QRect box(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
        if (rounded)
            p->drawRoundedRect(box, cornerWidth / 2.0, cornerHeight / 2.0);
        else
            p->drawEllipse(box);
    }
    Changed();
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    if (points.empty() || FPen->Mode() == pmNop) return;
    if (TCanvasPainter p{*this}) {
        const TPenInk ink = PenInk(*FPen);
        ink.Apply(*p);
        p->setPen(ink.Draws ? ShapePen(*FPen, ink.Color) : QPen(Qt::NoPen));
        p->setBrush(FBrush->Style() == bsClear ? QBrush(Qt::NoBrush) : PenModeBrush(*FPen, *FBrush));
        QPolygon polygon;
        for (const TPoint& point : points)
            polygon << ToQPoint(point);
        p->drawPolygon(polygon, Qt::OddEvenFill);
    }
    Changed();
}

// ---- fills and frames -------------------------------------------------------------------------------------

// --------------------------------------------------------------------------------------

void TCanvas::FillRect(const TRect& rect) {
    const TRect r = rect.Normalized();
    if (r.IsEmpty() || FBrush->Style() == bsClear) return;
    if (TCanvasPainter p{*this, r}) p->fillRect(ToQRect(r), BrushOf(*FBrush));
    Changed();
}

void TCanvas::FrameRect(const TRect& rect) {
    const TRect r = rect.Normalized();
    if (r.IsEmpty()) return;
    if (TCanvasPainter p{*this, r}) FillFrame(*p, ToQRect(r), 1, ToQColor(FBrush->Color()));
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    const TRect r = rect.Normalized();
    if (r.IsEmpty()) return;
    if (TCanvasPainter p{*this, r}) {
        p->setCompositionMode(QPainter::RasterOp_NotDestination);
        TPixelRuns runs(*p, Qt::white, PenDashes(psDot));
        runs.Perimeter(ToQRect(r));
    }
    Changed();
}

// "&x" shows as "x", "&&" as "&".
static QString WithoutMnemonics(const QString& text) {
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) ++i;
        result += text[i];
    }
    return result;
}

// ---- text -------------------------------------------------------------------------------------------------

void TCanvas::TextOut(int x, int y, std::string_view text) {
    const QString s = ToQString(text);
    const QFontMetrics metrics(ToQFont(*FFont));
    const int width = metrics.horizontalAdvance(s);
    if (TCanvasPainter p{*this}) {
        if (FBrush->Style() != bsClear) p->fillRect(QRect(x, y, width, metrics.height()), BrushOf(*FBrush));
        p->setFont(ToQFont(*FFont));
        p->setPen(ToQColor(FFont->Color()));
        p->drawText(QPoint(x, y + metrics.ascent()), s);
    }
    FPenPos = {x + width, y};
    Changed();
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text) {
    const QFontMetrics metrics(ToQFont(*FFont));
    if (TCanvasPainter p{*this}) {
        p->setClipRect(ToQRect(rect), Qt::IntersectClip);
        if (FBrush->Style() != bsClear) p->fillRect(ToQRect(rect), BrushOf(*FBrush));
        p->setFont(ToQFont(*FFont));
        p->setPen(ToQColor(FFont->Color()));
        p->drawText(QPoint(x, y + metrics.ascent()), ToQString(text));
    }
    Changed();
}

int TCanvas::DrawText(TRect& rect, std::string_view text, unsigned flags) {
    const QFont font = ToQFont(*FFont);
    const QFontMetrics metrics(font);
    QString s = ToQString(text);
    int qtFlags = (flags & DT_CENTER)  ? Qt::AlignHCenter
                  : (flags & DT_RIGHT) ? Qt::AlignRight
                                       : Qt::AlignLeft;
    if (flags & DT_SINGLELINE) {
        qtFlags |= Qt::TextSingleLine;
        qtFlags |= (flags & DT_VCENTER)  ? Qt::AlignVCenter
                   : (flags & DT_BOTTOM) ? Qt::AlignBottom
                                         : Qt::AlignTop;
    } else {
        qtFlags |= Qt::AlignTop;
    }
    if (flags & DT_WORDBREAK) qtFlags |= Qt::TextWordWrap;
    if (flags & DT_EXPANDTABS) qtFlags |= Qt::TextExpandTabs;
    if (flags & DT_NOCLIP) qtFlags |= Qt::TextDontClip;
    if (!(flags & DT_NOPREFIX)) qtFlags |= Qt::TextShowMnemonic;
    if (flags & DT_END_ELLIPSIS) s = metrics.elidedText(s, Qt::ElideRight, rect.Width(), qtFlags);

    if (flags & DT_CALCRECT) {
        if (flags & DT_SINGLELINE) {
            // Measured like TextExtent, so a rectangle sized by DT_CALCRECT fits what TextWidth predicts.
            rect.Right =
                rect.Left + metrics.horizontalAdvance((flags & DT_NOPREFIX) ? s : WithoutMnemonics(s));
            rect.Bottom = rect.Top + metrics.height();
            return metrics.height();
        }
        // Without word breaks the width is the text's own; with them the rectangle's width limits it.
        const int limit = (flags & DT_WORDBREAK) ? std::max(rect.Width(), 1) : 1 << 20;
        const QRect bounds = metrics.boundingRect(QRect(rect.Left, rect.Top, limit, 1 << 20),
                                                  qtFlags & ~(Qt::AlignHCenter | Qt::AlignRight), s);
        rect.Right = rect.Left + bounds.width();
        rect.Bottom = rect.Top + bounds.height();
        return bounds.height();
    }
    QRect drawn;
    if (TCanvasPainter p{*this}) {
        p->setFont(font);
        p->setPen(ToQColor(FFont->Color()));
        if (FBrush->Style() != bsClear) {
            const QRect bounds = p->boundingRect(ToQRect(rect), qtFlags, s);
            p->fillRect(bounds.intersected((flags & DT_NOCLIP) ? bounds : ToQRect(rect)), BrushOf(*FBrush));
        }
        p->drawText(ToQRect(rect), qtFlags, s, &drawn);
    }
    Changed();
    return drawn.height();
}

int TCanvas::TextWidth(std::string_view text) const {
    return TextExtent(text).cx;
}

int TCanvas::TextHeight(std::string_view text) const {
    return TextExtent(text).cy;
}

TSize TCanvas::TextExtent(std::string_view text) const {
    const QFontMetrics metrics(ToQFont(*FFont));
    return {metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

// ---- pictures and copies ----------------------------------------------------------------------------------

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    graphic->Draw(*this, TRect::FromBounds(x, y, graphic->Width(), graphic->Height()));
    Changed();
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    graphic->Draw(*this, rect);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
    const TRect d = dest.Normalized();
    if (d.IsEmpty()) return;
    if (FCopyMode == cmBlackness || FCopyMode == cmWhiteness || FCopyMode == cmPatCopy ||
        FCopyMode == cmPatInvert || FCopyMode == cmDstInvert) {
        // No source involved: fill with black, white or the brush, or invert.
        if (TCanvasPainter p{*this}) {
            p->setCompositionMode(CopyModeComposition(FCopyMode));
            const QBrush fill = FCopyMode == cmBlackness   ? QBrush(Qt::black)
                                : FCopyMode == cmWhiteness ? QBrush(Qt::white)
                                                           : BrushOf(*FBrush);
            p->fillRect(ToQRect(d), fill);
        }
        Changed();
        return;
    }
    const QImage* image = TCanvasAccess::Image(source);
    if (!image) return;
    // A deep copy, so copying from this very canvas reads the pixels as they were.
    const QImage part =
        image->copy(ToQRect(sourceRect.Normalized().Offsetted(source.FOrigin.X, source.FOrigin.Y))
                        .translated(-source.FPrivate->DeviceOrigin));
    if (TCanvasPainter p{*this}) {
        p->setCompositionMode(CopyModeComposition(FCopyMode));
        p->drawImage(ToQRect(d), part);
    }
    Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap& bitmap, const TRect& sourceRect, TColor color) {
    const TRect d = dest.Normalized();
    if (d.IsEmpty()) return;
    const QImage& image = BitmapImage(bitmap);
    QImage part = image.copy(ToQRect(sourceRect.Normalized())).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ToQRgb(color) & RGB_MASK;
    for (int y = 0; y < part.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
        for (int x = 0; x < part.width(); ++x)
            if ((line[x] & RGB_MASK) == key) line[x] = 0;
    }
    if (TCanvasPainter p{*this}) {
        if (FBrush->Style() != bsClear) p->fillRect(ToQRect(d), BrushOf(*FBrush));
        p->drawImage(ToQRect(d), part);
    }
    Changed();
}

// ---- clipping ---------------------------------------------------------------------------------------------

// -----------------------------------------------------------------------------------------------

TRect TCanvas::ClipRect() const {
    QPaintDevice* device = SurfaceOf(*FPrivate);
    if (!device) return {};
    QRect area = QRect(0, 0, device->width(), device->height()).translated(FPrivate->DeviceOrigin);
    if (FPrivate->External) {
        QPainter* p = FPrivate->External;
        area = p->transform().inverted().mapRect(area);
        if (p->hasClipping()) area &= p->clipBoundingRect().toAlignedRect();
    }
    if (FPrivate->Clip) area &= FPrivate->Clip->boundingRect();
    return FromQRect(area).Offsetted(-FOrigin.X, -FOrigin.Y);
}

void TCanvas::SetClipRect(const TRect& rect) {
    FPrivate->Clip = QRegion(ToQRect(rect.Offsetted(FOrigin.X, FOrigin.Y)));
}

void TCanvas::IntersectClipRect(const TRect& rect) {
    const QRegion r(ToQRect(rect.Offsetted(FOrigin.X, FOrigin.Y)));
    FPrivate->Clip = FPrivate->Clip ? *FPrivate->Clip & r : r;
}

void TCanvas::ExcludeClipRect(const TRect& rect) {
    const QRegion r(ToQRect(rect.Offsetted(FOrigin.X, FOrigin.Y)));
    FPrivate->Clip = (FPrivate->Clip ? *FPrivate->Clip : QRegion(everywhere)) - r;
}

void TCanvas::ResetClip() {
    FPrivate->Clip.reset();
}
