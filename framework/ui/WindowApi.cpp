// Window data, hierarchy and geometry.
#include "ui/WindowOwner.h"
#include "ui/WindowRecord.h"
#include "ui/Windows.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>

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

// Shows a window; a top-level one without activating it when `activate` is false.
static void ShowWidget(QWidget* widget, bool activate) {
    if (activate || !widget->isWindow()) {
        widget->show();
        return;
    }
    const bool before = widget->testAttribute(Qt::WA_ShowWithoutActivating);
    widget->setAttribute(Qt::WA_ShowWithoutActivating, true);
    widget->show();
    widget->setAttribute(Qt::WA_ShowWithoutActivating, before);
}

bool SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return false;
    WINDOWPOS pos{window, insertAfter, x, y, cx, cy, flags};
    TMessage changing = TWMWindowPos{&pos}.ToMessage(WM_WINDOWPOSCHANGING);
    DeliverSentMessage(window, changing);
    if (!IsWindow(window)) return false;
    const QRect before = widget->isWindow() ? widget->frameGeometry() : widget->geometry();
    QRect target = before;
    if (!(pos.flags & SWP_NOMOVE)) target.moveTo(pos.x, pos.y);
    if (!(pos.flags & SWP_NOSIZE)) target.setSize(QSize(std::max(pos.cx, 0), std::max(pos.cy, 0)));
    if (target.topLeft() == before.topLeft()) pos.flags |= SWP_NOMOVE;
    if (target.size() == before.size()) pos.flags |= SWP_NOSIZE;
    if (widget->isWindow()) {
        const QRect frame = widget->frameGeometry();
        const QRect inner = widget->geometry();
        const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                               frame.right() - inner.right(), frame.bottom() - inner.bottom());
        if (!(pos.flags & SWP_NOMOVE)) widget->move(target.topLeft());
        if (!(pos.flags & SWP_NOSIZE))
            widget->resize(std::max(target.width() - margins.left() - margins.right(), 0),
                           std::max(target.height() - margins.top() - margins.bottom(), 0));
    } else if ((pos.flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
        widget->setGeometry(target);
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
        const QRect f = widget->frameGeometry();
        return TRect::FromBounds(f.x(), f.y(), f.width(), f.height());
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
