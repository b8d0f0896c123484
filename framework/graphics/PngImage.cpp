#include "graphics/PngImage.h"

#include "graphics/ImageData.h"

FW_PUBLISH(TPngImage) {
}

TPngImage::TPngImage() : FData(std::make_unique<TImageData>()) {
}

TPngImage::~TPngImage() = default;

void TPngImage::Assign(const TPersistent* source) {
    if (!source) {
        *FData = TImageData();
        Changed();
        return;
    }
    if (auto* same = dynamic_cast<const TPngImage*>(source)) {
        if (same == this) return;
        *FData = *same->FData;
        Changed();
        return;
    }
    if (auto* graphic = dynamic_cast<const TGraphic*>(source)) {
        const QImage image = RenderGraphic(const_cast<TGraphic&>(*graphic));
        FData->Image = image;
        FData->Bytes = image.isNull() ? QByteArray() : EncodeImage(image, "PNG");
        Changed();
        return;
    }
    inherited::Assign(source);
}

bool TPngImage::Empty() const {
    return FData->Image.isNull();
}

int TPngImage::Width() const {
    return FData->Image.width();
}

int TPngImage::Height() const {
    return FData->Image.height();
}

void TPngImage::SetWidth(int) {
    throw EInvalidGraphicOperation("Cannot change the size of a PNG image");
}

void TPngImage::SetHeight(int) {
    throw EInvalidGraphicOperation("Cannot change the size of a PNG image");
}

void TPngImage::LoadFromStream(TStream& stream) {
    const QByteArray bytes = ReadRest(stream);
    const QImage image = DecodeImage(bytes, "PNG");
    if (image.isNull()) throw EInvalidGraphic("PNG image is not valid");
    FData->Image = image;
    FData->Bytes = bytes;
    Changed();
}

void TPngImage::SaveToStream(TStream& stream) {
    WriteBytes(stream, FData->Bytes);
}

void TPngImage::Draw(TCanvas& canvas, const TRect& rect) {
    DrawImage(canvas, rect, FData->Image, std::nullopt, QPainter::CompositionMode_SourceOver);
}
