// TOpenPictureDialog and TSavePictureDialog: file dialogs for pictures. They offer the registered picture
// formats (GraphicFilter of every graphic class) and show a preview panel beside the file list: the size
// of the picture whose file is selected or typed ("100 x 50", or "(None)" when it is no picture) above
// the picture itself, scaled down to fit when it is larger than the panel.
#pragma once

#include "dialogs/FileDialogs.h"

#pragma GCC visibility push(default)

class TPicture;
class TPicturePreviewer;

class TOpenPictureDialog : public TOpenDialog {
    FW_CLASS(TOpenPictureDialog, TOpenDialog)
public:
    explicit TOpenPictureDialog(TComponent* owner);
    ~TOpenPictureDialog() override;
    // The picture the preview shows; null while the dialog is not running.
    const TPicture* PreviewPicture() const;

protected:
    void PrepareWindow(TDialogWindow& window) override;
    void FinishWindow(TDialogWindow& window) override;

private:
    std::unique_ptr<TPicturePreviewer> FPreview;
};

class TSavePictureDialog : public TSaveDialog {
    FW_CLASS(TSavePictureDialog, TSaveDialog)
public:
    explicit TSavePictureDialog(TComponent* owner);
    ~TSavePictureDialog() override;
    const TPicture* PreviewPicture() const;

protected:
    void PrepareWindow(TDialogWindow& window) override;
    void FinishWindow(TDialogWindow& window) override;

private:
    std::unique_ptr<TPicturePreviewer> FPreview;
};

#pragma GCC visibility pop
