#include "graphics/JpegImage.h"

#include "graphics/CanvasPrivate.h"
#include "graphics/ImageData.h"

FW_PUBLISH(TJPEGImage) {
}

TJPEGImage::TJPEGImage() : FData(std::make_unique<TImageData>()) {
}

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::Assign(const TPersistent* source) {
    if (!source) {
        *FData = TImageData();
        Changed();
        return;
    }
    if (auto* same = dynamic_cast<const TJPEGImage*>(source)) {
        if (same == this) return;
        *FData = *same->FData;
        Changed();
        return;
    }
    if (auto* graphic = dynamic_cast<const TGraphic*>(source)) {
        // JPEG has no transparency: what the graphic leaves transparent becomes white.
        QImage image = RenderGraphic(const_cast<TGraphic&>(*graphic));
        if (!image.isNull()) {
            QImage flat(image.size(), QImage::Format_RGB32);
            flat.fill(Qt::white);
            QPainter(&flat).drawImage(0, 0, image);
            image = flat;
        }
        FData->Image = image;
        FData->Bytes = image.isNull() ? QByteArray() : EncodeImage(image, "JPEG");
        Changed();
        return;
    }
    inherited::Assign(source);
}

bool TJPEGImage::Empty() const {
    return FData->Image.isNull();
}

int TJPEGImage::Width() const {
    return FData->Image.width();
}

int TJPEGImage::Height() const {
    return FData->Image.height();
}

void TJPEGImage::SetWidth(int) {
    throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}

void TJPEGImage::SetHeight(int) {
    throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}

void TJPEGImage::LoadFromStream(TStream& stream) {
    const QByteArray bytes = ReadRest(stream);
    const QImage image = DecodeImage(bytes, "JPEG");
    if (image.isNull()) throw EInvalidGraphic("JPEG image is not valid");
    FData->Image = image;
    FData->Bytes = bytes;
    Changed();
}

void TJPEGImage::SaveToStream(TStream& stream) {
    WriteBytes(stream, FData->Bytes);
}

void TJPEGImage::Draw(TCanvas& canvas, const TRect& rect) {
    DrawImage(canvas, rect, FData->Image, std::nullopt, CopyModeComposition(canvas.CopyMode()));
}
