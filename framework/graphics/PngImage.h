// TPngImage: a PNG picture, drawn with its alpha channel; files are .png.
#pragma once

#include "graphics/Graphic.h"

#include <memory>

#pragma GCC visibility push(default)

struct TImageData;

class TPngImage : public TGraphic {
    FW_CLASS(TPngImage, TGraphic)
public:
    TPngImage();
    ~TPngImage() override;

    // From another PNG image, from any other graphic (converted at its size), or from null (empty).
    void Assign(const TPersistent* source) override;

    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    // Fail with EInvalidGraphicOperation "Cannot change the size of a PNG image".
    void SetWidth(int width) override;
    void SetHeight(int height) override;

    // A .png file; anything else fails with EInvalidGraphic "PNG image is not valid".
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;

protected:
    void Draw(TCanvas& canvas, const TRect& rect) override;

private:
    std::unique_ptr<TImageData> FData;
};

#pragma GCC visibility pop
