// TImage: shows a picture on its parent. The picture is drawn at its own size at the top-left corner, or
// in the middle (Center), or scaled to fill the control (Stretch, which wins over Center). AutoSize makes
// the control as large as the picture whenever the picture changes. Transparent draws a bitmap without
// its transparent colour. While designed, the control's outline is dotted so that an empty image shows.
#pragma once

#include "ui/GraphicControl.h"

#include <memory>

#pragma GCC visibility push(default)

class TPicture;

class TImage : public TGraphicControl {
    FW_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* picture); // copies
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

protected:
    void Loaded() override;
    void Paint() override;

private:
    void PictureChanged(TObject* sender);

    std::unique_ptr<TPicture> FPicture;
    bool FAutoSize = false;
    bool FCenter = false;
    bool FStretch = false;
    bool FTransparent = false;
};

#pragma GCC visibility pop
