// TOpenDialog and TSaveDialog over Qt's widget-based file dialog.
#include "dialogs/FileDialogs.h"
#include "core/ClassRegistry.h"

#include "core/ScopeGuard.h"
#include "core/StringList.h"
#include "core/SysUtils.h"
#include "dialogs/DialogWindow.h"
#include "dialogs/MessageBox.h"
#include "graphics/QtConvert.h"
#include "ui/Application.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>

FW_PUBLISH(TOpenDialog) {
    p.Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
    p.Property("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
    p.Property("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
    p.Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex).Default(1);
    p.Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
    p.Property("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions)
        .Default(TOpenOptions{ofHideReadOnly});
    p.Property("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
}
FW_STREAMABLE(TOpenDialog);

FW_PUBLISH(TSaveDialog) {
}
FW_STREAMABLE(TSaveDialog);

namespace {

std::vector<std::string> SplitBars(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t bar = text.find('|', start);
        parts.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return parts;
}

QString Trimmed(const std::string& text) {
    return ToQString(text).trimmed();
}

} // namespace

std::vector<std::string> FileDialogNameFilters(const std::string& filter) {
    std::vector<std::string> result;
    if (filter.empty()) return result;
    const std::vector<std::string> parts = SplitBars(filter);
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        QString description = Trimmed(parts[i]);
        QStringList masks;
        for (const QString& mask : ToQString(parts[i + 1]).split(QLatin1Char(';'), Qt::SkipEmptyParts))
            if (!mask.trimmed().isEmpty()) masks << mask.trimmed();
        if (masks.isEmpty()) masks << QStringLiteral("*");
        // "Bitmaps (*.bmp)": the masks in parentheses are Qt's; a description that shows them already
        // drops its own copy.
        if (description.endsWith(QLatin1Char(')')) && description.contains(QLatin1Char('(')))
            description = description.left(description.lastIndexOf(QLatin1Char('('))).trimmed();
        if (description.isEmpty()) description = masks.join(QLatin1Char(' '));
        result.push_back(FromQString(description + QStringLiteral(" (") + masks.join(QLatin1Char(' ')) +
                                     QLatin1Char(')')));
    }
    return result;
}

// ---- TOpenDialog ------------------------------------------------------------------------------------------

TOpenDialog::TOpenDialog(TComponent* owner) : TCommonDialog(owner), FFiles(std::make_unique<TStringList>()) {
}

TOpenDialog::~TOpenDialog() = default;

TStrings* TOpenDialog::Files() const {
    return FFiles.get();
}

TSaveDialog::TSaveDialog(TComponent* owner) : TOpenDialog(owner) {
}

bool TOpenDialog::Execute() {
    static const bool registered = (RegisterDialogClass<QFileDialog>("FwFileDialog"), true);
    (void)registered;
    Application->Initialize();
    TDialogWindow window("FwFileDialog", Title().empty() ? DefaultTitle() : Title());
    auto* dialog = window.As<QFileDialog>();
    const bool multi = FOptions.Contains(ofAllowMultiSelect);
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, true); // the framework asks, drivably
    dialog->setAcceptMode(Saving() ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(multi && !Saving() ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);

    QStringList filters;
    for (const std::string& f : FileDialogNameFilters(FFilter))
        filters << ToQString(f);
    if (!filters.isEmpty()) {
        dialog->setNameFilters(filters);
        const int index = FFilterIndex >= 1 && FFilterIndex <= filters.size() ? FFilterIndex : 1;
        dialog->selectNameFilter(filters[index - 1]);
    }

    const QFileInfo initial(ToQString(FFileName));
    QString folder = QDir::currentPath();
    if (!FFileName.empty() && ToQString(FFileName).contains(QLatin1Char('/')))
        folder = initial.absolutePath();
    else if (!FInitialDir.empty())
        folder = ToQString(FInitialDir);
    dialog->setDirectory(folder);
    if (!FFileName.empty()) dialog->selectFile(initial.fileName());

    auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    window.SetPart(dpFileName, fileName);
    window.SetPart(dpFileType, dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")));
    if (buttons) {
        window.SetPart(dpOK, buttons->button(Saving() ? QDialogButtonBox::Save : QDialogButtonBox::Open));
        window.SetPart(dpCancel, buttons->button(QDialogButtonBox::Cancel));
    }
    if (FOptions.Contains(ofShowHelp)) window.SetPart(dpHelp, AddHelpButton(dialog, this));
    if (fileName) fileName->setFocus(Qt::OtherFocusReason);

    dialog->BeforeAccept = [this, &window] { return AcceptChosenFiles(window); };
    // The checks are the framework's (they ask through drivable message boxes), so Qt's are skipped.
    dialog->AcceptAction = [dialog] { dialog->QDialog::accept(); };

    PrepareWindow(window);
    bool accepted = false;
    {
        const auto finish = ScopeGuard([this, &window] { FinishWindow(window); });
        accepted = RunDialog(window);
    }
    if (!accepted) return false;

    FFiles->Clear();
    for (const std::string& file : FChosen)
        FFiles->Add(file);
    FFileName = FChosen.empty() ? std::string() : FChosen.front();
    const int chosenFilter = filters.indexOf(dialog->selectedNameFilter());
    if (chosenFilter >= 0) FFilterIndex = chosenFilter + 1;
    const QString suffix = QFileInfo(ToQString(FFileName)).suffix();
    if (!FDefaultExt.empty() && suffix.compare(ToQString(FDefaultExt), Qt::CaseInsensitive) != 0)
        FOptions.Include(ofExtensionDifferent);
    else
        FOptions.Exclude(ofExtensionDifferent);
    return true;
}

bool TOpenDialog::AcceptChosenFiles(TDialogWindow& window) {
    auto* dialog = window.As<QFileDialog>();
    auto* fileNameEdit = dynamic_cast<QLineEdit*>(window.Part(dpFileName));
    const QString typed = fileNameEdit ? fileNameEdit->text().trimmed() : QString();
    const std::string title = FromQString(dialog->windowTitle());
    auto ask = [&](const std::string& text, unsigned flags) { return TMessageBox::Show(text, title, flags); };

    // A pattern is never a file name: it filters the list, as the file type list does.
    if (typed.contains(QLatin1Char('*')) || typed.contains(QLatin1Char('?'))) {
        if (auto* model = dialog->findChild<QFileSystemModel*>()) model->setNameFilters({typed});
        return false;
    }
    const QStringList files = dialog->selectedFiles();
    if (files.isEmpty() || (typed.isEmpty() && files.size() == 1 && QFileInfo(files.front()).isDir()))
        return false;
    if (files.size() == 1 && QFileInfo(files.front()).isDir()) {
        dialog->setDirectory(files.front());
        if (fileNameEdit) fileNameEdit->clear();
        return false;
    }

    std::vector<std::string> chosen;
    for (QString file : files) {
        QFileInfo info(file);
        if (!FDefaultExt.empty() && info.suffix().isEmpty() && !file.endsWith(QLatin1Char('.')))
            info.setFile(file += QLatin1Char('.') + ToQString(FDefaultExt));
        const std::string name = FromQString(info.fileName());
        const bool exists = info.exists();
        if ((FOptions.Contains(ofPathMustExist) || FOptions.Contains(ofFileMustExist)) &&
            !QFileInfo(info.absolutePath()).isDir()) {
            ask(Format("%s\nPath does not exist.\nPlease verify the correct path was given.",
                       FromQString(info.absolutePath())),
                MB_OK | MB_ICONWARNING);
            return false;
        }
        if (FOptions.Contains(ofFileMustExist) && !exists) {
            ask(Format("%s\nFile not found.\nPlease verify the correct file name was given.", name),
                MB_OK | MB_ICONWARNING);
            return false;
        }
        if (Saving() && FOptions.Contains(ofOverwritePrompt) && exists &&
            ask(Format("%s already exists.\nDo you want to replace it?", name), MB_YESNO | MB_ICONWARNING) !=
                IDYES)
            return false;
        if (FOptions.Contains(ofCreatePrompt) && !exists &&
            ask(Format("%s\nThis file does not exist.\nDo you want to create it?", name),
                MB_YESNO | MB_ICONQUESTION) != IDYES)
            return false;
        chosen.push_back(FromQString(info.absoluteFilePath()));
    }
    FChosen = std::move(chosen);
    return true;
}
