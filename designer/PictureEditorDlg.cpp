#include "PictureEditorDlg.h"

#include "core/SysUtils.h"
#include "dialogs/PictureDialogs.h"
#include "graphics/Canvas.h"
#include "graphics/Clipboard.h"
#include "graphics/Picture.h"
#include "widgets/BitBtn.h"
#include "widgets/Button.h"
#include "widgets/Shape.h"

FW_PUBLISH(TPictureEditorDlg) {
    FW_PUBLISH_FIELD(Shape1);
    FW_PUBLISH_FIELD(OK);
    FW_PUBLISH_FIELD(Cancel);
    FW_PUBLISH_FIELD(Load);
    FW_PUBLISH_FIELD(Save);
    FW_PUBLISH_FIELD(btnCopy);
    FW_PUBLISH_FIELD(Button2);
    FW_PUBLISH_FIELD(Clear);
    FW_PUBLISH_FIELD(HelpBtn);
    FW_PUBLISH_FIELD(OpenDialog);
    FW_PUBLISH_FIELD(SaveDialog);
    FW_PUBLISH_METHOD(FormCreate);
    FW_PUBLISH_METHOD(FormDestroy);
    FW_PUBLISH_METHOD(FormPaint);
    FW_PUBLISH_METHOD(LoadClick);
    FW_PUBLISH_METHOD(SaveClick);
    FW_PUBLISH_METHOD(ClearClick);
    FW_PUBLISH_METHOD(btnCopyClick);
    FW_PUBLISH_METHOD(Button2Click);
}

TPictureEditorDlg::TPictureEditorDlg(TComponent* owner) : TForm(owner) {
    InitializeForm();
}

TPictureEditorDlg::~TPictureEditorDlg() {
    DoDestroy(); // FormDestroy frees the picture, which is gone once this destructor is done
}

void TPictureEditorDlg::FormCreate(TObject*) {
    SetHelpContext(PictureEditorHelpContext);
    FPicture = std::make_unique<TPicture>();
    Save->SetEnabled(false);
}

void TPictureEditorDlg::FormDestroy(TObject*) {
    FPicture.reset();
}

void TPictureEditorDlg::LoadClick(TObject*) {
    if (!OpenDialog->Execute()) return;
    FPicture->LoadFromFile(OpenDialog->FileName());
    Invalidate();
    const bool hasGraphic = FPicture->Graphic() != nullptr;
    Save->SetEnabled(hasGraphic);
    Clear->SetEnabled(hasGraphic);
}

void TPictureEditorDlg::SaveClick(TObject*) {
    TGraphic* graphic = FPicture->Graphic();
    if (!graphic) return;
    SaveDialog->SetDefaultExt(GraphicExtension(graphic->ClassType()));
    SaveDialog->SetFilter(GraphicFilter(graphic->ClassType()));
    if (SaveDialog->Execute()) graphic->SaveToFile(SaveDialog->FileName());
}

void TPictureEditorDlg::ClearClick(TObject*) {
    FPicture->SetGraphic(nullptr);
    Invalidate();
    Save->SetEnabled(false);
    Clear->SetEnabled(false);
}

void TPictureEditorDlg::btnCopyClick(TObject*) {
    Clipboard()->Assign(FPicture.get());
}

void TPictureEditorDlg::Button2Click(TObject*) {
    FPicture->Assign(Clipboard());
    Invalidate();
}

void TPictureEditorDlg::FormPaint(TObject*) {
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetColor(Color());
    TRect frame = Shape1->BoundsRect();
    const int frameWidth = frame.Width(), frameHeight = frame.Height();
    const int width = FPicture->Width(), height = FPicture->Height();
    if (width <= 0) {
        canvas.TextOut(frame.Left + (frameWidth - canvas.TextWidth(SPictureNone)) / 2,
                       frame.Top + (frameHeight - canvas.TextHeight(SPictureNone)) / 2, SPictureNone);
        return;
    }
    if (width <= frameWidth && height <= frameHeight) {
        canvas.Draw(frame.Left + (frameWidth - width) / 2, frame.Top + (frameHeight - height) / 2,
                    FPicture->Graphic());
        return;
    }
    // Scaled down to fit the frame, keeping the aspect ratio, from the frame's top-left corner: by the
    // width when the picture is wider than the frame in proportion, else by the height. (Choosing by
    // width > height alone would let a nearly square picture that is a little wider than high overflow
    // the frame, which is a little wider than high itself.)
    if (int64_t(width) * frameHeight > int64_t(height) * frameWidth)
        frame.Bottom = frame.Top + MulDiv(height, frameWidth, width);
    else
        frame.Right = frame.Left + MulDiv(width, frameHeight, height);
    canvas.StretchDraw(frame, FPicture->Graphic());
}
