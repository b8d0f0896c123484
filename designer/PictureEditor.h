// TPictureEditor: runs the picture editor dialog on a copy of a picture and hands the result back only
// when the user pressed OK. The picture and graphic property editors go through it.
#pragma once

#include "core/Component.h"

#include <memory>

#pragma GCC visibility push(default)

class TPicture;
class TPictureEditorDlg;

// Help contexts of the dialog's file dialogs.
inline constexpr int PictureOpenHelpContext = 27000;
inline constexpr int PictureSaveHelpContext = 27010;

class TPictureEditor : public TComponent {
    FW_CLASS(TPictureEditor, TComponent)
public:
    // Creates an empty Picture and the dialog (owned by the editor); GraphicClass is TGraphic.
    explicit TPictureEditor(TComponent* owner);
    ~TPictureEditor() override;

    // The picture being edited. Setting it copies the given picture (null clears it).
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(const TPicture* picture);
    // The graphic class whose formats (its own and its descendants') the file dialogs offer.
    TClass GraphicClass() const { return FGraphicClass; }
    void SetGraphicClass(TClass graphicClass) { FGraphicClass = graphicClass; }

    // Copies Picture into the dialog, prepares its file dialogs for GraphicClass (the formats' filter and
    // default extension; the open dialog wants an existing file, the save dialog asks before replacing
    // one), enables Save and Clear when there is a graphic and shows the dialog modally. With OK, the
    // dialog's picture is copied back into Picture and the result is true.
    bool Execute();

private:
    std::unique_ptr<TPicture> FPicture;
    TPictureEditorDlg* FDialog = nullptr;
    TClass FGraphicClass;
};

#pragma GCC visibility pop
