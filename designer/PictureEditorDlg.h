// TPictureEditorDlg: the modal dialog in which the user views, loads, saves, clears, copies and pastes one
// picture, read from its form resource (PictureEditorDlg.form).
//
// The dialog works on its own Picture: the caller copies the edited value in before showing it and copies
// it back only when the dialog closes with OK (TPictureEditor does both). The form paints a preview of
// Picture inside the frame Shape1: "(None)" centred when there is nothing to show; the picture unscaled
// and centred when it fits; otherwise scaled down keeping its aspect ratio, anchored at the frame's
// top-left corner.
//
// Failures of the buttons (a damaged or unknown file, nothing to paste, a file that cannot be written)
// reach the application's exception handler, which shows them; the dialog stays open and Picture keeps
// what it held.
#pragma once

#include "ui/Form.h"

#include <memory>

#pragma GCC visibility push(default)

class TBitBtn;
class TButton;
class TOpenPictureDialog;
class TPicture;
class TSavePictureDialog;
class TShape;

// The preview's text for no picture.
inline constexpr const char* SPictureNone = "(None)";
// The form's help context.
inline constexpr int PictureEditorHelpContext = 26030;

class TPictureEditorDlg : public TForm {
    FW_CLASS(TPictureEditorDlg, TForm)
public:
    explicit TPictureEditorDlg(TComponent* owner);
    ~TPictureEditorDlg() override;

    // The working picture; its graphic may be absent.
    TPicture* Picture() const { return FPicture.get(); }

    // ---- from the form resource
    TShape* Shape1 = nullptr;
    TBitBtn* OK = nullptr;
    TBitBtn* Cancel = nullptr;
    TButton* Load = nullptr;
    TButton* Save = nullptr;
    TButton* btnCopy = nullptr;
    TButton* Button2 = nullptr;
    TButton* Clear = nullptr;
    TBitBtn* HelpBtn = nullptr;
    TOpenPictureDialog* OpenDialog = nullptr;
    TSavePictureDialog* SaveDialog = nullptr;

    // Creates the empty Picture and disables Save; Clear keeps its state until the caller sets it.
    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormPaint(TObject* Sender);
    // "Open...": loads the chosen file (its extension picks the format); Save and Clear are then enabled
    // exactly when there is a graphic.
    void LoadClick(TObject* Sender);
    // "Save": with a graphic, offers the formats of its class and saves it in its own format.
    void SaveClick(TObject* Sender);
    // "Clear": removes the graphic and disables Save and Clear.
    void ClearClick(TObject* Sender);
    // "Copy": puts Picture on the clipboard.
    void btnCopyClick(TObject* Sender);
    // "Paste": takes the clipboard's picture; Save and Clear keep their state.
    void Button2Click(TObject* Sender);

private:
    std::unique_ptr<TPicture> FPicture;
};

#pragma GCC visibility pop
