// Conversions between the framework's graphics values and Qt's. Private to framework/: public headers
// never include this file.
#pragma once

#include "graphics/Colors.h"
#include "graphics/Types.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <Qt>

#include <string>
#include <string_view>

class TFont;
class QFont;

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string FromQString(const QString& text) {
    return text.toStdString();
}

inline QPoint ToQPoint(const TPoint& p) {
    return {p.X, p.Y};
}
inline TPoint FromQPoint(const QPoint& p) {
    return {p.x(), p.y()};
}
// TRect is right/bottom exclusive, QRect inclusive: the same pixels either way.
inline QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}
inline TRect FromQRect(const QRect& r) {
    return TRect::FromBounds(r.x(), r.y(), r.width(), r.height());
}
inline QSize ToQSize(const TSize& s) {
    return {s.cx, s.cy};
}

// A colour as Qt shows it: system colours through the palette, clNone fully transparent. The high byte
// of any other value is ignored.
inline QColor ToQColor(TColor color) {
    if (color == clNone) return QColor(0, 0, 0, 0);
    const int32_t rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}
inline QRgb ToQRgb(TColor color) {
    const int32_t rgb = ColorToRGB(color);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}
inline TColor FromQRgb(QRgb rgb) {
    return RGB(static_cast<uint8_t>(qRed(rgb)), static_cast<uint8_t>(qGreen(rgb)),
               static_cast<uint8_t>(qBlue(rgb)));
}
inline TColor FromQColor(const QColor& color) {
    return FromQRgb(color.rgb());
}

// The Qt cursor shape shown for a framework cursor; crDefault is the arrow, unknown values too.
Qt::CursorShape ToQtCursorShape(TCursor cursor);

// The Qt font that draws like `font`.
QFont ToQFont(const TFont& font);
