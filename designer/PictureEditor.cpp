#include "PictureEditor.h"

#include "PictureEditorDlg.h"
#include "dialogs/PictureDialogs.h"
#include "graphics/Picture.h"
#include "widgets/Button.h"

FW_PUBLISH(TPictureEditor) {
}

namespace {

void PrepareFileDialog(TOpenDialog& dialog, TClass graphicClass, TOpenOptions options, int helpContext) {
    dialog.SetOptions(options);
    dialog.SetFilter(GraphicFilter(graphicClass));
    dialog.SetDefaultExt(GraphicExtension(graphicClass));
    dialog.SetHelpContext(helpContext);
}

} // namespace

TPictureEditor::TPictureEditor(TComponent* owner)
    : TComponent(owner), FPicture(std::make_unique<TPicture>()), FGraphicClass(TGraphic::StaticClass()) {
    FDialog = new TPictureEditorDlg(this);
}

TPictureEditor::~TPictureEditor() {
    FPicture.reset();
}

void TPictureEditor::SetPicture(const TPicture* picture) {
    FPicture->Assign(picture);
}

bool TPictureEditor::Execute() {
    FDialog->Picture()->Assign(FPicture.get());
    PrepareFileDialog(*FDialog->OpenDialog, FGraphicClass, {ofHideReadOnly, ofShowHelp, ofFileMustExist},
                      PictureOpenHelpContext);
    // A file that must exist already could never be saved as a new one: saving asks before it replaces
    // one instead.
    PrepareFileDialog(*FDialog->SaveDialog, FGraphicClass, {ofHideReadOnly, ofShowHelp, ofOverwritePrompt},
                      PictureSaveHelpContext);
    const bool hasGraphic = FPicture->Graphic() != nullptr;
    FDialog->Save->SetEnabled(hasGraphic);
    FDialog->Clear->SetEnabled(hasGraphic);
    if (FDialog->ShowModal() != mrOk) return false;
    FPicture->Assign(FDialog->Picture());
    return true;
}
