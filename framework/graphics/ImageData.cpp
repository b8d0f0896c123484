#include "graphics/ImageData.h"

#include "core/Streams.h"
#include "graphics/CanvasPrivate.h"
#include "graphics/Graphic.h"
#include "graphics/QtConvert.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

QByteArray ReadRest(TStream& stream) {
    const int64_t count = stream.Size() - stream.Position();
    QByteArray bytes;
    if (count <= 0 || count > MaxPictureFileSize) return bytes;
    bytes.resize(static_cast<qsizetype>(count));
    stream.ReadBuffer(bytes.data(), count);
    return bytes;
}

void WriteBytes(TStream& stream, const QByteArray& bytes) {
    stream.WriteBuffer(bytes.constData(), bytes.size());
}

QImage DecodeImage(const QByteArray& bytes, const char* format) {
    if (bytes.isEmpty()) return {};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(static_cast<int>(MaxPictureBytes / (1024 * 1024)));
    // The size in the file's header is checked before any pixel memory is taken.
    const QSize declared = reader.size();
    if (declared.isValid() && !PictureSizeAllowed(declared.width(), declared.height())) return {};
    QImage image;
    if (!reader.read(&image) || image.isNull()) return {};
    if (!PictureSizeAllowed(image.width(), image.height())) return {};
    return PaintableImage(image);
}

QByteArray EncodeImage(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.write(image);
    return bytes;
}

QImage PaintableImage(const QImage& image) {
    if (image.isNull()) return image;
    const QImage::Format target =
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    return image.format() == target ? image : image.convertToFormat(target);
}

void DrawImage(TCanvas& canvas, const TRect& rect, const QImage& image, std::optional<QRgb> transparentColor,
               QPainter::CompositionMode mode) {
    if (image.isNull() || rect.IsEmpty()) return;
    QImage source = image;
    if (transparentColor) {
        source = image.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = *transparentColor & RGB_MASK;
        for (int y = 0; y < source.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(source.scanLine(y));
            for (int x = 0; x < source.width(); ++x)
                if ((line[x] & RGB_MASK) == key) line[x] = 0;
        }
        mode = QPainter::CompositionMode_SourceOver;
    }
    if (TCanvasPainter p{canvas}) {
        p->setCompositionMode(mode);
        p->setRenderHint(QPainter::SmoothPixmapTransform, false);
        p->drawImage(ToQRect(rect), source);
    }
}

QImage RenderGraphic(TGraphic& graphic) {
    if (graphic.Empty()) return {};
    QImage image(graphic.Width(), graphic.Height(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return {};
    image.fill(Qt::transparent);
    TCanvas canvas;
    TCanvasAccess::AttachDevice(canvas, &image);
    canvas.Draw(0, 0, &graphic);
    TCanvasAccess::Detach(canvas);
    return image;
}
