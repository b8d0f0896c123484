// TOpenDialog and TSaveDialog: choosing a file to open, or a file name to save under.
//
// Filter syntax: pairs of description and masks separated by "|", several masks of one entry separated by
// ";": "Text File|*.TXT" or "Pictures (*.bmp;*.ico)|*.bmp;*.ico|All files|*.*". Masks match file names
// without regard to letter case. FilterIndex counts the pairs from 1.
#pragma once

#include "dialogs/CommonDialog.h"

#include <memory>
#include <vector>

#pragma GCC visibility push(default)

class TStrings;
class TStringList;

FW_ENUM(TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
        ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
        ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
        ofOldStyleDialog, ofNoDereferenceLinks);
FW_SET(TOpenOptions, TOpenOption);

class TOpenDialog : public TCommonDialog {
    FW_CLASS(TOpenDialog, TCommonDialog)
public:
    explicit TOpenDialog(TComponent* owner);
    ~TOpenDialog() override;

    // Opens the dialog in the folder of FileName (else InitialDir, else the current folder) with FileName's
    // name in the file name field. When the user accepts, FileName is the chosen file's full path, Files
    // lists every chosen file, FilterIndex the chosen filter. Accepting checks the options in this order
    // and keeps the dialog open after a message box when a check fails:
    //   a typed name with wildcards ("*.txt") filters the list instead of naming a file;
    //   a typed folder name opens that folder;
    //   DefaultExt is added to a name without an extension;
    //   ofPathMustExist (and ofFileMustExist): the folder must exist;
    //   ofFileMustExist: the file must exist;
    //   ofOverwritePrompt (save dialogs): an existing file is replaced only after Yes;
    //   ofCreatePrompt: a missing file is accepted only after Yes.
    // After accepting, ofExtensionDifferent tells whether the file's extension differs from DefaultExt.
    // The dialog has no read-only check box: ofReadOnly is never set and ofHideReadOnly changes nothing.
    bool Execute() override;

    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& name) { FFileName = name; }
    // The chosen files (more than one only with ofAllowMultiSelect).
    TStrings* Files() const;
    const std::string& Filter() const { return FFilter; }
    void SetFilter(const std::string& filter) { FFilter = filter; }
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int index) { FFilterIndex = index; }
    // Without the dot ("txt").
    const std::string& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string& ext) { FDefaultExt = ext; }
    const std::string& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const std::string& dir) { FInitialDir = dir; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions options) { FOptions = options; }

protected:
    virtual bool Saving() const { return false; }
    virtual std::string DefaultTitle() const { return "Open"; }
    // Derived dialogs add to the window before it shows, and let go of it after it closed.
    virtual void PrepareWindow(TDialogWindow& window) {}
    virtual void FinishWindow(TDialogWindow& window) {}

private:
    bool AcceptChosenFiles(TDialogWindow& window);

    std::string FFileName;
    std::string FFilter;
    int FFilterIndex = 1;
    std::string FDefaultExt;
    std::string FInitialDir;
    TOpenOptions FOptions{ofHideReadOnly};
    std::unique_ptr<TStringList> FFiles;
    std::vector<std::string> FChosen;
};

class TSaveDialog : public TOpenDialog {
    FW_CLASS(TSaveDialog, TOpenDialog)
public:
    explicit TSaveDialog(TComponent* owner);

protected:
    bool Saving() const override { return true; }
    std::string DefaultTitle() const override { return "Save As"; }
};

// The dialog's filter as entries of Qt's file dialog ("Text File (*.TXT)"), one per description|masks
// pair (a pair without masks shows every file); an unpaired description at the end is left out.
std::vector<std::string> FileDialogNameFilters(const std::string& filter);

#pragma GCC visibility pop
