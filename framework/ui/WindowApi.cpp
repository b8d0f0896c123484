// Window data, hierarchy and geometry.
//
//   1. window data and hierarchy
//   2. placing and showing
//   3. geometry and scrolling
//   4. frames
#include "ui/WindowOwner.h"
#include "ui/WindowRecord.h"
#include "ui/Windows.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QWindow>

#include <map>

// ---- 1. window data and hierarchy -------------------------------------------------------------------------

intptr_t GetWindowLong(HWND window, int index) {
    if (!IsWindow(window) || index != GWL_USERDATA) return 0;
    return window->UserData;
}

intptr_t SetWindowLong(HWND window, int index, intptr_t value) {
    if (!IsWindow(window) || index != GWL_USERDATA) return 0;
    intptr_t previous = window->UserData;
    window->UserData = value;
    return previous;
}

HWND GetParent(HWND window) {
    QWidget* widget = WidgetOf(window);
    if (!widget || widget->isWindow()) return nullptr;
    return WindowOfWidget(widget->parentWidget());
}

bool IsChild(HWND parent, HWND window) {
    QWidget* p = WidgetOf(parent);
    QWidget* w = WidgetOf(window);
    if (!p || !w || p == w) return false;
    for (QWidget* up = w->parentWidget(); up; up = up->parentWidget()) {
        if (up == p) return true;
        if (up->isWindow()) break;
    }
    return false;
}

HWND SetParent(HWND window, HWND newParent) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return nullptr;
    HWND previous = GetParent(window);
    const bool wasVisible = widget->isVisibleTo(widget->parentWidget());
    widget->setParent(WidgetOf(newParent));
    if (wasVisible) widget->show();
    return previous;
}

std::vector<HWND> GetChildWindows(HWND parent) {
    std::vector<HWND> children;
    QWidget* widget = WidgetOf(parent);
    if (!widget) return children;
    // Qt keeps a widget's children in stacking order, the lowest first.
    for (QObject* object : widget->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child) continue;
        HWND window = WindowOfWidget(child);
        if (window && WidgetOf(window) == child) children.push_back(window);
    }
    return children;
}

// ---- 2. placing and showing -------------------------------------------------------------------------------

// Shows a window; a top-level one without activating it when `activate` is false.
static void ShowWidget(QWidget* widget, bool activate) {
    HWND window = RecordOfWidget(widget);
    if (widget->isWindow() && window) ExpectWindowFrame(window);
    if (activate || !widget->isWindow()) {
        widget->show();
    } else {
        const bool before = widget->testAttribute(Qt::WA_ShowWithoutActivating);
        widget->setAttribute(Qt::WA_ShowWithoutActivating, true);
        widget->show();
        widget->setAttribute(Qt::WA_ShowWithoutActivating, before);
    }
    // Some platforms frame a window as it shows; the others report their frame once it is exposed.
    if (widget->isWindow() && IsWindow(window)) NoteWindowFrame(window);
}

// Moves and sizes `window` whose outer rectangle counts as `before`: SetWindowPos, and the fitting of a
// window into a new frame, where `before` is the outer rectangle in the old frame.
static bool PlaceWindow(HWND window, const QRect& before, HWND insertAfter, int x, int y, int cx, int cy,
                        UINT flags) {
    WINDOWPOS pos{window, insertAfter, x, y, cx, cy, flags};
    TMessage changing = TWMWindowPos{&pos}.ToMessage(WM_WINDOWPOSCHANGING);
    DeliverSentMessage(window, changing);
    QWidget* widget = WidgetOf(window);
    if (!widget) return false;
    QRect target = before;
    if (!(pos.flags & SWP_NOMOVE)) target.moveTo(pos.x, pos.y);
    if (!(pos.flags & SWP_NOSIZE)) target.setSize(QSize(std::max(pos.cx, 0), std::max(pos.cy, 0)));
    if (target.topLeft() == before.topLeft()) pos.flags |= SWP_NOMOVE;
    if (target.size() == before.size()) pos.flags |= SWP_NOSIZE;
    // A top-level window's widget is its client area, inside the frame.
    QRect client = widget->isWindow() ? target.marginsRemoved(window->Frame) : target;
    client.setSize(client.size().expandedTo(QSize(0, 0)));
    if (client != widget->geometry()) {
        // A window of fixed size keeps a fixed size, the new one.
        if (widget->isWindow() && widget->minimumSize() == widget->maximumSize())
            widget->setFixedSize(client.size());
        window->Placing = true;
        widget->setGeometry(client);
        if (!IsWindow(window)) return false;
        window->Placing = false;
    }
    if (!(flags & SWP_NOZORDER)) {
        if (insertAfter == HWND_BOTTOM)
            widget->lower();
        else if (insertAfter == HWND_TOP)
            widget->raise();
        else if (QWidget* after = WidgetOf(insertAfter))
            widget->stackUnder(after);
    }
    if (flags & SWP_SHOWWINDOW) ShowWidget(widget, !(flags & SWP_NOACTIVATE));
    if (flags & SWP_HIDEWINDOW) widget->hide();
    TMessage changed = TWMWindowPos{&pos}.ToMessage(WM_WINDOWPOSCHANGED);
    DeliverSentMessage(window, changed);
    return true;
}

bool SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    if (!IsWindow(window)) return false;
    return PlaceWindow(window, OuterGeometry(window), insertAfter, x, y, cx, cy, flags);
}

bool ShowWindow(HWND window, int command) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return false;
    const bool wasVisible = widget->isVisibleTo(widget->parentWidget() ? widget->parentWidget() : widget);
    if (command == SW_HIDE)
        widget->hide();
    else
        ShowWidget(widget, command != SW_SHOWNA);
    return wasVisible;
}

// ---- 3. geometry and scrolling ----------------------------------------------------------------------------

bool IsWindowVisible(HWND window) {
    QWidget* widget = WidgetOf(window);
    return widget && widget->isVisible();
}

TRect GetClientRect(HWND window) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return {};
    return {0, 0, widget->width(), widget->height()};
}

TRect GetWindowRect(HWND window) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return {};
    if (widget->isWindow()) {
        const QRect outer = OuterGeometry(window);
        return TRect::FromBounds(outer.x(), outer.y(), outer.width(), outer.height());
    }
    const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
    return TRect::FromBounds(origin.x(), origin.y(), widget->width(), widget->height());
}

TPoint ClientToScreen(HWND window, TPoint point) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return point;
    const QPoint p = widget->mapToGlobal(QPoint(point.X, point.Y));
    return {p.x(), p.y()};
}

TPoint ScreenToClient(HWND window, TPoint point) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return point;
    const QPoint p = widget->mapFromGlobal(QPoint(point.X, point.Y));
    return {p.x(), p.y()};
}

void MapWindowPoints(HWND from, HWND to, TPoint* points, int count) {
    for (int i = 0; i < count; ++i) {
        TPoint screen = from ? ClientToScreen(from, points[i]) : points[i];
        points[i] = to ? ScreenToClient(to, screen) : screen;
    }
}

TRect MapWindowRect(HWND from, HWND to, const TRect& rect) {
    TPoint corners[2] = {rect.TopLeft(), rect.BottomRight()};
    MapWindowPoints(from, to, corners, 2);
    return {corners[0], corners[1]};
}

HWND WindowFromPoint(TPoint screenPoint) {
    QWidget* widget = QApplication::widgetAt(screenPoint.X, screenPoint.Y);
    return widget ? WindowOfWidget(widget) : nullptr;
}

static QScrollBar* ScrollBarOf(HWND window, int bar) {
    QWidget* widget = WidgetOf(window);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget))
        return bar == SB_HORZ ? area->horizontalScrollBar() : area->verticalScrollBar();
    return nullptr;
}

int GetScrollPos(HWND window, int bar) {
    if (QScrollBar* sb = ScrollBarOf(window, bar)) return sb->value();
    if (TWindowOwner* owner = FindWindowOwner(window)) return owner->ScrollPosition(bar);
    return 0;
}

void GetScrollRange(HWND window, int bar, int& min, int& max) {
    min = max = 0;
    if (QScrollBar* sb = ScrollBarOf(window, bar)) {
        min = sb->minimum();
        max = sb->maximum();
    } else if (TWindowOwner* owner = FindWindowOwner(window)) {
        owner->ScrollRange(bar, min, max);
    }
}

// ---- 4. frames --------------------------------------------------------------------------------------------

QRect OuterGeometry(HWND window) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return {};
    return widget->isWindow() ? widget->geometry().marginsAdded(window->Frame) : widget->geometry();
}

namespace {
// The frame last reported for windows of each kind (their window flags): a window manager frames windows
// of one kind alike.
std::map<int, QMargins>& FramesByKind() {
    static std::map<int, QMargins> frames;
    return frames;
}

// Puts the window's outer rectangle into `frame` instead of the current one, the client area fitted inside.
void FitIntoFrame(HWND window, const QMargins& frame) {
    // The bounds the owner has: while a window manager takes a window in, the widget may be in passing
    // places (its client area in a frame not placed yet).
    QRect outer = OuterGeometry(window);
    if (const TWindowOwner* owner = window->Owner) {
        const TRect bounds = owner->WindowBounds();
        outer = QRect(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    }
    window->Frame = frame;
    PlaceWindow(window, outer, nullptr, outer.x(), outer.y(), outer.width(), outer.height(),
                SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}
} // namespace

void ExpectWindowFrame(HWND window) {
    QWidget* widget = WidgetOf(window);
    if (!widget || !widget->isWindow() || widget->isVisible() || window->FrameReported) return;
    const auto known = FramesByKind().find(widget->windowFlags().toInt());
    if (known != FramesByKind().end() && known->second != window->Frame) FitIntoFrame(window, known->second);
}

void NoteWindowPlacement(HWND window) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return;
    if (widget->isWindow()) {
        NoteWindowFrame(window);
        // While a window manager takes a window in, it reports passing places (the client area in a frame
        // not placed yet); where the window is once it shows is where it was put.
        const QWindow* native = widget->windowHandle();
        if (!IsWindow(window) || !native || !native->isExposed()) return;
    }
    TWindowOwner* owner = window->Owner;
    if (!owner) return;
    // The window moved on its own (the user dragged its frame): tell its owner.
    const QRect outer = OuterGeometry(window);
    const TRect bounds = owner->WindowBounds();
    if (outer == QRect(bounds.Left, bounds.Top, bounds.Width(), bounds.Height())) return;
    WINDOWPOS pos{window, nullptr, outer.x(), outer.y(), outer.width(), outer.height(), SWP_NOZORDER};
    if (outer.topLeft() == QPoint(bounds.Left, bounds.Top)) pos.flags |= SWP_NOMOVE;
    if (outer.size() == QSize(bounds.Width(), bounds.Height())) pos.flags |= SWP_NOSIZE;
    TMessage changed = TWMWindowPos{&pos}.ToMessage(WM_WINDOWPOSCHANGED);
    DeliverSentMessage(window, changed);
}

void NoteWindowFrame(HWND window) {
    QWidget* widget = WidgetOf(window);
    QWindow* native = widget && widget->isWindow() ? widget->windowHandle() : nullptr;
    if (!native || !native->handle()) return;
    const QMargins frame = native->frameMargins();
    // A window manager that frames a window once it is mapped reports no frame before.
    if (frame.isNull() && !native->isExposed()) return;
    window->FrameReported = true;
    FramesByKind()[widget->windowFlags().toInt()] = frame;
    if (frame != window->Frame) FitIntoFrame(window, frame);
}
