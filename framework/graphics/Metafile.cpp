#include "graphics/Metafile.h"

#include "core/Streams.h"
#include "graphics/CanvasPrivate.h"
#include "graphics/ImageData.h"
#include "graphics/QtConvert.h"

#include <QSvgRenderer>

struct TMetafileRenderer {
    QSvgRenderer Renderer;
};

FW_PUBLISH(TMetafile) {
}

TMetafile::TMetafile() {
    FTransparent = true;
}

TMetafile::~TMetafile() = default;

void TMetafile::Assign(const TPersistent* source) {
    if (!source) {
        FDocument.clear();
        FRenderer.reset();
        FWidth = FHeight = 0;
        Changed();
        return;
    }
    if (auto* metafile = dynamic_cast<const TMetafile*>(source)) {
        if (metafile == this) return;
        SetDocument(metafile->FDocument);
        FWidth = metafile->FWidth;
        FHeight = metafile->FHeight;
        Changed();
        return;
    }
    inherited::Assign(source);
}

bool TMetafile::Empty() const {
    return FDocument.empty();
}

int TMetafile::Width() const {
    if (FWidth > 0 || !FRenderer) return FWidth;
    return FRenderer->Renderer.defaultSize().width();
}

int TMetafile::Height() const {
    if (FHeight > 0 || !FRenderer) return FHeight;
    return FRenderer->Renderer.defaultSize().height();
}

void TMetafile::SetWidth(int width) {
    FWidth = std::max(width, 0);
    Changed();
}

void TMetafile::SetHeight(int height) {
    FHeight = std::max(height, 0);
    Changed();
}

void TMetafile::SetDocument(std::string document) {
    if (document.empty()) {
        FRenderer.reset();
        FDocument.clear();
        return;
    }
    auto renderer = std::make_unique<TMetafileRenderer>();
    if (!renderer->Renderer.load(QByteArray::fromStdString(document)) || !renderer->Renderer.isValid())
        throw EInvalidGraphic("Metafile is not valid");
    const QSize size = renderer->Renderer.defaultSize();
    if (size.width() < 0 || size.height() < 0 || !PictureSizeAllowed(size.width(), size.height()))
        throw EInvalidGraphic("Metafile is not valid");
    FRenderer = std::move(renderer);
    FDocument = std::move(document);
}

void TMetafile::LoadFromStream(TStream& stream) {
    const QByteArray bytes = ReadRest(stream);
    if (bytes.isEmpty()) throw EInvalidGraphic("Metafile is not valid");
    SetDocument(bytes.toStdString());
    FWidth = FHeight = 0;
    Changed();
}

void TMetafile::SaveToStream(TStream& stream) {
    stream.WriteBuffer(FDocument.data(), static_cast<int64_t>(FDocument.size()));
}

void TMetafile::Draw(TCanvas& canvas, const TRect& rect) {
    if (!FRenderer || rect.IsEmpty()) return;
    if (TCanvasPainter p{canvas}) {
        p->setRenderHint(QPainter::Antialiasing, true);
        FRenderer->Renderer.render(&*p, QRectF(ToQRect(rect)));
    }
}
