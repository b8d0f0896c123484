// The picture file dialogs and their preview panel.
#include "dialogs/PictureDialogs.h"
#include "core/ClassRegistry.h"

#include "core/SysUtils.h"
#include "dialogs/DialogWindow.h"
#include "graphics/Canvas.h"
#include "graphics/Picture.h"
#include "ui/CustomControl.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLineEdit>

namespace {

// The preview panel: a framework control living in the Qt dialog's layout.
class TPicturePreview : public TCustomControl {
    FW_CLASS(TPicturePreview, TCustomControl)
public:
    explicit TPicturePreview(TComponent* owner) : TCustomControl(owner) { SetColor(clBtnFace); }
    TPicture Picture;

protected:
    void Paint() override {
        TCanvas& canvas = *Canvas();
        const TRect client = ClientRect();
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(client);
        const std::string caption = Picture.Width() > 0 ? Format("%d x %d", Picture.Width(), Picture.Height())
                                                        : std::string("(None)");
        const TSize extent = canvas.TextExtent(caption);
        canvas.TextOut((client.Width() - extent.cx) / 2, 2, caption);
        TRect frame{4, extent.cy + 6, client.Right - 4, client.Bottom - 4};
        if (frame.Width() <= 2 || frame.Height() <= 2) return;
        canvas.Brush()->SetColor(clBtnShadow);
        canvas.FrameRect(frame);
        const TRect area{frame.Left + 1, frame.Top + 1, frame.Right - 1, frame.Bottom - 1};
        const int w = Picture.Width(), h = Picture.Height();
        if (w <= 0 || h <= 0 || !Picture.Graphic()) return;
        if (w <= area.Width() && h <= area.Height()) {
            canvas.Draw(area.Left + (area.Width() - w) / 2, area.Top + (area.Height() - h) / 2,
                        Picture.Graphic());
            return;
        }
        // Scaled down keeping the aspect ratio, centred.
        const double scale =
            std::min(static_cast<double>(area.Width()) / w, static_cast<double>(area.Height()) / h);
        const int sw = std::max(1, static_cast<int>(w * scale)),
                  sh = std::max(1, static_cast<int>(h * scale));
        const int left = area.Left + (area.Width() - sw) / 2, top = area.Top + (area.Height() - sh) / 2;
        canvas.StretchDraw(TRect{left, top, left + sw, top + sh}, Picture.Graphic());
    }
};

} // namespace

FW_PUBLISH(TPicturePreview) {
}

class TPicturePreviewer {
public:
    ~TPicturePreviewer() { Detach(); }

    void Attach(TDialogWindow& window) {
        auto* dialog = window.As<QFileDialog>();
        FControl = new TPicturePreview(nullptr);
        FControl->SetBounds(0, 0, 170, 170);
        FControl->SetParentWindow(window.Handle());
        QWidget* panel = WidgetOf(FControl->Handle());
        panel->setMinimumSize(170, 170);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()))
            grid->addWidget(panel, 0, grid->columnCount(), grid->rowCount(), 1);
        else if (dialog->layout())
            dialog->layout()->addWidget(panel);
        window.SetPart(dpPreview, panel);
        QObject::connect(dialog, &QFileDialog::currentChanged, panel,
                         [this](const QString& path) { Show(path); });
        if (auto* edit = dynamic_cast<QLineEdit*>(window.Part(dpFileName))) {
            QObject::connect(edit, &QLineEdit::textChanged, panel, [this, dialog](const QString& text) {
                if (!text.trimmed().isEmpty()) Show(dialog->directory().absoluteFilePath(text.trimmed()));
            });
            if (!edit->text().isEmpty()) Show(dialog->directory().absoluteFilePath(edit->text().trimmed()));
        }
    }

    void Detach() {
        delete FControl;
        FControl = nullptr;
        FPath.clear();
    }

    const TPicture* Picture() const { return FControl ? &FControl->Picture : nullptr; }

private:
    void Show(const QString& path) {
        if (!FControl || path == FPath) return;
        FPath = path;
        TPicture& picture = FControl->Picture;
        picture.Assign(nullptr);
        if (QFileInfo(path).isFile()) {
            try {
                picture.LoadFromFile(path.toStdString());
            } catch (const std::exception&) {
                picture.Assign(nullptr); // not a picture of a known format: the preview shows "(None)"
            }
        }
        FControl->Invalidate();
    }

    TPicturePreview* FControl = nullptr;
    QString FPath;
};

FW_PUBLISH(TOpenPictureDialog) {
}
FW_STREAMABLE(TOpenPictureDialog);

FW_PUBLISH(TSavePictureDialog) {
}
FW_STREAMABLE(TSavePictureDialog);

TOpenPictureDialog::TOpenPictureDialog(TComponent* owner)
    : TOpenDialog(owner), FPreview(std::make_unique<TPicturePreviewer>()) {
    SetFilter(GraphicFilter(TGraphic::StaticClass()));
}

TOpenPictureDialog::~TOpenPictureDialog() = default;

const TPicture* TOpenPictureDialog::PreviewPicture() const {
    return FPreview->Picture();
}

void TOpenPictureDialog::PrepareWindow(TDialogWindow& window) {
    FPreview->Attach(window);
}

void TOpenPictureDialog::FinishWindow(TDialogWindow&) {
    FPreview->Detach();
}

TSavePictureDialog::TSavePictureDialog(TComponent* owner)
    : TSaveDialog(owner), FPreview(std::make_unique<TPicturePreviewer>()) {
    SetFilter(GraphicFilter(TGraphic::StaticClass()));
}

TSavePictureDialog::~TSavePictureDialog() = default;

const TPicture* TSavePictureDialog::PreviewPicture() const {
    return FPreview->Picture();
}

void TSavePictureDialog::PrepareWindow(TDialogWindow& window) {
    FPreview->Attach(window);
}

void TSavePictureDialog::FinishWindow(TDialogWindow&) {
    FPreview->Detach();
}
