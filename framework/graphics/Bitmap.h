// TBitmap: a raster picture with a canvas to draw on; files are .bmp.
//
// A new bitmap is empty (0 x 0). Growing it keeps the pixels there and fills the new area with white.
// Its transparent colour is the colour of its bottom-left pixel unless one is set; drawing a bitmap with
// Transparent set leaves out the pixels of that colour.
#pragma once

#include "graphics/Canvas.h"
#include "graphics/Graphic.h"

#include <memory>
#include <string>

#pragma GCC visibility push(default)

FW_ENUM(TTransparentMode, tmAuto, tmFixed);

struct TImageData;

class TBitmap : public TGraphic {
    FW_CLASS(TBitmap, TGraphic)
public:
    TBitmap();
    ~TBitmap() override;

    // From another bitmap (a copy of its pixels and transparency), from any other graphic (drawn at its
    // size, keeping its transparency), or from null (empty).
    void Assign(const TPersistent* source) override;

    // The canvas that draws on the bitmap's pixels; created on first use, owned by the bitmap.
    TCanvas* Canvas();

    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    void SetSize(int width, int height);

    // A .bmp file; anything else fails with EInvalidGraphic "Bitmap image is not valid".
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    // Form data: a 4-byte little-endian length, then the .bmp file (none for an empty bitmap).
    void ReadData(TStream& stream) override;
    void WriteData(TStream& stream) override;

    // Loads an image compiled into the program: the resource ":/NAME", trying the name as given and in
    // upper case, each bare and with ".bmp" and ".png". Fails with EResNotFound "Resource %s not found"
    // when there is none, with EInvalidGraphic when it is not an image.
    void LoadFromResourceName(const std::string& name);
    // The same, returning false instead of failing when no such resource exists.
    bool TryLoadFromResourceName(const std::string& name);

    // The colour left out when drawn transparently: set explicitly (tmFixed), or the bottom-left pixel
    // (tmAuto; clDefault for an empty bitmap). Setting clDefault returns to tmAuto.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode mode);

protected:
    void Draw(TCanvas& canvas, const TRect& rect) override;

private:
    friend struct TBitmapAccess;
    void CanvasChanged(TObject* sender);
    // Ends drawing on the canvas so that the pixels can be read or replaced.
    void EndPainting() const;

    std::unique_ptr<TImageData> FData;
    std::unique_ptr<TCanvas> FCanvas;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
};

#pragma GCC visibility pop
