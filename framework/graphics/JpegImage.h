// TJPEGImage: a JPEG photograph; files are .jpg or .jpeg. Saving writes the file as loaded, so storing a
// picture again does not lose quality.
#pragma once

#include "graphics/Graphic.h"

#include <memory>

#pragma GCC visibility push(default)

struct TImageData;

class TJPEGImage : public TGraphic {
    FW_CLASS(TJPEGImage, TGraphic)
public:
    TJPEGImage();
    ~TJPEGImage() override;

    // From another JPEG image, from any other graphic (drawn over white and compressed), or from null.
    void Assign(const TPersistent* source) override;

    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    // Fail with EInvalidGraphicOperation "Cannot change the size of a JPEG image".
    void SetWidth(int width) override;
    void SetHeight(int height) override;

    // A JPEG file; anything else fails with EInvalidGraphic "JPEG image is not valid".
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;

protected:
    void Draw(TCanvas& canvas, const TRect& rect) override;

private:
    std::unique_ptr<TImageData> FData;
};

#pragma GCC visibility pop
