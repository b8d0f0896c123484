#include "ui/XorOverlay.h"

#include <QChildEvent>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

TXorOverlay::TXorOverlay(QWidget* window) : QWidget(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    window->installEventFilter(this);
    FollowWindow();
    show();
}

QImage& TXorOverlay::Mask() {
    FollowWindow();
    return FMask;
}

void TXorOverlay::Clear() {
    FMask.fill(0);
    update();
}

void TXorOverlay::FollowWindow() {
    QWidget* window = parentWidget();
    if (!window) return;
    if (geometry() != window->rect()) setGeometry(window->rect());
    if (FMask.size() != window->size()) {
        QImage grown(window->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        grown.fill(0);
        QPainter copy(&grown);
        copy.drawImage(0, 0, FMask);
        copy.end();
        FMask = grown;
    }
    raise();
}

void TXorOverlay::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.drawImage(0, 0, FMask);
}

bool TXorOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget()) {
        switch (event->type()) {
        case QEvent::Resize:
            FollowWindow();
            break;
        case QEvent::ChildAdded:
            // New child windows must stay below the overlay.
            if (static_cast<QChildEvent*>(event)->child() != this)
                QMetaObject::invokeMethod(
                    this, [this] { raise(); }, Qt::QueuedConnection);
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
