// Raster pictures inside the graphic classes: the decoded image, the file bytes it came from, and the
// decoding, encoding and drawing they share. Private to framework/.
#pragma once

#include "graphics/Colors.h"
#include "graphics/Types.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>

#include <optional>

class TCanvas;
class TGraphic;
class TStream;

// The largest picture the graphics load: at most MaxPictureSide pixels each way, decoded into at most
// MaxPictureBytes, from a file of at most MaxPictureFileSize bytes (the largest uncompressed bitmap of
// that size with its headers). Larger ones count as not valid, so that a damaged or hostile file cannot
// claim more memory than such a picture needs. Beyond that, every decoded picture and conversion is
// charged to the memory budget of the load or paste it belongs to (core/MemoryBudget.h), which a picture
// of the largest size alone exceeds.
inline constexpr int MaxPictureSide = 16384;
inline constexpr int64_t MaxPictureBytes = int64_t(MaxPictureSide) * MaxPictureSide * 4;
inline constexpr int64_t MaxPictureFileSize = MaxPictureBytes + 65536;

// Whether a picture of this size may be loaded.
inline bool PictureSizeAllowed(int width, int height) {
    return width <= MaxPictureSide && height <= MaxPictureSide;
}

struct TImageData {
    QImage Image;
    // The file as it was loaded, written back unchanged while the image is unchanged (saving a JPEG again
    // would lose quality, and an icon file may hold several sizes). Empty once the image changes.
    QByteArray Bytes;
};

// The bytes from the stream's position to its end; none (and nothing read) when they are more than
// MaxPictureFileSize.
QByteArray ReadRest(TStream& stream);
void WriteBytes(TStream& stream, const QByteArray& bytes);

// Decodes `bytes` as exactly this format ("BMP", "ICO", "PNG", "JPEG") into an image a painter can draw on;
// a null image when they are not one, or one larger than the limits above. Fails with the memory budget's
// EOutOfResources when the picture does not fit in what the load has left.
QImage DecodeImage(const QByteArray& bytes, const char* format);
QByteArray EncodeImage(const QImage& image, const char* format);
// RGB32, or premultiplied ARGB32 when the image has an alpha channel: the formats painting is exact on.
QImage PaintableImage(const QImage& image);
// PaintableImage of an image from outside (the clipboard's): the image and its conversion are charged
// to the memory budget, and one larger than the limits above fails with EInvalidGraphic.
QImage BudgetedPaintableImage(const QImage& image);

// Draws `image` scaled into `rect` without smoothing. Pixels of `transparentColor` are left out; other
// pixels are combined with the destination by `mode` (alpha blending for CompositionMode_SourceOver).
void DrawImage(TCanvas& canvas, const TRect& rect, const QImage& image, std::optional<QRgb> transparentColor,
               QPainter::CompositionMode mode);

// The graphic as an image of its size, transparent where it does not draw; charged to the memory budget.
QImage RenderGraphic(TGraphic& graphic);
