#include "graphics/Bitmap.h"

#include "core/Streams.h"
#include "core/SysUtils.h"
#include "graphics/BitmapPrivate.h"
#include "graphics/CanvasPrivate.h"
#include "graphics/ImageData.h"
#include "graphics/QtConvert.h"

#include <QFile>

#include <cstring>

FW_PUBLISH(TBitmap) {
}

namespace {

[[noreturn]] void InvalidBitmap() {
    throw EInvalidGraphic("Bitmap image is not valid");
}

} // namespace

const QImage& TBitmapAccess::Image(const TBitmap& bitmap) {
    bitmap.EndPainting();
    return bitmap.FData->Image;
}

void TBitmapAccess::SetImage(TBitmap& bitmap, const QImage& image) {
    bitmap.EndPainting();
    bitmap.FData->Image = PaintableImage(image);
    bitmap.FData->Bytes.clear();
    bitmap.Changed();
}

TBitmap::TBitmap() : FData(std::make_unique<TImageData>()) {
}

TBitmap::~TBitmap() {
    // The canvas draws on FData's image, so it goes first.
    FCanvas.reset();
}

void TBitmap::EndPainting() const {
    if (FCanvas) TCanvasAccess::EndPainting(*FCanvas);
}

void TBitmap::Assign(const TPersistent* source) {
    if (!source) {
        EndPainting();
        FData->Image = QImage();
        FData->Bytes.clear();
        Changed();
        return;
    }
    if (auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        if (bitmap == this) return;
        bitmap->EndPainting();
        EndPainting();
        *FData = *bitmap->FData;
        FTransparent = bitmap->FTransparent;
        FTransparentColor = bitmap->FTransparentColor;
        FTransparentMode = bitmap->FTransparentMode;
        Changed();
        return;
    }
    if (auto* graphic = dynamic_cast<const TGraphic*>(source)) {
        TBitmapAccess::SetImage(*this, RenderGraphic(const_cast<TGraphic&>(*graphic)));
        return;
    }
    inherited::Assign(source);
}

TCanvas* TBitmap::Canvas() {
    if (!FCanvas) {
        FCanvas = std::make_unique<TCanvas>();
        TCanvasAccess::AttachDevice(*FCanvas, &FData->Image);
        FCanvas->OnChange = TNotifyEvent::Bind<&TBitmap::CanvasChanged>(this);
    }
    return FCanvas.get();
}

void TBitmap::CanvasChanged(TObject*) {
    FData->Bytes.clear();
    Changed();
}

bool TBitmap::Empty() const {
    return FData->Image.isNull();
}

int TBitmap::Width() const {
    return FData->Image.width();
}

int TBitmap::Height() const {
    return FData->Image.height();
}

void TBitmap::SetWidth(int width) {
    SetSize(width, Height());
}

void TBitmap::SetHeight(int height) {
    SetSize(Width(), height);
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height()) return;
    EndPainting();
    QImage resized;
    if (width > 0 && height > 0) {
        const QImage& old = FData->Image;
        resized = QImage(width, height, old.isNull() ? QImage::Format_RGB32 : old.format());
        if (resized.isNull()) throw EOutOfResources("Out of system resources");
        resized.fill(Qt::white);
        if (!old.isNull()) {
            QPainter p(&resized);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, old);
        }
    }
    FData->Image = resized;
    FData->Bytes.clear();
    Changed();
}

void TBitmap::LoadFromStream(TStream& stream) {
    const QByteArray bytes = ReadRest(stream);
    QImage image = DecodeImage(bytes, "BMP");
    if (image.isNull()) InvalidBitmap();
    EndPainting();
    FData->Image = image;
    FData->Bytes = bytes;
    Changed();
}

void TBitmap::SaveToStream(TStream& stream) {
    EndPainting();
    if (FData->Image.isNull()) return;
    if (FData->Bytes.isEmpty()) FData->Bytes = EncodeImage(FData->Image, "BMP");
    WriteBytes(stream, FData->Bytes);
}

void TBitmap::ReadData(TStream& stream) {
    uint8_t prefix[4] = {};
    const int64_t start = stream.Position();
    const int64_t available = stream.Size() - start;
    if (available >= 2) {
        stream.ReadBuffer(prefix, 2);
        stream.SetPosition(start);
        // Bare .bmp bytes, without the length.
        if (prefix[0] == 'B' && prefix[1] == 'M') return LoadFromStream(stream);
    }
    if (available < 4) InvalidBitmap();
    stream.ReadBuffer(prefix, 4);
    const uint32_t length = prefix[0] | prefix[1] << 8 | prefix[2] << 16 | uint32_t(prefix[3]) << 24;
    if (length > available - 4) InvalidBitmap();
    if (length == 0) return Assign(nullptr);
    TMemoryStream data;
    data.CopyFrom(stream, length);
    data.SetPosition(0);
    LoadFromStream(data);
}

void TBitmap::WriteData(TStream& stream) {
    TMemoryStream data;
    SaveToStream(data);
    const uint32_t length = static_cast<uint32_t>(data.Size());
    const uint8_t prefix[4] = {uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16),
                               uint8_t(length >> 24)};
    stream.WriteBuffer(prefix, 4);
    if (length > 0) stream.WriteBuffer(data.Memory(), length);
}

bool TBitmap::TryLoadFromResourceName(const std::string& name) {
    for (const std::string& candidate : {name, UpperCase(name)})
        for (const char* extension : {"", ".bmp", ".png"}) {
            QFile file(ToQString(":/" + candidate + extension));
            if (!file.exists() || !file.open(QIODevice::ReadOnly)) continue;
            QImage image;
            if (!image.loadFromData(file.readAll()) || image.isNull()) InvalidBitmap();
            TBitmapAccess::SetImage(*this, image);
            return true;
        }
    return false;
}

void TBitmap::LoadFromResourceName(const std::string& name) {
    if (!TryLoadFromResourceName(name)) throw EResNotFound(Format("Resource %s not found", name));
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentMode == tmFixed) return FTransparentColor;
    EndPainting();
    if (FData->Image.isNull()) return clDefault;
    return FromQRgb(FData->Image.pixel(0, FData->Image.height() - 1));
}

void TBitmap::SetTransparentColor(TColor color) {
    FTransparentColor = color;
    FTransparentMode = color == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == FTransparentMode) return;
    if (mode == tmAuto)
        FTransparentColor = clDefault;
    else
        FTransparentColor = TransparentColor();
    FTransparentMode = mode;
    Changed();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
    EndPainting();
    // Drawing the bitmap onto its own canvas reads a copy of the pixels.
    const QImage image = &canvas == FCanvas.get() ? FData->Image.copy() : FData->Image;
    std::optional<QRgb> key;
    if (FTransparent) key = ToQRgb(TransparentColor());
    DrawImage(canvas, rect, image, key, CopyModeComposition(canvas.CopyMode()));
}
