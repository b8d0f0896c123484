#include "ui/XorOverlay.h"

#include <QChildEvent>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>

#include <vector>

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
    const QWidget* topLevel = window->window();
    QRect visible = window->rect() & QRect(window->mapFrom(topLevel, QPoint(0, 0)), topLevel->size());
    if (visible.isEmpty()) visible = QRect(0, 0, 1, 1);
    if (visible != geometry()) {
        // The figures already drawn stay where they are in the window.
        QImage moved(visible.size(), QImage::Format_RGB32);
        moved.fill(0);
        QPainter copy(&moved);
        copy.drawImage(geometry().topLeft() - visible.topLeft(), FMask);
        copy.end();
        FMask = moved;
        setGeometry(visible);
    }
    StayOnTop();
}

void TXorOverlay::StayOnTop() {
    // The few widgets that came above (grab handles) go under the overlay, so that only their area is
    // repainted; raising the overlay itself would repaint the whole window it covers.
    const QObjectList& siblings = parentWidget()->children();
    std::vector<QPointer<QWidget>> above;
    for (qsizetype i = siblings.indexOf(this) + 1; i < siblings.size(); ++i)
        if (auto* widget = qobject_cast<QWidget*>(siblings[i]); widget && !widget->isWindow())
            above.emplace_back(widget);
    if (above.size() > MaxRestackedSiblings) {
        raise();
        return;
    }
    for (const QPointer<QWidget>& widget : above)
        if (widget) widget->stackUnder(this);
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
        case QEvent::Move:
            FollowWindow();
            break;
        case QEvent::ChildAdded:
            // New child windows must stay below the overlay. What came above it goes under it, keeping
            // its order among the siblings (the stacking of the controls follows their z-order), rather
            // than the overlay above everything: raising the overlay, which covers the window, would
            // repaint all of the window.
            if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child());
                child && child != this && !FRestackQueued) {
                FRestackQueued = true;
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        FRestackQueued = false;
                        StayOnTop();
                    },
                    Qt::QueuedConnection);
            }
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
