// Capture, cursor clipping, the current cursor, key state and system metrics.
#include "graphics/Colors.h"
#include "graphics/QtConvert.h"
#include "ui/KeyCodes.h"
#include "ui/WindowRecord.h"
#include "ui/Windows.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>

#include <optional>
#include <set>

namespace {
QPointer<QWidget> captureWidget;
HWND captureWindow = nullptr;
std::optional<QRect> cursorClip;
QPoint lastCursorPos;
// The widget the last mouse event went to: the one the pointer is in, or the one holding the capture.
QPointer<QWidget> pointerWidget;
std::set<int> keysDown; // virtual-key codes
Qt::MouseButtons buttonsDown;
Qt::KeyboardModifiers modifiersDown;
} // namespace

HWND SetCapture(HWND window) {
    HWND previous = GetCapture();
    QWidget* widget = WidgetOf(window);
    if (previous && previous != window) {
        // The window losing the capture is told to abandon what it was doing.
        SendMessage(previous, WM_CANCELMODE, 0, 0);
        if (QWidget* old = WidgetOf(previous)) old->releaseMouse();
    }
    captureWindow = widget ? window : nullptr;
    captureWidget = widget;
    if (widget) widget->grabMouse();
    return previous;
}

bool ReleaseCapture() {
    HWND previous = GetCapture();
    captureWindow = nullptr;
    captureWidget = nullptr;
    if (QWidget* old = WidgetOf(previous)) old->releaseMouse();
    if (previous) SendMessage(previous, WM_CAPTURECHANGED, 0, 0);
    return true;
}

HWND GetCapture() {
    if (!captureWidget || !IsWindow(captureWindow)) {
        captureWindow = nullptr;
        return nullptr;
    }
    return captureWindow;
}

void CancelCaptureMode() {
    if (HWND window = GetCapture()) {
        SendMessage(window, WM_CANCELMODE, 0, 0);
        if (GetCapture() == window) ReleaseCapture();
    }
}

// A press focuses the nearest widget that takes the focus by clicking, as the windowing system's delivery
// does, unless the focus is already inside it.
void GiveFocusOnPress(QWidget* target) {
    // A window that never takes the focus leaves it where it is.
    if (target->window()->windowFlags() & Qt::WindowDoesNotAcceptFocus) return;
    for (QWidget* w = target; w; w = w->parentWidget()) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus)) {
            if (!w->hasFocus()) w->setFocus(Qt::MouseFocusReason);
            return;
        }
        if (w->isWindow() || w->hasFocus()) return;
    }
}

namespace {
const QEvent* simulatedPress = nullptr;
}

void SetSimulatedPress(const QEvent* event) {
    simulatedPress = event;
}

const QEvent* SimulatedPress() {
    return simulatedPress;
}

QWidget* CaptureWidget() {
    return GetCapture() ? captureWidget.data() : nullptr;
}

void ClipCursor(const TRect* rect) {
    if (rect)
        cursorClip = QRect(rect->Left, rect->Top, rect->Width(), rect->Height());
    else
        cursorClip.reset();
}

bool GetClipCursor(TRect& rect) {
    if (!cursorClip) return false;
    rect = TRect::FromBounds(cursorClip->x(), cursorClip->y(), cursorClip->width(), cursorClip->height());
    return true;
}

QPoint ClipScreenPoint(QPoint global) {
    if (!cursorClip || cursorClip->isEmpty()) return global;
    return {std::clamp(global.x(), cursorClip->left(), cursorClip->right()),
            std::clamp(global.y(), cursorClip->top(), cursorClip->bottom())};
}

bool GetCaretPos(TPoint& point) {
    QWidget* focus = QApplication::focusWidget();
    HWND window = WindowOfWidget(focus);
    QWidget* client = WidgetOf(window);
    if (!focus || !client || !focus->testAttribute(Qt::WA_InputMethodEnabled)) return false;
    const QRect caret = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QPoint p = focus->mapTo(client->window(), caret.topLeft()) -
                     (client->isWindow() ? QPoint() : client->mapTo(client->window(), QPoint()));
    point = {p.x(), p.y()};
    return true;
}

TPoint GetCursorPos() {
    const QPoint p = ClipScreenPoint(lastCursorPos);
    return {p.x(), p.y()};
}

void TrackInputState(QEvent* event, QWidget* receiver) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(event);
        lastCursorPos = me->globalPosition().toPoint();
        if (receiver) pointerWidget = receiver;
        buttonsDown = me->buttons();
        modifiersDown = me->modifiers();
        break;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* ke = static_cast<QKeyEvent*>(event);
        const uint16_t vk = VirtualKeyFromQt(ke->key());
        if (event->type() == QEvent::KeyPress)
            keysDown.insert(vk);
        else
            keysDown.erase(vk);
        modifiersDown = ke->modifiers();
        break;
    }
    default:
        break;
    }
}

int16_t GetKeyState(int vk) {
    bool down = false;
    switch (vk) {
    case VK_LBUTTON:
        down = buttonsDown & Qt::LeftButton;
        break;
    case VK_RBUTTON:
        down = buttonsDown & Qt::RightButton;
        break;
    case VK_MBUTTON:
        down = buttonsDown & Qt::MiddleButton;
        break;
    case VK_SHIFT:
        down = modifiersDown & Qt::ShiftModifier;
        break;
    case VK_CONTROL:
        down = modifiersDown & Qt::ControlModifier;
        break;
    case VK_MENU:
        down = modifiersDown & Qt::AltModifier;
        break;
    default:
        down = keysDown.count(vk) > 0;
        break;
    }
    return down ? static_cast<int16_t>(0x8000) : 0;
}

int GetCursor() {
    // The window that got the mouse shows its cursor. Looking up the point instead could find another
    // top-level window over it, which never saw the event.
    QWidget* widget = pointerWidget && pointerWidget->isVisible() &&
                              pointerWidget->rect().contains(pointerWidget->mapFromGlobal(lastCursorPos))
                          ? pointerWidget.data()
                          : QApplication::widgetAt(lastCursorPos);
    if (!widget) widget = CaptureWidget();
    HWND window = widget ? WindowOfWidget(widget) : nullptr;
    return window ? window->Cursor : 0;
}

int SetCursor(int cursor) {
    QWidget* widget = CaptureWidget();
    if (!widget) widget = QApplication::widgetAt(lastCursorPos);
    HWND window = widget ? WindowOfWidget(widget) : nullptr;
    if (!window) return 0;
    const int previous = window->Cursor;
    window->Cursor = cursor;
    if (QWidget* w = WidgetOf(window)) w->setCursor(ToQtCursorShape(static_cast<TCursor>(cursor)));
    return previous;
}

int GetSystemMetrics(int index) {
    QStyle* style = QApplication::style();
    switch (index) {
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen) return 0;
        return index == SM_CXSCREEN ? screen->geometry().width() : screen->geometry().height();
    }
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return style ? style->pixelMetric(QStyle::PM_ScrollBarExtent) : 16;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    case SM_CXDRAG:
    case SM_CYDRAG:
        return QApplication::startDragDistance();
    default:
        return 0;
    }
}
