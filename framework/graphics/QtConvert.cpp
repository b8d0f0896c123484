#include "graphics/QtConvert.h"

#include "graphics/Font.h"

#include <QFont>

Qt::CursorShape ToQtCursorShape(TCursor cursor) {
    switch (cursor) {
    case crNone:
        return Qt::BlankCursor;
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crSize:
        return Qt::SizeAllCursor;
    case crSizeNESW:
        return Qt::SizeBDiagCursor;
    case crSizeNS:
        return Qt::SizeVerCursor;
    case crSizeNWSE:
        return Qt::SizeFDiagCursor;
    case crSizeWE:
        return Qt::SizeHorCursor;
    case crUpArrow:
        return Qt::UpArrowCursor;
    case crHourGlass:
        return Qt::WaitCursor;
    case crDrag:
        return Qt::DragMoveCursor;
    case crNoDrop:
        return Qt::ForbiddenCursor;
    case crHSplit:
        return Qt::SplitHCursor;
    case crVSplit:
        return Qt::SplitVCursor;
    case crMultiDrag:
        return Qt::DragCopyCursor;
    case crSQLWait:
        return Qt::WaitCursor;
    case crNo:
        return Qt::ForbiddenCursor;
    case crAppStart:
        return Qt::BusyCursor;
    case crHelp:
        return Qt::WhatsThisCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    default:
        return Qt::ArrowCursor;
    }
}

QFont ToQFont(const TFont& font) {
    QFont q(ToQString(font.Name()));
    // Families this platform lacks (the classic dialog fonts) fall back to the default sans-serif face.
    q.setStyleHint(font.Pitch() == fpFixed ? QFont::TypeWriter : QFont::SansSerif);
    if (font.Pitch() == fpFixed) q.setFixedPitch(true);
    // A negative height is the character height in pixels; a positive one the cell height, which
    // includes the internal leading of roughly a fifth. Zero picks the default font's height.
    const int height = font.Height() != 0 ? font.Height() : TFont::DefaultHeight;
    const int pixels = height < 0 ? -height : height * 4 / 5;
    q.setPixelSize(pixels > 0 ? pixels : 1);
    const TFontStyles style = font.Style();
    q.setBold(style.Contains(fsBold));
    q.setItalic(style.Contains(fsItalic));
    q.setUnderline(style.Contains(fsUnderline));
    q.setStrikeOut(style.Contains(fsStrikeOut));
    return q;
}
