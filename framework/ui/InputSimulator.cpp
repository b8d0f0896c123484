#include "ui/InputSimulator.h"

#include "ui/KeyCodes.h"
#include "ui/WinControl.h"
#include "ui/WindowRecord.h"
#include "ui/Windows.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

QWidget* CaptureWidget();

namespace {

QPointer<QWidget> pressedWidget; // the implicit grab while a button is held
Qt::MouseButtons heldButtons;

Qt::KeyboardModifiers ModifiersOf(TShiftState shift) {
    Qt::KeyboardModifiers m;
    if (shift.Contains(ssShift)) m |= Qt::ShiftModifier;
    if (shift.Contains(ssCtrl)) m |= Qt::ControlModifier;
    if (shift.Contains(ssAlt)) m |= Qt::AltModifier;
    return m;
}

Qt::MouseButton ButtonOf(TMouseButton button) {
    switch (button) {
    case mbRight:
        return Qt::RightButton;
    case mbMiddle:
        return Qt::MiddleButton;
    default:
        return Qt::LeftButton;
    }
}

QWidget* TargetAt(QWidget* window, QPoint global) {
    if (QWidget* capture = CaptureWidget()) return capture;
    // A modal window that opened while a button was held (a press that shows a menu, then a dialog)
    // ends the press's hold on the window below it.
    if (QWidget* modal = QApplication::activeModalWidget();
        modal && pressedWidget && pressedWidget->window() != modal) {
        pressedWidget = nullptr;
        heldButtons = {};
    }
    if (pressedWidget && heldButtons) return pressedWidget;
    QWidget* top = window->window();
    QWidget* target = top->childAt(top->mapFromGlobal(global));
    if (!target) target = top;
    // Disabled windows take no input: it goes to the nearest enabled window under them.
    while (target && !target->isEnabled() && target != top)
        target = target->parentWidget();
    return target;
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

void SendMouse(HWND window, QEvent::Type type, TPoint point, Qt::MouseButton button, TShiftState shift) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return;
    const QPoint global = widget->mapToGlobal(QPoint(point.X, point.Y));
    // A press outside an open popup (a menu, a drop-down list) reaches the popup first, which closes; then,
    // as Qt replays it, what is under the point.
    if (QWidget* popup = QApplication::activePopupWidget();
        popup && type == QEvent::MouseButtonPress && !popup->geometry().contains(global)) {
        const QPointer<QWidget> open = popup;
        const QPointF local = popup->mapFromGlobal(QPointF(global));
        QMouseEvent press(type, local, local, QPointF(global), button, heldButtons | button,
                          ModifiersOf(shift));
        QApplication::sendEvent(popup, &press);
        if (open && open->isVisible()) return;
    }
    QWidget* target = TargetAt(widget, global);
    if (!target) return;
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) heldButtons |= button;
    if (type == QEvent::MouseButtonRelease) heldButtons &= ~button;
    const QPointF local = target->mapFromGlobal(QPointF(global));
    QMouseEvent event(type, local, local, QPointF(global), button, heldButtons, ModifiersOf(shift));
    if (type == QEvent::MouseButtonPress) {
        pressedWidget = target;
        GiveFocusOnPress(target);
    }
    QApplication::sendEvent(target, &event);
    if (!heldButtons) pressedWidget = nullptr;
}

HWND WindowOfControl(TControl* control, TPoint& point) {
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) return windowed->Handle();
    point = {point.X + control->Left(), point.Y + control->Top()};
    return control->Parent() ? control->Parent()->Handle() : nullptr;
}

QWidget* KeyTarget(HWND window) {
    // While a popup (a menu, a combo box's list) is open, the keyboard belongs to it, as on the screen.
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup->focusWidget() ? popup->focusWidget() : popup;
    QWidget* given = WidgetOf(window);
    QWidget* focus = QApplication::focusWidget();
    if (focus && !focus->isVisible()) focus = nullptr;
    // A given window has the keyboard: its own focused widget gets the key, not one of another window.
    if (given && (!focus || focus->window() != given->window())) {
        QWidget* own = given->window()->focusWidget();
        return own && own->isVisible() ? own : given;
    }
    return focus ? focus : given;
}

void SendKey(QEvent::Type type, uint16_t vk, TShiftState shift, HWND window, const QString& text) {
    QWidget* target = KeyTarget(window);
    if (!target) return;
    QKeyEvent event(type, QtKeyFromVirtualKey(vk), ModifiersOf(shift), text);
    QApplication::sendEvent(target, &event);
}

QString TextOfKey(uint16_t vk, TShiftState shift) {
    if (shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return {};
    if (vk >= 'A' && vk <= 'Z') return QString(QChar(shift.Contains(ssShift) ? vk : vk - 'A' + 'a'));
    if ((vk >= '0' && vk <= '9') || vk == VK_SPACE) return QString(QChar(vk));
    if (vk == VK_RETURN) return QStringLiteral("\r");
    if (vk == VK_ESCAPE) return QString(QChar(27));
    if (vk == VK_BACK) return QString(QChar(8));
    if (vk == VK_TAB) return QStringLiteral("\t");
    return {};
}

} // namespace

void TInputSimulator::MouseMove(HWND window, TPoint point, TShiftState shift) {
    SendMouse(window, QEvent::MouseMove, point, Qt::NoButton, shift);
}

void TInputSimulator::MouseDown(HWND window, TPoint point, TMouseButton button, TShiftState shift) {
    SendMouse(window, QEvent::MouseButtonPress, point, ButtonOf(button), shift);
}

void TInputSimulator::MouseUp(HWND window, TPoint point, TMouseButton button, TShiftState shift) {
    SendMouse(window, QEvent::MouseButtonRelease, point, ButtonOf(button), shift);
}

void TInputSimulator::Click(HWND window, TPoint point, TMouseButton button, TShiftState shift) {
    MouseDown(window, point, button, shift);
    if (IsWindow(window)) MouseUp(window, point, button, shift);
}

void TInputSimulator::DoubleClick(HWND window, TPoint point, TShiftState shift) {
    Click(window, point, mbLeft, shift);
    if (!IsWindow(window)) return;
    SendMouse(window, QEvent::MouseButtonDblClick, point, Qt::LeftButton, shift);
    if (IsWindow(window)) MouseUp(window, point, mbLeft, shift);
}

void TInputSimulator::Drag(HWND window, TPoint from, TPoint to, TShiftState shift, int steps) {
    MouseDown(window, from, mbLeft, shift);
    steps = std::max(steps, 1);
    for (int i = 1; i <= steps && IsWindow(window); ++i) {
        TPoint p{from.X + (to.X - from.X) * i / steps, from.Y + (to.Y - from.Y) * i / steps};
        TShiftState held = shift;
        held.Include(ssLeft);
        MouseMove(window, p, held);
    }
    if (IsWindow(window)) MouseUp(window, to, mbLeft, shift);
}

void TInputSimulator::Click(TControl* control, TPoint point, TMouseButton button, TShiftState shift) {
    HWND window = WindowOfControl(control, point);
    Click(window, point, button, shift);
}

void TInputSimulator::DoubleClick(TControl* control, TPoint point, TShiftState shift) {
    HWND window = WindowOfControl(control, point);
    DoubleClick(window, point, shift);
}

void TInputSimulator::KeyDown(uint16_t vk, TShiftState shift, HWND window) {
    SendKey(QEvent::KeyPress, vk, shift, window, TextOfKey(vk, shift));
}

void TInputSimulator::KeyUp(uint16_t vk, TShiftState shift, HWND window) {
    SendKey(QEvent::KeyRelease, vk, shift, window, TextOfKey(vk, shift));
}

void TInputSimulator::KeyPress(uint16_t vk, TShiftState shift, HWND window) {
    KeyDown(vk, shift, window);
    KeyUp(vk, shift, window);
}

void TInputSimulator::TypeText(std::string_view text, HWND window) {
    const QString all = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    for (QChar ch : all) {
        QWidget* target = KeyTarget(window);
        if (!target) return;
        const QString s(ch);
        const int key = ch.isLetter() ? Qt::Key_A + (ch.toUpper().unicode() - 'A') : ch.unicode();
        QKeyEvent press(QEvent::KeyPress, ch.isLetter() && ch.unicode() < 128 ? key : ch.unicode(),
                        Qt::NoModifier, s);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, press.key(), Qt::NoModifier, s);
        QApplication::sendEvent(target, &release);
    }
}
