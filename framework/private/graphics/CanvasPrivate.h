// The Qt side of TCanvas, for framework/ only: attaching a canvas to a surface and the painter each
// drawing operation uses.
#pragma once

#include "graphics/Canvas.h"

#include <QImage>
#include <QPainter>
#include <QRegion>

#include <memory>
#include <optional>

struct TCanvasPrivate {
    QPaintDevice* Device = nullptr; // the surface the canvas's own painter opens on
    QPoint DeviceOrigin;            // where Device's top-left pixel lies in device coordinates
    QPainter* External = nullptr;   // a painter lent by the caller (a widget's paint event)
    std::unique_ptr<QPainter> Own;  // opened on first use, kept until EndPainting
    std::optional<QRegion> Clip;    // device coordinates; none means unclipped
    // While set, what the drawing operations reach, in device coordinates: their bounds, or the whole
    // surface for an operation that does not tell them. Lets a surface show only what changed.
    std::optional<QRect> Touched;
};

struct TCanvasAccess {
    // Draw on `device` through a painter the canvas opens itself (a bitmap's image, an overlay picture);
    // `origin` is where its top-left pixel lies, for a surface that covers only part of a window.
    static void AttachDevice(TCanvas& canvas, QPaintDevice* device, QPoint origin = {});
    // Draw through the caller's painter, which must outlive the attachment. The painter's own transform
    // and clip stay in force under the canvas's origin and clip.
    static void AttachPainter(TCanvas& canvas, QPainter* painter);
    // Ends drawing and forgets the surface; clip and origin are kept.
    static void Detach(TCanvas& canvas);
    // Starts collecting the area the drawing operations reach (Touched), from nothing.
    static void TrackTouched(TCanvas& canvas) { canvas.FPrivate->Touched = QRect(); }
    // Closes the canvas's own painter, so that the surface may be read, copied, resized or replaced. The
    // next drawing operation opens it again.
    static void EndPainting(TCanvas& canvas);
    static QPaintDevice* Device(const TCanvas& canvas);
    // The surface as an image when it is one, else null.
    static const QImage* Image(const TCanvas& canvas);
    static TCanvasPrivate& Private(TCanvas& canvas) { return *canvas.FPrivate; }
    static void Changed(TCanvas& canvas) { canvas.Changed(); }
    static void CreateHandle(TCanvas& canvas) { canvas.CreateHandle(); }
};

// The painter of one drawing operation: the canvas's clip and origin applied on top of the painter's
// state, which is restored when the operation ends. False when the canvas has no surface.
class TCanvasPainter {
public:
    // `bounds` (logical coordinates, inclusive of every pixel the operation may set) feeds the canvas's
    // touched area; without it, the operation counts as touching the whole surface.
    explicit TCanvasPainter(TCanvas& canvas, std::optional<TRect> bounds = std::nullopt);
    ~TCanvasPainter();
    TCanvasPainter(const TCanvasPainter&) = delete;
    TCanvasPainter& operator=(const TCanvasPainter&) = delete;

    explicit operator bool() const { return FPainter != nullptr; }
    QPainter* operator->() const { return FPainter; }
    QPainter& operator*() const { return *FPainter; }

private:
    QPainter* FPainter = nullptr;
};

// The composition mode that applies a copy mode; copy modes without source (blackness, pattern copy...)
// are handled by the caller.
QPainter::CompositionMode CopyModeComposition(TCopyMode mode);
