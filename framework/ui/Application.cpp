#include "ui/Application.h"

#include "core/SysUtils.h"
#include "dialogs/MessageBox.h"
#include "ui/Form.h"
#include "ui/QtApplication.h"

#include <QApplication>

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
    auto* form = dynamic_cast<TCustomForm*>(TComponent::CreateInstance(formClass, this));
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
    // The framework's message box, so that modal actions can answer it like any other modal window.
    return TMessageBox::Show(text, caption.empty() ? FTitle : caption, flags);
}
