#include "graphics/ImageData.h"

#include "core/Exceptions.h"
#include "core/MemoryBudget.h"
#include "core/Streams.h"
#include "graphics/CanvasInk.h"
#include "graphics/CanvasPrivate.h"
#include "graphics/Graphic.h"
#include "graphics/QtConvert.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>

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

namespace {

int64_t PaintableBytes(int width, int height) {
    return int64_t(width) * height * 4;
}

bool IsPaintableFormat(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

QImage DecodeImage(const QByteArray& bytes, const char* format) {
    if (bytes.isEmpty()) return {};
    const TMemoryBudgetScope budget;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    // The decoder may take what the budget has left (in megabytes, as Qt counts).
    reader.setAllocationLimit(static_cast<int>(std::max<int64_t>(MemoryBudgetLeft() >> 20, 1)));
    // The size in the file's header is checked, and the painted image charged, before any pixel memory
    // is taken.
    const QSize declared = reader.size();
    if (declared.isValid()) {
        if (!PictureSizeAllowed(declared.width(), declared.height())) return {};
        ChargeMemory(PaintableBytes(declared.width(), declared.height()));
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) return {};
    if (!PictureSizeAllowed(image.width(), image.height())) return {};
    if (!declared.isValid() || declared != image.size())
        ChargeMemory(PaintableBytes(image.width(), image.height()));
    // The decoded image is there beside the converted one until the conversion ends.
    if (!IsPaintableFormat(image.format())) ChargeMemory(image.sizeInBytes());
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

QImage BudgetedPaintableImage(const QImage& image) {
    if (image.isNull()) return image;
    if (!PictureSizeAllowed(image.width(), image.height()))
        throw EInvalidGraphic("Bitmap image is not valid");
    const TMemoryBudgetScope budget;
    ChargeMemory(image.sizeInBytes());
    if (!IsPaintableFormat(image.format())) ChargeMemory(PaintableBytes(image.width(), image.height()));
    return PaintableImage(image);
}

void DrawImage(TCanvas& canvas, const TRect& rect, const QImage& image, std::optional<QRgb> transparentColor,
               QPainter::CompositionMode mode) {
    if (image.isNull() || rect.IsEmpty()) return;
    TCanvasPainter p{canvas};
    if (!p) return;
    p->setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (!transparentColor) {
        p->setCompositionMode(mode);
        p->drawImage(ToQRect(rect), image);
        return;
    }
    // The transparent pixels are left out of a copy; unscaled, only of the part the painter can reach.
    QRect target = ToQRect(rect);
    QRect part = image.rect();
    if (target.size() == image.size()) {
        target &= PainterReach(*p);
        if (target.isEmpty()) return;
        part = target.translated(-ToQRect(rect).topLeft());
    }
    QImage source = image.copy(part).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = *transparentColor & RGB_MASK;
    for (int y = 0; y < source.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(source.scanLine(y));
        for (int x = 0; x < source.width(); ++x)
            if ((line[x] & RGB_MASK) == key) line[x] = 0;
    }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->drawImage(target, source);
}

QImage RenderGraphic(TGraphic& graphic) {
    if (graphic.Empty()) return {};
    ChargeMemory(PaintableBytes(graphic.Width(), graphic.Height()));
    QImage image(graphic.Width(), graphic.Height(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return {};
    image.fill(Qt::transparent);
    TCanvas canvas;
    TCanvasAccess::AttachDevice(canvas, &image);
    canvas.Draw(0, 0, &graphic);
    TCanvasAccess::Detach(canvas);
    return image;
}
