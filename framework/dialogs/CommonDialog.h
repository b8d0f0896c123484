// TCommonDialog: the base of the common dialogs (open and save file, open and save picture, colour, font)
// and of the message box. A dialog component keeps its settings while no window exists; Execute opens the
// real dialog window modally, lets the user answer it and returns whether the user accepted.
//
// While Execute runs, the dialog is a framework window (Handle) and can be driven as a person would drive
// it: the modal action of TModalDriver (ui/ModalLoop.h) receives the dialog component and uses the driving
// operations below, which send real mouse and key input to the dialog's parts:
//
//     TModalDriver::QueueAction([](TObject* window) {
//         auto* dialog = static_cast<TCommonDialog*>(window);
//         dialog->TypeInto(dpFileName, "picture.bmp");
//         dialog->ClickPart(dpOK);
//     });
#pragma once

#include "core/Component.h"
#include "graphics/Types.h"
#include "ui/Messages.h"

#include <string>
#include <string_view>

#pragma GCC visibility push(default)

class TDialogWindow;

// The parts of a dialog that a person clicks or types into. A dialog has the parts that fit its kind.
enum TDialogPart {
    dpOK,             // the accepting button (Open, Save, OK)
    dpCancel,         // the Cancel button
    dpHelp,           // the Help button (shown with the show-help option)
    dpFileName,       // file dialogs: the file name field
    dpFileType,       // file dialogs: the file type (filter) list
    dpPreview,        // picture dialogs: the preview panel
    dpColorName,      // colour dialog: the "#rrggbb" field
    dpAddCustomColor, // colour dialog: the button that adds the current colour to the custom colours
    dpFontName,       // font dialog: the font name field
    dpFontStyle,      // font dialog: the style field
    dpFontSize,       // font dialog: the size field
    dpYes,            // message box buttons
    dpNo,
    dpAbort,
    dpRetry,
    dpIgnore,
};

class TCommonDialog : public TComponent {
    FW_CLASS(TCommonDialog, TComponent)
public:
    explicit TCommonDialog(TComponent* owner);
    ~TCommonDialog() override;

    // Opens the dialog and runs it modally; true when the user accepted it.
    virtual bool Execute() = 0;

    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int value) { FHelpContext = value; }
    // The window caption; empty gives the dialog's own ("Open", "Save As", "Select Color", ...).
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& title) { FTitle = title; }

    // Run when the dialog window has been shown, and when it has closed.
    TNotifyEvent OnShow;
    TNotifyEvent OnClose;
    // Run when the Help button is clicked.
    TNotifyEvent OnHelp;

    // ---- driving the open dialog (modal actions, automation) -----------------------------------------
    // The dialog's window while Execute runs; null otherwise.
    HWND Handle() const;
    bool Running() const { return FWindow != nullptr; }
    bool HasPart(TDialogPart part) const;
    // The part's bounds in client coordinates of Handle(). Fails with EInvalidOperation when the dialog is
    // not running or has no such part.
    TRect PartRect(TDialogPart part) const;
    // A real left click in the middle of the part.
    void ClickPart(TDialogPart part);
    // Clicks the field, selects what it holds (Ctrl+A) and types the text over it.
    void TypeInto(TDialogPart part, std::string_view text);
    // What the part shows now: a field's text, a list's current entry, a button's caption.
    std::string PartText(TDialogPart part) const;

protected:
    // Shows the window modally (OnShow, the modal loop for this component, OnClose) and returns whether
    // the dialog was accepted. FWindow points at the window while it runs.
    bool RunDialog(TDialogWindow& window);
    TDialogWindow* FWindow = nullptr;

private:
    int FHelpContext = 0;
    std::string FTitle;
};

#pragma GCC visibility pop
