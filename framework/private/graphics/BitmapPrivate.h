// A bitmap's pixels for framework/ code (clipboard, canvas copies). Private to framework/.
#pragma once

#include "graphics/Bitmap.h"

#include <QImage>

struct TBitmapAccess {
    // The pixels, with any drawing on the bitmap's canvas finished.
    static const QImage& Image(const TBitmap& bitmap);
    // Replaces the pixels (converted to a paintable format) and notifies.
    static void SetImage(TBitmap& bitmap, const QImage& image);
};

inline const QImage& BitmapImage(const TBitmap& bitmap) {
    return TBitmapAccess::Image(bitmap);
}
