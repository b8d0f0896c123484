// Invalidation, paint flushing, the paint canvas and the window device context.
#include "graphics/BitmapPrivate.h"
#include "graphics/Canvas.h"
#include "graphics/CanvasPrivate.h"
#include "ui/NativeDispatch.h"
#include "ui/WindowOwner.h"
#include "ui/WindowRecord.h"
#include "ui/Windows.h"
#include "ui/XorOverlay.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>

bool InvalidateRect(HWND window, const TRect* rect, bool) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return false;
    // Beyond a few rectangles between two paints, what is repainted is the one rectangle around them all:
    // Qt merges each rectangle into its repaint region one at a time, at a cost that grows with the
    // number already there, and then weighs that region against every child window.
    constexpr int MaxSeparateRects = 64;
    if (rect) {
        window->InvalidBounds = window->InvalidRects == 0 ? *rect : window->InvalidBounds.Union(*rect);
        if (window->InvalidRects++ >= MaxSeparateRects) rect = &window->InvalidBounds;
    }
    // The overlay's figures go back on top of what is repainted, and only there: the overlay covers the
    // whole window, so updating all of it would repaint every widget in the window.
    for (QWidget* target : {widget, static_cast<QWidget*>(window->Overlay.data())}) {
        if (!target) continue;
        if (rect)
            target->update(QRect(rect->Left, rect->Top, rect->Width(), rect->Height())
                               .translated(target == widget ? QPoint() : -window->Overlay->MaskOrigin()));
        else
            target->update();
    }
    return true;
}

bool UpdateWindow(HWND window) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return false;
    QCoreApplication::sendPostedEvents(widget->window(), QEvent::UpdateRequest);
    QCoreApplication::sendPostedEvents(widget->window(), QEvent::UpdateLater);
    return true;
}

void FlushPaintMessages() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
}

HDC BeginPaint(HWND window, const TMessage& paint) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return nullptr;
    if (window->PaintCanvas) return window->PaintCanvas;
    if (!widget->testAttribute(Qt::WA_WState_InPaintEvent)) return nullptr; // not inside WM_PAINT
    // The native widget paints first; the framework's painting goes on top of it.
    if (window->Owner) RunNativeHandling(window->Owner, paint);
    window->PaintPainter = new QPainter(widget);
    // What is painted is the region the paint is for, also for the canvas's ClipRect: drawing that asks
    // for it then costs what is repainted, however large the window.
    if (paint.Native && paint.Native->Event && paint.Native->Event->type() == QEvent::Paint)
        window->PaintPainter->setClipRegion(static_cast<QPaintEvent*>(paint.Native->Event)->region());
    window->PaintCanvas = new TCanvas;
    TCanvasAccess::AttachPainter(*window->PaintCanvas, window->PaintPainter);
    if (window->Owner) window->PaintCanvas->SetFont(window->Owner->WindowFont());
    return window->PaintCanvas;
}

void EndPaint(HWND window) {
    if (!IsWindow(window) || !window->PaintCanvas) return;
    TCanvasAccess::Detach(*window->PaintCanvas);
    delete window->PaintCanvas;
    window->PaintCanvas = nullptr;
    window->PaintPainter->end();
    delete window->PaintPainter;
    window->PaintPainter = nullptr;
}

HDC GetDC(HWND window) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return nullptr;
    if (!window->Overlay) window->Overlay = new TXorOverlay(widget);
    window->OverlayCanvas = std::make_unique<TCanvas>(); // a fresh pen and brush each time
    TCanvasAccess::AttachDevice(*window->OverlayCanvas, &window->Overlay->Mask(),
                                window->Overlay->MaskOrigin());
    TCanvasAccess::TrackTouched(*window->OverlayCanvas);
    return window->OverlayCanvas.get();
}

void ReleaseDC(HWND window, HDC dc) {
    if (!IsWindow(window) || !window->OverlayCanvas || dc != window->OverlayCanvas.get()) return;
    TCanvasAccess::Detach(*window->OverlayCanvas);
    // Only what was drawn is shown again: the overlay is transparent, so an update of all of it would
    // repaint every widget under it.
    const std::optional<QRect> touched = TCanvasAccess::Private(*window->OverlayCanvas).Touched;
    if (window->Overlay && touched && !touched->isEmpty())
        window->Overlay->update(
            touched->translated(-window->Overlay->MaskOrigin()).intersected(window->Overlay->rect()));
    else if (window->Overlay && !touched)
        window->Overlay->update();
}

void GrabWindow(HWND window, TBitmap& bitmap) {
    QWidget* widget = WidgetOf(window);
    if (!widget) {
        bitmap.SetSize(0, 0);
        return;
    }
    FlushPaintMessages();
    TBitmapAccess::SetImage(bitmap, widget->grab().toImage());
}
