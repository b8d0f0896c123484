#include "ui/Application.h"

#include "core/SysUtils.h"
#include "ui/Form.h"
#include "ui/QtApplication.h"

#include <QApplication>
#include <QMessageBox>

TApplication* Application = new TApplication(nullptr);

FW_PUBLISH(TApplication) {
}

namespace {
int qtArgc = 1;
char qtProgramName[] = "formwright";
char* qtArgv[] = {qtProgramName, nullptr};
} // namespace

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
}

TApplication::~TApplication() = default;

void TApplication::Initialize() {
    if (!QApplication::instance()) {
        auto* app = new TQtApplication(qtArgc, qtArgv);
        app->setQuitOnLastWindowClosed(false);
    }
}

void TApplication::ProcessMessages() {
    Initialize();
    QApplication::sendPostedEvents();
    QApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::Run() {
    Initialize();
    if (FMainForm) FMainForm->Show();
    while (!FTerminated) {
        HandleException(
            [] { QApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents); });
    }
}

void TApplication::Terminate() {
    FTerminated = true;
}

void TApplication::ShowException(const std::exception& e) {
    if (OnException) {
        OnException(this, e);
        return;
    }
    MessageBox(e.what(), FTitle, 0x10 /* MB_ICONERROR */);
}

TCustomForm* TApplication::CreateForm(TClass formClass, TCustomForm** reference) {
    Initialize();
    auto* form = dynamic_cast<TCustomForm*>(formClass->Create(this));
    if (!form) throw EInvalidOperation(Format("%s is not a form class", formClass->Name));
    if (reference) *reference = form;
    if (!FMainForm) FMainForm = form;
    return form;
}

void TApplication::HandleException(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        ShowException(e);
    }
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    Initialize();
    enum { MB_OKCANCEL = 1, MB_ABORTRETRYIGNORE = 2, MB_YESNOCANCEL = 3, MB_YESNO = 4, MB_RETRYCANCEL = 5 };
    QMessageBox box;
    box.setWindowTitle(QString::fromStdString(caption));
    box.setText(QString::fromStdString(text));
    switch (flags & 0xF0) {
    case 0x10:
        box.setIcon(QMessageBox::Critical);
        break;
    case 0x20:
        box.setIcon(QMessageBox::Question);
        break;
    case 0x30:
        box.setIcon(QMessageBox::Warning);
        break;
    case 0x40:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    struct Button {
        QMessageBox::StandardButton button;
        int id;
    };
    std::vector<Button> buttons;
    switch (flags & 0x0F) {
    case MB_OKCANCEL:
        buttons = {{QMessageBox::Ok, 1}, {QMessageBox::Cancel, 2}};
        break;
    case MB_ABORTRETRYIGNORE:
        buttons = {{QMessageBox::Abort, 3}, {QMessageBox::Retry, 4}, {QMessageBox::Ignore, 5}};
        break;
    case MB_YESNOCANCEL:
        buttons = {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}, {QMessageBox::Cancel, 2}};
        break;
    case MB_YESNO:
        buttons = {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}};
        break;
    case MB_RETRYCANCEL:
        buttons = {{QMessageBox::Retry, 4}, {QMessageBox::Cancel, 2}};
        break;
    default:
        buttons = {{QMessageBox::Ok, 1}};
        break;
    }
    QMessageBox::StandardButtons set;
    for (const Button& b : buttons)
        set |= b.button;
    box.setStandardButtons(set);
    const int pressed = box.exec();
    for (const Button& b : buttons)
        if (pressed == b.button) return b.id;
    return buttons.size() > 1 ? 2 : 1; // closed by the window's close box: Cancel where there is one
}
