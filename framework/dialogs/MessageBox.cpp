#include "dialogs/MessageBox.h"

#include "dialogs/DialogWindow.h"
#include "graphics/QtConvert.h"
#include "ui/Application.h"

#include <QMessageBox>
#include <QPushButton>

FW_PUBLISH(TMessageBox) {
}

namespace {

struct TBoxButton {
    QMessageBox::StandardButton Standard;
    int Id;
    TDialogPart Part;
};

constexpr TBoxButton OkButton{QMessageBox::Ok, IDOK, dpOK};
constexpr TBoxButton CancelButton{QMessageBox::Cancel, IDCANCEL, dpCancel};
constexpr TBoxButton YesButton{QMessageBox::Yes, IDYES, dpYes};
constexpr TBoxButton NoButton{QMessageBox::No, IDNO, dpNo};
constexpr TBoxButton AbortButton{QMessageBox::Abort, IDABORT, dpAbort};
constexpr TBoxButton RetryButton{QMessageBox::Retry, IDRETRY, dpRetry};
constexpr TBoxButton IgnoreButton{QMessageBox::Ignore, IDIGNORE, dpIgnore};

// The buttons of the flags, left to right, and the index of the one Escape presses.
std::vector<TBoxButton> ButtonsOf(unsigned flags, size_t& escape) {
    switch (flags & 0x0F) {
    case MB_OKCANCEL:
        escape = 1;
        return {OkButton, CancelButton};
    case MB_ABORTRETRYIGNORE:
        escape = 0;
        return {AbortButton, RetryButton, IgnoreButton};
    case MB_YESNOCANCEL:
        escape = 2;
        return {YesButton, NoButton, CancelButton};
    case MB_YESNO:
        escape = 1;
        return {YesButton, NoButton};
    case MB_RETRYCANCEL:
        escape = 1;
        return {RetryButton, CancelButton};
    default:
        escape = 0;
        return {OkButton};
    }
}

} // namespace

TMessageBox::TMessageBox(TComponent* owner) : TCommonDialog(owner) {
}

std::vector<int> TMessageBox::ButtonIds() const {
    size_t escape = 0;
    std::vector<int> ids;
    for (const TBoxButton& b : ButtonsOf(FFlags, escape))
        ids.push_back(b.Id);
    return ids;
}

bool TMessageBox::Execute() {
    static const bool registered = (RegisterDialogClass<QMessageBox>("FwMessageBox"), true);
    (void)registered;
    Application->Initialize();
    TDialogWindow window("FwMessageBox", Title().empty() ? Application->Title() : Title());
    auto* box = window.As<QMessageBox>();
    box->setText(ToQString(FText));
    switch (FFlags & 0xF0) {
    case MB_ICONERROR:
        box->setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box->setIcon(QMessageBox::Question);
        break;
    case MB_ICONWARNING:
        box->setIcon(QMessageBox::Warning);
        break;
    case MB_ICONINFORMATION:
        box->setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    size_t escape = 0;
    const std::vector<TBoxButton> buttons = ButtonsOf(FFlags, escape);
    std::vector<QPushButton*> widgets;
    for (const TBoxButton& b : buttons) {
        widgets.push_back(box->addButton(b.Standard));
        window.SetPart(b.Part, widgets.back());
    }
    const size_t defaultIndex = std::min<size_t>((FFlags >> 8) & 0x0F, buttons.size() - 1);
    box->setDefaultButton(widgets[defaultIndex]);
    box->setEscapeButton(widgets[escape]);
    window.OnCancel = [button = widgets[escape]] { button->click(); };

    RunDialog(window);
    FResult = buttons[escape].Id;
    for (size_t i = 0; i < buttons.size(); ++i)
        if (box->clickedButton() == widgets[i]) FResult = buttons[i].Id;
    return FResult == IDOK || FResult == IDYES || FResult == IDRETRY;
}

namespace {
// The application's message boxes, and so the exceptions it reports, are boxes of this class.
const bool MessageBoxInstalled = (TApplication::SetMessageBoxHandler(&TMessageBox::Show), true);
} // namespace

int TMessageBox::Show(const std::string& text, const std::string& caption, unsigned flags) {
    TMessageBox box(nullptr);
    box.SetText(text);
    box.SetTitle(caption);
    box.SetFlags(flags);
    box.Execute();
    return box.Result();
}
