// TMetafile: a vector picture, kept as an SVG document; files are .svg. It scales without losing detail
// and is always drawn transparently (what the document leaves empty shows the destination).
#pragma once

#include "graphics/Graphic.h"

#include <memory>
#include <string>

#pragma GCC visibility push(default)

struct TMetafileRenderer;

class TMetafile : public TGraphic {
    FW_CLASS(TMetafile, TGraphic)
public:
    TMetafile();
    ~TMetafile() override;

    // From another metafile or from null (empty); raster graphics cannot become metafiles.
    void Assign(const TPersistent* source) override;

    bool Empty() const override;
    // The document's own size unless a size was set.
    int Width() const override;
    int Height() const override;
    void SetWidth(int width) override;
    void SetHeight(int height) override;

    // An SVG document; anything else fails with EInvalidGraphic "Metafile is not valid".
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;

    // The SVG document's bytes.
    const std::string& Document() const { return FDocument; }

protected:
    void Draw(TCanvas& canvas, const TRect& rect) override;

private:
    void SetDocument(std::string document);

    std::string FDocument;
    std::unique_ptr<TMetafileRenderer> FRenderer;
    int FWidth = 0;  // 0: the document's width
    int FHeight = 0; // 0: the document's height
};

#pragma GCC visibility pop
