#include "graphics/Clipboard.h"

#include "graphics/Bitmap.h"
#include "graphics/BitmapPrivate.h"
#include "graphics/ImageData.h"
#include "graphics/Metafile.h"
#include "graphics/Picture.h"
#include "graphics/QtConvert.h"

#include "core/MemoryBudget.h"
#include "core/ScopeGuard.h"
#include "core/Streams.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

FW_PUBLISH(TClipboard) {
}

namespace {

const QString SvgMimeType = QStringLiteral("image/svg+xml");

QClipboard& System() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        throw EInvalidOperation("Cannot open clipboard");
    return *QGuiApplication::clipboard();
}

[[noreturn]] void InvalidFormat() {
    throw EInvalidGraphic("Invalid clipboard format");
}

void LoadMetafile(TMetafile& metafile, const QByteArray& document) {
    TStringStream stream(document.toStdString());
    metafile.LoadFromStream(stream);
}

} // namespace

// What is being put on the clipboard between Open and Close.
struct TClipboard::Pending {
    QMimeData* Data = new QMimeData;
    bool Cleared = false;
};

TClipboard::TClipboard() = default;

TClipboard::~TClipboard() {
    if (FPending) delete FPending->Data;
    delete FPending;
}

void TClipboard::Open() {
    System();
    if (FOpenCount++ == 0) FPending = new Pending;
}

void TClipboard::Close() {
    if (FOpenCount == 0) return;
    if (--FOpenCount > 0) return;
    Pending* pending = FPending;
    FPending = nullptr;
    // Opening only to read leaves the clipboard as it was.
    if (pending->Data->formats().isEmpty() && !pending->Cleared)
        delete pending->Data;
    else
        System().setMimeData(pending->Data); // the clipboard takes the data over
    delete pending;
}

void TClipboard::Clear() {
    if (FPending) {
        FPending->Data->clear();
        FPending->Cleared = true;
        return;
    }
    System().clear();
}

bool TClipboard::HasFormat(unsigned format) const {
    const QMimeData* data = System().mimeData();
    if (!data) return false;
    switch (format) {
    case CF_TEXT:
    case CF_UNICODETEXT:
        return data->hasText();
    case CF_BITMAP:
    case CF_DIB:
        return data->hasImage();
    case CF_METAFILEPICT:
    case CF_ENHMETAFILE:
        return data->hasFormat(SvgMimeType);
    case CF_PICTURE:
        return data->hasImage() || data->hasFormat(SvgMimeType);
    default:
        return false;
    }
}

std::string TClipboard::AsText() const {
    return FromQString(System().text());
}

void TClipboard::SetAsText(const std::string& text) {
    Open();
    FPending->Data->setText(ToQString(text));
    Close();
}

void TClipboard::Assign(const TPersistent* source) {
    const TGraphic* graphic = nullptr;
    if (auto* picture = dynamic_cast<const TPicture*>(source)) {
        graphic = picture->Graphic();
        if (!graphic) return Clear();
    } else {
        graphic = dynamic_cast<const TGraphic*>(source);
    }
    if (!graphic) return inherited::Assign(source);

    Open();
    const auto close = ScopeGuard([this] { Close(); });
    FPending->Data->setImageData(RenderGraphic(const_cast<TGraphic&>(*graphic)));
    if (auto* metafile = dynamic_cast<const TMetafile*>(graphic))
        FPending->Data->setData(SvgMimeType, QByteArray::fromStdString(metafile->Document()));
}

void TClipboard::AssignTo(TPersistent* dest) const {
    const QMimeData* data = System().mimeData();
    const bool hasImage = data && data->hasImage();
    const bool hasSvg = data && data->hasFormat(SvgMimeType);
    // A picture from the clipboard is held to the limits and the memory budget of a picture in a file.
    const TMemoryBudgetScope budget;
    auto image = [&] { return BudgetedPaintableImage(qvariant_cast<QImage>(data->imageData())); };

    if (auto* picture = dynamic_cast<TPicture*>(dest)) {
        if (hasSvg) {
            TMetafile metafile;
            LoadMetafile(metafile, data->data(SvgMimeType));
            return picture->SetGraphic(&metafile);
        }
        if (!hasImage) InvalidFormat();
        TBitmap bitmap;
        TBitmapAccess::SetImage(bitmap, image());
        return picture->SetGraphic(&bitmap);
    }
    if (auto* metafile = dynamic_cast<TMetafile*>(dest)) {
        if (!hasSvg) InvalidFormat();
        return LoadMetafile(*metafile, data->data(SvgMimeType));
    }
    if (auto* graphic = dynamic_cast<TGraphic*>(dest)) {
        if (!hasImage) InvalidFormat();
        if (auto* bitmap = dynamic_cast<TBitmap*>(graphic)) return TBitmapAccess::SetImage(*bitmap, image());
        TBitmap bitmap;
        TBitmapAccess::SetImage(bitmap, image());
        return graphic->Assign(&bitmap);
    }
    inherited::AssignTo(dest);
}

TClipboard* Clipboard() {
    static TClipboard clipboard;
    return &clipboard;
}
