// Private to the framework: the transparent layer on top of a window that the window device context
// (GetDC) draws on. It keeps the figures as an exclusive-or mask and combines them with the window's
// pixels by exclusive-or whenever the window is painted, so a figure drawn twice disappears.
//
// The mask covers only the part of the window that can be seen, the part inside its top-level window
// (which is never larger than the screen allows), so a window of any size costs no more memory than
// what can be shown of it.
#pragma once

#include <QImage>
#include <QWidget>

class TXorOverlay : public QWidget {
public:
    explicit TXorOverlay(QWidget* window);
    // The mask the canvas draws on; its top-left pixel lies at MaskOrigin() in window coordinates.
    QImage& Mask();
    QPoint MaskOrigin() const { return pos(); }
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
    bool FRestackQueued = false; // one StayOnTop for all the children added before the event loop runs
};
