// Private to framework/dialogs: the framework window behind a dialog's Qt widget.
//
// The Qt dialog (QFileDialog, QColorDialog, QFontDialog, QMessageBox, all widget based) is the widget of a
// TDialogWindow, so the dialog has a window handle like every framework window: its input passes the
// message hooks as input of that window, and TInputSimulator reaches its parts by their position.
#pragma once

#include "dialogs/CommonDialog.h"
#include "ui/WinControl.h"
#include "ui/WindowRecord.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <map>

// A Qt dialog class as a framework widget. Accepting first asks BeforeAccept, which may keep the dialog
// open (a confirmation was declined, a check failed); then AcceptAction runs (the base accept by default).
template <class QtDialog> class TQtDialog : public TFwWidget<QtDialog> {
public:
    explicit TQtDialog(QWidget* parent) : TFwWidget<QtDialog>(parent) {}
    std::function<bool()> BeforeAccept;
    std::function<void()> AcceptAction;
    void accept() override {
        if (BeforeAccept && !BeforeAccept()) return;
        if (AcceptAction)
            AcceptAction();
        else
            QtDialog::accept();
    }
};

// Registers (once) the window class `name` whose windows are TQtDialog<QtDialog> widgets.
template <class QtDialog> void RegisterDialogClass(const std::string& name) {
    RegisterWindowClass(name, [](const TCreateParams&, QWidget* parent) -> QWidget* {
        return new TQtDialog<QtDialog>(parent);
    });
}

class TDialogWindow : public TWinControl {
    FW_CLASS(TDialogWindow, TWinControl)
public:
    // `windowClass` is a class registered with RegisterDialogClass.
    TDialogWindow(const std::string& windowClass, const std::string& caption);
    ~TDialogWindow() override;

    // The Qt dialog; the window is made on first use.
    QDialog* Dialog();
    template <class QtDialog> TQtDialog<QtDialog>* As() {
        return dynamic_cast<TQtDialog<QtDialog>*>(Dialog());
    }

    void SetPart(TDialogPart part, QWidget* widget);
    QWidget* Part(TDialogPart part) const; // null when the dialog has no such part

    // What closing the window with its close box, and cancelling it from the modal driver, do. The default
    // rejects the dialog, as Escape does.
    std::function<void()> OnCancel;

    // Sizes the dialog to its contents, centres it on the screen, shows it application-modal and runs a
    // modal loop for `owner` until it hides. Returns the QDialog result (QDialog::Rejected when cancelled).
    int RunModal(TObject* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void WndProc(TMessage& message) override;

private:
    void Cancel();

    std::string FWindowClass;
    std::map<TDialogPart, QPointer<QWidget>> FParts;
};

// The field named by the label whose caption is `text` (else contains it); ampersands and a final colon
// are ignored.
QWidget* BuddyOfLabel(QWidget* dialog, const QString& text);
// Adds a Help button to the dialog's button box; clicking it runs the component's OnHelp.
QWidget* AddHelpButton(QWidget* dialog, TCommonDialog* component);
