#include "graphics/Icon.h"

#include "graphics/ImageData.h"

FW_PUBLISH(TIcon) {
}

TIcon::TIcon() : FData(std::make_unique<TImageData>()) {
    FTransparent = true;
}

TIcon::~TIcon() = default;

void TIcon::Assign(const TPersistent* source) {
    if (!source) {
        *FData = TImageData();
        Changed();
        return;
    }
    if (auto* icon = dynamic_cast<const TIcon*>(source)) {
        if (icon == this) return;
        *FData = *icon->FData;
        Changed();
        return;
    }
    if (auto* graphic = dynamic_cast<const TGraphic*>(source)) {
        const QImage image = RenderGraphic(const_cast<TGraphic&>(*graphic));
        FData->Image = image;
        FData->Bytes = image.isNull() ? QByteArray() : EncodeImage(image, "ICO");
        Changed();
        return;
    }
    inherited::Assign(source);
}

bool TIcon::Empty() const {
    return FData->Image.isNull();
}

int TIcon::Width() const {
    return FData->Image.width();
}

int TIcon::Height() const {
    return FData->Image.height();
}

void TIcon::SetWidth(int) {
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::SetHeight(int) {
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::LoadFromStream(TStream& stream) {
    const QByteArray bytes = ReadRest(stream);
    const QImage image = DecodeImage(bytes, "ICO");
    if (image.isNull()) throw EInvalidGraphic("Icon image is not valid");
    FData->Image = image;
    FData->Bytes = bytes;
    Changed();
}

void TIcon::SaveToStream(TStream& stream) {
    WriteBytes(stream, FData->Bytes);
}

void TIcon::Draw(TCanvas& canvas, const TRect& rect) {
    DrawImage(canvas, rect, FData->Image, std::nullopt, QPainter::CompositionMode_SourceOver);
}
