#include "ui/InputSimulator.h"

#include "ui/KeyCodes.h"
#include "ui/WinControl.h"
#include "ui/WindowRecord.h"
#include "ui/Windows.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>

// Qt's own entry for key presses that did not come from the windowing system: offers the key to the
// shortcuts and reports whether one took it.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text = QString(), bool autorep = false,
                                               ushort count = 1);

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

// The innermost widget of an open popup at the point, or the popup itself when the point is outside it.
QWidget* PopupTargetAt(QWidget* popup, QPoint global) {
    QWidget* inside = popup->childAt(popup->mapFromGlobal(global));
    return inside ? inside : popup;
}

QWidget* TargetAt(QWidget* window, QPoint global) {
    // An open popup (a menu, a drop-down list) takes every mouse event, as its grab does on the screen.
    if (QWidget* popup = QApplication::activePopupWidget()) return PopupTargetAt(popup, global);
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

void SendMouse(HWND window, QEvent::Type type, TPoint point, Qt::MouseButton button, TShiftState shift) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return;
    const QPoint global = widget->mapToGlobal(QPoint(point.X, point.Y));
    if (QPointer<QWidget> popup = QApplication::activePopupWidget();
        popup && type == QEvent::MouseButtonPress && !popup->geometry().contains(global)) {
        // A press outside an open popup closes it; unless the popup asks otherwise, the windowing system
        // then gives the press to the window under the pointer as well.
        const QPointF local = popup->mapFromGlobal(QPointF(global));
        QMouseEvent closing(type, local, local, QPointF(global), button, heldButtons | button,
                            ModifiersOf(shift));
        QApplication::sendEvent(popup, &closing);
        if (!popup || popup->testAttribute(Qt::WA_NoMouseReplay) || popup->isVisible()) return;
    }
    QWidget* target = TargetAt(widget, global);
    if (!target) return;
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) heldButtons |= button;
    if (type == QEvent::MouseButtonRelease) heldButtons &= ~button;
    const QPointF local = target->mapFromGlobal(QPointF(global));
    QMouseEvent event(type, local, local, QPointF(global), button, heldButtons, ModifiersOf(shift));
    if (type == QEvent::MouseButtonPress) {
        pressedWidget = target;
        // Focused as by the windowing system's delivery, once the hooks let the press through.
        SetSimulatedPress(&event);
    }
    QApplication::sendEvent(target, &event);
    SetSimulatedPress(nullptr);
    if (!heldButtons) pressedWidget = nullptr;
}

void SendWheel(HWND window, TPoint point, int delta, TShiftState shift) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return;
    const QPoint global = widget->mapToGlobal(QPoint(point.X, point.Y));
    QWidget* target = TargetAt(widget, global);
    if (!target) return;
    const QPointF local = target->mapFromGlobal(QPointF(global));
    QWheelEvent event(local, QPointF(global), QPoint(), QPoint(0, delta), heldButtons, ModifiersOf(shift),
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
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

// As the windowing system delivers a key press: Qt's shortcuts see it first, and a shortcut that fires
// takes the key, which then never arrives as a key press.
void SendKeyEvent(QWidget* target, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
                  const QString& text) {
    QPointer<QWidget> alive(target);
    if (type == QEvent::KeyPress && qt_sendShortcutOverrideEvent(target, 0, key, modifiers, text)) return;
    if (!alive) return;
    QKeyEvent event(type, key, modifiers, text);
    QApplication::sendEvent(target, &event);
}

void SendKey(QEvent::Type type, uint16_t vk, TShiftState shift, HWND window, const QString& text) {
    if (QWidget* target = KeyTarget(window))
        SendKeyEvent(target, type, QtKeyFromVirtualKey(vk), ModifiersOf(shift), text);
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

void TInputSimulator::Wheel(HWND window, TPoint point, int delta, TShiftState shift) {
    SendWheel(window, point, delta, shift);
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
        const int letter = Qt::Key_A + (ch.toUpper().unicode() - 'A');
        const int key = ch.isLetter() && ch.unicode() < 128 ? letter : ch.unicode();
        SendKeyEvent(target, QEvent::KeyPress, key, Qt::NoModifier, s);
        SendKeyEvent(target, QEvent::KeyRelease, key, Qt::NoModifier, s);
    }
}
