#include "ui/QtApplication.h"

#include "ui/WindowRecord.h"
#include "ui/Windows.h"

#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <optional>

namespace {
bool IsInputEvent(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return true;
    default:
        return false;
    }
}

QtMessageHandler previousHandler = nullptr;

// The offscreen platform cannot raise windows or grab the mouse; the framework does not rely on either,
// so those notices are noise.
void FilterPlatformNotices(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) return;
    if (previousHandler) previousHandler(type, context, message);
}

// ---- key presses and shortcuts ----------------------------------------------------------------------------

//
// Qt offers a key press to its shortcuts (mnemonics such as "&Go" among them) before it delivers the key:
// first as a shortcut override to the focus widget, and unless that is accepted a matching shortcut fires
// and the key press never comes. The posted key-down message is therefore built when the key is first
// seen, the override or the key press itself, and the hooks' verdict covers both: a key the hooks consume
// fires no shortcut and is not delivered, and no key runs through the hooks twice.
struct TKeyVerdict {
    QPointer<QObject> Receiver;
    int Key = 0;
    Qt::KeyboardModifiers Modifiers;
    quint64 Timestamp = 0;
    bool Passed = true;

    bool Matches(QObject* receiver, const QKeyEvent& event) const {
        return Receiver && Receiver == receiver && Key == event.key() && Modifiers == event.modifiers() &&
               Timestamp == event.timestamp();
    }
};
std::optional<TKeyVerdict> keyVerdict;

bool KeyPassesHooks(QWidget* receiver, QKeyEvent* event) {
    if (keyVerdict && keyVerdict->Matches(receiver, *event)) return keyVerdict->Passed;
    // The override stands for the key press in the message built from it.
    QKeyEvent press(QEvent::KeyPress, event->key(), event->modifiers(), event->text(), event->isAutoRepeat(),
                    static_cast<quint16>(event->count()));
    TrackInputState(&press);
    // A hook may free the receiver (Delete on a designed control that has the focus).
    QPointer<QObject> alive(receiver);
    const bool passed = PassInputThroughHooks(receiver, &press);
    keyVerdict = TKeyVerdict{alive, event->key(), event->modifiers(), event->timestamp(), passed};
    return passed;
}

// ---- mouse capture ----------------------------------------------------------------------------------------

//
// A popup (a menu, a combo box's list) takes the mouse while it is open and keeps the button-up of the
// press that opened it: a capture taken by that press would otherwise never be released, and the next
// click anywhere would go to the captured window.
void CancelCaptureForPopup(QWidget* popup) {
    QWidget* captured = CaptureWidget();
    if (captured && captured != popup && !popup->isAncestorOf(captured)) CancelCaptureMode();
}

// A window that a modal window blocks, or that is hidden, cannot keep the mouse either.
void CancelCaptureOfWindow(QWidget* window) {
    QWidget* captured = CaptureWidget();
    if (captured && captured->window() == window) CancelCaptureMode();
}

// ---- frames -----------------------------------------------------------------------------------------------

//
// By the time a window is exposed the window manager has framed and placed it (on X11 only then).
void NoteExposedFrame(QWindow* native) {
    if (!native->handle() || !native->isTopLevel()) return;
    QWidget* widget = QWidget::find(native->winId());
    if (HWND window = widget ? RecordOfWidget(widget) : nullptr) NoteWindowPlacement(window);
}

} // namespace

TQtApplication::TQtApplication(int& argc, char** argv) : QApplication(argc, argv) {
    previousHandler = qInstallMessageHandler(&FilterPlatformNotices);
    connect(this, &QGuiApplication::applicationStateChanged, this, [](Qt::ApplicationState state) {
        // Losing the activation ends whatever the mouse capture was for.
        if (state != Qt::ApplicationActive) CancelCaptureMode();
    });
}

bool TQtApplication::notify(QObject* receiver, QEvent* event) {
    try {
        // The key fired a shortcut (of a widget, an action or a shortcut object) instead of being delivered.
        if (event->type() == QEvent::Shortcut) keyVerdict.reset();
        // Before the window paints what the expose asks for, in the client area it will keep.
        if (receiver->isWindowType() && event->type() == QEvent::Expose)
            NoteExposedFrame(static_cast<QWindow*>(receiver));
        if (!receiver->isWidgetType()) return QApplication::notify(receiver, event);
        auto* widget = static_cast<QWidget*>(receiver);
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            if (!KeyPassesHooks(widget, static_cast<QKeyEvent*>(event))) {
                // Accepted, the override keeps Qt from firing a shortcut; the key press that follows is
                // consumed by the same verdict.
                event->accept();
                return true;
            }
            return QApplication::notify(receiver, event);
        case QEvent::KeyPress: {
            QPointer<QWidget> alive(widget);
            const bool passed = KeyPassesHooks(widget, static_cast<QKeyEvent*>(event));
            // Delivering the key may send its override again (Qt does for keys it did not see first).
            const bool result = passed && alive && QApplication::notify(receiver, event);
            keyVerdict.reset();
            return passed ? result : true;
        }
        case QEvent::Show:
            if (widget->isWindow() && widget->windowType() == Qt::Popup) CancelCaptureForPopup(widget);
            return QApplication::notify(receiver, event);
        case QEvent::Hide:
        case QEvent::WindowBlocked:
            if (widget->isWindow()) CancelCaptureOfWindow(widget);
            return QApplication::notify(receiver, event);
        default:
            break;
        }
        if (IsInputEvent(event->type())) {
            TrackInputState(event, widget);
            QPointer<QWidget> alive(widget);
            if (!PassInputThroughHooks(widget, event) || !alive) return true; // consumed
            if (event == SimulatedPress()) GiveFocusOnPress(widget);
        }
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ReportWindowException(e);
        return true;
    }
}
