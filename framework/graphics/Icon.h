// TIcon: an icon picture; files are .ico. Icons draw with their own transparency and cannot be resized.
#pragma once

#include "graphics/Graphic.h"

#include <memory>

#pragma GCC visibility push(default)

struct TImageData;

class TIcon : public TGraphic {
    FW_CLASS(TIcon, TGraphic)
public:
    TIcon();
    ~TIcon() override;

    // From another icon, from any other graphic (converted to an icon of its size), or from null (empty).
    void Assign(const TPersistent* source) override;

    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    // Fail with EInvalidGraphicOperation "Cannot change the size of an icon".
    void SetWidth(int width) override;
    void SetHeight(int height) override;

    // An .ico file (its first picture is drawn); anything else fails with EInvalidGraphic
    // "Icon image is not valid". Saving writes back the file as loaded.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;

protected:
    void Draw(TCanvas& canvas, const TRect& rect) override;

private:
    std::unique_ptr<TImageData> FData;
};

#pragma GCC visibility pop
