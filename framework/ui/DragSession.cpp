#include "ui/DragSession.h"

#include "ui/WinControl.h"
#include "ui/Windows.h"

#include <cstdlib>

TDragSession& TDragSession::Current() {
    static TDragSession session;
    return session;
}

void TDragSession::SetMouseCapture(TControl* control, bool capture) {
    auto* windowed = dynamic_cast<TWinControl*>(control);
    HWND window = windowed ? windowed->Handle() : (control->Parent() ? control->Parent()->Handle() : nullptr);
    if (capture) {
        CaptureControl = control;
        if (window && GetCapture() != window) SetCapture(window);
    } else if (CaptureControl == control) {
        CaptureControl = nullptr;
        if (window && GetCapture() == window) ReleaseCapture();
    }
}

void TDragSession::Begin(TControl* source, bool immediate, int threshold) {
    if (Source) Finish(false);
    Source = source;
    Target = nullptr;
    FAccepted = false;
    FStarted = immediate;
    FThreshold = threshold >= 0 ? threshold : 5;
    FDownPoint = GetCursorPos();
    SetMouseCapture(source, true);
    if (immediate) MoveTo(GetCursorPos());
}

void TDragSession::NoteMouseDown(TControl* source, TPoint screenPoint) {
    if (Source == source) FDownPoint = screenPoint;
}

TControl* TDragSession::FindTarget(TPoint screenPoint) const {
    TWinControl* window = FindControl(WindowFromPoint(screenPoint));
    if (!window) return nullptr;
    TControl* graphic = window->ControlAtPos(window->ScreenToClient(screenPoint), false);
    return graphic ? graphic : window;
}

void TDragSession::MoveTo(TPoint screenPoint) {
    TControl* target = FindTarget(screenPoint);
    if (target != Target && Target) {
        const TPoint p = Target->ScreenToClient(screenPoint);
        bool ignored = false;
        Target->DragOver(Source, p.X, p.Y, dsDragLeave, ignored);
    }
    const TDragState state = target == Target ? dsDragMove : dsDragEnter;
    Target = target;
    FAccepted = false;
    if (Target) {
        const TPoint p = Target->ScreenToClient(screenPoint);
        Target->DragOver(Source, p.X, p.Y, state, FAccepted);
    }
}

bool TDragSession::HandleMessage(TControl* control, TMessage& message) {
    if (!Source || control != Source) return false;
    switch (message.Msg) {
    case WM_MOUSEMOVE: {
        const TPoint screen = control->ClientToScreen(PointFromLParam(message.LParam));
        if (!FStarted) {
            if (std::abs(screen.X - FDownPoint.X) < FThreshold &&
                std::abs(screen.Y - FDownPoint.Y) < FThreshold)
                return false;
            FStarted = true;
        }
        MoveTo(screen);
        return true;
    }
    case WM_LBUTTONUP:
        if (!FStarted) {
            Finish(false);
            return false; // no drag after all: an ordinary click
        }
        MoveTo(control->ClientToScreen(PointFromLParam(message.LParam)));
        Finish(true);
        return true;
    case WM_CANCELMODE:
    case WM_RBUTTONDOWN:
        Finish(false);
        return message.Msg == WM_RBUTTONDOWN;
    default:
        return false;
    }
}

void TDragSession::Finish(bool drop) {
    if (!Source) return;
    TControl* source = Source;
    TControl* target = drop && FStarted && FAccepted ? Target : nullptr;
    const TPoint screen = GetCursorPos();
    Source = nullptr;
    Target = nullptr;
    FStarted = false;
    SetMouseCapture(source, false);
    TPoint p{};
    if (target) {
        p = target->ScreenToClient(screen);
        target->DragDrop(source, p.X, p.Y);
    }
    if (source->OnEndDrag) source->OnEndDrag(source, target, p.X, p.Y);
}
