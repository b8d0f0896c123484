#include "widgets/Image.h"
#include "core/ClassRegistry.h"

#include "graphics/Canvas.h"
#include "graphics/Picture.h"
#include "widgets/StandardProperties.h"

FW_PUBLISH(TImage) {
    PublishAlign(p);
    p.Property("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize).Default(false);
    p.Property("Center", &TImage::Center, &TImage::SetCenter).Default(false);
    PublishDragMode(p);
    PublishEnabled(p);
    p.Property("Picture", &TImage::Picture, &TImage::SetPicture);
    PublishShowHint(p);
    p.Property("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(false);
    p.Property("Transparent", &TImage::Transparent, &TImage::SetTransparent).Default(false);
    PublishVisible(p);
    p.Event("OnClick", &TImage::OnClick);
    p.Event("OnDblClick", &TImage::OnDblClick);
    PublishDragEvents(p);
    PublishMouseEvents(p);
}
FW_STREAMABLE(TImage);

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(std::make_unique<TPicture>()) {
    SetBounds(0, 0, 105, 105);
    FPicture->OnChange = TNotifyEvent::Bind<&TImage::PictureChanged>(this);
}

TImage::~TImage() {
    FPicture->OnChange.Clear();
}

void TImage::SetPicture(TPicture* picture) {
    FPicture->Assign(picture);
}

void TImage::PictureChanged(TObject*) {
    TGraphic* graphic = FPicture->Graphic();
    if (graphic && graphic->Transparent() != FTransparent)
        graphic->SetTransparent(FTransparent); // notifies again
    if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
        SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
    Invalidate();
}

// A stream may set the size after the picture; an auto-sized image ends its load at the picture's size.
void TImage::Loaded() {
    TGraphicControl::Loaded();
    if (FAutoSize) PictureChanged(FPicture.get());
}

void TImage::SetAutoSize(bool value) {
    FAutoSize = value;
    PictureChanged(FPicture.get());
}

void TImage::SetCenter(bool value) {
    FCenter = value;
    Invalidate();
}

void TImage::SetStretch(bool value) {
    FStretch = value;
    Invalidate();
}

void TImage::SetTransparent(bool value) {
    FTransparent = value;
    PictureChanged(FPicture.get());
}

void TImage::Paint() {
    TCanvas& canvas = *Canvas();
    if (ComponentState().Contains(csDesigning)) {
        canvas.Pen()->SetStyle(psDash);
        canvas.Pen()->SetColor(clBlack);
        canvas.Brush()->SetStyle(bsClear);
        canvas.Rectangle(0, 0, Width(), Height());
    }
    TGraphic* graphic = FPicture->Graphic();
    if (!graphic || graphic->Empty()) return;
    if (FStretch)
        canvas.StretchDraw(ClientRect(), graphic);
    else if (FCenter)
        canvas.Draw((Width() - graphic->Width()) / 2, (Height() - graphic->Height()) / 2, graphic);
    else
        canvas.Draw(0, 0, graphic);
}
