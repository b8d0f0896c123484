// TFontDialog over Qt's widget-based font dialog.
#include "dialogs/FontDialog.h"
#include "core/ClassRegistry.h"

#include "dialogs/DialogWindow.h"
#include "dialogs/MessageBox.h"
#include "graphics/Font.h"
#include "graphics/QtConvert.h"
#include "ui/Application.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>

FW_PUBLISH(TFontDialog) {
    p.Property("Font", &TFontDialog::Font, &TFontDialog::SetFont);
    p.Property("Options", &TFontDialog::Options, &TFontDialog::SetOptions)
        .Default(TFontDialogOptions{fdEffects});
}
FW_STREAMABLE(TFontDialog);

namespace {

QFont DialogFontOf(const TFont& font) {
    QFont result(ToQString(font.Name()));
    result.setPointSize(std::max(1, font.Size()));
    result.setBold(font.Style().Contains(fsBold));
    result.setItalic(font.Style().Contains(fsItalic));
    result.setUnderline(font.Style().Contains(fsUnderline));
    result.setStrikeOut(font.Style().Contains(fsStrikeOut));
    return result;
}

void CopyDialogFont(const QFont& chosen, TFont& font) {
    font.SetName(TFontName(FromQString(chosen.family())));
    if (chosen.pointSize() > 0) font.SetSize(chosen.pointSize());
    TFontStyles style;
    if (chosen.bold()) style.Include(fsBold);
    if (chosen.italic()) style.Include(fsItalic);
    if (chosen.underline()) style.Include(fsUnderline);
    if (chosen.strikeOut()) style.Include(fsStrikeOut);
    font.SetStyle(style);
}

bool FontFamilyExists(const QString& family) {
    for (const QString& known : QFontDatabase::families())
        if (known.compare(family, Qt::CaseInsensitive) == 0) return true;
    return false;
}

} // namespace

TFontDialog::TFontDialog(TComponent* owner) : TCommonDialog(owner), FFont(new TFont) {
}

TFontDialog::~TFontDialog() {
    delete FFont;
}

void TFontDialog::SetFont(TFont* font) {
    FFont->Assign(font);
}

bool TFontDialog::Execute() {
    static const bool registered = (RegisterDialogClass<QFontDialog>("FwFontDialog"), true);
    (void)registered;
    Application->Initialize();
    TDialogWindow window("FwFontDialog", Title().empty() ? "Font" : Title());
    auto* dialog = window.As<QFontDialog>();
    QFontDialog::FontDialogOptions options = QFontDialog::DontUseNativeDialog;
    if (FOptions.Contains(fdFixedPitchOnly)) options |= QFontDialog::MonospacedFonts;
    if (FOptions.Contains(fdScalableOnly)) options |= QFontDialog::ScalableFonts;
    dialog->setOptions(options);
    dialog->setCurrentFont(DialogFontOf(*FFont));
    if (auto* buttons = dialog->findChild<QDialogButtonBox*>()) {
        window.SetPart(dpOK, buttons->button(QDialogButtonBox::Ok));
        window.SetPart(dpCancel, buttons->button(QDialogButtonBox::Cancel));
    }
    // The name and style fields show the choice of the list below them and hand it the keyboard: typing
    // there searches the list.
    for (auto [part, label] : {std::pair{dpFontName, QStringLiteral("Font")},
                               std::pair{dpFontStyle, QStringLiteral("Font style")}}) {
        QWidget* list = BuddyOfLabel(dialog, label);
        for (QLineEdit* edit : dialog->findChildren<QLineEdit*>())
            if (list && edit->focusProxy() == list) window.SetPart(part, edit);
    }
    window.SetPart(dpFontSize, BuddyOfLabel(dialog, QStringLiteral("Size")));
    if (FOptions.Contains(fdShowHelp)) window.SetPart(dpHelp, AddHelpButton(dialog, this));

    if (FOptions.Contains(fdForceFontExist)) {
        dialog->BeforeAccept = [&window, dialog] {
            auto* name = dynamic_cast<QLineEdit*>(window.Part(dpFontName));
            if (!name || FontFamilyExists(name->text().trimmed())) return true;
            TMessageBox::Show("There is no font with that name.\nChoose a font from the list of fonts.",
                              FromQString(dialog->windowTitle()), MB_OK | MB_ICONWARNING);
            return false;
        };
    }
    const bool accepted = RunDialog(window);
    if (accepted) CopyDialogFont(dialog->selectedFont(), *FFont);
    return accepted;
}
