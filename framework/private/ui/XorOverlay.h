// Private to the framework: the transparent layer on top of a window that the window device context
// (GetDC) draws on. It keeps the figures as an exclusive-or mask and combines them with the window's
// pixels by exclusive-or whenever the window is painted, so a figure drawn twice disappears.
#pragma once

#include <QImage>
#include <QWidget>

class TXorOverlay : public QWidget {
public:
    explicit TXorOverlay(QWidget* window);
    // The mask the canvas draws on, sized to the window.
    QImage& Mask();
    void Clear();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Beyond this many widgets above the overlay, raising it costs less than moving them under it.
    static constexpr size_t MaxRestackedSiblings = 16;
    void FollowWindow();
    void StayOnTop();
    QImage FMask;
};
