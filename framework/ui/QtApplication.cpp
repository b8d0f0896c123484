#include "ui/QtApplication.h"

#include "ui/Application.h"
#include "ui/WindowRecord.h"
#include "ui/Windows.h"

#include <QWidget>

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
} // namespace

namespace {
QtMessageHandler previousHandler = nullptr;

// The offscreen platform cannot raise windows or grab the mouse; the framework does not rely on either,
// so those notices are noise.
void FilterPlatformNotices(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) return;
    if (previousHandler) previousHandler(type, context, message);
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
        if (receiver->isWidgetType() && IsInputEvent(event->type())) {
            TrackInputState(event);
            if (!PassInputThroughHooks(static_cast<QWidget*>(receiver), event)) return true; // consumed
        }
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        Application->ShowException(e);
        return true;
    }
}
